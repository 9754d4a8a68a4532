// The item box and party screens' panels and the member card they share:
// the card's figures, the party panels' hit test, clicks and display
// modes, moving members between the party and the inn, and the item box's
// filters, stores and take-outs.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/Mouse.h"
#include "session/ItemMgr.h"
#include "tests/session/SessionFixture.h"
#include "ui/UIDesktop.h"
#include "ui/UIListBox.h"
#include "ui/UIMemberCard.h"
#include "ui/UIMenuModes.h"

namespace {

// The party is ids 0, 2, 3 and the inn holds id 1 (the fixture's new game).
class ScreenTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    g_uiOriginX = g_uiOriginY = 0;
  }
  // Later suites draw the party's load: nothing carried or stored stays.
  void TearDown() override {
    m_desktop.reset();
    session.Init();
  }

  template <class Mode>
  Mode* Open() {
    m_desktop = std::make_unique<UIDesktop>();
    auto* mode = new Mode;
    m_desktop->AddChild(mode);
    m_desktop->Notify(m_desktop.get(), kUiOpen, 0, 0);
    return mode;
  }
  void Point(int x, int y) {
    CMouse::GetInstance().m_x = x;
    CMouse::GetInstance().m_y = y;
  }
  void LeftAt(int x, int y) {
    Point(x, y);
    m_desktop->OnLButtonDown();
    m_desktop->OnLButtonUp();
  }
  void RightAt(int x, int y) {
    Point(x, y);
    m_desktop->OnRButtonDown();
    m_desktop->OnRButtonUp();
  }
  bool Shown(const char* text) const {
    return m_desktop->m_messageBox.IsShown() && m_desktop->m_messageBox.m_text == text;
  }
  std::vector<int> Party() const {
    return std::vector<int>(session.partyIds.begin(), session.partyIds.begin() + session.partyCount);
  }
  std::vector<int> Inn() const {
    return std::vector<int>(session.innIds.begin(), session.innIds.begin() + session.innCount);
  }

  std::unique_ptr<UIDesktop> m_desktop;
};

// Member card -------------------------------------------------------------------

TEST_F(ScreenTest, ACardGoesRedBelowAFifthAndShowsTheNameInCapitalsCut) {
  PlayerData& p = session.players[0];
  p.hp = 19;
  p.maxhp = 100;
  p.mp1 = 20;
  p.maxmp1 = 100;
  const MemberCard card = MakeMemberCard(0, 100, 200, 1);
  const std::vector<CardText> texts = LayOutMemberCard(card, 1);
  ASSERT_EQ(texts.size(), 2u + 4 * 3);  // "Lv", the level, four rows
  for (size_t i = 2; i < 5; ++i) EXPECT_EQ(texts[i].bank, 1) << texts[i].text;  // 19 / 100
  for (size_t i = 5; i < 8; ++i) EXPECT_EQ(texts[i].bank, 0) << texts[i].text;  // 20 / 100
  EXPECT_EQ(texts[2].text, "19");
  EXPECT_EQ(texts[2].x, 120);
  EXPECT_EQ(texts[3].text, "/");
  EXPECT_EQ(texts[4].text, "100");
  EXPECT_EQ(texts[5].y, 200 - 35 + 14);

  p.engname = "sizz_the_wandering_mage";
  const std::vector<CardText> name = LayOutMemberCard(card, 0);
  ASSERT_EQ(name.size(), 3u);
  EXPECT_EQ(name[2].text, "SIZZ_THE_WANDERING_M");
  EXPECT_TRUE(LayOutMemberCard(card, 5).empty());  // the tactics page's figure alone
}

// Party panels ----------------------------------------------------------------------

