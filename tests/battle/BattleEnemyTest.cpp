// Enemies on a flat test map with a recording game frame: the hits on a
// slot, dying and its rewards, the per-tick driver with its gauge and turn
// requests, the flying base's hover and fall, and a whole turn of the
// skeleton from its fade-in to its release.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "battle/enemy/BattleFlyingEnemy.h"
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/BattleSkeleton.h"
#include "engine/ActRes.h"
#include "platform/Random.h"
#include "rules/Condition.h"
#include "session/Session.h"
#include "tests/battle/BattleTestSheets.h"
#include "tests/field/FieldActorFixture.h"
#include "tests/field/RecordingFrame.h"
#include "tools/lib/ActWriter.h"

namespace {

// A party member that only records what it is told.
class CMember : public CBattleActor {
 public:
  bool OnProcess() override { return true; }
  void OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) override {
    got.push_back({sender, code, a, b, c});
  }
  std::vector<int> Codes() const {
    std::vector<int> codes;
    for (const FrameMessage& m : got) codes.push_back(m.code);
    return codes;
  }
  std::vector<FrameMessage> got;
};

class CPlainGround : public CBattleGroundEnemy {
  SLV_OBJECT(CPlainGround)
};

class CPlainFlyer : public CBattleFlyingEnemy {
  SLV_OBJECT(CPlainFlyer)
};

using battletest::SquareMotion;

class BattleEnemyTest : public FieldActorTestOf<CRecordingFrame> {
 protected:
  // Sixteen actions of three frames; in actions 8-11 the second frame is
  // the blow's.
  BattleEnemyTest() {
    Write("data/sprite/bone.spr", battletest::SquareSprite());
    std::vector<ActAction> actions(16, ActAction{{SquareMotion(), SquareMotion(), SquareMotion()}});
    for (int a = 8; a < 12; ++a) {
      actions[static_cast<size_t>(a)] = ActAction{{SquareMotion(), SquareMotion(0), SquareMotion()}};
    }
    Write("data/sprite/bone.act", slvtools::BuildAct(0x201, actions, {"attacktime.atk"}));
    Frame().m_battleSet.regionRadius = 100;
    session.Init();
    PlayerData& sizz = session.players[0];
    sizz.engname = "sizz";
    sizz.lvl = 3;
    sizz.vitality = 9;
    sizz.battlePtr = &m_member;
    session.partyIds[0] = 0;
    session.partyCount = session.battlePartyCount = 1;
    m_member.m_battleId = {0, 1};
    m_member.m_ownerPosition = 0;
    m_member.m_pos = Vec3{30.0f, 0.0f, 0.0f};
    EnemySlot& s = Slot();
    s.name = "bone";
    s.hp = s.maxhp = 30;
    s.shp = s.maxshp = 10;
    s.level = 3;
    s.exp = 12;
    s.money = 7;
    s.reach = 100;
    s.phyAtk = 20;
    session.enemyCount = 1;
  }
  ~BattleEnemyTest() override {
    platform::ClearQueuedRand();
    session.Init();
  }

  EnemySlot& Slot() { return session.enemies[0]; }
  template <class T>
  T& Bind(T& enemy) {
    enemy.m_sprName = "bone.spr";
    enemy.m_actName = "bone.act";
    enemy.GetSprite();
    enemy.m_slot = &Slot();
    enemy.m_battleId = {0, 0};
    enemy.m_name = "bone";
    Slot().actor = &enemy;
    return enemy;
  }
  // Ticks until the action is `code` (at most `limit`); the ticks taken.
  int RunUntil(CBattleEnemy& enemy, int32_t code, int limit = 2000) {
    for (int t = 1; t <= limit; ++t) {
      enemy.OnProcess();
      if (enemy.m_actionCode == code) return t;
    }
    return -1;
  }
  int CountFrameMessages(int code) const {
    int n = 0;
    for (const FrameMessage& m : const_cast<BattleEnemyTest*>(this)->Frame().messages) n += m.code == code ? 1 : 0;
    return n;
  }

