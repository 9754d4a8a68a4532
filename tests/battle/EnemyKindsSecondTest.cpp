// The second group's routes traced from the order to the end code, the
// blocks that depart from the shared ones, the slime's split and the kinds
// that hits cannot move.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <typeinfo>
#include <vector>

#include "battle/enemy/BattleEarthElementel.h"
#include "battle/enemy/BattleSlime.h"
#include "battle/enemy/BattleTorture.h"
#include "battle/enemy/EnemyKindsSecond.h"
#include "engine/ResMgr.h"
#include "engine/SoundDevice.h"
#include "engine/Wave.h"
#include "session/EnemySlot.h"
#include "tests/battle/EnemyKindsFixture.h"
#include "tests/support/WaveFixture.h"

using namespace enemytest;

namespace {

class EnemyKindsSecondTest : public EnemyKindsTest {
 protected:
  // Skills up to 99, so that every index a route names has a distance.
  EnemyKindsSecondTest() {
    std::string skills;
    for (int i = 0; i <= 99; ++i) skills += "#skill < s" + std::to_string(i) + " > < >\n#duration 10\n#end\n";
    Write("data/diary/skill.txt", skills);
    CSkillMgr::GetInstance().Free();
    EXPECT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
  }
};

struct RouteCase {
  const char* what;
  std::string trace;
  const char* expected;
};

}  // namespace

