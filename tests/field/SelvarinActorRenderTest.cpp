// What the sprite character queues when it draws: the queue of each layer
// by its kind and opacity, the depth keys, mirrored layers, what lies off
// screen, the shadow; and one small scene through the batched passes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "field/BlurActor.h"
#include "field/EffectSpr.h"
#include "field/SelvarinActor.h"
#include "platform/Device3D.h"
#include "render/PixelRC.h"
#include "render/RC.h"
#include "render/Texture.h"
#include "tests/render/GoldenText.h"
#include "tests/render/TextureTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/ActWriter.h"
#include "tools/lib/SprWriter.h"
#include "tools/lib/SpriteSource.h"

namespace {

using namespace platform;

// Records the rectangles it is asked to register.
class CPickingActor : public CSelvarinActor {
 public:
  void AddPickRegion(float left, float top, float right, float bottom, int32_t noAnchor) override {
    m_regions.push_back({left, top, right, bottom});
    m_noAnchor = noAnchor;
  }
  struct Region {
    float left, top, right, bottom;
  };
  std::vector<Region> m_regions;
  int32_t m_noAnchor = -1;
};

ActLayer Layer(int32_t x, int32_t y, int32_t sprite, int32_t kind, uint8_t alpha, int32_t mirror = 0) {
  ActLayer layer;
  layer.x = x;  // the centre, as files of this version store it
  layer.y = y;
  layer.sprite = sprite;
  layer.kind = kind;
  layer.mirror = mirror;
  layer.color[3] = alpha;
  return layer;
}

ActMotion Motion(std::vector<ActLayer> layers) {
  ActMotion motion;
  motion.layers = std::move(layers);
  return motion;
}

class SelvarinActorRenderTest : public TextureDeviceTest {
 protected:
  SelvarinActorRenderTest() {
    m_rc.SetViewSize(640, 480);
    m_rc.m_focalX = 700.0f;
    m_rc.m_focalY = 500.0f;
    m_view.m[5] = 0.5f;  // depth grows by half the height: the point above the foot is nearer
    WriteHero();
    WriteShadow();
    m_actor.m_name = "hero";
    m_actor.m_sprName = "hero.spr";
    m_actor.m_actName = "hero.act";
    m_actor.m_pos = Vec3{10, 4, 100};  // depth 102: 1 / 100, size factor 1, anchor (390, 260)
    m_actor.m_groundHeight = 4;
  }
  ~SelvarinActorRenderTest() override { CResMgr::GetInstance().UnloadResources(); }

  // Palette images: 0 red 4 x 6, 1 green 2 x 2; true-colour image 0, 2 x 2.
  // Action 0: motion 0 four layers (opaque, half, true colour, mirrored
  // opaque), motion 1 one layer far off screen, motion 2 two layers of which
  // the first is off screen.
  void WriteHero() {
    slvtools::SprWriter spr(0x200);
    spr.SetColor(1, 255, 0, 0);
    spr.SetColor(2, 0, 255, 0);
    spr.AddImage(4, 6, std::vector<uint8_t>(24, 1));
    spr.AddImage(2, 2, std::vector<uint8_t>(4, 2));
    spr.AddArgbImage(2, 2, std::vector<uint32_t>(4, 0xFF0000FF));
    WriteData("sprite/hero.spr", spr.Build());
    const ActMotion full = Motion({Layer(0, -3, 0, 0, 255), Layer(1, -8, 1, 0, 128), Layer(-1, -8, 0, 1, 255),
                                   Layer(3, -2, 1, 0, 255, 1)});
    const ActMotion away = Motion({Layer(5000, 0, 0, 0, 255)});
    const ActMotion half = Motion({Layer(5000, 0, 0, 0, 255), Layer(0, -3, 0, 0, 255)});
    WriteData("sprite/hero.act", slvtools::BuildAct(0x200, {ActAction{{full, away, half}}}));
  }
  void WriteShadow() {
    slvtools::SprWriter spr(0x200);
    spr.SetColor(1, 0, 0, 0);
    spr.AddImage(6, 2, std::vector<uint8_t>(12, 1));
    WriteData("sprite/shadow.spr", spr.Build());
    WriteData("sprite/shadow.act", slvtools::BuildAct(0x200, {ActAction{{Motion({Layer(0, 0, 0, 0, 128)})}}}));
  }
  const ActLayer& HeroLayer(int motion, int i) {
    const auto* act = dynamic_cast<const CActRes*>(CResMgr::GetInstance().GetRes("hero.act"));
    return act->GetMotion(0, motion)->layers[static_cast<size_t>(i)];
  }
  size_t Queued() const {
    return m_rc.m_effectQuads.size() + m_rc.m_spriteQuads.size() + m_rc.m_quadsA.size() + m_rc.m_quadsB.size() +
           m_rc.m_quads.size();
  }

