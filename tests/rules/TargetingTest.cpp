// The target pickers on three recording actors a side: who is chosen, ties,
// participants out of the fight and askers naming nobody.
#include <gtest/gtest.h>

#include <functional>

#include "platform/Random.h"
#include "tests/rules/BattleRulesFixture.h"

namespace {

using battletest::BattleRulesFixture;

class TargetingTest : public BattleRulesFixture {
 public:
  // Members stand at x 0, 10, 20 and enemies at 5, 15, 30, all on z 0.
  void SetUp() override {
    BattleRulesFixture::SetUp();
    for (int i = 0; i < 3; ++i) {
      members[i].m_pos = {10.0f * static_cast<float>(i), 0.0f, 0.0f};
      Member(i).hp = Member(i).maxhp = 100;
      Member(i).shp = Member(i).maxshp = 100;
    }
    const float enemyX[3] = {5.0f, 15.0f, 30.0f};
    for (int e = 0; e < 3; ++e) foes[e].m_pos = {enemyX[e], 0.0f, 0.0f};
    for (CBattleActor* actor : {M(0), M(1), M(2), F(0), F(1), F(2)}) {
      actor->m_timeGauge = 0.0f;
      actor->m_target = nullptr;
      actor->m_openFlag = 0;
    }
  }
  CBattleActor* M(int n) { return &members[n]; }
  CBattleActor* F(int n) { return &foes[n]; }
};

struct PickerCase {
  const char* what;
  std::function<void(TargetingTest&)> arrange;
  std::function<CBattleActor*(CSession&)> pick;
  int expected;  // members 0-2, enemies 10-12, -1 none
};

TEST_F(TargetingTest, EachPickerChoosesByItsMeasureAndBreaksTiesAsItShould) {
  const auto at = [](CBattleActor& a, float x) { a.m_pos.x = x; };
  const PickerCase cases[] = {
      {"nearest enemy", [](TargetingTest&) {}, [](CSession& s) { return s.FindNearestEnemy(0, true); }, 10},
      {"nearest enemy: truncated distances tie, the first wins",
       [&](TargetingTest& t) {
         at(t.foes[0], 5.9f);
         at(t.foes[1], -5.1f);
       },
       [](CSession& s) { return s.FindNearestEnemy(0, true); }, 10},
      {"nearest enemy passes over the dying",
       [](TargetingTest& t) { t.foes[0].m_actionCode = kActDying; },
       [](CSession& s) { return s.FindNearestEnemy(0, true); }, 11},
      {"nearest enemy of an enemy is never itself", [](TargetingTest&) {},
       [](CSession& s) { return s.FindNearestEnemy(1, false); }, 10},
      {"nearest member passes over the removed only",
       [](TargetingTest& t) {
         t.members[0].m_actionCode = kActRemoved;
         t.members[1].m_actionCode = kActDying;
       },
       [](CSession& s) { return s.FindNearestPartyMember(1, false); }, 1},
      {"busiest enemy within 30, strictly below the range",
       [](TargetingTest& t) {
         t.foes[0].m_timeGauge = 40.0f;
         t.foes[1].m_timeGauge = 80.0f;
         t.foes[2].m_timeGauge = 99.0f;
       },
       [](CSession& s) { return s.FindBusiestEnemyNear(30, 0, true); }, 11},
      {"busiest enemy: equal gauges, the first wins",
       [](TargetingTest& t) { t.foes[0].m_timeGauge = t.foes[1].m_timeGauge = 50.0f; },
       [](CSession& s) { return s.FindBusiestEnemyNear(30, 0, true); }, 10},
      {"busiest enemy: all gauges empty", [](TargetingTest&) {},
       [](CSession& s) { return s.FindBusiestEnemyNear(30, 0, true); }, -1},
      {"busiest member near an enemy",
       [](TargetingTest& t) {
         t.members[0].m_timeGauge = 10.0f;
         t.members[1].m_timeGauge = 70.0f;
         t.members[2].m_timeGauge = 90.0f;
       },
       [](CSession& s) { return s.FindBusiestPartyMemberNear(10, 0, false); }, 1},
      {"weakest member by both percentages",
       [](TargetingTest& t) {
         t.Member(1).hp = 50;
         t.Member(2).shp = 60;
       },
       [](CSession& s) { return s.FindWeakestPartyMember(); }, 1},
      {"weakest: a tie goes to the newer on an odd roll",
       [](TargetingTest& t) {
         t.Member(1).hp = t.Member(2).hp = 50;
         platform::QueueRand({3});
       },
       [](CSession& s) { return s.FindWeakestPartyMember(); }, 2},
      {"weakest: a tie stays with the older on an even roll",
       [](TargetingTest& t) {
         t.Member(1).hp = t.Member(2).hp = 50;
         platform::QueueRand({4});
       },
       [](CSession& s) { return s.FindWeakestPartyMember(); }, 1},
      {"weakest: nobody hurt, the first still counts",
       [](TargetingTest&) { platform::QueueRand({0, 0}); }, [](CSession& s) { return s.FindWeakestPartyMember(); }, 0},
      {"weakest: zero maxima count as unhurt",
       [](TargetingTest& t) {
         t.Member(0).maxhp = t.Member(0).maxshp = 0;
         t.Member(1).hp = 90;
       },
       [](CSession& s) { return s.FindWeakestPartyMember(); }, 1},
      {"strongest enemy by hit and barrier points",
       [](TargetingTest& t) {
         t.Enemy(1).shp = 5;
         t.Enemy(2).hp = 46;
       },
       [](CSession& s) { return s.FindStrongestEnemy(); }, 12},
      {"strongest: a tie keeps the first", [](TargetingTest&) {}, [](CSession& s) { return s.FindStrongestEnemy(); }, 10},
      {"strongest: nothing left in anyone",
       [](TargetingTest& t) {
         for (int e = 0; e < 3; ++e) t.Enemy(e).hp = 0;
       },
       [](CSession& s) { return s.FindStrongestEnemy(); }, -1},
      {"strongest passes over the defeated",
       [](TargetingTest& t) {
         t.Enemy(0).hp = 99;
         t.foes[0].m_actionCode = kActDefeated;
       },
       [](CSession& s) { return s.FindStrongestEnemy(); }, 11},
  };
  for (const PickerCase& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    c.arrange(*this);
    CBattleActor* expected = c.expected < 0 ? nullptr : c.expected < 10 ? M(c.expected) : F(c.expected - 10);
    EXPECT_EQ(c.pick(session), expected);
  }
}

TEST_F(TargetingTest, ABusyActorTargetingTheAskerMeansItIsUnderAttack) {
  EXPECT_FALSE(session.IsUnderAttack(0, true));
  foes[2].m_target = &members[0];
  EXPECT_FALSE(session.IsUnderAttack(0, true));  // idle
  foes[2].m_actionCode = kActAttack;
  EXPECT_TRUE(session.IsUnderAttack(0, true));
  foes[2].m_openFlag = 1;
  EXPECT_FALSE(session.IsUnderAttack(0, true));
  foes[2].m_openFlag = 0;
  foes[2].m_actionCode = kActDying;  // out of the fight, still swinging
  EXPECT_TRUE(session.IsUnderAttack(0, true));
  foes[2].m_target = nullptr;
  members[2].m_target = &foes[1];
  members[2].m_actionCode = kActApproach;
  EXPECT_TRUE(session.IsUnderAttack(1, false));
  EXPECT_FALSE(session.IsUnderAttack(0, false));
}

TEST_F(TargetingTest, InReachNeedsTheReachAndAnOpeningOrAnIdleTarget) {
  Member(0).weapon = Id("랩쳐로즈");  // reaches 4
  Enemy(0).reach = 40;
  foes[0].m_pos.x = 3.5f;
  EXPECT_EQ(session.FindEnemyInReach(0), nullptr);  // idle, and the idle-target option is off
  Member(0).resetMark = 1;
  EXPECT_EQ(session.FindEnemyInReach(0), F(0));
  foes[0].m_actionCode = kActAttack;
  EXPECT_EQ(session.FindEnemyInReach(0), nullptr);
  foes[0].m_openFlag = 1;
  EXPECT_EQ(session.FindEnemyInReach(0), F(0));
  EXPECT_EQ(session.GetAttackReach(0, true), 4.0f);
  foes[0].m_pos.x = 4.0f;
  EXPECT_EQ(session.FindEnemyInReach(0), nullptr);

  foes[0].m_pos.x = 3.5f;
  EXPECT_EQ(session.FindPartyMemberInReach(0), M(0));
  members[0].m_actionCode = kActAttack;
  EXPECT_EQ(session.FindPartyMemberInReach(0), nullptr);
  members[0].m_openFlag = 1;
  EXPECT_EQ(session.FindPartyMemberInReach(0), M(0));
  members[0].m_actionCode = kActDying;
  EXPECT_EQ(session.FindPartyMemberInReach(0), nullptr);
  EXPECT_EQ(session.FindPartyMemberInReach(1), nullptr);  // out of its reach of 0
}

TEST_F(TargetingTest, ALoneLiveEnemyAskingForAnotherFallsBackToItself) {
  foes[1].m_actionCode = kActRemoved;
  foes[2].m_actionCode = kActDefeated;
  session.enemyCount = 1;
  EXPECT_EQ(session.PickRandomEnemy(0, false), F(0));
  session.enemyCount = 3;
  foes[1].m_actionCode = kActIdle;
  platform::QueueRand({0});
  EXPECT_EQ(session.PickRandomEnemy(0, false), F(1));
  platform::QueueRand({5});  // 5 % 3: past the two live ones, the first live
  EXPECT_EQ(session.PickRandomEnemy(1, true), F(0));
}

TEST_F(TargetingTest, APartnerIsFoundOnlyInTheParty) {
  Member(0).engname = "sizz";
  Member(1).engname = "ai";
  Member(2).engname = "kreutzer";
  EXPECT_EQ(session.FindPartnerActor(M(0)), M(1));
  EXPECT_EQ(session.FindPartnerActor(M(1)), M(0));
  session.scriptVariables.Set("제1장끝", 1);
  EXPECT_EQ(session.FindPartnerActor(M(1)), nullptr);  // sizz2 has not joined
  Member(0).engname = "sizz2";
  EXPECT_EQ(session.FindPartnerActor(M(1)), M(0));
  EXPECT_EQ(session.FindPartnerActor(M(0)), M(1));
  EXPECT_EQ(session.FindPartnerActor(M(2)), nullptr);
  EXPECT_EQ(session.FindPartnerActor(F(0)), nullptr);
  EXPECT_EQ(session.FindPartnerActor(nullptr), nullptr);
  Member(1).engname = "maria";
  EXPECT_EQ(session.FindPartnerActor(M(0)), nullptr);
}

TEST_F(TargetingTest, AnAskerNamingNobodyFindsNothing) {
  for (int position : {-1, 6}) {
    SCOPED_TRACE(position);
    for (bool isParty : {true, false}) {
      EXPECT_EQ(session.FindNearestEnemy(position, isParty), nullptr);
      EXPECT_EQ(session.FindNearestPartyMember(position, isParty), nullptr);
      EXPECT_EQ(session.FindBusiestEnemyNear(30, position, isParty), nullptr);
      EXPECT_EQ(session.FindBusiestPartyMemberNear(30, position, isParty), nullptr);
      EXPECT_EQ(session.PickRandomEnemy(position, isParty), nullptr);
      EXPECT_FALSE(session.IsUnderAttack(position, isParty));
      EXPECT_EQ(session.GetAttackReach(position, isParty), 0.0f);
    }
    EXPECT_EQ(session.FindEnemyInReach(position), nullptr);
    EXPECT_EQ(session.FindPartyMemberInReach(position), nullptr);
  }
}

}  // namespace
