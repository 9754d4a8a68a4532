// Primitives move, fade, trail and queue by their kind: one step of each
// kind that has rules of its own, from a fixed state and seed.
#include "effect/EffectPrimitive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "effect/EffectPrimitiveQueue.h"
#include "effect/SelvarinEffect.h"
#include "engine/ResMgr.h"
#include "platform/Random.h"
#include "render/3dAttr.h"
#include "render/PixelRC.h"
#include "render/Texture.h"
#include "tests/effect/EffectTestSupport.h"
#include "tests/support/GameFolder.h"
#include "tools/lib/ActWriter.h"
#include "tools/lib/SprWriter.h"

namespace {

using effecttest::CRecordingOwner;

constexpr float kDeg = 0.017453289f;

// A field with a flat ground at height 0 over 160 x 160 units, an owner at
// (10, 0, 20) and its effects.
class EffectPrimitiveTest : public GameFolderTest {
 protected:
  EffectPrimitiveTest() : m_owner(&m_codes) {
    m_attr.Allocate(32, 32);
    m_field = std::make_unique<effecttest::FieldFrame>();
    m_owner.m_pos = {10.0f, 0.0f, 20.0f};
    m_rc.SetViewSize(640, 480);
    m_rc.m_focalX = 700.0f;
    m_rc.m_focalY = 500.0f;
    // Depth grows by half the height, as in the sprite actor's tests.
    m_view.m[5] = 0.5f;
  }
  ~EffectPrimitiveTest() override {
    m_field->Context().m_pAttr = nullptr;
    m_field.reset();
    CResMgr::GetInstance().UnloadResources();
  }

  CSelvarinEffect& Spawn(EffectId id) {
    m_owner.SpawnEffect(id);
    CSelvarinEffect& effect = *m_owner.m_effects.back();
    if (id == effecttest::kQuietEffect) effect.m_lifetime = effecttest::kQuietLifetime;
    return effect;
  }
  CEffectPrimitive& Make(EffectPrimitiveKind kind, EffectId id = effecttest::kQuietEffect) {
    return *Spawn(id).AddPrimitive(kind);
  }
  void WithGround() { m_field->Context().m_pAttr = &m_attr; }

