// The bosses from Pellion Dreck to Behrman, Dornkeshattal and the old men:
// every route to its end, the blocks new here traced (the nearest-member
// blow, Koren's charge, Pellion's sheet, Dornkeshattal's leap) and the
// kinds' own edges.
#include <gtest/gtest.h>

#include <string>

#include "battle/enemy/MoreBossKinds.h"
#include "session/EnemySlot.h"
#include "tests/battle/EnemyKindsFixture.h"
#include "tools/lib/ActWriter.h"

using namespace enemytest;

namespace {

// Each resolution with whom it went to and its hit kind.
template <class Kind>
class TargetNoted : public Traced<Kind> {
 public:
  void Resolve(EnemyResolve how) override {
    Traced<Kind>::Resolve(how);
    const int32_t at = this->m_target != nullptr ? this->m_target->m_battleId[0] : -1;
    this->Note("at " + std::to_string(at) + " kind " + std::to_string(this->m_hitKind));
  }
};

class MoreBossKindsTest : public EnemyKindsTest {
 protected:
  MoreBossKindsTest() {
    using battletest::SquareMotion;
    const std::vector<ActAction> actions(24, ActAction{{SquareMotion(), SquareMotion(0), SquareMotion()}});
    const std::string stem = "data/sprite/몬스터/인간형/전투/독수약왕_특수";
    Write(stem + ".spr", battletest::SquareSprite());
    Write(stem + ".act", slvtools::BuildAct(0x201, actions, {"attacktime.atk"}));
    m_target.SetAction(kActIdle);
  }
  // More party members, standing idle where they are put; `null` leaves a
  // member without a battle actor.
  void AddMembers(std::initializer_list<CTarget*> members) {
    int p = 1;
    for (CTarget* member : members) {
      session.players[p].battlePtr = member;
      session.partyIds[p] = p;
      if (member != nullptr) {
        member->m_battleId = {p, 1};
        member->SetAction(kActIdle);
      }
      ++p;
    }
    session.partyCount = session.battlePartyCount = p;
  }
  void Hit(CBattleEnemy& enemy) { enemy.OnMessage(&m_target, kMsgHit, 5, 0, 0); }
};

}  // namespace

