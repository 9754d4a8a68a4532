// The battle objects on a tiny map: the animation player, gravity, the
// step against walls and the battle square, distances and tint, hit frames,
// the messages every participant answers, and letting go of a participant
// that is deleted while others point at it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "battle/BattleObject.h"
#include "battle/SpawnedBattleObjects.h"
#include "effect/SelvarinEffect.h"
#include "engine/ActRes.h"
#include "field/EffectSpr.h"
#include "field/SysexCrowd.h"
#include "tests/battle/BattleTestSheets.h"
#include "platform/Random.h"
#include "tests/field/FieldActorFixture.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/ActWriter.h"

namespace {

// A participant that only records the actions it enters.
class CProbe : public CBattleActor {
 public:
  bool OnProcess() override { return true; }
  void SetAction(int32_t code) override {
    actions.push_back(code);
    CBattleActor::SetAction(code);
  }
  std::vector<int32_t> actions;
};

ActMotion Sheet(int32_t eventIndex = -1) { return battletest::SquareMotion(eventIndex); }

class BattleObjectTest : public FieldActorTest {
 protected:
  // Actions 0-3: four frames, the third an attack-time frame; action 4 has
  // no frames; action 5 two, the last an attack-time frame.
  BattleObjectTest() {
    Write("data/sprite/probe.spr", battletest::SquareSprite(255, 0, 0));
    const ActAction four{{Sheet(), Sheet(), Sheet(0), Sheet()}};
    Write("data/sprite/probe.act",
          slvtools::BuildAct(0x201, {four, four, four, four, ActAction{}, ActAction{{Sheet(), Sheet(0)}}},
                             {"attacktime.atk"}));
    m_probe.m_sprName = "probe.spr";
    m_probe.m_actName = "probe.act";
  }
  ~BattleObjectTest() override { platform::ClearQueuedRand(); }

  // Frames shown after each of `ticks` animation steps.
  std::vector<int32_t> Run(int ticks) {
    std::vector<int32_t> frames;
    for (int i = 0; i < ticks; ++i) {
      m_probe.UpdateFrame();
      frames.push_back(m_probe.m_motion);
    }
    return frames;
  }

