// The logo frame: four pictures fading in and out of white, then the movie;
// a key or a click skips to the title.
#include "field/LogoFrame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "engine/AppShell.h"
#include "engine/Controller.h"
#include "engine/FileStream.h"
#include "engine/FrameClock.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/Keys.h"
#include "platform/Window.h"
#include "render/3dDevice.h"
#include "render/RC.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/TextureImages.h"

namespace {

TEST(LogoSequence, PictureAndVisibilityFollowTheTick) {
  struct Case {
    int tick;
    const char* picture;
    float visibility;
  };
  const Case cases[] = {
      {0, "halvex.bmp", 0.0f},     {25, "halvex.bmp", 0.5f},    {49, "halvex.bmp", 0.98f},
      {50, "halvex.bmp", 1.0f},    {75, "halvex.bmp", 1.0f},    {100, "halvex.bmp", 1.0f},
      {101, "halvex.bmp", 0.98f},  {125, "halvex.bmp", 0.5f},   {149, "halvex.bmp", 0.02f},
      {150, "korvane.bmp", 0.0f},  {300, "tavrine.bmp", 0.0f},  {449, "tavrine.bmp", 0.02f},
      {450, "notice.bmp", 0.0f},   {551, "notice.bmp", 0.98f},  {600, "notice.bmp", 0.0f},
      {601, "notice.bmp", -0.02f},  // the overlay is held at white
  };
  for (const Case& c : cases) {
    EXPECT_STREQ(CLogoFrame::PictureAt(c.tick), c.picture) << c.tick;
    EXPECT_NEAR(CLogoFrame::VisibilityAt(c.tick), c.visibility, 1e-5f) << c.tick;
  }
}

// A small display and a game folder whose four pictures are plain colours.
// The frame clock runs on a fake clock: by default every pass draws.
class LogoFrameTest : public ::testing::Test {
 protected:
  LogoFrameTest() : m_previous(std::filesystem::current_path()), m_clock(0, 1), m_clockGuard(&m_clock) {
    ::setenv("SLV_LOCK_DIR", m_dir.Path().c_str(), 1);
    m_window = platform::CreateAppWindow({"LogoTest", "Logo", nullptr, 0, 0, 64, 48});
    EXPECT_EQ(g_3dDevice.Create(m_window, nullptr, &platform::kRasterizerGuid, nullptr, kDevDoubleBuffer),
              platform::S_OK);
    const slvtools::Rgba colors[4] = {{200, 0, 0, 255}, {0, 200, 0, 255}, {0, 0, 200, 255}, {200, 200, 0, 255}};
    const char* names[4] = {"halvex.bmp", "korvane.bmp", "tavrine.bmp", "notice.bmp"};
    for (int i = 0; i < 4; ++i) {
      m_dir.Write(std::string("game/data/bmp/") + names[i], slvtools::WriteBmp24(slvtools::RgbaImage(8, 8, colors[i])));
    }
    std::filesystem::current_path(m_dir / "game");
    SetResDirectory("\\");
    g_appActive = 1;
    SetFrameRate(60);
    SetFrameSkip(1);
    m_pad = CControllerList::GetInstance().AddKeyPad();
    m_pad->BindKey(4, platform::VK_RETURN);
    m_pad->BindKey(5, platform::VK_SPACE);
    g_pMainKeyPad = m_pad;
    m_frame.m_name = "logo";
    m_frame.Init();
    g_pCurrentFrame = &m_frame;
  }
  ~LogoFrameTest() override {
    g_pCurrentFrame = nullptr;
    m_frame.Exit();
    CMouse::GetInstance().m_mouseButtons = {};
    for (int key : {platform::VK_RETURN, platform::VK_SPACE}) platform::SetScriptedKey(key, false);
    g_pMainKeyPad = nullptr;
    CControllerList::GetInstance().Clear();
    SetFrameSkip(0);
    CResMgr::GetInstance().UnloadResources();
    std::filesystem::current_path(m_previous);
    g_3dDevice.Release();
    platform::DestroyAppWindow(m_window);
    g_appActive = 0;
  }

