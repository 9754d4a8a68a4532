#include "field/WorldMapList.h"

#include <gtest/gtest.h>

#include "tests/support/GameFolder.h"

namespace {

class WorldMapListTest : public GameFolderTest {};

TEST_F(WorldMapListTest, ReadsPlacesSkipsShortLinesAndOpensByName) {
  Write("data/worldmap.txt",
        "// places\n"
        "village 100 200 village01 10 20 90 180 lab.bmp hov.tga 1\n"
        "short line\n"
        "forest 300 400 forest01 5 6 0 45 lab2.bmp hov2.tga\n");
  WorldMapList list;
  ASSERT_TRUE(list.Load("worldmap.txt"));
  ASSERT_EQ(list.m_entries.size(), 2u);
  const WorldMapEntry& v = list.m_entries[0];
  EXPECT_EQ(v.name, "village");
  EXPECT_EQ(v.mapY, 200);
  EXPECT_EQ(v.frameName, "village01");
  EXPECT_EQ(v.partyHeading, 180);
  EXPECT_EQ(v.labelPicture, "worldmap\\lab.bmp");
  EXPECT_EQ(v.kind, 1);
  EXPECT_EQ(list.m_entries[1].kind, 0);  // a missing token reads as 0

  testsupport::DebugLogCapture log;
  list.Find("forest");
  list.Find("nowhere");
  EXPECT_EQ(list.m_open, (std::vector<int>{1}));
  EXPECT_TRUE(log.Contains("Error : Unknown worldmap name"));
  list.ResetCurrent();
  EXPECT_TRUE(list.m_open.empty());
  EXPECT_FALSE(list.Load("missing.txt"));
}

}  // namespace
