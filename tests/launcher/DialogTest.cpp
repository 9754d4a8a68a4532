// The dialog controls' input: what a click, a drag or a key sends to the
// procedure.
#include <gtest/gtest.h>

#include "launcher/Dialog.h"
#include "platform/Keys.h"

namespace {

struct Sent {
  uint32_t message;
  uintptr_t wParam;
  intptr_t lParam;
};
std::vector<Sent> g_sent;

intptr_t Recorder(Dialog& dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message != WM_DRAWITEM) g_sent.push_back(Sent{message, wParam, lParam});
  return 0;
}

// Dialog units: the list at (10, 10), the bar at (10, 40), the box at (10, 70).
const std::vector<ControlTemplate> kControls = {
    {7, ControlKind::ComboBox, "", 10, 10, 80, 14, false, true},
    {8, ControlKind::Trackbar, "", 10, 40, 80, 19},
    {9, ControlKind::CheckBox, "box", 10, 70, 80, 11},
    {10, ControlKind::CheckBox, "off", 10, 90, 80, 11, true},
    {IDOK, ControlKind::DefaultButton, "OK", 10, 110, 40, 15},
};

class DialogTest : public ::testing::Test {
 protected:
  DialogTest() : m_dialog(kControls, 120, 140, Recorder) { g_sent.clear(); }
  void Click(int x, int y) {
    m_dialog.LeftDown(x, y);
    m_dialog.LeftUp(x, y);
  }
  Dialog m_dialog;
};

TEST_F(DialogTest, ASortedListKeepsItsOrderAndAClickOnAnItemChoosesIt) {
  m_dialog.AddString(7, "beta");
  m_dialog.AddString(7, "Alpha");
  m_dialog.AddString(7, "gamma");
  EXPECT_EQ(m_dialog.Text(7, 0), "Alpha");
  EXPECT_EQ(m_dialog.FindStringPrefix(7, -1, "GAM"), 2);
  EXPECT_EQ(m_dialog.FindStringPrefix(7, -1, "delta"), -1);
  Click(20, 20);  // opens the list
  EXPECT_TRUE(m_dialog.ListOpen());
  // The list lies below the field (bottom at pixel 36); its rows are 16 pixels.
  Click(20, 37 + 16 + 5);
  EXPECT_FALSE(m_dialog.ListOpen());
  EXPECT_EQ(m_dialog.CurSel(7), 1);
  ASSERT_EQ(g_sent.size(), 1u);
  EXPECT_EQ(g_sent[0].wParam, 7u | uintptr_t{CBN_SELCHANGE} << 16);
}

TEST_F(DialogTest, TheBarFollowsTheDragAndNotifiesTheRelease) {
  m_dialog.SetRange(8, 0, 5);
  m_dialog.LeftDown(16, 65);
  EXPECT_EQ(m_dialog.Pos(8), 0);
  m_dialog.MouseMove(400, 65);
  EXPECT_EQ(m_dialog.Pos(8), 5);
  m_dialog.MouseMove(75, 65);
  m_dialog.LeftUp(75, 65);
  EXPECT_EQ(m_dialog.Pos(8), 3);
  ASSERT_EQ(g_sent.size(), 1u);
  EXPECT_EQ(g_sent[0].message, WM_NOTIFY);
  EXPECT_EQ(g_sent[0].lParam, NM_RELEASEDCAPTURE);
}

TEST_F(DialogTest, BoxesToggleOnAReleaseOverThemAndDisabledOnesNever) {
  Click(20, 110);
  EXPECT_TRUE(m_dialog.IsChecked(9));
  m_dialog.LeftDown(20, 110);
  m_dialog.MouseMove(200, 200);
  m_dialog.LeftUp(200, 200);  // released elsewhere: nothing
  EXPECT_TRUE(m_dialog.IsChecked(9));
  Click(20, 140);
  EXPECT_FALSE(m_dialog.IsChecked(10));
  ASSERT_EQ(g_sent.size(), 1u);
  EXPECT_EQ(g_sent[0].wParam, 9u);
}

TEST_F(DialogTest, EnterIsOkAndEscapeClosesAnOpenListBeforeItCancels) {
  m_dialog.KeyDown(platform::VK_RETURN);
  Click(20, 20);
  m_dialog.KeyDown(platform::VK_ESCAPE);
  EXPECT_FALSE(m_dialog.ListOpen());
  m_dialog.KeyDown(platform::VK_ESCAPE);
  ASSERT_EQ(g_sent.size(), 2u);
  EXPECT_EQ(g_sent[0].wParam, uintptr_t{IDOK});
  EXPECT_EQ(g_sent[1].wParam, uintptr_t{IDCANCEL});
}

}  // namespace
