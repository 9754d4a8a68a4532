// The game frame's minor modes on a small display: the field menu, the menu
// over a still, the map view, the scenario and game-over rules, and F9.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "engine/AppShell.h"
#include "engine/Controller.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "engine/FileStream.h"
#include "field/MinorModeRules.h"
#include "field/Screenshot.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/Keys.h"
#include "platform/Window.h"
#include "render/3dDevice.h"
#include "render/RC.h"
#include "tests/support/TestSupport.h"
#include "ui/UIDesktop.h"
#include "ui/UIItemMode.h"
#include "ui/UILoadMode.h"
#include "ui/UIBuyMode.h"
#include "ui/UIMenuModes.h"
#include "ui/ShopList.h"

namespace {

class MinorModesTest : public ::testing::Test {
 protected:
  MinorModesTest() : m_previous(std::filesystem::current_path()), m_clock(0, 1), m_clockGuard(&m_clock) {
    ::setenv("SLV_LOCK_DIR", m_dir.Path().c_str(), 1);
    m_window = platform::CreateAppWindow({"MinorModes", "Modes", nullptr, 0, 0, 64, 48});
    EXPECT_EQ(g_3dDevice.Create(m_window, nullptr, &platform::kRasterizerGuid, nullptr, kDevDoubleBuffer),
              platform::S_OK);
    m_dir.Write("game/data/map.ini", "\n");
    std::filesystem::current_path(m_dir / "game");
    SetResDirectory("\\");
    g_appActive = 1;
    m_keyPad.m_buttons.fill(kStateUp);
    m_savedPad = g_pMainKeyPad;
    g_pMainKeyPad = &m_keyPad;
    m_frame.m_pView = new CSelvarinView;
    m_frame.m_pContext = new CSelvarinContext;
    g_pCurrentFrame = &m_frame;
    Mouse(10, 10);
    m_frame.m_name = "map";
    m_frame.Init();
  }
  ~MinorModesTest() override {
    platform::ClearScriptedKeys();
    if (m_frame.m_pRC != nullptr) m_frame.Exit();
    g_pCurrentFrame = nullptr;
    g_pMainKeyPad = m_savedPad;
    CRC::s_fogOn = 0;
    Mouse(0, 0);
    CResMgr::GetInstance().UnloadResources();
    std::filesystem::current_path(m_previous);
    g_3dDevice.Release();
    platform::DestroyAppWindow(m_window);
    g_appActive = 0;
  }
  void Mouse(int x, int y, int left = kStateUp) {
    CMouse& mouse = CMouse::GetInstance();
    mouse.m_x = x;
    mouse.m_y = y;
    mouse.m_mouseButtons = {left, kStateUp};
    mouse.m_wheel = 0;
  }
  CSelvarinView& View() { return *m_frame.GetView(); }

