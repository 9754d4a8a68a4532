// The world map's places under the pointer, its scrolling and a click that
// takes the party to a place; without a display the screen is 640 x 480.
#include "field/WorldMapFrame.h"

#include <gtest/gtest.h>

#include "engine/Controller.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "field/PlayerStart.h"
#include "field/SelvarinFrame.h"
#include "field/WorldMapList.h"
#include "tests/support/TestSupport.h"

namespace {

WorldMapEntry Place(const char* name, int x, int y, int kind) {
  WorldMapEntry e;
  e.name = name;
  e.mapX = x;
  e.mapY = y;
  e.frameName = std::string(name) + "_map";
  e.startX = 12;
  e.startZ = -34;
  e.cameraHeading = 135;
  e.partyHeading = 270;
  e.kind = kind;
  return e;
}

class WorldMapFrameTest : public ::testing::Test {
 protected:
  WorldMapFrameTest() : m_saved(WorldMapList::GetInstance()) {
    WorldMapList& list = WorldMapList::GetInstance();
    list.m_entries = {Place("a", 400, 300, 1), Place("b", 415, 310, 1), Place("c", 800, 600, 2),
                      Place("d", 100, 100, 3)};
    list.ResetCurrent();
    Mouse(320, 240, kStateUp);
  }
  ~WorldMapFrameTest() override {
    WorldMapList::GetInstance() = m_saved;
    Mouse(320, 240, kStateUp);
    g_playerStart = PlayerStart{};
    g_carriedYaw = 0.0f;
  }
  static void Mouse(int x, int y, int left) {
    CMouse& mouse = CMouse::GetInstance();
    mouse.m_x = x;
    mouse.m_y = y;
    mouse.m_mouseButtons = {left, kStateUp};
  }
  void Step(int x, int y, int left) {
    Mouse(x, y, left);
    m_frame.StepMouse();
  }

  WorldMapList m_saved;
  CWorldMapFrame m_frame;
};

TEST_F(WorldMapFrameTest, TheFirstOpenedOfTwoNearPlacesWinsTheHover) {
  WorldMapList& list = WorldMapList::GetInstance();
  list.Find("b");
  list.Find("a");
  m_frame.m_scroll = {100, 50};
  EXPECT_EQ(m_frame.HoveredPlace(305, 255), 1);  // within 21 x 16 of both
  EXPECT_EQ(m_frame.HoveredPlace(300 - 21, 250 - 16), 0);  // edges count
  EXPECT_EQ(m_frame.HoveredPlace(300 - 22, 250), -1);
  EXPECT_EQ(m_frame.HoveredPlace(700, 550), -1);  // "c" is not open
}

TEST_F(WorldMapFrameTest, AClickOnAPlaceSetsTheStartTheYawAndTheFrame) {
  WorldMapList::GetInstance().Find("a");
  m_frame.m_scroll = {100, 50};
  Step(300, 250, kStatePressed);
  EXPECT_EQ(g_playerStart.x, 12.0f);
  EXPECT_EQ(g_playerStart.y, -1.0f);
  EXPECT_EQ(g_playerStart.z, -34.0f);
  EXPECT_EQ(g_playerStart.heading, 270.0f);
  EXPECT_EQ(g_carriedYaw, 135.0f);
  EXPECT_EQ(CFrameMgr::GetInstance().NextName(), "a_map");
}

TEST_F(WorldMapFrameTest, AFlagTwoPlaceAndEmptyLandStartADragThatStopsAtTheEdges) {
  WorldMapList::GetInstance().Find("c");
  m_frame.m_scroll = {500, 400};
  Step(300, 200, kStatePressed);  // on "c": no entry
  EXPECT_EQ(g_playerStart.heading, PlayerStart{}.heading);
  Step(200, 100, kStateHeld);
  EXPECT_EQ(m_frame.m_scroll.x, 600);
  EXPECT_EQ(m_frame.m_scroll.y, 500);
  Step(0, 0, kStateHeld);
  EXPECT_EQ(m_frame.m_scroll.x, 640);  // 1280 - 640
  EXPECT_EQ(m_frame.m_scroll.y, 544);  // 1024 - 480
  Step(0, 0, kStateReleased);          // the drag ends; the edge scrolls
  EXPECT_EQ(m_frame.m_scroll.x, 636);
  EXPECT_EQ(m_frame.m_scroll.y, 540);
  Step(639, 479, kStateHeld);  // held without a drag: nothing moves
  EXPECT_EQ(m_frame.m_scroll.x, 636);
  m_frame.m_scroll = {0, 0};
  Step(0, 0, kStateUp);
  EXPECT_EQ(m_frame.m_scroll.x, 0);
  EXPECT_EQ(m_frame.m_scroll.y, 0);
  Step(639, 479, kStateUp);
  EXPECT_EQ(m_frame.m_scroll.x, 4);
  EXPECT_EQ(m_frame.m_scroll.y, 4);
}

TEST_F(WorldMapFrameTest, TheFirstScrollCentresOnTheOpenPlacesInsideTheMap) {
  WorldMapList& list = WorldMapList::GetInstance();
  // None open: the map's middle.
  EXPECT_EQ(CWorldMapFrame::InitialScroll(list, 640, 480).x, 320);
  EXPECT_EQ(CWorldMapFrame::InitialScroll(list, 640, 480).y, 272);
  list.Find("a");
  list.Find("c");
  const CWorldMapFrame::Scroll mean = CWorldMapFrame::InitialScroll(list, 640, 480);
  EXPECT_EQ(mean.x, 600 - 320);
  EXPECT_EQ(mean.y, 450 - 240);
  list.ResetCurrent();
  list.Find("d");
  const CWorldMapFrame::Scroll clamped = CWorldMapFrame::InitialScroll(list, 640, 480);
  EXPECT_EQ(clamped.x, 0);
  EXPECT_EQ(clamped.y, 0);
}

TEST_F(WorldMapFrameTest, FindOpensAPlaceOnceAndLogsAnUnknownName) {
  WorldMapList& list = WorldMapList::GetInstance();
  testsupport::DebugLogCapture log;
  list.Find("c");
  list.Find("a");
  list.Find("c");
  list.Find("nowhere");
  EXPECT_EQ(list.m_open, (std::vector<int>{2, 0}));
  EXPECT_TRUE(log.Contains("Error : Unknown worldmap name"));
  list.m_entries.assign(WorldMapList::kMaxEntries + 1, Place("x", 0, 0, 1));
  for (size_t i = 0; i < list.m_entries.size(); ++i) list.m_entries[i].name = "p" + std::to_string(i);
  list.ResetCurrent();
  for (size_t i = 0; i < list.m_entries.size(); ++i) list.Find("p" + std::to_string(i));
  EXPECT_EQ(list.m_open.size(), WorldMapList::kMaxEntries);
}

}  // namespace
