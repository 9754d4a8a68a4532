// The battle widgets: the desk top's tick, the menus' layout and their
// rows, tabs, scroll bars, help line and equipment box.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "engine/Controller.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "platform/Keys.h"
#include "render/3dFrame.h"
#include "render/Font.h"
#include "render/PixelRC.h"
#include "tests/session/MenuListFixture.h"
#include "tests/support/TestSupport.h"
#include "ui/BICaptionDeskTop.h"
#include "ui/BIEquipStatusBox.h"
#include "ui/BIMenu.h"
#include "ui/BIMenuList.h"
#include "ui/BIMenuParts.h"
#include "ui/BIStatusBox.h"
#include "ui/BattleMenuSet.h"

namespace {

using menulists::MenuListTest;

// Records what the widgets send the game frame.
class RecordingFrame : public C3dFrame {
 public:
  void OnMessage(CObject*, int type, intptr_t a, intptr_t b, intptr_t) override {
    messages.push_back({type, static_cast<int>(a), static_cast<int>(b)});
    if (closeOnCommand && type == 6) BICaptionDeskTop::Instance()->Close();
  }
  std::vector<std::array<int, 3>> messages;
  bool closeOnCommand = false;  // as the battle's answer to attack does
};

namespace battlewidgetstest {
// Logs each handler that reaches it as "name:Handler".
struct Recorder : BICaption {
  Recorder(std::vector<std::string>* log, std::string name, int x, int focused)
      : BICaption(x, 0, 100, 100), log(log), name(std::move(name)) {
    m_focused = focused;
  }
  void Add(const char* what) { log->push_back(name + ":" + what); }
  void Notify(BICaption*, int code, int, int, int) override { log->push_back(name + ":N" + std::to_string(code)); }
  void PollHotkeys() override { Add("Poll"); }
  void OnConfirmKey() override { Add("Confirm"); }
  void OnBackKey() override { Add("Back"); }
  void OnPageKey() override { Add("Page"); }
  void OnUpKey() override { Add("Up"); }
  void OnDownKey() override { Add("Down"); }
  void OnClick() override { Add("Click"); }
  void OnHover() override { Add("Hover"); }
  void OnDrag() override { Add("Drag"); }
  void OnBlur() override { Add("Blur"); }
  void OnPointerIdle() override { Add("Idle"); }
  void OnWheel() override { Add("Wheel"); }
  std::vector<std::string>* log;
  std::string name;
};
}  // namespace battlewidgetstest

constexpr int kFirstFood = menulists::kItemCount;  // foods added after the shared table

class BattleWidgetsTest : public MenuListTest {
 public:  // the case tables' set-ups reach in
  void SetUp() override {
    MenuListTest::SetUp();
    std::string items = menulists::Items();
    for (int f = 0; f < 9; ++f) items += menulists::ItemText("F", 0, "food" + std::to_string(f), 7);
    Write("data/diary/item.txt", items);
    ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    menus.Build();
    std::memcpy(m_savedWidths, AsciiWidths, sizeof AsciiWidths);
    std::fill(std::begin(AsciiWidths), std::end(AsciiWidths), 10);
    m_rc.SetViewSize(640, 480);
    m_frame.m_pRC = &m_rc;
    m_savedFrame = g_pCurrentFrame;
    g_pCurrentFrame = &m_frame;
    m_savedPad = g_pMainKeyPad;
    g_pMainKeyPad = &m_pad;
    ResetMouse();
    m_mouse.m_x = m_mouse.m_y = 0;
    desk.Close();
    desk.m_tabPages = {};
    desk.m_pointerMoved = 0;
    desk.SetActingPosition(kSizz);
  }
  void TearDown() override {
    desk.Close();
    desk.m_active = nullptr;
    platform::ClearScriptedKeys();
    g_pMainKeyPad = m_savedPad;
    g_pCurrentFrame = m_savedFrame;
    m_frame.m_pRC = nullptr;
    std::memcpy(AsciiWidths, m_savedWidths, sizeof AsciiWidths);
    ResetMouse();
    menus.Destroy();
    MenuListTest::TearDown();
  }