  CProbe m_probe;
};

TEST_F(BattleObjectTest, AnimationStepsByPlayModeScriptCodeAndFacing) {
  struct Case {
    const char* what;
    int32_t code, base, delay, mode;
    std::vector<int32_t> frames;
  };
  const Case cases[] = {
      {"once holds the last", kActIdle, 0, 1, CBattleObject::kPlayOnce, {1, 2, 3, 3, 3, 3}},
      {"loop of delay 2", kActIdle, 0, 2, CBattleObject::kPlayLoop, {0, 1, 1, 2, 2, 3, 3, 0, 0}},
      {"ping-pong shows the ends twice", kActIdle, 0, 1, CBattleObject::kPlayPingPong, {1, 2, 3, 3, 2, 1, 0, 0, 1}},
      {"delay 0 is still", kActIdle, 0, 0, CBattleObject::kPlayLoop, {0, 0, 0}},
      {"no frames", kActIdle, 4, 1, CBattleObject::kPlayLoop, {0, 0}},
      {"script once by tick", kActScriptOnce, 0, 2, CBattleObject::kPlayLoop, {0, 1, 1, 2, 2, 3, 3, 3}},
      {"script loop by tick", kActScriptLoop, 0, 2, CBattleObject::kPlayOnce, {0, 1, 1, 2, 2, 3, 3, 0, 0}},
      {"script once, delay 0", kActScriptOnce, 0, 0, CBattleObject::kPlayOnce, {0, 0}},
      {"script loop, no frames", kActScriptLoop, 4, 3, CBattleObject::kPlayOnce, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    m_probe.SetAction(c.code);
    m_probe.SetAnimation(c.base, c.delay, c.mode);
    EXPECT_EQ(Run(static_cast<int>(c.frames.size())), c.frames);
  }
  // A play-once animation counts the ticks it holds.
  m_probe.SetAction(kActIdle);
  m_probe.SetAnimation(0, 1, CBattleObject::kPlayOnce);
  Run(6);
  EXPECT_EQ(m_probe.m_holdLast, 1);
  EXPECT_EQ(m_probe.m_holdTicks, 2);
  EXPECT_EQ(m_probe.m_tickCount, 6);

  // A fixed script frame stays, whatever the act says.
  m_probe.SetAction(kActScriptFixed);
  m_probe.m_action = 5;
  m_probe.m_motion = 9;
  Run(3);
  EXPECT_EQ(m_probe.m_action, 5);
  EXPECT_EQ(m_probe.m_motion, 9);

  // The facing picks the action of the group; past the act's last action
  // and past the frames the index and the frame are clamped.
  m_probe.SetAction(kActIdle);
  m_probe.m_angle = 180.0f;  // the camera sees its back: the third of four
  m_probe.SetAnimation(0, 0, CBattleObject::kPlayOnce);
  Run(1);
  EXPECT_EQ(m_probe.m_action, 2);
  m_probe.SetAnimation(4, 0, CBattleObject::kPlayOnce);
  m_probe.m_motion = 7;
  Run(1);
  EXPECT_EQ(m_probe.m_action, 5);
  EXPECT_EQ(m_probe.m_motion, 1);

  // Without its sheets no frame steps, but the action's ticks count on.
  m_probe.m_actName = "missing.act";
  m_probe.SetAction(kActIdle);
  m_probe.SetAnimation(0, 1, CBattleObject::kPlayLoop);
  Run(3);
  EXPECT_EQ(m_probe.m_motion, 0);
  EXPECT_EQ(m_probe.m_tickCount, 3);
}

TEST_F(BattleObjectTest, HitFramesFireOncePerFrameWithTheirKind) {
  m_probe.SetAction(kActAttack);
  m_probe.SetAnimation(0, 3, CBattleObject::kPlayLoop);
  std::vector<int> fired;
  for (int tick = 1; tick <= 24; ++tick) {
    m_probe.UpdateFrame();
    if (m_probe.CheckHitFrame() != 0) fired.push_back(tick);
  }
  EXPECT_EQ(fired, (std::vector<int>{6, 18}));  // frame 2 shows from ticks 6 and 18, three ticks each
  EXPECT_EQ(m_probe.m_hitKind, 0);
  // A hit on the last frame of a move played once lands once, though the
  // frame is held past its delay; so does one on a still frame.
  for (const int delay : {3, 0}) {
    m_probe.SetAnimation(5, delay, CBattleObject::kPlayOnce);
    fired.clear();
    for (int tick = 1; tick <= 24; ++tick) {
      m_probe.UpdateFrame();
      if (delay == 0) m_probe.m_motion = 1;
      if (m_probe.CheckHitFrame() != 0) fired.push_back(tick);
    }
    EXPECT_EQ(fired.size(), 1u) << "delay " << delay;
  }
  // Without its sprite sheet it neither steps nor hits.
  m_probe.SetAnimation(0, 3, CBattleObject::kPlayLoop);
  m_probe.m_motion = 2;
  m_probe.m_sprName = "missing.spr";
  EXPECT_EQ(m_probe.CheckHitFrame(), 0);
}

TEST_F(BattleObjectTest, DistancesLessTheRadiusAndTintChannelsStayInRange) {
  m_probe.m_pos = Vec3{0, 0, 0};
  m_probe.m_radius = 5.0f;
  EXPECT_EQ(m_probe.DistanceXZ(3, 0), 0.0f);
  EXPECT_EQ(m_probe.Distance3d(0, 4, 0), 0.0f);
  EXPECT_FLOAT_EQ(m_probe.DistanceXZ(0, 8), 3.0f);
  EXPECT_FLOAT_EQ(m_probe.Distance3d(6, 0, 8), 5.0f);

  m_probe.m_tint = 0xFA000010;
  EXPECT_EQ(m_probe.AddTint(10, -5, 300, -20), 0xFF00FF00u);
  EXPECT_EQ(m_probe.AddTint(-300, 1, 0, 0), 0x0001FF00u);
}

TEST_F(BattleObjectTest, GravityLandsOnlyMovingDownAndFollowsStepsUnderThree) {
  SetCell(0, 0, 0, 3.0f);
  SetCell(10, 0, 0, 2.9f);
  m_probe.m_pos = Vec3{1, 0, 1};
  m_probe.ApplyGravity(1.0f);
  EXPECT_EQ(m_probe.m_inAir, 1);
  EXPECT_FLOAT_EQ(m_probe.m_velocity.y, 0.2f);
  EXPECT_EQ(m_probe.m_pos.y, 0.0f);

  // Under the ground but still rising: no landing.
  m_probe.m_pos.y = 5.0f;
  m_probe.m_velocity.y = -1.0f;
  m_probe.ApplyGravity(1.0f);
  EXPECT_EQ(m_probe.m_inAir, 1);
  EXPECT_FLOAT_EQ(m_probe.m_pos.y, 4.0f);
  EXPECT_TRUE(Context().m_effects.empty());
  m_probe.m_velocity.y = 0.0f;
  m_probe.ApplyGravity(2.0f);
  EXPECT_EQ(m_probe.m_inAir, 0);
  EXPECT_EQ(m_probe.m_pos.y, 3.0f);
  EXPECT_EQ(Context().m_effects.size(), 1u);  // the landing dust

  m_probe.m_pos = Vec3{11, 0, 1};
  m_probe.ApplyGravity(1.0f);
  EXPECT_EQ(m_probe.m_inAir, 0);
  EXPECT_FLOAT_EQ(m_probe.m_pos.y, 2.9f);
  EXPECT_FLOAT_EQ(m_probe.m_groundHeight, 2.9f);
}

TEST_F(BattleObjectTest, StepsAgainstWallsTheSquareAndSlowGround) {
  Frame().m_battleSet.regionRadius = 40.0f;  // the square from -40 to 40
  struct Case {
    const char* what;
    std::function<void()> map;
    Vec3 from, velocity;
    int32_t inAir, action;
    Vec3 to;
    int32_t bumped, blocked;
    Vec3 velocityAfter;
  };
  const Case cases[] = {
      {"free", [] {}, {1, 0, 1}, {2, 0, 0}, 0, kActIdle, {3, 0, 1}, 0, 0, {}},
      {"a step up", [this] { SetCell(6, 1, 0, -2.0f); }, {4, 0, 1}, {2, 0, 0}, 0, kActIdle, {6, -2, 1}, 0, 0, {}},
      {"slid out of a wall", [this] { SetCell(6, 1, 1, 0.0f); }, {4, 0, 1}, {1.5f, 0, 0}, 0, kActIdle, {4.5f, 0, 1}, 1, 0, {}},
      {"refused where every side is walled",
       [this] {
         for (float x : {0.f, 5.f, 10.f}) {
           for (float z : {0.f, 5.f, 10.f}) SetCell(x + 1, z + 1, 1, 0.0f);
         }
       },
       {16, 0, 7}, {-9, 0, 0}, 0, kActIdle, {16, 0, 7}, 1, 1, {}},
      {"held in the square", [] {}, {39, 0, -39}, {3, 0, -2}, 0, kActIdle, {40, 0, -40}, 1, 0, {}},
      {"slow ground on foot", [this] { SetCell(2, 2, 4, 0.0f); }, {1, 0, 2}, {2, 0, 0}, 0, kActIdle, {1.5f, 0, 2}, 0, 0, {}},
      {"slow ground in the air", [this] { SetCell(2, 2, 4, 0.0f); }, {1, 0, 2}, {2, 0, 0}, 1, kActIdle, {2, 0, 2}, 0, 0, {}},
      {"a jump keeps its speed", [] {}, {1, 0, 1}, {2, 0, 1}, 1, kActJump, {3, 0, 2}, 0, 0, {2, 0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (float x = -10; x <= 20; x += 5) {
      for (float z = -10; z <= 20; z += 5) SetCell(x + 1, z + 1, 0, 0.0f);
    }
    c.map();
    CProbe probe;
    probe.m_pos = c.from;
    probe.m_velocity = c.velocity;
    probe.m_inAir = c.inAir;
    probe.SetAction(c.action);
    probe.m_knockBack = 1.5f;
    probe.ApplyVelocity();
    EXPECT_NEAR(probe.m_pos.x, c.to.x, 0.02f);
    EXPECT_NEAR(probe.m_pos.y, c.to.y, 1e-5f);
    EXPECT_NEAR(probe.m_pos.z, c.to.z, 1e-5f);
    EXPECT_EQ(probe.m_bumped, c.bumped);
    EXPECT_EQ(probe.m_blocked, c.blocked);
    EXPECT_EQ(probe.m_bumpTicks, c.bumped);
    EXPECT_EQ(probe.m_knockBack, c.bumped != 0 ? -1.5f : 1.5f);
    EXPECT_EQ(probe.m_velocity.x, c.velocityAfter.x);
    EXPECT_EQ(probe.m_velocity.z, c.velocityAfter.z);
  }
}

TEST_F(BattleObjectTest, FiftySixTicksIntoAWallCountFiftySixBumps) {
  Frame().m_battleSet.regionRadius = 40.0f;
  for (float z = -20; z <= 20; z += 5) SetCell(11, z, 1, 0.0f);  // a wall across x 10..15
  m_probe.m_pos = Vec3{9.5f, 0, 2};
  for (int i = 0; i < 56; ++i) {
    m_probe.m_velocity.x = 1.0f;
    m_probe.ApplyVelocity();
  }
  EXPECT_EQ(m_probe.m_bumpTicks, 56);
  EXPECT_GT(m_probe.m_bumpTicks, 55);
  EXPECT_LT(m_probe.m_pos.x, 10.0f);
  m_probe.m_velocity.x = -1.0f;
  m_probe.ApplyVelocity();
  EXPECT_EQ(m_probe.m_bumpTicks, 0);
}

// A fresh participant in the given action, in the middle of the map.
struct MessageCase {
  const char* what;
  int code;
  intptr_t p, q, r;
  bool live;  // refused while the participant leaves the battle
  std::function<void(CProbe&)> check;
};

TEST_F(BattleObjectTest, MessagesChangeWhatTheTableSaysAndLiveOnesWaitOnTerminalActions) {
  SetCell(21, 21, 0, 4.0f);
  static const char kKnight[] = "knight.spr";
  static const char kPlain[] = "plain";
  const MessageCase cases[] = {
      {"own target", 22, 2, 0, 0, false, [](CProbe& a) { EXPECT_EQ(a.m_target, &a); }},
      {"hit stop", kMsgHitStop, 15, 0, 0, false, [](CProbe& a) { EXPECT_EQ(a.m_hitStopTicks, 15); }},
      {"walk to a point", kMsgWalkToPoint, 30, -40, 0, true,
       [](CProbe& a) {
         EXPECT_EQ(a.m_targetX, 30.0f);
         EXPECT_EQ(a.m_targetZ, -40.0f);
         EXPECT_EQ(a.m_actionCode, kActWalkToPoint);
       }},
      {"to idle", kMsgToIdle, 0, 0, 0, false, [](CProbe& a) { EXPECT_EQ(a.m_actionCode, kActIdle); }},
      {"hit guard", kMsgHitGuard, 9, 0, 0, false, [](CProbe& a) { EXPECT_EQ(a.m_hitGuardTicks, 9); }},
      {"jump", kMsgJump, 100, -200, 300, true,
       [](CProbe& a) {
         EXPECT_EQ(a.m_inAir, 1);
         EXPECT_FLOAT_EQ(a.m_velocity.x, 1.0f);
         EXPECT_FLOAT_EQ(a.m_velocity.z, -2.0f);
         EXPECT_FLOAT_EQ(a.m_velocity.y, -3.0f);
         EXPECT_NEAR(a.m_angle, 26.565f, 1e-3f);
         EXPECT_EQ(a.m_actionCode, kActJump);
       }},
      {"warp onto the ground", kMsgWarp, 21, 21, -1, true,
       [](CProbe& a) {
         EXPECT_EQ(a.m_pos.x, 21.0f);
         EXPECT_EQ(a.m_pos.z, 21.0f);
         EXPECT_EQ(a.m_pos.y, 4.0f);
       }},
      {"warp to a height", kMsgWarp, 21, 21, 7, true, [](CProbe& a) { EXPECT_EQ(a.m_pos.y, 7.0f); }},
      {"hide", kMsgHide, 0, 0, 0, false, [](CProbe& a) { EXPECT_EQ(a.m_visible, 0); }},
      {"script motion", kMsgScriptMotion, 5, 1, 0, true,
       [](CProbe& a) {
         EXPECT_EQ(a.m_actionCode, kActScriptFixed);
         EXPECT_EQ(a.m_action, 5);
         EXPECT_EQ(a.m_motion, 1);
       }},
      {"script action looped", kMsgScriptAction, 3, 1, 0, true,
       [](CProbe& a) {
         EXPECT_EQ(a.m_actionCode, kActScriptLoop);
         EXPECT_EQ(a.m_action, 3);
         EXPECT_EQ(a.m_motion, 0);
       }},
      {"script action once", kMsgScriptAction, 3, 0, 0, true,
       [](CProbe& a) { EXPECT_EQ(a.m_actionCode, kActScriptOnce); }},
      {"sprite change", kMsgChangeSprite, reinterpret_cast<intptr_t>(kKnight), 2, 3, true,
       [](CProbe& a) {
         EXPECT_EQ(a.m_sprName, "knight.spr");
         EXPECT_EQ(a.m_actName, "knight.act");
         EXPECT_EQ(a.m_actionCode, kActScriptFixed);
         EXPECT_EQ(a.m_action, 2);
         EXPECT_EQ(a.m_motion, 3);
       }},
      {"sprite change without a dot", kMsgChangeSprite, reinterpret_cast<intptr_t>(kPlain), 0, 0, true,
       [](CProbe& a) { EXPECT_EQ(a.m_actName, "plain.act"); }},
      {"sprite change without a text", kMsgChangeSprite, 0, 2, 3, false,
       [](CProbe& a) {
         EXPECT_EQ(a.m_sprName, "probe.spr");
         EXPECT_EQ(a.m_action, 0);
       }},
      {"shadow", kMsgShadow, 0, 0, 0, false, [](CProbe& a) { EXPECT_EQ(a.m_drawShadow, 0); }},
      {"heading", kMsgHeading, 135, 0, 0, false, [](CProbe& a) { EXPECT_EQ(a.m_angle, 135.0f); }},
      {"gauge stops", kMsgStopGauge, 0, 0, 0, false, [](CProbe& a) { EXPECT_EQ(a.m_gaugeRunning, 0); }},
      {"freeze", kMsgFreeze, 0, 0, 0, true, [](CProbe& a) { EXPECT_EQ(a.m_actionCode, kActFrozen); }},
      {"stun", kMsgStun, 0, 0, 0, true,
       [](CProbe& a) {
         EXPECT_EQ(a.m_actionCode, kActStunned);
         EXPECT_EQ(a.m_timeGauge, 0.0f);
       }},
      {"missed: a text only", kMsgMissed, 0, 0, 0, false, [](CProbe& a) { EXPECT_EQ(a.m_actionCode, kActIdle); }},
      {"critical: a text only", kMsgCritical, 0, 0, 0, false,
       [](CProbe& a) { EXPECT_EQ(a.m_actionCode, kActIdle); }},
  };
  for (const MessageCase& c : cases) {
    SCOPED_TRACE(c.what);
    platform::QueueRand({0, 10});  // the sprite actor's own draw, then the gauge's
    CProbe live;
    live.m_sprName = "probe.spr";
    live.m_actName = "probe.act";
    live.SetAction(kActIdle);
    EXPECT_EQ(live.m_timeGauge, 10.0f);
    live.OnMessage(nullptr, c.code, c.p, c.q, c.r);
    c.check(live);
    if (!c.live) continue;
    for (int32_t terminal : {kActRemoved, kActLeave, kActVanish, kActDefeated}) {
      CProbe leaving;
      leaving.m_sprName = "probe.spr";
      leaving.SetAction(terminal);
      leaving.m_pos = Vec3{1, 2, 3};
      leaving.OnMessage(nullptr, c.code, c.p, c.q, c.r);
      EXPECT_TRUE(leaving.IsInTerminalAction());
      EXPECT_EQ(leaving.m_actionCode, terminal);
      EXPECT_EQ(leaving.actions.size(), 1u);
      EXPECT_EQ(leaving.m_pos.x, 1.0f);
      EXPECT_EQ(leaving.m_pos.y, 2.0f);
      EXPECT_EQ(leaving.m_inAir, 0);
      EXPECT_EQ(leaving.m_sprName, "probe.spr");
    }
  }
}

TEST_F(BattleObjectTest, LookingAtTheSenderAndBalloonsAndCrowdTextsThatReplaceTheirOwn) {
  CProbe other;
  other.m_pos = Vec3{10, 0, 0};
  m_probe.OnMessage(&other, kMsgLookAtSender, 0, 0, 0);
  EXPECT_FLOAT_EQ(m_probe.m_angle, 90.0f);
  {
    testsupport::DebugLogCapture log;
    m_probe.OnMessage(nullptr, kMsgLookAtSender, 0, 0, 0);
    EXPECT_TRUE(log.Contains("액터가 없습니다."));
  }

  // Effects: spawned by 51, let go by 46; the sprite actor's other codes
  // are not a battle object's.
  m_probe.OnMessage(nullptr, 51, 1003, 0, 0);
  ASSERT_EQ(m_probe.m_effects.size(), 1u);
  m_probe.OnMessage(m_probe.m_effects.front(), 46, 0, 0, 0);
  EXPECT_TRUE(m_probe.m_effects.empty());
  m_probe.OnMessage(nullptr, 2, 0, 0, 0);
  EXPECT_EQ(m_probe.m_visible, 1);
  Context().FreeEffects();

  m_probe.OnMessage(nullptr, kMsgEmotion, 3, 0, 0);
  CEffectSpr* first = m_probe.m_balloon;
  ASSERT_NE(first, nullptr);
  m_probe.OnMessage(nullptr, kMsgEmotion, 4, 90, 0);
  ASSERT_NE(m_probe.m_balloon, nullptr);
  EXPECT_NE(m_probe.m_balloon, first);
  EXPECT_EQ(first->GetOwner(), nullptr);  // told to end
  EXPECT_EQ(m_probe.m_balloon->m_lifetime, 90);
  EXPECT_EQ(Context().m_effects.size(), 2u);

  m_probe.OnMessage(nullptr, kMsgCrowd, 0, 0, 0);  // no text: nothing
  EXPECT_EQ(m_probe.m_crowd, nullptr);
  static const char kText[] = "도와줘!";
  m_probe.OnMessage(nullptr, kMsgCrowd, reinterpret_cast<intptr_t>(kText), 1, 0);
  ASSERT_NE(m_probe.m_crowd, nullptr);
  EXPECT_EQ(Frame().m_speechCaptions.size(), 1u);
  m_probe.OnMessage(nullptr, kMsgDropCrowd, 0, 0, 0);
  EXPECT_EQ(m_probe.m_crowd, nullptr);
}

TEST_F(BattleObjectTest, ADeletedParticipantIsLetGoByEveryoneThatNamedIt) {
  auto* attacker = new CProbe;
  auto* target = new CProbe;
  auto* decoy = new CBattleIllusion;
  Context().m_battleObjects.push_back(attacker);
  Context().m_battleObjects.push_back(target);
  Context().m_battleObjects.push_back(decoy);
  CBattleMagic* item = Context().MakeBattleMagic(target, attacker, 3);
  attacker->m_target = target;
  attacker->OnMessage(nullptr, kMsgWalkToActor, reinterpret_cast<intptr_t>(static_cast<CObject*>(target)), 0, 0);
  EXPECT_EQ(attacker->m_walkToActor, target);
  attacker->m_decoy = target;
  target->m_target = attacker;
  Frame().m_pCurrentBattleActor = target;
  Frame().m_commandActor = item;
  Frame().m_orderQueues[0].push_back(target);

  Context().m_battleObjects.remove(target);
  delete target;
  EXPECT_EQ(attacker->m_target, nullptr);
  EXPECT_EQ(attacker->m_walkToActor, nullptr);
  EXPECT_EQ(attacker->m_decoy, nullptr);
  EXPECT_EQ(item->m_user, nullptr);
  EXPECT_EQ(item->m_target, attacker);
  EXPECT_EQ(Frame().m_pCurrentBattleActor, nullptr);
  EXPECT_TRUE(Frame().m_orderQueues[0].empty());
  // The effect object that was acting goes the same way.
  Context().m_battleObjects.remove(item);
  delete item;
  EXPECT_EQ(Frame().m_commandActor, nullptr);
  // The rest go with the battle, pointing at each other.
  attacker->m_target = attacker;
  Context().ReturnFromBattle();
  EXPECT_TRUE(Context().m_battleObjects.empty());
}

}  // namespace