// The inn panel covers (30, 110)-(590, 350): columns 112 wide, rows 120 high;
// the party panel (30, 390)-(590, 470): columns 93 wide.
TEST_F(ScreenTest, TheHitTestCountsColumnStartsAndKeepsToTheShownRows) {
  session.innCount = 12;
  for (int i = 0; i < 12; ++i) session.innIds[static_cast<size_t>(i)] = 4 + i;
  auto* mode = Open<UIPartyMode>();
  struct Case {
    int x, y, inn, party;
  } cases[] = {
      {30, 110, -1, -1},   // on the left edge no column has started
      {31, 111, 0, -1},
      {142, 229, 0, -1},   // a column starts past its edge
      {143, 230, 6, -1},
      {500, 150, 4, -1},   // the fifth column
      {590, 349, 9, -1},   // the right edge still counts
      {590, 350, -1, -1},  // the bottom edge starts no third row
      {300, 351, -1, -1},  // below the second row
      {591, 200, -1, -1},
      {124, 400, -1, 1},   // the party's second card
      {497, 470, -1, -1},  // the sixth column holds no member
  };
  for (const Case& c : cases) {
    Point(c.x, c.y);
    EXPECT_EQ(mode->m_inn->HitTest(), c.inn) << c.x << "," << c.y;
    EXPECT_EQ(mode->m_party->HitTest(), c.party) << c.x << "," << c.y;
  }
  EXPECT_EQ(mode->m_inn->m_cards[11].y, 110 + 100 + 240);  // drawn below the panel
}

TEST_F(ScreenTest, AClickSelectsAnotherMovesNothingAndASecondClickSendsToTheInn) {
  auto* mode = Open<UIPartyMode>();
  LeftAt(70, 430);
  EXPECT_EQ(mode->m_party->m_selection, 0);
  LeftAt(170, 430);
  EXPECT_EQ(mode->m_party->m_selection, 1);
  EXPECT_EQ(Party(), (std::vector<int>{0, 2, 3}));

  LeftAt(170, 430);
  EXPECT_EQ(Party(), (std::vector<int>{0, 3}));
  EXPECT_EQ(Inn(), (std::vector<int>{1, 2}));
  EXPECT_EQ(mode->m_party->m_selection, -1);
  EXPECT_EQ(mode->m_party->m_cards.size(), 2u);  // both panels rebuilt
  ASSERT_EQ(mode->m_inn->m_cards.size(), 2u);

  LeftAt(50, 200);  // player 1 at the inn, twice
  LeftAt(50, 200);
  EXPECT_EQ(Party(), (std::vector<int>{0, 3, 1}));
  EXPECT_EQ(Inn(), (std::vector<int>{2}));
  LeftAt(10, 10);
  EXPECT_EQ(mode->m_inn->m_selection, -1);
}

TEST_F(ScreenTest, RightClicksStepBothPanelsWhereverThePointerIs) {
  auto* mode = Open<UIPartyMode>();
  LeftAt(70, 430);
  RightAt(5, 5);
  EXPECT_EQ(mode->m_inn->m_displayMode, 1);
  EXPECT_EQ(mode->m_party->m_displayMode, 1);
  EXPECT_EQ(mode->m_party->m_selection, -1);
  for (int i = 0; i < 4; ++i) RightAt(300, 200);
  EXPECT_EQ(mode->m_inn->m_displayMode, 0);
  EXPECT_EQ(mode->m_party->m_displayMode, 0);
}

TEST_F(ScreenTest, AFullPartyRefusesTheInnCardAndALoneMemberStays) {
  for (int id : {4, 5, 6}) ASSERT_EQ(session.JoinPlayer(id), 1);
  auto* mode = Open<UIPartyMode>();
  LeftAt(50, 200);
  LeftAt(50, 200);
  EXPECT_EQ(session.partyCount, 6);
  EXPECT_EQ(Inn(), (std::vector<int>{1}));
  EXPECT_EQ(mode->m_inn->m_selection, 0);  // the card stays selected

  session.partyCount = 1;
  mode->Notify(mode, 15, 0, 0);
  LeftAt(70, 430);
  LeftAt(70, 430);
  EXPECT_EQ(session.partyCount, 1);
  EXPECT_EQ(mode->m_party->m_selection, 0);
}

