// The event-script interpreter's loop and control words on a frame with
// recording actors, a model and a map event.
#include <gtest/gtest.h>

#include "session/Session.h"
#include "tests/script/ScriptFixture.h"
#include "tools/lib/MapSource.h"

namespace {

using Markers = std::vector<std::string>;

class EventScriptTest : public ScriptTest {
 protected:
  EventScriptTest() { CSession::GetInstance().scriptVariables.Clear(); }
  ~EventScriptTest() override { CSession::GetInstance().scriptVariables.Clear(); }
};

TEST_F(EventScriptTest, AFalseIfSkipsANestedBlockToItsOwnElse) {
  RecordingActor& elder = AddActor("elder");
  const Markers trace = Run(
      "if never = 1\n"
      "  error #a\n"
      "  if never = 0\n"
      "    error #b\n"
      "  else\n"
      "    error #c\n"
      "  endif\n"
      "else\n"
      "  error #d\n"
      "endif\n"
      "error #e\n"
      "return\n");
  EXPECT_EQ(trace, (Markers{"#d", "#e"}));
  EXPECT_TRUE(m_position.m_conditions.empty());
  EXPECT_EQ(elder.messages, (std::vector<RecordedMessage>{{14, 0, 0, 0}}));
}

TEST_F(EventScriptTest, EachBranchOfAnIfElseifElseRunsAloneAndLeavesNoEntry) {
  const char* script =
      "if x = 1\n"
      "error #one\n"
      "elseif x = 2\n"
      "error #two\n"
      "elseif x = 2\n"
      "error #again\n"
      "else\n"
      "error #other\n"
      "endif\n"
      "error #after\n";
  const struct {
    int x;
    Markers trace;
  } cases[] = {
      {1, {"#one", "#after"}},
      {2, {"#two", "#after"}},
      {3, {"#other", "#after"}},
  };
  for (const auto& c : cases) {
    CSession::GetInstance().scriptVariables.Set("x", c.x);
    EXPECT_EQ(Run(script), c.trace) << c.x;
    EXPECT_TRUE(m_position.m_conditions.empty()) << c.x;
  }
}

TEST_F(EventScriptTest, BlankAndCommentLinesDoNotDisturbTheSkips) {
  const Markers trace = Run(
      "if never\n"
      "// if\n"
      "   \n"
      "  IF other\n"
      "  // endif\n"
      "  ENDIF\n"
      "\n"
      "else // if\n"
      "error #else\n"
      "endif\n");
  EXPECT_EQ(trace, (Markers{"#else"}));
  EXPECT_TRUE(m_position.m_conditions.empty());
}

TEST_F(EventScriptTest, ConditionsStayOpenAcrossRunsOnTheCallersStack) {
  RecordingActor& elder = AddActor("elder");
  UseScript(
      "if never = 0\n"
      "delay 5\n"
      "else\n"
      "error #else\n"
      "endif\n"
      "error #after\n");
  EXPECT_TRUE(RunFrom(0).empty());
  ASSERT_EQ(m_position.m_conditions.size(), 1u);
  EXPECT_EQ(elder.messages, (std::vector<RecordedMessage>{{17, 5, 2, 0}}));
  // Resumed where the delay said: the taken branch's "else" skips to the end.
  EXPECT_EQ(RunFrom(2), (Markers{"#after"}));
  EXPECT_TRUE(m_position.m_conditions.empty());
}

TEST_F(EventScriptTest, CommandWordsMatchInAnyCaseButConditionsReadTheRawLine) {
  const Markers trace = Run(
      "SET Flag 1\n"
      "IF Flag = 1\n"
      "ERROR #Capitals\n"
      "ELSEIF flag = 1\n"
      "Error #small\n"
      "EndIf\n");
  EXPECT_EQ(trace, (Markers{"#small"}));
  EXPECT_EQ(CSession::GetInstance().scriptVariables.Get("flag"), 1);
  EXPECT_FALSE(CSession::GetInstance().scriptVariables.Contains("Flag"));
}

TEST_F(EventScriptTest, AMisspeltWordEndsTheRunThere) {
  EXPECT_EQ(Run("error #a\nretrun\nerror #b\n"), (Markers{"#a"}));
  EXPECT_TRUE(Logged("Unknown Command retrun"));
  // An "endchoose" met in sequence is no command either.
  EXPECT_EQ(Run("endchoose\nerror #b\n"), Markers{});
  EXPECT_TRUE(Logged("Unknown Command endchoose"));
}

TEST_F(EventScriptTest, StrayElseAndEndifReadZeroAndPopNothing) {
  m_position.m_conditions.clear();
  EXPECT_EQ(Run("endif\nelse\nerror #a\nendif\nreturn\n"), (Markers{"#a"}));
  EXPECT_TRUE(Logged("endif without an open if"));
  EXPECT_TRUE(Logged("else without an open if"));
  EXPECT_TRUE(m_position.m_conditions.empty());
  // A stray "elseif" opens its own entry, which its "endif" closes.
  EXPECT_EQ(Run("elseif 1\nerror #b\nendif\n"), (Markers{"#b"}));
  EXPECT_TRUE(m_position.m_conditions.empty());
}

TEST_F(EventScriptTest, RunsAndSkipsStopAtTheLastLine) {
  const struct {
    const char* script;
    int start;
    Markers trace;
  } cases[] = {
      {"if never\nerror #a\n", 0, {}},           // no "endif"
      {"if 1\nerror #a\nelse\nerror #b\n", 0, {"#a"}},
      {"break\nerror #a\n", 0, {}},              // no "endchoose"
      {"error #a\n", 1, {}},                     // past the end
      {"error #a\n", -1, {}},
      {"error #a\nerror #b", 1, {"#b"}},         // no final newline or ending word
  };
  for (const auto& c : cases) {
    m_position.m_conditions.clear();
    EXPECT_EQ(Run(c.script, "elder", c.start), c.trace) << c.script << " from " << c.start;
  }
}

TEST_F(EventScriptTest, ReturnTellsTheActorByNameAndTheModelByResourceName) {
  RecordingActor& elder = AddActor("elder");
  RecordingModel& model = AddModel("elder");
  MapEvent& box = AddBox("elder");
  box.m_requestLine = 3;
  EXPECT_EQ(Run("return\nerror #after\n"), Markers{});
  EXPECT_EQ(elder.messages, (std::vector<RecordedMessage>{{14, 0, 0, 0}}));
  EXPECT_EQ(model.messages, (std::vector<RecordedMessage>{{14, 0, 0, 0}}));
  EXPECT_EQ(box.m_requestLine, 3);
  EXPECT_EQ(box.m_countdown, 0);
}

TEST_F(EventScriptTest, DelayGoesToTheFirstOwnerFoundAndEndsTheRun) {
  const char* script = "error #a\ndelay 30\nerror #b\n";
  {
    RecordingModel& model = AddModel("door");
    MapEvent& box = AddBox("door");
    EXPECT_EQ(Run(script, "door"), (Markers{"#a"}));
    EXPECT_EQ(model.messages, (std::vector<RecordedMessage>{{17, 30, 2, 0}}));
    EXPECT_EQ(box.m_countdown, 0);
  }
  {
    MapEvent& box = AddBox("gate");
    Run(script, "gate");
    EXPECT_EQ(box.m_countdown, 30);
    EXPECT_EQ(box.m_timerLine, 2);
  }
  // A frame script: nothing has the empty name.
  EXPECT_EQ(Run(script, ""), (Markers{"#a"}));
  EXPECT_TRUE(Logged("oops : delay command has no revelant owner"));
}

TEST_F(EventScriptTest, ChooseFillsTheChoiceListAndMakesTheSubjectAndThePlayerWait) {
  RecordingActor& player = AddPlayer();
  RecordingActor& elder = AddActor("elder");
  RecordingModel& model = AddModel("elder");
  AddBox("elder");
  EXPECT_EQ(Run("error #a\nchoose Yes \"Not now\"\nerror #b\n"), (Markers{"#a"}));
  CSelvarinFrame& frame = Frame();
  EXPECT_EQ(frame.m_choiceCount, 2);
  EXPECT_EQ(frame.m_choiceTexts[0], "yes");
  EXPECT_EQ(frame.m_choiceTexts[1], "not now");
  EXPECT_EQ(frame.m_choiceSelected, 0);
  EXPECT_EQ(frame.m_choiceLine, 1);
  EXPECT_EQ(frame.m_choiceSpeaker, "elder");
  EXPECT_EQ(frame.m_pMessageVillager, &elder);
  EXPECT_EQ(elder.messages, (std::vector<RecordedMessage>{{12, 2, 0, 0}}));
  EXPECT_TRUE(model.messages.empty());
  EXPECT_EQ(player.messages, (std::vector<RecordedMessage>{{12, 0, 0, 0}}));
}

TEST_F(EventScriptTest, ChooseTellsTheBoxBeforeTheModelAndKeepsTenTexts) {
  RecordingModel& model = AddModel("well");
  MapEvent& box = AddBox("well");
  Run("choose a b c d e f g h i j k\n", "well");
  EXPECT_EQ(Frame().m_choiceCount, 10);
  EXPECT_EQ(Frame().m_choiceTexts[9], "j");
  EXPECT_TRUE(Logged("choose: 11 texts"));
  EXPECT_EQ(box.m_requestLine, 1);
  EXPECT_EQ(Frame().m_pMessageEvent, &box);
  EXPECT_TRUE(model.messages.empty());

  RecordingModel& statue = AddModel("statue");
  Run("\nchoose x\n", "statue");
  EXPECT_EQ(statue.messages, (std::vector<RecordedMessage>{{12, 2, 0, 0}}));
  EXPECT_EQ(Frame().m_pMessage3dActor, &statue);
  EXPECT_EQ(Frame().m_pMessageEvent, nullptr);
}

TEST_F(EventScriptTest, BreakSkipsPastTheMatchingEndchooseOverANestedOne) {
  UseScript(
      "choose a b\n"    // 0
      "case 1\n"        // 1
      "error #one\n"    // 2
      "break\n"         // 3
      "case 2\n"        // 4
      "choose c d\n"    // 5
      "case 1\n"        // 6
      "break\n"         // 7
      "endchoose\n"     // 8
      "break\n"         // 9
      "endchoose\n"     // 10
      "error #after\n"  // 11
      "return\n");
  EXPECT_EQ(RunFrom(1), (Markers{"#one", "#after"}));
  EXPECT_EQ(RunFrom(6), (Markers{"#after"}));
}

TEST_F(EventScriptTest, AnActorAnsweringAMessageMayRunAScriptOfItsOwn) {
  RecordingActor& elder = AddActor("elder");
  ScriptPosition own;
  elder.answer = [&](int code, intptr_t) {
    if (code == 14) Frame().RunEventScript(3, "nobody", own);
  };
  EXPECT_EQ(Run("if 1\nreturn\nerror #never\nerror #inner\n"), (Markers{"#inner"}));
  EXPECT_EQ(m_position.m_conditions.size(), 1u);
  EXPECT_TRUE(own.m_conditions.empty());
}

TEST_F(EventScriptTest, TheVariableWordsChangeTheSessionsVariables) {
  ScriptVariables& variables = CSession::GetInstance().scriptVariables;
  Run("set a 5\ninc a\nadd a 10\nsub a 3\ndec a\nset big 2147483647\ninc big\nprint a\n");
  EXPECT_EQ(variables.Get("a"), 12);
  EXPECT_EQ(variables.Get("big"), INT32_MIN);
  EXPECT_TRUE(Logged("a = 12"));
}

TEST_F(EventScriptTest, ActionModeOffShowsTheWholePartyAgain) {
  RecordingActor& player = AddPlayer();
  Context().m_partyChain.push_back(&player);
  player.m_visible = 0;
  Run("actionmode 1\n");
  EXPECT_EQ(g_actionMode, 1);
  EXPECT_EQ(player.m_visible, 0);
  Run("actionmode\nactionmode 0\n");
  EXPECT_TRUE(Logged("Syntax Error: actionmode (1==On or 0==Off)"));
  EXPECT_EQ(g_actionMode, 0);
  EXPECT_EQ(player.m_visible, 1);
  Context().m_partyChain.clear();
}

// The sample village's talk: the first choice; the first answer's walk, and
// the second answer's delay, second choice and warp; no word unknown on the
// way.
class SampleTalkTest : public EventScriptTest {
 protected:
  void SetUp() override {
    std::vector<slvtools::DataFile> files;
    std::string error;
    ASSERT_TRUE(slvtools::BuildMapSource(testsupport::ReadFile(testsupport::SourceDir() / "data/maps/village.map"),
                                         "village", &files, &error))
        << error;
    for (const slvtools::DataFile& file : files) {
      if (file.name == "village.scr") UseScript(file.bytes);
    }
    ASSERT_NE(Context().m_script, nullptr);
  }
  // Runs from a line and checks that no word was unknown.
  void Resume(int line) {
    RunFrom(line);
    EXPECT_FALSE(Logged("Unknown Command")) << line;
  }
  // Past the elder's greeting to his first choice.
  void Greet(RecordingActor& elder) {
    Resume(Context().m_script->FindLine("elder::Talk") + 1);
    ASSERT_EQ(elder.messages.size(), 1u);
    EXPECT_EQ(elder.messages[0].code, 12);
    Resume(static_cast<int>(elder.messages[0].a));
    ASSERT_EQ(Frame().m_choiceCount, 3);
    EXPECT_EQ(Frame().m_choiceTexts[1], "안녕히 계세요.");
    elder.messages.clear();
  }
  // The line of the n-th "case" of the open choice.
  int CaseLine(int n) {
    int line = Frame().m_choiceLine;
    for (int found = 0; found < n;) found += Context().m_script->GetLine(++line).find("case") != std::string::npos;
    return line;
  }
};

TEST_F(SampleTalkTest, TheElderWalksForTheFirstAnswer) {
  RecordingActor& player = AddPlayer();
  RecordingActor& elder = AddActor("elder");
  Greet(elder);
  Resume(CaseLine(1));
  EXPECT_EQ(Frame().m_playLock, 1);
  ASSERT_EQ(elder.messages.size(), 2u);
  EXPECT_EQ(elder.messages[0], (RecordedMessage{21, 1, 60, 0}));
  EXPECT_EQ(elder.messages[1].code, 4);
  EXPECT_EQ(elder.messages[1].a, 30);
  EXPECT_EQ(elder.messages[1].b, 70);
  // On arrival.
  Resume(static_cast<int>(elder.messages[1].c));
  EXPECT_EQ(elder.messages[2], (RecordedMessage{5, 180, 0, 0}));
  EXPECT_EQ(elder.messages[3].code, 14);
  EXPECT_EQ(Frame().m_playLock, 0);
  // Held since the choice, the leader walks again when the talk ends.
  ASSERT_FALSE(player.messages.empty());
  EXPECT_EQ(player.messages.back().code, 13);
}

TEST_F(SampleTalkTest, TheSecondAnswerWaitsThenAsksAgainAndWarps) {
  RecordingActor& player = AddPlayer();
  RecordingActor& elder = AddActor("elder");
  Greet(elder);
  Resume(CaseLine(2));
  ASSERT_EQ(elder.messages.size(), 1u);
  EXPECT_EQ(elder.messages[0].code, 17);
  EXPECT_EQ(elder.messages[0].a, 30);
  player.messages.clear();
  Resume(static_cast<int>(elder.messages[0].b));
  EXPECT_EQ(Frame().m_choiceCount, 2);
  EXPECT_EQ(Frame().m_choiceTexts[0], "마을 문까지 데려다 주세요.");
  EXPECT_EQ(player.messages.size(), 1u);
  Resume(CaseLine(1));
  ASSERT_EQ(player.messages.size(), 2u);
  EXPECT_EQ(player.messages[1].code, 13);
  EXPECT_EQ(Frame().m_transKind, 1);
  EXPECT_EQ(Frame().m_transYaw, 90.0f);
  EXPECT_EQ(Frame().m_warpPos.z, 80.0f);
}

// Each wait of the third answer resumed where the elder was told, up to
// his return: the notices, the present, the farewell, its key and the close.
TEST_F(SampleTalkTest, TheThirdAnswerGivesAndClosesTheWindow) {
  RecordingActor& player = AddPlayer();
  RecordingActor& elder = AddActor("elder");
  Greet(elder);
  int third = Frame().m_choiceLine;
  while (Context().m_script->GetLine(++third).find("case 3") == std::string::npos) {
  }
  Resume(third);
  ASSERT_FALSE(elder.messages.empty());
  for (int waits = 0; waits < 10 && elder.messages.back().code == 12; ++waits) {
    Resume(static_cast<int>(elder.messages.back().a));
  }
  EXPECT_EQ(elder.messages.size(), 5u);  // two notices, the farewell and its key; then the return
  EXPECT_EQ(elder.messages.back().code, 14);
  EXPECT_EQ(Frame().m_messageState, 4);
  EXPECT_EQ(player.messages.back().code, 13);
  EXPECT_EQ(Frame().m_pictureSlotNames[0], "gift.tga");
  EXPECT_EQ(Frame().m_pictureSlotCounters[0], 1);
}

}  // namespace
