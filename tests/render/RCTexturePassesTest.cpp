#include <gtest/gtest.h>

#include <memory>

#include "platform/Device3D.h"
#include "render/3dDevice.h"
#include "render/RC.h"

namespace {

using namespace platform;

constexpr uint32_t U(auto e) { return static_cast<uint32_t>(e); }

constexpr uint32_t kKeep = 0xFFFFFFFF;  // the perturbed value stays

struct PassCase {
  const char* name;
  void (CRC::*pass)();
  bool spriteFilter;
  uint32_t alphaTest, zWrite;
  uint32_t alphaRef;  // 240 or kKeep
  uint32_t zFunc;     // LessEqual or kKeep
  bool depthBufferFlag;
};

// The flagged pass takes its depth write as an argument.
void FlaggedWithDepth(CRC& rc) { rc.DrawFlaggedTextureBatches(true); }
void FlaggedWithoutDepth(CRC& rc) { rc.DrawFlaggedTextureBatches(false); }

constexpr uint32_t kLE = U(Compare::LessEqual);

const PassCase kPasses[] = {
    {"1 opaque batches", &CRC::DrawOpaqueTextureBatches, false, 1, 1, kKeep, kKeep, false},
    {"2 alpha batches", &CRC::DrawAlphaTextureBatches, false, 1, 1, kKeep, kKeep, false},
    {"3 flagged batches", nullptr, false, 0, 1, 240, kKeep, false},
    {"3 flagged batches, no depth write", nullptr, false, 0, 0, 240, kKeep, false},
    {"4 FlushQuads", &CRC::FlushQuads, false, 0, 0, 240, kKeep, false},
    {"5 FlushTrisZLess", &CRC::FlushTrisZLess, false, 1, 1, 240, kLE, false},
    {"6 FlushEffectQuads", &CRC::FlushEffectQuads, true, 1, 1, kKeep, kKeep, false},
    {"7 FlushAlphaTestTris", &CRC::FlushAlphaTestTris, false, 1, 1, kKeep, kKeep, false},
    {"8 FlushQuadsA", &CRC::FlushQuadsA, false, 0, 0, 240, kKeep, false},
    {"9 FlushQuadsB", &CRC::FlushQuadsB, false, 0, 0, 240, kKeep, false},
    {"10 FlushSpriteQuads", &CRC::FlushSpriteQuads, true, 0, 0, 240, kKeep, false},
    {"11 FlushBlendTris", &CRC::FlushBlendTris, false, 0, 1, 240, kKeep, false},
    {"12 FlushBlendTrisTested", &CRC::FlushBlendTrisTested, false, 1, 1, 240, kLE, false},
    {"13 FlushAdditiveTris", &CRC::FlushAdditiveTris, false, 0, 1, 240, kLE, false},
    {"14 FlushTrisZLessEqual", &CRC::FlushTrisZLessEqual, false, 1, 1, 240, kLE, false},
    {"15 FlushTrisNoDepthTest", &CRC::FlushTrisNoDepthTest, false, 1, 1, 240, kLE, true},
    {"16 FlushOverlayQuads", &CRC::FlushOverlayQuads, false, 0, 0, 240, kLE, false},
};

// With nothing queued each pass still sets its states and puts back the
// resting values it changed; everything else is left as it was found.
TEST(RCTexturePasses, EveryPassLeavesItsStates) {
  const int32_t savedDepthFlag = g_depthBufferOn;
  for (const PassCase& c : kPasses) {
    for (int32_t filtering : {0, 1}) {
      for (int32_t depthFlag : {0, 1}) {
        SCOPED_TRACE(testing::Message() << c.name << ", filtering " << filtering << ", depth buffer " << depthFlag);
        Surface target(8, 8, PixelFormat::RGB565), depth(8, 8, PixelFormat::Depth16);
        Device3D device(target, &depth);
        CRC565 rc;
        rc.SetViewSize(8, 8);
        rc.SetDevice(&device);
        device.SetRenderState(RenderState::AlphaTestEnable, 1 - c.alphaTest);
        device.SetRenderState(RenderState::ZWriteEnable, 1 - c.zWrite);
        device.SetRenderState(RenderState::ZEnable, 1 - static_cast<uint32_t>(depthFlag));
        device.SetRenderState(RenderState::SrcBlend, U(Blend::One));
        device.SetRenderState(RenderState::DestBlend, U(Blend::One));
        device.SetRenderState(RenderState::AlphaRef, 7);
        device.SetRenderState(RenderState::ZFunc, U(Compare::Equal));
        device.SetRenderState(RenderState::AlphaBlendEnable, 1);
        device.SetStageState(StageState::ColorOp, U(TextureOp::SelectArg2));
        // The two switches disagree, so the filter tells which one the pass read.
        g_texturePointSampling = 1 - filtering;
        g_spritePointSampling = filtering;
        g_depthBufferOn = depthFlag;
        if (c.pass != nullptr) {
          (rc.*c.pass)();
        } else if (c.zWrite != 0) {
          FlaggedWithDepth(rc);
        } else {
          FlaggedWithoutDepth(rc);
        }
        const int32_t point = c.spriteFilter ? g_spritePointSampling : g_texturePointSampling;
        const uint32_t filter = U(point != 0 ? Filter::Point : Filter::Linear);
        EXPECT_EQ(device.GetStageState(StageState::MinFilter), filter);
        EXPECT_EQ(device.GetStageState(StageState::MagFilter), filter);
        EXPECT_EQ(device.GetRenderState(RenderState::SrcBlend), U(Blend::SrcAlpha));
        EXPECT_EQ(device.GetRenderState(RenderState::DestBlend), U(Blend::InvSrcAlpha));
        EXPECT_EQ(device.GetRenderState(RenderState::AlphaTestEnable), c.alphaTest);
        EXPECT_EQ(device.GetRenderState(RenderState::ZWriteEnable), c.zWrite);
        EXPECT_EQ(device.GetRenderState(RenderState::AlphaRef), c.alphaRef == kKeep ? 7u : c.alphaRef);
        EXPECT_EQ(device.GetRenderState(RenderState::ZFunc), c.zFunc == kKeep ? U(Compare::Equal) : c.zFunc);
        EXPECT_EQ(device.GetRenderState(RenderState::ZEnable),
                  c.depthBufferFlag ? static_cast<uint32_t>(depthFlag) : 1u - static_cast<uint32_t>(depthFlag));
        EXPECT_EQ(device.GetRenderState(RenderState::AlphaBlendEnable), 1u);
        EXPECT_EQ(device.GetStageState(StageState::ColorOp), U(TextureOp::SelectArg2));
      }
    }
  }
  g_texturePointSampling = 0;
  g_spritePointSampling = 0;
  g_depthBufferOn = savedDepthFlag;
}

}  // namespace
