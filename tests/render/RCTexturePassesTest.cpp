#include <gtest/gtest.h>

#include <string>

#include "platform/Device3D.h"
#include "render/3dDevice.h"
#include "render/RC.h"

namespace {

using namespace platform;

// With no batches queued each pass still leaves its states.
TEST(RCTexturePasses, SetTheirStatesAndRestoreTheAlphaReference) {
  struct Case {
    const char* pass;
    int32_t filtering;
    uint32_t alphaTest, zWrite;
  };
  const Case cases[] = {
      {"opaque", 0, 1, 1}, {"alpha", 1, 1, 1}, {"flagged", 1, 0, 1}, {"flagged no depth", 0, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pass);
    Surface target(8, 8, PixelFormat::RGB565);
    Device3D device(target, nullptr);
    CRC565 rc;
    rc.SetViewSize(8, 8);
    rc.SetDevice(&device);
    device.SetRenderState(RenderState::AlphaTestEnable, 1 - c.alphaTest);
    device.SetRenderState(RenderState::ZWriteEnable, 1 - c.zWrite);
    device.SetRenderState(RenderState::SrcBlend, static_cast<uint32_t>(Blend::One));
    device.SetRenderState(RenderState::AlphaRef, 7);
    g_texturePointSampling = 1 - c.filtering;
    const std::string pass = c.pass;
    if (pass == "opaque") rc.DrawOpaqueTextureBatches();
    if (pass == "alpha") rc.DrawAlphaTextureBatches();
    if (pass == "flagged") rc.DrawFlaggedTextureBatches(true);
    if (pass == "flagged no depth") rc.DrawFlaggedTextureBatches(false);
    g_texturePointSampling = 0;
    const auto filter = static_cast<uint32_t>(c.filtering != 0 ? Filter::Linear : Filter::Point);
    EXPECT_EQ(device.GetStageState(StageState::MinFilter), filter);
    EXPECT_EQ(device.GetStageState(StageState::MagFilter), filter);
    EXPECT_EQ(device.GetRenderState(RenderState::SrcBlend), static_cast<uint32_t>(Blend::SrcAlpha));
    EXPECT_EQ(device.GetRenderState(RenderState::DestBlend), static_cast<uint32_t>(Blend::InvSrcAlpha));
    EXPECT_EQ(device.GetRenderState(RenderState::AlphaTestEnable), c.alphaTest);
    EXPECT_EQ(device.GetRenderState(RenderState::ZWriteEnable), c.zWrite);
    // The flagged pass tests alpha at 1 while it draws and puts 240 back.
    EXPECT_EQ(device.GetRenderState(RenderState::AlphaRef), c.alphaTest != 0 ? 7u : 240u);
  }
}

}  // namespace