  testsupport::TempDir m_dir;
  std::filesystem::path m_previous;
  platform::FakeClock m_clock;
  platform::ScopedClockSource m_clockGuard;
  platform::WindowHandle m_window = nullptr;
  CKeyPad m_keyPad;
  CKeyPad* m_savedPad = nullptr;
  CSelvarinFrame m_frame;
};

TEST_F(MinorModesTest, F9WritesTheFirstFreeNumberAndEveryCallMakesTheFolder) {
  g_screenshotCounter = 0;
  m_frame.TakeScreenshot();
  EXPECT_TRUE(std::filesystem::is_directory("screenshot"));
  EXPECT_TRUE(std::filesystem::is_empty("screenshot"));
  std::ofstream("screenshot/screen00000.bmp") << "x";
  std::ofstream("screenshot/screen00001.bmp") << "x";
  platform::SetScriptedKey(platform::VK_F9, true);
  m_frame.TakeScreenshot();
  EXPECT_TRUE(std::filesystem::exists("screenshot/screen00002.bmp"));
  EXPECT_EQ(g_screenshotCounter, 3);  // every name tried counts
  EXPECT_EQ(std::filesystem::file_size("screenshot/screen00000.bmp"), 1u);
}

TEST_F(MinorModesTest, TheFieldMenuClosesOnF1AtOnceAndWhenItsDesktopCloses) {
  m_frame.ChangeMode(kModeFieldMenu);
  ASSERT_NE(m_frame.m_pFieldMenu, nullptr);
  EXPECT_EQ(m_frame.m_pFieldMenu->m_children.size(), 1u);
  EXPECT_NE(dynamic_cast<UIItemMode*>(m_frame.m_pFieldMenu->m_children.front()), nullptr);
  EXPECT_EQ(g_uiOriginX, m_frame.m_pRC->ViewWidth() / 2 - 320);
  m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_mode, kModeFieldMenu);
  platform::SetScriptedKey(platform::VK_F1, true);
  m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_mode, kModeField);
  EXPECT_EQ(m_frame.m_pFieldMenu, nullptr);
  platform::SetScriptedKey(platform::VK_F1, false);

  m_frame.ChangeMode(kModeFieldMenu);
  m_frame.m_pFieldMenu->m_open = 0;
  m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_mode, kModeField);
}

TEST_F(MinorModesTest, TheStillMenuOpensThePageOfItsKindAndReturnsToThePreviousMode) {
  struct Case {
    int kind;
    bool (*is)(const UIObject*);
  };
  const Case cases[] = {
      {1, [](const UIObject* o) { return dynamic_cast<const UIItemBoxMode*>(o) != nullptr; }},
      {2, [](const UIObject* o) { return dynamic_cast<const UIPartyMode*>(o) != nullptr; }},
      {3, [](const UIObject* o) { return dynamic_cast<const UISaveMode*>(o) != nullptr; }},
      {4, [](const UIObject* o) { return dynamic_cast<const UILoadMode*>(o) != nullptr; }},
  };
  for (const Case& c : cases) {
    m_frame.m_menuKind = c.kind;
    m_frame.ChangeMode(kModeStillMenu);
    ASSERT_EQ(m_frame.m_pFieldMenu->m_children.size(), 1u) << c.kind;
    EXPECT_TRUE(c.is(m_frame.m_pFieldMenu->m_children.front())) << c.kind;
    m_frame.RunGamePass();
    EXPECT_EQ(m_frame.m_mode, kModeStillMenu);
    m_frame.m_pFieldMenu->m_open = 0;
    m_frame.RunGamePass();
    EXPECT_EQ(m_frame.m_mode, kModeField) << c.kind;
  }
  // A kind with no page has nothing to close it: the menu ends at once.
  m_frame.m_menuKind = 9;
  m_frame.ChangeMode(kModeStillMenu);
  EXPECT_TRUE(m_frame.m_pFieldMenu->m_children.empty());
  m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_mode, kModeField);
}

