#include "ui/ShopList.h"

#include <gtest/gtest.h>

#include "session/DataTables.h"
#include "tests/support/GameFolder.h"

namespace {

namespace shoplisttest {
std::string Item(const std::string& name, int kind, int price) {
  return "#item < " + name + " > < > 0 " + name + "\n#type " + std::to_string(kind) + "\n#price " +
         std::to_string(price) + "\n#end\n";
}
}  // namespace shoplisttest

class ShopListTest : public GameFolderTest {
 protected:
  void LoadTexts(const std::string& shop, const std::string& library) {
    Write("data/shop.txt", shop);
    Write("data/library.txt", library);
    g_shopText.Reset();
    g_libraryText.Reset();
    ASSERT_TRUE(g_shopText.Load("shop.txt"));
    ASSERT_TRUE(g_libraryText.Load("library.txt"));
  }
};

TEST_F(ShopListTest, FillsTheListsFromTheNumberedBlocks) {
  LoadTexts("#shop 1\nsword 10\n#end\n#shop 2\npotion\nherb 50\n#end\n", "#library 3\nbook\ntwo words\n#end\n");
  testsupport::DebugLogCapture log;
  ASSERT_TRUE(LoadShopList(2));
  EXPECT_EQ(g_shopList.count, 2);
  EXPECT_EQ(g_shopList.names, (std::vector<std::string>{"potion", "herb"}));
  EXPECT_EQ(g_shopList.percents, (std::vector<int>{100, 50}));  // no percentage: full price

  ASSERT_TRUE(LoadLibraryList(3));
  EXPECT_EQ(g_libraryList.entries, (std::vector<std::string>{"book", "two"}));
  EXPECT_TRUE(log.Contains("library.txt: one word a line: two"));

  EXPECT_FALSE(LoadShopList(7));  // the message box goes to standard error headless
  EXPECT_EQ(g_shopList.count, 0);
  EXPECT_TRUE(g_shopList.names.empty());
  EXPECT_FALSE(LoadLibraryList(1));
  EXPECT_EQ(g_libraryList.count, 0);
  EXPECT_TRUE(log.Contains("해당 번호의 도서관이 없습니다."));
}

// One item of every kind, listed in reverse so that the kinds' order shows.
TEST_F(ShopListTest, GoodsTakeTheCategoryKindByKindEachInFileOrder) {
  std::string items, shop = "#shop 1\n";
  for (int kind = 0; kind < 15; ++kind) items += shoplisttest::Item("k" + std::to_string(kind), kind, 100 + kind);
  for (int kind = 14; kind >= 0; --kind) shop += "k" + std::to_string(kind) + (kind == 7 ? " 50" : "") + "\n";
  shop += "k7\nunknown\n#end\n";  // a second line of the same item, and a name the table lacks
  Write("data/items.txt", items);
  ASSERT_TRUE(CItemMgr::GetInstance().Load("items.txt"));
  LoadTexts(shop, "");
  ASSERT_TRUE(LoadShopList(1));

  const struct {
    int category;
    std::vector<int> kinds;  // of the goods, in order
  } cases[] = {
      {0, {0}},        {1, {2}},         {2, {1}}, {3, {3}},
      {4, {4}},        {6, {7, 7, 8, 10, 11}},
      {7, {9, 12}},    {8, {13}},        {9, {5, 6}},
      {10, {14}},      {12, {}},         {-1, {}},
  };
  for (const auto& c : cases) {
    BuildShopGoods(c.category);
    std::vector<int> kinds;
    for (int item : g_shopGoods.items) kinds.push_back(CItemMgr::GetInstance().GetItem(item)->kind);
    EXPECT_EQ(kinds, c.kinds) << "category " << c.category;
    EXPECT_EQ(g_shopGoods.count, static_cast<int>(c.kinds.size()));
  }
  for (int category : {5, 11}) {
    BuildShopGoods(category);
    std::vector<int> kinds;
    for (int item : g_shopGoods.items) kinds.push_back(CItemMgr::GetInstance().GetItem(item)->kind);
    std::vector<int> expected;
    for (int kind = 0; kind < 15; ++kind)
      for (int i = 0; i < (kind == 7 ? 2 : 1); ++i) expected.push_back(kind);
    EXPECT_EQ(kinds, expected) << "category " << category;
  }

  BuildShopGoods(6);  // kind 7 first: the 50% line at half price, then the full-price line
  ASSERT_GE(g_shopGoods.count, 3);
  EXPECT_EQ(g_shopGoods.names[0], "k7");
  EXPECT_EQ(g_shopGoods.prices[0], 107 / 2);
  EXPECT_EQ(g_shopGoods.prices[1], 107);
}

}  // namespace
