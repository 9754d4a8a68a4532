// The tactic number by band, id, PANIC and boss; the eight bodies over their
// level rows on a scripted `rand`; the stale-kind rule.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "rules/Condition.h"
#include "tests/rules/TacticsFixture.h"
#include "tests/support/TestSupport.h"

namespace {

int32_t Word(int band3, int band2, int band1, int band0) {
  return static_cast<int32_t>(((static_cast<uint32_t>(band3) * 256 + band2) * 256 + band1) * 256 + band0);
}

class TacticsTest : public TacticsFixture {};

TEST_F(TacticsTest, APartyMemberTakesItsWordsByteForItsBandAndPanicOverridesAnyId) {
  session.tactics = {Word(3, 2, 1, 0), Word(4, 4, 4, 4), Word(6, 0, 0, 0), 0};
  Member(0).customTactic = Word(1, 2, 3, 5);
  struct Case {
    int id;
    bool panic;
    int hp, maxhp, shp, maxshp;
    int expected;
    const char* log;
  };
  const Case cases[] = {
      {1, false, 25, 100, 0, 0, 0, nullptr},   {1, false, 26, 100, 0, 0, 1, nullptr},
      {1, false, 50, 100, 0, 0, 1, nullptr},   {1, false, 51, 100, 0, 0, 2, nullptr},
      {1, false, 75, 100, 0, 0, 2, nullptr},   {1, false, 76, 100, 0, 0, 3, nullptr},
      {1, false, 20, 80, 6, 20, 1, nullptr},   {1, false, 0, 0, 0, 0, 0, nullptr},  // zero maxima: band 0
      {2, false, 100, 100, 0, 0, 4, nullptr},  {3, false, 100, 100, 0, 0, -1, "Invalid Tactics............."},
      {3, false, 10, 100, 0, 0, 0, nullptr},   {4, false, 100, 100, 0, 0, 0, nullptr},
      {5, false, 100, 100, 0, 0, 1, nullptr},  {5, false, 10, 100, 0, 0, 5, nullptr},
      {0, false, 100, 100, 0, 0, -1, "이런.."}, {0, true, 100, 100, 0, 0, 5, nullptr},
      {1, true, 100, 100, 0, 0, 5, nullptr},   {3, true, 100, 100, 0, 0, 5, nullptr},
      {6, false, 100, 100, 0, 0, -1, "Invalid tacticsId 라네"},
      {6, true, 100, 100, 0, 0, 5, "Invalid tacticsId 라네"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "id " << c.id << " panic " << c.panic << " hp " << c.hp);
    PlayerData& m = Member(0);
    m.tacticsId = c.id;
    m.stateid = c.panic ? int32_t{kPanic} : 0;
    m.hp = c.hp, m.maxhp = c.maxhp, m.shp = c.shp, m.maxshp = c.maxshp;
    testsupport::DebugLogCapture log;
    EXPECT_EQ(session.ChooseTactic(0, true), c.expected);
    EXPECT_EQ(log.Lines().size(), c.log != nullptr ? 1u : 0u);
    if (c.log != nullptr) {
      EXPECT_TRUE(log.Contains(c.log));
    }
  }
}

TEST_F(TacticsTest, AnEnemyTakesItsNumberForItsBandThenTheNamePanicAndBossesOverride) {
  struct Case {
    const char* name;
    bool panic;
    int hp, maxhp;
    std::array<int32_t, 4> numbers;
    int expected;
    bool logged;
  };
  const Case cases[] = {
      {"스켈레톤", false, 100, 100, {0, 1, 2, 3}, 0, false},
      {"스켈레톤", false, 75, 100, {0, 1, 2, 3}, 1, false},
      {"스켈레톤", false, 26, 100, {0, 1, 2, 3}, 2, false},
      {"스켈레톤", false, 25, 100, {0, 1, 2, 3}, 3, false},
      {"스켈레톤", false, 0, 0, {0, 1, 2, 3}, 3, false},
      {"스켈레톤", true, 100, 100, {0, 1, 2, 3}, 5, false},
      {"스켈레톤", false, 100, 100, {7, 0, 0, 0}, 7, false},
      {"스켈레톤", false, 100, 100, {8, 0, 0, 0}, -1, true},
      {"스켈레톤", false, 100, 100, {-1, 0, 0, 0}, -1, true},
      // The stand-fast name is a boss as well: the boss's 7 wins.
      {"쿠스코_에밀", false, 100, 100, {0, 1, 2, 3}, 7, false},
      {"쿠스코_에밀2", false, 100, 100, {0, 1, 2, 3}, 0, false},
      {"베루낙", true, 100, 100, {0, 1, 2, 3}, 7, false},
      {"베루낙", false, 100, 100, {9, 9, 9, 9}, 7, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.numbers[0] << " panic " << c.panic << " hp " << c.hp);
    EnemySlot& e = Enemy(0);
    e.name = c.name;
    e.stateid = c.panic ? int32_t{kPanic} : 0;
    e.hp = c.hp, e.maxhp = c.maxhp;
    e.tactics = c.numbers;
    testsupport::DebugLogCapture log;
    EXPECT_EQ(session.ChooseTactic(0, false), c.expected);
    EXPECT_EQ(log.Contains("Invalid enemy Tactics............."), c.logged);
  }
}

// What a body chose, by name.
enum Outcome { kAttackNearest, kAttackExposed, kAttackOther, kSpecialNearest, kPickLast, kGuard };

class BodyTest : public TacticsFixture {
 protected:
  void SetUp() override {
    TacticsFixture::SetUp();
    SetEntry(0, 0, false, kCut);
  }
  // Runs a body for enemy 0 and checks the decision and the draws.
  void Expect(void (CSession::*body)(int, bool), Outcome outcome, CBattleActor* other = nullptr) {
    // Members of the enemy's level: the estimates draw nothing.
    for (int p = 0; p < 3; ++p) Member(p).lvl = Enemy(0).level;
    decision.kind = 4;
    decision.index = 7;
    std::invoke(body, session, 0, false);
    EXPECT_TRUE(DrewExactlyTheScript());
    switch (outcome) {
      case kAttackNearest:
      case kAttackExposed:
      case kAttackOther:
        EXPECT_EQ(decision.kind, 0);
        EXPECT_EQ(decision.index, -1);
        EXPECT_EQ(decision.target, outcome == kAttackNearest ? MemberActor(1)
                                   : outcome == kAttackExposed ? MemberActor(2)
                                                               : other);
        break;
      case kSpecialNearest:
        EXPECT_EQ(decision.kind, 10);
        EXPECT_EQ(decision.index, kCut);
        EXPECT_EQ(decision.target, MemberActor(1));
        break;
      case kPickLast:
        // Every member's estimate ties: the last member keeps the place.
        EXPECT_EQ(decision.kind, 10);
        EXPECT_EQ(decision.index, kCut);
        EXPECT_EQ(decision.target, MemberActor(2));
        break;
      case kGuard:
        EXPECT_EQ(decision.kind, 1);
        break;
    }
  }
};

TEST_F(BodyTest, BalancedRollsByLevel) {
  // The first draw picks the target: even the nearest member, odd a random one.
  struct Case {
    int level;
    std::vector<int> draws;
    Outcome outcome;
  };
  const Case cases[] = {
      {10, {0, 7}, kAttackNearest},        {10, {0, 6, 0}, kSpecialNearest},  {20, {0, 15}, kAttackNearest},
      {20, {0, 14, 0}, kSpecialNearest},   {35, {0, 20}, kAttackNearest},     {35, {0, 19, 2, 0}, kPickLast},
      {35, {0, 19, 1, 0}, kSpecialNearest}, {50, {0, 30}, kAttackExposed},    {50, {0, 29, 4, 0}, kPickLast},
      {50, {0, 29, 3, 0}, kSpecialNearest}, {65, {0, 35}, kAttackExposed},    {65, {0, 34, 6, 0}, kPickLast},
      {65, {0, 34, 5, 0}, kSpecialNearest}, {80, {0, 45}, kAttackExposed},    {80, {0, 44, 7, 0}, kSpecialNearest},
      {80, {0, 44, 8, 0}, kPickLast},       {95, {0, 0}, kPickLast},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "level " << c.level << " draws " << c.draws.size());
    Enemy(0).level = c.level;
    Script(c.draws);
    Expect(&CSession::TacticBalanced, c.outcome);
  }
  // An odd first draw takes a random member; Special(100) goes on past
  // empty entries.
  Enemy(0).level = 10;
  Script({1, 2, 7});
  Expect(&CSession::TacticBalanced, kAttackOther, MemberActor(2));
  Enemy(0).level = 80;
  Script({0, 44, 0, 3, 4, 1, 0});
  Expect(&CSession::TacticBalanced, kSpecialNearest);
}

