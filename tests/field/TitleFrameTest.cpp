// The title frame's menu: its hot areas, key pacing, choices and the load
// screen, run without a display (nothing is drawn then).
#include "field/TitleFrame.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/AppShell.h"
#include "engine/Controller.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "field/PlayerStart.h"
#include "platform/Keys.h"
#include "session/DataTables.h"
#include "tests/support/TestSupport.h"
#include "ui/UIDesktop.h"

namespace {

TEST(TitleVeil, FadesOutFlashesBackWithTheLogosAndFadesAgain) {
  const std::pair<int, float> cases[] = {{0, 1.0f}, {50, 0.5f}, {99, 0.01f}, {100, 1.0f},
                                         {125, 0.5f}, {149, 0.02f}, {150, 0.0f}, {1000, 0.0f}};
  for (const auto& [tick, veil] : cases) EXPECT_NEAR(CTitleFrame::VeilAt(tick), veil, 1e-5f) << tick;
}

// The title as it stands after Init on a 640 x 480 screen: the menu's text
// area starts at (260, 300).
class TitleFrameTest : public ::testing::Test {
 protected:
  TitleFrameTest() {
    g_appActive = 1;
    g_pMainKeyPad = &m_pad;
    m_frame.m_name = "title";
    m_frame.Init();
    g_pCurrentFrame = &m_frame;
    SetMouse(Pointer{});
  }
  ~TitleFrameTest() override {
    g_pCurrentFrame = nullptr;
    m_frame.Exit();
    g_pMainKeyPad = nullptr;
    SetMouse(Pointer{});
    platform::SetScriptedKey(platform::VK_ESCAPE, false);
    g_appActive = 0;
  }

  struct Pointer {
    int x = 0, y = 0, dx = 0, dy = 0, left = kStateUp;
  };
  // The mouse as MenuInput reads it.
  static void SetMouse(const Pointer& p) {
    CMouse& m = CMouse::GetInstance();
    m.m_x = p.x, m.m_y = p.y, m.m_dx = p.dx, m.m_dy = p.dy;
    m.m_mouseButtons = {p.left, kStateUp};
  }

  // One update of the menu with the keypad's buttons in these states.
  void Update(std::initializer_list<std::pair<int, int>> buttons) {
    m_pad.m_buttons = {};
    for (const auto& [button, state] : buttons) m_pad.m_buttons[button] = state;
    m_frame.MenuInput();
  }
  int Entry() const { return m_frame.m_scroll + m_frame.m_cursor; }

  CKeyPad m_pad;
  CTitleFrame m_frame;
};

TEST_F(TitleFrameTest, HotAreasOfTheMenu) {
  ASSERT_EQ(m_frame.m_menuX, 260);
  ASSERT_EQ(m_frame.m_menuY, 300);
  struct Case {
    int x, y, hit;
  };
  const Case cases[] = {
      {385, 290, -100},  // scroll up, right of the frame at the top
      {385, 350, -99},   // scroll down
      {385, 320, -98},   // scroll bar
      {300, 290, -97},   // the title strip above the rows
      {310, 370, 102},   // the strip below: 25 pixels a slot
      {260, 300, 0},     {370, 339, 1},     {330, 359, 2},
      {259, 310, -1},    {330, 379, -1},    {420, 320, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(m_frame.HitTest(c.x, c.y), c.hit) << c.x << ", " << c.y;
}

// A held key moves once, again when it has been held past 40 updates (on
// the 45th), then every fifth; down from the last entry wraps to the first.
TEST_F(TitleFrameTest, HeldDownIsPacedAndWraps) {
  std::vector<std::pair<int, int>> moves;  // update, entry
  for (int update = 1; update <= 60; ++update) {
    const int before = Entry();
    Update({{kPadDown, update == 1 ? kStatePressed : kStateHeld}});
    if (Entry() != before) moves.emplace_back(update, Entry());
  }
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{1, 1}, {45, 2}, {50, 0}, {55, 1}, {60, 2}}));
}

TEST_F(TitleFrameTest, UpFromTheFirstEntryWrapsToTheLast) {
  Update({{kPadUp, kStatePressed}});
  EXPECT_EQ(m_frame.m_cursor, 2);
  EXPECT_EQ(m_frame.m_scroll, 0);
}

