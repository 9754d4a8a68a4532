// The special actions of the tactics on five magic and five skill records:
// entries by type, the support choices, the strongest special with its
// kills and grenades, the restoring food, the pickers, and the damage
// estimates against hand values.
#include <gtest/gtest.h>

#include <vector>

#include "rules/Condition.h"
#include "tests/rules/TacticsFixture.h"

namespace {

class TacticActionsTest : public TacticsFixture {
 protected:
  void Decided(int kind, int index, CBattleActor* target) {
    EXPECT_EQ(decision.kind, kind);
    EXPECT_EQ(decision.index, index);
    EXPECT_EQ(decision.target, target);
  }
};

TEST_F(TacticActionsTest, AnEntryOfTypeIsFoundByItsModeAndAimed) {
  SetEntry(0, 0, true, kFlame);
  SetEntry(0, 1, true, kPoisonFog);
  SetEntry(0, 2, false, kStab);
  SetEntry(0, 3, true, kWard);
  SetEntry(0, 4, false, kFirstAid);
  struct Case {
    int value, mode;
    std::vector<int> draws;
    int kind, index;
    int target;  // member n, or enemy -(n + 1); 9 none
  };
  const Case cases[] = {
      {5, 0, {0, 3}, 9, kWard, 1},              // type 5; aimed at the nearest member
      {2, 0, {1, 2, 0}, 10, kStab, 0},          // type 2: a random member
      {0, 1, {0, 1}, 9, kPoisonFog, 1},         // a magic that inflicts a condition
      {0, 1, {0, 3, 2, 1}, 10, kStab, 1},       // a skill of kind 1
      {0, 2, {0, 4}, 10, kFirstAid, -1},        // the further class: own side, nobody hurt: itself
      {0, 2, {3}, 9, kWard, 1},                 // a magic of target mode 2
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "value " << c.value << " mode " << c.mode << " draws " << c.draws.size());
    decision = {4, 7, nullptr, 0.0f, 0.0f};
    Script(c.draws);
    session.PickSpecialOfType(0, c.value, c.mode);
    EXPECT_TRUE(DrewExactlyTheScript());
    Decided(c.kind, c.index, c.target >= 0 ? MemberActor(c.target) : Foe(-c.target - 1));
  }
  // Another mode never fits: a hundred tries and the decision as it was.
  decision = {4, 7, nullptr, 0.0f, 0.0f};
  Script(std::vector<int>(100, 1));
  session.PickSpecialOfType(0, 0, 3);
  EXPECT_TRUE(DrewExactlyTheScript());
  Decided(4, 7, nullptr);
}

TEST_F(TacticActionsTest, TheEnemySupportHealsAnUndeadMemberFirstThenItsHurtThenByCoins) {
  SetEntry(0, 0, true, kHeal);
  SetEntry(0, 1, true, kPoisonFog);
  SetEntry(0, 2, true, kStorm);
  SetEntry(0, 3, true, kWard);
  Member(0).stateid = kUndead;
  Enemy(2).hp = 50;
  Script({});
  session.ChooseSupportAction(0, false);
  EXPECT_TRUE(DrewExactlyTheScript());
  Decided(9, kHeal, MemberActor(0));
  Member(0).stateid = 0;
  session.ChooseSupportAction(0, false);
  Decided(9, kHeal, Foe(2));
  Enemy(2).hp = 100;
  // A coin for type 3, a second for type 5; aimed at the nearest member.
  Script({1, 2});
  session.ChooseSupportAction(0, false);
  EXPECT_TRUE(DrewExactlyTheScript());
  Decided(9, kStorm, MemberActor(1));
  Script({0, 1, 3});
  session.ChooseSupportAction(0, false);
  EXPECT_TRUE(DrewExactlyTheScript());
  Decided(9, kWard, MemberActor(1));
  // Then the afflicting entry, at the last healthy member.
  Member(1).stateid = kPoison1;
  Script({0, 0, 1});
  session.ChooseSupportAction(0, false);
  EXPECT_TRUE(DrewExactlyTheScript());
  Decided(9, kPoisonFog, MemberActor(2));
  // The walk ends at the first empty entry: the storm behind it is unseen,
  // and the further class is looked for.
  SetEntry(0, 1, false, -1);
  std::vector<int> draws = {1, 0};
  draws.insert(draws.end(), 99, 2);
  draws.push_back(3);
  Script(draws);
  session.ChooseSupportAction(0, false);
  EXPECT_TRUE(DrewExactlyTheScript());
  Decided(9, kWard, MemberActor(1));
}