  CSession& session = CSession::GetInstance();
  CMember m_member;
};

// ---- Hits on a slot ----

struct HitCase {
  const char* what;
  int32_t shp, hp;
  bool undead;
  int32_t action;  // the action when the message comes
  int code;
  int32_t v0, v1, v2;
  bool withSender;
  // Expected.
  int32_t shpAfter, hpAfter, actionAfter;
  std::vector<int> replies;  // what the sender hears
};

TEST_F(BattleEnemyTest, HitsOnASlotTakeTheBarrierFirstDodgeInAStanceAndKill) {
  const HitCase cases[] = {
      {"exact barrier", 10, 30, false, kActIdle, kMsgHit, 10, 0, 0, true, 0, 30, kActDamageLight, {kMsgHitConfirmed}},
      {"barrier shortfall", 10, 30, false, kActIdle, kMsgHit, 15, 0, 0, true, 0, 25, kActDamageLight, {kMsgHitConfirmed}},
      {"no barrier", 0, 30, false, kActIdle, kMsgMagicHit, 7, 0, 1, true, 0, 23, kActDamageLight, {kMsgHitConfirmed}},
      {"split, first part empties exactly", 10, 30, false, kActIdle, kMsgHitTwoParts, 10, 5, 0, true, 0, 30,
       kActDamageLight, {kMsgHitConfirmed}},
      {"split within the barrier", 10, 30, false, kActIdle, kMsgHitTwoParts, 4, 5, 0, true, 6, 25, kActDamageLight,
       {kMsgHitConfirmed}},
      {"split past the barrier", 10, 30, false, kActIdle, kMsgHitTwoParts, 14, 5, 0, true, 0, 21, kActDamageLight,
       {kMsgHitConfirmed}},
      {"split without barrier", 0, 30, false, kActIdle, kMsgHitTwoParts, 4, 5, 0, true, 0, 21, kActDamageLight,
       {kMsgHitConfirmed}},
      {"undead keeps one", 0, 30, true, kActIdle, kMsgHit, 100, 0, 0, true, 0, 1, kActDamageLight, {kMsgHitConfirmed}},
      {"undead still killed", 5, 30, true, kActIdle, kMsgKill, 0, 0, 0, true, 0, 0, kActDying, {}},
      {"lethal", 0, 30, false, kActIdle, kMsgHit, 40, 0, 0, true, 0, 0, kActDying, {kMsgHitConfirmed}},
      {"defending dodges", 10, 30, false, kActDefend, kMsgHit, 9, 0, 0, true, 10, 30, kActGuard, {kMsgRecoil}},
      {"guarding dodges", 10, 30, false, kActGuard, kMsgHit, 9, 0, 2, true, 10, 30, kActGuard, {kMsgRecoil}},
      {"kind 3 breaks the stance", 10, 30, false, kActDefend, kMsgHit, 9, 0, 3, true, 1, 30, kActDamageLight,
       {kMsgHitConfirmed}},
      {"magic is not dodged", 10, 30, false, kActDefend, kMsgMagicHit, 9, 0, 0, true, 1, 30, kActDamageLight,
       {kMsgHitConfirmed}},
      {"no sender: no dodge, no reply", 10, 30, false, kActDefend, kMsgHit, 12, 0, 0, false, 0, 28, kActDamageLight,
       {}},
      {"a shown hit spares the dying", 0, 30, false, kActDying, kMsgHitWithNumber, 9, 0, 0, true, 0, 30, kActDying,
       {}},
      {"a weapon still hits the dying", 0, 30, false, kActDying, kMsgHit, 9, 0, 0, true, 0, 21, kActDamageLight,
       {kMsgHitConfirmed}},
      {"removed: nothing", 10, 30, false, kActRemoved, kMsgHit, 9, 0, 0, true, 10, 30, kActRemoved, {}},
  };
  for (const HitCase& c : cases) {
    SCOPED_TRACE(c.what);
    CPlainGround enemy;
    Bind(enemy);
    Slot().shp = c.shp;
    Slot().hp = c.hp;
    Slot().stateid = c.undead ? static_cast<int32_t>(kUndead) : 0;
    enemy.SetAction(c.action);
    m_member.got.clear();
    enemy.OnMessage(c.withSender ? &m_member : nullptr, c.code, c.v0, c.v1, c.v2);
    EXPECT_EQ(Slot().shp, c.shpAfter);
    EXPECT_EQ(Slot().hp, c.hpAfter);
    EXPECT_EQ(enemy.m_actionCode, c.actionAfter);
    EXPECT_EQ(m_member.Codes(), c.replies);
  }
}

