// The field menu's diaries: the rows of the met entries by category, the
// chosen entry's pages, stats, picture and title, scrap keywords that make
// scraps known, and the stat list's layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Tokenizer.h"
#include "field/SelvarinFrame.h"
#include "session/DataTables.h"
#include "session/MenuList.h"
#include "session/Session.h"
#include "tests/support/GameFolder.h"
#include "ui/UIBitmap.h"
#include "ui/UIDesktop.h"
#include "ui/UIDiaryPanes.h"
#include "ui/UIListBox.h"
#include "ui/UIListBox3d.h"
#include "ui/UIRadioBtn.h"
#include "ui/UITextBox.h"
#include "ui/UITitle.h"

namespace {

using Strings = std::vector<std::string>;

std::string ItemBlock(const std::string& title, const std::string& second, int category, const std::string& name,
                      int kind, const std::string& body) {
  return "#item < " + title + " > < " + second + " > " + std::to_string(category) + " " + name + "\n#type " +
         std::to_string(kind) + "\n#sprname " + name + ".bmp\n#desc \"" + name + " desc\"\n#param 1 2 3 4 5 6 7 8 9 10 11\n" +
         body + "#end\n";
}

// The session fixture's items and menulists' tables have the same names.
namespace diarypagestest {

// Items 7 on: a sword, shoes with only a second page, a ring, a potion, one
// never met; 0-6 are the empty equipment slots.
enum Item { kSword = 7, kBoots, kRing, kPotion, kUnmet };

std::string Items() {
  std::string t;
  const int emptyKinds[7] = {2, 3, 0, 1, 4, 6, 5};
  for (int i = 0; i < 7; ++i) t += ItemBlock("e", "", 0, "empty" + std::to_string(i), emptyKinds[i], "");
  t += ItemBlock("Sword", "SWORD", 0, "sword", 0, "#1\nsword one\n#2\nsword two\n");
  t += ItemBlock("Boots", "BOOTS", 1, "boots", 4, "#1\n#2\nboots two\n");
  t += ItemBlock("Ring", "RING", 2, "ring", 5, "#1\nring one\n");
  t += ItemBlock("Potion", "POTION", 3, "potion", 8, "#1\npotion one\n");
  t += ItemBlock("Unmet", "", 0, "unmet", 0, "");
  return t;
}

std::string Monsters() {
  return "#monster < Wolf > < WOLF > 0 wolf\n#type 0\n#desc \"grey wolf\"\n#1\nwolf one\n#2\nwolf two\n#end\n"
         "#monster < Bat > < BAT > 1 bat\n#type 1\n#end\n";
}

// Scrap 0 marks 1 (unknown), 2 (known at 2) and a name no scrap has.
std::string Scraps() {
  return "#scrap < Legend > 0\n#1\nsee <%Hero%> and <%Town%> and <%Nobody%>\n#end\n"
         "#scrap < Hero > 0\n#1\nhero\n#end\n"
         "#scrap < Town > 1\n#1\ntown\n#end\n"
         "#scrap < Song > 2\n#1\nsong\n#end\n";
}

}  // namespace diarypagestest

class DiaryPagesTest : public GameFolderTest {
 protected:
  void SetUp() override {
    g_uiOriginX = g_uiOriginY = 0;
    Write("data/diary/item.txt", diarypagestest::Items());
    Write("data/diary/monster.txt", diarypagestest::Monsters());
    Write("data/diary/scraps.txt", diarypagestest::Scraps());
    ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    ASSERT_TRUE(CMonsterMgr::GetInstance().Load("diary/monster.txt"));
    ASSERT_TRUE(CScrapMgr::GetInstance().Load("diary/"));
    session.Init();
  }
  void TearDown() override { session.Init(); }

  static Strings Rows(const UIDiaryPane& pane) { return pane.m_listBox->m_texts; }
  static Strings Lines(const UIDiaryPane& pane) { return pane.m_textBox->m_lines; }
  static Strings StatLabels(const UIItemDiaryPane& pane) { return pane.m_statList->m_labels; }
  // The radio button with that id, clicked.
  static void Choose(UIDiaryPane& pane, int id) {
    for (UIObject* child : pane.m_children) {
      auto* button = dynamic_cast<UIRadioBtn*>(child);
      if (button != nullptr && button->m_id == id) button->Notify(button, 14, 0, 0);
    }
  }
  static std::vector<int> Marks(const UIDiaryPane& pane) {
    std::vector<int> marks;
    for (UIObject* child : pane.m_children) {
      if (auto* button = dynamic_cast<UIRadioBtn*>(child)) marks.push_back(button->m_checked);
    }
    return marks;
  }

