// Leighrantz, the elementals, the soldiers and the sprite kinds from Hirth
// to the kraken: every route to its end, the new variants traced, and the
// kinds' own edges in one table.
#include <gtest/gtest.h>

#include <string>

#include "battle/enemy/BaseBehaviourKinds.h"
#include "battle/enemy/LeighrantzElementKinds.h"
#include "battle/enemy/OwnActionKinds.h"
#include "session/EnemySlot.h"
#include "tests/battle/EnemyKindsFixture.h"

using namespace enemytest;

namespace {

// Each resolution with the effects its target shows at that moment.
template <class Kind>
class TargetMarks : public Traced<Kind> {
 public:
  void Resolve(EnemyResolve how) override {
    Traced<Kind>::Resolve(how);
    const size_t marks = this->m_target != nullptr ? this->m_target->m_effects.size() : 0;
    this->Note("marks " + std::to_string(marks));
  }
};

class ElementSoldierKindsTest : public EnemyKindsTest {
 protected:
  ElementSoldierKindsTest() { m_target.SetAction(kActIdle); }
};

}  // namespace

// Every order of every kind from its pick to the code it ends in, the
// defaults included. A kind on the base's update stands in the order.
TEST_F(ElementSoldierKindsTest, EachOrderRunsToItsEnd) {
  struct Route {
    const char* what;
    std::string chain;
    const char* expected;
  };
  const int32_t kCast = kActCastMagic;
  const Route routes[] = {
      {"leighrantz 90", Chain(Order<CBattleLeighrantz>(90, true, 250)), "10073 10065 skill 10003"},
      {"leighrantz other", Chain(Order<CBattleLeighrantz>(5, true, 250)), "10074 10066 skill 10003"},
      {"leighrantz cast", Chain(Order<CBattleLeighrantz>(5, false, 250, kCast)), "10067 magic 10000"},
      {"wind skill", Chain(Order<CBattleWindElementel>(5, true, 250)), "10065 skill 10003"},
      {"wind cast", Chain(Order<CBattleWindElementel>(5, false, 250, kCast)), "10066 magic 10000"},
      {"water skill", Chain(Order<CBattleWaterElementel>(5, true, 250)), "10065 skill 10003"},
      {"water cast", Chain(Order<CBattleWaterElementel>(5, false, 250, kCast)), "10066 magic 10000"},
      {"fire skill", Chain(Order<CBattleFireElement>(5, true, 250)), "10065 skill 10003"},
      {"fire cast", Chain(Order<CBattleFireElement>(5, false, 250, kCast)), "10066 magic 10000"},
      {"officer", Chain(Order<CBattleEmpireWomanOfficer>(5, true, 250)), "10073 10065 skill 10003"},
      {"officer's cast is the base's", Chain(Order<CBattleEmpireWomanOfficer>(5, false, 250, kCast)), ""},
      {"bandit 76", Chain(Order<CBattleOvrelTimbanesFamily>(76, true, 250)), "10073 10065 skill 10003"},
      {"bandit 36", Chain(Order<CBattleOvrelTimbanesFamily>(36, true, 250)), "10074 10066 skill 10003"},
      {"bandit 57", Chain(Order<CBattleOvrelTimbanesFamily>(57, true, 250)), "10075 10067 skill 10003"},
      {"bandit other", Chain(Order<CBattleOvrelTimbanesFamily>(5, true, 250)), "10075 10067 skill 10003"},
      {"recruit stands", Chain(Order<CBattleEmpireSoldierNewbie>(5, true, 250)), ""},
      {"hirth stands", Chain(Order<CBattleHirth>(5, true, 250)), ""},
      {"recruit blow", Chain(Order<CBattleEmpireSoldierNewbie>(0, false, 250, kActApproach)), "10002 10003"},
      {"hob-goblin", Chain(Order<CBattleGobulin2>(5, true, 250)), "10073 10065 skill 10003"},
      {"zombie", Chain(Order<CBattleZoonBie>(5, false, 250)), "10073 10065 magic 10003"},
      {"succubus 51", Chain(Order<CBattleSacubus>(51, true, 250)), "10067 skill 10003"},
      {"succubus 63", Chain(Order<CBattleSacubus>(63, true, 250)), "10066 skill 10003"},
      {"succubus 70", Chain(Order<CBattleSacubus>(70, true, 250)), "10065 skill 10003"},
      {"succubus other", Chain(Order<CBattleSacubus>(5, true, 250)), "10067 skill 10003"},
      {"mermaid lord", Chain(Order<CBattleLittleMeamade2>(5, false, 250)), "magic 10000"},
      {"bat blow", Chain(Order<CBattleBakGi>(0, false, 250, kActAttack)), "weapon 10003"},
      {"kraken blow", Chain(Order<CBattleHeapari3>(0, false, 250, kActAttack)), "weapon 10003"},
  };
  for (const Route& r : routes) EXPECT_EQ(r.chain, r.expected) << r.what;
}

