// The casting builders, the magic circle and the catalogue's other
// timelines: what they make and when, and that every number of the dispatch
// draws within its life with pictures the sample has.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "effect/EffectPrimitive.h"
#include "effect/SelvarinEffect.h"
#include "engine/AppShell.h"
#include "engine/ResMgr.h"
#include "platform/Random.h"
#include "render/TgaTextureMgr.h"
#include "tests/effect/EffectTestSupport.h"
#include "tests/render/TextureTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using effecttest::CRecordingOwner;

class EffectTimelineTest : public TextureDeviceTest {
 protected:
  EffectTimelineTest() : m_owner(&m_codes) {
    m_savedTexturePath = g_texturePath;
    g_texturePath = "\\texture\\";
    m_owner.m_screenX = 320;
    m_owner.m_screenY = 240;
    m_owner.m_pos = Vec3{10.0f, 0.0f, 20.0f};
    platform::Srand(3);
  }
  ~EffectTimelineTest() override {
    m_field.Context().FreeEffects();
    CTgaTextureMgr::GetInstance().ReleaseAll();
    CResMgr::GetInstance().UnloadResources();
    g_texturePath = m_savedTexturePath;
  }

  CSelvarinEffect& Spawn(EffectId id) {
    m_owner.SpawnEffect(id);
    return *m_owner.m_effects.back();
  }
  // One field tick of the effects: the walk, then the follow-up.
  void Tick() {
    m_field.Context().UpdateEffects();
    m_field.Context().SyncEffects();
  }
  // The primitives alive in the context that belong to the effect.
  std::vector<CEffectPrimitive*> PiecesOf(const CSelvarinEffect* effect) {
    std::vector<CEffectPrimitive*> out;
    for (CSelvarinActor* actor : m_field.Context().m_effects) {
      auto* p = dynamic_cast<CEffectPrimitive*>(actor);
      if (p != nullptr && p->GetEffect() == effect) out.push_back(p);
    }
    return out;
  }
  std::vector<CEffectPrimitive*> OfKind(const CSelvarinEffect* effect, EffectPrimitiveKind kind) {
    std::vector<CEffectPrimitive*> out;
    for (CEffectPrimitive* p : PiecesOf(effect)) {
      if (p->m_kind == kind) out.push_back(p);
    }
    return out;
  }
  bool Alive(const CSelvarinActor* actor) {
    const auto& list = m_field.Context().m_effects;
    return std::find(list.begin(), list.end(), actor) != list.end();
  }
  // The sample's effect pictures and sprites, built from their sources.
  void StageSample() {
    std::string error;
    ASSERT_TRUE(effecttest::StageSampleEffects(
        [this](const std::string& name, const std::string& bytes) { WriteData(name, bytes); }, &error))
        << error;
  }

  std::vector<int> m_codes;
  effecttest::FieldFrame m_field;
  CRecordingOwner m_owner;
  std::string m_savedTexturePath;
};

TEST_F(EffectTimelineTest, LightGatheringGathersTwentyOneSparksAndRingsOnce) {
  CSelvarinEffect& effect = Spawn(1011);
  std::set<CEffectPrimitive*> sparks;
  CEffectPrimitive* ring = nullptr;
  for (int t = 0; t < 50; ++t) {
    Tick();
    for (CEffectPrimitive* p : OfKind(&effect, SpriteFlight)) sparks.insert(p);
    const auto rings = OfKind(&effect, ScreenRing);
    if (t < 25) {
      EXPECT_TRUE(rings.empty()) << t;
    }
    if (t == 25) {
      ASSERT_EQ(rings.size(), 1u);
      ring = rings[0];
      EXPECT_EQ(ring->m_pos.x, 320.0f);
    }
    if (t < 49) {
      // The sparks gather 5 above the feet; the follow-up puts the feet back.
      EXPECT_EQ(effect.m_ownerPos.y, 0.0f);
      EXPECT_EQ(Alive(ring), t >= 25);
    }
  }
  EXPECT_EQ(sparks.size(), 21u);
  // The effect ends at 50 and lets its ring go in the same walk.
  EXPECT_FALSE(Alive(&effect));
  EXPECT_FALSE(Alive(ring));
}

