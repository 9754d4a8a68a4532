// Radio buttons and their group, the spin, the close button, the tab strip,
// the panel and the animated icon.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/UiTestRig.h"
#include "ui/UICloseSession.h"
#include "ui/UIIcon.h"
#include "ui/UIListBox.h"
#include "ui/UIPanel.h"
#include "ui/UIRadioBtn.h"
#include "ui/UISpin.h"
#include "ui/UITab.h"

namespace {

using Log = std::vector<std::string>;

class WidgetTest : public UiTest {
 protected:
  WidgetTest() {
    m_parent = new Recorder(&m_log, "p");
    m_desktop.AddChild(m_parent);
  }
  void Press(UIObject* w, int x, int y) {
    Point(x, y);
    w->OnLButtonDown();
  }
  UIDesktop m_desktop;
  Log m_log;
  Recorder* m_parent;
};

class RadioTest : public WidgetTest {
 protected:
  // Three buttons at (100 + 70 i, 200), ids 10 + i, second values 7.
  RadioTest() {
    m_group = new UIGroupBox;
    m_group->Setup(90, 190, 220, 40);
    m_parent->AddChild(m_group);
    for (int i = 0; i < 3; ++i) {
      auto* button = new UIRadioBtn;
      button->Setup(100 + 70 * i, 200, "label", 10 + i, 7);
      m_group->AddChild(button);
      m_buttons.push_back(button);
    }
  }
  std::vector<int> Marks() const {
    std::vector<int> marks;
    for (const UIRadioBtn* b : m_buttons) marks.push_back(b->m_checked);
    return marks;
  }
  UIGroupBox* m_group;
  std::vector<UIRadioBtn*> m_buttons;
};

TEST_F(RadioTest, APressChoosesOneButtonAndTheParentHearsOnce) {
  m_buttons[0]->m_checked = 1;
  Press(m_group, 175, 210);
  EXPECT_EQ(Marks(), (std::vector<int>{0, 1, 0}));
  EXPECT_EQ(m_group->m_chosen, 1);
  EXPECT_EQ(m_log, (Log{"p:N15,0,0"}));

  m_log.clear();
  Press(m_group, 170, 210);  // on a left edge: no button
  Press(m_group, 175, 220);  // on a bottom edge
  EXPECT_TRUE(m_log.empty());
  EXPECT_EQ(Marks(), (std::vector<int>{0, 1, 0}));
}

TEST_F(RadioTest, AButtonTellsItsValuesAndTakesPointsOnItsEdgesOrTheOrigin) {
  Recorder owner(&m_log, "o");
  UIRadioBtn button;
  button.Setup(100, 200, "label", 4, 9);
  button.m_parent = &owner;  // not owned: both live on the stack
  button.Notify(nullptr, 14, 160, 220);
  button.Notify(nullptr, 14, 0, 0);
  button.Notify(nullptr, 14, 161, 220);
  EXPECT_EQ(m_log, (Log{"o:N3,4,9", "o:N3,4,9"}));
  EXPECT_EQ(button.m_checked, 1);
  button.Notify(nullptr, 4, 0, 0);
  EXPECT_EQ(button.m_checked, 0);
}

TEST_F(RadioTest, SelectChoosesByIndexAndNothingOutsideTheButtons) {
  m_group->Select(2);
  EXPECT_EQ(Marks(), (std::vector<int>{0, 0, 1}));
  EXPECT_EQ(m_group->m_chosen, 2);
  EXPECT_EQ(m_log, (Log{"p:N15,0,0"}));

  m_log.clear();
  m_group->Select(3);
  m_group->Select(-1);
  EXPECT_EQ(Marks(), (std::vector<int>{0, 0, 1}));
  EXPECT_EQ(m_group->m_chosen, 2);
  EXPECT_TRUE(m_log.empty());

  m_group->Notify(nullptr, 40, 1, 2);  // any other code goes up
  EXPECT_EQ(m_log, (Log{"p:N40,1,2"}));
}

TEST_F(WidgetTest, SpinWrapsBothWaysAndTellsEachChange) {
  auto* spin = new UISpin;
  spin->Setup(100, 100, 100, 3);
  m_parent->AddChild(spin);
  EXPECT_EQ(spin->m_y, 108);
  EXPECT_EQ(spin->m_value, 1);
  Press(spin, 105, 100);  // down, below 1: to the maximum
  EXPECT_EQ(spin->m_value, 3);
  Press(spin, 195, 100);  // up, past the maximum: to 1
  EXPECT_EQ(spin->m_value, 1);
  Press(spin, 200, 107);
  EXPECT_EQ(spin->m_value, 2);
  Press(spin, 200, 108);  // the up arrow takes only the 10 pixels above its point
  Press(spin, 200, 115);
  Press(spin, 150, 108);  // the middle
  Press(spin, 110, 108);  // just off the down arrow
  EXPECT_EQ(spin->m_value, 2);
  EXPECT_EQ(m_log, (Log{"p:N15,3,0", "p:N15,1,0", "p:N15,2,0"}));

  Point(200, 104);
  spin->OnMouseMove();
  EXPECT_EQ(spin->m_hoverUp, 1);
  EXPECT_EQ(spin->m_hoverDown, 0);

  auto* bare = new UISpin;
  bare->Setup(100, 200, 100, 0);  // a maximum below 1 is kept
  m_parent->AddChild(bare);
  EXPECT_EQ(bare->m_maximum, 0);
}

class CloseTest : public WidgetTest {
 protected:
  CloseTest() {
    m_close = new UICloseSession;
    m_close->Setup(613, 9, 631, 27, true);
    m_desktop.AddChild(m_close);  // the desktop passes its notices to p
  }
  // A tick's press or release through the desktop's routing.
  void Down(int x, int y) {
    Point(x, y);
    m_desktop.OnLButtonDown();
  }
  void Up(int x, int y) {
    Point(x, y);
    m_desktop.OnLButtonUp();
  }
  UICloseSession* m_close;
};

TEST_F(CloseTest, ReleasedOutsideEndsNothing) {
  Down(620, 20);
  EXPECT_EQ(m_desktop.m_capture, m_close);
  EXPECT_EQ(m_close->m_pressed, 1);
  m_log.clear();
  Up(650, 50);
  EXPECT_EQ(m_desktop.m_capture, nullptr);
  EXPECT_EQ(m_close->m_pressed, 0);
  EXPECT_TRUE(m_desktop.IsOpen());
  EXPECT_TRUE(m_log.empty());
}

TEST_F(CloseTest, ReleasedInsideTellsTheParentAndCloses) {
  Down(620, 20);
  m_log.clear();
  Up(621, 21);
  EXPECT_EQ(m_log, (Log{"p:N23,5,0"}));
  EXPECT_FALSE(m_desktop.IsOpen());
  EXPECT_TRUE(m_desktop.m_modalStack.empty());
}

TEST_F(CloseTest, AReleaseInsideClosesWhereverThePressBegan) {
  Down(300, 300);  // a press that begins elsewhere
  Up(620, 20);
  EXPECT_FALSE(m_desktop.IsOpen());
  EXPECT_EQ(m_log, (Log{"p:L", "p:l", "p:N23,5,0"}));
}

// A pane that counts its refreshes and presses.
struct CountingPane : UIPane {
  void Refresh() override { ++refreshes; }
  void OnLButtonDown() override { ++presses; }
  void OnMouseMove() override { ++moves; }
  int refreshes = 0, presses = 0, moves = 0;
};

struct PagedTab : UITab {
  void SetPage(int page) override {
    pages.push_back(page);
    UITab::SetPage(page);
  }
  std::vector<int> pages;
};

class TabTest : public UiTest {
 protected:
  // Three icons at (188 + 76 i, 32), the UI origin at (10, 20).
  TabTest() {
    g_uiOriginX = 10;
    g_uiOriginY = 20;
    for (int i = 0; i < 3; ++i) {
      auto* icon = new UIZoomIcon;
      icon->Setup(10 + 188 + 76 * i, 20 + 32, "", "", 0, 0, "", -1);
      m_tab.AddIcon(icon);
    }
    m_tab.m_client = &m_pane;
  }
  UIIcon& Icon(int i) { return *m_tab.m_icons[static_cast<size_t>(i)]; }
  CountingPane m_pane;
  PagedTab m_tab;
};

TEST_F(TabTest, APressOnTheStripChoosesAPageAndRefreshesTheClientOnce) {
  Point(10 + 149 + 76 + 1, 20 + 13);  // icon 1's top-left corner
  m_tab.OnLButtonDown();
  EXPECT_EQ(m_tab.pages, (std::vector<int>{1}));
  EXPECT_EQ(m_tab.m_current, &Icon(1));
  EXPECT_EQ(Icon(1).m_selected, 1);
  EXPECT_EQ(Icon(1).m_zoomStep, 0);
  EXPECT_EQ(Icon(1).m_strongZoom, 1);
  EXPECT_EQ(m_pane.refreshes, 1);
  EXPECT_EQ(m_pane.presses, 1);

  Point(10 + 149 + 2 * 76 + 10, 20 + 20);
  m_tab.OnLButtonDown();
  EXPECT_EQ(Icon(1).m_selected, 0);
  EXPECT_EQ(Icon(2).m_selected, 1);

  // Off the strip: between the icons, and on its edges.
  for (const UIPoint p : {UIPoint{10 + 149 + 70, 40}, UIPoint{200, 20 + 12}, UIPoint{200, 20 + 35}}) {
    Point(p.x, p.y);
    m_tab.OnLButtonDown();
  }
  EXPECT_EQ(m_tab.pages, (std::vector<int>{1, 2}));
  EXPECT_EQ(m_pane.refreshes, 2);
  EXPECT_EQ(m_pane.presses, 5);
}

TEST_F(TabTest, HoverStartsAWeakZoomOnceExceptOnPageFive) {
  Point(10 + 200, 20 + 20);  // icon 0
  m_tab.OnMouseMove();
  EXPECT_EQ(Icon(0).m_zoomStep, 0);
  EXPECT_EQ(Icon(0).m_strongZoom, 0);
  Icon(0).m_zoomStep = 18;
  m_tab.OnMouseMove();
  EXPECT_EQ(Icon(0).m_zoomStep, 18);  // still the same icon

  m_tab.SetPage(5);
  Point(10 + 280, 20 + 20);  // icon 1
  m_tab.OnMouseMove();
  EXPECT_EQ(Icon(1).m_zoomStep, 18);
  EXPECT_EQ(m_pane.moves, 3);
}

TEST(PanelTest, ClientRectLeavesRoomForTheTitleAndTheBottomBar) {
  struct Case {
    bool titled, bottom;
    int rows;
    UIRect rect;
    int style;
  };
  const Case cases[] = {
      {false, false, 2, {100, 50, 300, 230}, 0},
      {true, false, 2, {100, 70, 300, 230}, 2},
      {false, true, 2, {100, 50, 300, 190}, 1},
      {true, true, 0, {100, 70, 300, 230}, 2},
  };
  for (const Case& c : cases) {
    UIPanel panel;
    panel.Setup(100, 50, 300, 250, c.titled, c.bottom, c.rows, "title", false);
    EXPECT_EQ(panel.GetClientRect(), c.rect) << c.titled << c.bottom << c.rows;
    EXPECT_EQ(panel.FrameStyle(), c.style);
  }
}

TEST_F(WidgetTest, APanelPassesNoticesDownOnceWithoutEcho) {
  auto* panel = new UIPanel;
  panel->Setup(0, 0, 300, 300, true, false, 0, "", false);
  m_parent->AddChild(panel);
  auto* box = new UIListBox;
  box->Setup(10, 30, 290, 250, 1, 0, false, false);
  box->AddItem("row", "", 1, -1);
  panel->AddChild(box);
  panel->AddChild(new Recorder(&m_log, "c"));
  box->Notify(box, 14, 0, 0);  // the list box tells its panel
  panel->Notify(nullptr, 12, 3, 0);
  EXPECT_EQ(m_log, (Log{"c:N14,0,0", "c:N12,3,0"}));
  EXPECT_EQ(box->m_selection, 0);

  Point(20, 40);
  m_log.clear();
  panel->OnRButtonDown();
  panel->OnMouseMove();
  EXPECT_EQ(m_log, (Log{"c:R", "c:M"}));
}

TEST_F(WidgetTest, APanelOpensOverEightStepsWhenAnimated) {
  UIPanel panel;
  panel.Setup(0, 0, 200, 200, false, false, 0, "", true);
  EXPECT_EQ(panel.m_opened, 1);  // set up at full size
  panel.m_opened = 0;
  panel.m_step = 0;
  for (int i = 0; i < 8; ++i) panel.Draw(&m_rc);
  EXPECT_EQ(panel.m_opened, 0);
  panel.Draw(&m_rc);
  EXPECT_EQ(panel.m_opened, 1);
  EXPECT_EQ(panel.m_step, 9);
}

TEST_F(WidgetTest, AnAnimatedIconStepsAMotionEveryThreeFramesWhileChosen) {
  UIAniIcon icon;
  EXPECT_EQ(icon.m_zoomStep, 21);
  std::vector<int> motions;
  icon.Select();
  for (int i = 0; i < 23; ++i) {
    icon.Draw(&m_rc);
    motions.push_back(icon.m_motion);
  }
  EXPECT_EQ(icon.m_action, 9);
  EXPECT_EQ(motions, (std::vector<int>{0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 6, 7, 0}));
  icon.Deselect();
  icon.Draw(&m_rc);
  EXPECT_EQ(icon.m_action, 1);
  EXPECT_EQ(icon.m_motion, 0);
}

}  // namespace