// Every order of every kind from its pick to the code it ends in, the
// defaults included; one resolution a strike, the charge's on its first tick.
TEST_F(MoreBossKindsTest, EachOrderRunsToItsEnd) {
  struct Route {
    const char* what;
    std::string chain;
    const char* expected;
  };
  const int32_t kCast = kActCastMagic;
  const Route routes[] = {
      {"pellion 3", Chain(Order<CBattlePellionDreck>(3, true, 250)), "10075 10067 skill 10003"},
      {"pellion 37", Chain(Order<CBattlePellionDreck>(37, true, 250)), "10074 10066 skill 10003"},
      {"pellion 89 in place", Chain(Order<CBattlePellionDreck>(89, true, 250)), "10068 skill 10000"},
      {"pellion other", Chain(Order<CBattlePellionDreck>(5, true, 250)), "10073 10065 skill 10003"},
      {"pellion blow", Chain(Order<CBattlePellionDreck>(0, false, 250, kActAttack)), "weapon 10003"},
      {"koren 27", Chain(Order<CBattleKorenMaltby>(27, true, 250)), "10073 10065 skill 10003"},
      {"koren 30", Chain(Order<CBattleKorenMaltby>(30, true, 250)), "10074 10066 skill 10003"},
      {"koren 68 charge", Chain(Order<CBattleKorenMaltby>(68, true, 250)), "10075 10067 skill 10000"},
      {"koren other charge", Chain(Order<CBattleKorenMaltby>(5, false, 250)), "10075 10067 magic 10000"},
      {"quorra 45", Chain(Order<CBattleQuorraBelling>(45, true, 250)), "10066 skill 10003"},
      {"quorra 94", Chain(Order<CBattleQuorraBelling>(94, true, 250)), "10066 skill 10003"},
      {"quorra 62", Chain(Order<CBattleQuorraBelling>(62, true, 250)), "10065 skill 10003"},
      {"quorra 10067 unpicked", Chain(Order<CBattleQuorraBelling>(5, true, 250, kActSpecialHit3)), "skill 10003"},
      {"aronemile any", Chain(Order<CBattleAronemile>(40, true, 250)), "10065 skill 10000"},
      {"cuscoemile 47", Chain(Order<CBattleCuscoemile>(47, true, 250)), "10066 skill 10000"},
      {"cuscoemile 48", Chain(Order<CBattleCuscoemile>(48, true, 250)), "10067 skill 10000"},
      {"cuscoemile 89", Chain(Order<CBattleCuscoemile>(89, true, 250)), "10065 skill 10000"},
      {"cuscoemile other", Chain(Order<CBattleCuscoemile>(5, false, 250)), "10065 magic 10000"},
      {"irsa 62", Chain(Order<CBattleIrsaVolmay>(62, true, 250)), "10067 skill 10000"},
      {"irsa 66", Chain(Order<CBattleIrsaVolmay>(66, true, 250)), "10069 skill 10000"},
      {"irsa 90", Chain(Order<CBattleIrsaVolmay>(90, true, 250)), "10066 skill 10000"},
      {"irsa other", Chain(Order<CBattleIrsaVolmay>(5, true, 250)), "10065 skill 10000"},
      {"irsa cast", Chain(Order<CBattleIrsaVolmay>(5, false, 250, kCast)), "10068 magic 10000"},
      {"irsa blow stays", Chain(Order<CBattleIrsaVolmay>(0, false, 250, kActAttack)), "weapon 10000"},
      {"behrman 89 in place", Chain(Order<CBattleBehrman>(89, true, 250)), "10066 skill 10000"},
      {"behrman 82", Chain(Order<CBattleBehrman>(82, true, 250)), "10076 10068 skill 10003"},
      {"behrman cast", Chain(Order<CBattleBehrman>(5, false, 250, kCast)), "10065 magic 10000"},
      {"dornkeshattal 25", Chain(Order<CBattleDornkeshattal>(25, true, 250)), "10073 10065 skill 10003"},
      {"dornkeshattal 27", Chain(Order<CBattleDornkeshattal>(27, true, 250)), "10074 10066 skill 10003"},
      {"dornkeshattal 13", Chain(Order<CBattleDornkeshattal>(13, true, 250)), "10075 10067 skill 10003"},
      {"dornkeshattal 16", Chain(Order<CBattleDornkeshattal>(16, true, 250)), "10076 10068 skill 10003"},
      {"dornkeshattal 89 in place", Chain(Order<CBattleDornkeshattal>(89, true, 250)), "10069 skill 10003"},
      {"dornkeshattal other", Chain(Order<CBattleDornkeshattal>(5, true, 250)), "10073 10065 skill 10003"},
      {"dornkeshattal blow", Chain(Order<CBattleDornkeshattal>(0, false, 250, kActApproach)), "10002 weapon 10003"},
      {"old man 1 skill", Chain(Order<CBattleOldMan1>(5, true, 250)), "10073 10065 skill 10003"},
      {"old man 1 cast", Chain(Order<CBattleOldMan1>(5, false, 250, kCast)), "10066 magic 10000"},
      {"old man 2 89", Chain(Order<CBattleOldMan2>(89, true, 250)), "10065 skill 10003"},
      {"old man 2 other", Chain(Order<CBattleOldMan2>(5, true, 250)), "10067 skill 10003"},
      {"old man 2 cast", Chain(Order<CBattleOldMan2>(5, false, 250, kCast)), "10066 magic 10000"},
      {"old man 2 walk to 10", Chain(Order<CBattleOldMan2>(5, true, 250, kActSpecialApproach)),
       "10065 skill 10003"},
      {"old man 3 cast", Chain(Order<CBattleOldMan3>(5, false, 250, kCast)), "10065 magic 10000"},
      {"old man 3 skill waits", Chain(Order<CBattleOldMan3>(5, true, 250)), ""},
      {"old man 4 cast", Chain(Order<CBattleOldMan4>(5, false, 250, kCast)), "10065 magic 10000"},
      {"old man 5 36", Chain(Order<CBattleOldMan5>(36, true, 250)), "10073 10065 skill 10003"},
      {"old man 5 37", Chain(Order<CBattleOldMan5>(37, true, 250)), "10074 10066 skill 10003"},
      {"old man 5 34", Chain(Order<CBattleOldMan5>(34, true, 250)), "10075 10067 skill 10003"},
      {"old man 5 35", Chain(Order<CBattleOldMan5>(35, true, 250)), "10076 10068 skill 10003"},
      {"old man 5 other", Chain(Order<CBattleOldMan5>(5, true, 250)), "10076 10068 skill 10003"},
      {"old man 6", Chain(Order<CBattleOldMan6>(5, true, 250)), "10065 skill 10003"},
  };
  for (const Route& r : routes) EXPECT_EQ(r.chain, r.expected) << r.what;
}

