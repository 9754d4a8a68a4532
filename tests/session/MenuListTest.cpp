// The menus' filtered lists of items, magic, skills and diary entries.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "tests/session/MenuListFixture.h"
#include "tests/support/TestSupport.h"

namespace menulists {
namespace {

std::set<int> KindsListed(const CItemList& list) {
  std::set<int> kinds;
  for (int item : list.Indexes()) kinds.insert(CItemMgr::GetInstance().GetItem(item)->kind);
  return kinds;
}

TEST_F(MenuListTest, EachItemFilterListsItsKindsInItemOrder) {
  for (int k = 0; k < 15; ++k) session.SetItemCount(kFirstOfKind + k, 1);
  const std::set<int> all = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
  const struct {
    int filter;
    std::set<int> kinds;
  } cases[] = {
      {0, {7, 8}},           {1, {9, 10, 12}},  {2, {14}},     {3, {13}},
      {4, {11}},             {5, {7, 8, 9, 10, 11, 12, 13, 14}},
      {6, {0}},              {7, {1, 2, 3}},    {8, {5}},      {9, {4, 6}},
      {10, {0, 1, 2, 3, 4, 5, 6}},              {11, {7, 8, 9, 10, 12}},
      {12, {1, 2, 3}},       {13, {4}},         {14, {5, 6}},  {15, all},
      {16, {7}},             {17, {9}},         {18, {10, 11}}, {19, {8}},
      {99, all},             {-1, all},
  };
  CItemList& list = CItemList::GetInstance();
  for (const auto& c : cases) {
    list.Build(c.filter, 0);
    EXPECT_EQ(list.FilterType(), c.filter);
    EXPECT_EQ(KindsListed(list), c.kinds) << "filter " << c.filter;
    EXPECT_TRUE(std::is_sorted(list.Indexes().begin(), list.Indexes().end()));
    ASSERT_EQ(list.Names().size(), list.Indexes().size());
    ASSERT_EQ(list.Counts().size(), list.Indexes().size());
  }
}

TEST_F(MenuListTest, ItemsComeFromTheChosenSourceWithTheirCounts) {
  session.itemBox[kFirstOfKind + 7] = 5;  // food, in the box only
  session.SetItemCount(kFirstOfKind + 8, 2);
  session.inventory[3] = 4;  // an empty-slot item is never listed
  session.itemBox[3] = 4;
  CItemList& list = CItemList::GetInstance();
  list.Build(15, 0);
  EXPECT_EQ(list.Indexes(), (std::vector<int>{kFirstOfKind + 8}));
  EXPECT_EQ(list.Counts(), (std::vector<int>{2}));
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"kind8"}));
  list.Build(15, 1);
  EXPECT_EQ(list.Indexes(), (std::vector<int>{kFirstOfKind + 7}));
  EXPECT_EQ(list.Counts(), (std::vector<int>{5}));
  session.SetItemCount(kFirstOfKind + 8, 0);
  list.Build(15, 0);
  EXPECT_EQ(list.GetCount(), 0);  // the previous content is gone
}

TEST_F(MenuListTest, MagicTypesPickAttributesAndOnlyMagicUsersGetAList) {
  CMagicList& list = CMagicList::GetInstance();
  const struct {
    int type;
    std::vector<int> magic;
  } cases[] = {
      {0, {kAttr3}},
      {1, {kAttr1, kMagicCostly}},
      {2, {kAttr4}},
      {3, {kAttr2}},
      {4, {kAttr1, kAttr2, kAttr3, kAttr4, kAttr0, kMagicCostly}},
      {5, {}},
      {-1, {}},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(list.Build(c.type, kSizz));
    EXPECT_EQ(list.Indexes(), c.magic) << "type " << c.type;
  }
  list.Build(1, kSizz);
  testsupport::DebugLogCapture log;
  EXPECT_FALSE(list.Build(4, kPeach));
  EXPECT_FALSE(log.Lines().empty());
  EXPECT_FALSE(list.Build(4, 2));  // nobody there
  EXPECT_FALSE(list.Build(4, -1));
  EXPECT_EQ(list.FilterType(), 1);
  EXPECT_EQ(list.Indexes(), (std::vector<int>{kAttr1, kMagicCostly}));
}