TEST_F(BodyTest, NoFirstEntryAlwaysAttacksThoughTheRollIsDrawn) {
  SetEntry(0, 0, false, -1);
  SetEntry(0, 1, false, kCut);
  struct Case {
    int level;
    std::vector<int> draws;
    Outcome outcome;
  };
  const Case cases[] = {{10, {0, 0}, kAttackNearest}, {50, {0, 0}, kAttackExposed}, {95, {0}, kAttackExposed}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level);
    Enemy(0).level = c.level;
    Script(c.draws);
    Expect(&CSession::TacticBalanced, c.outcome);
    Script({0});
    Expect(&CSession::TacticAggressive, c.level >= 60 ? kAttackOther : kAttackNearest, MemberActor(0));
  }
}

TEST_F(BodyTest, AggressiveRollsByLevelAndTurnsOnTheLowestDefenceFromSixty) {
  // Member 0 has the lowest defence.
  struct Case {
    int level;
    std::vector<int> draws;
    Outcome outcome;
  };
  const Case cases[] = {
      {10, {1}, kAttackNearest},         {10, {0, 0}, kSpecialNearest},   {30, {2}, kAttackNearest},
      {30, {1, 0}, kSpecialNearest},     {50, {3}, kAttackNearest},       {50, {2, 3, 0}, kPickLast},
      {50, {2, 2, 0}, kSpecialNearest},  {70, {4}, kAttackOther},         {70, {3, 6, 0}, kPickLast},
      {70, {3, 5, 0}, kSpecialNearest},  {85, {5}, kAttackOther},         {85, {4, 0, 0}, kSpecialNearest},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "level " << c.level << " first " << c.draws[0]);
    Enemy(0).level = c.level;
    Script(c.draws);
    Expect(&CSession::TacticAggressive, c.outcome, MemberActor(0));
  }
}