// Leighrantz's walked-up skill lands once, as its row ends, and its cast's
// effect goes by the magic; the succubus and the mermaid lord flourish once,
// with the order; the elementals strike at once from theirs.
TEST_F(ElementSoldierKindsTest, StartsTrailsAndResolutionsFallOnTheirTicks) {
  struct Variant {
    const char* what;
    std::string trace;
    const char* expected;
  };
  const int32_t kCast = kActCastMagic;
  const Variant variants[] = {
      {"leighrantz 90: resolved as its row ends", Order<CBattleLeighrantz>(90, true, 60),
       "1:set 10073 2:trail 30 34:set 10065,trail 0 35:start 1011/30,trail 20 58:skill,set 10003,trail 0"},
      {"leighrantz casts 14 with 241", Order<CBattleLeighrantz>(14, false, 30, kCast),
       "1:start 241/50,set 10067 9:magic 25:set 10000"},
      {"leighrantz casts 31 with 210", Order<CBattleLeighrantz>(31, false, 1, kCast), "1:start 210/50,set 10067"},
      {"leighrantz casts 58 with 258", Order<CBattleLeighrantz>(58, false, 1, kCast), "1:start 258/50,set 10067"},
      {"leighrantz casts others with 210", Order<CBattleLeighrantz>(5, false, 1, kCast), "1:start 210/50,set 10067"},
      {"wind skill", Order<CBattleWindElementel>(5, true, 30),
       "1:start 1011/30,set 10065 2:trail 20 9:skill 25:set 10003,trail 0 26:set 10000"},
      {"succubus 63: once, as row 0 ends", Order<CBattleSacubus>(63, true, 30),
       "1:start 1011/30,set 10066 2:trail 20 25:skill,set 10003,trail 0 26:set 10000"},
      {"mermaid lord: the order is the strike", Order<CBattleLittleMeamade2>(5, true, 30),
       "1:start 1011/30,trail 20 24:skill,set 10000,trail 0"},
  };
  for (const Variant& v : variants) EXPECT_EQ(v.trace, v.expected) << v.what;
}

// The officer's strike renews its lock even on the tick a lost target ends
// it; the bandit's never locks.
TEST_F(ElementSoldierKindsTest, TheOfficersStrikeLocksOnATargetlessTickTheBanditsNever) {
  CBattleEmpireWomanOfficer officer;
  CBattleOvrelTimbanesFamily bandit;
  for (CBattleEnemy* enemy : {static_cast<CBattleEnemy*>(&officer), static_cast<CBattleEnemy*>(&bandit)}) {
    Bind(*enemy);
    enemy->SetAction(kActSpecialHit);
    enemy->m_target = nullptr;
    enemy->m_hitGuardTicks = 0;
    enemy->m_tickCount = 4;
    enemy->UpdateAction(kActSpecialHit);
    EXPECT_EQ(enemy->m_actionCode, kActIdle);
  }
  EXPECT_EQ(officer.m_hitGuardTicks, 3);
  EXPECT_EQ(bandit.m_hitGuardTicks, 0);
}

// One reel unbroken: 36 burns, then the base's step sends Gideon on; the
// heavy reel's daze adds its own recoil.
TEST_F(ElementSoldierKindsTest, GideonBurnsOnEveryTickOfItsReel) {
  struct Case {
    int32_t reel;
    size_t effects;
    int32_t after;
  };
  for (const Case& c : {Case{kActDamageLight, 36, kActIdle}, Case{kActDamageHeavy, 37, kActDazed}}) {
    SCOPED_TRACE(c.reel);
    CBattleGideon gideon;
    Bind(gideon);
    gideon.SetAction(c.reel);
    EXPECT_EQ(gideon.m_actionBase, 12);
    for (int t = 0; t < 60; ++t) gideon.OnProcess();
    EXPECT_EQ(gideon.m_effects.size(), c.effects);
    EXPECT_EQ(gideon.m_actionCode, c.after);
  }
}

// The bat marks its target before the bite resolves, every time.
TEST_F(ElementSoldierKindsTest, TheBatMarksItsTargetBeforeTheBiteResolves) {
  TargetMarks<CBattleBakGi> bat;
  const std::string trace = Order(bat, 0, false, 30, kActAttack);
  EXPECT_EQ(trace, "8:weapon,marks 1 24:set 10003 25:set 10000");
}

// The jellyfish kinds mark a target within four fifths of the reach after
// the blow lands; a step farther the blow lands unmarked.
TEST_F(ElementSoldierKindsTest, AJellyfishMarksItsTargetOnlyWithinFourFifthsOfItsReach) {
  const float reach = session.GetAttackReach(0, false);
  for (const float beyond : {0.0f, 0.5f}) {
    SCOPED_TRACE(beyond);
    TargetMarks<CBattleHeapari1> jelly;
    Bind(jelly);
    const size_t marksBefore = m_target.m_effects.size();
    m_target.m_pos = Vec3{reach - reach * 0.2f + jelly.m_radius + beyond, 0.0f, 0.0f};
    jelly.SetAction(kActAttack);
    const std::string trace = Run(jelly, 30);
    EXPECT_EQ(trace, "8:weapon,marks " + std::to_string(marksBefore) + " 24:set 10003 25:set 10000");
    EXPECT_EQ(m_target.m_effects.size() - marksBefore, beyond == 0.0f ? 1u : 0u);
  }
}

