// The opening movie's frame: every frame of the clip shown stretched over
// the screen, skipped by a key or a click, paused with the window, and the
// title after it.
#include "field/MovieFrame.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "engine/AppShell.h"
#include "engine/Controller.h"
#include "engine/FileStream.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "engine/SoundDevice.h"
#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/Keys.h"
#include "platform/MovieStream.h"
#include "platform/Sound.h"
#include "platform/Window.h"
#include "render/3dDevice.h"
#include "tests/support/MovieFixture.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::MovieClip;
using testsupport::MoviePixel;

// A 64 x 48 window showing a 32 x 24 movie at twice its size; the movie's
// clock is a fake one.
class MovieFrameTest : public ::testing::Test {
 protected:
  MovieFrameTest() : m_previous(std::filesystem::current_path()), m_clockGuard(&m_clock) {
    ::setenv("SLV_LOCK_DIR", m_dir.Path().c_str(), 1);
    m_window = platform::CreateAppWindow({"MovieTest", "Movie", nullptr, 0, 0, 64, 48});
    EXPECT_EQ(g_3dDevice.Create(m_window, nullptr, &platform::kRasterizerGuid, nullptr, kDevDoubleBuffer),
              platform::S_OK);
    std::filesystem::create_directories(m_dir / "game/movie");
    std::filesystem::current_path(m_dir / "game");
    SetResDirectory("\\");
    g_appActive = 1;
    m_pad = CControllerList::GetInstance().AddKeyPad();
    m_pad->BindKey(4, platform::VK_SPACE);
    g_pMainKeyPad = m_pad;
    CFrameMgr::GetInstance().ChangeFrame("movie");  // as the frame manager leaves it
    m_frame.m_name = "movie";
    m_frame.Init();
    g_pCurrentFrame = &m_frame;
  }
  ~MovieFrameTest() override {
    g_pCurrentFrame = nullptr;
    m_frame.Exit();
    g_quitRequested = 0;
    g_soundEnabled = 0;
    CMouse::GetInstance().m_mouseButtons = {};
    platform::ClearScriptedKeys();
    g_pMainKeyPad = nullptr;
    CControllerList::GetInstance().Clear();
    std::filesystem::current_path(m_previous);
    g_3dDevice.Release();
    platform::DestroyAppWindow(m_window);
    g_appActive = 0;
  }

  void WriteMovie(const MovieClip& clip) {
    ASSERT_TRUE(testsupport::WriteMovieClip(m_dir / "game/movie/selvarin.avi", clip));
  }
  static MovieClip Clip(int frames) {
    MovieClip clip;
    clip.width = 32;
    clip.height = 24;
    clip.frames = frames;
    return clip;
  }
  static uint64_t Presents() { return platform::LastPresentedFrame().count; }
  // Whether the screen shows the movie's frame at twice its size.
  static ::testing::AssertionResult ShowsFrame(int frame) {
    const platform::PresentedFrame& shown = platform::LastPresentedFrame();
    for (int y = 0; y < 48; ++y) {
      for (int x = 0; x < 64; ++x) {
        const uint16_t got = shown.pixels.at(static_cast<size_t>(y) * shown.width + x);
        if (got != MoviePixel(frame, x / 2, y / 2)) {
          return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << got;
        }
      }
    }
    return ::testing::AssertionSuccess();
  }

  testsupport::TempDir m_dir;
  std::filesystem::path m_previous;
  platform::FakeClock m_clock;
  platform::ScopedClockSource m_clockGuard;
  platform::WindowHandle m_window = nullptr;
  CKeyPad* m_pad = nullptr;
  CMovieFrame m_frame;
};

// Each pass shows the next frame once it is due; after the last, the title.
TEST_F(MovieFrameTest, EveryFrameIsShownThenTheTitle) {
  WriteMovie(Clip(3));
  const uint64_t before = Presents();
  m_frame.Run();
  EXPECT_EQ(Presents() - before, 3u);
  EXPECT_TRUE(ShowsFrame(2));
  EXPECT_EQ(m_clock.Peek(), 133u) << "the movie's own pace";
  EXPECT_EQ(CFrameMgr::GetInstance().NextName(), "title");
  EXPECT_EQ(g_pMovieStream, nullptr);
  EXPECT_EQ(m_frame.m_stream, nullptr);
}

