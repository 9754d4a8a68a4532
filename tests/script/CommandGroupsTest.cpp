// The second and third command groups, line by line on a frame with
// recording actors and a small session: what each word changes, what it
// reports, and whether the run goes on after it.
#include <gtest/gtest.h>

#include <functional>

#include "engine/FrameMgr.h"
#include "engine/Tokenizer.h"
#include "field/PlayerStart.h"
#include "platform/Clock.h"
#include "render/DispBmp.h"
#include "render/RC.h"
#include "script/ScriptPosition.h"
#include "script/ScriptVariables.h"
#include "session/DataTables.h"
#include "session/Session.h"
#include "tests/script/ScriptFixture.h"

namespace {

constexpr int kPotion = 7;

class CommandGroupsTest : public ScriptTest {
 protected:
  CommandGroupsTest()
      : m_clock(100000, 0), m_clockGuard(&m_clock), m_elder(AddActor("elder")), m_guard(AddActor("guard")),
        m_door(AddModel("door")) {
    std::string items;
    for (int i = 0; i < 7; ++i) items += "#item < 없음 > < > 0 empty" + std::to_string(i) + "\n#type 0\n#end\n";
    items += "#item < potion > < > 3 potion\n#type 8\n#end\n";
    Write("data/diary/item.txt", items);
    Write("data/diary/scraps.txt", "#scrap < lore > 0\nold words\n#end\n");
    EXPECT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    EXPECT_TRUE(CScrapMgr::GetInstance().Load("diary/"));
    CSession& session = CSession::GetInstance();
    session.Init();
    const char* names[] = {"sizz", "kreutzer", "maria"};
    const int exps[] = {100, 200, 301};
    for (size_t id = 0; id < 3; ++id) {
      session.players[id].engname = names[id];
      session.players[id].exp = exps[id];
      session.players[id].maxhp = 50;
    }
    session.partyIds = {0, 1, 2, 0, 0, 0};
    session.partyCount = 3;
    session.gold = 100;
    session.inventory[kPotion] = 5;
    session.scrapDiary[0] = 2;
    // The model's physics reals go by address, valid only during the call.
    m_elder.answer = [this](int code, intptr_t a) {
      const auto* reals = reinterpret_cast<const float*>(a);
      if (code == 54 || code == 56 || code == 57) m_reals = {reals[0]};
      if (code == 55) m_reals = {reals[0], reals[1], reals[2]};
    };
  }
  ~CommandGroupsTest() override {
    CItemMgr::GetInstance().Free();
    CScrapMgr::GetInstance().Free();
    CSession::GetInstance().Init();
    g_actionMode = 0;
    g_timeAttack = TimeAttack{};
    g_playerStart = PlayerStart{};
    g_cdReplayOff = 0;
    g_dispBmp.Release();
    CRC::s_fogSettings = FogSettings{};
  }

  // Runs the lines as the elder's; true when the run went on after them.
  bool RunLines(const std::string& lines, const std::string& subject = "elder") {
    m_elder.messages.clear();
    m_guard.messages.clear();
    m_reals.clear();
    return Run(lines + "\nerror #on\n", subject) == std::vector<std::string>{"#on"};
  }