TEST_F(BodyTest, GuardedGuardsAKindTwoEnemyOnLowRollsElseAttacksAndMaySpecial) {
  struct Case {
    int kind;
    std::vector<int> draws;
    Outcome outcome;
  };
  const Case cases[] = {
      {2, {5}, kGuard},
      {2, {6, 0}, kAttackNearest},
      {0, {0, 0}, kAttackNearest},
      {0, {0, 1, 0}, kSpecialNearest},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind << " first " << c.draws[0]);
    Enemy(0).type = c.kind;
    Script(c.draws);
    Expect(&CSession::TacticGuarded, c.outcome);
  }
}

TEST_F(BodyTest, TheBusiestNearbyIsStruckFirstAndAGuardKindUnderAttackGuards) {
  // Member 2 is 10 from enemy 0 with the fullest gauge.
  members[2].m_timeGauge = 50.0f;
  Script({1});
  Expect(&CSession::TacticAggressive, kAttackOther, MemberActor(2));
  // Member 1 finds enemy 1 busy within 30: an attack, no special drawn.
  foes[1].m_timeGauge = 40.0f;
  decision = {4, 7, nullptr, 0.0f, 0.0f};
  Script({});
  session.TacticAggressive(1, true);
  EXPECT_TRUE(DrewExactlyTheScript());
  EXPECT_EQ(decision.kind, 0);
  EXPECT_EQ(decision.target, Foe(1));
  session.TacticGuarded(1, true);
  EXPECT_EQ(decision.kind, 0);
  EXPECT_EQ(decision.target, Foe(1));
  // Nobody busy: the nearest, and the strongest special is drawn for.
  foes[1].m_timeGauge = 0.0f;
  Script({0});
  session.TacticAggressive(1, true);
  EXPECT_TRUE(DrewExactlyTheScript());
  EXPECT_EQ(decision.target, Foe(0));
  // Enemy 0 strikes member 1, busy: member 1 guards, unless its gauge is full.
  foes[0].m_target = MemberActor(1);
  foes[0].m_actionCode = kActAttackStart;
  session.TacticGuarded(1, true);
  EXPECT_EQ(decision.kind, 1);
  Member(1).cp = 100;
  session.TacticGuarded(1, true);
  EXPECT_EQ(decision.kind, 0);
  EXPECT_EQ(decision.target, Foe(0));
  // A kind-2 enemy under attack guards even after choosing its special.
  members[0].m_target = Foe(0);
  members[0].m_actionCode = kActApproach;
  Enemy(0).type = 2;
  Script({6, 1, 0});
  session.TacticGuarded(0, false);
  EXPECT_TRUE(DrewExactlyTheScript());
  EXPECT_EQ(decision.kind, 1);
  EXPECT_EQ(decision.index, kCut);
}

