#include "ui/ShopList.h"

#include <gtest/gtest.h>

#include "tests/support/GameFolder.h"

namespace {

class ShopListTest : public GameFolderTest {};

TEST_F(ShopListTest, ReadsTheNumberedBlocks) {
  Write("data/shop.txt",
        "#shop 1\nsword 10\n#end\n"
        "#shop 2\npotion 5\nherb 2\n#end\n");
  Write("data/library.txt", "#library 3\nbook\n\nscroll extra\n#end\n");
  g_shopText.Reset();
  g_libraryText.Reset();
  ASSERT_TRUE(g_shopText.Load("shop.txt"));
  ASSERT_TRUE(g_libraryText.Load("library.txt"));
  EXPECT_EQ(LoadShopList(2), (std::vector<std::string>{"potion 5", "herb 2"}));
  testsupport::DebugLogCapture log;
  EXPECT_EQ(LoadLibraryList(3), (std::vector<std::string>{"book", "scroll"}));
  EXPECT_TRUE(log.Contains("one entry a line"));
  EXPECT_TRUE(LoadShopList(7).empty());  // the message box goes to standard error headless
  EXPECT_TRUE(LoadLibraryList(1).empty());
  EXPECT_TRUE(log.Contains("해당 번호의 도서관이 없습니다."));
}

}  // namespace
