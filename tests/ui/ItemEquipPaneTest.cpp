// The field menu's item and equipment pages: the item menu by kind, using,
// throwing away and reading items, the slots' hit test and menus, equipping
// and its refusal, the comparison, and the member header the item page
// carries.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "render/3dFrame.h"
#include "render/Font.h"
#include "render/PixelRC.h"
#include "tests/session/MenuListFixture.h"
#include "ui/UIDesktop.h"
#include "ui/UIEquipPane.h"
#include "ui/UIItemPane.h"
#include "ui/UIListBox.h"
#include "ui/UIMemberHeader.h"
#include "ui/UIRadioBtn.h"
#include "ui/UIStatusTab.h"

namespace {

using namespace menulists;
using Strings = std::vector<std::string>;

// Items after the menu lists' own.
constexpr int kLetter = kItemCount;        // an event item with a text
constexpr int kBazerald = kItemCount + 1;  // a weapon never thrown away
constexpr int kMyDagger = kFirstOfKind;    // worn by peach
constexpr int kShield = kFirstOfKind + 1;
constexpr int kShoes = kFirstOfKind + 4;
constexpr int kFood = kFirstOfKind + 7;
constexpr int kEvent = kFirstOfKind + 14;  // nothing to read
constexpr int kWeaponKind = kFirstOfKind;

class PaneTest : public MenuListTest {
 protected:
  void SetUp() override {
    MenuListTest::SetUp();
    Write("data/diary/item.txt", Items() + ItemText("Letter", 4, "letter", 14, "1") +
                                     ItemText("B", 0, "바제랄드", 0, "0 0 0 0 0 0 1"));
    ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    std::fill(std::begin(AsciiWidths), std::end(AsciiWidths), 10);
    m_rc.SetViewSize(640, 480);
    m_frame.m_pRC = &m_rc;
    g_pCurrentFrame = &m_frame;
    g_uiOriginX = g_uiOriginY = 0;
    // Peach, the skill user, is the member the pages show.
    session.partyIds[0] = 11;
    session.partyIds[1] = 10;
    session.players[11].playerId = 11;
    session.players[10].playerId = 10;
    g_pMenuPlayer = &session.players[11];
    for (int item : {kMyDagger, kShield, kShoes, kFood, kEvent, kLetter, kBazerald, kHalberd}) {
      session.SetItemCount(item, 10);
    }
    m_desktop = std::make_unique<UIDesktop>();
  }
  void TearDown() override {
    m_desktop.reset();
    g_pMenuPlayer = nullptr;
    m_frame.m_pRC = nullptr;
    g_pCurrentFrame = nullptr;
    MenuListTest::TearDown();
  }

  template <class Pane>
  Pane* OpenPane() {
    auto* pane = new Pane;
    m_desktop->AddChild(pane);
    pane->Notify(m_desktop.get(), kUiOpen, 0, 0);
    return pane;
  }
  void Point(int x, int y) {
    CMouse::GetInstance().m_x = x;
    CMouse::GetInstance().m_y = y;
  }
  // The row of an item in a page's list.
  template <class Pane>
  int RowOf(const Pane& pane, int item) {
    for (size_t i = 0; i < pane.m_rowItems.size(); ++i) {
      if (pane.m_rowItems[i] == item) return static_cast<int>(i);
    }
    return -1;
  }
  Strings MenuTexts() const {
    Strings out;
    const UIMenu& menu = m_desktop->m_popupMenu;
    for (int i = 0; i < menu.m_count; ++i) out.push_back(menu.m_entries[static_cast<size_t>(i)].text);
    return out;
  }
  UIMessage& Box() { return m_desktop->m_messageBox; }

