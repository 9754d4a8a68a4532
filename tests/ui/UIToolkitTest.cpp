// The widget toolkit: how the desktop routes input through its modal stack,
// and the pop-up menu, member picker, tactics grid and message box.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/TestSupport.h"
#include "tests/ui/UiTestRig.h"
#include "ui/UIDesktop.h"

namespace {

using Log = std::vector<std::string>;

class DesktopTest : public UiTest {
 protected:
  DesktopTest() : m_desktop(std::make_unique<UIDesktop>()) {}
  Recorder* Child(const std::string& name) {
    auto* r = new Recorder(&m_log, name);
    m_desktop->AddChild(r);
    return r;
  }
  // One tick's input as the game frame feeds it.
  void Tick(bool left, bool right) {
    m_desktop->OnMouseMove();
    if (left) m_desktop->OnLButtonDown();
    if (right) m_desktop->OnRButtonDown();
  }

  Log m_log;
  std::unique_ptr<UIDesktop> m_desktop;
};

TEST_F(DesktopTest, InputGoesToTheCaptureWidgetAloneElseToEveryChild) {
  Child("a");
  Child("b");
  Tick(true, true);
  m_desktop->OnWheel();
  EXPECT_EQ(m_log, (Log{"a:M", "b:M", "a:L", "b:L", "a:R", "b:R", "a:W", "b:W"}));

  m_log.clear();
  UIMenu& menu = m_desktop->m_popupMenu;
  menu.AddItem("one", 5, 0, 0, 1);
  menu.Open(100, 100, nullptr);
  EXPECT_EQ(m_desktop->m_capture, &menu);
  Point(300, 300);
  m_desktop->OnMouseMove();
  m_desktop->OnRButtonUp();
  m_desktop->OnWheel();
  EXPECT_TRUE(m_log.empty());
  m_desktop->OnRButtonDown();  // outside: hides
  EXPECT_FALSE(menu.IsShown());
  EXPECT_EQ(m_desktop->m_capture, nullptr);
  m_desktop->OnLButtonDown();
  EXPECT_EQ(m_log, (Log{"a:L", "b:L"}));
}

TEST_F(DesktopTest, NoticesAreForwardedAndTheFirstThreeCodesRemembered) {
  Child("a");
  m_desktop->Notify(nullptr, 1, 7, 8);
  m_desktop->Notify(nullptr, 12, 3, 0);
  EXPECT_EQ(m_desktop->m_lastChoice, 1);
  EXPECT_EQ(m_log, (Log{"a:N1,7,8", "a:N12,3,0"}));
}

TEST_F(DesktopTest, AMessageBoxShownKeepsTheTreeFromInput) {
  Child("list");
  m_desktop->m_messageBox.SetText("hello", nullptr, 0, 0, 0);
  m_desktop->m_messageBox.Popup(nullptr, UIMessage::kOk, 100, 100);
  Point(10, 10);
  Tick(true, true);
  m_desktop->OnLButtonUp();
  EXPECT_TRUE(m_log.empty());
  EXPECT_TRUE(m_desktop->m_messageBox.IsShown());
}

// A menu over the message box, hidden by a left press and then a right
// press in the same tick, leaves the box on top: each hide takes only the
// menu's own entry off the stack.
TEST_F(DesktopTest, HidingTwiceInOneTickKeepsTheBoxUnderTheMenuOnTop) {
  UIMessage& box = m_desktop->m_messageBox;
  box.SetText("question", nullptr, 0, 0, 0);
  box.Popup(nullptr, UIMessage::kOk, 300, 300);
  UIMenu& menu = m_desktop->m_popupMenu;
  menu.AddItem("one", 1, 0, 0, 1);
  menu.Open(10, 10, nullptr);
  ASSERT_EQ(m_desktop->m_modalStack.size(), 2u);
  Point(200, 200);
  menu.OnLButtonDown();  // outside: hides
  menu.OnRButtonDown();  // once more, on the same tick
  menu.Show(0);
  EXPECT_EQ(m_desktop->m_capture, &box);
  EXPECT_EQ(m_desktop->m_modalStack.size(), 1u);
  Tick(true, true);
  EXPECT_TRUE(box.IsShown());
  menu.Show(1);
  menu.Show(1);
  EXPECT_EQ(m_desktop->m_modalStack.size(), 2u);
}

TEST_F(DesktopTest, TheStackOperationsActOnTheCurrentDesktop) {
  Recorder w(&m_log, "w");
  EXPECT_EQ(UIDesktop::PushModal(&w), 1);
  EXPECT_EQ(UIDesktop::PushModal(&w), 2);
  UIDesktop::PopModal();
  EXPECT_EQ(m_desktop->m_capture, &w);
  UIDesktop::PopModal();
  UIDesktop::PopModal();  // empty: only clears the capture
  EXPECT_EQ(m_desktop->m_capture, nullptr);
  UIDesktop::Close();
  EXPECT_FALSE(m_desktop->IsOpen());

  m_desktop.reset();
  EXPECT_EQ(g_pCurrentDesktop, nullptr);
  EXPECT_EQ(UIDesktop::PushModal(&w), 0);
  UIDesktop::PopModal();
  UIDesktop::RemoveModal(&w);
  UIDesktop::Close();
}

// A widget of the tree that is still captured, and overlays still shown,
// when the desktop goes: the stack is emptied first, so nothing routes to
// what is destroyed, and the tree finds no desktop while it goes.
TEST_F(DesktopTest, DestructionEmptiesTheStackThenTheOverlaysThenTheTree) {
  struct Probe : UIObject {
    explicit Probe(bool* seen) : seen(seen) {}
    ~Probe() override { *seen = g_pCurrentDesktop == nullptr && UIDesktop::PushModal(this) == 0; }
    bool* seen;
  };
  bool sawNoDesktop = false;
  auto* probe = new Probe(&sawNoDesktop);
  m_desktop->AddChild(probe);
  UIDesktop::PushModal(probe);
  m_desktop->m_messageBox.Popup(nullptr, UIMessage::kOk, 0, 0);
  m_desktop->m_popupMenu.Open(0, 0, nullptr);
  m_desktop.reset();
  EXPECT_TRUE(sawNoDesktop);
}

// ---- the pop-up menu

TEST_F(DesktopTest, MenuOpensSizedToItsWidestEntryAndLeftOfTheEdgeWhenItWouldNotFit) {
  UIMenu& menu = m_desktop->m_popupMenu;
  menu.AddItem("abcde", 1, 0, 0, 1);      // 50 wide: widest 30
  menu.AddItem("ab", 2, 0, 0, 1);
  menu.Open(100, 50, nullptr);
  EXPECT_EQ(menu.m_rows, 2);
  EXPECT_EQ(menu.m_cells, 2);  // (30 + 19) / 20
  EXPECT_EQ(menu.m_x, 100);
  menu.Show(0);
  menu.Open(592, 50, nullptr);  // 640 < 30 + 592 + 19
  EXPECT_EQ(menu.m_x, 592 - 30 - 19);
  menu.Show(0);
  menu.Open(591, 50, nullptr);
  EXPECT_EQ(menu.m_x, 591);
  menu.Show(0);

  menu.Clear();
  menu.Open(10, 10, nullptr);
  EXPECT_EQ(menu.m_rows, 0);
  EXPECT_EQ(menu.m_cells, 0);
  Point(10, 10);
  menu.OnLButtonDown();
  EXPECT_FALSE(menu.IsShown());
}

TEST_F(DesktopTest, MenuHitTestIsInclusiveOnTheRightAndExclusiveAtTheBottom) {
  UIMenu& menu = m_desktop->m_popupMenu;
  menu.AddItem("abcde", 1, 0, 0, 1);
  menu.AddItem("x", 2, 0, 0, 1);
  menu.Open(100, 50, nullptr);  // 2 cells: the right edge at 100 + 40 + 20
  struct Case {
    int x, y, hit;
  };
  const Case cases[] = {{100, 50, 0},  {160, 69, 0},  {160, 70, 1}, {161, 70, -1},
                        {130, 89, 1}, {130, 90, -1}, {99, 60, -1}, {120, 49, -1}};
  for (const Case& c : cases) {
    Point(c.x, c.y);
    EXPECT_EQ(menu.HitTest(), c.hit) << c.x << ", " << c.y;
  }
}

TEST_F(DesktopTest, MenuEntriesChosenOrNot) {
  Recorder owner(&m_log, "owner");
  UIMenu& menu = m_desktop->m_popupMenu;
  menu.AddItem("off", 1, 2, 3, 0);
  menu.AddItem("on", 4, 5, 6, 1);
  menu.Open(0, 0, &owner);
  Point(5, 5);
  menu.OnLButtonDown();  // disabled: stays open, nothing sent
  EXPECT_TRUE(menu.IsShown());
  EXPECT_TRUE(m_log.empty());
  menu.OnRButtonDown();  // on an entry: stays open
  EXPECT_TRUE(menu.IsShown());

  // The owner hears of the choice after the menu is gone.
  struct Owner : UIObject {
    void Notify(UIObject*, int code, int a, int b) override {
      got = {code, a, b, g_pCurrentDesktop->m_popupMenu.IsShown() ? 1 : 0};
    }
    std::vector<int> got;
  } watcher;
  menu.m_owner = &watcher;
  Point(5, 25);
  menu.OnLButtonDown();
  EXPECT_EQ(watcher.got, (std::vector<int>{4, 5, 6, 0}));
  EXPECT_EQ(m_desktop->m_capture, nullptr);
}

TEST_F(DesktopTest, MenuIgnoresAnEleventhEntry) {
  UIMenu& menu = m_desktop->m_popupMenu;
  for (int i = 0; i < 10; ++i) menu.AddItem("e", i, 0, 0, 1);
  testsupport::DebugLogCapture log;
  menu.AddItem("eleventh", 10, 0, 0, 1);
  EXPECT_EQ(menu.m_count, 10);
  EXPECT_EQ(menu.m_entries[9].code, 9);
  EXPECT_TRUE(log.Contains("eleventh"));
}

// ---- the member picker and the tactics grid

TEST_F(DesktopTest, PickerAnswersThePartySlotUnderThePointer) {
  Party({3, 1});
  Recorder owner(&m_log, "owner");
  UIPlayerMenu& picker = m_desktop->m_playerMenu;
  g_uiOriginX = 40;
  picker.SetNotify(21, 7);
  picker.Open(999, 100, &owner);
  EXPECT_EQ(picker.m_x, 240);
  EXPECT_EQ(picker.m_cells, 6);
  EXPECT_EQ(picker.m_rows, 4);
  struct Case {
    int x, y, slot;
  };
  // The rectangle reaches 240 + 120 + 20: the last 20 pixels are no slot.
  const Case cases[] = {{240, 100, 0}, {299, 179, 0}, {300, 120, 1}, {359, 120, 1},
                        {360, 120, -1}, {380, 120, -1}, {381, 120, -1}, {250, 180, -1}};
  for (const Case& c : cases) {
    Point(c.x, c.y);
    EXPECT_EQ(picker.HitTest(), c.slot) << c.x << ", " << c.y;
  }
  Point(370, 120);
  picker.OnLButtonDown();
  EXPECT_FALSE(picker.IsShown());
  EXPECT_TRUE(m_log.empty());
  picker.Open(0, 100, &owner);
  Point(310, 120);
  picker.OnLButtonDown();
  EXPECT_FALSE(picker.IsShown());
  EXPECT_EQ(m_log, (Log{"owner:N21,7,1"}));
}

TEST_F(DesktopTest, TacticsGridReadsAndWritesTheWordTopByteFirst) {
  PlayerData& member = m_session.players[4];
  const int32_t saved = member.customTactic;
  member.customTactic = 0x01020304;
  UITacticsMenu& grid = m_desktop->m_tacticsMenu;
  grid.OpenFor(100, 100, 4, nullptr);
  EXPECT_EQ(grid.m_choices, (std::array<uint8_t, 4>{1, 2, 3, 4}));
  // Row 2, column 4: (100 + 4 + 27 * 4, 100 + 22 + 27 * 2).
  Point(216, 176);
  grid.OnLButtonDown();
  EXPECT_TRUE(grid.IsShown());
  EXPECT_EQ(member.customTactic, 0x01020404);
  Point(104, 122);  // row 0, column 0
  grid.OnLButtonDown();
  EXPECT_EQ(member.customTactic, 0x00020404);

  // The edges that would make a fifth row or a sixth column are no hit.
  struct Case {
    int x, y, row;
  };
  const Case cases[] = {{238, 229, 3}, {238, 232, -1}, {238, 210, 3}, {239, 210, -1}, {103, 150, -1}};
  for (const Case& c : cases) {
    Point(c.x, c.y);
    EXPECT_EQ(grid.HitTest(), c.row) << c.x << ", " << c.y;
  }
  Point(150, 232);
  grid.OnLButtonDown();
  EXPECT_FALSE(grid.IsShown());
  EXPECT_EQ(member.customTactic, 0x00020404);
  member.customTactic = saved;
}

// ---- the message box

TEST_F(DesktopTest, MessageBoxLaysItselfOutAroundItsText) {
  UIMessage& box = m_desktop->m_messageBox;
  g_uiOriginX = 10;
  g_uiOriginY = 20;
  struct Case {
    const char* text;
    int width, height;
  };
  const Case cases[] = {{"", 0, 3}, {"ab", 0, 3}, {"abc", 1, 3}};
  for (const Case& c : cases) {
    box.SetText(c.text, nullptr, 0, 0, 0);
    box.Popup(nullptr, UIMessage::kYesNo, 100, 50);
    EXPECT_EQ(box.m_width, c.width) << c.text;
    EXPECT_EQ(box.m_height, c.height) << c.text;
    box.Show(0);
  }
  // 2600 pixels: 129 cells, 12 wide and 129 / 12 + 3 high.
  const std::string longText(260, 'x');
  box.SetText(longText.c_str(), nullptr, 0, 0, 0);
  box.Popup(nullptr, UIMessage::kYesNo, 100, 50);
  EXPECT_EQ(box.m_width, 12);
  EXPECT_EQ(box.m_height, 13);
  EXPECT_EQ(box.m_x, 110);
  EXPECT_EQ(box.m_textBox.m_x1, 110 + 240 + 30);
  EXPECT_EQ(box.m_textBox.m_y1, 70 + 200 + 60);
  EXPECT_EQ(box.m_buttons[0].m_x, 110 + 80);
  EXPECT_EQ(box.m_buttons[1].m_x, 110 + 80 + 70);
  EXPECT_EQ(box.m_buttons[0].m_y, 70 + 260 - 20);
  EXPECT_EQ(box.m_buttons[0].m_label, "YES");
  box.Show(0);
  box.SetText("hi", nullptr, 0, 0, 0);
  box.Popup(nullptr, UIMessage::kOk, 0, 0);
  EXPECT_EQ(box.m_buttons[0].m_label, "OK");
  EXPECT_EQ(box.m_textBox.m_count, 1);  // set up afresh
}

TEST_F(DesktopTest, RightPressBesideTwoButtonsAnswersTheSecondAndBesideOneNothing) {
  UIMessage& box = m_desktop->m_messageBox;
  Recorder owner(&m_log, "owner");
  box.SetText("sure?", &owner, 40, 1, 2);
  box.Popup(&owner, UIMessage::kOk, 100, 100);
  Point(0, 0);
  box.OnRButtonDown();
  EXPECT_TRUE(box.IsShown());
  box.Show(0);

  for (int kind : {UIMessage::kYesNo, UIMessage::kYesCancel}) {
    box.m_confirmed = 1;
    box.Popup(&owner, kind, 100, 100);
    box.OnRButtonDown();
    EXPECT_FALSE(box.IsShown()) << kind;
    EXPECT_EQ(box.m_answer, 1) << kind;
    EXPECT_EQ(box.TakeConfirmed(), 0) << kind;
  }
  EXPECT_TRUE(m_log.empty());
}

TEST_F(DesktopTest, YesForwardsTheConfirmationOnceAndTakeConfirmedClearsIt) {
  UIMessage& box = m_desktop->m_messageBox;
  Recorder owner(&m_log, "owner");
  box.SetText("drop it?", &owner, 40, 1, 2);
  box.Popup(&owner, UIMessage::kYesNo, 100, 100);
  const UIZoomIcon& yes = box.m_buttons[0];
  Point(yes.m_x - 24, yes.m_y + 9);
  box.OnMouseMove();
  EXPECT_EQ(box.m_buttons[0].m_selected, 1);
  EXPECT_EQ(box.m_buttons[0].m_zoomStep, 0);
  box.OnLButtonDown();
  EXPECT_FALSE(box.IsShown());
  box.OnLButtonDown();  // hidden now: no second answer reaches the owner
  EXPECT_EQ(m_log, (Log{"owner:N40,1,2"}));
  EXPECT_EQ(box.TakeConfirmed(), 1);
  EXPECT_EQ(box.TakeConfirmed(), 0);

  box.Popup(&owner, UIMessage::kYesNo, 100, 100);
  Point(box.m_buttons[1].m_x + 29, box.m_buttons[1].m_y - 19);
  box.OnLButtonDown();  // "NO"
  EXPECT_FALSE(box.IsShown());
  EXPECT_EQ(box.TakeConfirmed(), 0);
  EXPECT_EQ(m_log.size(), 1u);
}

}  // namespace
