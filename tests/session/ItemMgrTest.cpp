// The item table: its file's edge cases, the kinds' attributes and variants.
#include "session/ItemMgr.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/session/TableFixtures.h"

namespace {

constexpr const char* kItemText =
    "a line before any block\n"
    "#item < Long Sword > < Blade > 1 sword\n"
    "#type 0\n"
    "#sprname\n"
    "#param 1 2 3 4 5 6 11 8 9 0.75 10\n"
    "#end\n"
    "#item < Dagger > < > 1 dagger\n"
    "#sprname dagger.bmp\n"
    "#type 0\n"
    "#param 0 0 0 0 0 0 10\n"
    "#end\n"
    "#item < Buckler > < > 2 buckler\n"
    "#type 1\n"
    "#param 5 6\n"
    "#end\n"
    "#item < > < > 0 plain\n"
    "#type\n"
    "#price 12\n"
    "#end\n"
    "#item < Twin Ring > < > 3 ring\n"
    "#type 6\n"
    "#param 0 0 0 0 0 0 4\n"
    "#magicskillname 없음\n"
    "#magicskillname2 Both\n"
    "#end\n"
    "#item < Staff > < > 1 staff\n"
    "#type 0\n"
    "#magicskillname Fire\n"
    "#magicskillname2 없음\n"
    "#end\n"
    "#item < Charm > < Old charm > 4 charm\n"
    "#type 5\n"
    "#price 100\n"
    "#param 1 1 1 1 1 1 1 1\n"
    "Before one.\r\n"
    "#1\n"
    "Part one.\n"
    "#2\n"
    "#price 50\n"
    "#param 7 -1 9\n"
    "#color red\n"
    "#3\n"
    "#param 3\n"
    "#type 4\n"
    "#end\n"
    "#item < Outer > < > 0 outer\n"
    "#item < Inner > < > 0 inner\n"
    "#end\n"
    "#end\n"
    "#item < Soup > < > 0 soup\n"
    "#type 7\n"
    "#param 1 2 3 4 5 6 7 8 9\n"
    "#end\n"
    "#item < Boots > < > 0 boots\n"
    "#type 4\n"
    "#param 1 2 3 4\n"
    "#end\n"
    "#item < Key > < > 0 key\n"
    "#type 14\n"
    "#param 42 43\n"
    "#end\n"
    "#item < Unfinished > < > 0 unfinished\n";

namespace itemmgrtest {
enum Index { kSword, kDagger, kBuckler, kPlain, kRing, kStaff, kCharm, kOuter, kSoup, kBoots, kKey, kCount };
}  // namespace itemmgrtest

class ItemMgrTest : public TableTest {
 protected:
  void SetUp() override {
    LoadMagicAndSkills();
    Write("data/diary/item.txt", kItemText);
    ASSERT_TRUE(items.Load("diary/item.txt"));
    ASSERT_EQ(items.GetCount(), itemmgrtest::kCount);
  }
  const ITM& Item(int index) { return *items.GetItem(index); }

