// The one hit-immune handling on its variants, the boss blocks traced on
// the kinds that show each, and the bosses' own edges.
#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

#include "battle/enemy/BattleFlyingEnemy.h"
#include "battle/enemy/BossKinds.h"
#include "session/EnemySlot.h"
#include "tests/battle/EnemyKindsFixture.h"

using namespace enemytest;

namespace {

// The variants no kind of ours has yet: more gauge back, a turn with every
// hit, the flying base.
class CGaugeBoss : public HitImmuneEnemy<CGaugeBoss> {
 public:
  static constexpr EnemyKindDef kDef{.name = "gauge", .hitImmunity = {.gaugeBonus = 15}};
};
class CTurningBoss : public HitImmuneEnemy<CTurningBoss> {
 public:
  static constexpr EnemyKindDef kDef{.name = "turning", .hitImmunity = {.turn = 11}};
};
class CFlyingBoss : public HitImmuneEnemy<CFlyingBoss, CBattleFlyingEnemy> {
 public:
  static constexpr EnemyKindDef kDef{.name = "flying"};
};

class BossKindsTest : public EnemyKindsTest {
 protected:
  // A hit message with the enemy as the case sets it up.
  template <class T>
  void Hit(T& enemy, int code, int32_t kind = 0) {
    enemy.OnMessage(&m_target, code, 5, 0, kind);
  }
  // The ticks the reel lasts: the hit-stop's 15 and the reaction's 35.
  static int ReelTicks(CBattleEnemy& enemy) {
    int t = 0;
    while (enemy.m_actionCode == kActDamageLight && t < 100) {
      enemy.OnProcess();
      ++t;
    }
    return t;
  }
};

}  // namespace

// One table: the variant, the state the hit finds, the message; then what
// the enemy is left with.
TEST_F(BossKindsTest, HitImmuneOnMessageStandsTheEnemyAsItWas) {
  CBattleArbitersHeritage01 head;
  CGaugeBoss gauge;
  CTurningBoss turning;
  CFlyingBoss flying;
  struct Case {
    const char* what;
    CBattleEnemy* enemy;
    int32_t action;  // the action the hit finds
    int32_t lock;
    int code;
    int32_t kind;
    float gauge, angle;
    // Expected:
    float gaugeAfter, angleAfter, knockBack;
    int32_t actionAfter;
    int32_t hp;
  };
  const float kThird = -2.5f * 0.33333334f;
  const Case cases[] = {
      {"taken", &head, kActIdle, 0, kMsgHit, 0, 42.5f, 123.75f, 42.5f, 123.0f, kThird, kActDamageLight, 295},
      {"taken strong", &head, kActIdle, 0, kMsgHit, 2, 42.5f, 123.75f, 42.5f, 123.0f, 2 * kThird, kActDamageLight, 295},
      {"taken magic", &head, kActIdle, 0, kMsgMagicHit, 0, 99.5f, 10.2f, 99.5f, 10.0f, kThird, kActDamageLight, 295},
      {"taken +15", &gauge, kActIdle, 0, kMsgHit, 0, 42.9f, 5.5f, 42.9f, 5.0f, kThird, kActDamageLight, 295},
      {"locked", &head, kActSpecialHit2, 2, kMsgHit, 0, 42.9f, 123.75f, 42.9f, 123.0f, kThird / 3, kActSpecialHit2, 300},
      {"removed", &head, kActRemoved, 0, kMsgHit, 0, 95.7f, 0.0f, 100.0f, 0.0f, kThird / 3, kActRemoved, 300},
      {"leaving", &head, kActLeave, 0, kMsgHitTwoParts, 0, 42.9f, 0.0f, 53.0f, 0.0f, kThird / 3, kActLeave, 300},
      {"vanished", &head, kActVanish, 0, kMsgHitWithNumber, 0, 42.9f, 0.0f, 53.0f, 0.0f, kThird / 3, kActVanish, 300},
      {"credited +15", &gauge, kActDefeated, 0, kMsgMagicHit, 0, 42.9f, 0.0f, 57.0f, 0.0f, kThird / 3, kActDefeated, 300},
      {"turning", &turning, kActIdle, 0, kMsgHit, 0, 30.0f, 350.6f, 30.0f, 361.0f, kThird, kActDamageLight, 295},
      {"flying", &flying, kActIdle, 0, kMsgHit, 0, 30.0f, 90.0f, 30.0f, 90.0f, kThird, kActDamageLight, 295},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    session.enemies[0].hp = 300;
    Bind(*c.enemy);
    c.enemy->m_actionCode = c.action;
    c.enemy->m_hitGuardTicks = c.lock;
    c.enemy->m_timeGauge = c.gauge;
    c.enemy->m_angle = c.angle;
    c.enemy->m_knockBack = kThird;  // what an earlier hit left
    c.enemy->m_inAir = 1;
    c.enemy->m_velocity.y = -1.0f;
    Hit(*c.enemy, c.code, c.kind);
    EXPECT_FLOAT_EQ(c.enemy->m_timeGauge, c.gaugeAfter);
    EXPECT_EQ(c.enemy->m_angle, c.angleAfter);
    EXPECT_FLOAT_EQ(c.enemy->m_knockBack, c.knockBack);
    EXPECT_EQ(c.enemy->m_inAir, 0);
    EXPECT_EQ(c.enemy->m_velocity.y, 0.0f);
    EXPECT_EQ(c.enemy->m_actionCode, c.actionAfter);
    EXPECT_EQ(session.enemies[0].hp, c.hp);
  }
  EXPECT_EQ(head.m_savedGauge, 42);
  EXPECT_EQ(turning.m_savedHeading, 350);
  EXPECT_EQ(flying.m_fallTimer, CBattleFlyingEnemy::kHitFall);  // the flying base's fall still starts
}