  void ResetMouse() {
    m_mouse.m_dx = m_mouse.m_dy = m_mouse.m_wheel = 0;
    m_mouse.m_mouseButtons = {};
    m_mouse.m_mouseDown = {};
  }
  void Pad(int button, int32_t state) { m_pad.m_buttons[static_cast<size_t>(button)] = state; }
  void Foods(int n) {
    for (int f = 0; f < n; ++f) session.AddItem(kFirstFood + f, 1);
  }
  BIMenu* MenuAt(int n) {
    for (BICaption* child : desk.m_children) {
      if (auto* menu = dynamic_cast<BIMenu*>(child); menu != nullptr && n-- == 0) return menu;
    }
    return nullptr;
  }
  template <class T>
  static T* ChildOf(const BICaption& parent) {
    for (BICaption* child : parent.m_children) {
      if (auto* found = dynamic_cast<T*>(child)) return found;
    }
    return nullptr;
  }
  static BIMenuList* Row(const BIMenu& menu, int index) {
    for (BICaption* child : menu.m_children) {
      auto* row = dynamic_cast<BIMenuList*>(child);
      if (row != nullptr && row->m_index == index) return row;
    }
    return nullptr;
  }
  // No widgets, the magic user acting.
  void Reopen() {
    desk.Close();
    desk.m_tabPages = {};
    desk.SetActingPosition(kSizz);
  }
  // A top-level menu of the key on the desk top.
  BIMenu* NewMenu(int key) {
    auto* menu = new BIMenu;
    desk.AddChild(menu);
    menu->Fill(key);
    return menu;
  }