TEST_F(MinorModesTest, TheShopOpensItsBuyScreenAndAGoneScreenLeavesOnF1) {
  m_dir.Write("game/data/shop.txt", "#shop 3\n#end\n");
  g_shopText.Reset();
  ASSERT_TRUE(g_shopText.Load("shop.txt"));
  m_frame.m_shopNumber = 3;
  m_frame.m_shopKind = 1;
  m_frame.m_shopType = 2;
  m_frame.ChangeMode(kModeShop);
  ASSERT_EQ(m_frame.m_pFieldMenu->m_children.size(), 1u);
  auto* buy = dynamic_cast<UIBuyMode*>(m_frame.m_pFieldMenu->m_children.front());
  ASSERT_NE(buy, nullptr);
  EXPECT_EQ(buy->m_goods->m_category, 11);  // the second set's "모두보기"
  m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_mode, kModeShop);
  m_frame.m_pFieldMenu->m_open = 0;
  m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_mode, kModeField);

  // Appraising is gone: an empty screen that only F1 or F5 leaves.
  testsupport::DebugLogCapture log;
  m_frame.m_shopKind = 2;
  m_frame.ChangeMode(kModeShop);
  EXPECT_TRUE(m_frame.m_pFieldMenu->m_children.empty());
  EXPECT_TRUE(log.Contains("CSelvarinFrame :: shop screen 2 no longer exists"));
  m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_mode, kModeShop);
  platform::SetScriptedKey(platform::VK_F1, true);
  m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_mode, kModeField);
  platform::SetScriptedKey(platform::VK_F1, false);

  // Escape asks to quit; yes goes to the title.
  m_frame.ChangeMode(kModeShop);
  platform::SetScriptedKey(platform::VK_ESCAPE, true);
  g_quitRequested = 1;  // the question answers yes at once
  m_frame.RunGamePass();
  g_quitRequested = 0;
  EXPECT_EQ(CFrameMgr::GetInstance().NextName(), "title");
  g_shopText.Reset();
}

TEST_F(MinorModesTest, TheMapViewRisesWaitsForAClickAndReturnsWithTheFog) {
  auto* player = new CSelvarinActor;
  player->m_pos = Vec3{0.0f, -40.0f, 0.0f};
  m_frame.GetContext()->m_liveActors.push_back(player);
  m_frame.GetContext()->m_player = player;
  CSelvarinView& view = View();
  view.m_pitch = view.m_targetPitch = -30.0f;
  view.m_distance = view.m_targetDistance = 200.0f;
  view.m_distanceStep = 1.0f;
  m_frame.m_northAngle = 30;
  CRC::s_fogOn = 1;

  m_frame.ChangeMode(kModeMapView);
  EXPECT_EQ(CRC::s_fogOn, 0);
  EXPECT_FLOAT_EQ(view.m_targetDistance, 640.0f);
  EXPECT_FLOAT_EQ(view.m_targetPitch, -90.0f);
  EXPECT_FLOAT_EQ(view.m_targetYaw, 330.0f);
  EXPECT_FLOAT_EQ(view.m_distanceStep, 20.0f);

  // A click while the camera rises does nothing.
  Mouse(10, 10, kStatePressed);
  m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_mapViewPhase, -1);
  Mouse(10, 10);
  for (int i = 0; i < 40 && view.m_distance < 639.0f; ++i) m_frame.RunGamePass();
  ASSERT_GE(view.m_distance, 639.0f);
  m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_mapViewPhase, -1);  // waits for the player
  Mouse(10, 10, kStatePressed);
  m_frame.RunGamePass();
  Mouse(10, 10);
  EXPECT_GE(m_frame.m_mapViewPhase, 0);
  EXPECT_EQ(CRC::s_fogOn, 1);
  EXPECT_FLOAT_EQ(view.m_targetDistance, 200.0f);
  EXPECT_FLOAT_EQ(view.m_distanceStep, 1.0f);
  for (int i = 0; i < 100 && m_frame.m_mode == kModeMapView; ++i) m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_mode, kModeField);
  EXPECT_NEAR(view.m_pitch, -30.0f, 0.5f);
}

TEST_F(MinorModesTest, WithoutAPlayerTheMapViewRisesTo600) {
  m_frame.ChangeMode(kModeMapView);
  EXPECT_FLOAT_EQ(View().m_targetDistance, 600.0f);
}

