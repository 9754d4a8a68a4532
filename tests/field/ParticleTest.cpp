// Particles by motion type, their drawing, and the makers that spawn them
// near the leader into the context's effect list.
#include "field/ParticleEffect.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "field/ParticleMaker.h"
#include "render/PixelRC.h"
#include "tests/field/FieldActorFixture.h"

namespace {

class ParticleTest : public FieldActorTest {
 protected:
  ParticleTest() {
    m_leader.m_pos = Vec3{0.0f, 0.0f, 0.0f};
    Context().m_player = &m_leader;
  }
  ~ParticleTest() override {
    Context().m_player = nullptr;
    Context().FreeEffects();
  }

  // Ticks of the maker alone; what it spawns waits in the effect list.
  void RunMaker(CParticleMaker& maker, int ticks) {
    for (int k = 0; k < ticks; ++k) maker.OnProcess();
  }
  std::vector<CParticleEffect*> Particles() {
    std::vector<CParticleEffect*> found;
    for (CSelvarinActor* effect : Context().m_effects) {
      if (auto* p = dynamic_cast<CParticleEffect*>(effect)) found.push_back(p);
    }
    return found;
  }

  CSelvarinActor m_leader;
};

// The number of ticks that return true, and alphas after chosen ticks.
TEST_F(ParticleTest, MotionTypesEndAndFadeOnTheirTicks) {
  struct Probe {
    int32_t after;  // ticks run
    uint32_t alpha;
  };
  struct Case {
    int32_t type;
    uint32_t colour;
    int32_t lives;
    std::vector<Probe> probes;
  };
  const std::vector<Case> cases = {
      {0, 0xFFFFFFFFu, 101, {}},
      {1, 0xFFFFFFFFu, 101, {{1, 0x00}, {21, 0x80}, {45, 0xFF}, {61, 0xC0}}},
      {2, 0xFFFFFFFFu, 51, {{26, 0xFF}, {31, 0xC0}}},  // past 1 only the low byte: it pulses
      {3, 0xFFFFFFFFu, 91, {{61, 0xFF}, {62, 0xF7}, {91, 0x0F}}},
      {4, 0x66FFFFFFu, 61, {{1, 0x62}, {25, 0x02}, {26, 0x00}, {61, 0x00}}},  // stops at 0
      {6, 0xFFFFFFFFu, 51, {{1, 0x00}, {41, 0x60}}},
      {10, 0xFFFFFFFFu, 101, {{45, 0xFF}}},
      {12, 0xFFFFFFFFu, 15, {{1, 0xFF}, {15, 0x1F}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    CParticleEffect p;
    p.m_type = c.type;
    p.m_colour = c.colour;
    int32_t lives = 0;
    size_t probe = 0;
    while (lives < 1000 && p.OnProcess()) {
      ++lives;
      if (probe < c.probes.size() && c.probes[probe].after == lives) {
        EXPECT_EQ(p.m_colour >> 24, c.probes[probe].alpha) << "after " << lives;
        ++probe;
      }
    }
    EXPECT_EQ(lives, c.lives);
    EXPECT_EQ(probe, c.probes.size());
  }
  EXPECT_EQ(CParticleEffect::Alpha16(1.0f), 0x00u);  // 256 keeps its low byte
  EXPECT_EQ(CParticleEffect::Alpha16(0.99f), 0xF0u);
}

TEST_F(ParticleTest, AFallingDropBelowTheGroundBurstsAtOnceIntoNineSplashesOfItsOwner) {
  CParticleMaker owner;
  auto* drop = new CParticleEffect;
  drop->m_type = 9;
  drop->m_owner = &owner;
  drop->m_width = drop->m_height = 6;
  drop->m_pos = Vec3{1.0f, 5.0f, 1.0f};  // the ground is at 0, y grows downward
  drop->m_velocity.y = 0.9f;
  CParticleEffect::Spawn(drop);
  EXPECT_EQ(owner.m_liveCount, 1);
  Context().UpdateEffects();
  const std::vector<CParticleEffect*> splashes = Particles();
  ASSERT_EQ(splashes.size(), 9u);
  for (const CParticleEffect* s : splashes) {
    EXPECT_EQ(s->m_type, 0);
    EXPECT_EQ(s->m_owner, &owner);
    EXPECT_EQ(s->m_width, 4);
    EXPECT_EQ(s->m_falling, 1);
    EXPECT_EQ(s->m_tick, 0);  // put in front: they first run next tick
    EXPECT_FLOAT_EQ(s->m_velocity.y, 1.0f * -0.33333334f);
  }
  EXPECT_EQ(owner.m_liveCount, 9);
  // One still in the air falls on.
  auto* high = new CParticleEffect;
  high->m_type = 9;
  high->m_pos = Vec3{1.0f, -30.0f, 1.0f};
  CParticleEffect::Spawn(high);
  EXPECT_TRUE(high->OnProcess());
}

TEST_F(ParticleTest, ASnowFlakeDriftsDownAndMeltsBelowHeightZero) {
  CParticleEffect::AddSnowFlake(Vec3{5.0f, -10.0f, 5.0f}, 0.5f);
  ASSERT_EQ(Particles().size(), 1u);
  CParticleEffect* flake = Particles()[0];
  EXPECT_EQ(flake->m_texture, "눈.tga");
  int ticks = 0;
  while (ticks < 100 && flake->OnProcess()) ++ticks;
  EXPECT_GE(ticks, 16);  // 10 units at 0.5 to 0.58 a tick
  EXPECT_LE(ticks, 20);
  EXPECT_EQ(flake->m_colour >> 24, 0xFFu);
}

TEST_F(ParticleTest, RenderSkipsTheFirstTickClampsTheDepthAndDropsWhatIsOffScreen) {
  CRC565 rc;
  rc.SetViewSize(640, 480);
  rc.m_focalX = 700.0f;
  rc.m_focalY = 700.0f;
  Matrix view;
  CParticleEffect p;
  p.m_type = 3;
  p.m_colour = 0x10FFFFFFu;
  p.m_width = p.m_height = 10;
  p.m_pos = Vec3{0.0f, 0.0f, 5.0f};  // nearer than 12
  p.Render(rc, view);
  EXPECT_TRUE(rc.m_quadsA.empty());
  p.m_tick = 1;
  p.Render(rc, view);
  ASSERT_EQ(rc.m_quadsA.size(), 1u);
  const QueuedQuad& q = rc.m_quadsA[0];
  EXPECT_FLOAT_EQ(q.rhw, 0.1f);
  EXPECT_NEAR(q.right - q.left, 2 * 10 * 70.0f * 0.14285715f, 1e-3f);
  EXPECT_EQ(q.color, 0xFFFFFFFFu);  // type 3 is opaque
  p.m_pos.x = 500.0f;
  p.Render(rc, view);
  EXPECT_EQ(rc.m_quadsA.size(), 1u);
}

TEST_F(ParticleTest, AMakerSpawnsOnlyNearTheLeader) {
  CParticleMaker maker;
  maker.m_kind = 1;
  maker.m_pos = Vec3{100.01f, 0.0f, 0.0f};
  RunMaker(maker, 3);
  EXPECT_TRUE(Particles().empty());
  EXPECT_EQ(maker.m_tick, 0);
  maker.m_pos.x = 100.0f;
  RunMaker(maker, 1);
  EXPECT_EQ(Particles().size(), 1u);
  EXPECT_EQ(maker.m_tick, 1);
  Context().m_player = nullptr;  // a failed map: idle
  RunMaker(maker, 1);
  EXPECT_EQ(maker.m_tick, 1);
  maker.m_tick = INT_MAX;
  Context().m_player = &m_leader;
  RunMaker(maker, 1);
  EXPECT_EQ(maker.m_tick, 0);
}

TEST_F(ParticleTest, KindZeroSplashesEvery67TicksAndItsSplashesLive101Ticks) {
  auto* maker = new CParticleMaker;
  maker->m_kind = 0;
  maker->m_pos = Vec3{0.0f, -2.0f, 0.0f};
  Context().m_effects.push_back(maker);
  Context().UpdateEffects();
  std::vector<CParticleEffect*> made = Particles();
  ASSERT_EQ(made.size(), 10u);
  int ripples = 0;
  for (const CParticleEffect* p : made) {
    if (p->m_type == 2) {
      ++ripples;
      EXPECT_EQ(p->m_texture, "물파동.tga");
      EXPECT_FLOAT_EQ(p->m_pos.y, 2.0f);
    } else {
      EXPECT_EQ(p->m_texture, "물튀기.tga");
      EXPECT_FLOAT_EQ(p->m_velocity.y, -0.7f);
      EXPECT_GE(p->m_velocity.x, -0.25f);
      EXPECT_LT(p->m_velocity.x, 0.25f);
    }
  }
  EXPECT_EQ(ripples, 1);
  for (int k = 1; k < 67; ++k) Context().UpdateEffects();
  EXPECT_EQ(Particles().size(), 9u);  // the ripple lived 51 ticks
  Context().UpdateEffects();  // tick 67
  EXPECT_EQ(Particles().size(), 19u);
  for (int k = 68; k <= 102; ++k) Context().UpdateEffects();
  EXPECT_EQ(Particles().size(), 10u);  // the first splashes ran ticks 0 to 100
  EXPECT_EQ(maker->m_liveCount, 10);
}

TEST_F(ParticleTest, LimitedKindsStopAtTwentyLiveAndResume) {
  CParticleMaker maker;
  maker.m_kind = 6;
  RunMaker(maker, 25);
  EXPECT_EQ(Particles().size(), 20u);
  EXPECT_EQ(maker.m_liveCount, 20);
  maker.OnMessage(nullptr, CParticleEffect::kGone, 0, 0, 0);
  RunMaker(maker, 3);
  EXPECT_EQ(Particles().size(), 21u);
  for (int k = 0; k < 30; ++k) maker.OnMessage(nullptr, CParticleEffect::kGone, 0, 0, 0);
  EXPECT_EQ(maker.m_liveCount, 0);
}

TEST_F(ParticleTest, ABurstRunsASwitchedOffMakerForOneTick) {
  CParticleMaker maker;
  maker.m_kind = 16;
  maker.OnMessage(nullptr, 2, 0, 0, 0);
  RunMaker(maker, 2);
  EXPECT_TRUE(Particles().empty());
  maker.OnMessage(nullptr, 9, 0, 0, 0);
  RunMaker(maker, 1);
  EXPECT_EQ(Particles().size(), 1u);
  EXPECT_FLOAT_EQ(Particles()[0]->m_scale, 1.5f);
  EXPECT_EQ(maker.m_visible, 0);
  EXPECT_EQ(maker.m_burst, 0);
  maker.m_tick = 70;
  RunMaker(maker, 1);
  EXPECT_EQ(Particles().size(), 1u);
  maker.OnMessage(nullptr, 1, 0, 0, 0);
  RunMaker(maker, 1);
  EXPECT_EQ(Particles().size(), 2u);
}

TEST_F(ParticleTest, ACampfireDrawsItsFlameAndMostlyAFlare) {
  CRC565 rc;
  rc.SetViewSize(640, 480);
  rc.m_focalX = rc.m_focalY = 700.0f;
  Matrix view;
  CParticleMaker fire;
  fire.m_kind = 3;
  fire.m_pos = Vec3{0.0f, 0.0f, 50.0f};
  for (int k = 0; k < 40; ++k) fire.Render(rc, view);
  EXPECT_GT(rc.m_quadsA.size(), 40u + 10u);
  EXPECT_LT(rc.m_quadsA.size(), 80u);
  fire.m_visible = 0;
  rc.m_quadsA.clear();
  fire.Render(rc, view);
  EXPECT_TRUE(rc.m_quadsA.empty());
}

}  // namespace