// The knock-out an applied magic sends changes nothing; other codes are the
// base's, the flying base's wander included.
TEST_F(BossKindsTest, HitImmuneKindsIgnoreTheKnockOutAndPassEverythingElseToTheirBase) {
  CBattleUlmgard ulmgard;
  Bind(ulmgard);
  ulmgard.m_timeGauge = 42.5f;
  ulmgard.m_angle = 12.5f;
  ulmgard.OnMessage(&m_target, kMsgVanishLight, 0, 0, 0);
  EXPECT_EQ(ulmgard.m_actionCode, kActIdle);
  EXPECT_EQ(ulmgard.m_timeGauge, 42.5f);
  EXPECT_EQ(ulmgard.m_angle, 12.5f);
  EXPECT_EQ(ulmgard.m_savedGauge, 0);
  session.enemies[0].hp = 10;
  ulmgard.OnMessage(&m_target, kMsgFullHp, 0, 0, 0);
  EXPECT_EQ(session.enemies[0].hp, 300);

  CFlyingBoss flying;
  Bind(flying);
  flying.m_hitGuardTicks = 0;
  flying.OnMessage(&m_target, kMsgKnockIntoWander, 0, 0, 0);
  EXPECT_EQ(flying.m_actionCode, kActWander);
}

// The boss blocks, one trace for each: the lock before the target test and
// after it, the own weapon attack, the cast order, the leap.
TEST_F(BossKindsTest, EachBossBlockCallsOutInItsOrder) {
  struct Variant {
    const char* what;
    std::string trace;
    const char* expected;
  };
  const Variant variants[] = {
      {"ulmgard's own blow lunges", Order<CBattleUlmgard>(0, false, 24, kActAttack), "8:weapon 24:set 10003"},
      {"tolmir casts", Order<CBattleTolmirVeskaro>(3, false, 30, kActCastMagic),
       "1:start 258/50,set 10068 25:magic,set 10000"},
  };
  for (const Variant& v : variants) EXPECT_EQ(v.trace, v.expected) << v.what;

  // Without a target Bredan's strike still locks; the head's chained
  // stage locks only with one.
  struct Lock {
    CBattleEnemy* enemy;
    int32_t code;
    int32_t lockWithout;
  };
  CBattleBredanHollow bredan;
  CBattleArbitersHeritage01 head;
  for (const Lock& l : {Lock{&bredan, kActSpecialHit, 3}, Lock{&head, kActSkillHit1, 0}}) {
    SCOPED_TRACE(typeid(*l.enemy).name());
    Bind(*l.enemy);
    l.enemy->SetAction(l.code);
    l.enemy->m_hitGuardTicks = 0;
    l.enemy->UpdateAction(l.code);
    EXPECT_EQ(l.enemy->m_hitGuardTicks, 3);
    l.enemy->SetAction(l.code);
    l.enemy->m_hitGuardTicks = 0;
    l.enemy->m_target = nullptr;
    l.enemy->UpdateAction(l.code);
    EXPECT_EQ(l.enemy->m_hitGuardTicks, l.lockWithout);
    EXPECT_EQ(l.enemy->m_actionCode, kActIdle);
  }
}