TEST(MinorModeRules, ScenarioHotSpotsTilesAndTargets) {
  struct Case {
    int x, y, progress, spot;
    const char* tile;
    const char* target;
  };
  const Case cases[] = {
      {30, 50, 1, 1, "scenario\\sselecta1.bmp", "dome_premier_office"},
      {30, 50, 2, 1, "scenario\\sselectd1.bmp", "thyatira_inter"},
      {26, 50, 1, 0, "scenario\\sselect01.bmp", ""},  // bounds are strict
      {40, 50, 1, 0, "scenario\\sselect01.bmp", ""},
      {65, 60, 1, 2, "scenario\\sselectb1.bmp", "tranquilee_night"},
      {65, 60, 2, 0, "scenario\\sselect01.bmp", ""},
      {70, 30, 2, 3, "scenario\\sselectc1.bmp", "2_emperor_tomb_entrance"},
      {70, 30, 1, 0, "scenario\\sselect01.bmp", ""},
  };
  for (const Case& c : cases) {
    const int spot = ScenarioHotSpot(c.x, c.y, c.progress);
    EXPECT_EQ(spot, c.spot) << c.x << "," << c.y;
    EXPECT_EQ(ScenarioTileName(spot, c.progress, 1), c.tile);
    EXPECT_EQ(ScenarioTarget(spot, c.progress), c.target);
  }
  EXPECT_EQ(ScenarioTileName(0, 1, 4), "scenario\\sselect04.bmp");
}

TEST(MinorModeRules, ScenarioTitleByTick) {
  ScenarioTitlePicture p[2];
  ASSERT_EQ(ScenarioTitleAt(99, 640, 480, p), 1);
  EXPECT_EQ(p[0].number, 11);
  EXPECT_EQ(p[0].rect, (platform::Rect{320 + 6 - 256, 240 - 64, 320 - 6 + 256, 240 + 64}));
  ASSERT_EQ(ScenarioTitleAt(0, 640, 480, p), 1);
  EXPECT_EQ(p[0].number, 1);
  ASSERT_EQ(ScenarioTitleAt(120, 640, 480, p), 2);
  EXPECT_EQ(p[0].rect, (platform::Rect{64, 176, 576, 304}));
  EXPECT_FLOAT_EQ(p[0].alpha, 1.0f);
  EXPECT_EQ(p[1].rect, (platform::Rect{74, 186, 586, 314}));
  EXPECT_FLOAT_EQ(p[1].alpha, 0.8f);
  ASSERT_EQ(ScenarioTitleAt(160, 640, 480, p), 2);
  EXPECT_EQ(p[0].rect, (platform::Rect{320 - 120 - 256, 240 - 90 - 64, 320 + 120 + 256, 240 + 90 + 64}));
  EXPECT_FLOAT_EQ(p[0].alpha, 0.8f);
  EXPECT_EQ(ScenarioTitleAt(200, 640, 480, p), 0);
}

TEST(MinorModeRules, GameOverWhiteIsStrongestFrom75To150) {
  const std::pair<int, float> cases[] = {{0, 0.0f},  {30, 0.4f},  {75, 1.0f},  {150, 1.0f},
                                         {180, 0.6f}, {224, 1.0f / 75.0f}, {225, 0.0f}, {400, 0.0f}};
  for (const auto& [t, v] : cases) EXPECT_FLOAT_EQ(GameOverWhite(t), v) << t;
}

TEST_F(MinorModesTest, GameOverOffersThreeWaysOnAndReopensItsMenu) {
  m_frame.ChangeMode(kModeGameOver);
  ASSERT_NE(m_frame.m_pFieldMenu, nullptr);
  UIMenu& menu = m_frame.m_pFieldMenu->m_popupMenu;
  EXPECT_TRUE(menu.IsShown());
  menu.Show(0);  // a click beside the entries
  m_frame.RunGamePass();
  EXPECT_TRUE(menu.IsShown());

  m_frame.m_pFieldMenu->m_lastChoice = 1;
  m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_mode, kModeStillMenu);
  EXPECT_EQ(m_frame.m_menuKind, 4);

  m_frame.ChangeMode(kModeGameOver);
  m_frame.m_pFieldMenu->m_lastChoice = 2;
  m_frame.RunGamePass();
  EXPECT_EQ(CFrameMgr::GetInstance().NextName(), "title");
}

}  // namespace