TEST_F(BodyTest, SupportRollsByTheEnemiesAverageLevel) {
  // Support here finds no fitting entry: two coins and a hundred tries of
  // the further class, leaving the attack on the nearest.
  std::vector<int> support(102, 0);
  struct Case {
    int average;
    std::vector<int> draws;
    bool special;
    bool supported;
  };
  const Case cases[] = {
      {50, {2}, false, false},       {10, {3, 5}, false, false},   {10, {3, 6, 0}, true, false},
      {20, {3, 4}, false, false},    {20, {3, 5, 7, 0}, true, false}, {20, {3, 5, 8}, false, true},
      {30, {3, 4, 6, 0}, true, false}, {30, {3, 4, 7}, false, true}, {40, {3, 3, 5, 0}, true, false},
      {40, {3, 3, 6}, false, true},  {50, {3, 1}, false, false},   {50, {3, 2, 4, 0}, true, false},
      {60, {3, 0}, false, false},    {60, {3, 1, 3, 0}, true, false}, {60, {3, 1, 4}, false, true},
      {70, {3, 2, 0}, true, false},  {70, {3, 3}, false, true},     {80, {3, 1, 0}, true, false},
      {90, {3, 0, 0}, true, false},  {90, {3, 1}, false, true},     {91, {3}, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "average " << c.average << " draws " << c.draws.size());
    // Levels 1 below, equal and 2 above the average: integer division.
    Enemy(0).level = c.average - 1;
    Enemy(1).level = c.average;
    Enemy(2).level = c.average + 2;
    std::vector<int> draws = c.draws;
    if (c.supported) draws.insert(draws.end(), support.begin(), support.end());
    Script(draws);
    Expect(&CSession::TacticSupport, c.special ? kSpecialNearest : kAttackNearest);
  }
}

TEST_F(BodyTest, SupportWithNoEnemyCountTakesTheLowestRow) {
  session.enemyCount = 0;
  Script({3, 5});
  Expect(&CSession::TacticSupport, kAttackNearest);
}

TEST_F(BodyTest, RetreatingMembersMirrorTheNearestEnemyUnlessTheGaugeIsFullAndEatWhenHurt) {
  // Member 1's nearest enemy is enemy 0 at (10, 3): mirrored to (10, -3).
  session.TacticRetreat(1, true);
  EXPECT_EQ(decision.kind, 2);
  EXPECT_EQ(decision.target, nullptr);
  EXPECT_FLOAT_EQ(decision.x, 10.0f);
  EXPECT_FLOAT_EQ(decision.z, -3.0f);
  Member(1).cp = 100;
  session.TacticRetreat(1, true);
  EXPECT_EQ(decision.kind, 0);
  EXPECT_EQ(decision.target, Foe(0));
  // Hurt below 0.6 with food carried: the food, on itself.
  session.inventory[static_cast<size_t>(ItemIndex("빵"))] = 1;
  Member(1).hp = 59;
  session.TacticRetreat(1, true);
  EXPECT_EQ(decision.kind, 3);
  EXPECT_EQ(decision.index, ItemIndex("빵"));
  EXPECT_EQ(decision.target, MemberActor(1));
  // With no enemy left it stays where it is.
  Member(1).cp = 0;
  Member(1).hp = 100;
  for (CStandIn& foe : foes) foe.m_actionCode = kActDying;
  session.TacticRetreat(1, true);
  EXPECT_EQ(decision.kind, 2);
  EXPECT_FLOAT_EQ(decision.x, 10.0f);
  EXPECT_FLOAT_EQ(decision.z, 0.0f);
}