// The flourishes: Koren's own effect, the order's on its first tick and
// none on the strike after it, the casts' with the long pause.
TEST_F(MoreBossKindsTest, FlourishesFallOnTheirTicksWithTheirEffects) {
  struct Variant {
    const char* what;
    std::string trace;
    const char* expected;
  };
  m_target.m_pos = Vec3{8.0f, 0.0f, 0.0f};
  const Variant variants[] = {
      {"koren 27: its own effect", Order<CBattleKorenMaltby>(27, true, 14),
       "1:set 10073 2:set 10065 3:start 226/30,trail 20 6:skill 14:set 10003,trail 0"},
      {"quorra 94: the order's flourish, then the strike", Order<CBattleQuorraBelling>(94, true, 25),
       "1:start 1011/30,set 10066 2:trail 20 9:skill 25:set 10003,trail 0"},
      {"old man 2: the flourish as the order starts", Order<CBattleOldMan2>(89, true, 25),
       "1:start 1011/30,set 10065 2:trail 20 9:skill 25:set 10003,trail 0"},
      {"old man 4 casts on row 16", Order<CBattleOldMan4>(5, false, 25, kActCastMagic),
       "1:start 210/50,set 10065 9:magic 25:set 10000"},
      {"behrman casts bare", Order<CBattleBehrman>(5, false, 25, kActCastMagic),
       "1:start 227/50,set 10065 9:magic 25:set 10000"},
  };
  for (const Variant& v : variants) EXPECT_EQ(v.trace, v.expected) << v.what;
}