// Both screens' "Close" icon stands at (590, 120), its plate over (564, 102)-
// (618, 128). Whatever a press on a card did before, a click anywhere on the
// plate ends the screen, and a click beside it does not.
TEST_F(ScreenTest, AClickAnywhereOnTheClosePlateEndsTheScreenAfterAnyPressOnACard) {
  // Presses on cards: left or right, at the inn card or the first party
  // card; "R" held is a right press not yet released.
  const std::vector<std::string> befores = {"", "r", "rr", "l", "R", "lr"};
  struct Spot {
    int x, y;
    bool closes;
  } spots[] = {{591, 115, true},  {609, 115, true},  {566, 101, true},  {617, 127, true},
               {575, 112, true},  {621, 115, false}, {591, 131, false}, {560, 115, false}};
  for (const std::string& before : befores) {
    for (const Spot& spot : spots) {
      for (bool party : {true, false}) {
        if (party) {
          Open<UIPartyMode>();
        } else {
          Open<UIItemBoxMode>();
        }
        for (size_t i = 0; i < before.size(); ++i) {
          const int x = i % 2 == 0 ? 50 : 70, y = i % 2 == 0 ? 200 : 430;
          if (before[i] == 'l') LeftAt(x, y);
          if (before[i] == 'r') RightAt(x, y);
          if (before[i] == 'R') Point(x, y), m_desktop->OnRButtonDown();
        }
        LeftAt(spot.x, spot.y);
        EXPECT_EQ(m_desktop->IsOpen(), !spot.closes)
            << (party ? "party" : "item box") << " after \"" << before << "\", at " << spot.x << "," << spot.y;
      }
    }
  }
}

// Item box ----------------------------------------------------------------------------

// The stored list's rows start at y 117 and the party's at 117 too, 20 a row.
class ItemBoxTest : public ScreenTest {
 protected:
  static constexpr int kFood = kRing2;
  static constexpr int kEvent = kCrest;

  void SetUp() override {
    ScreenTest::SetUp();
    CItemMgr& items = CItemMgr::GetInstance();
    items.GetItem(kFood)->kind = 7;
    items.GetItem(kEvent)->kind = 14;
    for (int n = 0; n < session.partyCount; ++n) Member(n).capacity = 1000;
  }
  UIItemBoxMode* OpenBox() { return m_mode = Open<UIItemBoxMode>(); }
  // A row menu's entry, as the popup menu sends it.
  void Store(int row, int n) { m_mode->m_carried->Notify(&m_desktop->m_popupMenu, 18, row, n); }
  void TakeOut(int row, int n) { m_mode->m_stored->Notify(&m_desktop->m_popupMenu, 18, row, n); }
  std::vector<std::string> Rows(const UIItemPanel& panel) const { return panel.m_list->m_texts; }

  UIItemBoxMode* m_mode = nullptr;
};

TEST_F(ItemBoxTest, AFilterButtonOnThePartySideFiltersBothLists) {
  session.SetItemCount(kSword, 2);
  session.SetItemCount(kFood, 3);
  session.itemBox[kBuckler] = 1;
  session.itemBox[kFood] = 4;
  OpenBox();
  EXPECT_EQ(Rows(*m_mode->m_carried), (std::vector<std::string>{"sword", "ring2"}));
  EXPECT_EQ(Rows(*m_mode->m_stored), (std::vector<std::string>{"buckler", "ring2"}));
  LeftAt(450, 450);  // "장 비"
  EXPECT_EQ(m_mode->m_stored->m_filter, 10);
  EXPECT_EQ(Rows(*m_mode->m_carried), (std::vector<std::string>{"sword"}));
  EXPECT_EQ(Rows(*m_mode->m_stored), (std::vector<std::string>{"buckler"}));
  LeftAt(370, 450);  // "아이템"
  EXPECT_EQ(Rows(*m_mode->m_stored), (std::vector<std::string>{"ring2"}));
}

TEST_F(ItemBoxTest, AnEventItemStaysWithTheParty) {
  session.SetItemCount(kEvent, 1);
  OpenBox();
  Store(0, 5);
  EXPECT_TRUE(Shown("보관할 수 없는 아이템입니다"));
  EXPECT_EQ(session.GetItemCount(kEvent), 1);
  EXPECT_EQ(session.GetItemBoxCount(kEvent), 0);
}

