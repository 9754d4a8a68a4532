// The scroll bar and the text box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/UiTestRig.h"
#include "ui/UIScrollBar.h"
#include "ui/UITextBox.h"

namespace {

using Log = std::vector<std::string>;

class ScrollBarTest : public UiTest {
 protected:
  // A vertical bar at x 100 (drawn at 110), y 50, 200 long, under a parent
  // that records the positions it hears, on a desktop of its own.
  ScrollBarTest() {
    m_parent = new Recorder(&m_log, "p");
    m_desktop.AddChild(m_parent);
    m_bar = new UIScrollBar;
    m_bar->Setup(100, 50, 200, false, false);
    m_parent->AddChild(m_bar);
  }
  UIDesktop m_desktop;
  Log m_log;
  Recorder* m_parent;
  UIScrollBar* m_bar;
};

TEST_F(ScrollBarTest, RangeThumbAndOffsets) {
  EXPECT_EQ(m_bar->m_x, 110);
  m_bar->SetRange(5);
  EXPECT_EQ(m_bar->m_largest, 0);  // 5 - (200 / 20 + 1) is below 0
  EXPECT_EQ(m_bar->ThumbOffset(), 0);
  m_bar->SetRange(21);
  EXPECT_EQ(m_bar->m_largest, 10);
  m_bar->m_position = 5;
  EXPECT_EQ(m_bar->ThumbOffset(), 90);
  EXPECT_EQ(m_bar->PositionFromOffset(90), 5);
  EXPECT_EQ(m_bar->PositionFromOffset(179), 9);

  UIScrollBar shown;
  shown.Setup(0, 0, 20, true, true);
  shown.m_position = 3;  // nothing to scroll, yet drawn
  EXPECT_EQ(shown.ThumbOffset(), 0);
  EXPECT_EQ(shown.PositionFromOffset(15), 0);
  EXPECT_EQ(shown.m_y, 10);
}

TEST_F(ScrollBarTest, PressZonesStepByOneOrByAPage) {
  struct Case {
    int rows;
    int position;
    int y;
    int expected;
  };
  // 99 and 400 positions: a page of 1, then of 20 (5%). The thumb of
  // position 50 of 99 lies at 50 + 50 / 99 * 180 = 140.
  const Case cases[] = {
      {110, 50, 40, 49},  {110, 50, 100, 49}, {110, 50, 200, 51}, {110, 50, 255, 51},
      {411, 200, 100, 180}, {411, 200, 200, 220}, {411, 200, 40, 199}, {411, 0, 40, 0}, {411, 400, 260, 400},
  };
  for (const Case& c : cases) {
    m_bar->SetRange(c.rows);
    m_bar->m_position = c.position;
    Point(110, c.y);
    m_bar->OnLButtonDown();
    EXPECT_EQ(m_bar->m_position, c.expected) << c.rows << " rows, y " << c.y;
  }
  EXPECT_EQ(m_log.back(), "p:N2,400,0");
  m_log.clear();
  Point(121, 100);  // beyond the bar's reach
  m_bar->OnLButtonDown();
  EXPECT_TRUE(m_log.empty());
}

TEST_F(ScrollBarTest, ADraggedThumbCapturesUntilReleaseAndClampsAtBothEnds) {
  auto* other = new Recorder(&m_log, "other");
  m_desktop.AddChild(other);
  m_bar->SetRange(21);  // largest 10, thumb at 50
  Point(110, 55);
  m_bar->OnLButtonDown();
  ASSERT_EQ(m_desktop.m_capture, m_bar);
  m_log.clear();
  for (const auto& [y, position] : std::vector<std::pair<int, int>>{{140, 5}, {-300, 0}, {900, 10}}) {
    Point(110, y);
    m_desktop.OnMouseMove();
    EXPECT_EQ(m_bar->m_position, position) << y;
    EXPECT_EQ(m_bar->m_hoverFirst, 2);
  }
  EXPECT_EQ(m_log, (Log{"p:N2,5,0", "p:N2,0,0", "p:N2,10,0"}));  // nothing reaches the other child
  m_desktop.OnLButtonUp();
  EXPECT_EQ(m_desktop.m_capture, nullptr);

  // A release while something else holds the capture pops nothing.
  UIDesktop::PushModal(other);
  m_bar->OnLButtonUp();
  EXPECT_EQ(m_desktop.m_capture, other);
  UIDesktop::PopModal();
}

TEST_F(ScrollBarTest, WheelMovesThreeAtATime) {
  m_bar->SetRange(21);
  m_mouse.m_wheel = -1;
  m_bar->OnWheel();
  EXPECT_EQ(m_bar->m_position, 3);
  m_mouse.m_wheel = 120;
  m_bar->OnWheel();
  m_bar->OnWheel();
  EXPECT_EQ(m_bar->m_position, 0);
  EXPECT_EQ(m_log, (Log{"p:N2,3,0", "p:N2,0,0", "p:N2,0,0"}));
}

// ---- text box

class TextBoxTest : public UiTest {
 protected:
  UITextBox m_box;
};

// 118 pixels wide: lines wrap once they reach 100 pixels (ten characters).
TEST_F(TextBoxTest, WrapsWhereALineReachesTheWidthLessEighteen) {
  m_box.Setup(0, 0, 118, 100);
  m_box.AddRawText("abcdefghijklmnopqrstuvw");
  EXPECT_EQ(m_box.m_lines, (std::vector<std::string>{"abcdefghij", "klmnopqrst", "uvw"}));
  m_box.Setup(0, 0, 118, 100);
  m_box.AddText("one two three four");  // "one two three" would be 130
  EXPECT_EQ(m_box.m_lines, (std::vector<std::string>{"one two", " three", " four"}));
  // The look-ahead runs on an empty line too: the line goes out empty.
  m_box.Setup(0, 0, 118, 100);
  m_box.AddText(" abcdefghijklm");
  EXPECT_EQ(m_box.m_lines, (std::vector<std::string>{"", " abcdefghi", "jklm"}));
}

TEST_F(TextBoxTest, TextsAreSeparatedByAnEmptyLineAndEndLinesAtAmpersandN) {
  m_box.Setup(0, 0, 300, 100);
  m_box.AddText("first&nsecond");
  m_box.AddText("&rthird");
  EXPECT_EQ(m_box.m_lines, (std::vector<std::string>{"first&n", "second", "&n", "&rthird"}));
  EXPECT_TRUE(m_box.HasLines());
  m_box.AddRawText("\rraw");
  EXPECT_EQ(m_box.m_count, 6);
  EXPECT_EQ(m_box.m_lines[4], "");
  m_box.Clear();
  EXPECT_FALSE(m_box.HasLines());
}

TEST_F(TextBoxTest, TextsEndingInsideACharacterDropIt) {
  m_box.Setup(0, 0, 300, 100);
  const std::string lead = "ab\xB0";
  m_box.AddRawText(lead.c_str());
  m_box.AddRawText("cd&");
  m_box.AddText("\xB0\xA1 \xB0");
  EXPECT_EQ(m_box.m_lines, (std::vector<std::string>{"ab", "cd", "&n", "\xB0\xA1 "}));
}

TEST_F(TextBoxTest, ScrollNoticesMoveTheFirstLine) {
  m_box.Setup(0, 0, 118, 60);  // three lines show; the bar is 20 long
  for (int i = 0; i < 6; ++i) m_box.AddRawText("line&n");
  m_box.Notify(nullptr, 2, 4, 0);
  EXPECT_EQ(m_box.m_first, 4);
  m_box.Notify(nullptr, 2, 99, 0);
  EXPECT_EQ(m_box.m_first, 5);
  m_box.m_bar->m_position = 2;
  m_box.Notify(nullptr, 2, 0, 0);
  EXPECT_EQ(m_box.m_first, 0);
  EXPECT_EQ(m_box.m_bar->m_position, 0);
  m_box.Clear();
  m_box.Notify(nullptr, 2, 3, 0);
  EXPECT_EQ(m_box.m_first, 0);
}

}  // namespace
