// The casters, the combo kinds, the multi-special kinds and the kinds that
// strike where they stand: each special and cast routed to its end code,
// the variants' calls in their order, and the moves the routes do not show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "battle/enemy/CastComboKinds.h"
#include "battle/enemy/InPlaceCasterKinds.h"
#include "battle/enemy/MultiChoiceKinds.h"
#include "session/Session.h"
#include "tests/battle/EnemyKindsFixture.h"

using namespace enemytest;

namespace {

// The special sheets, four actions of three frames, the second a hit
// frame; skills up to 99, so that the elder's 93 has a distance.
class CastComboKindsTest : public EnemyKindsTest {
 protected:
  CastComboKindsTest() {
    using battletest::SquareMotion;
    const std::string spr = battletest::SquareSprite();
    const std::vector<ActAction> actions(4, ActAction{{SquareMotion(), SquareMotion(0), SquareMotion()}});
    const std::string act = slvtools::BuildAct(0x201, actions, {"attacktime.atk"});
    for (const char* stem : {"인간형/전투/장로", "괴물형/전투/페일하드", "괴물형/전투/노스페라투", "괴물형/전투/발로그"}) {
      Write(std::string("data/sprite/몬스터/") + stem + "_특수.spr", spr);
      Write(std::string("data/sprite/몬스터/") + stem + "_특수.act", act);
    }
    std::string skills;
    for (int i = 0; i <= 99; ++i) skills += "#skill < s" + std::to_string(i) + " > < >\n#duration 10\n#end\n";
    Write("data/diary/skill.txt", skills);
    EXPECT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
  }
};

// Every route from the order to its end code, defaults included; each
// strike and each link resolves once, on its hit frame or as it ends.
TEST_F(CastComboKindsTest, EachKindRoutesEachSpecialAndCastToItsEndCode) {
  struct Route {
    const char* what;
    std::string chain;
    const char* expected;
  };
  const Route routes[] = {
      {"elder cast", Chain(Order<CBattleElder>(5, false, 250, kActCastMagic)), "10067 magic 10003"},
      {"elder 93", Chain(Order<CBattleElder>(93, true, 250)), "10074 10066 skill 10003"},
      {"elder other", Chain(Order<CBattleElder>(92, true, 250)), "10073 10065 skill 10003"},
      {"believer cast", Chain(Order<CBattleGreetismBeliever>(34, false, 250, kActCastMagic)), "10066 magic 10000"},
      {"believer special", Chain(Order<CBattleGreetismBeliever>(34, true, 250)), "10073 10065 skill 10003"},
      {"priest cast", Chain(Order<CBattleGreetismFathre>(5, false, 250, kActCastMagic)), "10067 magic 10000"},
      {"priest 82", Chain(Order<CBattleGreetismFathre>(82, true, 250)), "10074 10066 skill 10003"},
      {"priest other", Chain(Order<CBattleGreetismFathre>(11, true, 250)), "10073 10065 skill 10003"},
      {"guard 41 where it stands", Chain(Order<CBattleLeighrantzRoyalGuard>(41, true, 250)), "10065 skill 10000"},
      {"guard combo", Chain(Order<CBattleLeighrantzRoyalGuard>(23, true, 250)),
       "10074 10066 skill 10067 skill 10068 skill 10003"},
      {"sword 41 where it hovers", Chain(Order<CBattleDevilSword>(41, true, 250)), "10065 skill 10003"},
      {"sword combo", Chain(Order<CBattleDevilSword>(22, true, 250)),
       "10074 10066 skill 10067 skill 10068 skill 10069 skill 10003"},
      {"apsaras 40", Chain(Order<CBattleAqsalad>(40, true, 250)), "10075 10067 skill 10003"},
      {"apsaras 91 where it stands", Chain(Order<CBattleAqsalad>(91, true, 250)), "10066 skill 10003"},
      {"apsaras 94 where it stands", Chain(Order<CBattleAqsalad>(94, true, 250)), "10065 skill 10003"},
      {"apsaras other", Chain(Order<CBattleAqsalad>(5, false, 250)), "10075 10067 magic 10003"},
      {"killer spider 4", Chain(Order<CBattlekillerSpider>(4, true, 250)), "10074 10066 skill 10003"},
      {"killer spider other", Chain(Order<CBattlekillerSpider>(5, true, 250)), "10073 10065 skill 10003"},
      {"freeze man 12", Chain(Order<CBattleFreezeMan>(12, true, 250)), "10073 10065 skill 10003"},
      {"freeze man 13", Chain(Order<CBattleFreezeMan>(13, true, 250)), "10074 10066 skill 10003"},
      {"freeze man 57", Chain(Order<CBattleFreezeMan>(57, true, 250)), "10075 10067 skill 10003"},
      {"freeze man other", Chain(Order<CBattleFreezeMan>(5, true, 250)), "10075 10067 skill 10003"},
      {"nightmare 37", Chain(Order<CBattleNightmareIllusion>(37, true, 250)), "10073 10065 skill 10003"},
      {"nightmare 39", Chain(Order<CBattleNightmareIllusion>(39, true, 250)), "10074 10066 skill 10003"},
      {"nightmare 43", Chain(Order<CBattleNightmareIllusion>(43, true, 250)), "10075 10067 skill 10003"},
      {"nightmare other", Chain(Order<CBattleNightmareIllusion>(5, true, 250)), "10075 10067 skill 10003"},
      {"fale hard 37", Chain(Order<CBattleFaleHard>(37, true, 250)), "10074 10066 skill 10003"},
      {"fale hard 38", Chain(Order<CBattleFaleHard>(38, true, 250)), "10073 10065 skill 10003"},
      {"fale hard 61", Chain(Order<CBattleFaleHard>(61, true, 250)), "10075 10067 skill 10003"},
      {"fale hard other", Chain(Order<CBattleFaleHard>(5, true, 250)), "10075 10067 skill 10003"},
      {"nosferatu 4", Chain(Order<CBattleNosferatu>(4, true, 250)), "10073 10065 skill 10003"},
      {"nosferatu 51 where it stands", Chain(Order<CBattleNosferatu>(51, true, 250)), "10067 skill 10003"},
      {"nosferatu 84 where it stands", Chain(Order<CBattleNosferatu>(84, true, 250)), "10066 skill 10000"},
      {"nosferatu other", Chain(Order<CBattleNosferatu>(5, true, 250)), "10073 10065 skill 10003"},
      {"nosferatu's dash", Chain(Order<CBattleNosferatu>(5, true, 250, kActSpecialApproach3)), "10067 skill 10003"},
      {"balrog 6", Chain(Order<CBattleBalrog>(6, true, 250)), "10074 10066 skill 10003"},
      {"balrog 46 where it stands", Chain(Order<CBattleBalrog>(46, true, 250)), "10067 skill 10003"},
      {"balrog 61", Chain(Order<CBattleBalrog>(61, true, 250)), "10073 10065 skill 10003"},
      {"balrog other", Chain(Order<CBattleBalrog>(5, true, 250)), "10074 10066 skill 10003"},
      {"dancer 51", Chain(Order<CBattleBDancer>(51, true, 250)), "10067 skill 10000"},
      {"dancer 63", Chain(Order<CBattleBDancer>(63, true, 250)), "10066 skill 10000"},
      {"dancer other", Chain(Order<CBattleBDancer>(70, true, 250)), "10065 skill 10000"},
      {"revenant 47", Chain(Order<CBattleRevenant>(47, true, 250)), "10066 skill 10000"},
      {"revenant other", Chain(Order<CBattleRevenant>(51, true, 250)), "10065 skill 10000"},
      {"imp cast", Chain(Order<CBattleImp>(5, false, 250, kActCastMagic)), "10065 magic 10000"},
      {"imp special", Chain(Order<CBattleImp>(5, true, 250)), "10074 10066 skill 10003"},
      // No skill record to walk up to.
      {"elder, unknown skill", Chain(Order<CBattleElder>(120, true, 250)), "10073 10000"},
  };
  for (const Route& r : routes) EXPECT_EQ(r.chain, r.expected) << r.what;
}

// The starts, trails and sheets of the variants the routes do not show.
TEST_F(CastComboKindsTest, TheVariantsCallOutInTheirOrder) {
  struct Variant {
    const char* what;
    std::string trace;
    const char* expected;
  };
  const Variant variants[] = {
      {"elder cast: its start, then bare on its special sheet", Order<CBattleElder>(5, false, 30, kActCastMagic),
       "1:start 258/50,set 10067,special sheet 9:magic 25:set 10003,normal sheet 26:set 10000"},
      {"believer casting 34", Order<CBattleGreetismBeliever>(34, false, 30, kActCastMagic),
       "1:start 227/50,set 10066 9:magic 25:set 10000"},
      {"believer casting 35", Order<CBattleGreetismBeliever>(35, false, 30, kActCastMagic),
       "1:start 241/50,set 10066 9:magic 25:set 10000"},
      {"priest: the flourish as it sets out", Order<CBattleGreetismFathre>(82, true, 60),
       "1:set 10074 2:start 1011/30,trail 30 34:set 10066,trail 0 35:trail 20 42:skill 58:set 10003,trail 0"},
      {"dancer 63: resolved as its row ends", Order<CBattleBDancer>(63, true, 30),
       "1:start 1011/30,set 10066 2:trail 20 25:skill,set 10000,trail 0"},
      {"dancer 51: on the hit frame", Order<CBattleBDancer>(51, true, 30),
       "1:start 1011/30,set 10067 2:trail 20 9:skill 25:set 10000,trail 0"},
      {"imp cast: 258 and 50, no trail", Order<CBattleImp>(5, false, 30, kActCastMagic),
       "1:start 258/50,set 10065 9:magic 25:set 10000"},
      {"imp special: no trail", Order<CBattleImp>(5, true, 60),
       "1:set 10074 34:set 10066 35:start 1011/30 42:skill 58:set 10003"},
      {"nosferatu 51: no flourish, resolved as the row ends", Order<CBattleNosferatu>(51, true, 30),
       "1:set 10067 2:trail 20 25:skill,set 10003,trail 0 26:set 10000"},
  };
  for (const Variant& v : variants) EXPECT_EQ(v.trace, v.expected) << v.what;
}

// The sword's four links: one flourish, each link turned once as it starts
// and drifting at 0.2 on that heading while the member moves away.
TEST_F(CastComboKindsTest, TheSwordsLinksDriftOnTheHeadingEachStartedWith) {
  session.enemies[0].bonusPercent = 20;
  Traced<CBattleDevilSword> sword;
  Bind(sword);
  sword.m_useSpecial = true;
  m_target.m_pos = Vec3{0.0f, 0.0f, 30.0f};
  sword.SetAction(kActSpecialHit2);
  float heading = 0.0f;
  int turnedMidLink = 0, offSpeed = 0;
  const float drift = session.ScaleByBonus(0.2f, 0, false);
  const std::string trace = Run(sword, 100, [&](int) {
    m_target.m_pos.x += 3.0f;
    if (sword.m_actionCode < kActSpecialHit2 || sword.m_actionCode > kActSpecialHit5 || sword.m_tickCount < 1) return;
    if (sword.m_tickCount == 1) heading = sword.m_angle;
    if (sword.m_tickCount > 1 && sword.m_angle != heading) ++turnedMidLink;
    if (std::fabs(std::hypot(sword.m_velocity.x, sword.m_velocity.z) - drift) > 1e-5f) ++offSpeed;
  });
  EXPECT_EQ(trace,
            "1:start 1011/30,trail 20 8:skill 24:set 10067,trail 0 25:trail 20 32:skill 48:set 10068,trail 0 "
            "49:trail 20 56:skill 72:set 10069,trail 0 73:trail 20 80:skill 96:set 10003,trail 0");
  EXPECT_EQ(turnedMidLink, 0);
  EXPECT_EQ(offSpeed, 0);
  EXPECT_FLOAT_EQ(drift, 0.2f * 1.2f);
}

// Lost in the third link it idles with its trail off and resolves nothing
// more; begun without a target it shows no flourish.
TEST_F(CastComboKindsTest, ASwordWithoutItsTargetIdlesUnresolvedAndUnflourished) {
  Traced<CBattleDevilSword> lost;
  Bind(lost);
  lost.m_useSpecial = true;
  lost.SetAction(kActSpecialHit2);
  EXPECT_EQ(Run(lost, 60, [&](int t) {
              if (t == 52) lost.m_target = nullptr;
            }),
            "1:start 1011/30,trail 20 8:skill 24:set 10067,trail 0 25:trail 20 32:skill 48:set 10068,trail 0 "
            "49:trail 20 52:set 10000,trail 0");
  EXPECT_EQ(lost.m_afterimage, 0);

  Traced<CBattleDevilSword> alone;
  Bind(alone);
  alone.m_target = nullptr;
  alone.SetAction(kActSpecialHit2);
  EXPECT_EQ(Run(alone, 3), "1:set 10000");
}

// The fale hard's walk up plays once and holds, still moving; the freeze
// man glides on its idle row at 2.8; the revenant stays where it struck.
TEST_F(CastComboKindsTest, HeldWalksFastGlidesAndStrikesThatStay) {
  session.enemies[0].bonusPercent = 20;
  m_target.m_pos = Vec3{300.0f, 0.0f, 0.0f};
  const auto speed = [](const CBattleEnemy& e) { return std::hypot(e.m_velocity.x, e.m_velocity.z); };

  CBattleFaleHard fale;
  Bind(fale);
  fale.m_chosenIndex = 38;
  fale.SetAction(kActSpecialApproach);
  for (int t = 0; t < 40; ++t) fale.OnProcess();
  const float heldAt = fale.m_pos.x;
  fale.OnProcess();
  CBattleFreezeMan freeze;
  Bind(freeze);
  std::vector<int32_t> freezeRows;
  for (int32_t code : {kActIdle, kActApproach, kActWalkBack, kActSpecialApproach, kActSpecialApproach2}) {
    freeze.SetAction(code);
    freezeRows.push_back(freeze.m_actionBase);
  }
  freeze.m_chosenIndex = 57;
  freeze.SetAction(kActSpecialSkill);
  freeze.OnProcess();
  freeze.OnProcess();

  m_target.m_pos = Vec3{30.0f, 0.0f, 0.0f};
  CBattleRevenant revenant;
  Bind(revenant);
  revenant.m_chosenIndex = 47;
  revenant.SetAction(kActSpecialSkill);
  for (int t = 0; t < 60; ++t) revenant.OnProcess();

  struct Case {
    const char* what;
    bool holds;
  };
  const Case cases[] = {
      {"fale hard: row 12 once, its last frame held", fale.m_actionBase == 12 && fale.m_holdLast != 0},
      {"fale hard: still walking on the held frame",
       fale.m_actionCode == kActSpecialApproach && fale.m_pos.x > heldAt && speed(fale) > 0.8f},
      {"freeze man: row 0 idle, walking and approaching",
       std::all_of(freezeRows.begin(), freezeRows.end(), [](int32_t r) { return r == 0; })},
      {"freeze man: 57 walks up at 2.8 by the bonus",
       freeze.m_actionCode == kActSpecialApproach3 && std::fabs(speed(freeze) - 2.8f * 1.2f) < 1e-4f},
      {"revenant: 47 struck, idle where it stood",
       revenant.m_actionCode == kActIdle && revenant.m_pos.x == 0.0f && revenant.m_pos.z == 0.0f},
  };
  for (const Case& c : cases) EXPECT_TRUE(c.holds) << c.what;
}

}  // namespace
