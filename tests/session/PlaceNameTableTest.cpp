// "Name.txt": the texts shown for the places of the save slots.
#include <gtest/gtest.h>

#include "engine/FileStream.h"
#include "session/PlaceNameTable.h"
#include "tests/support/GameFolder.h"

namespace {

class PlaceNameTableTest : public GameFolderTest {};

TEST_F(PlaceNameTableTest, EntriesAreAKeyAndItsWordsEachFollowedByABlank) {
  Write("data/Name.txt", "// places\r\nnewgame  바람언덕 마을\r\nlonely\nmeadow 초원\nnewgame other\n\n");
  SetResDirectory("\\model\\");  // whatever folder the last load left
  CPlaceNameTable names;
  names.Load();
  EXPECT_EQ(names.Lookup("newgame"), "바람언덕 마을 ");  // the first line of a key stays
  EXPECT_EQ(names.Lookup("meadow"), "초원 ");
  EXPECT_EQ(names.Lookup("lonely"), "");
  EXPECT_EQ(names.Lookup("Meadow"), "");
  EXPECT_EQ(names.Entries().size(), 2u);
}

TEST_F(PlaceNameTableTest, AMissingFileIsLoggedAndLeavesTheTableEmpty) {
  testsupport::DebugLogCapture log;
  CPlaceNameTable names;
  names.Load();
  EXPECT_TRUE(log.Contains("name.txt file 열기"));
  EXPECT_TRUE(names.Entries().empty());
}

}  // namespace