  testsupport::DebugLogCapture log;
  CItemMgr& items = CItemMgr::GetInstance();
};

TEST_F(ItemMgrTest, KeyLinesFillTheItems) {
  EXPECT_EQ(Item(itemmgrtest::kSword).icon, "null2.ico");
  EXPECT_EQ(Item(itemmgrtest::kDagger).icon, "dagger.bmp");
  EXPECT_EQ(Item(itemmgrtest::kBuckler).icon, "");
  EXPECT_EQ(Item(itemmgrtest::kPlain).kind, kItemEvent);
  EXPECT_NE(dynamic_cast<const ITMEvent*>(&Item(itemmgrtest::kPlain)), nullptr);
  EXPECT_EQ(Item(itemmgrtest::kPlain).price, 12);
  EXPECT_NE(dynamic_cast<const ITMShield*>(&Item(itemmgrtest::kBuckler)), nullptr);

  // A weapon's tenth value is hundredths; the eleventh is attribute 17.
  EXPECT_EQ(Item(itemmgrtest::kSword).GetAttr(24), 75);
  EXPECT_EQ(Item(itemmgrtest::kSword).GetAttr(17), 10);
  EXPECT_EQ(Item(itemmgrtest::kDagger).GetAttr(24), 0);

  const int buckler[] = {5, 6, 0, 0, 0, 0, 0, 0, 0};
  for (int p = 0; p < 9; ++p) EXPECT_EQ(*items.GetItem(itemmgrtest::kBuckler)->GetAttrPtr(p), buckler[p]) << p;
}

TEST_F(ItemMgrTest, LinkedNamesPreferSkillsAndShareOneFlag) {
  const int both = CSkillMgr::GetInstance().Find("Both");
  EXPECT_EQ(Item(itemmgrtest::kRing).linked1, -1);  // "없음" changes nothing
  EXPECT_EQ(Item(itemmgrtest::kRing).linked2, both);
  EXPECT_EQ(Item(itemmgrtest::kRing).magicOrSkill, 0);
  EXPECT_EQ(Item(itemmgrtest::kStaff).linked1, CMagicMgr::GetInstance().Find("Fire"));
  EXPECT_EQ(Item(itemmgrtest::kStaff).linked2, -1);
  EXPECT_EQ(Item(itemmgrtest::kStaff).magicOrSkill, 1);
}

TEST_F(ItemMgrTest, TextGathersIntoPagesNumberedByTheSectionTheyClose) {
  const std::vector<DiaryPage>& pages = items.Diary().GetPages(itemmgrtest::kCharm);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[0].section, 1);
  EXPECT_EQ(pages[0].text, "Before one. Part one. ");
  EXPECT_EQ(pages[1].section, 2);
  EXPECT_EQ(pages[1].text, "#color red ");  // an unknown key is logged and kept as text
  EXPECT_EQ(pages[2].section, 3);
  EXPECT_EQ(pages[2].text, "");
  ASSERT_EQ(items.Diary().GetPages(itemmgrtest::kSword).size(), 1u);
  EXPECT_EQ(items.Diary().GetPages(itemmgrtest::kSword)[0].section, 0);

  const DiaryEntry* entry = items.Diary().GetEntry(itemmgrtest::kCharm);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->title, "Charm");
  EXPECT_EQ(entry->secondTitle, "Old charm");
  EXPECT_EQ(entry->category, 4);
  EXPECT_EQ(entry->name, "charm");
  EXPECT_TRUE(log.Contains("Unknown Key In Item.txt : #color"));
  EXPECT_TRUE(log.Contains("#param level != 0"));
}

TEST_F(ItemMgrTest, VariantAppliesTheFirstSectionUpToTheLevel) {
  ITM& charm = *items.GetItem(itemmgrtest::kCharm);
  items.ApplyVariant(itemmgrtest::kCharm, 0);
  EXPECT_EQ(charm.price, 100);
  items.ApplyVariant(itemmgrtest::kCharm, 3);  // sections 2 and 3 exist: 2 is applied, alone
  EXPECT_EQ(charm.price, 50);
  EXPECT_EQ(charm.kind, kItemAcc1);
  EXPECT_EQ(*charm.GetAttrPtr(0), 7);
  EXPECT_EQ(*charm.GetAttrPtr(1), 1);  // -1 keeps the item's value
  EXPECT_EQ(*charm.GetAttrPtr(2), 9);
  EXPECT_EQ(*charm.GetAttrPtr(3), 1);
  ASSERT_EQ(items.Variants().size(), 2u);
  items.ApplyVariant(-1, 3);
  items.ApplyVariant(itemmgrtest::kCount, 3);
}