// Ordered 16, Ulmgard walks until he is within 20 whatever the skill says,
// leaps and strikes in the air with the strong knock-back.
TEST_F(BossKindsTest, UlmgardWalksToTwentyLeapsAndStrikesWithTheStrongKnockBack) {
  m_target.m_pos = Vec3{60.0f, 0.0f, 0.0f};
  HitKindNoted<CBattleUlmgard> ulmgard;
  float leapedAt = -1.0f;
  float leapSpeed = 0.0f;
  Bind(ulmgard);
  ulmgard.m_chosenIndex = 16;
  ulmgard.m_useSpecial = true;
  ulmgard.SetAction(kActSpecialSkill);
  const std::string trace = Run(ulmgard, 100, [&](int) {
    if (leapedAt < 0.0f && ulmgard.m_actionCode == kActSpecialHit2) {
      leapedAt = ulmgard.DistanceXZ(m_target.m_pos.x, m_target.m_pos.z);
      leapSpeed = ulmgard.m_inAir != 0 ? ulmgard.m_velocity.y : 0.0f;
    }
  });
  EXPECT_EQ(trace,
            "1:set 10074 2:trail 30 60:set 10066,trail 0 61:start 1011/30,trail 20 68:skill,kind 2 "
            "84:set 10003,trail 0");
  EXPECT_EQ(leapSpeed, -2.5f);
  EXPECT_GT(leapedAt, 19.0f);
  EXPECT_LE(leapedAt, 20.0f);
}

// Ordered 22, the head walks up and runs its four-stage chain, each stage
// on the heading its first tick took, though the target moves; hits in
// the chain cost nothing. The subordinate's chain breaks on the first hit.
TEST_F(BossKindsTest, TheHeadsChainHoldsItsHeadingsAndShrugsOffHitsTheSubordinatesBreaks) {
  Traced<CBattleArbitersHeritage01> head;
  Bind(head);
  head.m_chosenIndex = 22;
  head.m_useSpecial = true;
  head.SetAction(kActSpecialSkill);
  float heading = 0.0f;
  int32_t stage = 0;
  int turns = 0;
  const std::string trace = Run(head, 140, [&](int t) {
    if (head.m_actionCode != stage) {
      stage = head.m_actionCode;
      heading = -1000.0f;
    } else if (stage == kActSpecialHit2 || (stage >= kActSkillHit1 && stage <= kActSkillHit3)) {
      if (heading == -1000.0f) heading = head.m_angle;
      if (static_cast<int>(head.m_angle) != static_cast<int>(heading)) ++turns;  // hits keep whole degrees
      Hit(head, kMsgHit);
    }
    m_target.m_pos.z = static_cast<float>(t % 7) * 3.0f;  // the target sidesteps
  });
  EXPECT_EQ(trace,
            "1:set 10074 2:trail 30 37:set 10066,trail 0 38:start 1011/30,trail 20 45:skill 61:set 10070,trail 0 "
            "62:trail 20 69:skill 85:set 10071,trail 0 86:trail 20 93:skill 109:set 10072,trail 0 110:trail 20 "
            "117:skill 133:set 10003,trail 0");
  EXPECT_EQ(turns, 0);
  EXPECT_EQ(session.enemies[0].hp, 300);

  CBattleArbitersHeritage02 subordinate;
  Bind(subordinate);
  subordinate.SetAction(kActSkillHit1);
  subordinate.OnProcess();
  EXPECT_EQ(subordinate.m_hitGuardTicks, 0);
  Hit(subordinate, kMsgHit);
  EXPECT_EQ(subordinate.m_actionCode, kActDamageLight);
  EXPECT_EQ(session.enemies[0].hp, 295);
}