  BICaptionDeskTop& desk = BICaptionDeskTop::GetInstance();
  CBattleMenuSet& menus = CBattleMenuSet::GetInstance();
  CMouse& m_mouse = CMouse::GetInstance();
  CPixelRC m_rc{kLayout565};
  RecordingFrame m_frame;
  CFrame* m_savedFrame = nullptr;
  CKeyPad m_pad;
  CKeyPad* m_savedPad = nullptr;
  int32_t m_savedWidths[kAsciiGlyphCount]{};
};

// ---- The desk top's tick ----

TEST_F(BattleWidgetsTest, OnKeyServesOneStepATick) {
  std::vector<std::string> log;
  struct Case {
    const char* what;
    std::function<void(BattleWidgetsTest&, battlewidgetstest::Recorder&, battlewidgetstest::Recorder&)> setup;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"an active widget is dragged while the button is down, and nothing else runs",
       [](BattleWidgetsTest& t, battlewidgetstest::Recorder& a, battlewidgetstest::Recorder&) {
         t.desk.m_active = &a;
         t.m_mouse.m_mouseDown[0] = true;
         t.Pad(4, kStatePressed);
       },
       {"a:Drag"}},
      {"and blurred and let go when it is up",
       [](BattleWidgetsTest& t, battlewidgetstest::Recorder& a, battlewidgetstest::Recorder&) {
         t.desk.m_active = &a;
         t.Pad(4, kStatePressed);
       },
       {"a:Blur"}},
      {"a pending notice takes the tick",
       [](BattleWidgetsTest& t, battlewidgetstest::Recorder&, battlewidgetstest::Recorder& f) {
         t.desk.Defer(&f, 8);
         t.Pad(0, kStatePressed);
       },
       {"f:N8"}},
      {"confirm, repeating, beats the other pad keys and stops the pointer",
       [](BattleWidgetsTest& t, battlewidgetstest::Recorder&, battlewidgetstest::Recorder&) {
         t.Pad(5, kStatePressedAgain);
         t.Pad(0, kStatePressed);
         t.m_mouse.m_dx = 3;
         t.m_mouse.m_mouseButtons[0] = kStatePressed;
       },
       {"f:Confirm"}},
      {"back before page, up and down",
       [](BattleWidgetsTest& t, battlewidgetstest::Recorder&, battlewidgetstest::Recorder&) {
         for (int b = 0; b < 4; ++b) t.Pad(b, kStatePressed);
       },
       {"f:Back"}},
      {"a held pad key does not repeat", [](BattleWidgetsTest& t, battlewidgetstest::Recorder&, battlewidgetstest::Recorder&) { t.Pad(3, kStateHeld); },
       {"f:Poll"}},
      {"a click beats the wheel and a move",
       [](BattleWidgetsTest& t, battlewidgetstest::Recorder&, battlewidgetstest::Recorder&) {
         t.m_mouse.m_mouseButtons[0] = kStatePressed;
         t.m_mouse.m_wheel = -120;
         t.m_mouse.m_dx = 2;
       },
       {"f:Poll", "a:Click"}},
      {"the wheel beats a move",
       [](BattleWidgetsTest& t, battlewidgetstest::Recorder&, battlewidgetstest::Recorder&) {
         t.m_mouse.m_wheel = 120;
         t.m_mouse.m_dy = 2;
       },
       {"f:Poll", "a:Wheel"}},
      {"the wheel alone is no move of the pointer",
       [](BattleWidgetsTest& t, battlewidgetstest::Recorder&, battlewidgetstest::Recorder&) { t.m_mouse.m_wheel = 120; }, {"f:Poll"}},
      {"but turns once the pointer has moved",
       [](BattleWidgetsTest& t, battlewidgetstest::Recorder&, battlewidgetstest::Recorder&) {
         t.desk.m_pointerMoved = 1;
         t.m_mouse.m_wheel = 120;
       },
       {"f:Poll", "a:Wheel"}},
      {"a move hovers", [](BattleWidgetsTest& t, battlewidgetstest::Recorder&, battlewidgetstest::Recorder&) { t.m_mouse.m_dy = 2; }, {"f:Poll", "a:Hover"}},
      {"a still pointer after a move idles", [](BattleWidgetsTest& t, battlewidgetstest::Recorder&, battlewidgetstest::Recorder&) { t.desk.m_pointerMoved = 1; },
       {"f:Poll", "a:Idle"}},
      {"but not with a button held",
       [](BattleWidgetsTest& t, battlewidgetstest::Recorder&, battlewidgetstest::Recorder&) {
         t.desk.m_pointerMoved = 1;
         t.m_mouse.m_mouseDown[1] = true;
       },
       {"f:Poll"}},
      {"a still pointer never moved does nothing", [](BattleWidgetsTest&, battlewidgetstest::Recorder&, battlewidgetstest::Recorder&) {}, {"f:Poll"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    desk.Close();
    log.clear();
    auto* a = new battlewidgetstest::Recorder(&log, "a", 0, 0);
    auto* f = new battlewidgetstest::Recorder(&log, "f", 200, 1);
    auto* g = new battlewidgetstest::Recorder(&log, "g", 400, 1);  // focused too, but later in the list
    desk.AddChild(a);
    desk.AddChild(f);
    desk.AddChild(g);
    desk.m_pointerMoved = 0;
    m_pad.m_buttons = {};
    ResetMouse();
    m_mouse.m_x = m_mouse.m_y = 50;
    c.setup(*this, *a, *f);
    desk.OnKey();
    EXPECT_EQ(log, c.expected);
  }
  // What the first ticks left behind.
  desk.Close();
}

TEST_F(BattleWidgetsTest, AHeldLetterHoldsBackTheHotkeysUntilEveryLetterIsUp) {
  std::vector<std::string> log;
  desk.AddChild(new battlewidgetstest::Recorder(&log, "f", 200, 1));
  const auto tick = [&](bool down) {
    platform::SetScriptedKey('D', down);
    log.clear();
    desk.OnKey();
    return log.size();
  };
  EXPECT_EQ(tick(true), 1u);   // polled, and D latches
  EXPECT_EQ(tick(true), 0u);   // still held
  EXPECT_EQ(tick(false), 0u);  // released: the latch clears after this tick
  EXPECT_EQ(tick(false), 1u);
}

// ---- Layout ----

TEST_F(BattleWidgetsTest, MenusAreSizedByTheirEntries) {
  const struct {
    int foods;
    int height;
    bool scrollBar;
  } cases[] = {{3, 100, false}, {9, 200, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.foods);
    session.Init();
    Member(10, "sizz", 1);
    session.partyIds[0] = 10;
    session.partyCount = 1;
    Foods(c.foods);
    Reopen();
    BIMenu* menu = NewMenu(CBattleMenuSet::kItemPage);
    EXPECT_EQ(menu->m_count, c.foods);
    EXPECT_EQ(menu->m_height, c.height);
    // "food0 x 1": 90 pixels, widened to the least 100, then the frame's 30.
    EXPECT_EQ(menu->m_width, 130);
    EXPECT_EQ(Row(*menu, 0)->m_width, 100);
    EXPECT_EQ(ChildOf<BIMenuScrollBar>(*menu) != nullptr, c.scrollBar);
    ASSERT_NE(menu->m_tab, nullptr);
    EXPECT_EQ(menu->m_tab->m_y, c.height - 20);
    EXPECT_EQ(ChildOf<BIScroller>(*menu)->m_width, 110);
    // The eight shown rows in place; a ninth waits beside the menu.
    EXPECT_EQ(Row(*menu, 2)->m_y, 60);
    EXPECT_EQ(Row(*menu, 2)->m_x, 0);
    if (c.foods == 9) {
      EXPECT_EQ(Row(*menu, 8)->m_x, 130);
    }
  }
  // A wide name widens the menu to a multiple of 20.
  session.AddItem(menulists::kLongName, 1);
  Reopen();
  BIMenu* menu = NewMenu(CBattleMenuSet::kItemPage);
  ASSERT_EQ(menu->m_count, 10) << menu->m_key;
  const int wide = m_rc.GetTextWidth(Row(*menu, 0)->m_name.c_str());
  EXPECT_EQ(menu->m_width, std::max(wide, 100) / 20 * 20 + 30);
}

TEST_F(BattleWidgetsTest, ASubMenuOpensBesideItsMenuOrLeftOfItAtTheEdge) {
  for (int viewWidth : {640, 800}) {
    SCOPED_TRACE(viewWidth);
    m_rc.SetViewSize(viewWidth, 600);
    desk.Build(0);
    BIMenu* main = MenuAt(0);
    main->m_x = 450;
    main->m_y = 100;
    BIMenuList* magic = Row(*main, 2);
    magic->OpenSubMenu();
    BIMenu* sub = MenuAt(1);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->m_owner, magic);
    EXPECT_EQ(sub->m_focused, 1);
    EXPECT_EQ(sub->m_y, 100 + 60 - 20);
    const int right = 450 + main->m_width + 20;
    EXPECT_EQ(sub->m_x, right + sub->m_width > viewWidth - 12 ? 450 - sub->m_width : right);
    EXPECT_EQ(viewWidth == 640, sub->m_x < 450);
  }
}

TEST_F(BattleWidgetsTest, ATabRefillKeepsItsPlaceInsideTheView) {
  Foods(3);
  session.AddItem(menulists::kFirstOfKind + 9, 1);  // a grenade, on page 1
  for (const int x : {300, 560}) {
    Reopen();
    BIMenu* menu = NewMenu(CBattleMenuSet::kItemPage);
    menu->m_x = x;
    menu->m_focused = 1;
    menu->OnPageKey();
    EXPECT_EQ(menu->m_key, CBattleMenuSet::kItemPage + 1);
    EXPECT_EQ(desk.m_tabPages[2], 1);
    EXPECT_EQ(menu->m_x, std::min(x, 640 - 5 - menu->m_width));
    EXPECT_EQ(Row(*menu, 0)->m_highlight, 1);
  }
}

TEST_F(BattleWidgetsTest, AMenuWithoutARecordStaysEmpty) {
  testsupport::DebugLogCapture log;
  BIMenu* menu = NewMenu(77);
  EXPECT_TRUE(log.Contains("Menu Does Not Exist"));
  EXPECT_EQ(menu->m_count, 0);
  EXPECT_EQ(ChildOf<BIMenuList>(*menu), nullptr);
  EXPECT_EQ(menu->m_height, 40);
}

// ---- Scrolling and tabs ----

// A key press moves the first shown row by one toward the selection, even
// when the selection wraps to the other end.
TEST_F(BattleWidgetsTest, MovingPastTheEighthRowScrollsByOne) {
  Foods(9);
  session.AddItem(menulists::kFirstOfKind + 7, 1);
  session.AddItem(menulists::kLongName, 1);
  BIMenu* menu = NewMenu(CBattleMenuSet::kItemPage);
  ASSERT_EQ(menu->m_count, 11);
  menu->m_focused = 1;
  menu->NotifyTree(nullptr, 1, 0, 0, 0);
  menu->OnUpKey();  // to the last row: one row down, not the whole way
  EXPECT_EQ(menu->m_selected, 10);
  EXPECT_EQ(menu->m_firstShown, 1);
  menu->OnDownKey();  // back to the top
  EXPECT_EQ(menu->m_firstShown, 0);
  for (int i = 0; i < 7; ++i) menu->OnDownKey();
  EXPECT_EQ(menu->m_firstShown, 0);
  menu->OnDownKey();
  EXPECT_EQ(menu->m_selected, 8);
  EXPECT_EQ(menu->m_firstShown, 1);
  EXPECT_EQ(Row(*menu, 8)->m_y, 160);
  EXPECT_EQ(Row(*menu, 8)->m_highlight, 1);
  EXPECT_EQ(Row(*menu, 0)->m_x, menu->m_width);
  menu->OnDownKey();
  menu->OnDownKey();
  EXPECT_EQ(menu->m_selected, 10);
  EXPECT_EQ(menu->m_firstShown, 3);
  menu->OnDownKey();  // wraps to the top, which comes one row nearer
  EXPECT_EQ(menu->m_selected, 0);
  EXPECT_EQ(menu->m_firstShown, 2);
  menu->OnUpKey();
  EXPECT_EQ(menu->m_selected, 10);
  EXPECT_EQ(menu->m_firstShown, 3);
}

// A click on a row sends its command and takes the focus; the selection,
// the help line and the other rows stay as they were.
TEST_F(BattleWidgetsTest, AClickOnARowOnlyTakesTheFocusAndSendsItsCommand) {
  desk.Build(1);
  BIMenu* main = MenuAt(0);
  ASSERT_EQ(Row(*main, 0)->m_focused, 1);
  Row(*main, 1)->OnClick();
  ASSERT_EQ(m_frame.messages.size(), 1u);
  EXPECT_EQ(m_frame.messages[0], (std::array<int, 3>{6, 1, 1}));
  EXPECT_EQ(Row(*main, 1)->m_focused, 1);
  EXPECT_EQ(Row(*main, 0)->m_focused, 1);
  EXPECT_EQ(main->m_selected, 0);
  EXPECT_EQ(desk.m_statusBox->m_framesLeft, 0);
}

TEST_F(BattleWidgetsTest, TheScrollBarClampsItsTrackArrowsDragAndWheel) {
  Foods(9);  // 9 rows: the first shown is 0 or 1
  BIMenu* menu = NewMenu(CBattleMenuSet::kItemPage);
  menu->m_x = 100;
  menu->m_y = 100;
  BIMenuScrollBar* bar = ChildOf<BIMenuScrollBar>(*menu);
  ASSERT_NE(bar, nullptr);
  const int left = 100 + bar->m_x + 5, top = 100, foot = top + bar->m_height;
  const auto clickAt = [&](int y) {
    m_mouse.m_x = left;
    m_mouse.m_y = y;
    bar->OnClick();
    return menu->m_firstShown;
  };
  EXPECT_EQ(clickAt(top + 2), 0);       // the top arrow at the top
  EXPECT_EQ(clickAt(foot - 2), 1);      // the bottom arrow
  EXPECT_EQ(clickAt(foot - 2), 1);      // not past the last page
  EXPECT_EQ(clickAt(foot - 24), 1);     // the track's foot: the last page, not one past
  EXPECT_EQ(desk.m_active, bar);
  EXPECT_EQ(clickAt(top + 24), 0);
  m_mouse.m_y = top - 50;
  bar->OnDrag();
  EXPECT_EQ(menu->m_firstShown, 0);
  m_mouse.m_y = foot + 50;
  bar->OnDrag();
  EXPECT_EQ(menu->m_firstShown, 1);
  desk.m_active = nullptr;
  // Three rows a notch, within the pages.
  for (int f = 0; f < 9; ++f) session.AddItem(menulists::kFirstOfKind + 7, 1);
  session.AddItem(menulists::kLongName, 1);
  Reopen();
  menu = NewMenu(CBattleMenuSet::kItemPage);
  bar = ChildOf<BIMenuScrollBar>(*menu);
  ASSERT_EQ(menu->m_count, 11);
  const auto wheel = [&](int notch) {
    m_mouse.m_wheel = notch;
    menu->OnWheel();
    return menu->m_firstShown;
  };
  EXPECT_EQ(wheel(-120), 3);
  EXPECT_EQ(wheel(-120), 3);
  EXPECT_EQ(wheel(120), 0);
}

TEST_F(BattleWidgetsTest, ATabPageWithoutAMenuIsSkipped) {
  Foods(2);
  BIMenu* menu = NewMenu(CBattleMenuSet::kItemPage);
  menu->m_focused = 1;
  menu->m_tab->m_pageKeys[1] = -1;
  menu->OnPageKey();
  EXPECT_EQ(menu->m_tab->m_page, 2);
  EXPECT_EQ(menu->m_key, CBattleMenuSet::kItemPage + 2);
  // A click on the keyless page leaves the page as it was.
  menu->m_tab->m_pageKeys[1] = -1;
  int x = 0, y = 0;
  menu->m_tab->GetAbsPos(&x, &y);
  m_mouse.m_x = x + BIMenuTab::kPageWidth + 3;
  m_mouse.m_y = y + 3;
  menu->m_tab->OnClick();
  EXPECT_EQ(menu->m_tab->m_page, 2);
  m_mouse.m_x = x + 3;
  menu->m_tab->OnClick();
  EXPECT_EQ(menu->m_key, CBattleMenuSet::kItemPage);
  EXPECT_EQ(desk.m_tabPages[2], 0);
}

TEST_F(BattleWidgetsTest, APressOnATabTurnsThePageAndChoosesNothing) {
  Foods(9);
  session.AddItem(menulists::kFirstOfKind + 9, 1);  // one grenade on page 1
  desk.Build(0);
  // Where a full page's tab reaches into the help line below it.
  desk.m_menuX = 220;
  desk.m_menuY = 165;
  desk.m_tabPages[2] = 1;
  desk.Build(0);
  Row(*MenuAt(0), 3)->OpenSubMenu();
  BIMenu* sub = MenuAt(1);
  ASSERT_NE(sub, nullptr);
  ASSERT_EQ(sub->m_key, CBattleMenuSet::kItemPage + 1);
  // One press, through the desk top's tick, then its release.
  const auto press = [&](int x, int y, int32_t state) {
    ResetMouse();
    m_mouse.m_x = x;
    m_mouse.m_y = y;
    m_mouse.m_mouseButtons[0] = state;
    m_mouse.m_mouseDown[0] = true;
    desk.OnKey();
    ResetMouse();
    m_mouse.m_mouseButtons[0] = kStateReleased;
    desk.OnKey();
  };
  int x = 0, y = 0;
  sub->m_tab->GetAbsPos(&x, &y);
  // A double press on page 0: the longer page puts its second row where the
  // tab was, and the second half of the press does not choose it.
  press(x + 3, y + 5, kStatePressed);
  ASSERT_EQ(sub->m_key, CBattleMenuSet::kItemPage);
  ASSERT_EQ(sub->m_count, 9);
  press(x + 3, y + 5, kStatePressedAgain);
  EXPECT_TRUE(m_frame.messages.empty());
  // The full page's tab lies over the help line, and takes the press.
  sub->m_tab->GetAbsPos(&x, &y);
  ASSERT_TRUE(desk.m_statusBox->Holds(x + 3, y + 15));
  press(x + BIMenuTab::kPageWidth + 3, y + 15, kStatePressed);
  EXPECT_EQ(sub->m_key, CBattleMenuSet::kItemPage + 1);
  EXPECT_TRUE(m_frame.messages.empty());
  // A fresh press on a row uses it.
  int rowX = 0, rowY = 0;
  Row(*sub, 0)->GetAbsPos(&rowX, &rowY);
  press(rowX + 5, rowY + 5, kStatePressed);
  ASSERT_EQ(m_frame.messages.size(), 1u);
  EXPECT_EQ(m_frame.messages[0], (std::array<int, 3>{6, CBattleMenuSet::kUseItem, 0}));
}

TEST_F(BattleWidgetsTest, DragHandlesKeepTheirWidgetInsideTheView) {
  for (const auto& [w, h] : {std::pair{640, 480}, std::pair{800, 600}}) {
    SCOPED_TRACE(w);
    m_rc.SetViewSize(w, h);
    desk.Build(0);
    BIMenu* menu = MenuAt(0);
    BIScroller* handle = ChildOf<BIScroller>(*menu);
    m_mouse.m_x = menu->m_x + 5;
    m_mouse.m_y = menu->m_y + 5;
    handle->OnClick();
    EXPECT_EQ(desk.m_active, handle);
    m_mouse.m_x = m_mouse.m_y = 0;
    handle->OnDrag();
    EXPECT_EQ(menu->m_x, 25);
    EXPECT_EQ(menu->m_y, 5);
    m_mouse.m_x = w + 100;
    m_mouse.m_y = h + 100;
    handle->OnDrag();
    EXPECT_EQ(menu->m_x, w - menu->m_width - 15);
    EXPECT_EQ(menu->m_y, h - menu->m_height);
    desk.m_active = nullptr;
  }
}

// ---- Commands and links ----

TEST_F(BattleWidgetsTest, AHotkeyCommandReachesTheFrameAndItsMenuIsRebuiltNextTick) {
  desk.Build(1);
  BIMenu* main = MenuAt(0);
  platform::SetScriptedKey('D', true);
  desk.OnKey();
  ASSERT_EQ(m_frame.messages.size(), 1u);
  EXPECT_EQ(m_frame.messages[0], (std::array<int, 3>{6, 1, 1}));
  EXPECT_EQ(Row(*main, 1)->m_highlight, 1);
  EXPECT_EQ(main->m_selected, 1);
  EXPECT_TRUE(desk.HasDeferred());
  EXPECT_EQ(main->m_pendingKey, 1);
  desk.OnKey();  // the rebuild takes this tick
  EXPECT_FALSE(desk.HasDeferred());
  EXPECT_EQ(main->m_pendingKey, -1);
  EXPECT_EQ(main->m_count, 8);
  EXPECT_EQ(Row(*main, 0)->m_highlight, 1);
  EXPECT_EQ(Row(*main, 1)->m_highlight, 0);
  desk.OnKey();  // D is still held: no second command
  EXPECT_EQ(m_frame.messages.size(), 1u);
}

TEST_F(BattleWidgetsTest, ACommandWhoseAnswerClosesTheMenuClosesItOnceTheKeyIsHandled) {
  desk.Build(1);
  desk.OnKey();  // no letter held from before
  m_frame.closeOnCommand = true;
  platform::SetScriptedKey('A', true);
  desk.OnKey();  // the row that sent the command is still in use when the answer comes
  EXPECT_EQ(m_frame.messages.size(), 1u);
  EXPECT_TRUE(desk.m_children.empty());
  desk.Build(1);  // a menu built afterwards stays
  EXPECT_FALSE(desk.m_children.empty());
}

TEST_F(BattleWidgetsTest, PadKeysWalkIntoASubMenuAndBack) {
  desk.Build(0);
  BIMenu* main = MenuAt(0);
  const auto press = [&](int button) {
    m_pad.m_buttons = {};
    Pad(button, kStatePressed);
    desk.OnKey();
  };
  press(3);
  press(3);
  BIMenu* sub = MenuAt(1);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->m_key, CBattleMenuSet::kMagicPage);
  EXPECT_EQ(main->m_focused, 1);
  press(2);  // into the sub-menu
  EXPECT_EQ(main->m_focused, 0);
  EXPECT_EQ(sub->m_focused, 1);
  press(1);  // and back
  EXPECT_EQ(main->m_focused, 1);
  EXPECT_EQ(sub->m_focused, 0);
  press(0);  // another row: the sub-menu goes
  EXPECT_EQ(MenuAt(1), nullptr);
}