// Each route of each kind, and its default, from the order to the end code.
TEST_F(EnemyKindsSecondTest, EveryRouteRunsToItsEndCode) {
  const RouteCase cases[] = {
      {"sylph spell", Order<CBattleSilpe>(3, false, 30, kActCastMagic),
       "1:start 258/50,set 10065 2:trail 20 9:magic 25:set 10000,trail 0"},
      {"sylph special", Order<CBattleSilpe>(3, true, 30),
       "1:start 1011/30,set 10065 2:trail 20 9:skill 25:set 10000,trail 0"},
      {"ice golem", Order<CBattleIceGolem>(3, true, 60),
       "1:set 10073 2:trail 30 34:set 10065,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10003,trail 0"},
      {"ajer", Order<CBattleAjer>(3, true, 30),
       "1:set 10065 2:start 1011/30,trail 20 9:skill 25:set 10000,trail 0"},
      {"alien gilan 26", Order<CBattleAlienGilan>(26, true, 60),
       "1:set 10073 2:trail 30 34:set 10065,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10003,trail 0"},
      {"alien gilan 81", Order<CBattleAlienGilan>(81, true, 30),
       "1:set 10066 2:start 1011/30 9:skill 25:set 10000"},
      {"alien gilan other", Order<CBattleAlienGilan>(7, true, 3),
       "1:set 10001"},
      {"undine 13", Order<CBattleUndinea>(13, true, 60),
       "1:set 10074 2:trail 30 34:set 10066,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10003,trail 0"},
      {"undine 40", Order<CBattleUndinea>(40, true, 60),
       "1:set 10075 2:start 1011/30,trail 30 34:set 10067,trail 0 35:trail 20 42:skill 58:set 10003,trail 0"},
      {"undine 89", Order<CBattleUndinea>(89, true, 30),
       "1:set 10065 2:start 1011/30,trail 20 9:skill 25:set 10003,trail 0 26:set 10000"},
      {"undine other", Order<CBattleUndinea>(7, true, 3),
       "1:set 10001"},
      {"wisp spell", Order<CBattleWiloWesper>(3, false, 30, kActCastMagic),
       "1:start 258/50,set 10066 9:magic 25:set 10000"},
      {"wisp special", Order<CBattleWiloWesper>(3, true, 30),
       "1:set 10065 2:start 1011/30 9:skill 25:set 10003 26:set 10000"},
      {"evil lord 25", Order<CBattleEvilLode>(25, true, 60),
       "1:set 10073 2:trail 30 34:set 10065,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10003,trail 0"},
      {"evil lord 27", Order<CBattleEvilLode>(27, true, 60),
       "1:set 10074 2:trail 30 34:set 10066,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10003,trail 0"},
      {"evil lord other", Order<CBattleEvilLode>(7, true, 3),
       "1:set 10001"},
      {"lich 5", Order<CBattleRich>(5, true, 60),
       "1:set 10073 2:trail 30 34:set 10065,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10000,trail 0"},
      {"lich 39", Order<CBattleRich>(39, true, 30),
       "1:set 10066 2:start 1011/30 9:skill 25:set 10000"},
      {"lich other", Order<CBattleRich>(7, true, 3),
       "1:set 10001"},
      {"woman-bee 4", Order<CBattleBoundUnManBe>(4, true, 60),
       "1:set 10073 2:trail 30 34:set 10065,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10003,trail 0"},
      {"woman-bee 37", Order<CBattleBoundUnManBe>(37, true, 60),
       "1:set 10074 2:trail 30 34:set 10066,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10003,trail 0"},
      {"woman-bee other", Order<CBattleBoundUnManBe>(7, true, 3),
       "1:set 10001"},
      {"saint spirits 39", Order<CBattleSaintSpirit>(39, true, 30),
       "1:start 1011/30,set 10065 2:trail 20 9:skill 25:set 10003,trail 0 26:set 10000"},
      {"saint spirits 48", Order<CBattleSaintSpirit>(48, true, 30),
       "1:start 1011/30,set 10066 2:trail 20 9:skill 25:set 10003,trail 0 26:set 10000"},
      {"saint spirits other", Order<CBattleSaintSpirit>(7, true, 3),
       "1:start 1011/30,set 10001"},
      {"efreet 11", Order<CBattleEprite>(11, true, 40),
       "1:set 10073 2:trail 30 13:set 10065,trail 0 14:start 1011/30,trail 20 21:skill 37:set 10003,trail 0"},
      {"efreet 82", Order<CBattleEprite>(82, true, 40),
       "1:set 10074 2:trail 30 13:set 10066,trail 0 14:start 1011/30 21:skill 37:set 10003"},
      {"efreet other", Order<CBattleEprite>(7, true, 3),
       "1:set 10001"},
      {"incubus 40", Order<CBattleInqubus>(40, true, 60),
       "1:set 10073 2:trail 30 34:set 10065,trail 0 35:start 1011/30,trail 20 58:skill,set 10003,trail 0"},
      {"incubus 83", Order<CBattleInqubus>(83, true, 60),
       "1:set 10074 2:trail 30 34:set 10066,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10003,trail 0"},
      {"incubus other", Order<CBattleInqubus>(7, true, 3),
       "1:set 10001"},
      {"electric armour 59", Order<CBattleElectnikArmor>(59, true, 30),
       "1:set 10065 2:start 1011/30,trail 30 9:skill 25:set 10000,trail 0"},
      {"electric armour 16", Order<CBattleElectnikArmor>(16, true, 40),
       "1:set 10074 2:trail 30 10:set 10066,trail 0 11:start 1011/30,trail 20 18:skill 34:set 10003,trail 0"},
      {"tornado 67", Order<CBattleTornado>(67, true, 40),
       "1:set 10073 2:trail 30 10:set 10065,trail 0 11:start 1011/30,trail 20 18:skill 34:set 10003,trail 0"},
      {"tornado 16", Order<CBattleTornado>(16, true, 40),
       "1:set 10074 2:trail 30 13:set 10066,trail 0 14:start 1011/30,trail 20 21:skill 37:set 10003,trail 0"},
      {"clay golem", Order<CBattleCrayGolem>(3, true, 60),
       "1:set 10073 2:trail 30 34:set 10065,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10003,trail 0"},
      {"twist", Order<CBattleTwist>(3, true, 60),
       "1:set 10073 2:trail 30 34:set 10065,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10003,trail 0"},
      {"painloid 8", Order<CBattlePainLoid>(8, true, 60),
       "1:set 10073 2:trail 30 34:set 10065,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10003,trail 0"},
      {"painloid 84", Order<CBattlePainLoid>(84, true, 30),
       "1:set 10066 2:start 1011/30 9:skill 25:set 10003 26:set 10000"},
      {"painloid other", Order<CBattlePainLoid>(47, true, 30),
       "1:set 10067 2:start 1011/30,trail 20 9:skill 25:set 10003,trail 0 26:set 10000"},
      {"pain of glory 41", Order<CBattlePainOfGlory>(41, true, 10),
       "1:start 1011/30,set 10065 2:skill,trail 20 4:set 10003,trail 0 5:set 10000"},
      {"pain of glory 42", Order<CBattlePainOfGlory>(42, true, 10),
       "1:start 1011/30,set 10066 2:skill,trail 20 4:set 10003,trail 0 5:set 10000"},
      {"pain of glory other", Order<CBattlePainOfGlory>(43, true, 10),
       "1:start 1011/30,set 10067 2:skill,trail 20 4:set 10003,trail 0 5:set 10000"},
      {"failsoft", Order<CBattleFailSoft>(3, true, 60),
       "1:set 10073 2:trail 30 34:set 10065,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10003,trail 0"},
      {"phantom 3", Order<CBattlePhantom>(3, true, 60),
       "1:set 10073 2:trail 30 34:set 10065,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10003,trail 0"},
      {"phantom 7", Order<CBattlePhantom>(7, true, 60),
       "1:set 10074 2:trail 30 34:set 10066,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10003,trail 0"},
      {"phantom other", Order<CBattlePhantom>(71, true, 60),
       "1:set 10075 2:trail 30 34:set 10067,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10003,trail 0"},
      {"flame jade", Order<CBattleFrameJead>(3, true, 60),
       "1:set 10073 2:trail 30 34:set 10065,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10003,trail 0"},
      {"poison amoeba", Order<CBattlePoisonAmoeba>(3, true, 60),
       "1:set 10073 2:trail 30 34:set 10065,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10003,trail 0"},
      {"snail", Order<CBattleSnail>(3, true, 60),
       "1:set 10073 2:trail 30 34:set 10065,trail 0 35:start 1011/30,trail 20 42:skill 58:set 10003,trail 0"},
      {"hulk", Order<CBattleHulke>(3, true, 30),
       "1:start 1011/30,set 10065 9:skill 25:set 10000"},
      {"holy light 54", Order<CBattleHolyLight>(54, true, 30),
       "1:start 1011/30,set 10065 9:skill 25:set 10003 26:set 10000"},
      {"holy light other", Order<CBattleHolyLight>(7, true, 30),
       "1:start 1011/30,set 10066 2:trail 20 9:skill 25:set 10003,trail 0 26:set 10000"},
      {"gagamu", Order<CBattleGagaMu>(3, true, 3),
       ""},
      {"heavy lady", Order<CBattleHaveyLady>(3, true, 3),
       ""},
      {"saint skeleton", Order<CBattleSaintSpiritSkeleton>(3, true, 3),
       ""},
      {"earth elemental special", Order<CBattleEarthElementel>(7, true, 30),
       "1:set 10065 2:start 1011/30 5:skill 13:set 10000"},
      {"earth elemental spell", Order<CBattleEarthElementel>(7, false, 30, kActCastMagic),
       "1:start 210/50,set 10066 5:magic 13:set 10000"},
      {"torturer 1", Order<CBattleTorture1>(3, true, 60),
       "1:set 10073 2:trail 30 34:set 10065,trail 0 35:start 1011/30,trail 20 38:skill 46:set 10003,trail 0"},
      {"torturer 3", Order<CBattleTorture3>(3, true, 60),
       "1:set 10073 2:trail 30 34:set 10065,trail 0 35:start 1011/30,trail 20 38:skill 46:set 10000,trail 0"},
  };
  for (const RouteCase& c : cases) EXPECT_EQ(c.trace, c.expected) << c.what;
}

