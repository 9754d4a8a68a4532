// The several-route kinds and the plain, in-place and table-only kinds:
// each special routed to its end code, the assassin's distances and its two
// ways out of the battle, and the moves and timings the routes do not show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "battle/enemy/MultiRouteKinds.h"
#include "battle/enemy/PlainInPlaceKinds.h"
#include "session/Session.h"
#include "tests/battle/EnemyKindsFixture.h"

using namespace enemytest;

namespace {

// The sage's and the queen bee's special sheets: four actions of three
// frames, the second a hit frame.
class MultiRouteKindsTest : public EnemyKindsTest {
 protected:
  MultiRouteKindsTest() {
    using battletest::SquareMotion;
    const std::string spr = battletest::SquareSprite();
    const std::vector<ActAction> actions(4, ActAction{{SquareMotion(), SquareMotion(0), SquareMotion()}});
    const std::string act = slvtools::BuildAct(0x201, actions, {"attacktime.atk"});
    for (const char* name : {"이블세이지", "여왕벌"}) {
      const std::string stem = std::string("data/sprite/몬스터/괴물형/전투/") + name + "_특수";
      Write(stem + ".spr", spr);
      Write(stem + ".act", act);
    }
  }
};

// Every route from the order to its end code, defaults included; each
// strike resolves once, on its hit frame (the dash as it arrives).
TEST_F(MultiRouteKindsTest, EachKindRoutesTheChosenSpecialToItsEndCode) {
  struct Route {
    const char* what;
    std::string chain;
    const char* expected;
  };
  const Route routes[] = {
      {"assassin 27 leaves", Chain(Order<CBattleAssassin>(27, true, 250)), "10074 10066 skill 10062"},
      {"assassin 69 where it stands", Chain(Order<CBattleAssassin>(69, true, 250)), "10067 skill 10003"},
      {"assassin 77 falls", Chain(Order<CBattleAssassin>(77, true, 250)), "10076 10068 skill 10080"},
      {"assassin other: the dash", Chain(Order<CBattleAssassin>(5, false, 250)), "10073 magic 10003"},
      {"assassin blow", Chain(Order<CBattleAssassin>(0, false, 250, kActApproach)), "10002 weapon 10003"},
      {"evil sage 25", Chain(Order<CBattleEvilSage>(25, true, 250)), "10073 10065 skill 10003"},
      {"evil sage 27", Chain(Order<CBattleEvilSage>(27, true, 250)), "10074 10066 skill 10003"},
      {"evil sage 43 where it stands", Chain(Order<CBattleEvilSage>(43, true, 250)), "10067 skill 10000"},
      {"evil sage other", Chain(Order<CBattleEvilSage>(5, true, 250)), "10073 10065 skill 10003"},
      {"death master 44 where it hovers", Chain(Order<CBattleDeathMaster>(44, true, 250)), "10065 skill 10000"},
      {"death master 25", Chain(Order<CBattleDeathMaster>(25, true, 250)), "10075 10067 skill 10003"},
      {"death master 27", Chain(Order<CBattleDeathMaster>(27, true, 250)), "10074 10066 skill 10003"},
      {"death master other", Chain(Order<CBattleDeathMaster>(5, true, 250)), "10075 10067 skill 10003"},
      {"hyper stone 10", Chain(Order<CBattleHyperSton>(10, true, 250)), "10074 10066 skill 10003"},
      {"hyper stone 11", Chain(Order<CBattleHyperSton>(11, true, 250)), "10073 10065 skill 10003"},
      {"queen bee 89 where it hovers", Chain(Order<CBattleQueenBee>(89, true, 250)), "10066 skill 10000"},
      {"queen bee 4", Chain(Order<CBattleQueenBee>(4, true, 250)), "10073 10065 skill 10003"},
      {"chimera 89 where it stands", Chain(Order<CBattlekimaira>(89, true, 250)), "10065 skill 10000"},
      {"chimera 30", Chain(Order<CBattlekimaira>(30, true, 250)), "10074 10066 skill 10003"},
      {"frame bat", Chain(Order<CBattleFrameBat>(5, true, 250)), "10073 10065 skill 10003"},
      {"dragonsfly", Chain(Order<CBattleDragonsFly>(5, true, 250)), "10073 10065 skill 10003"},
      {"officer", Chain(Order<CBattleEmpireOfficer>(5, true, 250)), "10073 10065 skill 10003"},
      {"soldier", Chain(Order<CBattleLeighrantzSoldier01>(5, true, 250)), "10073 10065 skill 10003"},
      {"soldier, the other", Chain(Order<CBattleLeighrantzSoldier02>(5, false, 250)), "10073 10065 magic 10003"},
      {"justice of death", Chain(Order<CBattleJusticeofDeth>(5, true, 250)), "10065 skill 10003"},
      {"killing puppet", Chain(Order<CBattleKillingPuppet>(60, true, 250)), "10065 skill 10003"},
      // The base's own blow, which resolves out of the trace's sight.
      {"sand man's blow", Chain(Order<CBattleSandMan>(0, false, 250, kActApproach)), "10002 10003"},
  };
  for (const Route& r : routes) EXPECT_EQ(r.chain, r.expected) << r.what;
}

// The dash lands below 10 and the own approach ends below 40, however long
// they have run; at exactly 10 and 40 they go on.
TEST_F(MultiRouteKindsTest, TheAssassinsDashAndApproachStopBelowTheirFixedDistances) {
  struct Case {
    int32_t code;
    float distance;
    int32_t after;
    bool resolved;
  };
  const Case cases[] = {
      {kActSpecialApproach, 9.9f, kActWalkBack, true},
      {kActSpecialApproach, 10.0f, kActSpecialApproach, false},
      {kActApproach, 39.99f, kActAttack, false},
      {kActApproach, 40.0f, kActApproach, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.code << " at " << c.distance);
    Traced<CBattleAssassin> assassin;
    Bind(assassin);
    assassin.m_useSpecial = true;
    m_target.m_pos = Vec3{c.distance, 0.0f, 0.0f};
    assassin.SetAction(c.code);
    assassin.m_tickCount = 5000;
    assassin.notes.clear();
    assassin.UpdateAction(c.code);
    EXPECT_EQ(assassin.m_actionCode, c.after);
    EXPECT_EQ(std::count(assassin.notes.begin(), assassin.notes.end(), "skill"), c.resolved ? 1 : 0);
    EXPECT_EQ(assassin.m_afterimage, 0);
  }
}

// A target lost mid-way ends the dash, the own approach, the lunge and the
// stone's charge idle on the next tick, with nothing resolved.
TEST_F(MultiRouteKindsTest, ALostTargetEndsEachMoveIdleUnresolved) {
  struct Case {
    const char* what;
    std::string trace;
  };
  m_target.m_pos = Vec3{200.0f, 0.0f, 0.0f};
  const auto lost = [&](auto& enemy, int32_t code) {
    Bind(enemy);
    enemy.m_useSpecial = true;
    enemy.SetAction(code);
    return Run(enemy, 12, [&](int t) {
      if (t == 3) enemy.m_target = nullptr;
    });
  };
  Traced<CBattleAssassin> dashing, closing, lunging;
  Traced<CBattleHyperSton> charging;
  const Case cases[] = {
      {"dash", lost(dashing, kActSpecialApproach)},
      {"own approach", lost(closing, kActApproach)},
      {"lunge", lost(lunging, kActAttack)},
      {"charge", lost(charging, kActSpecialHit)},
  };
  for (const Case& c : cases) {
    EXPECT_NE(c.trace.find("3:set 10000"), std::string::npos) << c.what << ": " << c.trace;
    EXPECT_EQ(Chain(c.trace), "10000") << c.what;
  }
}

// 27: it strikes, fades out and is gone, paying nothing. 77: the row is
// over at tick 24, but it holds until tick 61, then falls and pays.
TEST_F(MultiRouteKindsTest, TheAssassinLeavesUnpaidAfterOneStrikeOrFallsPaidAfterTheOther) {
  session.enemies[0].exp = 40;
  session.enemies[0].money = 9;
  Frame().m_battleResult = BattleResult{};
  Traced<CBattleAssassin> leaving;
  Bind(leaving);
  leaving.m_useSpecial = true;
  leaving.SetAction(kActSpecialHit2);
  EXPECT_EQ(Run(leaving, 25), "1:start 1011/30,trail 20 8:skill 24:set 10062,trail 0");
  int ticks = 1;
  while (leaving.OnProcess() && ticks < 200) ++ticks;
  EXPECT_EQ(ticks, 120);  // the tick that removes it
  EXPECT_EQ(Frame().m_battleResult.totalExp, 0);
  EXPECT_EQ(Frame().m_battleResult.money, 0);

  SetUpSlot();
  Traced<CBattleAssassin> falling;
  Bind(falling);
  falling.m_useSpecial = true;
  falling.SetAction(kActSpecialHit4);
  EXPECT_EQ(Run(falling, 61), "1:start 1011/30,trail 20 8:skill 61:set 10080,trail 0");
  EXPECT_EQ(Frame().m_battleResult.totalExp, 40);
  EXPECT_EQ(Frame().m_battleResult.money, 9);
}

// The flourish comes once, on the order's first tick; the assassin's dash
// and its strike 69 leave no trail; the puppet's strike row runs at delay
// 6 and the officer's at 4, and each ends as its last frame has shown; the
// sage walks up fast and strikes on its special sheet.
TEST_F(MultiRouteKindsTest, FlourishesAndStrikeRowsFallOnTheirTicks) {
  struct Variant {
    const char* what;
    std::string trace;
    const char* expected;
  };
  const Variant variants[] = {
      {"justice of death: one flourish, then the strike in place", Order<CBattleJusticeofDeth>(5, true, 30),
       "1:start 1011/30,set 10065 2:trail 20 9:skill 25:set 10003,trail 0 26:set 10000"},
      {"killing puppet: three frames of 6", Order<CBattleKillingPuppet>(5, true, 20, kActSpecialHit),
       "1:trail 20 6:skill 18:set 10003,trail 0 19:set 10000"},
      {"officer: three frames of 4", Order<CBattleEmpireOfficer>(5, true, 14, kActSpecialHit),
       "1:start 1011/30,trail 20 4:skill 12:set 10003,trail 0 13:set 10000"},
      {"assassin's dash: the flourish, no trail, the special as it arrives", Order<CBattleAssassin>(5, true, 40),
       "1:set 10073 2:start 1011/30 31:skill,set 10003"},
      {"assassin 69: the flourish, no trail", Order<CBattleAssassin>(69, true, 30),
       "1:set 10067 2:start 1011/30 9:skill 25:set 10003 26:set 10000"},
      {"evil sage: fast, and on its special sheet", Order<CBattleEvilSage>(25, true, 40),
       "1:set 10073 2:trail 30 13:set 10065,trail 0,special sheet 14:start 1011/30,trail 20 21:skill "
       "37:set 10003,trail 0,normal sheet"},
  };
  for (const Variant& v : variants) EXPECT_EQ(v.trace, v.expected) << v.what;
}

// The stone turns once as its strike starts and flies on at 0.4 however the
// target moves; the sage walks up at 2.1, both scaled by the slot's bonus.
TEST_F(MultiRouteKindsTest, TheHyperStoneChargesStraightAndTheSageWalksFast) {
  session.enemies[0].bonusPercent = 20;
  Traced<CBattleHyperSton> stone;
  Bind(stone);
  stone.m_useSpecial = true;
  m_target.m_pos = Vec3{0.0f, 0.0f, 30.0f};
  stone.SetAction(kActSpecialHit);
  float heading = -1.0f;
  Run(stone, 10, [&](int t) {
    if (t == 2) heading = stone.m_angle;
    m_target.m_pos.x += 3.0f;
  });
  EXPECT_EQ(stone.m_actionCode, kActSpecialHit);
  EXPECT_EQ(stone.m_angle, heading);
  EXPECT_FLOAT_EQ(std::hypot(stone.m_velocity.x, stone.m_velocity.z), 0.4f * 1.2f);

  Traced<CBattleEvilSage> sage;
  Bind(sage);
  sage.m_chosenIndex = 5;
  m_target.m_pos = Vec3{300.0f, 0.0f, 0.0f};
  sage.SetAction(kActSpecialApproach);
  Run(sage, 3);
  EXPECT_FLOAT_EQ(std::hypot(sage.m_velocity.x, sage.m_velocity.z), 2.1f * 1.2f);
}

// The chimera's walked-up strike and the stone's strike 10066 knock nothing
// back, whatever the frame says; the chimera's strike in place keeps it.
TEST_F(MultiRouteKindsTest, SomeStrikesSetNoKnockBackBeforeResolving) {
  struct Case {
    const char* what;
    CBattleEnemy* enemy;
    int32_t code;
    int32_t hitKind;
  };
  CBattlekimaira walkedUp, inPlace;
  CBattleHyperSton stone;
  for (const Case& c : {Case{"chimera 10066", &walkedUp, kActSpecialHit2, 1},
                        Case{"chimera 10065", &inPlace, kActSpecialHit, 0},
                        Case{"stone 10066", &stone, kActSpecialHit2, 1}}) {
    Bind(*c.enemy);
    c.enemy->m_hitKind = 2;
    c.enemy->SetAction(c.code);
    for (int t = 0; t < 9; ++t) c.enemy->OnProcess();
    EXPECT_EQ(c.enemy->m_hitKind, c.hitKind) << c.what;
  }
}

// 44, 89: struck where the enemy stood, with no step up and none back.
TEST_F(MultiRouteKindsTest, InPlaceSpecialsNeitherWalkUpNorBack) {
  const auto stays = [&](CBattleEnemy& enemy, int32_t index) {
    Bind(enemy);
    enemy.m_chosenIndex = index;
    enemy.m_useSpecial = true;
    enemy.SetAction(kActSpecialSkill);
    for (int t = 0; t < 60; ++t) {
      enemy.OnProcess();
      EXPECT_NE(enemy.m_actionCode, kActWalkBack) << t;
    }
    EXPECT_EQ(enemy.m_actionCode, kActIdle);
    EXPECT_EQ(enemy.m_pos.x, 0.0f);
    EXPECT_EQ(enemy.m_pos.z, 0.0f);
  };
  CBattleDeathMaster master;
  stays(master, 44);
  CBattleQueenBee bee;
  stays(bee, 89);
  CBattlekimaira chimera;
  stays(chimera, 89);
}

}  // namespace