  CRC565 m_rc;
  Matrix m_view;
  CPickingActor m_actor;
};

TEST_F(SelvarinActorRenderTest, EachLayerGoesToTheQueueOfItsKindAndOpacityWithRisingKeys) {
  m_actor.Render(m_rc, m_view);
  EXPECT_EQ(m_actor.m_screenX, 390);
  EXPECT_EQ(m_actor.m_screenY, 260);
  ASSERT_EQ(m_rc.m_effectQuads.size(), 2u);
  ASSERT_EQ(m_rc.m_spriteQuads.size(), 1u);
  ASSERT_EQ(m_rc.m_quadsA.size(), 1u);
  EXPECT_TRUE(m_rc.m_quadsB.empty());
  const QueuedEffectQuad& opaque = m_rc.m_effectQuads[0];
  const QueuedSpriteQuad& half = m_rc.m_spriteQuads[0];
  const QueuedQuad& colour = m_rc.m_quadsA[0];
  const QueuedEffectQuad& mirrored = m_rc.m_effectQuads[1];
  // The first layer at the foot's depth, the later ones at the point 10
  // above (depth 97), each a step further.
  const float foot = 1.0f / 100.0f, head = 1.0f / 95.0f;
  EXPECT_FLOAT_EQ(opaque.rhwBottom, foot);
  EXPECT_FLOAT_EQ(opaque.rhwTop, foot);
  EXPECT_FLOAT_EQ(half.rhwBottom, head + 0.00001f);
  EXPECT_FLOAT_EQ(colour.rhw, head + 0.00002f);
  EXPECT_FLOAT_EQ(mirrored.rhwBottom, head + 0.00003f);
  // Rectangles around the anchor at size 1: x from X - ox down to X - (ox + w).
  const ActLayer& first = HeroLayer(0, 0);
  EXPECT_FLOAT_EQ(opaque.top, 260.0f + static_cast<float>(first.y));
  EXPECT_FLOAT_EQ(opaque.bottom, 266.0f + static_cast<float>(first.y));
  EXPECT_FLOAT_EQ(opaque.left, 390.0f - static_cast<float>(first.x));
  EXPECT_FLOAT_EQ(opaque.right, 386.0f - static_cast<float>(first.x));
  // The mirrored layer has its edges swapped.
  const ActLayer& last = HeroLayer(0, 3);
  EXPECT_FLOAT_EQ(mirrored.left, 388.0f - static_cast<float>(last.x));
  EXPECT_FLOAT_EQ(mirrored.right, 390.0f - static_cast<float>(last.x));
  EXPECT_EQ(opaque.color, 0xFFFFFFFFu);
  EXPECT_EQ(half.color, 0x80FFFFFFu);
  EXPECT_EQ(opaque.silhouette, 0);
  EXPECT_NE(colour.texture, nullptr);
  // The shadow on the ground under the actor.
  ASSERT_EQ(m_rc.m_quads.size(), 1u);
  EXPECT_FLOAT_EQ(m_rc.m_quads[0].rhw, foot);
  EXPECT_EQ(m_rc.m_quads[0].color >> 24, 128u);
  // One pick rectangle around everything queued, with the anchor taken.
  ASSERT_EQ(m_actor.m_regions.size(), 1u);
  const auto& region = m_actor.m_regions[0];
  EXPECT_EQ(m_actor.m_noAnchor, 0);
  EXPECT_FLOAT_EQ(region.left, std::min({opaque.right, half.right, colour.right, mirrored.left}));
  EXPECT_FLOAT_EQ(region.right, std::max({opaque.left, half.left, colour.left, mirrored.right}));
  EXPECT_FLOAT_EQ(region.top, std::min({opaque.top, half.top, colour.top, mirrored.top}));
  EXPECT_FLOAT_EQ(region.bottom, std::max({opaque.bottom, half.bottom, colour.bottom, mirrored.bottom}));
}

TEST_F(SelvarinActorRenderTest, FullDrawingHitFlashesAndTheShadowsHeight) {
  m_actor.m_alwaysFull = 1;
  m_actor.m_hitFlash = 15;
  m_actor.m_groundHeight = 24;  // 20 lower: depth 112
  m_actor.Render(m_rc, m_view);
  ASSERT_EQ(m_rc.m_effectQuads.size(), 3u);
  EXPECT_TRUE(m_rc.m_spriteQuads.empty());
  for (const QueuedEffectQuad& q : m_rc.m_effectQuads) {
    EXPECT_EQ(q.silhouette, 1);
    EXPECT_EQ(q.color, 0xFFFFFFFFu);
  }
  ASSERT_EQ(m_rc.m_quads.size(), 1u);
  EXPECT_FLOAT_EQ(m_rc.m_quads[0].rhw, 1.0f / 110.0f);
  m_rc.ClearQueues();
  m_actor.m_drawShadow = 0;
  m_actor.Render(m_rc, m_view);
  EXPECT_TRUE(m_rc.m_quads.empty());
}

TEST_F(SelvarinActorRenderTest, OffScreenLayers) {
  // A single layer off screen: nothing at all, the shadow neither.
  m_actor.m_motion = 1;
  m_actor.Render(m_rc, m_view);
  EXPECT_EQ(Queued(), 0u);
  EXPECT_TRUE(m_actor.m_regions.empty());
  // Of two, the other layer and the shadow are queued.
  m_actor.m_motion = 2;
  m_actor.Render(m_rc, m_view);
  EXPECT_EQ(m_rc.m_effectQuads.size(), 1u);
  EXPECT_EQ(m_rc.m_quads.size(), 1u);
  EXPECT_FLOAT_EQ(m_rc.m_effectQuads[0].rhwBottom, 1.0f / 95.0f + 0.00001f);
  m_rc.ClearQueues();
  m_actor.m_visible = 0;
  m_actor.Render(m_rc, m_view);
  EXPECT_EQ(Queued(), 0u);
}

TEST_F(SelvarinActorRenderTest, WhatTheFilesDoNotHoldDrawsNothing) {
  struct Case {
    const char* what;
    int action, motion;
    const char* spr;
    const char* act;
    const char* logged;
  };
  const Case cases[] = {
      {"an action past the file", 1, 0, "hero.spr", "hero.act", "name : hero, actcnt : 1, actid : 1, "},
      {"a negative action", -1, 0, "hero.spr", "hero.act", "Illegal action"},
      {"a motion past the action", 0, 3, "hero.spr", "hero.act", "name : hero, actid : 0, motcnt : 3, motid : 3"},
      {"no sprite file", 0, 0, "none.spr", "hero.act", nullptr},
      {"no animation name", 0, 0, "hero.spr", "", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testsupport::DebugLogCapture log;
    m_actor.m_action = c.action;
    m_actor.m_motion = c.motion;
    m_actor.m_sprName = c.spr;
    m_actor.m_actName = c.act;
    m_actor.Render(m_rc, m_view);
    EXPECT_EQ(Queued(), 0u);
    if (c.logged != nullptr) {
      const auto& lines = log.Lines();
      EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                              [&](const std::string& line) { return line.find(c.logged) != std::string::npos; }));
    }
  }
}