  CPixelRC m_rc{kLayout565};
  C3dFrame m_frame;
  std::unique_ptr<UIDesktop> m_desktop;
};

const Strings kThrows = {"1개 버리기", "5개 버리기", "10개 버리기", "20개 버리기", "50개 버리기"};

Strings With(Strings head, const Strings& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

// Item page ------------------------------------------------------------------

TEST_F(PaneTest, ItemMenuFollowsTheKind) {
  struct Case {
    int item;
    Strings entries;
  };
  const Case cases[] = {
      {kFood, With({"사용하기"}, kThrows)},
      {kFirstOfKind + 8, With({"사용하기"}, kThrows)},   // restorative
      {kFirstOfKind + 11, With({"사용하기"}, kThrows)},  // the second up kind
      {kFirstOfKind + 10, kThrows},                     // the first up kind
      {kMyDagger, kThrows},
      {kLetter, {"읽기"}},
      {kEvent, {}},
  };
  for (const Case& c : cases) {
    FillItemMenu(m_desktop->m_popupMenu, c.item);
    EXPECT_EQ(MenuTexts(), c.entries) << c.item;
  }
  FillItemMenu(m_desktop->m_popupMenu, kFood);
  const UIMenu::Entry& fifty = m_desktop->m_popupMenu.m_entries[5];
  EXPECT_EQ((std::vector<int>{fifty.code, fifty.a, fifty.b}), (std::vector<int>{8, kFood, 50}));
}

TEST_F(PaneTest, TheLastButtonShowsEverythingButEquipment) {
  UIItemPane* pane = OpenPane<UIItemPane>();
  EXPECT_EQ(pane->m_category, 5);
  EXPECT_NE(RowOf(*pane, kFood), -1);
  EXPECT_EQ(RowOf(*pane, kMyDagger), -1);
  // The flag greys what cannot be used.
  EXPECT_EQ(pane->m_list->m_enabled[static_cast<size_t>(RowOf(*pane, kEvent))], 1);
  EXPECT_EQ(pane->m_list->m_enabled[static_cast<size_t>(RowOf(*pane, kLetter))], 0);

  Point(173 + 5, 400);  // the first button
  pane->OnLButtonDown();
  EXPECT_EQ(pane->m_category, 0);
  Point(173 + 4 * 86 + 5, 400);
  pane->OnLButtonDown();
  EXPECT_EQ(pane->m_category, 5);
  int marked = 0;
  for (UIObject* child : pane->m_children) {
    if (auto* radio = dynamic_cast<UIRadioBtn*>(child)) marked += radio->m_checked;
  }
  EXPECT_EQ(marked, 1);
}

TEST_F(PaneTest, UsingTakesOneWhateverTheUseDid) {
  UIItemPane* pane = OpenPane<UIItemPane>();
  // From the menu the picker opens, set to report the item.
  pane->Notify(&m_desktop->m_popupMenu, 6, kFood, 0);
  EXPECT_TRUE(m_desktop->m_playerMenu.IsShown());
  EXPECT_EQ(m_desktop->m_playerMenu.m_notifyCode, 6);
  EXPECT_EQ(m_desktop->m_playerMenu.m_notifyValue, kFood);
  const auto before = session.players;
  pane->Notify(&m_desktop->m_playerMenu, 6, kFood, 1);
  EXPECT_EQ(session.GetItemCount(kFood), 9);
  EXPECT_EQ(session.players[10].hp, before[10].hp);

  // A second click on the row uses it on the member at once.
  pane->Notify(pane->m_list, 18, RowOf(*pane, kFood), 0);
  EXPECT_EQ(session.GetItemCount(kFood), 8);
  // A picked member for something else uses nothing.
  pane->Notify(&m_desktop->m_playerMenu, 6, kMyDagger, 1);
  EXPECT_EQ(session.GetItemCount(kMyDagger), 10);
}

TEST_F(PaneTest, ASecondClickOnAReadableItemReadsIt) {
  UIItemPane* pane = OpenPane<UIItemPane>();
  pane->Notify(pane->m_list, 18, RowOf(*pane, kEvent), 0);  // nothing to read
  EXPECT_FALSE(Box().IsShown());
  pane->Notify(pane->m_list, 18, RowOf(*pane, kLetter), 0);
  ASSERT_TRUE(Box().IsShown());
  EXPECT_EQ(Box().m_text, CItemMgr::GetInstance().GetItem(kLetter)->name);
}

TEST_F(PaneTest, ThrowingAwayAsksFirst) {
  UIItemPane* pane = OpenPane<UIItemPane>();
  for (const bool yes : {false, true}) {
    pane->Notify(&m_desktop->m_popupMenu, 8, kFood, 5);
    ASSERT_TRUE(Box().IsShown());
    EXPECT_EQ(Box().m_text, "진짜 버리실 건가요?");
    EXPECT_EQ(Box().m_kind, UIMessage::kYesNo);
    Box().Show(0);
    Box().Notify(&Box(), yes ? 28 : 29, 0, 0);
    EXPECT_EQ(session.GetItemCount(kFood), yes ? 5 : 10) << yes;
    EXPECT_FALSE(Box().IsShown());
  }
}

TEST_F(PaneTest, ReadingUnlocksTheNamedScrapsOnce) {
  session.scrapDiary[1] = 0;
  session.scrapDiary[2] = 2;
  MarkScrapsOf("<%S1%> and <%S2%>, <%nobody%>", session);
  EXPECT_EQ(session.scrapDiary[1], 1);
  EXPECT_EQ(session.scrapDiary[2], 2);
  EXPECT_EQ(session.scrapDiary[0], 0);
}

TEST_F(PaneTest, TheTextIsReadInWholeLines) {
  EXPECT_EQ(SplitItemTextLines("one\r\ntwo\nlast"), (Strings{"one", "two", "last"}));
  EXPECT_EQ(SplitItemTextLines("a\n\nb\n"), (Strings{"a", "", "b"}));
  EXPECT_EQ(SplitItemTextLines(""), Strings{});

  UIItemPane* pane = OpenPane<UIItemPane>();
  Write("data/item/letter.txt", "Dear <%S3%>\r\nthe end");
  pane->Notify(&m_desktop->m_popupMenu, 6, kLetter, 0);
  ASSERT_TRUE(Box().IsShown());
  const std::vector<std::string>& lines = Box().m_textBox.m_lines;
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].find("letter"), 0u);
  EXPECT_EQ(lines[2].find("the end"), 0u);
  EXPECT_EQ(session.scrapDiary[3], 1);
  // Its OK comes back as the same code and is only an answer.
  Box().Show(0);
  Box().Notify(&Box(), 28, 0, 0);
  EXPECT_FALSE(Box().IsShown());
  EXPECT_EQ(Box().m_confirmed, 0);
}

