// The sample's world map: both maps open their places, and the box at the
// edge of each map takes the party out to the world map, which shows the
// leader on the map it left.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/FileStream.h"
#include "engine/FrameMgr.h"
#include "engine/PackFile.h"
#include "engine/ResMgr.h"
#include "field/MapEvent.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "field/WorldMapList.h"
#include "tests/support/TestSupport.h"

namespace {

class SampleWorldMapTest : public ::testing::TestWithParam<const char*> {
 protected:
  SampleWorldMapTest() : m_previous(std::filesystem::current_path()), m_saved(WorldMapList::GetInstance()) {
    std::filesystem::current_path(testsupport::BinaryDir() / "game");
    SetResDirectory("\\");
    EXPECT_TRUE(RegisterPack("data.pak"));
    WorldMapList& list = WorldMapList::GetInstance();
    EXPECT_TRUE(list.Load("worldmap.txt"));
    list.ResetCurrent();
  }
  ~SampleWorldMapTest() override {
    if (m_started) m_frame.Exit();
    g_pCurrentFrame = nullptr;
    WorldMapList::GetInstance() = m_saved;
    WorldMapOrigin().clear();
    CResMgr::GetInstance().UnloadResources();
    FreePacks();
    std::filesystem::current_path(m_previous);
  }

  std::filesystem::path m_previous;
  WorldMapList m_saved;
  CSelvarinFrame m_frame;
  bool m_started = false;
};

TEST_P(SampleWorldMapTest, EachMapOpensBothPlacesAndItsEdgeLeadsToTheWorldMap) {
  m_frame.m_pView = new CSelvarinView;
  m_frame.m_pContext = new CSelvarinContext;
  m_frame.m_name = GetParam();
  g_pCurrentFrame = &m_frame;
  m_frame.Init();
  m_started = true;
  m_frame.StartRun();
  const WorldMapList& list = WorldMapList::GetInstance();
  ASSERT_EQ(list.m_entries.size(), 2u);
  EXPECT_EQ(list.m_open, (std::vector<int>{0, 1}));
  EXPECT_EQ(list.m_entries[0].frameName, "newgame");
  EXPECT_EQ(list.m_entries[1].frameName, "meadow");

  MapEvent* gate = m_frame.GetContext()->FindMapEvent("worldgate");
  ASSERT_NE(gate, nullptr);
  m_frame.RunEventScript(gate->m_enterLine, gate->m_name, gate->m_script);
  EXPECT_EQ(CFrameMgr::GetInstance().NextName(), "worldmap");
  EXPECT_EQ(WorldMapOrigin(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Maps, SampleWorldMapTest, ::testing::Values("newgame", "meadow"));

}  // namespace
