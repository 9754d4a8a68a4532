// What the builders make at tick 0, in what order they draw rand, what they
// tell their owners, and how the shakes move the view.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "effect/EffectPrimitive.h"
#include "effect/SelvarinEffect.h"
#include "platform/Random.h"
#include "tests/effect/EffectTestSupport.h"

namespace {

using effecttest::CRecordingOwner;

constexpr int kSeed = 12345;

class EffectBuilderTest : public ::testing::Test {
 protected:
  // An effect outside the context's walk, so its ticks run one at a time.
  std::unique_ptr<CSelvarinEffect> Make(EffectId id) {
    auto effect = std::make_unique<CSelvarinEffect>();
    effect->Init(&m_owner, id);
    platform::Srand(kSeed);
    return effect;
  }
  CSelvarinFrame& Frame() { return *dynamic_cast<CSelvarinFrame*>(g_pCurrentFrame); }

  std::vector<int> m_codes;
  effecttest::FieldFrame m_field;
  CRecordingOwner m_owner{&m_codes};
};

TEST_F(EffectBuilderTest, WhatTickZeroMakes) {
  const std::pair<EffectId, size_t> cases[] = {
      {202, 62}, {203, 92}, {204, 92}, {206, 46}, {207, 1},  {213, 0},  {216, 2},  {0, 1},  {68, 1},
      {222, 1},  {1003, 1}, {1018, 8}, {1023, 1}, {1025, 5}, {1026, 1}, {1032, 1}, {2000, 1}, {1069, 1},
  };
  for (const auto& [id, count] : cases) {
    auto effect = Make(id);
    effect->OnProcess();
    EXPECT_EQ(effect->GetPrimitives().size(), count) << id;
    effect->OnProcess();
    EXPECT_EQ(effect->GetPrimitives().size(), count) << id << " makes nothing after tick 0";
  }
}

TEST_F(EffectBuilderTest, SectorCentres) {
  const std::pair<int, float> cases[] = {{0, 45}, {89, 45}, {90, 135}, {350, 315}, {405, 405}, {-30, 45}, {-100, -45}};
  for (const auto& [a, centre] : cases) EXPECT_EQ(CSelvarinEffect::SnapToSectorCentre(a), centre) << a;
}

TEST_F(EffectBuilderTest, AHitFacesTheSnappedHeading) {
  m_owner.m_angle = 350.0f;
  auto effect = Make(202);
  effect->OnProcess();
  const std::vector<CEffectPrimitive*> p(effect->GetPrimitives().begin(), effect->GetPrimitives().end());
  EXPECT_EQ(p[0]->m_kind, SwirlRing);
  EXPECT_EQ(p[0]->m_yaw, 315.0f);
  for (int i = 1; i <= 30; ++i) {
    EXPECT_EQ(p[i]->m_kind, SpriteFlight);
    EXPECT_GE(p[i]->m_yaw, 455.0f);
    EXPECT_LE(p[i]->m_yaw, 534.0f);
  }
  EXPECT_EQ(p[31]->m_kind, SweepRing);
  EXPECT_EQ(p[31]->m_radius, 5.0f);
  for (int i = 32; i < 62; ++i) {
    EXPECT_EQ(p[i]->m_kind, SpriteBounce);
    EXPECT_GE(p[i]->m_yaw, 275.0f);
    EXPECT_LE(p[i]->m_yaw, 354.0f);
    EXPECT_LT(p[i]->m_riseSpeed, 0.0f) << "thrown up";
  }
}

// Each spray draws rand in its own order; the first of each is replayed.
// Every actor draws one number as it is constructed, primitives included.
TEST_F(EffectBuilderTest, SpraysDrawInTheirOwnOrder) {
  auto Draws = [](int skip, int n) {
    platform::Srand(kSeed);
    for (int i = 0; i < skip; ++i) platform::Rand();
    std::vector<int> r(n);
    for (int& v : r) v = platform::Rand();
    return r;
  };
  {  // 202: forward sparks take speed before lifetime
    auto effect = Make(202);
    effect->OnProcess();
    const CEffectPrimitive* spark = *std::next(effect->GetPrimitives().begin());
    const std::vector<int> r = Draws(2, 6);
    EXPECT_EQ(spark->m_speed, static_cast<float>(r[3] % 90 + 60) * 0.01f);
    EXPECT_EQ(spark->m_lifetime, r[4] % 29 + 6);
    EXPECT_EQ(spark->m_size, static_cast<float>(r[5] % 100 + 30) * 0.01f);
  }
  {  // 202: back sparks take lifetime before speed
    auto effect = Make(202);
    effect->OnProcess();
    const CEffectPrimitive* spark = *std::next(effect->GetPrimitives().begin(), 32);
    const std::vector<int> r = Draws(1 + 30 * 7 + 1 + 1, 7);
    EXPECT_EQ(spark->m_yaw, static_cast<float>(r[0] % 80 + 45 - 40));
    EXPECT_EQ(spark->m_lifetime, r[3] % 29 + 6);
    EXPECT_EQ(spark->m_speed, static_cast<float>(r[4] % 90 + 60) * 0.01f);
    EXPECT_EQ(spark->m_riseSpeed, -static_cast<float>(r[5] % 90 + 30) * 0.01f);
  }
  {  // 206: speed, lifetime, rise; the size stays 1
    auto effect = Make(206);
    effect->OnProcess();
    const CEffectPrimitive* spark = *std::next(effect->GetPrimitives().begin());
    const std::vector<int> r = Draws(2, 6);
    EXPECT_EQ(spark->m_speed, static_cast<float>(r[3] % 120 + 30) * 0.01f);
    EXPECT_EQ(spark->m_lifetime, r[4] % 34 + 6);
    EXPECT_EQ(spark->m_riseSpeed, -static_cast<float>(r[5] % 250 + 50) * 0.01f);
    EXPECT_EQ(spark->m_size, 1.0f);
    EXPECT_EQ(spark->m_trailCount, 10);
  }
  {  // 1025: the piece number last, one for both files
    auto effect = Make(1025);
    effect->OnProcess();
    const CEffectPrimitive* shard = effect->GetPrimitives().front();
    const std::vector<int> r = Draws(1, 6);
    EXPECT_EQ(shard->m_lifetime, r[1] % 39 + 6);
    EXPECT_EQ(shard->m_speed, static_cast<float>(r[2] % 90 + 50) * 0.01f);
    EXPECT_EQ(shard->m_size, static_cast<float>(r[4] % 100 + 30) * 0.01f);
    const std::string piece = "effect\\기데온_쪼가리" + std::to_string(r[5] % 8 + 1);
    EXPECT_EQ(shard->m_sprName, piece + ".spr");
    EXPECT_EQ(shard->m_actName, piece + ".act");
  }
}

TEST_F(EffectBuilderTest, SmallHitsAndMarks) {
  {
    auto effect = Make(1018);
    effect->OnProcess();
    const CEffectPrimitive* p = effect->GetPrimitives().front();
    platform::Srand(kSeed);
    platform::Rand();  // the primitive's own
    const int r1 = platform::Rand(), r2 = platform::Rand(), r3 = platform::Rand();
    EXPECT_EQ(p->m_baseOffset.x, static_cast<float>(r3 % 12 - 6));
    EXPECT_EQ(p->m_baseOffset.y, static_cast<float>(r2 % 12 - 16));
    EXPECT_EQ(p->m_baseOffset.z, static_cast<float>(r1 % 12 - 6));
    EXPECT_EQ(p->m_motion, 0) << "no motions without the sprite";
  }
  {
    auto effect = Make(1026);
    effect->OnProcess();
    const CEffectPrimitive* p = effect->GetPrimitives().front();
    EXPECT_EQ(p->m_size, 0.0f);
    EXPECT_EQ(p->m_sizeSpeed, 0.25f);
    EXPECT_FLOAT_EQ(p->m_sizeAccel, -0.25f / static_cast<float>(effect->m_lifetime));
    EXPECT_EQ(p->m_alpha, 0.0f);
  }
}

TEST_F(EffectBuilderTest, TheShieldFacesTheSnappedQuadrant) {
  m_field.View().m_yaw = 0.0f;
  m_owner.m_angle = 45.0f;  // 405: its own sector's centre, less 360
  auto effect = Make(1032);
  effect->OnProcess();
  const CEffectPrimitive* p = effect->GetPrimitives().front();
  EXPECT_EQ(p->m_action, 0);
  EXPECT_EQ(p->m_primitiveFlags, 0x20020);
  EXPECT_NEAR(p->m_baseOffset.y, -5.0f, 1e-6f);
  m_owner.m_angle = 200.0f;  // 560 -> 585 -> 225
  auto turned = Make(1032);
  turned->OnProcess();
  EXPECT_EQ(turned->GetPrimitives().front()->m_action, 2);
}

TEST_F(EffectBuilderTest, ZeroFadeShowsAtFullAlpha) {
  auto effect = Make(1007);
  effect->OnProcess();
  const CEffectPrimitive* p = effect->GetPrimitives().front();
  EXPECT_EQ(p->m_alpha, p->m_alphaMax);
  EXPECT_EQ(p->m_alphaStep, 0.0f);
}

// Ticks at which the owner heard each code.
std::vector<std::pair<int, int>> RunAndRecord(CSelvarinEffect& effect, std::vector<int>& codes, int ticks) {
  std::vector<std::pair<int, int>> heard;
  for (int tick = 0; tick < ticks; ++tick) {
    codes.clear();
    effect.OnProcess();
    for (int code : codes) heard.emplace_back(tick, code);
  }
  codes.clear();
  return heard;
}

TEST_F(EffectBuilderTest, SpritesTellTheirOwnersEveryFortyTicksAndAtTheEnd) {
  auto flying = Make(222);
  flying->m_lifetime = 500;
  std::vector<std::pair<int, int>> expected;
  for (int tick = 0; tick < 500; tick += 40) expected.emplace_back(tick, 60);
  expected.emplace_back(499, 61);
  EXPECT_EQ(RunAndRecord(*flying, m_codes, 500), expected);

  auto battle = Make(1004);
  battle->m_spriteMode = 1;  // no word of the last tick
  battle->m_lifetime = 50;
  EXPECT_EQ(RunAndRecord(*battle, m_codes, 50), (std::vector<std::pair<int, int>>{{0, 60}, {40, 60}}));

  auto monster = Make(2001);
  monster->m_lifetime = 50;
  EXPECT_TRUE(RunAndRecord(*monster, m_codes, 50).empty());
}

TEST_F(EffectBuilderTest, AStillSpriteStaysWhereItWasMade) {
  m_owner.m_pos = Vec3{10.0f, 0.0f, 10.0f};
  auto effect = Make(1069);
  const int lifetime = effect->m_lifetime;
  std::vector<std::pair<int, int>> heard;
  for (int tick = 0; tick < lifetime; ++tick) {
    m_codes.clear();
    effect->OnProcess();
    effect->PostProcess();
    for (int code : m_codes) heard.emplace_back(tick, code);
    m_owner.m_pos.x += 5.0f;
  }
  m_codes.clear();
  EXPECT_EQ(heard, (std::vector<std::pair<int, int>>{{0, 60}}));
  EXPECT_EQ(effect->m_ownerPos.x, 10.0f);
}

TEST_F(EffectBuilderTest, ShakesFlipOnEvenTicksAndGiveTheOffsetBack) {
  auto effect = Make(214);
  const float expected[] = {-10, -10, 10, 10, -10, -10};
  for (float z : expected) {
    effect->OnProcess();
    EXPECT_EQ(m_field.View().m_offset.x, 0.0f);
    EXPECT_EQ(m_field.View().m_offset.z, z);
  }
  effect.reset();
  EXPECT_EQ(m_field.View().m_offset.z, 0.0f);

  auto burst = Make(216);
  for (int tick = 0; tick <= 22; ++tick) burst->OnProcess();
  EXPECT_EQ(m_field.View().m_offset.x, -1.0f) << "eleven flips, the last at tick 20";
  Frame().m_overlayState = 4;  // the HUD's quake holds the view
  burst.reset();
  EXPECT_EQ(m_field.View().m_offset.x, -1.0f);
  Frame().m_overlayState = 0;
}

TEST_F(EffectBuilderTest, TheHelixStartsOnItsCircle) {
  auto effect = Make(207);
  effect->OnProcess();
  const CEffectPrimitive* p = effect->GetPrimitives().front();
  platform::Srand(kSeed);
  platform::Rand();  // the primitive's own
  const float radius = static_cast<float>(platform::Rand() % 10 + 10);
  const float yaw = static_cast<float>(platform::Rand() % 360);
  EXPECT_EQ(p->m_radius, radius);
  EXPECT_EQ(p->m_yaw, yaw);
  EXPECT_EQ(p->m_trailCount, 40);
  EXPECT_NEAR(p->m_p1.x - p->m_anchor.x, std::sin(yaw * kDegToRad) * radius, 1e-4f);
  EXPECT_NEAR(p->m_p1.z - p->m_anchor.z, -std::cos(yaw * kDegToRad) * radius, 1e-4f);
  EXPECT_EQ(p->m_p2.y - p->m_anchor.y, -0.25f);
  EXPECT_EQ(p->m_p3.y, p->m_p1.y - 2.0f);
}

}  // namespace