namespace {

// A stand-in that only fills a place in the battle's enemy list.
class CFiller : public CBattleActor {
 public:
  bool OnProcess() override { return true; }
};

class SlimeSplitTest : public EnemyKindsSecondTest {
 protected:
  SlimeSplitTest() {
    session.enemies[0].name = CBattleSlime::kDef.name;
    session.enemies[0].exp = 40;
    session.enemies[0].money = 25;
    Bind(slime);
  }
  ~SlimeSplitTest() override {
    Context().m_battleEnemies.remove(&slime);
    for (CFiller& f : fillers) Context().m_battleEnemies.remove(&f);
  }
  // The slime and `others` more in the battle's enemy list.
  void Crowd(int others) {
    Context().m_battleEnemies.push_back(&slime);
    for (int i = 0; i < others; ++i) Context().m_battleEnemies.push_back(&fillers[static_cast<size_t>(i)]);
  }
  void Hit(int code = kMsgHit) {
    slime.m_hitGuardTicks = 0;
    slime.OnMessage(&m_target, code, 10, 0, 0);
  }
  // Ticks until the slime has stood idle again, at most `limit`.
  void RunToIdle(int limit) {
    for (int t = 0; t < limit && slime.m_actionCode != kActIdle; ++t) slime.OnProcess();
  }