  // Runs passes until the frame stops (or a bound is passed); the ticks run.
  int RunUntilStopped(int bound = 2000) {
    while (m_frame.m_running != 0 && m_frame.m_tick < bound) m_frame.RunLogoPass();
    return m_frame.m_tick;
  }
  int Flips() const { return m_frame.m_pRC->m_frameCount; }
  // The middle of the screen as last shown, as 8-bit red, green, blue.
  std::array<int, 3> ShownCenter() const {
    const platform::PresentedFrame& f = platform::LastPresentedFrame();
    const uint16_t p = f.pixels.at(static_cast<size_t>(f.height / 2) * f.width + f.width / 2);
    return {(p >> 11) << 3, (p >> 5 & 0x3F) << 2, (p & 0x1F) << 3};
  }

  testsupport::TempDir m_dir;
  std::filesystem::path m_previous;
  platform::FakeClock m_clock;
  platform::ScopedClockSource m_clockGuard;
  platform::WindowHandle m_window = nullptr;
  CKeyPad* m_pad = nullptr;
  CLogoFrame m_frame;
};

TEST_F(LogoFrameTest, WithoutInputItRuns601TicksAndGoesOnToTheMovie) {
  EXPECT_EQ(RunUntilStopped(), 601);
  EXPECT_EQ(Flips(), 601);
  EXPECT_EQ(CFrameMgr::GetInstance().NextName(), "movie");
}

TEST_F(LogoFrameTest, AKeyOrAClickDuringTheFirstPictureGoesToTheTitle) {
  const std::function<void()> presses[] = {
      [] { CMouse::GetInstance().m_mouseButtons[0] = kStatePressed; },
      [] { platform::SetScriptedKey(platform::VK_RETURN, true); },
      [] { platform::SetScriptedKey(platform::VK_SPACE, true); },
  };
  for (const auto& press : presses) {
    m_frame.Exit();
    m_frame.Init();
    while (m_frame.m_tick < 30) m_frame.RunLogoPass();
    press();
    EXPECT_EQ(RunUntilStopped(), 31);
    EXPECT_EQ(CFrameMgr::GetInstance().NextName(), "title");
    CMouse::GetInstance().m_mouseButtons = {};
    for (int key : {platform::VK_RETURN, platform::VK_SPACE}) platform::SetScriptedKey(key, false);
  }
}

// Late passes are skipped, but each still advances the tick, so the
// sequence keeps its length in time; it ends on the first drawn pass after
// tick 600.
TEST_F(LogoFrameTest, WhenDrawingFallsBehindTheTickStillAdvances) {
  SetFrameSkip(0);
  m_clock.SetStepPerRead(40);
  const int ticks = RunUntilStopped();
  EXPECT_GE(ticks, 601);
  EXPECT_LT(ticks, 700);
  EXPECT_LT(Flips(), ticks / 4);
  EXPECT_EQ(CFrameMgr::GetInstance().NextName(), "movie");
}

// Tick 75 shows the first picture as it is; at tick 125 the white overlay
// lies over it at about one half.
TEST_F(LogoFrameTest, TheOverlayFadesThePictureToWhite) {
  while (m_frame.m_tick < 75) m_frame.RunLogoPass();
  EXPECT_EQ(ShownCenter(), (std::array<int, 3>{200, 0, 0}));
  while (m_frame.m_tick < 125) m_frame.RunLogoPass();
  const std::array<int, 3> half = ShownCenter();
  // Within a step of the screen's five bits.
  EXPECT_NEAR(half[0], 227, 8);
  EXPECT_NEAR(half[1], 127, 8);
  EXPECT_NEAR(half[2], 127, 8);
}

}  // namespace