TEST_F(MenuListTest, SkillTypesPickACostKindAndOnlySkillUsersGetAList) {
  CSkillList& list = CSkillList::GetInstance();
  const struct {
    int type;
    std::vector<int> skills;
  } cases[] = {
      {0, {kSkillCost0}}, {1, {kSkillCost1}}, {2, {kSkillCost2}},
      {3, {kSkillCost0, kSkillCost1, kSkillCost2, kSkillFree}}, {4, {}},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(list.Build(c.type, kPeach));
    EXPECT_EQ(list.Indexes(), c.skills) << "type " << c.type;
  }
  // What the session teaches is what the list shows.
  session.players[11].magicFlags[kSkillFree] = 0;
  list.Build(3, kPeach);
  EXPECT_EQ(list.GetCount(), 3);
  session.AddSkill(11, "s3");
  list.Build(3, kPeach);
  EXPECT_EQ(list.Indexes().back(), kSkillFree);

  list.Build(0, kPeach);
  testsupport::DebugLogCapture log;
  EXPECT_FALSE(list.Build(3, kSizz));
  EXPECT_FALSE(log.Lines().empty());
  EXPECT_EQ(list.Indexes(), (std::vector<int>{kSkillCost0}));
}

TEST_F(MenuListTest, MonsterDiaryPagesGroupCategories) {
  for (int m = 0; m < 8; ++m) session.SetMonsterDiary(m, m == 6 ? 0 : 1);
  CDiaryList& list = CDiaryList::GetInstance();
  const struct {
    int category;
    std::vector<int> monsters;
  } cases[] = {
      {0, {0}}, {1, {1}}, {2, {2, 3}}, {3, {4}}, {4, {5, 7}},  // 6 is never met
      {5, {0, 1, 2, 3, 4, 5, 7}},
  };
  for (const auto& c : cases) {
    list.Build(CDiaryList::kMonsters, c.category);
    EXPECT_EQ(list.Indexes(), c.monsters) << "category " << c.category;
  }
  list.Build(CDiaryList::kMonsters, 4);
  EXPECT_EQ(list.Titles(), (std::vector<std::string>{"M5", "M7"}));
}

TEST_F(MenuListTest, ItemAndScrapDiariesListWhatWasMetInTheCategory) {
  session.SetItemDiary(kFirstOfKind, 2);       // category 1
  session.SetItemDiary(kFirstOfKind + 6, 1);   // category 1
  session.SetItemDiary(kFirstOfKind + 1, 1);   // category 1, then taken back
  session.itemDiary[kFirstOfKind + 1] = 0;
  session.SetItemDiary(kFirstOfKind + 2, 3);   // category 2
  CDiaryList& list = CDiaryList::GetInstance();
  list.Build(CDiaryList::kItems, 1);
  EXPECT_EQ(list.Indexes(), (std::vector<int>{kFirstOfKind, kFirstOfKind + 6}));
  EXPECT_EQ(list.Titles(), (std::vector<std::string>{"Dagger", "T6"}));
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"단검", "kind6"}));
  EXPECT_EQ(list.Levels(), (std::vector<int>{2, 1}));
  list.Build(CDiaryList::kItems, 5);
  EXPECT_EQ(list.GetCount(), 3);

  for (int s = 0; s < 6; ++s) session.SetScrapDiary(s, s == 1 ? 0 : 1);
  list.Build(CDiaryList::kScraps, 0);
  EXPECT_EQ(list.Indexes(), (std::vector<int>{0, 5}));
  list.Build(CDiaryList::kScraps, 1);
  EXPECT_EQ(list.GetCount(), 0);
  list.Build(CDiaryList::kScraps, 5);
  EXPECT_EQ(list.Indexes(), (std::vector<int>{0, 2, 3, 4, 5}));
}

TEST_F(MenuListTest, RetiredDiaryTablesLogAndListNothing) {
  session.SetScrapDiary(0, 1);
  CDiaryList& list = CDiaryList::GetInstance();
  const struct {
    int type;
    const char* message;
  } cases[] = {{2, "buildList event : obsolete!"}, {3, "buildList map : obsolete!"}};
  for (const auto& c : cases) {
    list.Build(CDiaryList::kScraps, 5);
    ASSERT_EQ(list.GetCount(), 1);
    testsupport::DebugLogCapture log;
    list.Build(c.type, 5);
    EXPECT_TRUE(log.Contains(c.message));
    EXPECT_EQ(list.TableType(), c.type);
    EXPECT_EQ(list.GetCount(), 0);
  }
}

}  // namespace
}  // namespace menulists