// The rows that set these kinds apart: the row, delay and mode a code
// enters with.
TEST_F(ElementSoldierKindsTest, EachKindEntersItsOwnRows) {
  CBattleLeighrantz leighrantz;
  CBattleWaterElementel water;
  CBattleFireElement fire;
  CBattleWistenKreutzerTwo wisten;
  CBattleHirth hirth;
  CBattleNecromanse necromancer;
  CBattleZoonBie zombie;
  CBattleHeapari2 tentacle;
  struct Case {
    const char* what;
    CBattleEnemy* enemy;
    int32_t code, row, delay, mode;
  };
  const Case cases[] = {
      {"leighrantz idles slowly", &leighrantz, kActIdle, 0, 16, 2},
      {"leighrantz blows on 12", &leighrantz, kActAttack, 12, 8, 0},
      {"leighrantz reels on 16", &leighrantz, kActDamageLight, 16, 8, 0},
      {"water walks back on its idle row", &water, kActWalkBack, 0, 8, 2},
      {"water strikes on 4", &water, kActSpecialHit, 4, 8, 0},
      {"fire hovers on 4", &fire, kActIdle, 4, 8, 2},
      {"wisten reels on 12 at 6", &wisten, kActDamageLight, 12, 6, 0},
      {"hirth walks on 4 at 6", &hirth, kActApproach, 4, 6, 2},
      {"necromancer walks on its idle row", &necromancer, kActApproach, 0, 8, 2},
      {"necromancer reels on 8", &necromancer, kActDamageLight, 8, 8, 0},
      {"zombie's unpicked walk", &zombie, kActSpecialApproach2, 4, 8, 2},
      {"zombie's unpicked blow", &zombie, kActSpecialHit2, 8, 8, 0},
      {"tentacle's unpicked walk", &tentacle, kActSpecialApproach, 4, 8, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bind(*c.enemy);
    c.enemy->SetAction(c.code);
    EXPECT_EQ(c.enemy->m_actionCode, c.code);
    EXPECT_EQ(c.enemy->m_actionBase, c.row);
    EXPECT_EQ(c.enemy->m_frameDuration, c.delay);
    EXPECT_EQ(c.enemy->m_playMode, c.mode);
  }
  // Nothing of theirs runs the unpicked codes: the enemy stays in them.
  for (int t = 0; t < 5; ++t) tentacle.UpdateAction(kActSpecialApproach);
  EXPECT_EQ(tentacle.m_actionCode, kActSpecialApproach);
}

// A hit during the fire elemental's strike lands; during the wind's it is
// dropped. Neither hit moves them.
TEST_F(ElementSoldierKindsTest, OnlyTheFireElementalsStrikesTakeHits) {
  CBattleWindElementel wind;
  CBattleFireElement fire;
  struct Case {
    const char* what;
    CBattleEnemy* enemy;
    int32_t hpAfter, action;
  };
  const Case cases[] = {{"wind", &wind, 300, kActSpecialHit}, {"fire", &fire, 295, kActDamageLight}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    session.enemies[0].hp = 300;
    Bind(*c.enemy);
    c.enemy->m_useSpecial = true;
    c.enemy->SetAction(kActSpecialHit);
    c.enemy->OnProcess();
    c.enemy->m_hitStopTicks = 0;
    c.enemy->OnMessage(&m_target, kMsgHit, 5, 0, 0);
    EXPECT_EQ(session.enemies[0].hp, c.hpAfter);
    EXPECT_EQ(c.enemy->m_actionCode, c.action);
  }
}

// A hob-goblin dying mid-special keeps the special sheet; a reel brings
// the normal one back.
TEST_F(ElementSoldierKindsTest, AHobGoblinDyingMidSpecialKeepsItsSpecialSheet) {
  const std::string stem = "data/sprite/몬스터/괴물형/전투/홉고블린_특수";
  Write(stem + ".spr", battletest::SquareSprite());
  Write(stem + ".act", slvtools::BuildAct(0x201, std::vector<ActAction>(24, ActAction{{battletest::SquareMotion()}}),
                                          {"attacktime.atk"}));
  CBattleGobulin2 goblin;
  Bind(goblin);
  goblin.SetAction(kActSpecialHit);
  const std::string special = goblin.m_actName;
  EXPECT_NE(special, "beast.act");
  goblin.SetAction(kActDying);
  EXPECT_EQ(goblin.m_actName, special);
  goblin.SetAction(kActDamageLight);
  EXPECT_EQ(goblin.m_actName, "beast.act");
}