// The nearest-member blow: the reach is a strict bound, only a standing
// member counts, and 20 of the gauge pays for it.
TEST_F(MoreBossKindsTest, AronemileAndBehrmanStrikeTheNearestStandingMemberWithinTheirReach) {
  CBattleAronemile aron;
  CBattleBehrman behrman;
  struct Case {
    const char* what;
    CBattleEnemy* enemy;
    float gauge, distance;
    int32_t memberAction;
    int32_t action;
    float gaugeAfter;
  };
  const Case cases[] = {
      {"aronemile at 11.9", &aron, 20.0f, 11.9f, kActIdle, kActAttack, 0.0f},
      {"aronemile at 12.0", &aron, 20.0f, 12.0f, kActIdle, kActIdle, 20.0f},
      {"aronemile short of gauge", &aron, 19.9f, 5.0f, kActIdle, kActIdle, 19.9f},
      {"behrman at 7.9, busy member", &behrman, 45.0f, 7.9f, kActAttack, kActAttack, 25.0f},
      {"behrman, member dying", &behrman, 45.0f, 5.0f, kActDying, kActIdle, 45.0f},
      {"behrman, member defeated", &behrman, 45.0f, 5.0f, kActDefeated, kActIdle, 45.0f},
      {"behrman at 8.0", &behrman, 45.0f, 8.0f, kActIdle, kActIdle, 45.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bind(*c.enemy);
    m_target.m_actionCode = c.memberAction;
    m_target.m_pos = Vec3{0.0f, 0.0f, c.distance};
    c.enemy->m_target = nullptr;
    c.enemy->m_timeGauge = c.gauge;
    c.enemy->UpdateAction(kActIdle);
    EXPECT_EQ(c.enemy->m_actionCode, c.action);
    EXPECT_FLOAT_EQ(c.enemy->m_timeGauge, c.gaugeAfter);
    EXPECT_EQ(c.enemy->m_target, c.action == kActAttack ? &m_target : nullptr);
  }
}

// Ordered 68 with its target 60 off: members 1 and 2 pass within 15 of the
// run, member 3 stays beyond, member 4 has no actor. The sweeps fall on the
// charge's ticks 4, 8, ... (one later here: the order picks on the first)
// in party order, the target kept between them; below 20 the run through
// strikes once, is locked, and stops on its tick 61 where it is.
TEST_F(MoreBossKindsTest, KorensChargeStrikesEveryMemberItPassesThenRunsThroughToItsStop) {
  CTarget near1, near2, beyond;
  near1.m_pos = Vec3{9.0f, 0.0f, 6.0f};
  near2.m_pos = Vec3{5.0f, 0.0f, -8.0f};
  beyond.m_pos = Vec3{10.0f, 0.0f, 30.0f};
  AddMembers({&near1, &near2, &beyond, nullptr});
  m_target.m_pos = Vec3{60.0f, 0.0f, 0.0f};
  TargetNoted<CBattleKorenMaltby> koren;
  Bind(koren);
  koren.m_chosenIndex = 68;
  koren.m_useSpecial = true;
  koren.SetAction(kActSpecialSkill);
  int kept = 0;
  int locked = 0;
  float runFrom = 0.0f;
  const std::string trace = Run(koren, 110, [&](int) {
    if (koren.m_target == &m_target) ++kept;
    // From the run's first tick on: the lock starts with it.
    if (koren.m_actionCode == kActSpecialHit3 && koren.m_tickCount > 0) {
      if (runFrom == 0.0f) runFrom = koren.m_pos.x;
      Hit(koren);
      if (session.enemies[0].hp == 300) ++locked;
    }
  });
  EXPECT_EQ(trace,
            "1:set 10075 2:start 226/30,trail 30 5:skill,at 1 kind 2,skill,at 2 kind 2 9:skill,at 1 kind 2,skill,at 2 "
            "kind 2 13:skill,at 1 kind 2,skill,at 2 kind 2 17:skill,at 1 kind 2,skill,at 2 kind 2 21:skill,at 1 kind 2 "
            "41:set 10067,trail 0 42:skill,at 0 kind 2,trail 20 102:set 10000,trail 0");
  EXPECT_EQ(kept, 110);
  EXPECT_EQ(locked, 60);
  EXPECT_EQ(session.enemies[0].hp, 300);
  EXPECT_NEAR(koren.m_pos.x - runFrom, 60 * 1.05f, 1.5f);  // past its target, without walking back
  for (int t = 0; t < 10; ++t) koren.OnProcess();
  EXPECT_EQ(koren.m_actionCode, kActIdle);
}

// A target gone mid-charge: the sweep finds it gone and the charge idles
// without striking it; the run through alike, unresolved.
TEST_F(MoreBossKindsTest, KorensChargeWithItsTargetGoneIdlesUnresolved) {
  CTarget near1;
  near1.m_pos = Vec3{3.0f, 0.0f, 3.0f};
  AddMembers({&near1});
  TargetNoted<CBattleKorenMaltby> koren;
  Bind(koren);
  koren.m_useSpecial = true;
  koren.SetAction(kActSpecialApproach3);
  koren.UpdateAction(kActSpecialApproach3);
  session.players[0].battlePtr = nullptr;  // the target leaves the battle
  koren.notes.clear();
  for (int t = 2; t <= 4; ++t) {
    koren.m_tickCount = t;
    koren.UpdateAction(kActSpecialApproach3);
  }
  EXPECT_EQ(koren.m_actionCode, kActIdle);
  EXPECT_EQ(koren.m_target, nullptr);
  EXPECT_EQ(koren.notes, (std::vector<std::string>{"skill", "at 1 kind 2", "set 10000"}));

  koren.notes.clear();
  koren.SetAction(kActSpecialHit3);
  koren.m_tickCount = 1;
  koren.UpdateAction(kActSpecialHit3);
  EXPECT_EQ(koren.notes, (std::vector<std::string>{"set 10067", "set 10000"}));
  EXPECT_EQ(koren.m_hitGuardTicks, 3);
}

// Pellion's specials come from the sheet named for what he was; hits in
// them are dropped; his next own code shows the normal sheet again.
TEST_F(MoreBossKindsTest, PellionsSpecialsUseTheirFixedSheetAndShrugOffHits) {
  Traced<CBattlePellionDreck> pellion;
  Bind(pellion);
  pellion.m_chosenIndex = 89;
  pellion.m_useSpecial = true;
  pellion.SetAction(kActSpecialSkill);
  const std::string trace = Run(pellion, 30, [&](int t) {
    if (t > 2 && pellion.m_actionCode == kActSpecialHit4) Hit(pellion);
  });
  EXPECT_EQ(trace, "1:set 10068,special sheet 2:start 1011/30 9:skill 25:set 10000,normal sheet");
  EXPECT_EQ(session.enemies[0].hp, 300);
  pellion.SetAction(kActSpecialHit);
  EXPECT_EQ(pellion.m_actName, "몬스터\\인간형\\전투\\독수약왕_특수.act");
  EXPECT_EQ(pellion.m_sprName, "몬스터\\인간형\\전투\\독수약왕_특수.spr");
  pellion.SetAction(kActWalkBack);
  EXPECT_EQ(pellion.m_actName, "beast.act");
}

// Dornkeshattal walks up to 15 and no further, and leaps as his blow starts,
// from his approach or from idle.
TEST_F(MoreBossKindsTest, DornkeshattalClosesToFifteenAndLeapsWithHisBlow) {
  for (float distance : {15.0f, 15.5f}) {
    SCOPED_TRACE(distance);
    CBattleDornkeshattal dorn;
    Bind(dorn);
    m_target.m_pos = Vec3{distance, 0.0f, 0.0f};
    dorn.SetAction(kActApproach);
    dorn.OnProcess();
    EXPECT_EQ(dorn.m_actionCode, distance <= 15.0f ? kActAttack : kActApproach);
  }
  CBattleDornkeshattal dorn;
  Bind(dorn);
  m_target.m_pos = Vec3{5.0f, 0.0f, 0.0f};
  dorn.m_timeGauge = 20.0f;
  dorn.UpdateAction(kActIdle);
  EXPECT_EQ(dorn.m_actionCode, kActAttack);
  EXPECT_EQ(dorn.m_inAir, 1);
  EXPECT_EQ(dorn.m_velocity.y, -2.5f);
}

// The kinds' own edges, one table: what the enemy is left in after the
// steps given.
TEST_F(MoreBossKindsTest, TheKindsOwnEdges) {
  m_target.m_pos = Vec3{5.0f, 0.0f, 5.0f};
  // Cuscoemile's reel loops until the base ends it, 35 ticks after the
  // hit-stop.
  CBattleCuscoemile cusco;
  Bind(cusco);
  Hit(cusco);
  EXPECT_EQ(cusco.m_actionCode, kActDamageLight);
  EXPECT_EQ(cusco.m_actionBase, 16);
  int reel = 0, held = 0;
  while (cusco.m_actionCode == kActDamageLight && reel < 100) {
    cusco.OnProcess();
    held += cusco.m_holdLast;  // a looping row never finishes
    ++reel;
  }
  EXPECT_EQ(reel, 51);
  EXPECT_EQ(held, 0);
  EXPECT_EQ(cusco.m_actionCode, kActIdle);

  // The old man 3 strikes a member in reach from 20.0 of gauge, not 19.9.
  for (float gauge : {19.9f, 20.0f}) {
    CBattleOldMan3 old;
    Bind(old);
    old.m_timeGauge = gauge;
    old.UpdateAction(kActIdle);
    EXPECT_EQ(old.m_actionCode, gauge >= 20.0f ? kActAttack : kActIdle) << gauge;
    EXPECT_FLOAT_EQ(old.m_timeGauge, gauge >= 20.0f ? 0.0f : gauge);
  }

  // Dornkeshattal's 10068 goes out strong whatever the frame says; the
  // old man 4's cast strike drops hits.
  TargetNoted<CBattleDornkeshattal> dorn;
  Bind(dorn);
  dorn.m_useSpecial = true;
  dorn.SetAction(kActSpecialHit4);
  EXPECT_EQ(Run(dorn, 10), "1:start 1011/30,trail 20 8:skill,at 0 kind 2");
  CBattleOldMan4 old4;
  Bind(old4);
  session.enemies[0].hp = 300;
  old4.SetAction(kActSpecialHit);
  old4.OnProcess();
  Hit(old4);
  EXPECT_EQ(old4.m_actionCode, kActSpecialHit);
  EXPECT_EQ(session.enemies[0].hp, 300);
}

// Every kind here takes hits through the hit-immune handling, Irsa with 15
// of gauge back and the others with 11, and strikes from idle.
TEST(MoreBossKindRegistry, EachKindIsHitImmuneWithItsGaugeBonus) {
  const struct {
    const char* name;
    const EnemyKindDef& def;
  } kinds[] = {
      {"펠리온_드렉", CBattlePellionDreck::kDef}, {"코렌_몰트비", CBattleKorenMaltby::kDef},
      {"쿠오라_벨링", CBattleQuorraBelling::kDef}, {"아론_에밀", CBattleAronemile::kDef},
      {"쿠스코_에밀", CBattleCuscoemile::kDef},   {"이르사_볼메이", CBattleIrsaVolmay::kDef},
      {"베어먼", CBattleBehrman::kDef},           {"도른_케시_아탈", CBattleDornkeshattal::kDef},
      {"노인1", CBattleOldMan1::kDef},            {"노인2", CBattleOldMan2::kDef},
      {"노인3", CBattleOldMan3::kDef},            {"노인4", CBattleOldMan4::kDef},
      {"노인5", CBattleOldMan5::kDef},            {"노인6", CBattleOldMan6::kDef},
  };
  for (const auto& k : kinds) {
    SCOPED_TRACE(k.name);
    CActor* made = CreateActorByName(k.name);
    EXPECT_NE(dynamic_cast<CBattleHitImmuneEnemy*>(made), nullptr);
    EXPECT_EQ(k.def.hitImmunity.gaugeBonus, &k.def == &CBattleIrsaVolmay::kDef ? 15 : 11);
    EXPECT_TRUE(k.def.idleStrike);
    delete made;
  }
}
