// Runs of battle event scripts over a small battle: event blocks on their
// hooks, the stacks, the message window, orders to the participants and
// the battle's own commands, and the battle mode that starts, resumes and
// ends the runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "engine/Controller.h"
#include "engine/Mouse.h"
#include "field/PlayerStart.h"
#include "field/SelvarinView.h"
#include "script/BattleScriptValues.h"
#include "tests/script/BattleScriptFixture.h"

namespace {

class BattleEventScriptTest : public BattleScriptTest {
 protected:
  BattleEventScriptTest() { AddBoth(); }

  bool Logged(const std::string& fragment) const {
    return std::any_of(m_log.begin(), m_log.end(),
                       [&](const std::string& l) { return l.find(fragment) != std::string::npos; });
  }
  // The messages a participant got, less the gauge orders every run gives.
  static std::vector<RecordedMessage> Orders(const std::vector<RecordedMessage>& messages) {
    std::vector<RecordedMessage> orders;
    for (const RecordedMessage& m : messages) {
      if (m.code != kMsgStopGauge && m.code != kMsgRunGauge) orders.push_back(m);
    }
    return orders;
  }
  // A battle tick of the battle mode with no drawing.
  void Tick() {
    testsupport::DebugLogCapture log;
    Frame().RunBattle();
    for (const std::string& line : log.Lines()) m_log.push_back(line);
  }
  void Confirm() { CMouse::GetInstance().m_mouseButtons[0] = kStatePressed; }
};

TEST_F(BattleEventScriptTest, BlocksFireOncePerRaisedHookAndSkipWhenFalse) {
  const struct {
    const char* what;
    const char* script;
    std::function<void(CSession&)> before;  // before each of the runs
    int runs;
    int fired;  // the battle variable "fired" afterwards
  } cases[] = {
      {"a death hook fires its block once", "event death sizz\ninc fired\nendevent\nreturn",
       [](CSession& s) {
         if (s.battleVariables.Get("runs") == 0) s.RaiseDeathHook("sizz");
         s.battleVariables.Set("runs", 1);
       },
       3, 1},
      {"each raise fires again", "event death sizz\ninc fired\nendevent\nreturn",
       [](CSession& s) { s.RaiseDeathHook("sizz"); }, 3, 3},
      {"the third turn's hook", "event turn sizz 3\ninc fired\nendevent\nreturn",
       [](CSession& s) {
         s.RaiseTurnHook("sizz", s.battleVariables.Get("turn") + 1);
         s.battleVariables.Set("turn", s.battleVariables.Get("turn") + 1);
       },
       4, 1},
      {"a false block is skipped to its endevent, ifs and all",
       "event death ghost\nif 1 = 1\ninc fired\nelse\ninc fired\nendif\nendevent\nreturn", nullptr, 2, 0},
      {"a true block runs its ifs", "event death sizz\nif 1 = 1\ninc fired\nelse\ninc wrong\nendif\nendevent\nreturn",
       [](CSession& s) { s.RaiseDeathHook("sizz"); }, 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    session.battleVariables.Clear();
    session.hooks.Clear();
    UseScript(c.script);
    for (int i = 0; i < c.runs; ++i) {
      if (c.before) c.before(session);
      Frame().m_battleConditions.clear();
      Frame().m_battleEvents.clear();
      RunBattleFrom(0);
      EXPECT_TRUE(Frame().m_battleConditions.empty());
      EXPECT_TRUE(Frame().m_battleEvents.empty());
      EXPECT_EQ(Frame().m_battleScriptRunning, 0);
    }
    EXPECT_EQ(session.battleVariables.Get("fired"), c.fired);
    EXPECT_FALSE(session.battleVariables.Contains("wrong"));
  }
}

TEST_F(BattleEventScriptTest, ARandomBlockFiresOnAboutItsShareOfRuns) {
  platform::Srand(7);
  UseScript("event random 30\ninc fired\nendevent\nreturn");
  for (int i = 0; i < 100; ++i) RunBattleFrom(0);
  EXPECT_NEAR(session.battleVariables.Get("fired"), 30, 10);
}

TEST_F(BattleEventScriptTest, ATrueBlockHoldsEveryoneStillAndReturnLetsThemGo) {
  session.RaiseDeathHook("늑대");
  Frame().m_messageText = "old";
  Frame().m_pBattleSpeaker = m_sizz;
  RunBattleScript("event death 늑대\nset @staticseen 1\nset round 2\nendevent\nreturn");
  for (const auto* codes : {&m_sizz->messages, &m_wolf->messages}) {
    ASSERT_EQ(codes->size(), 2u);
    EXPECT_EQ((*codes)[0].code, kMsgStopGauge);
    EXPECT_EQ((*codes)[1].code, kMsgRunGauge);
  }
  EXPECT_EQ(m_sizz->m_gaugeRunning, 1);
  EXPECT_EQ(Frame().m_gaugeShown, 1);
  EXPECT_EQ(Frame().m_messageState, 4);
  EXPECT_EQ(Frame().m_battleScriptLine, -1);
  EXPECT_EQ(Frame().m_pBattleSpeaker, nullptr);
  EXPECT_EQ(Frame().m_messageText, "");
  // A story variable stays; the battle's own goes with the battle.
  EXPECT_EQ(session.scriptVariables.Get("seen"), 1);
  EXPECT_EQ(session.battleVariables.Get("round"), 2);
  Context().ReturnFromBattle();
  EXPECT_FALSE(session.battleVariables.Contains("round"));
  EXPECT_EQ(session.scriptVariables.Get("seen"), 1);
}

TEST_F(BattleEventScriptTest, ARunThatEndsWithoutReturnOrAtALineOutsideReturns) {
  for (int line : {0, 40}) {
    SCOPED_TRACE(line);
    Frame().m_battleScriptLine = 7;
    RunBattleScript("event death sizz\ninc a\nendevent", line);
    EXPECT_EQ(Frame().m_battleScriptRunning, 0);
    EXPECT_EQ(Frame().m_battleScriptLine, -1);
    EXPECT_EQ(Frame().m_messageState, 4);
  }
  Frame().m_battleScriptRunning = 1;
  Frame().RunBattleEventScript(-1);
  EXPECT_EQ(Frame().m_battleScriptRunning, 0);
}

TEST_F(BattleEventScriptTest, StacksStayBoundedOverManyRunsWithTakenBranches) {
  UseScript(
      "if 1 = 1\ninc a\nelse\ninc b\nendif\n"
      "if 0 = 1\ninc c\nelseif 1 = 1\nif 1 = 1\ninc d\nendif\nelse\ninc e\nendif\n"
      "event death ghost\nendevent\n"
      "else\nendif\nendevent\n"  // strays: empty stacks read 0 and pop nothing
      "return");
  for (int i = 0; i < 1000; ++i) {
    Frame().m_battleScriptRunning = 1;
    Frame().RunBattleEventScript(0);
  }
  EXPECT_TRUE(Frame().m_battleConditions.empty());
  EXPECT_TRUE(Frame().m_battleEvents.empty());
  EXPECT_EQ(session.battleVariables.Get("a"), 1000);
  EXPECT_EQ(session.battleVariables.Get("d"), 1000);
  for (const char* never : {"b", "c", "e"}) EXPECT_FALSE(session.battleVariables.Contains(never)) << never;
}

TEST_F(BattleEventScriptTest, OrdersReachTheNamedParticipantWithTheirValues) {
  const struct {
    const char* line;
    bool toWolf;
    std::vector<RecordedMessage> got;  // a0 of -1: a pointer, not compared
    const char* logged;
  } cases[] = {
      {"move sizz 10.7 -20.9", false, {{kMsgWalkToPoint, 10, -20, 0}}, nullptr},
      {"moveparty 5 6", false, {{kMsgWalkToPoint, 5, 7, 0}}, nullptr},
      {"jump sizz 1.5 -2 3.9", false, {{kMsgJump, 100, -200, 300}}, nullptr},
      {"jump sizz 99999999999 0 0", false, {{kMsgJump, 2147483600, 0, 0}}, nullptr},
      {"show 늑대", true, {{kMsgShow, 0, 0, 0}}, nullptr},
      {"hide 늑대", true, {{kMsgHide, 0, 0, 0}}, nullptr},
      {"action sizz 4", false, {{kMsgScriptAction, 4, 0, 0}}, nullptr},
      {"actionrepeat sizz 4", false, {{kMsgScriptAction, 4, 1, 0}}, nullptr},
      {"setspr sizz knight.spr", false, {{kMsgChangeSprite, -1, 0, 0}}, nullptr},
      {"setspr sizz knight.spr 2 3", false, {{kMsgChangeSprite, -1, 2, 3}}, nullptr},
      {"motion sizz 2 5", false, {{kMsgScriptMotion, 2, 5, 0}}, nullptr},
      {"shadow sizz 0", false, {{kMsgShadow, 0, 0, 0}}, nullptr},
      {"dir sizz 90", false, {{kMsgHeading, 90, 0, 0}}, nullptr},
      {"emotion sizz 3", false, {{kMsgEmotion, 3, 0, 0}}, nullptr},
      {"kill 늑대", true, {{kMsgKill, 0, 0, 0}}, nullptr},
      {"warp sizz", false, {{kMsgWarp, 0, 0, -1}}, nullptr},
      {"sysex effect 늑대 1003", true, {{51, 1003, 0, 0}}, nullptr},
      {"sysex crowd 6 sizz 도와줘 40", false, {{kMsgCrowd, -1, 0, 40}}, nullptr},
      {"move2 sizz 늑대", false, {{kMsgWalkToActor, -1, 0, 0}}, nullptr},
      {"see 늑대 sizz", true, {{kMsgLookAtSender, 0, 0, 0}}, nullptr},
      {"move sizz 1", false, {}, "move actorname X Z"},
      {"move ghost 1 2", false, {}, "액터가 없습니다"},
      {"move2 sizz ghost", false, {}, "액터가 없습니다"},
      {"jump sizz 1 2", false, {}, "jump name\tdx dz power"},
      {"kill", true, {}, "문법오류 : kill"},
      {"warp sizz 1", false, {}, "문법오류:warp"},
      {"sysex effect ghost 3", false, {}, "sysex effect : 액터가 NULL 임"},
      {"sysex crowd 7 sizz hi", false, {}, "crowd : illegal pos range"},
      {"sysex dance", false, {}, "Unknown Sysex"},
      {"sysex white", false, {}, "Unknown Sysex"},
      {"dance sizz", false, {}, "Unknown Command"},
  };
  g_playerStart.y = -1.0f;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    for (auto* messages : {&m_sizz->messages, &m_wolf->messages}) messages->clear();
    m_sizz->senders.clear();
    m_wolf->senders.clear();
    m_sizz->SetAction(kActIdle);
    m_wolf->SetAction(kActIdle);
    RunBattleScript(std::string(c.line) + "\ninc after\nreturn");
    const std::vector<RecordedMessage> got = Orders(c.toWolf ? m_wolf->messages : m_sizz->messages);
    ASSERT_EQ(got.size(), c.got.size());
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].code, c.got[i].code);
      if (c.got[i].a != -1) {
        EXPECT_EQ(got[i].a, c.got[i].a);
      }
      EXPECT_EQ(got[i].b, c.got[i].b);
      EXPECT_EQ(got[i].c, c.got[i].c);
    }
    EXPECT_TRUE(Orders(c.toWolf ? m_sizz->messages : m_wolf->messages).empty());
    if (c.logged != nullptr) {
      EXPECT_TRUE(Logged(c.logged));
    }
    EXPECT_EQ(session.battleVariables.Get("after"), &c - cases + 1);  // the run went on
  }
  // What the pointers carried.
  RunBattleScript("move2 sizz 늑대\nsee 늑대 sizz\nreturn");
  EXPECT_EQ(m_sizz->m_walkToActor, m_wolf);
  const auto look = std::find(m_wolf->messages.begin(), m_wolf->messages.end(),
                               RecordedMessage{kMsgLookAtSender, 0, 0, 0});
  ASSERT_NE(look, m_wolf->messages.end());
  EXPECT_EQ(m_wolf->senders[static_cast<size_t>(look - m_wolf->messages.begin())], m_sizz);
  EXPECT_EQ(m_sizz->m_actionCode, kActWalkToActor);
  RunBattleScript("setspr sizz knight.spr 2 3\nsysex crowd 6 sizz 도와줘 40\nreturn");
  EXPECT_EQ(m_sizz->m_sprName, "knight.spr");
  ASSERT_NE(m_sizz->m_crowd, nullptr);
  // Killed: no points left, dying; one that has left the battle stays gone.
  EXPECT_EQ(session.enemies[0].hp, 0);
  EXPECT_EQ(session.enemies[0].shp, 0);
  m_sizz->SetAction(kActDefeated);
  session.players[0].hp = 40;  // falling left its mark; the kill must leave it alone
  RunBattleScript("kill sizz\nreturn");
  EXPECT_EQ(m_sizz->m_actionCode, kActDefeated);
  EXPECT_EQ(session.players[0].hp, 40);
  m_sizz->SetAction(kActIdle);
  RunBattleScript("kill sizz\nreturn");
  EXPECT_EQ(m_sizz->m_actionCode, kActDying);
  EXPECT_EQ(session.players[0].hp, 0);
  EXPECT_EQ(session.players[0].shp, 0);
  EXPECT_EQ(session.players[2].hp, 42);  // only the one named
}