// The right key into a sub-menu tells about the row it lands on. The help
// line lies where a pointer rests at the foot of the screen; resting there,
// the pointer leaves the keys with the menu.
TEST_F(BattleWidgetsTest, TheKeyIntoASubMenuShowsItsHelpLineAndAPointerRestingThereLeavesEnterToTheRow) {
  Foods(2);
  desk.Build(0);
  const auto press = [&](int button) {
    m_pad.m_buttons = {};
    Pad(button, kStatePressed);
    desk.OnKey();
    m_pad.m_buttons = {};
  };
  for (int i = 0; i < 3; ++i) press(3);  // down to the items, which open
  press(2);                              // into them: the first food's help line
  const ITM* first = CItemMgr::GetInstance().GetItem(kFirstFood);
  EXPECT_EQ(desk.m_statusBox->m_lines[0], first->name + ": " + first->desc);
  EXPECT_EQ(desk.m_statusBox->m_framesLeft, BIStatusBox::kShowFrames);
  press(3);  // the second food
  BIMenu* sub = MenuAt(1);
  ASSERT_NE(sub, nullptr);
  ASSERT_EQ(sub->m_key, CBattleMenuSet::kItemPage);
  int x = 0, y = 0;
  desk.m_statusBox->GetAbsPos(&x, &y);
  m_mouse.m_x = x + 300;
  m_mouse.m_y = y + 30;
  for (BICaption* menu : {MenuAt(0), sub}) ASSERT_FALSE(menu->Holds(m_mouse.m_x, m_mouse.m_y));
  m_mouse.m_dy = 4;  // moved there
  desk.OnKey();
  ResetMouse();
  for (int tick = 0; tick < 3; ++tick) desk.OnKey();  // and resting
  EXPECT_EQ(sub->m_focused, 1);
  press(4);
  ASSERT_EQ(m_frame.messages.size(), 1u);
  EXPECT_EQ(m_frame.messages[0], (std::array<int, 3>{6, CBattleMenuSet::kUseItem, 1}));
  // The keys still walk the menu with the pointer there.
  press(0);
  EXPECT_EQ(sub->m_selected, 0);
}