  std::vector<int> m_codes;
  CRecordingOwner m_owner;
  C3dAttr m_attr;
  std::unique_ptr<effecttest::FieldFrame> m_field;
  CRC565 m_rc;
  Matrix m_view;
};

TEST_F(EffectPrimitiveTest, TrailSlotsThinOutWithAge) {
  CEffectPrimitive& p = Make(SpriteBounce);
  p.m_alpha = 200.0f;
  p.m_size = 2.0f;
  p.m_trailCount = 100;
  ASSERT_TRUE(p.OnProcess());
  const TrailSlot& newest = p.m_trail[0];
  const TrailSlot& oldest = p.m_trail[99];
  EXPECT_EQ(newest.alpha, 200);
  EXPECT_FLOAT_EQ(newest.size, 2.0f);
  EXPECT_EQ(oldest.alpha, 2);             // alpha / 100
  EXPECT_NEAR(oldest.size, 1.01f, 1e-5);  // about size / 2
  EXPECT_EQ(oldest.packedColour, 0x02FFFFFFu);
  p.m_trailCount = 500;  // held to the slots there are
  ASSERT_TRUE(p.OnProcess());
  EXPECT_EQ(p.m_trailCount, 100);
}

TEST_F(EffectPrimitiveTest, AnEffectEndingEarlyFadesItsPrimitives) {
  CSelvarinEffect& effect = Spawn(1054);  // 20 ticks
  CEffectPrimitive* p = effect.AddPrimitive(ScreenRing);
  for (int tick = 1; tick <= 19; ++tick) m_field->Context().UpdateEffects();
  EXPECT_EQ(p->m_fading, 1);
  EXPECT_LT(p->m_alpha, 0.01f);
  m_field->Context().UpdateEffects();
  EXPECT_TRUE(m_field->Context().m_effects.empty());
}

TEST_F(EffectPrimitiveTest, PulsingTurnsAtTheTopAndAt64) {
  CEffectPrimitive& p = Make(ScreenRing);
  p.m_pulsing = 1;
  p.m_alpha = 250.0f;
  p.m_alphaStep = 10.0f;
  p.m_lifetime = 1000;
  std::vector<float> alphas;
  for (int i = 0; i < 22; ++i) {
    ASSERT_TRUE(p.OnProcess());
    alphas.push_back(p.m_alpha);
  }
  EXPECT_EQ(alphas[0], 255.0f);
  EXPECT_EQ(alphas[1], 245.0f);
  EXPECT_EQ(alphas[20], 55.0f);
  EXPECT_EQ(alphas[21], 65.0f);
  EXPECT_EQ(p.m_packedColour, 0x41FFFFFFu);
}

TEST_F(EffectPrimitiveTest, AFadeWithNoFramesLeftEndsAtOnce) {
  CEffectPrimitive& p = Make(ScreenRing);
  p.m_lifetime = 0;
  p.m_fadeStartFrame = 0;
  p.OnProcess();
  EXPECT_EQ(p.m_alpha, 0.0f);
}

// Seed 1 draws 41, 18467, 6334, 26500, 19169, 15724.
TEST_F(EffectPrimitiveTest, SpriteFlightWanders) {
  CEffectPrimitive& p = Make(SpriteFlight);
  p.m_primitiveFlags = 8;
  p.m_baseOffset = {0.0f, -15.0f, 0.0f};
  platform::Srand(1);
  ASSERT_TRUE(p.OnProcess());
  EXPECT_EQ(p.m_wanderPeriod, 13);
  EXPECT_FLOAT_EQ(p.m_pos.x, 10.0f - 0.07f);
  EXPECT_FLOAT_EQ(p.m_pos.y, -15.0f);
  EXPECT_FLOAT_EQ(p.m_pos.z, 20.0f + 0.05f);
  ASSERT_TRUE(p.OnProcess());  // not due again: the same drift
  EXPECT_FLOAT_EQ(p.m_pos.x, 10.0f - 0.14f);
  EXPECT_EQ(platform::Rand(), 15724);
}

TEST_F(EffectPrimitiveTest, SpiralOf243TurnsAtItsEvent) {
  CEffectPrimitive& p = Make(SpriteSpiral, 243);
  p.m_eventFrames[0] = 0;
  p.m_lifetime = 100;
  p.m_yawSpeed = 5.0f;
  p.m_radius = 2.0f;
  ASSERT_TRUE(p.OnProcess());
  EXPECT_FLOAT_EQ(p.m_yawSpeed, 9.9f);
  EXPECT_FLOAT_EQ(p.m_radius, 2.396f);
  EXPECT_FLOAT_EQ(p.m_yaw, 9.9f);
  EXPECT_FLOAT_EQ(p.m_wanderDrift.y, -1.44f);
  EXPECT_FLOAT_EQ(p.m_baseOffset.y, 0.0f);
  EXPECT_NEAR(p.m_pos.x, 10.0f - std::sin(9.9f * kDeg) * 2.396f, 1e-5);
  EXPECT_FLOAT_EQ(p.m_pos.y, -1.44f);
}

TEST_F(EffectPrimitiveTest, BurstBecomesBounceAt65) {
  CEffectPrimitive& p = Make(SpriteBurst);
  p.m_lifetime = 100;
  p.m_radius = 4.0f;
  p.m_pitch = 90.0f;
  p.m_pitchSpeed = 3.0f;
  p.m_tickCount = 64;
  ASSERT_TRUE(p.OnProcess());
  EXPECT_EQ(p.m_pitchSpeed, 0.0f);  // held upright
  EXPECT_EQ(p.m_kind, SpriteBurst);
  EXPECT_NEAR(p.m_offset.y, -4.0f, 1e-5);  // pitched straight up
  platform::Srand(1);
  ASSERT_TRUE(p.OnProcess());
  EXPECT_EQ(p.m_kind, SpriteBounce);
  EXPECT_NEAR(p.m_matrix.m[2], -std::sin(41.0f * kDeg), 1e-6);
  EXPECT_NEAR(p.m_baseOffset.y, -4.0f, 1e-5);
  EXPECT_EQ(p.m_offset.y, 0.0f);
  EXPECT_FLOAT_EQ(p.m_speed, 0.37f);
  EXPECT_FLOAT_EQ(p.m_accel, 0.37f / 35.0f * -0.71428573f);
  EXPECT_FLOAT_EQ(p.m_riseSpeed, -0.34f);
  EXPECT_FLOAT_EQ(p.m_riseAccel, -0.34f / 35.0f * -8.0f);
}

TEST_F(EffectPrimitiveTest, BounceTurnsAFallBelowTheGround) {
  WithGround();
  m_owner.m_pos = {0.0f, 0.0f, 0.0f};
  CEffectPrimitive& p = Make(SpriteBounce);
  p.m_offset.y = -0.5f;
  p.m_riseSpeed = 1.0f;
  ASSERT_TRUE(p.OnProcess());
  EXPECT_FLOAT_EQ(p.m_pos.y, 0.5f);
  EXPECT_FLOAT_EQ(p.m_riseSpeed, -0.6666667f);
  ASSERT_TRUE(p.OnProcess());  // rising: no turn
  EXPECT_FLOAT_EQ(p.m_riseSpeed, -0.6666667f);
}

TEST_F(EffectPrimitiveTest, SwirlRingTurnsItsRingSpeedEveryEventPeriod) {
  CEffectPrimitive& p = Make(SwirlRing);
  p.m_primitiveFlags = 8;
  p.m_eventFrames[0] = 3;
  p.m_ringSpeed = 1.0f;
  p.m_outerRingRadius = 10.0f;
  std::vector<float> radii;
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(p.OnProcess());
    radii.push_back(p.m_outerRingRadius);
  }
  EXPECT_EQ(radii, (std::vector<float>{9.0f, 8.0f, 7.0f, 8.0f, 9.0f}));
}