TEST_F(BattleEventScriptTest, CommandsSetTheWindowTheBattleAndTheSession) {
  const struct {
    const char* line;
    bool pauses;
    std::function<void(CSelvarinFrame&, CSession&)> before;
    std::function<void(CSelvarinFrame&, CSession&, BattleEventScriptTest&)> check;
    const char* logged;
  } cases[] = {
      {"say sizz 안녕 시즈", true, nullptr,
       [](CSelvarinFrame& f, CSession&, BattleEventScriptTest& t) {
         EXPECT_EQ(f.m_messageState, 1);
         EXPECT_EQ(f.m_messageText, "안녕");
         EXPECT_EQ(f.m_messageSpeaker, "시즈");
         EXPECT_EQ(f.m_balloonKind, 0);
         EXPECT_EQ(f.m_pBattleSpeaker, t.m_sizz);
       },
       nullptr},
      {"shout 늑대 크앙", true, [](CSelvarinFrame& f, CSession&) { f.m_messageState = 7; },
       [](CSelvarinFrame& f, CSession&, BattleEventScriptTest& t) {
         EXPECT_EQ(f.m_messageState, 2);  // a window already open turns its page
         EXPECT_EQ(f.m_balloonKind, 1);
         EXPECT_EQ(f.m_messageSpeaker, "");
         EXPECT_EQ(f.m_pBattleSpeaker, t.m_wolf);
       },
       nullptr},
      {"monologue sizz 흠", true, nullptr,
       [](CSelvarinFrame& f, CSession&, BattleEventScriptTest&) { EXPECT_EQ(f.m_balloonKind, 2); }, nullptr},
      {"say ghost 안녕", false, nullptr,
       [](CSelvarinFrame& f, CSession&, BattleEventScriptTest&) { EXPECT_EQ(f.m_messageState, 4); }, "ghost"},
      {"msg 늑대", true, nullptr,
       [](CSelvarinFrame& f, CSession&, BattleEventScriptTest& t) {
         EXPECT_EQ(f.m_messageState, 5);
         EXPECT_EQ(f.m_messageText, "늑대");
         EXPECT_EQ(f.m_pBattleSpeaker, t.m_wolf);
         EXPECT_EQ(f.m_messageItem, -1);
       },
       nullptr},
      {"msg 조심", true, [](CSelvarinFrame& f, CSession&) { f.m_pBattleSpeaker = f.GetContext()->m_battleObjects.front(); },
       [](CSelvarinFrame& f, CSession&, BattleEventScriptTest&) { EXPECT_EQ(f.m_pBattleSpeaker, nullptr); }, nullptr},
      {"getitem 약초 2", true, nullptr,
       [](CSelvarinFrame& f, CSession& s, BattleEventScriptTest&) {
         EXPECT_EQ(f.m_messageText, "약초 2개 획득");
         EXPECT_EQ(f.m_messageItem, kHerb);
         EXPECT_EQ(s.inventory[kHerb], 7);
         EXPECT_EQ(s.itemDiary[kHerb], 1);
       },
       nullptr},
      {"getitem 약초", true, nullptr,
       [](CSelvarinFrame& f, CSession&, BattleEventScriptTest&) { EXPECT_EQ(f.m_messageText, "약초 획득    "); }, nullptr},
      {"getitem", false, nullptr, nullptr, "문법오류getitem"},
      {"getgold 30", true, nullptr,
       [](CSelvarinFrame& f, CSession& s, BattleEventScriptTest&) {
         EXPECT_EQ(f.m_messageText, "30길드 획득");
         EXPECT_EQ(f.m_messageState, 5);
         EXPECT_EQ(s.gold, 1264);
       },
       nullptr},
      {"wait", true, [](CSelvarinFrame& f, CSession&) { f.m_balloonKind = 3; },
       [](CSelvarinFrame& f, CSession&, BattleEventScriptTest&) {
         EXPECT_EQ(f.m_messageText, "");
         EXPECT_EQ(f.m_messageState, 5);
         EXPECT_EQ(f.m_balloonKind, 0);
       },
       nullptr},
      {"header 전투 1 2", false, nullptr,
       [](CSelvarinFrame& f, CSession&, BattleEventScriptTest&) {
         EXPECT_EQ(f.m_caption, "전투");
         EXPECT_EQ(f.m_captionTimer, 100);
         EXPECT_EQ(f.m_captionLine, 1);
       },
       nullptr},
      {"focus 늑대", false, nullptr,
       [](CSelvarinFrame& f, CSession&, BattleEventScriptTest& t) { EXPECT_EQ(f.GetView()->m_pFocus, t.m_wolf); },
       nullptr},
      {"focus ghost", false, nullptr, nullptr, "액터가 없습니다"},
      {"focus", false, nullptr, nullptr, "문법: focus actorName"},
      {"nofocus", false, [](CSelvarinFrame& f, CSession&) { f.GetView()->m_pFocus = nullptr; },
       [](CSelvarinFrame& f, CSession&, BattleEventScriptTest&) { EXPECT_EQ(f.GetView()->m_pFocus, nullptr); },
       nullptr},
      {"gameover", false, nullptr,
       [](CSelvarinFrame& f, CSession&, BattleEventScriptTest&) { EXPECT_EQ(f.m_transKind, 9); }, nullptr},
      {"whiteout", false, nullptr,
       [](CSelvarinFrame& f, CSession&, BattleEventScriptTest&) { EXPECT_EQ(f.m_transKind, 7); }, nullptr},
      {"whitein", false, nullptr,
       [](CSelvarinFrame& f, CSession&, BattleEventScriptTest&) { EXPECT_EQ(f.m_transKind, 6); }, nullptr},
      {"healall", false, [](CSelvarinFrame&, CSession& s) { s.players[0].stateid = 0x108; },
       [](CSelvarinFrame&, CSession& s, BattleEventScriptTest&) {
         EXPECT_EQ(s.players[0].hp, 50);
         EXPECT_EQ(s.players[0].shp, 9);
         EXPECT_EQ(s.players[0].stateid, 0x100);
       },
       nullptr},
      {"stateheal 늑대 3", false, [](CSelvarinFrame&, CSession& s) { s.enemies[0].stateid = 8 | 16; },
       [](CSelvarinFrame&, CSession& s, BattleEventScriptTest&) { EXPECT_EQ(s.enemies[0].stateid, 16); }, nullptr},
      {"stateheal sizz 8", false, nullptr, nullptr, "Invalid stateId"},
      {"stateheal sizz", false, nullptr, nullptr, "문법오류 : stateheal"},
      {"addmagic sizz", false, nullptr, nullptr, "문법: addmagic  액터이름  마법이름"},
      {"dropitem 약초 2", false, nullptr,
       [](CSelvarinFrame&, CSession& s, BattleEventScriptTest&) { EXPECT_EQ(s.inventory[kHerb], 3); }, nullptr},
      {"dropgold 34", false, nullptr,
       [](CSelvarinFrame&, CSession& s, BattleEventScriptTest&) { EXPECT_EQ(s.gold, 1200); }, nullptr},
      {"dispbmp none.bmp", false, nullptr,
       [](CSelvarinFrame& f, CSession&, BattleEventScriptTest&) { EXPECT_EQ(f.m_pictureCounter, 300); }, nullptr},
      {"playcd 1", false, nullptr, nullptr, "Syntax Error : playcd"},
      {"lockaction", false, nullptr, nullptr, nullptr},
      {"sysex header 머리 2 70", false, nullptr,
       [](CSelvarinFrame& f, CSession&, BattleEventScriptTest&) {
         EXPECT_EQ(f.m_pictureSlotNames[2], "머리");
         EXPECT_EQ(f.m_pictureSlotPeriods[2], 70);
       },
       nullptr},
      {"sysex quake", false, nullptr,
       [](CSelvarinFrame& f, CSession&, BattleEventScriptTest&) {
         EXPECT_EQ(f.m_overlayState, 4);
         EXPECT_EQ(f.m_shakeLimit, 200);
       },
       nullptr},
      {"sysex crowd 2 1 외침", false, nullptr,
       [](CSelvarinFrame& f, CSession&, BattleEventScriptTest&) { EXPECT_EQ(f.m_captionTexts[2], "외침"); }, nullptr},
  };
  CSelvarinFrame& frame = Frame();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    CSelvarinFrame& f = frame;
    f.m_messageState = 0;
    f.m_battleScriptLine = -1;
    session.gold = 1234;
    session.inventory[kHerb] = 5;
    if (c.before) c.before(f, session);
    RunBattleScript(std::string(c.line) + "\nreturn");
    if (c.check) c.check(f, session, *this);
    EXPECT_EQ(f.m_battleScriptLine, c.pauses ? 1 : -1);
    EXPECT_EQ(f.m_battleScriptRunning, c.pauses ? 1 : 0);
    if (c.logged != nullptr) {
      EXPECT_TRUE(Logged(c.logged));
    }
  }
}