TEST_F(EffectTimelineTest, ALightGatheringSparkTurnsBackAfterTwentySevenFrames) {
  platform::Srand(11);
  CSelvarinEffect& effect = Spawn(1011);
  Tick();
  const auto sparks = OfKind(&effect, SpriteFlight);
  ASSERT_EQ(sparks.size(), 3u);
  CEffectPrimitive* spark = sparks[0];
  EXPECT_FLOAT_EQ(spark->m_anchor.y - spark->m_baseOffset.y, -5.0f);  // 5 above the feet
  EXPECT_FLOAT_EQ(spark->m_alphaMax, 150.0f);
  EXPECT_EQ(spark->m_trailCount, 20);
  for (int t = 1; t < 27; ++t) Tick();
  EXPECT_LT(spark->m_speed, 0.0f);  // 27 updates: still coming in
  Tick();
  EXPECT_GT(spark->m_speed, 0.0f);
}

TEST_F(EffectTimelineTest, TheCastingCircleTurnsThreeRingsThatFadeFromFrameOneHundred) {
  CSelvarinEffect& effect = Spawn(1012);
  Tick();
  const auto rings = OfKind(&effect, SwirlRing);
  ASSERT_EQ(rings.size(), 3u);
  const float speeds[] = {3.0f, 3.5f, 4.0f};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_FLOAT_EQ(rings[i]->m_yawSpeed, speeds[i]);
    EXPECT_EQ(rings[i]->m_primitiveFlags, 0x20005);
    EXPECT_EQ(rings[i]->m_eventFrames[1], 60);
  }
  for (int t = 1; t < 30; ++t) Tick();
  const float grown = rings[0]->m_width;  // grows for 20 frames, then holds
  for (int t = 30; t < 60; ++t) Tick();
  EXPECT_FLOAT_EQ(rings[0]->m_width, grown);
  for (int t = 60; t < 100; ++t) Tick();
  EXPECT_FLOAT_EQ(rings[0]->m_alpha, 255.0f);
  EXPECT_LT(rings[0]->m_width, grown);  // shrinking since frame 60
  Tick();
  EXPECT_LT(rings[0]->m_alpha, 255.0f);
}

TEST_F(EffectTimelineTest, GlowRingAndScreenPulse) {
  CSelvarinEffect& glow = Spawn(1010);
  CSelvarinEffect& pulse = Spawn(226);
  for (int t = 0; t < 3; ++t) Tick();
  const auto glows = OfKind(&glow, ScreenRing);
  ASSERT_EQ(glows.size(), 1u);
  EXPECT_EQ(glows[0]->m_baseOffset.y, -20.0f);
  EXPECT_EQ(glows[0]->m_primitiveFlags, 1);
  EXPECT_FLOAT_EQ(glows[0]->m_alphaStep, 8.5333338f);
  EXPECT_FLOAT_EQ(glows[0]->m_size, glows[0]->m_radius);
  EXPECT_EQ(OfKind(&pulse, ScreenRing).size(), 2u);  // ticks 0 and 2
}

TEST_F(EffectTimelineTest, GroundRingsTellTheOwnerAtOnceAndOneShakes) {
  CSelvarinEffect& shrinking = Spawn(218);
  Tick();
  EXPECT_EQ(std::count(m_codes.begin(), m_codes.end(), 60), 1);
  const auto flat = OfKind(&shrinking, SweepRing);
  ASSERT_EQ(flat.size(), 1u);
  EXPECT_EQ(flat[0]->m_primitiveFlags, 0x20000);
  EXPECT_EQ(flat[0]->m_blue, 50);
  m_codes.clear();
  Spawn(1017);
  std::vector<float> shakes;
  for (int t = 0; t < 5; ++t) {
    Tick();
    shakes.push_back(m_field.View().m_offset.z);
  }
  EXPECT_EQ(std::count(m_codes.begin(), m_codes.end(), 60), 1);
  EXPECT_EQ(shakes, (std::vector<float>{-10.0f, -10.0f, 10.0f, 10.0f, -10.0f}));
}

