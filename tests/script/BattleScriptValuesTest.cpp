// The words of battle expressions read and written over a small battle, the
// battle's way of reading words, and the triggers of event blocks.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

#include "script/BattleEventTrigger.h"
#include "script/BattleScriptValues.h"
#include "tests/script/BattleScriptFixture.h"

namespace {

class BattleScriptValuesTest : public BattleScriptTest {
 protected:
  BattleScriptValuesTest() {
    AddBoth();
    // An enemy that goes by a character's name: the character decides.
    AddEnemy("ai", 1, 77);
    session.battleVariables.Set("round", 3);
    session.scriptVariables.Set("story", 7);
  }
};

TEST_F(BattleScriptValuesTest, WordsReadTheSessionAndCreateWhatTheyRead) {
  const struct {
    const char* word;
    int32_t value;
    const char* logged;
  } cases[] = {
      {"#gold", 1234, nullptr},
      {"#sword", 2, nullptr},  // the stored count: the one sizz wears is not counted
      {"#nothing", 0, nullptr},
      {"%sizz", 10, nullptr},
      {"%nobody", 0, nullptr},
      {"@itemnumber약초", 5, nullptr},
      {"@actormaxhp늑대", 60, nullptr},
      {"@actorhpsizz", 40, nullptr},
      {"@actorbpsizz", 5, nullptr},
      {"@actorhpai", 41, nullptr},  // the character, not enemy slot 1
      {"@actorhp늑대", 30, nullptr},
      {"@actorhpghost", -1, "ghost 이없음"},
      {"@enemynumber", 2, nullptr},
      {"@staticstory", 7, nullptr},
      {"@sizz", 1, nullptr},
      {"@ai", 0, nullptr},  // not in the party
      {"round", 3, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word);
    testsupport::DebugLogCapture log;
    EXPECT_EQ(GetBattleScriptValue(c.word), c.value);
    if (c.logged != nullptr) {
      EXPECT_TRUE(log.Contains(c.logged));
    }
  }
  // Reading creates a battle variable and a story variable; the field's
  // reading does not.
  EXPECT_EQ(GetBattleScriptValue("fresh"), 0);
  EXPECT_TRUE(session.battleVariables.Contains("fresh"));
  EXPECT_EQ(GetBattleScriptValue("@staticnew"), 0);
  EXPECT_TRUE(session.scriptVariables.Contains("new"));
  EXPECT_EQ(GetFieldScriptValue("unseen"), 0);
  EXPECT_FALSE(session.scriptVariables.Contains("unseen"));
}

TEST_F(BattleScriptValuesTest, AllDeadCountsDyingAndDefeatedEnemiesAsGone) {
  session.enemies[1] = EnemySlot{};  // only the wolf
  const struct {
    int32_t action;
    int32_t allDead;
  } cases[] = {{kActIdle, 0}, {kActDying, 1}, {kActDefeated, 1}, {kActRemoved, 0}};
  for (const auto& c : cases) {
    m_wolf->SetAction(c.action);
    EXPECT_EQ(GetBattleScriptValue("@alldead"), c.allDead) << c.action;
    EXPECT_EQ(EvalBattleCondition("if @alldead = 1"), c.allDead) << c.action;
  }
}

TEST_F(BattleScriptValuesTest, WordsWriteWhereTheyPointOrOnlyLog) {
  const struct {
    const char* word;
    int32_t value;
    std::function<int32_t(CSession&)> stored;  // null: only a log line
    const char* logged;
  } cases[] = {
      {"#gold", 5000000, [](CSession& s) { return s.gold; }, nullptr},  // no cap
      {"#약초", 9, [](CSession& s) { return s.inventory[kHerb]; }, nullptr},
      {"%peach", 20, [](CSession& s) { return s.players[2].lvl; }, nullptr},
      {"@itemnumbersword", 1, [](CSession& s) { return s.inventory[kSword]; }, nullptr},
      {"@actormaxhpsizz", 99, [](CSession& s) { return s.players[0].maxhp; }, nullptr},
      {"@actorhp늑대", 1, [](CSession& s) { return s.enemies[0].hp; }, nullptr},
      {"@actorbp늑대", 0, [](CSession& s) { return s.enemies[0].shp; }, nullptr},
      {"@staticstory", 8, [](CSession& s) { return s.scriptVariables.Get("story"); }, nullptr},
      {"round", 4, [](CSession& s) { return s.battleVariables.Get("round"); }, nullptr},
      {"@alldead", 1, nullptr, "cannot set value enemynumber"},
      {"@enemynumber", 1, nullptr, "cannot set value enemynumber"},
      {"@sizz", 1, nullptr, "cannot set value partyname"},
      {"@actorhpghost", 1, nullptr, "ghost 이없음"},
      {"#nothing", 1, nullptr, nullptr},
      {"%nobody", 1, nullptr, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word);
    session.inventoryChanged = 0;
    testsupport::DebugLogCapture log;
    SetBattleScriptValue(c.word, c.value);
    if (c.stored) {
      EXPECT_EQ(c.stored(session), c.value);
    }
    if (c.logged != nullptr) {
      EXPECT_TRUE(log.Contains(c.logged));
    }
  }
  EXPECT_EQ(session.enemyCount, 2);
  EXPECT_FALSE(session.battleVariables.Contains("#nothing"));
  EXPECT_EQ(session.players[0].lvl, 10);

  // The steps read and write through the same words; sums wrap.
  IncBattleScriptValue("round");
  AddBattleScriptValue(10, "@staticstory");
  SubBattleScriptValue(3, "#약초");
  DecBattleScriptValue("counter");
  EXPECT_EQ(session.battleVariables.Get("round"), 5);
  EXPECT_EQ(session.scriptVariables.Get("story"), 18);
  EXPECT_EQ(session.inventory[kHerb], 6);
  EXPECT_EQ(session.battleVariables.Get("counter"), -1);
  SetBattleScriptValue("big", INT_MAX);
  IncBattleScriptValue("big");
  EXPECT_EQ(session.battleVariables.Get("big"), INT_MIN);
}

TEST_F(BattleScriptValuesTest, AnUnderscoreEndsABattleWordButNotAFieldWord) {
  session.battleVariables.Set("a", 5);
  EvalBattleCondition("if a_b = 0");
  EXPECT_FALSE(session.battleVariables.Contains("a_b"));
  EXPECT_EQ(session.battleVariables.Get("a"), 5);
  session.scriptVariables.Set("a_b", 3);
  EXPECT_EQ(EvalCondition("if a_b = 3"), 1);
  // Each copy keeps its own value cell.
  g_exprTokenValue = 11;
  EXPECT_EQ(EvalBattleCondition("if round = 3"), 1);
  EXPECT_EQ(g_exprTokenValue, 11);
}

TEST_F(BattleScriptValuesTest, KeyedTriggersConsumeTheirHookAndRandomRollsEachTime) {
  const struct {
    const char* trigger;
    const char* first;
    const char* second;
    const char* hook;  // raised before; null: none
    int holds;
    const char* logged;
  } cases[] = {
      {"death", "sizz", "", "__deathsizz", 1, nullptr},
      {"turn", "sizz", "3", "__turnsizz3", 1, nullptr},
      {"turn", "sizz", "3", "__turnsizz2", 0, nullptr},
      {"condition", "늑대", "4", "__condition늑대PANIC", 1, nullptr},
      {"condition", "늑대", "9", "__condition늑대NOTHING", 0, "condition"},
      {"condition", "늑대", "-1", "__condition늑대NOTHING", 0, "condition"},
      {"magicattack", "sizz", "fire", "__magicattacksizzfire", 1, nullptr},
      {"skillattack", "sizz", "cut", "__skillattacksizzcut", 1, nullptr},
      {"itemattack", "sizz", "bomb", "__itemattacksizzbomb", 1, nullptr},
      {"itemuse", "sizz", "herb", "__itemusesizzherb", 1, nullptr},
      {"equipuse", "sizz", "7", "__equipusesizz7", 1, nullptr},
      {"equiprelease", "sizz", "7", "__equipreleasesizz7", 1, nullptr},
      {"dance", "sizz", "", "__dancesizz", 0, "Unknown event"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.trigger) + " " + c.hook);
    session.hooks.Clear();
    session.hooks.Set(c.hook, 1);
    testsupport::DebugLogCapture log;
    EXPECT_EQ(ParseBattleEventTrigger(c.trigger, c.first, c.second), c.holds);
    // Fired once: the hook is down and the next test fails.
    EXPECT_EQ(session.hooks.Get(c.hook), c.holds != 0 ? 0 : 1);
    if (c.holds != 0) {
      EXPECT_EQ(ParseBattleEventTrigger(c.trigger, c.first, c.second), 0);
    }
    if (c.logged != nullptr) {
      EXPECT_TRUE(log.Contains(c.logged));
    }
  }
  session.hooks.Clear();
  EXPECT_EQ(ParseBattleEventTrigger("death", "sizz", ""), 0);
  EXPECT_FALSE(session.hooks.Contains("__deathsizz"));

  platform::QueueRand({29, 30, 129});
  EXPECT_EQ(ParseBattleEventTrigger("random", "30", ""), 1);
  EXPECT_EQ(ParseBattleEventTrigger("random", "30", ""), 0);
  EXPECT_EQ(ParseBattleEventTrigger("random", "30", ""), 1);
}

}  // namespace