TEST_F(BattleEventScriptTest, EndBattleStoresItsEndKindAndTheBattleEndsOnTheNextTick) {
  const struct {
    const char* line;
    int32_t kind;
  } cases[] = {{"endbattle", 0}, {"endbattle 1", 0}, {"endbattle 2", 1}, {"endbattle 5", 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    Frame().m_messageState = 5;
    RunBattleScript(std::string(c.line) + "\nreturn");
    EXPECT_EQ(Frame().m_battlePhase, 6);
    EXPECT_EQ(Frame().m_battleResult.skipResult, c.kind);
    EXPECT_EQ(Frame().m_messageState, 4);
  }
  Frame().m_mode = kModeBattle;
  Frame().m_battleEventLine = 0;
  Tick();
  EXPECT_EQ(Frame().m_mode, kModeBattleResult);
  EXPECT_EQ(Frame().m_battleResult.skipResult, 5);  // as the script set it
  // An escape skips the result screen.
  Frame().m_battleResult = BattleResult{};
  Frame().m_mode = kModeBattle;
  Frame().m_battlePhase = 9;
  Tick();
  EXPECT_EQ(Frame().m_mode, kModeBattleResult);
  EXPECT_EQ(Frame().m_battleResult.skipResult, 1);
}

TEST_F(BattleEventScriptTest, TheBattleModeStartsRunsOnIdleTicksAndResumesThemOnAConfirm) {
  UseScript(
      "event death 늑대\nmsg 조심\ninc fired\nendevent\n"
      "inc runs\nreturn");
  CSelvarinFrame& f = Frame();
  f.m_mode = kModeBattle;
  f.m_battleEventLine = 0;
  f.m_battlePhase = 5;
  Tick();
  EXPECT_EQ(session.battleVariables.Get("runs"), 1);
  EXPECT_EQ(f.m_messageState, 4);
  // The window closes over three ticks; then the next run starts.
  for (int i = 0; i < 3; ++i) Tick();
  EXPECT_EQ(session.battleVariables.Get("runs"), 1);
  Tick();
  EXPECT_EQ(session.battleVariables.Get("runs"), 2);
  // Not while the command menu is open.
  f.m_battlePhase = 1;
  for (int i = 0; i < 8; ++i) Tick();
  EXPECT_EQ(session.battleVariables.Get("runs"), 2);
  f.m_battlePhase = 0;
  session.RaiseDeathHook("늑대");
  for (int i = 0; i < 5; ++i) Tick();
  EXPECT_EQ(f.m_messageState, 5);
  EXPECT_EQ(f.m_battleScriptLine, 2);
  EXPECT_EQ(session.battleVariables.Get("fired"), 0);
  EXPECT_EQ(m_sizz->m_gaugeRunning, 0);
  Confirm();
  Tick();
  EXPECT_EQ(CMouse::GetInstance().m_mouseButtons[0], kStateHeld);  // taken
  EXPECT_EQ(session.battleVariables.Get("fired"), 1);
  EXPECT_EQ(m_sizz->m_gaugeRunning, 1);
  EXPECT_EQ(f.m_battleScriptLine, -1);
  CMouse::GetInstance().m_mouseButtons[0] = kStateUp;
}

TEST_F(BattleEventScriptTest, ABattleWithoutAScriptRunsOnWhileItsEnemyStands) {
  Frame().ResetBattleScript();
  Frame().m_mode = kModeBattle;
  Frame().m_battleEventLine = -1;
  for (int i = 0; i < 3; ++i) Tick();
  EXPECT_EQ(Frame().m_mode, kModeBattle);
}

TEST_F(BattleEventScriptTest, NoSpeakerOrFocusOutlivesItsParticipant) {
  RunBattleScript("say 늑대 크앙\nreturn");
  Frame().GetView()->m_pFocus = m_wolf;
  ASSERT_EQ(Frame().m_pBattleSpeaker, m_wolf);
  Context().m_battleObjects.remove(m_wolf);
  Context().m_battleEnemies.remove(m_wolf);
  session.enemies[0] = EnemySlot{};
  delete m_wolf;
  m_wolf = nullptr;
  EXPECT_EQ(Frame().m_pBattleSpeaker, nullptr);
  EXPECT_EQ(Frame().GetView()->m_pFocus, nullptr);
}

TEST_F(BattleEventScriptTest, IntrudersAreRefusedWhereThereIsNoRoom) {
  for (int slot = 1; slot < CSession::kMaxEnemies; ++slot) AddEnemy("imp" + std::to_string(slot), slot);
  const size_t before = Context().m_battleObjects.size();
  RunBattleScript("intrudeenemy 늑대2 늑대\nintrudeenemy x\nintrudeplayer sizz\nintrudeplayer\nreturn");
  EXPECT_EQ(Context().m_battleObjects.size(), before);
  EXPECT_TRUE(Logged("문법오류 : intrudeenemy"));
  EXPECT_TRUE(Logged("문법오류 : intrudeplayer"));
  // Six members, none of them the one who would come in.
  for (int id = 3; id < 7; ++id) {
    session.players[static_cast<size_t>(id)].engname = "m" + std::to_string(id);
    session.JoinPlayer(id);
  }
  ASSERT_EQ(session.partyCount, 6);
  RunBattleScript("intrudeplayer ai\nreturn");
  EXPECT_TRUE(Logged("이자가 난입하면 안된다."));
  EXPECT_EQ(session.partyCount, 6);
  EXPECT_EQ(session.players[1].battlePtr, nullptr);
}

}  // namespace