TEST_F(TacticActionsTest, AMemberSupportsByWhatItLearnedAndCanPay) {
  // Sizz, a magic user, knows all four classes.
  for (int magic : {kHeal, kPoisonFog, kStorm, kWard}) Member(0).magicFlags[static_cast<size_t>(magic)] = 1;
  Member(2).hp = 50;
  session.ChooseSupportAction(0, true);
  Decided(9, kHeal, MemberActor(2));
  Member(2).hp = 100;
  session.ChooseSupportAction(0, true);
  Decided(9, kPoisonFog, Foe(2));  // the last healthy enemy
  for (int e = 0; e < 3; ++e) Enemy(e).stateid = kCurse;
  // The coins keep the target chosen before.
  decision.target = Foe(0);
  Script({1});
  session.ChooseSupportAction(0, true);
  EXPECT_TRUE(DrewExactlyTheScript());
  Decided(9, kStorm, Foe(0));
  Script({0, 1});
  session.ChooseSupportAction(0, true);
  EXPECT_TRUE(DrewExactlyTheScript());
  Decided(9, kWard, Foe(0));
  // With only the heal and nobody hurt: the strongest special, which finds
  // nothing, and the decision stays.
  Member(0).magicFlags.fill(0);
  Member(0).magicFlags[kHeal] = 1;
  decision = {0, -1, Foe(1), 0.0f, 0.0f};
  Script({0, 0, 0});
  session.ChooseSupportAction(0, true);
  EXPECT_TRUE(DrewExactlyTheScript());
  Decided(0, -1, Foe(1));
  // Kreutzer reads skill records; first aid only while MP1 pays it.
  Member(1).magicFlags[kFirstAid] = 1;
  Member(1).magicFlags[kSting] = 1;
  Member(2).hp = 50;
  for (int e = 0; e < 3; ++e) Enemy(e).stateid = 0;
  Member(1).mp1 = 2;
  session.ChooseSupportAction(1, true);
  Decided(10, kFirstAid, MemberActor(2));
  Member(1).mp1 = 1;
  session.ChooseSupportAction(1, true);
  Decided(10, kSting, Foe(2));
}

TEST_F(TacticActionsTest, AMembersStrongestSpecialPassesEndAtAKillAndGrenadesFollow) {
  // Sizz's two attack magics estimate 2 on anyone, drawing nothing.
  Member(0).intelligence = 4;
  Member(0).magicFlags[kFlame] = 1;
  Member(0).magicFlags[kPoisonFog] = 1;
  struct Case {
    int killableHp;
    int r;
    int kind, index, target;
  };
  const Case cases[] = {
      {100, 0, 9, kFlame, 0},      // no kill: the first pass keeps the first best
      {100, 1, 9, kPoisonFog, 0},  // the second pass skips the first's number
      {100, 2, 4, -1, -1},         // the third finds nothing left
      {1, 0, 9, kPoisonFog, 1},    // a kill, replaced by a later kill
      {1, 1, 4, -1, -1},           // and the kill ended the passes
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "hp " << c.killableHp << " r " << c.r);
    Enemy(1).hp = c.killableHp;
    decision = {4, -1, nullptr, 0.0f, 0.0f};
    Script({c.r});
    session.PickAttackSpecial(0, true);
    EXPECT_TRUE(DrewExactlyTheScript());
    Decided(c.kind, c.index, c.target >= 0 ? Foe(c.target) : nullptr);
  }
  // Grenades by their damage: the bomb is best on enemy 0 until the fire
  // bottle outdoes it and kills enemy 1; the second pass skips the bottle.
  SetItemAttr("폭탄", 18, 30);
  SetItemAttr("화염병", 18, 80);
  SetItemAttr("고기", 18, 500);  // no grenade
  for (const char* name : {"폭탄", "화염병", "고기"}) session.inventory[static_cast<size_t>(ItemIndex(name))] = 1;
  Enemy(1).hp = 50;
  Member(0).magicFlags.fill(0);
  Script({3});
  session.PickAttackSpecial(0, true);
  Decided(3, ItemIndex("화염병"), Foe(1));
  Script({4});
  session.PickAttackSpecial(0, true);
  Decided(3, ItemIndex("폭탄"), Foe(0));
  // None carried: nothing.
  for (const char* name : {"폭탄", "화염병"}) session.inventory[static_cast<size_t>(ItemIndex(name))] = 0;
  decision = {1, -1, nullptr, 0.0f, 0.0f};
  Script({3});
  session.PickAttackSpecial(0, true);
  Decided(1, -1, nullptr);
}