  CBattleSlime slime;
  std::array<CFiller, 5> fillers;
};

}  // namespace

// With five enemies standing a hit splits it once: the clone ahead along its
// heading and a unit up, as hurt as the slime, worth nothing.
TEST_F(SlimeSplitTest, AHitThatLeavesItAliveSplitsItOnceAheadAlongItsHeading) {
  Crowd(4);
  Hit();
  ASSERT_EQ(slime.m_actionCode, kActSplit);
  const int32_t hp = session.enemies[0].hp;
  EXPECT_EQ(hp, 290);
  RunToIdle(200);
  ASSERT_EQ(Context().m_battleEnemies.size(), 6u);
  // Once more where it stands still, facing +x.
  Context().m_battleEnemies.pop_back();
  Hit();
  slime.m_pos = Vec3{10.0f, 0.0f, 20.0f};
  slime.m_angle = 90.0f;
  slime.m_knockBack = 0.0f;
  slime.m_holdLast = 1;
  slime.UpdateAction(kActSplit);
  EXPECT_EQ(slime.m_actionCode, kActIdle);
  ASSERT_EQ(Context().m_battleEnemies.size(), 6u);
  auto* clone = dynamic_cast<CBattleSlime*>(Context().m_battleEnemies.back());
  ASSERT_NE(clone, nullptr);
  ASSERT_NE(clone->m_slot, nullptr);
  EXPECT_NEAR(clone->m_pos.x, 17.0f, 1e-4f);
  EXPECT_NEAR(clone->m_pos.z, 20.0f, 1e-4f);
  EXPECT_EQ(clone->m_pos.y, -1.0f);
  EXPECT_EQ(clone->m_slot->hp, hp - 10);
  EXPECT_EQ(clone->m_slot->exp, 0);
  EXPECT_EQ(clone->m_slot->money, 0);
  EXPECT_EQ(session.enemies[0].exp, 40);  // the slime keeps its own

  // Six now: the next hit only reels it, and it ends idle.
  slime.m_hitGuardTicks = 0;
  slime.m_hitStopTicks = 0;
  Hit(kMsgHitTwoParts);
  EXPECT_EQ(slime.m_actionCode, kActDamageLight);
  RunToIdle(200);
  EXPECT_EQ(slime.m_actionCode, kActIdle);
  EXPECT_EQ(Context().m_battleEnemies.size(), 6u);
}

