// The conditions of "if" lines and the variable operations over a small
// session: gold, an item carried and worn, a party of two with levels.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "script/ScriptExpression.h"
#include "script/ScriptVariables.h"
#include "session/ItemMgr.h"
#include "session/Session.h"
#include "tests/support/GameFolder.h"

namespace {

std::string ItemBlock(const std::string& name, int kind) {
  return "#item < " + name + " > < > 0 " + name + "\n#type " + std::to_string(kind) + "\n#end\n";
}

class ScriptExpressionTest : public GameFolderTest {
 protected:
  static constexpr int kSword = 7;
  static constexpr int kHerb = 8;

  void SetUp() override {
    std::string items;
    const int emptyKinds[7] = {2, 3, 0, 1, 4, 6, 5};
    for (int i = 0; i < 7; ++i) items += ItemBlock("empty" + std::to_string(i), emptyKinds[i]);
    items += ItemBlock("sword", 0) + ItemBlock("약초", 8);
    Write("data/diary/item.txt", items);
    ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    session.Init();
    const char* names[] = {"sizz", "ai", "peach"};
    const int levels[] = {12, 30, 7};
    for (int id = 0; id < 3; ++id) {
      session.players[static_cast<size_t>(id)].engname = names[id];
      session.players[static_cast<size_t>(id)].lvl = levels[id];
    }
    ASSERT_EQ(session.JoinPlayer(2), 1);  // sizz and peach
    session.gold = 1234;
    session.inventory[kSword] = 2;
    session.players[0].weapon = kSword;
    session.inventory[kHerb] = 5;
    ScriptVariables& variables = session.scriptVariables;
    variables.Clear();
    variables.Set("x", 2);
    variables.Set("Flag", 1);
    variables.Set("big", INT_MAX);
    variables.Set("a-b", 4);
    variables.Set("PARTY", 9);
  }
  void TearDown() override {
    session.scriptVariables.Clear();
    CItemMgr::GetInstance().Free();
  }