// Idle with a member in reach: the head pays 20 for a blow and keeps 15 of
// 35; at 19.9 it only turns to its target; the subordinate never strikes.
TEST_F(BossKindsTest, OnlyTheHeadStrikesFromIdle) {
  m_target.SetAction(kActIdle);
  m_target.m_pos = Vec3{5.0f, 0.0f, 5.0f};
  CBattleArbitersHeritage01 head;
  Bind(head);
  head.m_timeGauge = 35.0f;
  head.UpdateAction(kActIdle);
  EXPECT_EQ(head.m_actionCode, kActAttack);
  EXPECT_EQ(head.m_timeGauge, 15.0f);

  head.SetAction(kActIdle);
  head.m_angle = 0.0f;
  head.m_timeGauge = 19.9f;
  head.UpdateAction(kActIdle);
  EXPECT_EQ(head.m_actionCode, kActIdle);
  EXPECT_NE(head.m_angle, 0.0f);
  EXPECT_EQ(head.m_timeGauge, 19.9f);

  CBattleArbitersHeritage02 subordinate;
  Bind(subordinate);
  subordinate.m_timeGauge = 100.0f;
  for (int t = 0; t < 10; ++t) subordinate.UpdateAction(kActIdle);
  EXPECT_EQ(subordinate.m_actionCode, kActIdle);
  EXPECT_EQ(subordinate.m_timeGauge, 100.0f);
}

// The head's first special is not locked: a hit reels it on row 16, and 35
// ticks later it is idle, the special abandoned.
TEST_F(BossKindsTest, AHitBreaksTheHeadsFirstSpecialForGood) {
  CBattleArbitersHeritage01 head;
  Bind(head);
  head.SetAction(kActSpecialHit);
  for (int t = 0; t < 5; ++t) head.OnProcess();
  Hit(head, kMsgHit);
  EXPECT_EQ(head.m_actionCode, kActDamageLight);
  EXPECT_EQ(head.m_actionBase, 16);
  EXPECT_EQ(session.enemies[0].hp, 295);
  EXPECT_EQ(ReelTicks(head), 51);
  EXPECT_EQ(head.m_actionCode, kActIdle);
  for (int t = 0; t < 30; ++t) head.OnProcess();
  EXPECT_EQ(head.m_actionCode, kActIdle);
}

// A hit in the leap is dropped by the lock, but it still grounds the flag
// and the speed: Ulmgard then drops from where he is.
TEST_F(BossKindsTest, AHitInUlmgardsLeapLeavesHimToDrop) {
  CBattleUlmgard ulmgard;
  Bind(ulmgard);
  ulmgard.SetAction(kActSpecialHit2);
  for (int t = 0; t < 6; ++t) ulmgard.OnProcess();
  const float height = ulmgard.m_pos.y;
  ASSERT_LT(height, -3.0f);
  Hit(ulmgard, kMsgHit);
  EXPECT_EQ(ulmgard.m_inAir, 0);
  EXPECT_EQ(ulmgard.m_velocity.y, 0.0f);
  EXPECT_EQ(session.enemies[0].hp, 300);
  ulmgard.OnProcess();
  EXPECT_EQ(ulmgard.m_inAir, 1);
  ulmgard.OnProcess();
  EXPECT_GT(ulmgard.m_pos.y, height);
  for (int t = 0; t < 40; ++t) ulmgard.OnProcess();
  EXPECT_EQ(ulmgard.m_pos.y, 0.0f);
}

// Ordered a special or a cast, the illusion finds no step and waits, its
// gauge standing still, until a hit; then it idles as the others do.
TEST_F(BossKindsTest, TheIllusionWaitsInAnOrderUntilAHit) {
  for (int32_t order : {kActSpecialSkill, kActCastMagic}) {
    CBattleArbitersHeritage03 illusion;
    Bind(illusion);
    illusion.m_gaugeRunning = 1;
    illusion.m_timeGauge = 30.0f;
    illusion.SetAction(order);
    for (int t = 0; t < 60; ++t) illusion.OnProcess();
    EXPECT_EQ(illusion.m_actionCode, order);
    EXPECT_EQ(illusion.m_timeGauge, 30.0f);
    Hit(illusion, kMsgHit);
    EXPECT_EQ(illusion.m_actionBase, 16);
    EXPECT_EQ(ReelTicks(illusion), 51);
    EXPECT_EQ(illusion.m_actionCode, kActIdle);
  }
}