TEST_F(EffectPrimitiveTest, FlatQuadStopsBelowTheGround) {
  WithGround();
  m_owner.m_pos = {0.0f, 0.0f, 0.0f};
  CEffectPrimitive& p = Make(FlatQuad);
  p.m_primitiveFlags = 4;
  p.m_matrix.MakeRotationX(90.0f * kDeg);  // forward points down
  p.m_baseOffset.y = -1.0f;
  p.m_speed = 0.6f;
  EXPECT_TRUE(p.OnProcess());
  EXPECT_NEAR(p.m_pos.y, -0.4f, 1e-5);
  EXPECT_FALSE(p.OnProcess());
  EXPECT_EQ(p.m_tickCount, 1);
}

TEST_F(EffectPrimitiveTest, Kind4NeitherMovesNorDraws) {
  CEffectPrimitive& p = Make(SpriteFlight);
  p.m_kind = static_cast<EffectPrimitiveKind>(4);
  p.m_pos = {1.0f, 2.0f, 3.0f};
  p.m_speed = 5.0f;
  testsupport::DebugLogCapture log;
  EXPECT_TRUE(p.OnProcess());
  EXPECT_EQ(p.m_pos.x, 1.0f);
  p.Render(m_rc, m_view);
  EXPECT_TRUE(log.Contains("Illegal Effect Primitive"));
  EXPECT_TRUE(log.Contains("CEffectPrimitive :: Render - invalid effect primitive"));
  EXPECT_TRUE(m_rc.m_noDepthTris.empty());
  EXPECT_TRUE(m_rc.m_spriteQuads.empty());
}

TEST_F(EffectPrimitiveTest, RoutingOfTrianglesAndSpriteLayers) {
  EXPECT_EQ(ChooseEffectQueue(0, true), EffectQueue::NoDepthTris);
  EXPECT_EQ(ChooseEffectQueue(kDepthTestedFlag, true), EffectQueue::ZLessEqualTris);
  EXPECT_EQ(ChooseEffectQueue(0, false, 0), EffectQueue::PaletteSprites);
  EXPECT_EQ(ChooseEffectQueue(kDepthTestedFlag, false, 0), EffectQueue::PaletteSprites);
  EXPECT_EQ(ChooseEffectQueue(0, false, 1), EffectQueue::TrueColourSprites);

  CTexture texture;
  CEffectPrimitive& beam = Make(BeamQuad);
  beam.m_trailCount = 3;
  beam.m_textures = {nullptr};  // a file that did not load
  beam.Render(m_rc, m_view);
  EXPECT_TRUE(m_rc.m_noDepthTris.empty());
  beam.m_textures = {&texture};
  beam.Render(m_rc, m_view);
  EXPECT_EQ(m_rc.m_noDepthTris[&texture].size(), 6u);  // two per slot
  beam.m_primitiveFlags = kDepthTestedFlag;
  beam.Render(m_rc, m_view);
  EXPECT_EQ(m_rc.m_zLessEqualTris[&texture].size(), 6u);
  beam.m_textures.clear();  // the test's own texture is not the primitive's to unlock
}

