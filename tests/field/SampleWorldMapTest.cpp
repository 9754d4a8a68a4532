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
#include "field/WorldMapFrame.h"
#include "field/WorldMapList.h"
#include "engine/AppShell.h"
#include "engine/Mouse.h"
#include "field/Screenshot.h"
#include "platform/Display.h"
#include "platform/Keys.h"
#include "platform/Window.h"
#include "render/3dDevice.h"
#include "render/3dContext.h"
#include "render/3dView.h"
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

// The world map drawn from the sample on a 640 x 480 screen, the pointer on
// the village; F9 keeps the picture.
TEST_P(SampleWorldMapTest, TheWorldMapDrawsAndF9KeepsThePicture) {
  if (std::string(GetParam()) != "newgame") GTEST_SKIP();
  testsupport::TempDir dir;
  ::setenv("SLV_LOCK_DIR", dir.Path().c_str(), 1);
  platform::WindowHandle window = platform::CreateAppWindow({"WorldMap", "WorldMap", nullptr, 0, 0, 640, 480});
  ASSERT_EQ(g_3dDevice.Create(window, nullptr, &platform::kRasterizerGuid, nullptr, kDevDoubleBuffer), platform::S_OK);
  WorldMapList::GetInstance().Find("sample_village");
  WorldMapList::GetInstance().Find("sample_meadow");
  WorldMapOrigin() = "newgame";
  {
    CWorldMapFrame map;
    map.m_pView = new C3dView;
    map.m_pContext = new C3dContext;
    g_pCurrentFrame = &map;
    map.Init();
    CMouse& mouse = CMouse::GetInstance();
    mouse.m_x = 400 - map.m_scroll.x;
    mouse.m_y = 300 - map.m_scroll.y;
    EXPECT_EQ(map.HoveredPlace(mouse.m_x, mouse.m_y), 0);
    g_screenshotCounter = 0;
    std::filesystem::remove("screenshot/screen00000.bmp");
    platform::SetScriptedKey(platform::VK_F9, true);
    map.DrawPass();
    platform::ClearScriptedKeys();
    ASSERT_TRUE(std::filesystem::exists("screenshot/screen00000.bmp"));
    EXPECT_EQ(std::filesystem::file_size("screenshot/screen00000.bmp"), 921654u);
    std::filesystem::remove("screenshot/screen00000.bmp");
    map.Exit();
    g_pCurrentFrame = nullptr;
  }
  g_3dDevice.Release();
  platform::DestroyAppWindow(window);
}

INSTANTIATE_TEST_SUITE_P(Maps, SampleWorldMapTest, ::testing::Values("newgame", "meadow"));

}  // namespace