TEST_F(BattleWidgetsTest, NoLinkOutlivesItsWidget) {
  desk.Build(0);
  BIMenuList* equip = Row(*MenuAt(0), 4);
  equip->OpenSubMenu();
  BIMenu* sub = MenuAt(1);
  ASSERT_NE(sub, nullptr);
  BIEquipStatusBox* box = ChildOf<BIEquipStatusBox>(desk);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->m_menu, sub);
  EXPECT_EQ(box->m_children.size(), 9u);  // the handle and eight releasers
  // A rebuild pending for the sub-menu is forgotten with it.
  sub->Notify(nullptr, 6, sub->m_key, 0, 0);
  EXPECT_TRUE(desk.HasDeferred());
  equip->OnBlur();
  EXPECT_EQ(MenuAt(1), nullptr);
  EXPECT_EQ(ChildOf<BIEquipStatusBox>(desk), nullptr);
  EXPECT_EQ(equip->m_subMenu, nullptr);
  EXPECT_FALSE(desk.HasDeferred());
  desk.OnKey();
  // A new battle while a rebuild is pending and a box is open.
  equip->OpenSubMenu();
  MenuAt(1)->Notify(nullptr, 6, CBattleMenuSet::kEquipPage, 0, 0);
  desk.m_active = ChildOf<BIScroller>(*ChildOf<BIEquipStatusBox>(desk));
  desk.Build(1);
  EXPECT_EQ(desk.m_active, nullptr);
  EXPECT_FALSE(desk.HasDeferred());
  desk.OnKey();
  // A box whose menu is gone does nothing.
  BIEquipStatusBox orphan;
  orphan.m_width = 487;
  orphan.Notify(nullptr, 7, 0, 0, 0);
  ChildOf<BIEquipStatuBoxReleaser>(orphan)->OnClick();
  EXPECT_TRUE(m_frame.messages.empty());
}