  CSession& session = CSession::GetInstance();
};

TEST_F(ScriptExpressionTest, ConditionsOverTheSession) {
  const struct {
    const char* line;
    int32_t value;
    const char* logged;  // null: nothing expected
  } cases[] = {
      {"if never", 0, nullptr},
      {"if never = 0", 1, nullptr},
      {"if x = 2", 1, nullptr},
      {"IF x = 2 // trailing words are ignored", 1, nullptr},
      {"if x + 1 = 3", 1, nullptr},
      {"if x - 3 > x", 0, nullptr},
      {"if x + 1 + 1 = 4", 0, "수식 오류"},
      {"if !x = 1", 0, nullptr},
      {"if !never = 1", 1, nullptr},
      {"if !x + 1", 0, nullptr},  // "!" takes the whole term
      {"if x != 2", 0, nullptr},
      {"if x!=3", 1, nullptr},
      {"if (x = 2) & (#gold > 1000)", 1, nullptr},
      {"if (x = 2) & (#gold > 2000)", 0, nullptr},
      {"if (x = 3) | (#gold < 2000)", 1, nullptr},
      {"if never | x", 1, nullptr},
      {"if (x)", 0, "닫는 괄호가 빠짐"},
      {"if !(x = 2)", 0, nullptr},
      {"if )", 0, "수식 오류2"},
      {"if x ? 2", 0, "수식 오류"},  // "?" starts nothing: an empty word
      {"if", 0, nullptr},
      {"if #gold", 1234, nullptr},
      {"if #sword = 3", 1, nullptr},  // two carried and one worn
      {"if #약초", 5, nullptr},
      {"if #nothing", 0, nullptr},
      {"if @partynumber = 2", 1, nullptr},
      {"if @thepartynumbers", 2, nullptr},
      {"if @peach", 1, nullptr},
      {"if @Peach", 0, nullptr},
      {"if @ai", 0, nullptr},  // not in the party
      {"if %ai = 30", 1, nullptr},
      {"if %nobody", 0, nullptr},
      {"if Flag = 1", 1, nullptr},
      {"if flag = 1", 0, nullptr},  // variables are case-sensitive
      {"if PARTY", 0, nullptr},     // but keywords are not: no variable read
      {"if Party = 0", 1, nullptr},
      {"if a-b = 4", 1, nullptr},  // one name
      {"if big + 1 < 0", 1, nullptr},
      {"if 99999999999 = 2147483647", 1, nullptr},
  };
  for (const auto& c : cases) {
    testsupport::DebugLogCapture log;
    EXPECT_EQ(EvalCondition(c.line), c.value) << c.line;
    if (c.logged != nullptr) {
      EXPECT_TRUE(log.Contains(c.logged)) << c.line;
    }
  }
  // Reading never creates.
  EXPECT_FALSE(session.scriptVariables.Contains("never"));
  EXPECT_FALSE(session.scriptVariables.Contains("flag"));
}

TEST_F(ScriptExpressionTest, TheLexerReadsOperatorsWordsAndTheEnd) {
  const struct {
    const char* text;
    std::vector<int> codes;
  } cases[] = {
      {"!= ! =", {kExprNotEqual, kExprNot, kExprEqual, kExprEnd}},
      {"a-b -5", {kExprWord, kExprMinus, kExprNumber, kExprEnd}},
      {"Party ITEM If ElseIf", {kExprParty, kExprItem, kExprIf, kExprElseIf, kExprEnd}},
      {"<>&|()+", {kExprLess, kExprGreater, kExprAnd, kExprOr, kExprOpen, kExprClose, kExprPlus, kExprEnd}},
      {"  \t", {kExprEnd, kExprEnd, kExprEnd}},
  };
  for (const auto& c : cases) {
    size_t position = 0;
    std::vector<int> codes;
    for (size_t i = 0; i < c.codes.size(); ++i) codes.push_back(ReadExprToken(c.text, position));
    EXPECT_EQ(codes, c.codes) << c.text;
  }
  // A byte that starts nothing stays unread.
  size_t position = 2;
  g_exprTokenValue = 7;
  EXPECT_EQ(ReadExprToken("x ?", position), kExprNumber);
  EXPECT_EQ(g_exprTokenValue, 0);
  EXPECT_EQ(position, 2u);
  // Operators leave the value alone; numbers and words set it.
  position = 0;
  EXPECT_EQ(ReadExprToken("42 +", position), kExprNumber);
  EXPECT_EQ(ReadExprToken("42 +", position), kExprPlus);
  EXPECT_EQ(g_exprTokenValue, 42);
  position = 0;
  ReadExprToken("#gold", position);
  EXPECT_EQ(g_exprTokenValue, 1234);
}

TEST_F(ScriptExpressionTest, DeepNestingIsAFaultyConditionNotADeepStack) {
  testsupport::DebugLogCapture log;
  const std::string deep = "if " + std::string(100000, '(') + "1 = 1";
  EXPECT_EQ(EvalCondition(deep.c_str()), 0);
  EXPECT_TRUE(log.Contains("수식 오류"));
  EXPECT_EQ(EvalCondition(("if " + std::string(100000, '!') + "x").c_str()), 0);
}

TEST_F(ScriptExpressionTest, TheChangersReadValueWordsAndStoreUnderTheLiteralName) {
  IncScriptVariable("%ai");
  EXPECT_EQ(session.scriptVariables.Get("%ai"), 31);
  EXPECT_EQ(session.players[1].lvl, 30);
  EXPECT_EQ(GetFieldScriptValue("%ai"), 30);  // the word still reads the level
  AddScriptVariable(10, "#gold");
  EXPECT_EQ(session.scriptVariables.Get("#gold"), 1244);
  EXPECT_EQ(session.gold, 1234);
  IncScriptVariable("big");
  EXPECT_EQ(GetFieldScriptValue("big"), INT_MIN);
  DecScriptVariable("big");
  EXPECT_EQ(GetFieldScriptValue("big"), INT_MAX);
  SubScriptVariable(INT_MIN, "fresh");
  EXPECT_EQ(GetFieldScriptValue("fresh"), INT_MIN);
  SetScriptVariable(-3, "x");
  EXPECT_EQ(GetFieldScriptValue("x"), -3);
}

}  // namespace