TEST_F(BattleEnemyTest, AHitsKindDecidesTheKnockBackAndAGuardedEnemyIgnoresHits) {
  struct Case {
    int code;
    int32_t kind;
    float knockBack;
    int32_t hitStop, shake;
  };
  const Case cases[] = {
      {kMsgHit, 0, -2.5f, 15, 0},
      {kMsgHit, 1, 0.0f, 15, 0},
      {kMsgHit, 2, -5.0f, 0, 0},  // knocked back without the freeze
      {kMsgMagicHit, 1, -2.5f, 30, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    CPlainGround enemy;
    Bind(enemy).SetAction(kActIdle);
    Slot().hp = 30;
    enemy.OnMessage(&m_member, c.code, 1, 0, c.kind);
    EXPECT_EQ(enemy.m_knockBack, c.knockBack);
    EXPECT_EQ(enemy.m_hitStopTicks, c.hitStop);
    EXPECT_EQ(enemy.m_shakeTicks, c.shake);
    EXPECT_EQ(enemy.m_hitGuardTicks, 1);
    // The guard tick drops every further hit.
    const int32_t hp = Slot().hp;
    enemy.OnMessage(&m_member, kMsgHit, 5, 0, 0);
    EXPECT_EQ(Slot().hp, hp);
  }
  // A knock-back decays by 1.05 a tick and resumes the interrupted action.
  CPlainGround enemy;
  Bind(enemy).SetAction(kActDefend);
  enemy.m_timeGauge = 20.0f;
  enemy.OnMessage(&m_member, kMsgMagicHit, 1, 0, 0);
  EXPECT_EQ(enemy.m_resumeAction, kActDefend);
  enemy.m_hitStopTicks = 0;
  enemy.OnProcess();
  EXPECT_FLOAT_EQ(enemy.m_knockBack, -2.5f / 1.05f);
  EXPECT_EQ(RunUntil(enemy, kActDefend), 35);  // 10019 is not interruptible
}

TEST_F(BattleEnemyTest, TheFinishingAttackerIsAPartyPositionThePartyHas) {
  struct Case {
    int32_t ownerPosition;
    bool alreadyDying;
    int32_t mvp;
  };
  session.partyIds[0] = 4;
  for (const Case& c : {Case{0, false, 4}, Case{1, false, -1}, Case{-1, false, -1}, Case{0, true, -1}}) {
    SCOPED_TRACE(c.ownerPosition);
    Frame().m_battleResult = BattleResult{};
    CPlainGround enemy;
    Bind(enemy).SetAction(c.alreadyDying ? kActDying : kActIdle);
    Slot().shp = 0;
    Slot().hp = 5;
    m_member.m_ownerPosition = c.ownerPosition;
    enemy.OnMessage(&m_member, kMsgHit, 9, 0, 0);
    EXPECT_EQ(Frame().m_battleResult.mvpId, c.mvp);
    EXPECT_EQ(enemy.m_actionCode, kActDying);
  }
}

TEST_F(BattleEnemyTest, AReleasedEnemyIgnoresWhatReadsItsSlot) {
  CPlainGround enemy;
  Bind(enemy).SetAction(kActRemoved);
  EXPECT_EQ(enemy.m_slot, nullptr);
  EXPECT_EQ(Slot().actor, nullptr);
  EXPECT_EQ(session.enemyCount, 0);
  Slot().hp = 3;
  for (int code : {kMsgFullHp, kMsgHit, kMsgHitTwoParts, kMsgKill, kMsgOrder}) enemy.OnMessage(&m_member, code, 0, 0, 0);
  enemy.SetAction(kActRemoved);  // released once only
  enemy.SetAction(kActDefeated);
  enemy.SetAction(kActDying);
  EXPECT_EQ(Slot().hp, 3);
  EXPECT_EQ(session.enemyCount, 0);
  EXPECT_EQ(Frame().m_battleResult.totalExp, 0);
  EXPECT_FALSE(enemy.IsHpBelowQuarter());
}

// ---- Dying and the rewards ----

TEST_F(BattleEnemyTest, DyingGrowsRedThenCreditsOnceAndReleasesItsSlot) {
  CPlainGround enemy;
  Bind(enemy).SetAction(kActIdle);
  enemy.SetAction(kActDying);
  EXPECT_EQ(session.hooks.Get("__deathbone"), 1);
  EXPECT_EQ(RunUntil(enemy, -1, 40), -1);
  EXPECT_EQ(enemy.m_tint >> 24, 0xFFu - 6u * 34u);
  EXPECT_EQ(enemy.m_tint & 0xFFFFFFu, 0xFF0000u);
  EXPECT_NEAR(enemy.m_scaleX, std::pow(1.02f, 34.0f), 1e-4f);
  EXPECT_EQ(RunUntil(enemy, kActDefeated), 15);
  EXPECT_EQ(Frame().m_battleResult.totalExp, 12);
  EXPECT_EQ(Frame().m_battleResult.money, 7);
  EXPECT_EQ(Frame().m_battleResult.battleLevel, 3);
  EXPECT_EQ(enemy.m_visible, 0);
  for (int t = 0; t < 23; ++t) ASSERT_TRUE(enemy.OnProcess());
  EXPECT_FALSE(enemy.OnProcess());  // finished: it leaves the enemy list
  EXPECT_EQ(enemy.m_actionCode, kActRemoved);
  EXPECT_EQ(session.enemyCount, 0);
  EXPECT_EQ(Slot().actor, nullptr);
  EXPECT_TRUE(enemy.OnProcess());  // and stays in the battle's objects
  EXPECT_EQ(Frame().m_battleResult.totalExp, 12);
}

TEST_F(BattleEnemyTest, AFourthDeathCreditsAtOnceAndAStoppedGaugeHoldsDeathAndDefeat) {
  CPlainGround enemy;
  Bind(enemy).SetAction(kActIdle);
  for (int i = 0; i < 3; ++i) enemy.SetAction(kActDying);
  EXPECT_EQ(RunUntil(enemy, kActDefeated, 54), -1);
  EXPECT_EQ(RunUntil(enemy, kActDefeated), 1);
  enemy.SetAction(kActDying);  // a fourth time, whatever the tick
  EXPECT_EQ(RunUntil(enemy, kActDefeated, 1), 1);
  EXPECT_EQ(Frame().m_battleResult.totalExp, 24);  // once per credit
  EXPECT_EQ(session.hooks.Get("__deathbone"), 1);

  CPlainGround stopped;
  Bind(stopped).SetAction(kActDying);
  stopped.OnMessage(nullptr, kMsgStopGauge, 0, 0, 0);
  EXPECT_EQ(RunUntil(stopped, kActDefeated, 300), -1);
  EXPECT_EQ(stopped.m_tickCount, 0);
  stopped.SetAction(kActDefeated);
  for (int t = 0; t < 300; ++t) ASSERT_TRUE(stopped.OnProcess());
  EXPECT_EQ(stopped.m_actionCode, kActDefeated);
  stopped.OnMessage(nullptr, kMsgRunGauge, 0, 0, 0);
  EXPECT_FALSE(stopped.OnProcess());
}

// ---- The per-tick driver ----

TEST_F(BattleEnemyTest, HitStopFreezesAllButTheShakeAndTheFlash) {
  CPlainGround enemy;
  Bind(enemy).SetAction(kActIdle);
  enemy.m_timeGauge = 10.0f;
  enemy.m_hitStopTicks = 3;
  enemy.m_hitGuardTicks = 5;
  enemy.m_shakeTicks = 10;
  enemy.m_hitFlash = -1;  // the largest count
  enemy.m_tickCount = 7;
  for (int t = 0; t < 3; ++t) EXPECT_TRUE(enemy.OnProcess());
  EXPECT_EQ(enemy.m_timeGauge, 10.0f);
  EXPECT_EQ(enemy.m_tickCount, 7);
  EXPECT_EQ(enemy.m_hitGuardTicks, 5);
  EXPECT_EQ(enemy.m_shakeTicks, 7);
  EXPECT_EQ(static_cast<uint32_t>(enemy.m_hitFlash), 0xFFFFFFFCu);
  enemy.OnProcess();
  EXPECT_EQ(enemy.m_hitGuardTicks, 4);
  EXPECT_FLOAT_EQ(enemy.m_timeGauge, 10.35f);
  EXPECT_EQ(enemy.m_tickCount, 8);
}

TEST_F(BattleEnemyTest, OneTurnHookPerTurnOnTheTickBeforeTheGaugeIsFullThenRequestsEveryTick) {
  CPlainGround enemy;
  Bind(enemy).SetAction(kActIdle);
  enemy.m_timeGauge = 90.0f;
  int hookTick = -1;
  for (int t = 1; t <= 40; ++t) {
    enemy.OnProcess();
    if (hookTick < 0 && session.hooks.Get("__turnbone1") == 1) hookTick = t;
  }
  EXPECT_EQ(hookTick, 28);  // 90 + 28 x 0.35 = 99.8: full on the next
  EXPECT_EQ(enemy.m_turnCount, 1);
  EXPECT_EQ(enemy.m_timeGauge, 100.0f);
  EXPECT_EQ(CountFrameMessages(9), 12);
  const FrameMessage& request = Frame().messages.back();
  EXPECT_EQ(request.sender, &enemy);
  EXPECT_EQ(request.a, 0);
  EXPECT_EQ(request.b, 0);

  // A gauge that starts full asks without a hook.
  Frame().messages.clear();
  CPlainGround full;
  Bind(full).SetAction(kActIdle);
  full.m_timeGauge = 100.0f;
  full.OnProcess();
  EXPECT_EQ(full.m_turnCount, 0);
  EXPECT_EQ(CountFrameMessages(9), 1);

  // A stopped gauge neither fills nor asks; the gauge runs again on 10040.
  Frame().messages.clear();
  CPlainGround stopped;
  Bind(stopped).SetAction(kActIdle);
  stopped.m_timeGauge = 100.0f;
  stopped.OnMessage(nullptr, kMsgStopGauge, 0, 0, 0);
  for (int t = 0; t < 5; ++t) stopped.OnProcess();
  EXPECT_EQ(CountFrameMessages(9), 0);
  stopped.OnMessage(nullptr, kMsgRunGauge, 0, 0, 0);
  stopped.OnProcess();
  EXPECT_EQ(CountFrameMessages(9), 1);
  // Only idle fills it.
  stopped.SetAction(kActDefend);
  stopped.m_timeGauge = 50.0f;
  for (int t = 0; t < 5; ++t) stopped.OnProcess();
  EXPECT_EQ(stopped.m_timeGauge, 50.0f);
}

// ---- The flying base ----

TEST_F(BattleEnemyTest, AFlyerFallsAtMostTwoBouncesSettlesOnAWeakReboundAndClimbsBack) {
  CPlainFlyer flyer;
  Bind(flyer);
  EXPECT_EQ(flyer.m_inAir, 1);
  EXPECT_EQ(flyer.m_flying, 1);
  flyer.m_pos.y = -60.0f;
  flyer.OnMessage(&m_member, kMsgMagicHit, 1, 0, 0);
  EXPECT_EQ(flyer.m_fallTimer, CBattleFlyingEnemy::kHitFall);
  flyer.m_velocity.y = 0.0f;
  float fastest = 0.0f;
  int t = 0;
  for (; t < 100 && flyer.m_velocity.y >= 0.0f; ++t) {
    flyer.Hover();
    fastest = std::max(fastest, flyer.m_velocity.y);
  }
  EXPECT_EQ(fastest, 2.0f);
  EXPECT_EQ(flyer.m_velocity.y, -1.0f);  // the rebound, at the most it may rise
  EXPECT_LT(flyer.m_pos.y, 0.0f);        // out of the ground again

  // Landing slower than 0.6 it stays down, lifted out of the ground.
  flyer.m_pos.y = 0.5f;
  flyer.m_velocity.y = 0.4f;
  flyer.Hover();
  EXPECT_EQ(flyer.m_velocity.y, 0.0f);
  EXPECT_EQ(flyer.m_pos.y, -0.5f);

  // Its fall over, it climbs at 0.35 a tick and holds its height.
  flyer.m_fallTimer = 0;
  int climbing = 0;
  for (t = 0; t < 200; ++t) {
    flyer.Hover();
    if (flyer.m_velocity.y == 0.0f) break;
    EXPECT_EQ(flyer.m_velocity.y, -0.35f);
    ++climbing;
  }
  EXPECT_EQ(climbing, 43);
  EXPECT_NEAR(flyer.m_pos.y, -15.5f, 0.2f);
  for (int i = 0; i < 10; ++i) flyer.Hover();
  EXPECT_NEAR(flyer.m_pos.y, -15.5f, 0.2f);
}

TEST_F(BattleEnemyTest, AFlyerToldToWanderUnderItsGuardIgnoresIt) {
  CPlainFlyer flyer;
  Bind(flyer).SetAction(kActIdle);
  flyer.m_hitGuardTicks = 1;
  flyer.OnMessage(&m_member, kMsgKnockIntoWander, 0, 0, 0);
  EXPECT_EQ(flyer.m_actionCode, kActIdle);
  flyer.m_hitGuardTicks = 0;
  flyer.OnMessage(&m_member, kMsgKnockIntoWander, 0, 0, 0);
  EXPECT_EQ(flyer.m_actionCode, kActWander);
  EXPECT_EQ(flyer.m_fallTimer, 1);
  EXPECT_EQ(flyer.m_hitStopTicks, 15);
  flyer.SetAction(kActPetrified);
  EXPECT_EQ(flyer.m_fallTimer, CBattleFlyingEnemy::kKnockDownFall);
  // Out of a sunken or broken height it climbs a bounded way.
  flyer.m_fallTimer = 5;
  flyer.m_pos.y = INFINITY;
  flyer.Hover();
  EXPECT_EQ(flyer.m_pos.y, 0.0f);
}

// ---- A whole turn of the skeleton ----

TEST_F(BattleEnemyTest, TheSkeletonsTurnFromFadeInToStrikeAndItsDeathToRelease) {
  CBattleSkeleton skeleton;
  Bind(skeleton).SetAction(kActFadeIn);
  EXPECT_EQ(skeleton.m_tint, 0x00FFFFFFu);
  EXPECT_EQ(RunUntil(skeleton, kActIdle), 65);
  EXPECT_EQ(skeleton.m_tint, 0xFFFFFFFFu);
  EXPECT_EQ(skeleton.m_drawShadow, 1);
  EXPECT_EQ(skeleton.m_target, &m_member);  // faced while it came
  skeleton.m_timeGauge = 99.0f;
  EXPECT_EQ(RunUntil(skeleton, -1, 3), -1);
  ASSERT_GE(CountFrameMessages(9), 1);

  // The order: index, point, then target and kind.
  float x = 4.0f, z = 5.0f;
  skeleton.OnMessage(nullptr, kMsgChosenIndex, 2, 0, 0);
  skeleton.OnMessage(nullptr, kMsgWalkPoint, reinterpret_cast<intptr_t>(&x), reinterpret_cast<intptr_t>(&z), 0);
  skeleton.OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(static_cast<CObject*>(&m_member)), 0, 0);
  EXPECT_EQ(skeleton.m_actionCode, kActAttackStart);
  EXPECT_EQ(skeleton.m_chosenIndex, 2);
  EXPECT_EQ(skeleton.m_targetX, 4.0f);
  EXPECT_EQ(skeleton.m_timeGauge, 0.0f);
  EXPECT_EQ(RunUntil(skeleton, kActApproach, 1), 1);
  EXPECT_EQ(skeleton.m_actionBase, 4);  // its own walk
  const int approach = RunUntil(skeleton, kActAttack, 100);
  ASSERT_GT(approach, 0);
  EXPECT_LT(m_member.m_pos.x - skeleton.m_pos.x, 8.0f);
  EXPECT_EQ(skeleton.m_actionBase, 8);
  m_member.got.clear();
  EXPECT_EQ(RunUntil(skeleton, -1, 8), -1);
  ASSERT_EQ(m_member.Codes(), std::vector<int>{kMsgHit});  // the blow at the hit frame
  EXPECT_EQ(m_member.got[0].sender, &skeleton);
  // Base damage (20 - 20 x 9 / 900) x 0.8 = 16, less a tenth, plus a spread
  // below 3, a third for an enemy's blow.
  EXPECT_EQ(m_member.got[0].a, 5);
  skeleton.OnMessage(&m_member, kMsgHitConfirmed, 16, 0, 0);
  EXPECT_EQ(skeleton.m_hitStopTicks, 15);
  const FrameMessage& flash = Frame().messages.back();
  EXPECT_EQ(flash.code, 4);
  EXPECT_EQ(flash.a, 3);
  EXPECT_EQ(flash.b, 7);
  EXPECT_EQ(flash.c, 1);
  EXPECT_GT(RunUntil(skeleton, kActWalkBack, 60), 0);
  EXPECT_GT(RunUntil(skeleton, kActIdle, 40), 0);

  // A hit leaves the skeleton in the air: its recoil keeps what the hit set.
  skeleton.OnMessage(&m_member, kMsgHit, 3, 0, 0);
  EXPECT_EQ(skeleton.m_actionCode, kActDamageLight);
  EXPECT_EQ(skeleton.m_actionBase, 12);
  EXPECT_EQ(skeleton.m_inAir, 1);
  EXPECT_EQ(skeleton.m_velocity.y, -1.5f);

  // Killed: credited after its death, then released.
  skeleton.OnMessage(nullptr, kMsgKill, 0, 0, 0);
  skeleton.m_hitStopTicks = 0;
  EXPECT_GT(RunUntil(skeleton, kActDefeated, 60), 0);
  EXPECT_EQ(Frame().m_battleResult.totalExp, 12);
  EXPECT_GT(RunUntil(skeleton, kActRemoved, 30), 0);
  EXPECT_EQ(session.enemyCount, 0);
  EXPECT_EQ(skeleton.m_slot, nullptr);
  EXPECT_EQ(Slot().actor, nullptr);
}

}  // namespace