TEST_F(TacticActionsTest, AnEnemysKillMarkStaysSetAcrossPassesAndNCountsTheLastEntryLookedAt) {
  // Three skills each estimating 4 on any member, drawing nothing.
  SetEntry(0, 0, false, kCut);
  SetEntry(0, 1, false, kSting);
  SetEntry(0, 2, false, kWhirl);
  // No kill: three passes, each place the last entry and member tried;
  // n = 3.
  Script({1});
  session.PickAttackSpecial(0, false);
  EXPECT_TRUE(DrewExactlyTheScript());
  Decided(10, kSting, MemberActor(2));
  Script({2});
  session.PickAttackSpecial(0, false);
  Decided(10, kCut, MemberActor(2));
  Script({0});
  session.PickAttackSpecial(0, false);
  Decided(10, kWhirl, MemberActor(2));
  // Member 1 falls to the first entry: the later member still takes the
  // place at least as good as the best; every later pass ends after its
  // first entry, so n = 1 and the only draw is rand() % 1.
  Member(1).hp = 4;
  decision = {0, -1, nullptr, 0.0f, 0.0f};
  Script({5});
  session.PickAttackSpecial(0, false);
  EXPECT_TRUE(DrewExactlyTheScript());
  Decided(10, kCut, MemberActor(2));
  // No entry at all: n = 0 and nothing is drawn.
  for (int e = 0; e < 3; ++e) SetEntry(0, e, false, -1);
  decision = {1, -1, nullptr, 0.0f, 0.0f};
  Script({});
  session.PickAttackSpecial(0, false);
  EXPECT_TRUE(DrewExactlyTheScript());
  Decided(1, -1, nullptr);
}

TEST_F(TacticActionsTest, AHurtMemberEatsTheLastFoodItCarries) {
  for (const char* name : {"빵", "고기"}) session.inventory[static_cast<size_t>(ItemIndex(name))] = 1;
  struct Case {
    int hp;
    int32_t action;
    bool eats;
  };
  for (const Case& c : {Case{59, kActIdle, true}, Case{60, kActIdle, false}, Case{10, kActRemoved, false}}) {
    SCOPED_TRACE(c.hp);
    Member(2).hp = c.hp;
    members[2].m_actionCode = c.action;
    decision = {0, -1, Foe(0), 0.0f, 0.0f};
    session.TryRestoreItem(2, true);
    if (c.eats) {
      Decided(3, ItemIndex("고기"), MemberActor(2));
    } else {
      Decided(0, -1, Foe(0));
    }
  }
  // Enemies eat nothing.
  Enemy(0).hp = 1;
  session.TryRestoreItem(0, false);
  Decided(0, -1, Foe(0));
}