// Every skip ends the movie on the first check, before a frame shows.
TEST_F(MovieFrameTest, AKeyOrAClickAtTheStartSkipsTheMovie) {
  WriteMovie(Clip(3));
  const std::function<void()> skips[] = {
      [] { platform::SetScriptedKey(platform::VK_ESCAPE, true); },
      [] { platform::SetScriptedKey(platform::VK_RETURN, true); },
      [] { platform::SetScriptedKey(platform::VK_SPACE, true); },  // keypad button 4
      [] { CMouse::GetInstance().m_mouseButtons[0] = kStatePressed; },
  };
  for (const auto& skip : skips) {
    skip();
    const uint64_t before = Presents();
    m_frame.m_running = 1;
    m_frame.Run();
    EXPECT_EQ(Presents(), before);
    EXPECT_EQ(CFrameMgr::GetInstance().NextName(), "title");
    platform::ClearScriptedKeys();
    CMouse::GetInstance().m_mouseButtons = {};
    CControllerList::GetInstance().Update();
  }
}

TEST_F(MovieFrameTest, WithoutAMovieTheTitleFollowsAtOnce) {
  const uint64_t before = Presents();
  testsupport::DebugLogCapture log;
  m_frame.Run();
  EXPECT_EQ(Presents(), before);
  EXPECT_EQ(CFrameMgr::GetInstance().NextName(), "title");
  EXPECT_FALSE(log.Lines().empty());
  EXPECT_EQ(g_pMovieStream, nullptr);
}

// A closed window ends the movie and the program goes on to no title.
TEST_F(MovieFrameTest, QuittingEndsTheMovieWithoutTheTitle) {
  WriteMovie(Clip(3));
  g_quitRequested = 1;
  m_frame.Run();
  EXPECT_EQ(CFrameMgr::GetInstance().NextName(), "movie");
  EXPECT_EQ(g_pMovieStream, nullptr);
}

TEST_F(MovieFrameTest, TheSoundPlaysOnlyWhenSoundIsOn) {
  MovieClip clip = Clip(1);
  clip.audioRate = 11025;
  WriteMovie(clip);
  ASSERT_EQ(platform::OpenSoundDevice(), platform::S_OK);
  g_soundEnabled = 0;
  ASSERT_TRUE(m_frame.OpenMovie(CMovieFrame::kMovieFile));
  EXPECT_FALSE(m_frame.m_stream->HasAudio());
  g_soundEnabled = 1;
  ASSERT_TRUE(m_frame.OpenMovie(CMovieFrame::kMovieFile));
  EXPECT_TRUE(m_frame.m_stream->HasAudio());
  m_frame.CloseMovie();
  platform::CloseSoundDevice();
}

// The window procedure stops the open movie on deactivation and runs it
// again on activation; once closed, the movie is out of its reach.
TEST_F(MovieFrameTest, TheWindowsActivationStopsAndRunsTheMovie) {
  WriteMovie(Clip(3));
  ASSERT_TRUE(m_frame.OpenMovie(CMovieFrame::kMovieFile));
  ASSERT_NE(g_pMovieStream, nullptr);
  EXPECT_TRUE(m_frame.m_stream->IsRunning());
  MainWndProc(m_window, platform::WM_ACTIVATE, 0, 0);
  EXPECT_FALSE(m_frame.m_stream->IsRunning());
  EXPECT_EQ(g_appActive, 0);
  MainWndProc(m_window, platform::WM_ACTIVATE, platform::WA_ACTIVE, 0);
  EXPECT_TRUE(m_frame.m_stream->IsRunning());
  m_frame.CloseMovie();
  EXPECT_EQ(g_pMovieStream, nullptr);
  MainWndProc(m_window, platform::WM_ACTIVATE, 0, 0);  // nothing to stop
  MainWndProc(m_window, platform::WM_ACTIVATE, platform::WA_ACTIVE, 0);
}

// A lost sample and a lost screen are restored before the frame shows.
TEST_F(MovieFrameTest, LostSurfacesAreRestored) {
  WriteMovie(Clip(2));
  ASSERT_TRUE(m_frame.OpenMovie(CMovieFrame::kMovieFile));
  ASSERT_TRUE(m_frame.RunMoviePass());
  g_3dDevice.DirectDraw()->LoseSurfaces();
  ASSERT_TRUE(m_frame.RunMoviePass());
  EXPECT_FALSE(m_frame.m_sample->IsLost());
  EXPECT_FALSE(g_3dDevice.Primary()->IsLost());
  EXPECT_FALSE(m_frame.RunMoviePass()) << "the end of the stream";
  m_frame.CloseMovie();
}

}  // namespace