// A split the battle filled up during reels, then stands idle for good.
TEST_F(SlimeSplitTest, ASplitCancelledByAFullBattleReelsThenIdles) {
  Crowd(4);
  Hit();
  ASSERT_EQ(slime.m_actionCode, kActSplit);
  Context().m_battleEnemies.push_back(&fillers[4]);
  slime.m_hitStopTicks = 0;
  slime.m_hitGuardTicks = 0;
  slime.OnProcess();
  EXPECT_EQ(slime.m_actionCode, kActDamageLight);
  for (int t = 0; t < 100; ++t) slime.OnProcess();
  EXPECT_EQ(slime.m_actionCode, kActIdle);
}

// Killed, knocked out or gone from the battle, it makes nothing; a magic hit
// does not split it either.
TEST_F(SlimeSplitTest, NoSplitWhenKilledOutOfTheBattleOrHitByMagic) {
  Crowd(1);
  session.enemies[0].hp = 5;
  Hit();
  EXPECT_EQ(slime.m_actionCode, kActDying);
  session.enemies[0].hp = 300;
  for (int32_t code : {kActVanish, kActLeave, kActDefeated}) {
    slime.SetAction(code);
    slime.OnMessage(&m_target, kMsgHitTwoParts, 5, 5, 0);
    EXPECT_EQ(slime.m_actionCode, code);
  }
  slime.SetAction(kActIdle);
  Hit(kMsgMagicHit);
  EXPECT_EQ(slime.m_actionCode, kActDamageLight);
  EXPECT_EQ(Context().m_battleEnemies.size(), 2u);
}

// The leap: thrown up, its blow on the hit frame, back after tick 25; an
// approach without a target idles.
TEST_F(EnemyKindsSecondTest, TheSlimeLeapsStrikesAndWalksBack) {
  Traced<CBattleSlime> slime;
  Bind(slime);
  slime.SetAction(kActAttack);
  EXPECT_EQ(slime.m_inAir, 1);
  EXPECT_EQ(slime.m_velocity.y, -1.7f);
  EXPECT_EQ(Run(slime, 30), "8:weapon 26:set 10003");
  slime.m_target = nullptr;
  slime.SetAction(kActApproach);
  EXPECT_EQ(Run(slime, 1), "1:set 10000");
}

// A hit leaves a hit-immune kind facing as it was, to the whole degree, on
// the ground, pushed a third as far; a knock-out is ignored; a hit the base
// drops on a terminal action still gives 11 to the gauge.
TEST_F(EnemyKindsSecondTest, HitsNeitherTurnLiftNorPushTheHitImmuneKindsFar) {
  struct Case {
    int code;
    int32_t kind;
    float knockBack;
  };
  const Case cases[] = {{kMsgHit, 0, -0.8333334f}, {kMsgHit, 2, -1.6666667f}, {kMsgMagicHit, 0, -0.8333334f}};
  CBattleTorture2 torturer;
  CBattleEarthElementel elemental;
  for (CBattleHitImmuneEnemy* enemy : {static_cast<CBattleHitImmuneEnemy*>(&torturer),
                                       static_cast<CBattleHitImmuneEnemy*>(&elemental)}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << typeid(*enemy).name() << " " << c.code << " " << c.kind);
      Bind(*enemy);
      enemy->m_angle = 123.75f;
      enemy->m_timeGauge = 42.5f;
      enemy->m_hitGuardTicks = 0;
      enemy->OnMessage(&m_target, c.code, 5, 0, c.kind);
      EXPECT_EQ(enemy->m_actionCode, kActDamageLight);
      EXPECT_EQ(enemy->m_angle, 123.0f);
      EXPECT_EQ(enemy->m_inAir, 0);
      EXPECT_EQ(enemy->m_velocity.y, 0.0f);
      EXPECT_FLOAT_EQ(enemy->m_knockBack, c.knockBack);
      EXPECT_EQ(enemy->m_timeGauge, 42.5f);  // taken, so the gauge is the base's
      EXPECT_EQ(enemy->m_savedGauge, 42);
    }
    enemy->SetAction(kActIdle);
    enemy->OnMessage(&m_target, kMsgVanishLight, 0, 0, 0);
    EXPECT_EQ(enemy->m_actionCode, kActIdle);

    enemy->SetAction(kActDefeated);
    enemy->m_hitGuardTicks = 0;
    enemy->m_timeGauge = 95.9f;
    enemy->OnMessage(&m_target, kMsgHit, 5, 0, 0);
    EXPECT_EQ(enemy->m_timeGauge, 100.0f);  // 95 + 11, capped
    enemy->m_timeGauge = 30.9f;
    enemy->OnMessage(&m_target, kMsgHitTwoParts, 5, 0, 0);
    EXPECT_EQ(enemy->m_timeGauge, 41.0f);
  }
}