TEST_F(EffectTimelineTest, TheMagicCircleMakesItsFourGroupsAndTintsOnlyTheDisc) {
  CSelvarinEffect& effect = Spawn(210);
  int discs = 0, rising = 0, spreading = 0, sparks = 0;
  for (int t = 0; t < 70; ++t) {
    Tick();
    for (const CEffectPrimitive* p : PiecesOf(&effect)) {
      if (p->m_tickCount != 1) continue;  // made before this tick
      const bool tinted = p->m_red != 255 || p->m_green != 255 || p->m_blue != 255;
      if (p->m_kind == SweepRing) {
        ++discs;
        EXPECT_EQ(p->m_primitiveFlags, 0x20001);
        EXPECT_EQ(p->m_red, 30);
        EXPECT_EQ(p->m_green, 255);
        EXPECT_FLOAT_EQ(p->m_size, -p->m_radius);
        continue;
      }
      EXPECT_FALSE(tinted) << p->m_kind;
      if (p->m_kind == SwirlRing) ++(p->m_yawSpeed > 0.0f ? rising : spreading);
      if (p->m_kind == SpriteFlight) ++sparks;
    }
  }
  EXPECT_EQ(discs, 1);
  EXPECT_EQ(rising, 5);
  EXPECT_EQ(spreading, 7);
  EXPECT_EQ(sparks, 140);
}

// Every number of the dispatch but 209 makes a piece, or moves the view,
// within its life, and nothing of it is left a tick after it ends. The
// numbers built here draw only pictures and sprites the sample has.
TEST_F(EffectTimelineTest, EveryDispatchedNumberDrawsWithinItsLife) {
  StageSample();
  const std::set<EffectId> sampled = {
      205, 208, 210, 211, 212, 215, 217, 218, 219, 220, 223, 224, 225, 226, 227, 228, 229, 231, 232, 233,
      239, 241, 242, 243, 244, 245, 246, 247, 248, 249, 250, 251, 252, 253, 254, 255, 256, 257, 258, 259,
      260, 261, 262, 263, 264, 266, 268, 269, 270, 1000, 1001, 1002, 1009, 1010, 1011, 1012, 1013, 1014, 1015,
      1016, 1017};
  for (EffectId id = 0; id < 2010; ++id) {
    bool listed = false;
    if (CSelvarinEffect::FindBuilder(id, &listed) == nullptr) continue;
    SCOPED_TRACE(id);
    m_field.View().m_offset = Vec3{};
    CSelvarinEffect& effect = Spawn(id);
    // The sprite builders act at tick 0 only; a short life shows them.
    if (sampled.count(id) == 0) effect.m_lifetime = std::min(effect.m_lifetime, 5);
    const int32_t lifetime = effect.m_lifetime;
    std::vector<CEffectPrimitive*> last;
    bool drew = false;
    if (lifetime == 0) {
      // Its pieces go with it in its one tick: they are made, never shown.
      effect.OnProcess();
      drew = !effect.GetPrimitives().empty();
    }
    bool shook = false;
    std::set<std::string> missing;
    for (int t = 0; t < std::max(lifetime, 1) && Alive(&effect); ++t) {
      Tick();
      shook = shook || m_field.View().m_offset.x != 0.0f || m_field.View().m_offset.z != 0.0f;
      last = PiecesOf(&effect);
      drew = drew || !last.empty();
      if (sampled.count(id) == 0) continue;
      for (CEffectPrimitive* p : last) {
        if (p->m_tickCount != 1) continue;  // looked at when it was made
        for (CTexture* texture : p->m_textures) {
          if (texture == nullptr) missing.insert("a texture of kind " + std::to_string(p->m_kind));
        }
        if (!p->m_actName.empty() && (CResMgr::GetInstance().GetResStr(p->m_actName) == nullptr ||
                                      CResMgr::GetInstance().GetResStr(p->m_sprName) == nullptr)) {
          missing.insert(p->m_sprName);
        }
      }
    }
    EXPECT_TRUE(drew || shook);
    EXPECT_TRUE(missing.empty()) << *missing.begin();
    EXPECT_FALSE(Alive(&effect)) << "lives past " << lifetime;
    Tick();
    for (CEffectPrimitive* p : last) EXPECT_FALSE(Alive(p));
  }
}

}  // namespace