TEST_F(ItemMgrTest, StructureErrorsWriteIntoNoItem) {
  // The nested "#item" is passed over; the stray "#end" and the line before
  // the first block go nowhere; the unfinished block is no item.
  EXPECT_EQ(Item(itemmgrtest::kOuter).name, "outer");
  EXPECT_EQ(Item(itemmgrtest::kSoup).name, "soup");
  EXPECT_EQ(items.Find("inner"), -1);
  EXPECT_EQ(items.LookupName("unfinished"), -1);
  EXPECT_EQ(items.Diary().GetEntry(itemmgrtest::kCount), nullptr);
  int syntaxErrors = 0;
  for (const std::string& line : log.Lines()) syntaxErrors += line == "Syntax Error In Item.txt";
  EXPECT_EQ(syntaxErrors, 3);
}

TEST_F(ItemMgrTest, AttributesByNumberFollowTheKindsList) {
  struct Case {
    int index;
    int attr;
    int value;
  } const cases[] = {
      {itemmgrtest::kSoup, 26, -1}, {itemmgrtest::kSoup, 25, 9},  {itemmgrtest::kSoup, 6, 1},   {itemmgrtest::kBoots, 3, 3},  {itemmgrtest::kBoots, 2, -1},
      {itemmgrtest::kKey, 27, 42},  {itemmgrtest::kKey, 8, -1},   {itemmgrtest::kSword, 7, 11}, {itemmgrtest::kSword, 3, -1}, {itemmgrtest::kBuckler, 9, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(Item(c.index).GetAttr(c.attr), c.value) << c.index << " " << c.attr;

  // Past the list every position is the one scratch integer.
  ITM& key = *items.GetItem(itemmgrtest::kKey);
  int* scratch = key.GetAttrPtr(1);
  EXPECT_EQ(key.GetAttrPtr(11), scratch);
  EXPECT_EQ(items.GetItem(itemmgrtest::kBoots)->GetAttrPtr(8), scratch);
  EXPECT_EQ(items.GetItem(itemmgrtest::kSword)->GetAttrPtr(-1), scratch);
  *scratch = 99;
  EXPECT_EQ(key.GetAttr(27), 42);
}

TEST_F(ItemMgrTest, LookupsAndWeaponForms) {
  EXPECT_TRUE(items.IsTwoHandedWeapon(itemmgrtest::kSword));
  EXPECT_FALSE(items.IsTwoHandedWeapon(itemmgrtest::kDagger));
  EXPECT_FALSE(items.IsTwoHandedWeapon(itemmgrtest::kBuckler));
  EXPECT_FALSE(items.IsTwoHandedWeapon(-1));
  EXPECT_TRUE(items.IsDoubleAccessory(itemmgrtest::kRing));
  EXPECT_FALSE(items.IsDoubleAccessory(itemmgrtest::kCharm));
  EXPECT_FALSE(items.IsDoubleAccessory(itemmgrtest::kCount));

  EXPECT_EQ(items.Find("ring"), itemmgrtest::kRing);
  EXPECT_EQ(items.LookupName("ring"), itemmgrtest::kRing);
  EXPECT_FALSE(log.Contains("Item Not Found"));
  EXPECT_EQ(items.LookupName("Ring"), -1);
  EXPECT_FALSE(log.Contains("Item Not Found"));
  EXPECT_EQ(items.Find("Ring"), -1);
  EXPECT_TRUE(log.Contains("Item Not Found"));

  EXPECT_EQ(items.GetItem(-1), nullptr);
  EXPECT_EQ(items.GetItem(itemmgrtest::kCount), nullptr);
}

TEST_F(ItemMgrTest, AMissingFileLeavesAnEmptyTable) {
  EXPECT_FALSE(items.Load("diary/none.txt"));
  EXPECT_EQ(items.GetCount(), 0);
  EXPECT_TRUE(log.Contains("diary/none.txt"));
  EXPECT_EQ(items.LookupName("sword"), -1);
}

}  // namespace
