// The field's sprite character: its motion on a tiny map, its command
// messages, and its balloons, crowd captions and effects going in every
// order.
#include "field/SelvarinActor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "effect/SelvarinEffect.h"
#include "engine/ResMgr.h"
#include "engine/SoundDevice.h"
#include "field/BlurActor.h"
#include "field/EffectSpr.h"
#include "field/SysexCrowd.h"
#include "platform/Random.h"
#include "tests/field/FieldActorFixture.h"
#include "tests/render/BoxActor.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/ActWriter.h"

namespace {

bool Logged(const testsupport::DebugLogCapture& log, const std::string& text) {
  const auto& lines = log.Lines();
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

template <class T>
bool Listed(const std::list<T>& list, const void* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

class SelvarinActorTest : public FieldActorTest {
 protected:
  SelvarinActorTest() {
    m_actor.Init();
    Stand(0, 0, 0);
  }
  ~SelvarinActorTest() override { g_soundEnabled = m_savedSound; }

  void Stand(float x, float y, float z) {
    m_actor.m_pos = Vec3{x, y, z};
    m_actor.m_inAir = 0;
    m_actor.m_velocity = Vec3{};
  }

  int32_t m_savedSound = g_soundEnabled;
  CSelvarinActor m_actor;
};

TEST_F(SelvarinActorTest, ConstructionValues) {
  platform::Srand(7);
  const int expected = platform::Rand();
  platform::Srand(7);
  const CSelvarinActor actor;
  EXPECT_EQ(actor.m_random, expected);
  EXPECT_EQ(actor.m_visible, 1);
  EXPECT_EQ(actor.m_drawShadow, 1);
  EXPECT_EQ(actor.m_solid, 1);
  EXPECT_EQ(actor.m_initLine, -1);
  EXPECT_EQ(actor.m_afterimageLength, 20);
  EXPECT_EQ(actor.m_afterimageColour, 0xFFFFFF);
  EXPECT_EQ(actor.m_alwaysFull, 0);
  EXPECT_EQ(actor.m_balloon, nullptr);
  EXPECT_EQ(actor.m_crowd, nullptr);
  std::unique_ptr<CActor> made(CreateActorByName("selvarinactor"));
  EXPECT_NE(dynamic_cast<CSelvarinActor*>(made.get()), nullptr);
}

TEST_F(SelvarinActorTest, AThrownActorRisesKeepsItsSpeedAndLandsOnlyMovingDown) {
  // Under the ground at 0 (larger y is lower), thrown up and along x.
  m_actor.m_pos.y = 2.0f;
  m_actor.m_tickCount = 9;
  m_actor.OnMessage(nullptr, 27, 50, 0, 100);
  EXPECT_EQ(m_actor.m_state, CSelvarinActor::kModeThrown);
  EXPECT_EQ(m_actor.m_tickCount, 0);
  EXPECT_FLOAT_EQ(m_actor.m_angle, 90.0f);
  int ticks = 0;
  while (m_actor.m_inAir != 0 && ticks < 50) {
    m_actor.ApplyFalling(1.0f);
    m_actor.Move();
    ++ticks;
    if (m_actor.m_inAir != 0) {
      EXPECT_EQ(m_actor.m_velocity.x, 0.5f) << ticks;
    }
  }
  // y 1 and 0.25 on the first two ticks, under the ground but rising; the
  // top at -0.5 on the fourth, and back past 0 on the seventh.
  EXPECT_EQ(ticks, 7);
  EXPECT_EQ(m_actor.m_pos.y, 0.0f);
  EXPECT_EQ(m_actor.m_state, CSelvarinActor::kModeStand);
  // The first step, from under the ground, is held back.
  EXPECT_FLOAT_EQ(m_actor.m_pos.x, 3.0f);
  EXPECT_EQ(m_actor.m_velocity.x, 0.0f);  // standing again
}

TEST_F(SelvarinActorTest, StepsUnder3AreFollowedAndADropOf3Falls) {
  SetCell(1, 1, 0, 2.9f);
  SetCell(6, 1, 0, 3.0f);
  Stand(1, 0, 1);
  m_actor.ApplyFalling(1.0f);
  EXPECT_FLOAT_EQ(m_actor.m_pos.y, 2.9f);
  EXPECT_FLOAT_EQ(m_actor.m_groundHeight, 2.9f);
  EXPECT_EQ(m_actor.m_inAir, 0);
  Stand(6, 0, 1);
  m_actor.ApplyFalling(2.0f);
  EXPECT_EQ(m_actor.m_pos.y, 0.0f);
  EXPECT_EQ(m_actor.m_inAir, 1);
  EXPECT_FLOAT_EQ(m_actor.m_velocity.y, 0.6f);  // g x 0.3
  // Falling, it lands when it passes the ground moving down.
  for (int i = 0; i < 3; ++i) m_actor.ApplyFalling(2.0f);
  EXPECT_EQ(m_actor.m_inAir, 0);
  EXPECT_FLOAT_EQ(m_actor.m_pos.y, 3.0f);
}

// Pushed out over its far side in x.
class SideBox : public BoxActor {
 public:
  using BoxActor::BoxActor;
  bool PushOut(Vec3& p) const override {
    p.x = m_worldMax.x + 0.5f;
    return true;
  }
};

TEST_F(SelvarinActorTest, PushedOutOfABoxIntoABlockedCellItStaysBlocked) {
  Context().m_modelActors.push_back(new SideBox({10, -20, 10}, {20, 0, 20}));
  Context().InitBucketGrid();
  SetCell(20.5f, 15, 1, 0.0f);
  Stand(8, 0, 15);
  m_actor.m_velocity = Vec3{4, 0, 0};
  m_actor.Move();
  EXPECT_EQ(m_actor.m_pos.x, 8.0f);
  EXPECT_EQ(m_actor.m_blocked, 1);
  // With the cell free it comes out there.
  SetCell(20.5f, 15, 0, 0.0f);
  m_actor.m_blocked = 0;
  m_actor.m_velocity = Vec3{4, 0, 0};
  m_actor.Move();
  EXPECT_EQ(m_actor.m_pos.x, 20.5f);
  EXPECT_EQ(m_actor.m_pos.y, 0.0f);
  EXPECT_EQ(m_actor.m_blocked, 0);
}

TEST_F(SelvarinActorTest, SlowCellsTakeBackPartOfTheStepAndTheFieldEndsAt500) {
  SetCell(2, 2, 4, 0.0f);
  struct Case {
    int32_t inAir;
    float x;
  };
  for (const Case c : {Case{0, 1.0f}, Case{1, 2.0f}}) {
    SCOPED_TRACE(c.inAir);
    Stand(0, 0, 2);
    m_actor.m_pos.y = -1;
    m_actor.m_inAir = c.inAir;
    m_actor.m_velocity = Vec3{4, 0, 0};
    m_actor.Move();
    EXPECT_FLOAT_EQ(m_actor.m_pos.x, c.x);
  }
  Stand(499, 0, -490);
  m_actor.m_velocity = Vec3{101, 0, -20};
  m_actor.Move();
  EXPECT_EQ(m_actor.m_pos.x, 500.0f);
  EXPECT_EQ(m_actor.m_pos.z, -500.0f);
}

TEST_F(SelvarinActorTest, HeadingsSpeedsAndDistances) {
  m_actor.FaceToward(-5, 0);
  EXPECT_FLOAT_EQ(m_actor.m_angle, 270.0f);
  m_actor.FaceToward(0, 5);
  EXPECT_FLOAT_EQ(m_actor.m_angle, 180.0f);
  m_actor.SetSpeed(2);
  EXPECT_NEAR(m_actor.m_velocity.x, 0.0f, 1e-6f);
  EXPECT_FLOAT_EQ(m_actor.m_velocity.z, 2.0f);
  m_actor.VelocityToward(3, 0, 4, 10);
  EXPECT_FLOAT_EQ(m_actor.m_velocity.x, 6.0f);
  EXPECT_FLOAT_EQ(m_actor.m_velocity.z, 8.0f);
  EXPECT_FLOAT_EQ(m_actor.Distance3d(3, 12, 4), 13.0f);
  EXPECT_FLOAT_EQ(m_actor.DistanceXZ(3, 4), 5.0f);
  // Toward its own point: standing still, not NaN.
  m_actor.VelocityToward(0, 0, 0, 10);
  EXPECT_EQ(m_actor.m_velocity.x, 0.0f);
  EXPECT_EQ(m_actor.m_velocity.y, 0.0f);
  EXPECT_EQ(m_actor.m_velocity.z, 0.0f);
}

TEST_F(SelvarinActorTest, TheCamerasSideInQuadrantsAndOctants) {
  struct Case {
    float camera, heading;
    int32_t quadrant, octant;
  };
  const Case cases[] = {
      {0, 0, 0, 0},       {89.9f, 0, 0, 2},   {90, 0, 1, 2},      {0, 1, 3, 0},
      {0, 90, 3, 6},      {0, 359.5f, 0, 0},  {22.5f, 0, 0, 1},   {22.4f, 0, 0, 0},
      {337.5f, 0, 3, 0},  {337.4f, 0, 3, 7},  {337.6f, 0, 3, 0},  {720, 0, 0, 0},
      {0, 270.5f, 1, 2},  // the difference is cut toward zero: -270 is 90
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.camera << " " << c.heading);
    View().m_yaw = c.camera;
    EXPECT_EQ(m_actor.GetViewQuadrant(c.heading), c.quadrant);
    EXPECT_EQ(m_actor.GetViewOctant(c.heading), c.octant);
  }
}

// Each case sends one message to a fresh standing actor at (0, 0, 0) and
// looks at the result.
TEST_F(SelvarinActorTest, CommandMessages) {
  SetCell(10, 20, 0, -4.0f);
  static const char kDotted[] = "npc/old.man.spr";
  static const char kPlain[] = "dancer";
  CSelvarinActor other;
  other.m_pos = Vec3{-3, 0, 0};
  struct Case {
    const char* what;
    CObject* sender;
    int code;
    intptr_t a, b, c;
    std::function<void(CSelvarinActor&)> check;
  };
  const Case cases[] = {
      {"3 on the ground", nullptr, 3, 10, 20, -1,
       [](CSelvarinActor& actor) {
         EXPECT_EQ(actor.m_pos.x, 10.0f);
         EXPECT_EQ(actor.m_pos.z, 20.0f);
         EXPECT_EQ(actor.m_pos.y, -4.0f);
         EXPECT_EQ(actor.m_groundHeight, -4.0f);
       }},
      {"3 at a height", nullptr, 3, 10, 20, 7, [](CSelvarinActor& actor) { EXPECT_EQ(actor.m_pos.y, 7.0f); }},
      {"4", nullptr, 4, 30, -40, 0,
       [](CSelvarinActor& actor) {
         EXPECT_EQ(actor.m_targetX, 30.0f);
         EXPECT_EQ(actor.m_targetZ, -40.0f);
         EXPECT_EQ(actor.m_state, CSelvarinActor::kModeWalkToTarget);
         EXPECT_EQ(actor.m_tickCount, 0);
       }},
      {"6 facing the sender", &other, 6, 0, 0, 0,
       [](CSelvarinActor& actor) { EXPECT_FLOAT_EQ(actor.m_angle, 270.0f); }},
      {"15", nullptr, 15, 150, 0, 0, [](CSelvarinActor& actor) { EXPECT_FLOAT_EQ(actor.m_speed, 1.5f); }},
      {"19 looping", nullptr, 19, 3, 1, 0,
       [](CSelvarinActor& actor) {
         EXPECT_EQ(actor.m_action, 3);
         EXPECT_EQ(actor.m_motion, 0);
         EXPECT_EQ(actor.m_state, CSelvarinActor::kModeLoop);
       }},
      {"19 once", nullptr, 19, 3, 0, 0,
       [](CSelvarinActor& actor) { EXPECT_EQ(actor.m_state, CSelvarinActor::kModePlayOnce); }},
      {"25 with a dot", nullptr, 25, reinterpret_cast<intptr_t>(kDotted), 2, 5,
       [](CSelvarinActor& actor) {
         EXPECT_EQ(actor.m_sprName, kDotted);
         EXPECT_EQ(actor.m_actName, "npc/old.act");
         EXPECT_EQ(actor.m_action, 2);
         EXPECT_EQ(actor.m_motion, 5);
         EXPECT_EQ(actor.m_state, CSelvarinActor::kModeHoldFrame);
       }},
      {"25 without a dot", nullptr, 25, reinterpret_cast<intptr_t>(kPlain), 0, 0,
       [](CSelvarinActor& actor) { EXPECT_EQ(actor.m_actName, "dancer.act"); }},
      {"25 without a text", nullptr, 25, 0, 2, 5,
       [](CSelvarinActor& actor) {
         EXPECT_EQ(actor.m_sprName, "mine.spr");
         EXPECT_EQ(actor.m_state, 0);
       }},
      {"26", nullptr, 26, 0, 0, 0,
       [](CSelvarinActor& actor) {
         EXPECT_EQ(actor.m_sprName, "saved.spr");
         EXPECT_EQ(actor.m_actName, "saved.act");
       }},
      {"27", nullptr, 27, -30, 40, 200,
       [](CSelvarinActor& actor) {
         EXPECT_EQ(actor.m_inAir, 1);
         EXPECT_FLOAT_EQ(actor.m_velocity.x, -0.3f);
         EXPECT_FLOAT_EQ(actor.m_velocity.y, -2.0f);
         EXPECT_FLOAT_EQ(actor.m_velocity.z, 0.4f);
         EXPECT_NEAR(actor.m_angle, -143.1301f, 1e-3f);  // atan2 as it comes
       }},
      {"43 with zeros keeps length and colour", nullptr, 43, 1, 0, 0,
       [](CSelvarinActor& actor) {
         EXPECT_EQ(actor.m_afterimage, 1);
         EXPECT_EQ(actor.m_afterimageLength, 33);
         EXPECT_EQ(actor.m_afterimageColour, 0x112233);
       }},
      {"43 with values", nullptr, 43, 0, 8, 0x00FF00,
       [](CSelvarinActor& actor) {
         EXPECT_EQ(actor.m_afterimage, 0);
         EXPECT_EQ(actor.m_afterimageLength, 8);
         EXPECT_EQ(actor.m_afterimageColour, 0x00FF00);
       }},
      {"2", nullptr, 2, 0, 0, 0, [](CSelvarinActor& actor) { EXPECT_EQ(actor.m_visible, 0); }},
      {"23", nullptr, 23, 0, 0, 0, [](CSelvarinActor& actor) { EXPECT_EQ(actor.m_drawShadow, 0); }},
      {"16", nullptr, 16, 0, 0, 0, [](CSelvarinActor& actor) { EXPECT_EQ(actor.m_solid, 0); }},
      {"47", nullptr, 47, 0, 0, 0,
       [](CSelvarinActor& actor) { EXPECT_EQ(actor.m_state, CSelvarinActor::kModeScripted); }},
      {"an unknown code", nullptr, 999, 1, 2, 3, [](CSelvarinActor& actor) { EXPECT_EQ(actor.m_pos.x, 0.0f); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CSelvarinActor actor;
    actor.Init();
    actor.m_inAir = 0;
    actor.m_sprName = "mine.spr";
    actor.m_savedSprite = "saved.spr";
    actor.m_savedAnimation = "saved.act";
    actor.m_afterimageLength = 33;
    actor.m_afterimageColour = 0x112233;
    actor.m_tickCount = 9;
    actor.OnMessage(c.sender, c.code, c.a, c.b, c.c);
    c.check(actor);
  }
}

TEST_F(SelvarinActorTest, FacingWithoutASenderOnlyLogs) {
  testsupport::DebugLogCapture log;
  m_actor.m_angle = 45;
  m_actor.OnMessage(nullptr, 6, 0, 0, 0);
  EXPECT_EQ(m_actor.m_angle, 45.0f);
  EXPECT_TRUE(Logged(log, "볼 액터가 없습니다."));
}

TEST_F(SelvarinActorTest, TheStartMessageRunsTheInitLineAndReadsTheGround) {
  SetCell(0, 0, 0, -2.5f);
  m_actor.m_name = "baker";
  m_actor.OnMessage(nullptr, 11, 0, 0, 0);
  EXPECT_EQ(m_actor.m_scriptStack.m_line, -1);  // no label: no script
  EXPECT_EQ(m_actor.m_groundHeight, -2.5f);
  m_actor.m_initLine = 42;
  m_actor.OnMessage(nullptr, 11, 0, 0, 0);
  EXPECT_EQ(m_actor.m_scriptStack.m_line, 42);
  EXPECT_EQ(m_actor.m_scriptStack.m_name, "baker");
}

TEST_F(SelvarinActorTest, AfterimagesPlayTheirWaveAndFadeOutOverTheirLength) {
  g_soundEnabled = 1;
  {
    testsupport::DebugLogCapture log;
    m_actor.OnMessage(nullptr, 43, 1, 20, 0x0000FF);
    EXPECT_TRUE(Logged(log, "잔상남는소리.wav"));
  }
  m_actor.m_sprName = "a.spr";
  m_actor.m_action = 2;
  m_actor.m_motion = 3;
  m_actor.m_pos = Vec3{1, 2, 3};
  CBlurActor blur(m_actor);
  EXPECT_EQ(blur.m_sprName, "a.spr");
  EXPECT_EQ(blur.m_motion, 3);
  EXPECT_EQ(blur.m_pos.z, 3.0f);
  std::vector<uint32_t> alphas;
  while (blur.OnProcess()) alphas.push_back(blur.m_colour >> 24);
  ASSERT_EQ(alphas.size(), 20u);
  EXPECT_EQ(alphas.front(), 242u);
  EXPECT_EQ(alphas.back(), 0u);
  EXPECT_EQ(blur.m_colour & 0xFFFFFF, 0x0000FFu);
  // A length of 0 ends at once.
  m_actor.m_afterimageLength = 0;
  CBlurActor none(m_actor);
  EXPECT_FALSE(none.OnProcess());
}

TEST_F(SelvarinActorTest, TheContextLeavesAfterimagesOfMovingActorsEveryFifthTick) {
  auto* runner = new CSelvarinActor;
  runner->Init();
  runner->m_afterimage = 1;
  Context().m_liveActors.push_back(runner);
  struct Case {
    int32_t tick;
    Vec3 velocity;
    bool spawns;
  };
  const Case cases[] = {
      {10, {0, 0, 0.5f}, true}, {11, {0, 0, 0.5f}, false}, {0, {0, 0.25f, 0}, true},
      {10, {-1, 0, -1}, true},  // heading back leaves a trail as well
      {10, {0, 0, 0}, false}};
  for (const Case& c : cases) {
    Context().FreeEffects();
    runner->m_tickCount = c.tick;
    runner->m_velocity = c.velocity;
    // The step precedes the actor's own tick, which here moves nothing.
    runner->m_inAir = 0;
    Context().SpawnAfterimage(*runner);
    EXPECT_EQ(Context().m_effects.size(), c.spawns ? 1u : 0u) << c.tick;
  }
}

TEST_F(SelvarinActorTest, ScriptAnimationFrames) {
  ActMotion motion;
  ActAction three{{motion, motion, motion}};
  ActAction one{{motion}};
  Write("data/sprite/s.act", slvtools::BuildAct(0x200, {three, one}));
  m_actor.m_actName = "s.act";
  m_actor.m_frameDuration = 4;
  struct Case {
    int32_t mode, action, tick, motion, wantAction, wantMotion;
  };
  const Case cases[] = {
      {14, 0, 7, 9, 0, 1},  {14, 0, 100, 9, 0, 2}, {14, 5, 4, 9, 1, 0},  // the action clamped
      {16, 0, 13, 9, 0, 0}, {16, 0, 8, 9, 0, 2},   {15, 0, 50, 9, 0, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.mode << " " << c.tick);
    m_actor.m_state = c.mode;
    m_actor.m_action = c.action;
    m_actor.m_tickCount = c.tick;
    m_actor.m_motion = c.motion;
    EXPECT_TRUE(m_actor.UpdateScriptFrame());
    EXPECT_EQ(m_actor.m_action, c.wantAction);
    EXPECT_EQ(m_actor.m_motion, c.wantMotion);
  }
  // A duration of 0 counts as 1; other modes are not this helper's.
  m_actor.m_frameDuration = 0;
  m_actor.m_state = 16;
  m_actor.m_action = 0;
  m_actor.m_tickCount = 4;
  m_actor.UpdateScriptFrame();
  EXPECT_EQ(m_actor.m_motion, 1);
  m_actor.m_state = 0;
  EXPECT_FALSE(m_actor.UpdateScriptFrame());
}

TEST_F(SelvarinActorTest, FrameEventsTimeAttacksAndPlaySounds) {
  g_soundEnabled = 1;
  ActMotion atk, wav, none, bad;
  atk.eventIndex = 0;
  wav.eventIndex = 1;
  bad.eventIndex = 7;  // past the names
  Write("data/sprite/e.act", slvtools::BuildAct(0x201, {ActAction{{atk, wav, none, bad}}},
                                                 {"attacktime.atk", "swing.wav"}));
  m_actor.m_actName = "e.act";
  EXPECT_EQ(m_actor.GetAttackTimeEvent(), 1);
  m_actor.m_motion = 1;
  EXPECT_EQ(m_actor.GetAttackTimeEvent(), 0);
  {
    testsupport::DebugLogCapture log;
    m_actor.PlayActionSound(0, 1);  // the same base and frame: silent
    EXPECT_FALSE(Logged(log, "swing.wav"));
    m_actor.PlayActionSound(0, 0);
    EXPECT_TRUE(Logged(log, "swing.wav"));
  }
  for (int32_t motion : {2, 3, 9}) {
    m_actor.m_motion = motion;
    EXPECT_EQ(m_actor.GetAttackTimeEvent(), 0);
    testsupport::DebugLogCapture log;
    m_actor.PlayActionSound(5, 5);
    EXPECT_FALSE(Logged(log, ".wav"));
  }
  m_actor.m_actName = "missing.act";
  EXPECT_EQ(m_actor.GetAttackTimeEvent(), 0);
}

// ---- Balloons, crowd captions and effects ----

TEST_F(SelvarinActorTest, ASecondBalloonEndsTheFirst) {
  m_actor.OnMessage(nullptr, 21, 4, 0, 0);
  CEffectSpr* first = m_actor.m_balloon;
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(Listed(Context().m_effects, first));
  EXPECT_EQ(first->m_sprName, "system/emotion.spr");
  EXPECT_EQ(first->m_actName, "system/emotion.act");
  EXPECT_EQ(first->m_actionId, 4);
  EXPECT_EQ(first->m_lifetime, 100);
  m_actor.OnMessage(nullptr, 21, 6, 30, 0);
  CEffectSpr* second = m_actor.m_balloon;
  ASSERT_NE(second, first);
  EXPECT_EQ(second->m_lifetime, 30);
  EXPECT_EQ(first->GetOwner(), nullptr);
  EXPECT_FALSE(first->OnProcess());  // ended by 29
  EXPECT_TRUE(second->OnProcess());
  EXPECT_EQ(m_actor.m_balloon, second);
}

TEST_F(SelvarinActorTest, ABalloonRidesItsOwnerAndEndsAfter57Ticks) {
  m_actor.OnMessage(nullptr, 21, 1, 0, 0);
  CEffectSpr* balloon = m_actor.m_balloon;
  m_actor.m_pos = Vec3{5, -1, 6};
  int ticks = 0;
  while (Context().UpdateEffects(), !Context().m_effects.empty()) {
    ++ticks;
    if (ticks == 1) {
      EXPECT_EQ(balloon->m_pos.y, -18.0f);
      EXPECT_EQ(balloon->m_pos.x, 5.0f);
    }
    if (ticks == 56) {
      EXPECT_EQ(balloon->m_motion, 18);
    }
  }
  EXPECT_EQ(ticks, 57);
  EXPECT_EQ(m_actor.m_balloon, nullptr);
}

TEST_F(SelvarinActorTest, ACrowdCaptionJoinsTheFrameAndLeavesAfterItsLifetime) {
  static const char kShout[] = "멈춰라!";
  m_actor.OnMessage(nullptr, 42, 0, 1, 0);  // no text: nothing
  EXPECT_EQ(m_actor.m_crowd, nullptr);
  m_actor.OnMessage(nullptr, 42, reinterpret_cast<intptr_t>(kShout), 3, 0);
  CSysexCrowd* crowd = m_actor.m_crowd;
  ASSERT_NE(crowd, nullptr);
  EXPECT_EQ(crowd->m_text, kShout);
  EXPECT_EQ(crowd->m_value, 3);
  EXPECT_EQ(crowd->m_lifetime, 100);
  EXPECT_EQ(crowd->m_screenX, 320);
  EXPECT_EQ(crowd->m_screenY, 240);
  EXPECT_TRUE(Listed(Frame().m_speechCaptions, crowd));
  EXPECT_TRUE(Listed(Context().m_effects, crowd));
  int ticks = 0;
  while (Context().UpdateEffects(), !Context().m_effects.empty()) ++ticks;
  EXPECT_EQ(ticks, 101);
  EXPECT_TRUE(Frame().m_speechCaptions.empty());
  EXPECT_EQ(m_actor.m_crowd, nullptr);
  // A second one ends the first; a lifetime of its own is taken.
  m_actor.OnMessage(nullptr, 42, reinterpret_cast<intptr_t>(kShout), 0, 0);
  CSysexCrowd* first = m_actor.m_crowd;
  m_actor.OnMessage(nullptr, 42, reinterpret_cast<intptr_t>(kShout), 0, 5);
  EXPECT_EQ(m_actor.m_crowd->m_lifetime, 5);
  Context().UpdateEffects();
  EXPECT_FALSE(Listed(Context().m_effects, first));
  EXPECT_EQ(Frame().m_speechCaptions.size(), 1u);
}

TEST_F(SelvarinActorTest, SpawnedEffectsAreKeptAndForgotten) {
  testsupport::DebugLogCapture log;
  m_actor.OnMessage(nullptr, 51, 202, 0, 0);
  ASSERT_EQ(m_actor.m_effects.size(), 1u);
  CSelvarinEffect* effect = m_actor.m_effects.front();
  EXPECT_TRUE(Listed(Context().m_effects, effect));
  EXPECT_TRUE(Logged(log, "EffectId == 202, 270"));
  // An effect that goes sends 46 as it leaves.
  Context().m_effects.remove(effect);
  delete effect;
  EXPECT_TRUE(m_actor.m_effects.empty());
}

// Owners and what they made may go in either order; ASan watches.
TEST_F(SelvarinActorTest, OwnersAndTheirBalloonsCrowdsAndEffectsGoInEitherOrder) {
  static const char kShout[] = "shout";
  const auto give = [](CSelvarinActor& owner) {
    owner.OnMessage(nullptr, 21, 1, 0, 0);
    owner.OnMessage(nullptr, 42, reinterpret_cast<intptr_t>(kShout), 0, 0);
    owner.OnMessage(nullptr, 51, 202, 0, 0);
  };
  {
    // The owner first: everything it made ends on its next tick.
    auto* owner = new CSelvarinActor;
    give(*owner);
    CEffectSpr* balloon = owner->m_balloon;
    CSysexCrowd* crowd = owner->m_crowd;
    CSelvarinEffect* effect = owner->m_effects.front();
    delete owner;
    EXPECT_EQ(balloon->GetOwner(), nullptr);
    EXPECT_EQ(crowd->GetOwner(), nullptr);
    EXPECT_EQ(effect->GetOwner(), nullptr);
    Context().SyncEffects();
    Context().UpdateEffects();
    EXPECT_TRUE(Context().m_effects.empty());
    EXPECT_TRUE(Frame().m_speechCaptions.empty());
  }
  {
    // What it made first, without ending: the owner's pointers are cleared.
    auto* owner = new CSelvarinActor;
    give(*owner);
    Context().FreeEffects();
    EXPECT_EQ(owner->m_balloon, nullptr);
    EXPECT_EQ(owner->m_crowd, nullptr);
    EXPECT_TRUE(owner->m_effects.empty());
    EXPECT_TRUE(Frame().m_speechCaptions.empty());
    delete owner;
  }
}

}  // namespace