TEST_F(BodyTest, PanicStrikesTheNearestOfEitherSideEnemiesFirstOnATie) {
  // Enemy 1 at (20, 10): enemy 2 is 5 away, member 2 10 away.
  Script({});
  session.TacticPanic(1, false);
  EXPECT_TRUE(DrewExactlyTheScript());
  EXPECT_EQ(decision.kind, 0);
  EXPECT_EQ(decision.target, Foe(2));
  // A dying enemy is passed over; a tie goes to the first found.
  foes[2].m_actionCode = kActDying;
  foes[0].m_pos = {20.0f, 0.0f, 0.0f};
  session.TacticPanic(1, false);
  EXPECT_EQ(decision.target, Foe(0));
  // A member in PANIC finds the member beside it before any enemy.
  session.TacticPanic(0, true);
  EXPECT_EQ(decision.target, MemberActor(1));
  // Without an own actor the decision stays as it was, less its target.
  decision.kind = 4;
  Member(0).battlePtr = nullptr;
  session.TacticPanic(0, true);
  EXPECT_EQ(decision.kind, 4);
  EXPECT_EQ(decision.target, nullptr);
}

TEST_F(BodyTest, StandFastAndBossAreForEnemiesOnly) {
  // Three empty tries: it stays where it is.
  SetEntry(0, 0, false, -1);
  Script({0, 1, 2});
  session.TacticStandFast(0, false);
  EXPECT_TRUE(DrewExactlyTheScript());
  EXPECT_EQ(decision.kind, 2);
  EXPECT_FLOAT_EQ(decision.x, 10.0f);
  EXPECT_FLOAT_EQ(decision.z, 3.0f);
  SetEntry(0, 3, false, kCut);
  Script({0, 1, 3});
  Expect(&CSession::TacticStandFast, kSpecialNearest);
  // A boss tries a hundred times; with nothing at all it strikes a random member.
  std::vector<int> hundred(100, 0);
  hundred.push_back(2);
  SetEntry(0, 3, false, -1);
  Script(hundred);
  Expect(&CSession::TacticBoss, kAttackOther, MemberActor(2));
  SetEntry(0, 4, false, kCut);
  Script({0, 4});
  Expect(&CSession::TacticBoss, kSpecialNearest);
  // A party member only loses its target and index.
  for (auto body : {&CSession::TacticStandFast, &CSession::TacticBoss}) {
    decision = {9, 3, Foe(0), 0.0f, 0.0f};
    Script({});
    std::invoke(body, session, 0, true);
    EXPECT_TRUE(DrewExactlyTheScript());
    EXPECT_EQ(decision.kind, 9);
    EXPECT_EQ(decision.index, -1);
    EXPECT_EQ(decision.target, nullptr);
  }
}

TEST_F(BodyTest, AStaleItemMagicOrSkillKindBecomesAnAttack) {
  // Enemy 0 stands fast and picks its skill; then member 1, whose word
  // holds no member's tactic, runs no body: the skill kind it would inherit
  // becomes an attack on its nearest enemy.
  Enemy(0).tactics = {6, 6, 6, 6};
  Script({0});
  session.RunTactics(0, false);
  EXPECT_EQ(decision.kind, 10);
  EXPECT_EQ(decision.index, kCut);
  Member(1).tacticsId = 5;
  Member(1).customTactic = Word(7, 7, 7, 7);
  testsupport::DebugLogCapture log;
  session.RunTactics(1, true);
  EXPECT_TRUE(log.Contains("Invalid Tactics............."));
  EXPECT_TRUE(DrewExactlyTheScript());
  EXPECT_EQ(decision.kind, 0);
  EXPECT_EQ(decision.index, -1);
  EXPECT_EQ(decision.target, Foe(0));
  // An enemy that inherits the item kind takes a random member.
  decision = {3, 4, Foe(2), 0.0f, 0.0f};
  Enemy(1).tactics = {5, 5, 5, 5};
  Enemy(1).actor = nullptr;  // panic without an actor sets nothing
  Script({2});
  session.RunTactics(1, false);
  EXPECT_TRUE(DrewExactlyTheScript());
  EXPECT_EQ(decision.kind, 0);
  EXPECT_EQ(decision.target, MemberActor(2));
}

}  // namespace
