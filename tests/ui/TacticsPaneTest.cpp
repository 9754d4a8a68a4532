// The field menu's tactics page: a left click chooses a member's tactics
// at once, and only a right click on a list showing " 커스텀" opens that
// member's tactics grid.
#include <gtest/gtest.h>

#include <memory>

#include "tests/ui/UiTestRig.h"
#include "ui/UIListBox.h"
#include "ui/UITacticsPane.h"

namespace {

// Lists stand at (210, 120) and (368, 120); their rows start 7 pixels in,
// 20 a row.
class TacticsPaneTest : public UiTest {
 protected:
  void SetUp() override {
    Party({4, 9});
    for (int id : {4, 9}) {
      m_session.players[static_cast<size_t>(id)].tacticsId = 0;
      m_session.players[static_cast<size_t>(id)].customTactic = 0x01020304;
    }
    m_desktop = std::make_unique<UIDesktop>();
    m_pane = new UITacticsPane;
    m_desktop->AddChild(m_pane);
    m_pane->Notify(m_desktop.get(), kUiOpen, 0, 0);
  }
  void TearDown() override {
    m_desktop.reset();
    for (int id : {4, 9}) Player(id) = PlayerData{};
  }

  void Press(bool left, int x, int y) {
    Point(x, y);
    if (left) {
      m_desktop->OnLButtonDown();
    } else {
      m_desktop->OnRButtonDown();
    }
  }
  static int RowY(int row) { return 127 + 20 * row + 5; }
  PlayerData& Player(int id) { return m_session.players[static_cast<size_t>(id)]; }
  const UITacticsMenu& Grid() const { return m_desktop->m_tacticsMenu; }

  std::unique_ptr<UIDesktop> m_desktop;
  UITacticsPane* m_pane = nullptr;
};

TEST_F(TacticsPaneTest, ALeftClickChoosesTheTacticsAtOnce) {
  ASSERT_EQ(m_pane->m_lists.size(), 2u);
  EXPECT_EQ(m_pane->m_lists[0]->m_texts[5], " 커스텀");
  Press(true, 250, RowY(2));
  EXPECT_EQ(Player(4).tacticsId, 2);
  EXPECT_EQ(Player(9).tacticsId, 0);
  Press(true, 400, RowY(5));  // custom by a left click: no grid
  EXPECT_EQ(Player(9).tacticsId, 5);
  EXPECT_FALSE(Grid().IsShown());
  EXPECT_EQ(m_pane->m_cards[1].x, 336);
}

TEST_F(TacticsPaneTest, ARightClickOnACustomListOpensItsGridThere) {
  Player(9).tacticsId = 5;
  m_pane->Notify(m_desktop.get(), kUiOpen, 0, 0);
  Press(false, 250, RowY(0));  // the first member's list shows " 매뉴얼"
  EXPECT_FALSE(Grid().IsShown());
  Press(false, 100, 300);  // on no list
  EXPECT_FALSE(Grid().IsShown());

  Press(false, 400, RowY(1));
  ASSERT_TRUE(Grid().IsShown());
  EXPECT_EQ(Grid().m_member, 9);
  EXPECT_EQ(Grid().m_x, 158);
  EXPECT_EQ(Grid().m_y, 80);
  EXPECT_EQ(Player(9).tacticsId, 5);
}

TEST_F(TacticsPaneTest, AnIdOutsideTheRowsSelectsNone) {
  Player(4).tacticsId = 7;
  m_pane->Notify(m_desktop.get(), kUiOpen, 0, 0);
  EXPECT_EQ(m_pane->m_lists[0]->m_selection, -1);
  EXPECT_EQ(m_pane->m_lists[1]->m_selection, 0);
}

// The lists take the members' tactics when the page opens; a refresh
// rebuilds the cards only.
TEST_F(TacticsPaneTest, ARefreshLeavesTheSelectionsAlone) {
  Player(9).tacticsId = 3;
  m_pane->Refresh();
  EXPECT_EQ(m_pane->m_lists[1]->m_selection, 0);
  m_pane->Notify(m_desktop.get(), kUiOpen, 0, 0);
  EXPECT_EQ(m_pane->m_lists[1]->m_selection, 3);
}

}  // namespace