TEST_F(BattleWidgetsTest, AReleaserTakesThePieceOffAndRebuildsTheEquipmentMenu) {
  PlayerData& sizz = session.players[10];
  sizz.helmet = menulists::kFirstOfKind + 3;
  desk.Build(0);
  Row(*MenuAt(0), 4)->OpenSubMenu();
  BIMenu* sub = MenuAt(1);
  BIEquipStatusBox* box = ChildOf<BIEquipStatusBox>(desk);
  EXPECT_EQ(BIEquipStatusBox::SlotItem(0), menulists::kFirstOfKind + 3);
  EXPECT_EQ(BIEquipStatusBox::SlotItem(1), -1);  // the empty weapon
  BIEquipStatuBoxReleaser* helmet = nullptr;
  for (BICaption* child : box->m_children) {
    auto* r = dynamic_cast<BIEquipStatuBoxReleaser*>(child);
    if (r != nullptr && r->m_slot == 0) helmet = r;
  }
  ASSERT_NE(helmet, nullptr);
  EXPECT_EQ(helmet->m_x, 16);
  EXPECT_EQ(helmet->m_y, 12);
  // The click comes through the desk top, past the box's drag handle.
  m_mouse.m_x = box->m_x + 20;
  m_mouse.m_y = box->m_y + 14;
  m_mouse.m_mouseButtons[0] = kStatePressed;
  desk.m_pointerMoved = 1;
  desk.OnKey();
  ASSERT_EQ(m_frame.messages.size(), 1u);
  EXPECT_EQ(m_frame.messages[0], (std::array<int, 3>{7, 0, 0}));
  EXPECT_EQ(sub->m_pendingKey, -1);  // rebuilt at once
  EXPECT_EQ(MenuAt(1), sub);
}

