// The list box and the text cutting of its columns.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/ui/UiTestRig.h"
#include "ui/UIListBox.h"
#include "ui/UIScrollBar.h"

namespace {

using Log = std::vector<std::string>;

class ListBoxTest : public UiTest {
 protected:
  // Two columns over (100, 50)-(400, 254): rows inside (107, 57)-(393,
  // 247), 143-pixel cells starting at 107 and 250, nine lines a screen
  // (18 rows); the bar at x 410 from y 67, 170 long.
  ListBoxTest() {
    m_parent = new Recorder(&m_log, "p");
    m_desktop.AddChild(m_parent);
    m_box = new UIListBox;
    m_box->Setup(100, 50, 400, 254, 2, 0, false, false);
    m_parent->AddChild(m_box);
  }
  void Rows(int n) {
    for (int i = 0; i < n; ++i) m_box->AddItem(("row" + std::to_string(i)).c_str(), "", 1, -1);
  }
  void LeftClick(int x, int y) {
    Point(x, y);
    m_box->OnLButtonDown();
    m_box->OnLButtonUp();
  }
  void RightClick(int x, int y) {
    Point(x, y);
    m_box->OnRButtonDown();
  }
  UIDesktop m_desktop;
  Log m_log;
  Recorder* m_parent;
  UIListBox* m_box;
};

TEST_F(ListBoxTest, SetupInsetsTheRowsAndStandsTheBarAtTheRightEdge) {
  EXPECT_EQ(m_box->m_innerX0, 107);
  EXPECT_EQ(m_box->m_innerY1, 247);
  EXPECT_EQ(m_box->m_capacity, 18);
  ASSERT_EQ(m_box->m_children.size(), 1u);
  EXPECT_EQ(m_box->m_bar->m_x, 410);
  EXPECT_EQ(m_box->m_bar->m_y, 67);
  EXPECT_EQ(m_box->m_bar->m_length, 170);
}

TEST_F(ListBoxTest, AFittingCountHasNothingToScrollAndTheBarIgnoresPresses) {
  Rows(19);  // ten lines: 10 - (170 / 20 + 1) = 1
  EXPECT_EQ(m_box->m_bar->m_largest, 1);
  m_box->Clear();
  EXPECT_EQ(m_box->m_bar->m_largest, 1);  // emptied, not re-ranged
  m_box->Notify(nullptr, 13, 0, 0);
  EXPECT_EQ(m_box->m_bar->m_largest, 0);
  Rows(18);
  EXPECT_EQ(m_box->m_bar->m_largest, 0);
  LeftClick(410, 200);  // on the track below the thumb
  EXPECT_EQ(m_box->m_bar->m_position, 0);
  EXPECT_TRUE(m_log.empty());
}

TEST_F(ListBoxTest, HitIndexCountsColumnStartsLeftOfThePointerWithinInclusiveEdges) {
  Rows(21);
  m_box->m_selection = 3;
  struct Case {
    int x, y, top, expected;
  };
  const Case cases[] = {
      {107, 57, 0, 0},    // the top-left inner corner: the first column
      {250, 60, 0, 0},    // on the second column's start: still the first
      {251, 60, 0, 1},    // past it
      {393, 57, 0, 1},    // the right inner edge
      {108, 77, 0, 2},    // the second line
      {251, 236, 0, 17},  // the ninth line
      {251, 247, 0, -1},  // the bottom inner edge, under the last line shown
      {108, 58, 2, 2},    // scrolled down a line
      {251, 58, 19, 20},
      {108, 77, 19, -1},  // top + 2 = 21: past the count
      {106, 60, 0, 3},    // outside: the selection
      {394, 60, 0, 3},
      {200, 56, 0, 3},
      {200, 248, 0, 3},
  };
  for (const Case& c : cases) {
    m_box->m_top = c.top;
    Point(c.x, c.y);
    EXPECT_EQ(m_box->HitIndex(), c.expected) << c.x << "," << c.y << " top " << c.top;
  }
}

TEST_F(ListBoxTest, ASecondLeftClickActivatesARightClickNever) {
  Rows(10);
  LeftClick(120, 80);  // row 2
  EXPECT_EQ(m_log, (Log{"p:N14,2,0"}));
  LeftClick(120, 80);
  EXPECT_EQ(m_log, (Log{"p:N14,2,0", "p:N14,2,0", "p:N18,2,0"}));
  EXPECT_EQ(m_box->m_selection, 2);

  m_log.clear();
  RightClick(120, 80);  // the selected row again: nothing
  RightClick(300, 80);  // row 3
  RightClick(300, 80);
  EXPECT_EQ(m_log, (Log{"p:N14,3,0"}));
  EXPECT_EQ(m_box->m_selection, 3);

  m_log.clear();
  LeftClick(300, 160);  // row 11, past the count: nothing, the selection stays
  EXPECT_EQ(m_box->m_selection, 3);
  RightClick(50, 80);  // outside
  EXPECT_EQ(m_box->m_selection, -1);
  EXPECT_TRUE(m_log.empty());
}

TEST_F(ListBoxTest, ScrollNoticesMoveTheTopAndZeroResetsTheBar) {
  Rows(40);  // 20 lines, largest 11
  m_box->m_bar->m_position = 5;
  m_box->Notify(m_box->m_bar, 2, 3, 0);
  EXPECT_EQ(m_box->m_top, 6);
  EXPECT_EQ(m_box->m_bar->m_position, 5);
  m_box->Notify(m_box->m_bar, 2, 0, 0);
  EXPECT_EQ(m_box->m_top, 0);
  EXPECT_EQ(m_box->m_bar->m_position, 0);
  m_box->Notify(m_box->m_bar, 2, 100, 0);
  EXPECT_EQ(m_box->m_top, 39);

  // A dragged thumb scrolls the rows through the same notice.
  Point(410, 68);
  m_box->OnLButtonDown();
  Point(410, 67 + 150);
  m_box->OnMouseMove();
  m_box->OnLButtonUp();
  EXPECT_EQ(m_box->m_bar->m_position, 11);
  EXPECT_EQ(m_box->m_top, 22);
  EXPECT_EQ(m_desktop.m_capture, nullptr);

  m_box->Clear();
  m_box->Notify(m_box->m_bar, 2, 4, 0);
  EXPECT_EQ(m_box->m_top, 0);  // never below 0, even empty
}

TEST_F(ListBoxTest, SetTopStopsAtTheLastScreenAndAtZero) {
  Rows(25);  // 13 lines, largest 4
  m_box->SetTop(100);
  EXPECT_EQ(m_box->m_top, 7);
  EXPECT_EQ(m_box->GetTop(), 7);
  EXPECT_EQ(m_box->m_bar->m_position, 3);
  m_box->SetTop(-5);
  EXPECT_EQ(m_box->m_top, 0);
  EXPECT_EQ(m_box->m_bar->m_position, 0);
  m_box->Clear();
  m_box->SetTop(3);
  EXPECT_EQ(m_box->m_top, 0);
}

TEST_F(ListBoxTest, OtherNoticesGoUpAndTheWheelScrollsOnlyOverTheRows) {
  Rows(40);
  m_box->Notify(nullptr, 40, 1, 2);
  m_box->Notify(nullptr, 14, 5, 0);
  EXPECT_EQ(m_box->m_selection, 5);
  m_box->Notify(nullptr, 14, 40, 0);  // no row of this list
  EXPECT_EQ(m_box->m_selection, 5);
  EXPECT_EQ(m_log, (Log{"p:N40,1,2", "p:N14,5,0", "p:N14,40,0"}));

  m_log.clear();
  m_mouse.m_wheel = -1;
  Point(395, 100);
  m_box->OnWheel();
  EXPECT_TRUE(m_log.empty());
  Point(300, 100);
  m_box->OnWheel();
  EXPECT_EQ(m_box->m_bar->m_position, 3);
  EXPECT_EQ(m_box->m_top, 6);
}

TEST_F(ListBoxTest, RowsShowTheirStateAndAreCutToFitTheirColumn) {
  const std::string thirty = "abcdefghijklmnopqrstuvwxyz0123";
  UIListBox three;
  three.Setup(0, 0, 300, 200, 3, 0, false, false);
  three.AddItem(thirty.c_str(), "", 1, -1);
  three.AddItem("off", "", 0, -1);
  EXPECT_EQ(three.RowText(0), "&e" + thirty.substr(0, 21) + "...");
  EXPECT_EQ(three.RowText(1), "off");
  three.m_selection = 0;
  three.m_hover = 1;
  EXPECT_EQ(three.RowText(0), "&b" + thirty.substr(0, 21) + "...");
  EXPECT_EQ(three.RowText(1), "&roff");

  UIListBox numbered;
  numbered.Setup(0, 0, 300, 200, 2, 0, true, false);
  numbered.AddItem(thirty.c_str(), "", 1, 7);
  numbered.AddItem(thirty.c_str(), "", 1, -1);
  EXPECT_EQ(numbered.RowText(0), "&e" + thirty.substr(0, 13) + "...");
  EXPECT_EQ(numbered.RowText(1), "&e" + thirty.substr(0, 21) + "...");

  UIListBox one;
  one.Setup(0, 0, 300, 200, 1, 0, true, false);
  one.AddItem(thirty.c_str(), "", 1, 7);
  EXPECT_EQ(one.RowText(0), "&e" + thirty);
  EXPECT_EQ(one.RowText(5), "");
}

// Two-byte characters stay whole whatever offset the limit falls on, and a
// lead byte at the very end is no character.
TEST(TruncateTextTest, KeepsWholeCharactersUpToTheLimitThenDots) {
  const std::string han = "가";
  ASSERT_EQ(han.size(), 2u);
  for (const std::string prefix : {"", "a"}) {
    for (int count = 0; count <= 14; ++count) {
      std::string text = prefix;
      for (int i = 0; i < count; ++i) text += han;
      size_t expected = text.size();
      for (size_t end = prefix.size(); end <= text.size(); end += 2) {
        if (end >= 21) {
          expected = end;
          break;
        }
      }
      const std::string cut = TruncateText(text.c_str(), 24);
      EXPECT_EQ(cut, text.substr(0, expected) + "...") << prefix << " and " << count;
      EXPECT_EQ(TruncateText((text + "\xB0").c_str(), 24), cut) << prefix << " and " << count;
    }
  }
  EXPECT_EQ(TruncateText("abc", 2), "...");
  EXPECT_EQ(TruncateText(nullptr, 24), "...");
}

}  // namespace