TEST_F(PaneTest, AMissingTextIsLogged) {
  testsupport::DebugLogCapture log;
  UIDesktop& desktop = *m_desktop;
  desktop.m_messageBox.PopupLong(nullptr);
  ReadItemText(desktop.m_messageBox, "letter", session);
  EXPECT_TRUE(log.Contains("letter 파일열기에러"));
  EXPECT_EQ(desktop.m_messageBox.m_textBox.m_lines.size(), 1u);
}

// Equip page -------------------------------------------------------------------

TEST_F(PaneTest, SlotsAreHitWhereTheyAreDrawn) {
  struct Case {
    int x, y, slot;
  };
  const Case cases[] = {
      {200, 49, -1}, {200, 50, 0},  {200, 76, 0},  {200, 77, 1},   {200, 160, 3}, {200, 161, -1},
      {160, 60, -1}, {161, 60, 0},  {284, 60, 0},  {285, 60, -1},  {340, 60, -1}, {341, 60, 4},
      {464, 150, 7}, {465, 150, -1}, {300, 100, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(EquipSlotAt(c.x, c.y), c.slot) << c.x << "," << c.y;
}

TEST_F(PaneTest, ASlotChoosesTheCategoryOfWhatIsWorn) {
  const int expected[] = {0, 1, 1, 1, 3, 2, 3, -1};
  for (int kind = 0; kind < 8; ++kind) EXPECT_EQ(EquipRadioForKind(kind), expected[kind]) << kind;

  UIEquipPane* pane = OpenPane<UIEquipPane>();
  EXPECT_EQ(pane->m_radios[3]->m_x, 441);
  session.players[11].shoes = kShoes;
  Point(200, 49 + 28 * 3 + 5);  // the shoes
  pane->OnLButtonDown();
  EXPECT_EQ(pane->m_slot, 3);
  EXPECT_EQ(pane->m_category, 9);
  EXPECT_EQ(pane->m_radios[3]->m_checked, 1);
  EXPECT_EQ(pane->m_radios[4]->m_checked, 0);
  // A second click on the same slot takes the shoes off.
  pane->OnLButtonDown();
  EXPECT_EQ(session.players[11].shoes, kEmptyShoes);
  EXPECT_EQ(session.GetItemCount(kShoes), 11);
}

TEST_F(PaneTest, SlotAndListMenus) {
  UIMenu& menu = m_desktop->m_popupMenu;
  FillSlotMenu(menu, 0, 3, kEmptyShoes);
  EXPECT_EQ(MenuTexts(), (Strings{"장비해제", "버리기"}));
  EXPECT_EQ(menu.m_entries[0].enabled + menu.m_entries[1].enabled, 0);
  FillSlotMenu(menu, 0, 1, kMyDagger);
  EXPECT_EQ(menu.m_entries[0].enabled + menu.m_entries[1].enabled, 2);
  EXPECT_EQ((std::vector<int>{menu.m_entries[0].code, menu.m_entries[0].a, menu.m_entries[0].b}),
            (std::vector<int>{11, 0, 1}));
  for (int item : {kBazerald, kEvent}) {
    FillSlotMenu(menu, 0, 1, item);
    EXPECT_EQ(MenuTexts(), (Strings{"장비해제"}));
    FillEquipListMenu(menu, 0, item);
    EXPECT_EQ(MenuTexts(), (Strings{"장비하기"}));
  }
  FillEquipListMenu(menu, 0, kShield);
  EXPECT_EQ(MenuTexts(), With({"장비하기"}, kThrows));
}

TEST_F(PaneTest, ARefusalIsToldAndItsOkOnlyAnswers) {
  UIEquipPane* pane = OpenPane<UIEquipPane>();
  EXPECT_EQ(pane->m_list->m_enabled[static_cast<size_t>(RowOf(*pane, kHalberd))], 1);
  EXPECT_EQ(pane->m_list->m_enabled[static_cast<size_t>(RowOf(*pane, kMyDagger))], 0);
  pane->Notify(pane->m_list, 18, RowOf(*pane, kHalberd), 0);
  ASSERT_TRUE(Box().IsShown());
  EXPECT_EQ(Box().m_text, "핼버드 장착할 수 없습니다");
  EXPECT_EQ(Box().m_kind, UIMessage::kOk);
  EXPECT_EQ(session.GetItemCount(kHalberd), 10);
  Box().Show(0);
  Box().Notify(&Box(), 28, 0, 0);
  EXPECT_FALSE(Box().IsShown());
  EXPECT_EQ(Box().m_confirmed, 0);

  // A double click on a row it may wear puts it on.
  pane->Notify(pane->m_list, 18, RowOf(*pane, kShield), 0);
  EXPECT_EQ(session.players[11].shield, kShield);
  EXPECT_EQ(session.GetItemCount(kShield), 9);
}

// With a slot selected, its piece comes off first, whatever is thrown.
TEST_F(PaneTest, AThrowTakesTheSelectedSlotsPieceOffFirst) {
  UIEquipPane* pane = OpenPane<UIEquipPane>();
  ASSERT_TRUE(session.Equip(0, kMyDagger));
  ASSERT_EQ(session.GetItemCount(kMyDagger), 9);
  pane->m_slot = 1;  // the weapon
  const auto confirmThrow = [&](int item) {
    pane->Notify(&m_desktop->m_popupMenu, 8, item, 1);
    ASSERT_TRUE(Box().IsShown());
    EXPECT_EQ(Box().m_text, "정말로 버리시겠습니까?");
    Box().Show(0);
    Box().Notify(&Box(), 28, 0, 0);
  };
  confirmThrow(kShield);
  EXPECT_EQ(session.players[11].weapon, kEmptyWeapon);
  EXPECT_EQ(session.GetItemCount(kMyDagger), 10);  // back from the slot
  EXPECT_EQ(session.GetItemCount(kShield), 9);
  ASSERT_TRUE(session.Equip(0, kMyDagger));
  confirmThrow(kMyDagger);
  EXPECT_EQ(session.players[11].weapon, kEmptyWeapon);
  EXPECT_EQ(session.GetItemCount(kMyDagger), 9);  // back from the slot, then one thrown
}

TEST_F(PaneTest, TheComparisonLeavesTheSessionAlone) {
  PlayerData& peach = session.players[11];
  peach.Recalc();
  const auto alone = CompareEquip(peach, -1, session);
  for (const auto& row : alone) EXPECT_EQ(row.with, row.now) << row.label;

  Write("data/diary/item.txt", Items() + ItemText("Letter", 4, "letter", 14, "1") +
                                   ItemText("B", 0, "바제랄드", 0, "7 0 0 0 0 0 1"));
  ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
  const PlayerData before = peach;
  const auto rows = CompareEquip(peach, kBazerald, session);
  EXPECT_EQ(std::string(rows[1].label), "ATK");
  EXPECT_EQ(rows[1].with, rows[1].now + 7);
  EXPECT_EQ(peach.weapon, before.weapon);
  EXPECT_EQ(peach.strength, before.strength);
}

TEST_F(PaneTest, ARightPressOpensOneMenu) {
  UIEquipPane* pane = OpenPane<UIEquipPane>();
  const UIMenu& menu = m_desktop->m_popupMenu;
  // A row chosen, then a press on a slot: the slot's menu, once.
  pane->m_list->Notify(pane->m_list, 14, RowOf(*pane, kShield), 0);
  Point(200, 80);
  pane->OnRButtonDown();
  EXPECT_EQ(m_desktop->m_modalStack.size(), 1u);
  EXPECT_EQ(MenuTexts(), (Strings{"장비해제", "버리기"}));
  // On a row, the row's menu.
  m_desktop->m_popupMenu.Show(0);
  Point(pane->m_list->m_innerX0 + 5, pane->m_list->m_innerY0 + 5);
  pane->OnRButtonDown();
  EXPECT_EQ(m_desktop->m_modalStack.size(), 1u);
  EXPECT_EQ(menu.m_entries[0].text, "장비하기");
  EXPECT_EQ(menu.m_entries[0].b, pane->m_rowItems[0]);
}

// Member header -------------------------------------------------------------------

struct Drawn {
  std::string what;
  int x, y, id;
  bool operator==(const Drawn&) const = default;
};

class RecordPaint : public HeaderPaint {
 public:
  void Text(int, int, const std::string&) override {}
  void TextRight(int, int, const std::string&) override {}
  void Sprite(int, int, int) override {}
  void Condition(int x, int y, int id) override { drawn.push_back({"icon", x, y, id}); }
  void Cover(int left, int top, int right, int bottom) override {
    drawn.push_back({"cover", left, top, right - left});
    static_cast<void>(bottom);
  }
  std::vector<Drawn> drawn;
};

TEST(MemberHeader, PoisonSharesTheFirstPlace) {
  struct Case {
    int bits;
    std::vector<Drawn> icons;
  };
  const Case cases[] = {
      {0b1011, {{"icon", 168, 73, 0}, {"icon", 168, 73, 0}, {"icon", 198, 73, 1}}},
      {0b10010000, {{"icon", 168, 73, 2}, {"icon", 198, 73, 5}}},
      {0b100, {{"icon", 168, 73, 0}}},
  };
  for (const Case& c : cases) {
    PlayerData p;
    p.stateid = c.bits;
    p.hp = p.maxhp = p.shp = p.maxshp = 10;
    RecordPaint paint;
    PaintMemberHeader(p, CSession::GetInstance(), paint);
    EXPECT_EQ(paint.drawn, c.icons) << c.bits;
  }
}

TEST(MemberHeader, BarCovers) {
  struct Case {
    int value, maximum;
    std::vector<Drawn> covers;
  };
  const Case cases[] = {
      {50, 50, {}},
      {0, 50, {{"cover", 503 - 142, 93, 142}}},
      {25, 50, {{"cover", 503 - 71, 93, 71}}},
      {5, 0, {}},
      {80, 50, {}},
  };
  for (const Case& c : cases) {
    PlayerData p;
    p.shp = p.maxshp = 1;
    p.hp = c.value;
    p.maxhp = c.maximum;
    RecordPaint paint;
    PaintMemberHeader(p, CSession::GetInstance(), paint);
    EXPECT_EQ(paint.drawn, c.covers) << c.value << "/" << c.maximum;
  }
  EXPECT_EQ(MemberTitleX("abcd"), 350 - 36);
}

}  // namespace