// However the entries and rows compare, the cursor never leaves them.
TEST_F(TitleFrameTest, MenuIndicesStayInsideTheEntries) {
  for (int entries : {1, 2, 3, 5}) {
    m_frame.m_entryCount = entries;
    m_frame.m_cursor = m_frame.m_scroll = 0;
    for (int step = 0; step < 12; ++step) {
      Update({{step % 5 == 4 ? kPadUp : kPadDown, kStatePressed}});
      EXPECT_GE(m_frame.m_scroll, 0) << entries;
      EXPECT_LT(m_frame.m_cursor, 3) << entries;
      EXPECT_GE(Entry(), 0) << entries;
      EXPECT_LT(Entry(), entries) << entries;
    }
    SetMouse(Pointer{300, 345, 1, 0, kStateUp});  // hover over row 2
    Update({});
    EXPECT_LT(Entry(), entries) << entries;
  }
}

TEST_F(TitleFrameTest, HoverMovesTheCursorOnlyWhenTheMouseMoves) {
  SetMouse(Pointer{300, 325, 0, 0, kStateUp});
  Update({});
  EXPECT_EQ(m_frame.m_cursor, 0);
  SetMouse(Pointer{300, 325, 0, 2, kStateUp});
  Update({});
  EXPECT_EQ(m_frame.m_cursor, 1);
}

// Every hot area counts as a click on the menu: it chooses the highlighted
// entry (here load game, which opens the load screen).
TEST_F(TitleFrameTest, AClickOnAnyHotAreaChoosesTheHighlightedEntry) {
  const std::pair<int, int> places[] = {{300, 290}, {385, 290}, {385, 350}, {385, 320}, {310, 370}, {300, 325}};
  for (const auto& [x, y] : places) {
    m_frame.m_phase = 0;
    m_frame.m_cursor = 1;
    SetMouse(Pointer{x, y, 0, 0, kStatePressed});
    Update({});
    EXPECT_EQ(m_frame.m_phase, 1) << x << ", " << y;
    EXPECT_NE(m_frame.m_desktop, nullptr) << x << ", " << y;
  }
  m_frame.m_phase = 0;
  SetMouse(Pointer{100, 100, 0, 0, kStatePressed});
  Update({});
  EXPECT_EQ(m_frame.m_phase, 0);
}

TEST_F(TitleFrameTest, NewGameStartsAtTheNewGamePlaceInTheFrameNewgame) {
  g_playerStart = PlayerStart{12.0f, 3.0f, 40.0f, 90.0f};
  CItemMgr::GetInstance().Free();
  testsupport::DebugLogCapture log;
  Update({{4, kStatePressed}});
  EXPECT_EQ(g_playerStart.x, 0.0f);
  EXPECT_EQ(g_playerStart.z, 75.0f);
  // Nothing of the earlier game's place stays: the ground's height, facing 0.
  EXPECT_EQ(g_playerStart.y, -1.0f);
  EXPECT_EQ(g_playerStart.heading, 0.0f);
  EXPECT_EQ(CFrameMgr::GetInstance().NextName(), "newgame");
  EXPECT_EQ(m_frame.m_running, 0);
  EXPECT_TRUE(log.Contains("diary/item.txt"));  // the item table is read again (here it is missing)
}

TEST_F(TitleFrameTest, EscapeInTheLoadScreenReturnsToTheMenu) {
  m_frame.m_cursor = 1;
  Update({{4, kStatePressedAgain}});  // a quick second tap chooses too
  ASSERT_EQ(m_frame.m_phase, 1);
  ASSERT_NE(m_frame.m_desktop, nullptr);
  EXPECT_TRUE(m_frame.m_desktop->IsOpen());
  m_pad.m_buttons = {};
  m_frame.RunTitlePass();
  EXPECT_EQ(m_frame.m_phase, 1);  // the screen stays open without Escape
  platform::SetScriptedKey(platform::VK_ESCAPE, true);
  m_frame.RunTitlePass();
  EXPECT_EQ(m_frame.m_phase, 0);
  EXPECT_EQ(m_frame.m_running, 1);
  platform::SetScriptedKey(platform::VK_ESCAPE, false);
  m_frame.RunTitlePass();
  EXPECT_EQ(m_frame.m_desktop, nullptr);  // the menu pass deletes what is left
}

// Quitting cannot be undone in a process: the choice is made in a child.
TEST(TitleQuit, TheThirdEntryQuitsTheProgram) {
  const auto run = [] {
    CKeyPad pad;
    g_pMainKeyPad = &pad;
    CTitleFrame frame;
    frame.Init();
    frame.m_cursor = 2;
    pad.m_buttons[4] = kStatePressed;
    frame.MenuInput();
    std::fprintf(stderr, "running=%d", CFrameMgr::GetInstance().IsRunning() ? 1 : 0);
    std::exit(0);
  };
  EXPECT_EXIT(run(), ::testing::ExitedWithCode(0), "running=0");
}

}  // namespace
