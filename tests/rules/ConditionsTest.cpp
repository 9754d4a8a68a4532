// Setting and clearing conditions against the record, the battle actor's
// state and the worn helmet, and the hooks battle scripts wait on.
#include <gtest/gtest.h>

#include "rules/Condition.h"
#include "tests/rules/BattleRulesFixture.h"

namespace {

using battletest::BattleRulesFixture;

class ConditionsTest : public BattleRulesFixture {};

struct ConditionCase {
  const char* what;
  bool party;
  uint32_t before;
  int32_t action;      // of the participant's actor
  const char* helmet;  // worn by the member, or null
  uint32_t bit;
  bool set;
  uint32_t after;
  int32_t hpAfter;
  std::vector<int> messages;
  std::vector<std::string> hooks;
};

TEST_F(ConditionsTest, SettingAndClearingFollowTheRecordTheActorAndTheHelmet) {
  const ConditionCase cases[] = {
      {"clearing POISON3 clears a lone POISON1", true, kPoison1, kActIdle, nullptr, kPoison3, false, 0, 50, {},
       {"__conditionsizzNOTHING"}},
      {"clearing POISON2 keeps POISON3", true, kPoison1 | kPoison2 | kPoison3, kActIdle, nullptr, kPoison2, false,
       kPoison3, 50, {}, {"__conditionsizzPOISON3"}},
      {"clearing one raises the next held above it", true, kPoison1 | kCurse, kActIdle, nullptr, kPoison1, false,
       kCurse, 50, {}, {"__conditionsizzCURSE"}},
      {"DYING on one already dying only sets the bit", true, 0, kActDying, nullptr, kDying, true, kDying, 50, {},
       {"__conditionsizzDYING"}},
      {"DYING on a standing one kills it", true, 0, kActIdle, nullptr, kDying, true, kDying, 0, {kMsgKill},
       {"__conditionsizzDYING"}},
      {"STONE petrifies even one dying", true, 0, kActDying, nullptr, kStone, true, kStone, 50, {kMsgPetrify},
       {"__conditionsizzSTONE"}},
      {"a headphone keeps PANIC off", true, 0, kActIdle, "헤드폰", kPanic, true, 0, 50, {}, {}},
      {"a circlet keeps PANIC off", true, 0, kActIdle, "안정의서클릿", kPanic, true, 0, 50, {}, {}},
      {"a gas mask keeps every poison off", true, 0, kActIdle, "방독면", kPoison2, true, 0, 50, {}, {}},
      {"a gas mask lets PANIC in", true, 0, kActIdle, "방독면", kPanic, true, kPanic, 50, {}, {"__conditionsizzPANIC"}},
      {"a headphone does not stop clearing", true, kPanic, kActIdle, "헤드폰", kPanic, false, 0, 50, {},
       {"__conditionsizzNOTHING"}},
      {"an enemy clears exactly its bit", false, kPoison1 | kPoison3, kActIdle, nullptr, kPoison3, false, kPoison1,
       40, {}, {"__conditionskeletonNOTHING"}},
      {"DYING on a standing enemy kills it", false, 0, kActIdle, nullptr, kDying, true, kDying, 0, {kMsgKill},
       {"__conditionskeletonDYING"}},
      {"STONE on a dying enemy is not sent", false, 0, kActDying, nullptr, kStone, true, kStone, 40, {},
       {"__conditionskeletonSTONE"}},
  };
  for (const ConditionCase& c : cases) {
    SCOPED_TRACE(c.what);
    session.hooks.Clear();
    Member(0).hp = 50;
    Member(0).helmet = c.helmet != nullptr ? Id(c.helmet) : kEmptyHelmet;
    Member(0).stateid = static_cast<int32_t>(c.before);
    members[0].m_actionCode = c.action;
    Messages(members[0]).clear();
    Enemy(0).hp = 40;
    Enemy(0).stateid = static_cast<int32_t>(c.before);
    foes[0].m_actionCode = c.action;
    Messages(foes[0]).clear();
    if (c.party) {
      session.SetCondition(Member(0), c.bit, c.set);
      EXPECT_EQ(static_cast<uint32_t>(Member(0).stateid), c.after);
      EXPECT_EQ(Member(0).hp, c.hpAfter);
      EXPECT_EQ(Messages(members[0]), c.messages);
    } else {
      session.SetEnemyCondition(Enemy(0), c.bit, c.set);
      EXPECT_EQ(static_cast<uint32_t>(Enemy(0).stateid), c.after);
      EXPECT_EQ(Enemy(0).hp, c.hpAfter);
      EXPECT_EQ(Messages(foes[0]), c.messages);
    }
    EXPECT_EQ(RaisedConditionHooks(), c.hooks);
  }
}

TEST_F(ConditionsTest, StoneSpawnsItsEffectOnEveryActorAndPetrifiesOnlyThoseNotDying) {
  foes[1].m_actionCode = kActDying;
  session.SetEnemyCondition(Enemy(0), kStone, true);
  session.SetEnemyCondition(Enemy(1), kStone, true);
  session.SetCondition(Member(0), kStone, true);
  EXPECT_EQ(Messages(foes[0]), std::vector<int>{kMsgPetrify});
  EXPECT_TRUE(Messages(foes[1]).empty());
  for (const CSelvarinActor* actor : {static_cast<CSelvarinActor*>(&foes[0]), static_cast<CSelvarinActor*>(&foes[1]),
                                      static_cast<CSelvarinActor*>(&members[0])}) {
    EXPECT_EQ(Effects(*actor), std::vector<int>{226});
  }
}

TEST_F(ConditionsTest, AnUnpoisonableEnemyRefusesPoisonSilentlyButTakesACurse) {
  Enemy(0).attr = 8;
  for (uint32_t poison : {kPoison1, kPoison2, kPoison3}) session.SetEnemyCondition(Enemy(0), poison, true);
  EXPECT_EQ(Enemy(0).stateid, 0);
  EXPECT_TRUE(RaisedConditionHooks().empty());
  session.SetEnemyCondition(Enemy(0), kCurse, true);
  EXPECT_EQ(static_cast<uint32_t>(Enemy(0).stateid), kCurse);
  EXPECT_EQ(RaisedConditionHooks(), std::vector<std::string>{"__conditionskeletonCURSE"});
}

TEST_F(ConditionsTest, ClearingDyingRevivesARemovedMemberBesideThreeButNotFour) {
  for (size_t listed : {4u, 3u}) {
    SCOPED_TRACE(listed);
    Context().m_battleParty.clear();
    for (size_t n = 0; n < listed; ++n) Context().m_battleParty.push_back(&members[1 + n % 2]);
    Member(0).hp = 0;
    Member(0).stateid = static_cast<int32_t>(kDying | kPoison1 | kCurse);
    members[0].m_actionCode = kActRemoved;
    session.SetCondition(Member(0), kDying, false);
    if (listed == 4) {
      EXPECT_EQ(static_cast<uint32_t>(Member(0).stateid), kPoison1 | kCurse);
      EXPECT_EQ(Member(0).hp, 0);
      EXPECT_EQ(members[0].m_actionCode, kActRemoved);
      EXPECT_EQ(Context().m_battleParty.size(), 4u);
    } else {
      EXPECT_EQ(Member(0).stateid, 0);
      EXPECT_EQ(Member(0).hp, 1);
      EXPECT_EQ(members[0].m_actionCode, kActLying);
      EXPECT_EQ(Context().m_battleParty.back(), &members[0]);
      EXPECT_EQ(Context().m_battleParty.size(), 4u);
    }
  }
}

TEST_F(ConditionsTest, WithoutAnActorDyingEmptiesTheRecordAndClearingItGetsUpWithOnePoint) {
  Member(0).battlePtr = nullptr;
  Member(0).shp = 9;
  session.SetCondition(Member(0), kDying, true);
  EXPECT_EQ(Member(0).hp, 0);
  EXPECT_EQ(Member(0).shp, 0);
  Member(0).stateid |= static_cast<int32_t>(kPoison2);
  session.SetCondition(Member(0), kDying, false);
  EXPECT_EQ(Member(0).stateid, 0);
  EXPECT_EQ(Member(0).hp, 1);
}

TEST_F(ConditionsTest, HooksFromIndexZeroRaiseEveryHeldBitAndOthersOnlyTheFirstFromTheirOwn) {
  const uint32_t held = kPoison2 | kCurse | kDying;
  session.RaiseConditionHooks("ai", held, 0);
  EXPECT_EQ(RaisedConditionHooks(), (std::vector<std::string>{"__conditionaiCURSE", "__conditionaiDYING",
                                                              "__conditionaiPOISON2"}));
  session.hooks.Clear();
  session.RaiseConditionHooks("ai", held, ConditionIndex(kPoison3));
  EXPECT_EQ(RaisedConditionHooks(), std::vector<std::string>{"__conditionaiCURSE"});
  session.hooks.Clear();
  session.RaiseConditionHooks("ai", 0, 0);
  EXPECT_EQ(RaisedConditionHooks(), std::vector<std::string>{"__conditionaiNOTHING"});
  Member(1).stateid = static_cast<int32_t>(held);
  EXPECT_TRUE(session.HasCondition(Member(1), kPoison1 | kCurse));
  EXPECT_FALSE(session.HasCondition(Member(1), kPoison1 | kStone));
}

}  // namespace