TEST_F(SelvarinActorRenderTest, AnAfterimageDrawsItsFrameInItsColourWithoutShadow) {
  m_actor.m_afterimageColour = 0x00FF00;
  m_actor.m_afterimageLength = 4;
  CBlurActor blur(m_actor);
  ASSERT_TRUE(blur.OnProcess());  // alpha 3 x 255 / 4 = 191
  blur.Render(m_rc, m_view);
  EXPECT_TRUE(m_rc.m_quads.empty());
  EXPECT_TRUE(m_rc.m_effectQuads.empty());  // no longer opaque
  ASSERT_EQ(m_rc.m_spriteQuads.size(), 3u);
  EXPECT_EQ(m_rc.m_spriteQuads[0].color, 0xBF00FF00u);
}

// The sample's shadow and balloons, as built from their sources: every
// balloon shows on every tick of its life, and the shadow is soft.
TEST_F(SelvarinActorRenderTest, TheSampleShadowAndBalloonsDrawThroughTheirLives) {
  CResMgr::GetInstance().UnloadResources();
  for (const char* name : {"shadow", "system/emotion"}) {
    slvtools::BuiltSprite built;
    std::string error;
    ASSERT_TRUE(slvtools::BuildSpriteSourceFile(
        testsupport::SourceDir() / "data/sprite" / (std::string(name) + ".sprite"), &built, &error))
        << error;
    WriteData("sprite/" + std::string(name) + ".spr", built.spr);
    WriteData("sprite/" + std::string(name) + ".act", built.act);
  }
  m_actor.Render(m_rc, m_view);
  ASSERT_EQ(m_rc.m_quads.size(), 2u);
  for (const QueuedImageQuad& q : m_rc.m_quads) EXPECT_LT(q.color >> 24, 255u);
  for (int32_t action = 0; action < 4; ++action) {
    SCOPED_TRACE(action);
    CEffectSpr balloon;
    balloon.Init(&m_actor, "system/emotion.spr", "system/emotion.act", action);
    int ticks = 0;
    while (balloon.OnProcess()) {
      ++ticks;
      m_rc.ClearQueues();
      testsupport::DebugLogCapture log;
      balloon.Render(m_rc, m_view);
      EXPECT_EQ(m_rc.m_effectQuads.size(), 1u) << ticks;
      EXPECT_TRUE(m_rc.m_quads.empty());
      EXPECT_TRUE(log.Lines().empty()) << ticks;
    }
    EXPECT_EQ(ticks, 57);
  }
}