TEST_F(TacticActionsTest, PickersKeepTheFirstOnTiesAndSkipTheFallen) {
  EXPECT_EQ(session.FindMostExposedPartyMember(), MemberActor(2));
  EXPECT_EQ(session.FindLowestDefencePartyMember(), MemberActor(0));
  EXPECT_EQ(session.FindLowestDefenceEnemy(), Foe(2));
  // Equally hurt: the first in order; 80 of 100 is not hurt.
  Member(1).hp = 50;
  Member(2).hp = 50;
  Member(0).hp = 80;
  EXPECT_EQ(session.FindHurtMember(true), MemberActor(1));
  EXPECT_EQ(session.FindHurtMember(false), nullptr);
  Enemy(1).hp = 79;
  EXPECT_EQ(session.FindHurtMember(false), Foe(1));
  // The last healthy one, the last undead one; the fallen do not count.
  Member(0).stateid = kUndead;
  Member(1).stateid = kUndead;
  members[1].m_actionCode = kActRemoved;
  EXPECT_EQ(session.FindUndeadPartyMember(), MemberActor(0));
  EXPECT_EQ(session.FindHealthyPartyMember(), MemberActor(2));
  foes[2].m_actionCode = kActDefeated;
  EXPECT_EQ(session.FindHealthyEnemy(), Foe(1));
  EXPECT_EQ(session.FindLowestDefenceEnemy(), Foe(1));
  // Any enemy counts every occupied slot; a fallen one gives the first live.
  Script({2});
  EXPECT_EQ(session.PickAnyEnemy(), Foe(0));
  Script({1});
  EXPECT_EQ(session.PickAnyEnemy(), Foe(1));
  // Without a battle enemy count nobody is most exposed.
  session.enemyCount = 0;
  EXPECT_EQ(session.FindMostExposedPartyMember(), nullptr);
  EXPECT_FALSE(session.IsAwayFromStation(0));  // no field context
}

TEST_F(TacticActionsTest, EstimatesFollowTheBlowsFormulaWithMagicPowerAndSkillStrength) {
  Member(0).intelligence = 40;
  Member(1).strength = 40;
  Enemy(0).phyAtk = 30;
  const int ruby = ItemIndex("루비네클리스");
  struct Case {
    const char* what;
    bool magic;
    int user;
    bool userIsParty;
    int target;
    bool targetIsParty;
    int number;
    std::vector<int> draws;
    int expected;
  };
  const Case cases[] = {
      // 40 x 50 %: 20; spread 3 of 4: 20 - 2 + 3.
      {"percent", true, 0, true, 0, false, kFlame, {3}, 21},
      // 40 + 10: 50; 50 - 5 + 7.
      {"plus", true, 0, true, 0, false, kStorm, {7}, 52},
      // 30 x 50 % = 15, x 0.8 = 12 on a member: 12 - 1 + 1, a third.
      {"enemy caster", true, 0, false, 0, true, kFlame, {1}, 4},
      // 15 on an enemy: 15 - 1 + 2, a third, times three.
      {"enemy on enemy", true, 0, false, 1, false, kFlame, {2}, 15},
      // 40 x 100 %: 40; + 3 of 4, - 8.
      {"skill", false, 1, true, 0, false, kCut, {3}, 35},
      // 40 + 5: 45; + 0, - 9.
      {"skill plus", false, 1, true, 0, false, kWhirl, {0}, 36},
      // 30, x 0.8 = 24, a third 8; no spread, - 1.
      {"enemy skill", false, 0, false, 1, true, kCut, {}, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Script(c.draws);
    const int got = c.magic ? session.ComputeMagicDamage(c.user, c.userIsParty, c.target, c.targetIsParty, c.number)
                            : session.ComputeSkillDamage(c.user, c.userIsParty, c.target, c.targetIsParty, c.number);
    EXPECT_EQ(got, c.expected);
    EXPECT_TRUE(DrewExactlyTheScript());
  }
  // CURSE halves the caster's power: 10; 10 - 1 + 1.
  Member(0).stateid = kCurse;
  EXPECT_EQ(session.GetMagicPower(0, true, kFlame), 10);
  Script({1});
  EXPECT_EQ(session.ComputeMagicDamage(0, true, 0, false, kFlame), 10);
  EXPECT_TRUE(DrewExactlyTheScript());
  // The ruby necklace on the target cuts 15 to 12, x 0.8 = 9: 9 - 0 + 0, a third.
  Member(0).acc1 = ruby;
  Script({0});
  EXPECT_EQ(session.ComputeMagicDamage(0, false, 0, true, kFlame), 3);
  EXPECT_TRUE(DrewExactlyTheScript());
  EXPECT_EQ(session.GetMagicDefence(0, true), Member(0).vitality);
  Enemy(0).magDef = 12;
  EXPECT_EQ(session.GetMagicDefence(0, false), 12);
}

}  // namespace