// Idle with a member in reach it pays 20 of its gauge for each blow, the
// member its new target; 19.9 buys none, nor does a gauge with nobody near.
TEST_F(EnemyKindsSecondTest, IdleHitImmuneKindsStrikeAMemberInReachForTwentyOfTheGauge) {
  CTarget other;
  m_target.SetAction(kActIdle);
  m_target.m_pos = Vec3{5.0f, 0.0f, 0.0f};
  CBattleTorture1 torturer;
  CBattleEarthElementel elemental;
  for (CBattleHitImmuneEnemy* enemy : {static_cast<CBattleHitImmuneEnemy*>(&torturer),
                                       static_cast<CBattleHitImmuneEnemy*>(&elemental)}) {
    SCOPED_TRACE(typeid(*enemy).name());
    Bind(*enemy);
    enemy->m_target = &other;
    enemy->m_timeGauge = 45.0f;
    int blows = 0;
    for (int i = 0; i < 5; ++i) {
      enemy->SetAction(kActIdle);
      enemy->UpdateAction(kActIdle);
      if (enemy->m_actionCode == kActAttack) ++blows;
    }
    EXPECT_EQ(blows, 2);
    EXPECT_EQ(enemy->m_timeGauge, 5.0f);
    EXPECT_EQ(enemy->m_target, &m_target);

    enemy->m_timeGauge = 19.9f;
    enemy->SetAction(kActIdle);
    enemy->UpdateAction(kActIdle);
    EXPECT_EQ(enemy->m_actionCode, kActIdle);
    enemy->m_timeGauge = 20.0f;
    enemy->UpdateAction(kActIdle);
    EXPECT_EQ(enemy->m_actionCode, kActAttack);
    EXPECT_EQ(enemy->m_timeGauge, 0.0f);

    m_target.m_pos = Vec3{30.0f, 0.0f, 0.0f};
    enemy->m_timeGauge = 80.0f;
    enemy->SetAction(kActIdle);
    enemy->UpdateAction(kActIdle);
    EXPECT_EQ(enemy->m_actionCode, kActIdle);
    m_target.m_pos = Vec3{5.0f, 0.0f, 0.0f};
  }
}

// The earth elemental's strikes hold the hit lock: a hit in any of their
// ticks is dropped; the efreet's strikes likewise.
TEST_F(EnemyKindsSecondTest, HitsAreDroppedDuringTheLockedStrikes) {
  struct Case {
    CBattleEnemy* enemy;
    int32_t code;
  };
  CBattleEarthElementel elemental;
  CBattleEprite efreet;
  for (const Case& c : {Case{&elemental, kActSpecialHit}, Case{&elemental, kActSpecialHit2},
                        Case{&efreet, kActSpecialHit}, Case{&efreet, kActSpecialHit2}}) {
    SCOPED_TRACE(testing::Message() << typeid(*c.enemy).name() << " " << c.code);
    Bind(*c.enemy);
    c.enemy->SetAction(c.code);
    for (int t = 0; t < 6; ++t) {
      c.enemy->OnProcess();
      c.enemy->OnMessage(&m_target, kMsgHit, 5, 0, 0);
    }
    EXPECT_EQ(c.enemy->m_actionCode, c.code);
    EXPECT_EQ(session.enemies[0].hp, 300);
  }
}