TEST_F(ItemBoxTest, StoringMovesAtMostWhatIsCarriedAndNeverFillsTheBoxTo256) {
  session.SetItemCount(kFood, 20);
  OpenBox();
  Store(0, 5);
  EXPECT_EQ(session.GetItemCount(kFood), 15);
  EXPECT_EQ(session.GetItemBoxCount(kFood), 5);
  EXPECT_EQ(m_mode->m_carried->m_list->m_numbers[0], 15);  // both lists refilled
  EXPECT_EQ(m_mode->m_stored->m_list->m_numbers[0], 5);
  Store(0, 0);  // activating the row stores one
  EXPECT_EQ(session.GetItemBoxCount(kFood), 6);

  session.itemBox[kFood] = 245;
  Store(0, 256);  // 14 more would make 259
  EXPECT_TRUE(Shown("같은 아이템은 256개 이상 가질 수 없습니다"));
  EXPECT_EQ(session.GetItemBoxCount(kFood), 245);
  m_desktop->m_messageBox.Show(0);
  Store(0, 10);
  EXPECT_FALSE(m_desktop->m_messageBox.IsShown());
  EXPECT_EQ(session.GetItemBoxCount(kFood), 255);
}

TEST_F(ItemBoxTest, TakingOutTakesWhatIsStoredUnlessThePartyWouldHold256) {
  struct Case {
    int stored, held, asked;
    bool moves;
    int heldAfter;
  } cases[] = {
      {3, 250, 10, true, 253},  // all three
      {10, 250, 10, false, 250},
      {40, 200, 256, true, 240},  // "모두 꺼내기"
  };
  for (const Case& c : cases) {
    session.itemBox[kFood] = c.stored;
    session.SetItemCount(kFood, c.held);
    OpenBox();
    TakeOut(0, c.asked);
    EXPECT_EQ(session.GetItemCount(kFood), c.heldAfter) << c.stored << " " << c.held;
    EXPECT_EQ(Shown("같은 아이템은 256개 이상 가질 수 없습니다"), !c.moves) << c.stored << " " << c.held;
  }
}

// Both panels share one item list: a row of one side is looked up in its own
// source, whatever the other side built last.
TEST_F(ItemBoxTest, ARowIsTheItemOfItsOwnSideAfterTheOtherSideChose) {
  session.itemBox[kRing] = 7;
  session.SetItemCount(kSword, 5);
  OpenBox();
  LeftAt(60, 120);  // the stored ring
  EXPECT_EQ(m_mode->m_stored->m_list->m_selection, 0);
  LeftAt(400, 120);  // the party's sword
  TakeOut(0, 5);
  EXPECT_EQ(session.GetItemBoxCount(kRing), 2);
  EXPECT_EQ(session.GetItemCount(kRing), 5);
  EXPECT_EQ(session.GetItemCount(kSword), 5);
  TakeOut(3, 5);  // past the rows
  EXPECT_EQ(session.GetItemBoxCount(kRing), 2);
}

TEST_F(ItemBoxTest, ARightPressOpensTheMenuOfTheSideWithTheSelection) {
  session.itemBox[kRing] = 7;
  OpenBox();
  LeftAt(60, 120);
  RightAt(60, 120);
  const UIMenu& menu = m_desktop->m_popupMenu;
  ASSERT_TRUE(menu.IsShown());
  EXPECT_EQ(menu.m_owner, m_mode->m_stored);
  EXPECT_EQ(menu.m_entries[5].text, "모두 꺼내기");
  EXPECT_EQ(menu.m_entries[5].b, 256);
}

// A child that hands every notice straight back up, as a list box does.
class EchoingChild : public UIObject {
 public:
  void Notify(UIObject*, int code, int, int) override {
    codes.push_back(code);
    NotifyParent(code, 0, 0);
  }
  void Raise(int code) { NotifyParent(code, 0, 0); }
  std::vector<int> codes;
};

// Codes a panel has no use for go to its children, once: neither the
// child's echo nor the screen brings them round again.
TEST_F(ItemBoxTest, OtherCodesGoToTheChildrenOnceAndNoFurther) {
  OpenBox();
  auto* stored = new EchoingChild;
  auto* carried = new EchoingChild;
  m_mode->m_stored->AddChild(stored);
  m_mode->m_carried->AddChild(carried);
  m_desktop->Notify(m_desktop.get(), 13, 0, 0);  // from the screen: both sides hear it
  EXPECT_EQ(stored->codes, std::vector<int>{13});
  EXPECT_EQ(carried->codes, std::vector<int>{13});
  stored->Raise(40);  // raised on one side: its children hear it, the other side does not
  EXPECT_EQ(stored->codes, (std::vector<int>{13, 40}));
  EXPECT_EQ(carried->codes, std::vector<int>{13});
}

}  // namespace