  CSession& session = CSession::GetInstance();
};

TEST_F(DiaryPagesTest, OpeningBuildsTheWidgetsInOrderAndShowsTheFirstRow) {
  session.SetItemDiary(diarypagestest::kSword, 1);
  UIItemDiaryPane pane;
  pane.Notify(&pane, kUiOpen, 0, 0);
  ASSERT_EQ(pane.m_children.size(), 10u);
  auto it = pane.m_children.begin();
  EXPECT_EQ(*it++, pane.m_listBox);
  EXPECT_EQ(*it++, pane.m_textBox);
  EXPECT_EQ(*it++, pane.m_statList);
  EXPECT_EQ(*it++, pane.m_picture);
  EXPECT_EQ(*it++, pane.m_title);
  const auto* first = dynamic_cast<UIRadioBtn*>(*it);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ((std::vector<int>{first->m_x, first->m_y, first->m_second}), (std::vector<int>{173, 396, 0}));
  EXPECT_EQ(Marks(pane), (std::vector<int>{1, 0, 0, 0, 0}));
  EXPECT_EQ((std::vector<int>{pane.m_statList->m_innerX0, pane.m_statList->m_innerY0, pane.m_statList->m_innerX1,
                              pane.m_statList->m_innerY1}),
            (std::vector<int>{172, 167, 323, 253}));

  EXPECT_EQ(Rows(pane), Strings{"Sword"});
  EXPECT_EQ(pane.m_listBox->m_selection, 0);
  EXPECT_EQ(Lines(pane), Strings{"sword one "});
  EXPECT_EQ(StatLabels(pane), (Strings{"STR", "VIT", "INT", "AGI", "LUK", "ATK", "DEF", "WEI", "MAG", "CRI"}));
  EXPECT_EQ(pane.m_picture->m_file, "sword.bmp");
  EXPECT_EQ(pane.m_picture->m_flag, 2);
  EXPECT_EQ((Strings{pane.m_title->m_text, pane.m_title->m_part1, pane.m_title->m_part2}),
            (Strings{"SWORD", "Sword", "sword desc"}));
}

TEST_F(DiaryPagesTest, ItemDetailsFollowTheKindAndTheLevel) {
  ITM* sword = CItemMgr::GetInstance().GetItem(diarypagestest::kSword);
  ITM* ring = CItemMgr::GetInstance().GetItem(diarypagestest::kRing);
  std::vector<int> weaponValues(5, 0), ringValues;
  for (int p = 0; p < 5; ++p) weaponValues.push_back(*sword->GetAttrPtr(p));
  for (int p = 0; p < 5; ++p) ringValues.push_back(*ring->GetAttrPtr(p));
  ringValues.resize(10, 0);

  const struct {
    int item, level, category;
    Strings lines;
    std::vector<int> values;  // empty: no stat list
    const char* eighth;
  } cases[] = {
      {diarypagestest::kSword, 2, 0, {"sword one ", "&n", "sword two "}, weaponValues, "WEI"},
      {diarypagestest::kSword, 4, 0, {"sword one ", "&n", "sword two ", "&n", "&n"}, weaponValues, "WEI"},  // every level, pages or not
      {diarypagestest::kBoots, 2, 1, {" 관련 자료 없음.", "&n", "boots two "}, {}, "SPD"},
      {diarypagestest::kRing, 1, 2, {"ring one "}, ringValues, "WEI"},
      {diarypagestest::kPotion, 1, 3, {"potion one "}, {}, nullptr},
  };
  for (const auto& c : cases) {
    session.Init();
    session.SetItemDiary(c.item, c.level);
    UIItemDiaryPane pane;
    pane.Notify(&pane, kUiOpen, 0, 0);
    Choose(pane, c.category);
    ASSERT_EQ(pane.m_category, c.category);
    EXPECT_EQ(Lines(pane), c.lines) << c.item;
    if (c.eighth == nullptr) {
      EXPECT_TRUE(StatLabels(pane).empty());
    } else {
      ASSERT_EQ(StatLabels(pane).size(), 10u) << c.item;
      EXPECT_EQ(StatLabels(pane)[7], c.eighth);
      if (!c.values.empty()) {
        EXPECT_EQ(pane.m_statList->m_values, c.values) << c.item;
      }
    }
    EXPECT_FALSE(pane.m_picture->m_file.empty()) << c.item;  // every kind has its picture and title
    EXPECT_FALSE(pane.m_title->m_text.empty()) << c.item;
    EXPECT_EQ(Marks(pane)[static_cast<size_t>(c.category)], 1);
  }
}

TEST_F(DiaryPagesTest, AnEmptyCategoryOrLevelShowsNothing) {
  UIItemDiaryPane pane;
  pane.Notify(&pane, kUiOpen, 0, 0);
  EXPECT_TRUE(Rows(pane).empty());
  EXPECT_TRUE(Lines(pane).empty());  // not even the fallback
  EXPECT_TRUE(pane.m_picture->m_file.empty());

  // A row whose level was taken back to 0 since the list was built.
  session.SetItemDiary(diarypagestest::kSword, 1);
  pane.Refresh();
  session.itemDiary[diarypagestest::kSword] = 0;
  pane.Notify(pane.m_listBox, 14, 0, 0);
  EXPECT_TRUE(Lines(pane).empty());
  EXPECT_EQ(pane.m_title->m_part1, "Sword");
}

TEST_F(DiaryPagesTest, ClickingTheChosenRowAgainShowsItAgain) {
  session.SetItemDiary(diarypagestest::kSword, 1);
  UIItemDiaryPane pane;
  pane.Notify(&pane, kUiOpen, 0, 0);
  pane.m_textBox->Clear();
  pane.m_title->m_text.clear();
  pane.Notify(pane.m_listBox, 18, 0, 0);
  EXPECT_EQ(Lines(pane), Strings{"sword one "});
  EXPECT_EQ(pane.m_title->m_text, "SWORD");

  // The monster diary knows no code 18.
  session.SetMonsterDiary(0, 1);
  UIMonsterPane monsters;
  monsters.Notify(&monsters, kUiOpen, 0, 0);
  monsters.m_textBox->Clear();
  monsters.Notify(monsters.m_listBox, 18, 0, 0);
  EXPECT_TRUE(Lines(monsters).empty());
}

TEST_F(DiaryPagesTest, SwitchingPagesRebuildsTheSharedListFromTheSession) {
  session.SetItemDiary(diarypagestest::kSword, 1);
  UIItemDiaryPane items;
  UIMonsterPane monsters;
  items.Notify(&items, kUiOpen, 0, 0);
  monsters.Notify(&monsters, kUiOpen, 0, 0);
  EXPECT_EQ(CDiaryList::GetInstance().TableType(), CDiaryList::kMonsters);

  // A row chosen while the monster diary owns the list reads the items.
  items.Notify(items.m_listBox, 14, 0, 0);
  EXPECT_EQ(items.m_title->m_part1, "Sword");
  EXPECT_EQ(CDiaryList::GetInstance().TableType(), CDiaryList::kItems);

  session.SetItemDiary(diarypagestest::kUnmet, 1);
  monsters.Refresh();
  items.Refresh();
  EXPECT_EQ(Rows(items), (Strings{"Sword", "Unmet"}));
}

TEST_F(DiaryPagesTest, TheMonsterDiaryShowsItsPictureTintedAndNoFallback) {
  session.SetMonsterDiary(0, 2);
  session.SetMonsterDiary(1, 1);
  UIMonsterPane pane;
  pane.Notify(&pane, kUiOpen, 0, 0);
  EXPECT_EQ(Rows(pane), Strings{"Wolf"});
  EXPECT_EQ(Lines(pane), (Strings{"wolf one ", "&n", "wolf two "}));
  EXPECT_EQ(pane.m_picture->m_file, "userinterface/monster/wolf");
  EXPECT_EQ(pane.m_picture->m_color, 0x57290Fu);
  EXPECT_EQ((Strings{pane.m_title->m_text, pane.m_title->m_part1, pane.m_title->m_part2}),
            (Strings{"WOLF", "Wolf", "grey wolf"}));

  Choose(pane, 1);
  EXPECT_EQ(Rows(pane), Strings{"Bat"});
  EXPECT_TRUE(Lines(pane).empty());  // a bat without pages says nothing
  EXPECT_EQ(pane.m_picture->m_file, "userinterface/monster/bat");
}

TEST_F(DiaryPagesTest, ScrapsListByCategoryOrAllInIndexOrder) {
  for (int s : {3, 0, 2}) session.SetScrapDiary(s, 1);
  UIScrapPane pane;
  pane.Notify(&pane, kUiOpen, 0, 0);
  EXPECT_EQ(Rows(pane), Strings{"Legend"});
  session.scrapDiary[1] = 0;  // forget what reading the legend taught
  Choose(pane, 1);
  EXPECT_EQ(Rows(pane), Strings{"Town"});
  Choose(pane, 5);  // "모두보기"
  EXPECT_EQ(Rows(pane), (Strings{"Legend", "Town", "Song"}));
  EXPECT_EQ(session.scrapDiary[1], 1);  // the legend, shown first, taught it again
  EXPECT_EQ(Marks(pane), (std::vector<int>{0, 0, 0, 0, 0, 1}));
}

TEST_F(DiaryPagesTest, ReadingAScrapMakesTheScrapsItMarksKnown) {
  session.SetScrapDiary(0, 1);
  session.SetScrapDiary(2, 2);
  UIScrapPane pane;
  pane.Notify(&pane, kUiOpen, 0, 0);
  EXPECT_EQ(Lines(pane).size(), 1u);
  EXPECT_NE(Lines(pane)[0].find("<%Hero%>"), std::string::npos);  // passed on unchanged
  EXPECT_EQ(session.scrapDiary[1], 1);  // unknown: raised
  EXPECT_EQ(session.scrapDiary[2], 2);  // known: kept
  EXPECT_EQ(session.scrapDiary[3], 0);
  // The newly known scrap shows at the next rebuild.
  EXPECT_EQ(Rows(pane), Strings{"Legend"});
  pane.Refresh();
  EXPECT_EQ(Rows(pane), (Strings{"Legend", "Hero"}));
}

TEST_F(DiaryPagesTest, RightPressesAndUnknownCodesDoNothing) {
  session.SetItemDiary(diarypagestest::kSword, 1);
  UIItemDiaryPane pane;
  pane.Notify(&pane, kUiOpen, 0, 0);
  pane.m_listBox->m_selection = 0;
  pane.OnRButtonDown();
  pane.OnRButtonUp();
  pane.Notify(&pane, 4, 0, 0);  // would clear the radio marks if passed on
  EXPECT_EQ(Marks(pane)[0], 1);
  EXPECT_EQ(pane.m_listBox->m_selection, 0);
}

TEST_F(DiaryPagesTest, ScriptsRaiseDiaryLevelsByName) {
  session.SetScrapDiary(2, 2);
  const struct {
    const char* line;
    const int32_t* level;
    int expected;
  } cases[] = {
      {"getdiaryitem boots 2", &session.itemDiary[diarypagestest::kBoots], 2},
      {"getdiarymonster bat 1", &session.monsterDiary[1], 1},
      {"getdiaryscrap Town 1", &session.scrapDiary[2], 2},  // never lowered
      {"getdiaryscrap Hero 3", &session.scrapDiary[1], 3},
      {"getdiaryitem nothing 3", &session.itemDiary[diarypagestest::kUnmet], 0},
  };
  for (const auto& c : cases) {
    CTokenizer tokens;
    tokens.Tokenize(c.line);
    EXPECT_TRUE(CSelvarinFrame::ExecSystemCommand(nullptr, tokens, 0)) << c.line;
    EXPECT_EQ(*c.level, c.expected) << c.line;
  }
}

TEST(UIListBox3dTest, LaysOutColumnByColumnAndDrawsNothingWhenTooFew) {
  UIListBox3d box;
  box.Setup(165, 160, 330, 260, 2, true);
  for (int i = 0; i < 10; ++i) box.AddEntry("L" + std::to_string(i), i);
  const auto spots = box.Layout();
  ASSERT_EQ(spots.size(), 10u);
  const int ys[] = {181, 198, 215, 232, 249};
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ((std::vector<int>{spots[k].entry, spots[k].x, spots[k].y}), (std::vector<int>{k, 172, ys[k]}));
    EXPECT_EQ((std::vector<int>{spots[5 + k].entry, spots[5 + k].x, spots[5 + k].y}),
              (std::vector<int>{5 + k, 247, ys[k]}));
  }
  box.AddEntry("L10", 10);  // past the full rows
  EXPECT_EQ(box.Layout().size(), 10u);

  box.Clear();
  box.AddEntry("one", 1);
  EXPECT_TRUE(box.Layout().empty());
  box.Draw(nullptr);
  UIListBox3d none;
  none.Setup(0, 0, 100, 100, 0, true);
  none.AddEntry("x", 1);
  EXPECT_TRUE(none.Layout().empty());
}

}  // namespace