// ---- The help line ----

TEST_F(BattleWidgetsTest, TheHelpLineDescribesTheHighlightedEntry) {
  PlayerData& sizz = session.players[10];
  sizz.mp1 = 11;
  sizz.mp2 = 22;
  sizz.mp3 = 33;
  Foods(1);
  const ITM* food = CItemMgr::GetInstance().GetItem(kFirstFood);
  const MagicTypeInfo* costly = CMagicMgr::GetInstance().GetMagicTypeInfo(menulists::kMagicCostly);
  const SkillTypeInfo* skill = CSkillMgr::GetInstance().GetSkillTypeInfo(menulists::kSkillCost0);
  struct Case {
    const char* what;
    int menuKey;
    int acting;
    const char* engname;
    int command;
    int index;
    std::string line1, line2;
  };
  const Case cases[] = {
      {"an item", CBattleMenuSet::kItemPage, kSizz, "sizz", 3, 0, food->name + ": " + food->desc, ""},
      {"an index past the list", CBattleMenuSet::kItemPage, kSizz, "sizz", 3, 1, "", ""},
      {"a magic of sizz: its own MP for earth, fire and wind", CBattleMenuSet::kMagicPage + 1, kSizz, "sizz", 9, 1,
       costly->name + ": " + costly->desc, "지(6/33) 화(6/11) 풍(6/22) "},
      {"another magic user", CBattleMenuSet::kMagicPage + 1, kSizz, "kreutzer", 9, 1, costly->name + ": " + costly->desc,
       ""},
      {"a skill", CBattleMenuSet::kSkills, kPeach, "peach", 10, 0, skill->name + ": " + skill->desc, "지성(9/100) "},  // 90 percent at its level
      {"a placeholder row", CBattleMenuSet::kItemPage + 3, kSizz, "sizz", 7, 0, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sizz.engname = c.engname;
    desk.Build(0);
    desk.SetActingPosition(c.acting);
    ASSERT_GE(menus.BuildSubMenu(c.menuKey, c.acting), 0);
    const auto lines = desk.HelpLines(c.command, c.index);
    EXPECT_EQ(lines[0], c.line1);
    EXPECT_EQ(lines[1], c.line2);
    desk.Notify(nullptr, 10, c.command, c.index, 0);
    EXPECT_EQ(desk.m_statusBox->m_framesLeft, c.line1.empty() ? 0 : BIStatusBox::kShowFrames);
  }
}

TEST_F(BattleWidgetsTest, TheStatusBoxHidesAfterItsTime) {
  BIStatusBox box;
  box.Show("line", "");
  for (int f = 0; f < BIStatusBox::kShowFrames; ++f) box.Draw(&m_rc);
  EXPECT_EQ(box.m_framesLeft, 0);
  box.Draw(&m_rc);
  EXPECT_EQ(box.m_framesLeft, 0);
  box.Show("line", "two");
  EXPECT_EQ(box.m_framesLeft, BIStatusBox::kShowFrames);
  box.Show("", "two");
  EXPECT_EQ(box.m_framesLeft, 0);
}

}  // namespace