namespace {

// The hit kind each resolution goes out with.
template <class Kind>
class KindNoted : public Traced<Kind> {
 public:
  void Resolve(EnemyResolve /*how*/) override { this->Note("kind " + std::to_string(this->m_hitKind)); }
};

}  // namespace

// The ice golem hits with kind 1 before its strike's tick 30 and 2 from it
// (its special sheet here has hit frames at ticks 8 and 32); the electric
// armour's and the tornado's second strikes hit with 2 on every hit frame.
TEST_F(EnemyKindsSecondTest, StrikesSetTheirHitKindBeforeResolving) {
  using battletest::SquareMotion;
  const std::vector<ActAction> actions(
      24, ActAction{{SquareMotion(), SquareMotion(0), SquareMotion(), SquareMotion(), SquareMotion(0), SquareMotion()}});
  Write("data/sprite/몬스터/괴물형/전투/아이스고렘_특수.spr", battletest::SquareSprite());
  Write("data/sprite/몬스터/괴물형/전투/아이스고렘_특수.act",
        slvtools::BuildAct(0x201, actions, {"attacktime.atk"}));
  KindNoted<CBattleIceGolem> golem;
  EXPECT_EQ(Order(golem, 3, true, 50, kActSpecialHit),
            "1:start 1011/30,trail 20 8:kind 1 32:kind 2 48:set 10003,trail 0,normal sheet 49:set 10000");
  KindNoted<CBattleElectnikArmor> armour;
  EXPECT_EQ(Order(armour, 3, true, 30, kActSpecialHit2), "1:start 1011/30,trail 20 8:kind 2 24:set 10003,trail 0 25:set 10000");
  KindNoted<CBattleTornado> tornado;
  EXPECT_EQ(Order(tornado, 3, true, 30, kActSpecialHit2), "1:start 1011/30,trail 20 8:kind 2 24:set 10003,trail 0");
}

// A hit in the middle of a strike on the special sheet reels the enemy on
// its normal sheet at once.
TEST_F(EnemyKindsSecondTest, AHitDuringASpecialSheetStrikeBringsTheNormalSheetBack) {
  Write("data/sprite/몬스터/괴물형/전투/이블로드_특수.spr", battletest::SquareSprite());
  Write("data/sprite/몬스터/괴물형/전투/이블로드_특수.act",
        slvtools::BuildAct(0x201, std::vector<ActAction>(24, ActAction{{battletest::SquareMotion()}}), {}));
  CBattleEvilLode lord;
  Bind(lord);
  lord.SetAction(kActSpecialHit);
  ASSERT_NE(lord.m_actName, "beast.act");
  for (int t = 0; t < 5; ++t) lord.OnProcess();
  lord.m_hitGuardTicks = 0;
  lord.m_hitStopTicks = 0;
  lord.OnMessage(&m_target, kMsgHit, 1, 0, 0);
  EXPECT_EQ(lord.m_actionCode, kActDamageLight);
  EXPECT_EQ(lord.m_actName, "beast.act");
  EXPECT_EQ(lord.m_sprName, "beast.spr");
  EXPECT_EQ(lord.m_afterimage, 0);
}

// A target lost on the way idles at once, without the walk back; the
// electric armour's long approach gives up past tick 300.
TEST_F(EnemyKindsSecondTest, ApproachesIdleWithoutATargetOrPastTheirLimit) {
  Traced<CBattleEprite> efreet;
  Bind(efreet);
  efreet.m_chosenIndex = 11;
  efreet.SetAction(kActSpecialApproach);
  EXPECT_EQ(Run(efreet, 5, [&](int t) {
              if (t == 3) efreet.m_target = nullptr;
            }),
            "1:trail 30 3:set 10000,trail 0");

  m_target.m_pos = Vec3{2000.0f, 0.0f, 0.0f};
  CBattleElectnikArmor armour;
  Bind(armour);
  armour.m_chosenIndex = 16;
  armour.SetAction(kActSpecialApproach2);
  for (int32_t tick : {300, 301}) {
    armour.m_tickCount = tick;
    armour.UpdateAction(kActSpecialApproach2);
  }
  EXPECT_EQ(armour.m_actionCode, kActIdle);
  armour.SetAction(kActSpecialApproach2);
  armour.m_tickCount = 300;
  armour.UpdateAction(kActSpecialApproach2);
  EXPECT_EQ(armour.m_actionCode, kActSpecialApproach2);
}