  platform::FakeClock m_clock;
  platform::ScopedClockSource m_clockGuard;
  RecordingActor& m_elder;
  RecordingActor& m_guard;
  RecordingModel& m_door;
  std::vector<float> m_reals;
};

using Messages = std::vector<RecordedMessage>;
using Reals = std::vector<float>;

TEST_F(CommandGroupsTest, EachLineChangesWhatItsWordReaches) {
  CSelvarinFrame& frame = Frame();
  CSession& session = CSession::GetInstance();
  auto& players = session.players;
  const struct Row {
    const char* lines;
    std::function<void()> check;
    const char* logged = nullptr;
    const char* subject = "elder";
  } rows[] = {
      {"gravity\nnogravity", [&] { EXPECT_EQ(m_elder.messages, (Messages{{52, 0, 0, 0}, {53, 0, 0, 0}})); }},
      // Reals are whole numbers toward zero, still as reals.
      {"gravityfactor 0.5", [&] { EXPECT_EQ(m_reals, Reals{0.0f}); }},
      {"gravityfactor 2", [&] { EXPECT_EQ(m_reals, Reals{2.0f}); }},
      {"frictionfactor -1.5", [&] { EXPECT_EQ(m_reals, Reals{-1.0f}); }},
      {"springfactor 2.7", [&] { EXPECT_EQ(m_reals, Reals{2.0f}); }},
      {"springfactor 1e30", [&] { EXPECT_EQ(m_reals, Reals{1e30f}); }},
      {"frictionfactor 1e99", [&] { EXPECT_EQ(m_reals, Reals{0.0f}); }},
      {"setmovespeed 1.5 -2.5 3", [&] { EXPECT_EQ(m_reals, (Reals{1.0f, -2.0f, 3.0f})); }},
      {"rsxeffect 1\nalphawhenopaque 128",
       [&] { EXPECT_EQ(m_elder.messages, (Messages{{58, 1, 0, 0}, {59, 128, 0, 0}})); }},
      {"setmovespeed 1 2 3", [&] { EXPECT_TRUE(m_elder.messages.empty()); }, "잘못된 액터 이름!!!", "nobody"},
      {"gravity", [&] { EXPECT_TRUE(m_elder.messages.empty()); }, nullptr, "nobody"},
      // The named actor is activated, not the subject.
      {"activate guard", [&] {
         EXPECT_EQ(m_guard.messages, (Messages{{9, 0, 0, 0}}));
         EXPECT_TRUE(m_elder.messages.empty());
       }},
      {"activate smoke", [] {}, "잘못된 파티클메이커 이름"},
      {"averageexp kreutzer", [&] { EXPECT_EQ(players[1].exp, 200); }},
      {"giveexp sizz maria", [&] { EXPECT_EQ(players[2].exp, 100); }},
      {"giveexp sizz nobody", [&] { EXPECT_EQ(players[2].exp, 100); }, "Invalid player engName"},
      {"set gold 5\nadd gold 3\nsub gold 1\ninc gold\ndec gold\nprint gold",
       [&] { EXPECT_EQ(GetFieldScriptValue("gold"), 7); }, "gold = 7"},
      {"dropitem potion 2", [&] { EXPECT_EQ(session.inventory[kPotion], 3); }},
      {"dropitem potion", [&] { EXPECT_EQ(session.inventory[kPotion], 2); }},
      {"dropitem ether 1", [&] { EXPECT_EQ(session.inventory[kPotion], 2); }, "Item Not Found"},
      {"dropgold 30", [&] { EXPECT_EQ(session.gold, 70); }},
      {"dropgold 500", [&] { EXPECT_EQ(session.gold, 0); }},
      {"healall", [&] { EXPECT_EQ(players[0].hp, 50); }},
      {"addmagic nobody fire", [] {}, "Invalid player engName"},
      {"disablediary", [&] { EXPECT_EQ(frame.m_diaryEnabled, 0); }},
      {"enablediary", [&] { EXPECT_EQ(frame.m_diaryEnabled, 1); }},
      {"setblock door 0", [&] { EXPECT_EQ(m_door.m_collide, 0); }},
      {"setblock wall 1", [] {}, "Usage : setblock [건물명] [1|0]"},
      {"disablesupplylimit", [&] { EXPECT_EQ(GetFieldScriptValue("_disablesupplylimit"), 1); }},
      {"enablesupplylimit", [&] { EXPECT_EQ(GetFieldScriptValue("_disablesupplylimit"), 0); }},
      {"savestate", [&] { EXPECT_EQ(session.inventory[kPotion], 0); }},
      {"joinstate", [&] { EXPECT_EQ(session.inventory[kPotion], 2); }},
      // A diary entry is only ever raised.
      {"getdiaryscrap lore 1", [&] { EXPECT_EQ(session.scrapDiary[0], 2); }},
      {"getdiaryscrap lore 3", [&] { EXPECT_EQ(session.scrapDiary[0], 3); }},
      {"getdiaryscrap rumour 3", [] {}, "getdiaryscrap: no entry rumour"},
      {"getdiaryitem ether 3", [] {}, "getdiaryitem: no entry ether"},
      // Fades take their colour from the line, else black; white keeps it.
      {"setfaded", [&] {
         EXPECT_EQ(frame.m_transKind, 5);
         EXPECT_EQ(frame.m_transColor, 0u);
       }},
      {"fadeout 255 255 255", [&] {
         EXPECT_EQ(frame.m_transKind, 4);
         EXPECT_EQ(frame.m_transColor, 0xFFFFFFu);
       }},
      {"whiteout", [&] {
         EXPECT_EQ(frame.m_transKind, 7);
         EXPECT_EQ(frame.m_transColor, 0xFFFFFFu);
       }},
      {"fadein 300 -4 16", [&] {
         EXPECT_EQ(frame.m_transKind, 3);
         EXPECT_EQ(frame.m_transColor, 0xFF0010u);
       }},
      {"whitein", [&] { EXPECT_EQ(frame.m_transKind, 6); }},
      // A second darkening starts where the first aimed.
      {"darkscreen", [&] {
         EXPECT_EQ(frame.m_transKind, 10);
         EXPECT_EQ(frame.m_transAlphaStart, 0);
         EXPECT_EQ(frame.m_transAlphaTarget, 128);
       }},
      {"darkscreen 300", [&] {
         EXPECT_EQ(frame.m_transAlphaStart, 128);
         EXPECT_EQ(frame.m_transAlphaTarget, 255);
       }},
      {"darkscreen -5", [&] { EXPECT_EQ(frame.m_transAlphaTarget, 0); }},
      {"darkscreen 60 1", [&] { EXPECT_EQ(frame.m_transAlphaTarget, 128); }},
      {"restorescreen", [&] {
         EXPECT_EQ(frame.m_transKind, 11);
         EXPECT_EQ(frame.m_transStep, 0);
       }},
      {"setweather 1", [&] {
         EXPECT_EQ(frame.m_weather, 1);
         ASSERT_EQ(frame.m_rainDrops.size(), 50u);
         EXPECT_EQ(frame.m_rainDrops[0].speed, 8);
         EXPECT_EQ(frame.m_rainDrops[0].slant, 0);
       }},
      {"setweather 0", [&] {
         EXPECT_EQ(frame.m_weather, 0);
         EXPECT_EQ(frame.m_rainDrops.size(), 50u);
       }},
      {"setweather 1 80 6 20 30", [&] {
         ASSERT_EQ(frame.m_rainDrops.size(), 80u);
         EXPECT_EQ(frame.m_rainDrops[0].speed, 6);
         EXPECT_EQ(frame.m_rainDrops[0].slant, 20);
         EXPECT_EQ(frame.m_rainDrops[0].wind, 30);
       }},
      {"setweather 1 0", [&] { EXPECT_TRUE(frame.m_rainDrops.empty()); }},
      {"setweather 1 2000000000", [&] { EXPECT_EQ(frame.m_rainDrops.size(), 1000u); }, "rain drops"},
      {"setweather 2 7 9", [&] {
         EXPECT_EQ(frame.m_weather, 2);
         EXPECT_EQ(frame.m_snowPerTick, 7);
         EXPECT_EQ(frame.m_snowSpeed, 9);
         EXPECT_EQ(frame.m_snowAtCamera, 0);
       }},
      {"setplayerangle 90", [&] { EXPECT_EQ(g_playerStart.heading, 90.0f); }},
      {"addplayerangle 30", [&] { EXPECT_EQ(g_playerStart.heading, 90.0f); }},  // no player
      {"begintimeattack 30", [&] {
         EXPECT_EQ(g_timeAttack.m_on, 1);
         EXPECT_EQ(g_timeAttack.m_current, 100);
         EXPECT_EQ(g_timeAttack.m_limit, 130);
       }},
      {"endtimeattack", [&] {
         EXPECT_EQ(g_timeAttack.m_on, 0);
         EXPECT_EQ(g_timeAttack.m_limit, 0);
       }},
      {"addcompasspoint well 10 -20", [&] {
         ASSERT_EQ(frame.m_compassCount, 1);
         EXPECT_EQ(frame.m_compassPoints[0].area, "well");
         EXPECT_EQ(frame.m_compassPoints[0].x, 10);
         EXPECT_EQ(frame.m_compassPoints[0].z, -20);
       }},
      {"setfog 1 10 50 300 -5 7", [&] { EXPECT_EQ(CRC::s_fogSettings.color, 0xFF0007u); }},
      {"setfog 1 -10 50 0 0 0", [&] { EXPECT_FLOAT_EQ(CRC::s_fogSettings.start, -0.1f); }, "0 부터 100"},
      {"showbmp nosign.bmp", [&] { EXPECT_EQ(frame.m_pictureShown, 0); }, "showbmp: no bitmap nosign.bmp"},
      {"dispbmp nosign.bmp", [&] { EXPECT_EQ(frame.m_pictureCounter, 0); }, "dispbmp: no bitmap nosign.bmp"},
      {"callgameover", [&] {
         EXPECT_EQ(frame.m_mode, kModeGameOver);
         EXPECT_EQ(frame.m_menuKind, 3);
         frame.ChangeMode(kModeField);  // frees the game-over menu
       }},
      {"disablecdreplay", [&] { EXPECT_EQ(g_cdReplayOff, 1); }},
      {"calltitle", [&] { EXPECT_EQ(CFrameMgr::GetInstance().NextName(), "title"); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.lines);
    EXPECT_TRUE(RunLines(row.lines, row.subject));
    row.check();
    if (row.logged != nullptr) {
      EXPECT_TRUE(Logged(row.logged));
    }
    EXPECT_FALSE(Logged("Unknown Command"));
    EXPECT_FALSE(Logged("CTokenizer"));
  }
}

TEST_F(CommandGroupsTest, TheTurnOfTheNextPartyIsTakenByRemainder) {
  RecordingActor& player = AddPlayer();
  const struct {
    float facing;
    const char* line;
    float stored;
  } cases[] = {{350, "addplayerangle 30", 20}, {10, "addplayerangle -400", 330}, {0, "addplayerangle 2000000000", 200}};
  for (const auto& c : cases) {
    player.m_angle = c.facing;
    RunLines(c.line);
    EXPECT_EQ(g_playerStart.heading, c.stored) << c.line;
    EXPECT_EQ(player.m_angle, c.facing) << c.line;  // the player now is not turned
  }
}

// Both groups know the party average; an empty party has none.
TEST_F(CommandGroupsTest, TheAverageIsReachedFromEitherGroupAndNeedsAParty) {
  CSession& session = CSession::GetInstance();
  session.players[0].exp = 2000000;
  session.players[1].exp = 2000000;
  CTokenizer tokens;
  tokens.Tokenize("averageexp maria");
  EXPECT_TRUE(CSelvarinFrame::ExecSystemCommand(&Frame(), tokens, 0));
  EXPECT_EQ(session.players[2].exp, 999999);
  session.partyCount = 0;
  session.players[2].exp = 5;
  EXPECT_TRUE(RunLines("averageexp maria"));
  EXPECT_EQ(session.players[2].exp, 5);
}

TEST_F(CommandGroupsTest, TheCompassHoldsTwentyPoints) {
  std::string lines;
  for (int i = 0; i < 21; ++i) lines += "addcompasspoint p" + std::to_string(i) + " " + std::to_string(i) + " 0\n";
  EXPECT_TRUE(RunLines(lines));
  EXPECT_EQ(Frame().m_compassCount, CSelvarinFrame::kCompassPoints);
  EXPECT_EQ(Frame().m_compassPoints[19].area, "p19");
  EXPECT_TRUE(Logged("addcompasspoint: the compass holds 20 points"));
}

TEST_F(CommandGroupsTest, ActionModeOffShowsTheWholeParty) {
  RecordingActor& follower = AddActor("follower");
  follower.m_visible = 0;
  Context().m_partyChain.push_back(&follower);
  EXPECT_TRUE(RunLines("actionmode 1"));
  EXPECT_EQ(g_actionMode, 1);
  EXPECT_EQ(follower.m_visible, 0);
  EXPECT_TRUE(RunLines("actionmode 0"));
  EXPECT_EQ(g_actionMode, 0);
  EXPECT_EQ(follower.m_visible, 1);
  Context().m_partyChain.clear();
}

// A row that wants an exact count reports its text for another and changes
// nothing; the run goes on.
TEST_F(CommandGroupsTest, MiscountedLinesOnlyReportTheirSyntax) {
  CSession& session = CSession::GetInstance();
  const struct {
    const char* line;
    const char* text;
  } cases[] = {
      {"gravityfactor", "Syntax Error In garvityfactor"},
      {"frictionfactor 1 2", "Syntax Error In frictionfactor"},
      {"springfactor", "Syntax Error In springfactor"},
      {"rsxeffect", "Syntax Error In rsxeffect"},
      {"alphawhenopaque 1 2", "Syntax Error In alphawhenopaque"},
      {"setmovespeed 1 2", "문법: setspeed x y z"},
      {"actionmode", "Syntax Error: actionmode (1==On or 0==Off)"},
      {"activate", "문법: activate 파티클메이커이름"},
      {"giveexp sizz", "문법: giveexp 주는사람이름 받는사람이름"},
      {"averageexp", "문법: aveexp 받는사람이름"},
      {"callscenarioselect 1 2", "문법 : callscenarioselect [1|2]"},
      {"addworldmappoint", "Syntax Error in addworldmappoint [월드맵명]"},
      {"addcompasspoint a 1", "Syntax Error in addcompasspoint [지역명] [지점x좌표] [지점z좌표]"},
      {"begintimeattack", "Syntax Error: begintimeattack 시간(초단위)"},
      {"addmagic sizz", "문법: addmagic  액터이름  마법이름"},
      {"addskill sizz a b", "문법: addskill  액터이름  마법이름"},
      {"playavi", "Syntax Error: playavi avifilename.avi"},
      {"playcd 1", "Syntax Error : playcd"},
      {"enablesupplylimit 1", "문법 : enablesupplylimit"},
      {"disablesupplylimit 1", "문법 : disablesupplylimit"},
      {"savestate now", "문법 : savestate"},
      {"joinstate now", "문법 : joinstate"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(RunLines(c.line)) << c.line;
    EXPECT_TRUE(Logged(c.text)) << c.line;
    EXPECT_TRUE(m_elder.messages.empty()) << c.line;
  }
  EXPECT_EQ(g_actionMode, 0);
  EXPECT_EQ(g_timeAttack.m_on, 0);
  EXPECT_EQ(Frame().m_compassCount, 0);
  EXPECT_EQ(Frame().m_mode, kModeField);
  EXPECT_EQ(session.inventory[kPotion], 5);
  EXPECT_EQ(session.players[2].exp, 301);
  EXPECT_EQ(GetFieldScriptValue("_disablesupplylimit"), 0);
}

TEST_F(CommandGroupsTest, AWordNoGroupKnowsEndsTheRun) {
  EXPECT_FALSE(RunLines("gravty"));
  EXPECT_TRUE(Logged("Unknown Command gravty"));
}

}  // namespace