TEST_F(EffectPrimitiveTest, SpriteFramesQueueOneRecordPerTrailSlot) {
  slvtools::SprWriter spr(0x100);
  spr.AddImage(4, 6, std::vector<uint8_t>(24, 1));
  Write("data/sprite/a.spr", spr.Build());
  ActLayer layer;
  layer.x = -2;
  layer.y = -6;
  ActMotion motion;
  motion.layers = {layer};
  Write("data/sprite/a.act", slvtools::BuildAct(0x100, {ActAction{{motion}}}));

  CEffectPrimitive& p = Make(SpriteFlight);
  p.m_sprName = "a.spr";
  p.m_actName = "a.act";
  p.m_angle = 5.0f;
  p.m_trail[0].position = {10.0f, 4.0f, 100.0f};  // depth 102: k = 1 / 100
  p.m_trail[0].size = 1.0f;
  p.m_trail[0].packedColour = 0x80FFFFFFu;
  p.Render(m_rc, m_view);
  ASSERT_EQ(m_rc.m_spriteQuads.size(), 1u);
  const QueuedSpriteQuad& q = m_rc.m_spriteQuads[0];
  // Anchor (390, 260), scale 0.01 x 700 / 7 = 1, as the sprite actor lays it.
  EXPECT_FLOAT_EQ(q.top, 254.0f);
  EXPECT_FLOAT_EQ(q.bottom, 260.0f);
  EXPECT_FLOAT_EQ(q.left, 392.0f);
  EXPECT_FLOAT_EQ(q.right, 388.0f);
  EXPECT_FLOAT_EQ(q.rhwBottom, 0.01f);
  EXPECT_EQ(q.angle, 5);  // the layer keeps no angle in this version
  EXPECT_EQ(q.color, 0x80FFFFFFu);
  p.m_trailCount = 3;
  p.Render(m_rc, m_view);
  EXPECT_EQ(m_rc.m_spriteQuads.size(), 4u);
  // Wild numbers turn into whole ones without overflow.
  p.m_angle = 1e30f;
  p.m_trailCount = 1;
  p.Render(m_rc, m_view);
  EXPECT_EQ(m_rc.m_spriteQuads.back().angle, 2147483520 % 360);
}

TEST_F(EffectPrimitiveTest, AnAlphaThatIsNotANumberCountsAsClear) {
  CEffectPrimitive& p = Make(SpriteBounce);
  p.m_alpha = std::numeric_limits<float>::quiet_NaN();
  p.m_trailCount = 2;
  ASSERT_TRUE(p.OnProcess());
  EXPECT_EQ(p.m_trail[0].alpha, 0);
  EXPECT_EQ(p.m_trail[1].alpha, 0);
  EXPECT_EQ(p.m_packedColour >> 24, 0u);
}

TEST_F(EffectPrimitiveTest, NoSegmentsForAStepThatIsNotPositive) {
  CTexture texture;
  CEffectPrimitive& ring = Make(SweepRing);
  ring.m_textures = {&texture};
  ring.m_segmentStep = 0.0f;
  ring.Render(m_rc, m_view);
  ring.m_segmentStep = -30.0f;
  ring.Render(m_rc, m_view);
  EXPECT_TRUE(m_rc.m_noDepthTris[&texture].empty());
  ring.m_segmentStep = 30.0f;
  ring.Render(m_rc, m_view);
  EXPECT_EQ(m_rc.m_noDepthTris[&texture].size(), 24u);
  ring.m_textures.clear();
}

// An effect gone earlier in the tick: its primitives read nothing of it.
TEST_F(EffectPrimitiveTest, AnEffectDeletedBeforeTheSync) {
  CSelvarinEffect& effect = Spawn(205);
  CEffectPrimitive* p = effect.AddPrimitive(ScreenSprite);
  p->m_primitiveFlags = 0x30;
  m_field->Context().m_effects.remove(&effect);
  delete &effect;
  m_field->Context().SyncEffects();
  p->Render(m_rc, m_view);
  m_field->Context().UpdateEffects();
  EXPECT_TRUE(m_field->Context().m_effects.empty());
}

TEST_F(EffectPrimitiveTest, CameraFlagsTurnTheSprite) {
  CSelvarinEffect& effect = Spawn(206);
  effect.m_ownerHeading = 30.0f;
  CEffectPrimitive* p = effect.AddPrimitive(SpriteFlight);
  p->m_primitiveFlags = 0x30;
  for (float yaw : {0.0f, 100.0f, 400.0f, -200.0f}) {
    SCOPED_TRACE(yaw);
    m_field->View().m_yaw = yaw;
    p->PostProcess();
    EXPECT_FLOAT_EQ(p->m_angle, yaw - 30.0f);
    float q = std::fmod(360.0f - yaw + 30.0f, 360.0f);
    if (q < 0.0f) q += 360.0f;
    EXPECT_EQ(p->m_action, static_cast<int>(q) / 90);
  }
}

}  // namespace