// The tornado's charge and the twist's strike turn to the target on their
// first tick only, then drift on that heading; without a target they do not
// turn at all.
TEST_F(EnemyKindsSecondTest, TheChargeAndTheTwistFaceOnceAndDrift) {
  m_target.m_pos = Vec3{0.0f, 0.0f, 30.0f};
  CBattleTornado tornado;
  CBattleTwist twist;
  for (CBattleEnemy* enemy : {static_cast<CBattleEnemy*>(&tornado), static_cast<CBattleEnemy*>(&twist)}) {
    SCOPED_TRACE(typeid(*enemy).name());
    Bind(*enemy);
    enemy->m_angle = 45.0f;
    enemy->SetAction(kActSpecialHit);
    enemy->OnProcess();
    const float faced = enemy->m_angle;
    EXPECT_NE(faced, 45.0f);
    m_target.m_pos = Vec3{30.0f, 0.0f, 0.0f};
    for (int t = 0; t < 3; ++t) enemy->OnProcess();
    EXPECT_EQ(enemy->m_angle, faced);
    EXPECT_NE(enemy->m_velocity.x * enemy->m_velocity.x + enemy->m_velocity.z * enemy->m_velocity.z, 0.0f);
    m_target.m_pos = Vec3{0.0f, 0.0f, 30.0f};
    enemy->m_target = nullptr;
    enemy->m_angle = 45.0f;
    enemy->SetAction(kActSpecialHit);
    enemy->OnProcess();
    EXPECT_EQ(enemy->m_angle, 45.0f);
    EXPECT_EQ(enemy->m_actionCode, kActIdle);
  }
}

// The tornado's rotor sounds on ticks 30, 60 and 90 of its idle, and not
// in a reel that ends sooner.
TEST_F(EnemyKindsSecondTest, TheTornadosRotorSoundsEveryThirtyTicksOfAnyAction) {
  ASSERT_TRUE(InitDirectSound());
  platform::HoldSoundOutput(true);
  Write("data/wav/토네이도.wav",
        testsupport::PcmWaveFile(testsupport::ConstantSamples(4000, 1, 1000), 1, 22050));
  g_soundEnabled = 1;
  CBattleTornado tornado;
  Bind(tornado);
  PlayWave("토네이도.wav");  // loads it; the first of the five copies
  auto* wave = dynamic_cast<CWave*>(CResMgr::GetInstance().GetRes("토네이도.wav"));
  ASSERT_NE(wave, nullptr);
  ASSERT_NE(wave->GetSoundSet(), nullptr);
  const auto playing = [&] {
    int n = 0;
    for (int i = 0; i < CSoundBufferSet::kSlots; ++i) {
      const platform::SoundBuffer* b = wave->GetSoundSet()->GetBuffer(i);
      if (b != nullptr && b->IsPlaying()) ++n;
    }
    return n;
  };
  std::vector<int> ticks;
  tornado.SetAction(kActDamageLight);
  for (int t = 1; t <= 25; ++t) tornado.OnProcess();
  EXPECT_EQ(playing(), 1);
  tornado.SetAction(kActIdle);
  for (int t = 1; t <= 95; ++t) {
    const int before = playing();
    tornado.OnProcess();
    if (playing() > before) ticks.push_back(t);
  }
  EXPECT_EQ(ticks, (std::vector<int>{30, 60, 90}));
  CResMgr::GetInstance().ReleaseRes(wave);
  g_soundEnabled = 0;
  platform::HoldSoundOutput(false);
  ReleaseDirectSound();
}
