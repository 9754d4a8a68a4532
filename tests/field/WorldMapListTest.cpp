#include "field/WorldMapList.h"

#include <gtest/gtest.h>

#include "field/WorldMapFrame.h"
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

// Positions are summed with the scroll and the screen: the ends of int
// overflowed there.
TEST_F(WorldMapListTest, HoldsPlacesFarOffTheMapAtTheLimit) {
  Write("data/worldmap.txt",
        "far -2147483648 2147483647 far01 0 0 0 0 a.bmp b.tga 1\n"
        "edge -1048576 1048576 edge01 0 0 0 0 a.bmp b.tga 1\n");
  testsupport::DebugLogCapture log;
  WorldMapList list;
  ASSERT_TRUE(list.Load("worldmap.txt"));
  ASSERT_EQ(list.m_entries.size(), 2u);
  for (const WorldMapEntry& e : list.m_entries) {
    EXPECT_EQ(e.mapX, -WorldMapList::kMaxCoordinate) << e.name;
    EXPECT_EQ(e.mapY, WorldMapList::kMaxCoordinate) << e.name;
  }
  EXPECT_TRUE(log.Contains("worldmap.txt: place far lies far off the map"));
  EXPECT_FALSE(log.Contains("place edge"));
  list.Find("far");
  const CWorldMapFrame::Scroll scroll = CWorldMapFrame::InitialScroll(list, 640, 480);
  EXPECT_EQ(scroll.x, 0);
  EXPECT_EQ(scroll.y, CWorldMapFrame::kMapHeight - 480);
}

}  // namespace