// ---- Through the batched passes ----

// A figure of two layers (a blue body, a yellow cape at half opacity) and a
// dark shadow, drawn at twice its size into a 48 x 40 target.
TEST_F(SelvarinActorRenderTest, GoldenTwoLayersAndAShadow) {
  CResMgr::GetInstance().UnloadResources();
  g_texturePointSampling = 1;
  g_spritePointSampling = 1;
  slvtools::SprWriter spr(0x200);
  spr.SetColor(1, 40, 80, 255);
  spr.SetColor(2, 255, 255, 255);
  spr.SetColor(3, 255, 220, 0);
  std::vector<uint8_t> body(8 * 12, 1);
  for (int x = 2; x < 6; ++x) body[static_cast<size_t>(2 * 8 + x)] = 2;  // a white band
  body[0] = body[7] = 0;
  spr.AddImage(8, 12, body);
  spr.AddImage(6, 6, std::vector<uint8_t>(36, 3));
  WriteData("sprite/figure.spr", spr.Build());
  WriteData("sprite/figure.act",
            slvtools::BuildAct(0x200, {ActAction{{Motion({Layer(0, -6, 0, 0, 255), Layer(-2, -5, 1, 0, 128)})}}}));
  slvtools::SprWriter shadow(0x200);
  shadow.SetColor(1, 0, 0, 0);
  std::vector<uint8_t> ellipse(10 * 4, 1);
  for (size_t i : {0u, 9u, 30u, 39u}) ellipse[i] = 0;
  shadow.AddImage(10, 4, ellipse);
  WriteData("sprite/shadow.spr", shadow.Build());
  WriteData("sprite/shadow.act", slvtools::BuildAct(0x200, {ActAction{{Motion({Layer(0, 0, 0, 0, 160)})}}}));

  Surface color(48, 40, PixelFormat::RGB565);
  Surface depth(48, 40, PixelFormat::Depth16);
  Device3D device(color, &depth);
  device.Clear(Rect{0, 0, 48, 40}, kClearTarget | kClearDepth, 0xFF608040, 1.0f);
  device.SetRenderState(RenderState::AlphaBlendEnable, 1);
  device.SetRenderState(RenderState::AlphaTestEnable, 1);
  device.SetRenderState(RenderState::AlphaFunc, static_cast<uint32_t>(Compare::GreaterEqual));
  device.SetRenderState(RenderState::AlphaRef, 240);
  ASSERT_EQ(device.BeginScene(), S_OK);
  CRC565 rc;
  rc.SetViewSize(48, 40);
  rc.SetDevice(&device);
  rc.m_focalX = 392.0f;  // at depth 30: size 392 / 28 / 7 = 2
  rc.m_focalY = 56.0f;

  CSelvarinActor figure;
  figure.m_sprName = "figure.spr";
  figure.m_actName = "figure.act";
  figure.m_pos = Vec3{0, 8, 30};  // anchor (24, 36)
  figure.m_groundHeight = 8;
  figure.Render(rc, Matrix{});
  rc.FlushQuads();
  rc.FlushEffectQuads();
  rc.FlushQuadsA();
  rc.FlushQuadsB();
  rc.FlushSpriteQuads();
  device.EndScene();
  ExpectGoldenText("sprite_actor_with_shadow", color, "tests/field/golden");
  g_texturePointSampling = 0;
  g_spritePointSampling = 0;
}

}  // namespace
