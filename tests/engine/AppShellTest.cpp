#include "engine/AppShell.h"

#include <gtest/gtest.h>

#include "platform/InputScript.h"
#include "platform/Keys.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace platform;

constexpr intptr_t kAlt = intptr_t{1} << 29;

class WindowProcTest : public ::testing::Test {
 protected:
  WindowProcTest() {
    ::setenv("SLV_LOCK_DIR", m_dir.Path().c_str(), 1);
    EXPECT_TRUE(CreateMainWindow(nullptr, SW_SHOWNORMAL));
    EXPECT_EQ(g_appActive, 1);  // showing the window activates it
    g_quitRequested = 0;
    Drain();
  }
  ~WindowProcTest() override {
    DestroyMainWindow();
    g_appActive = 0;
    g_quitRequested = 0;
  }
  testsupport::TempDir m_dir;
  // Dispatches what the procedure posted, as the pump would.
  static void Drain() {
    Message m;
    while (PeekAppMessage(&m)) DispatchAppMessage(m);
  }
};

TEST_F(WindowProcTest, AltF4SetsTheQuitFlagWhileAltAloneAndF10DoNothing) {
  EXPECT_EQ(MainWndProc(g_hWnd, WM_SYSKEYDOWN, VK_MENU, kAlt), 0);
  EXPECT_EQ(MainWndProc(g_hWnd, WM_SYSKEYDOWN, VK_F10, 0), 0);
  Drain();
  EXPECT_EQ(g_quitRequested, 0);
  MainWndProc(g_hWnd, WM_SYSKEYDOWN, VK_F4, kAlt);
  Drain();
  EXPECT_EQ(g_quitRequested, 1);
}

TEST_F(WindowProcTest, CloseSetsTheQuitFlag) {
  EXPECT_EQ(MainWndProc(g_hWnd, WM_CLOSE, 0, 0), 0);
  EXPECT_EQ(g_quitRequested, 1);
}

TEST_F(WindowProcTest, ActivationStates) {
  struct Case {
    uintptr_t wParam;
    int32_t active;
  };
  const Case cases[] = {
      {WA_ACTIVE, 1},
      {WA_INACTIVE, 0},
      {WA_CLICKACTIVE, 1},            // a click activates like any activation
      {WA_ACTIVE | (1u << 16), 0},    // activated while minimised stays inactive
      {WA_CLICKACTIVE | (1u << 16), 0},
  };
  for (const Case& c : cases) {
    g_appActive = 1 - c.active;
    EXPECT_EQ(MainWndProc(g_hWnd, WM_ACTIVATE, c.wParam, 0), 1);
    EXPECT_EQ(g_appActive, c.active) << "wParam " << c.wParam;
  }
}

TEST_F(WindowProcTest, MovingTheInactiveWindowShowsTheLastFrame) {
  static int presents = 0;
  presents = 0;
  g_shellDisplay.present = [] { ++presents; };
  MainWndProc(g_hWnd, WM_MOVE, 0, 0);
  EXPECT_EQ(presents, 0);  // active: the frame loop draws
  MainWndProc(g_hWnd, WM_ENTERSIZEMOVE, 0, 0);
  EXPECT_EQ(g_appActive, 0);
  MainWndProc(g_hWnd, WM_MOVE, 0, 0);
  MainWndProc(g_hWnd, WM_PAINT, 0, 0);
  EXPECT_EQ(presents, 2);
  g_shellDisplay.present = nullptr;
}

TEST_F(WindowProcTest, PumpDispatchesQueuedMessagesWithoutWaitingWhileActive) {
  PostAppMessage(g_hWnd, WM_CLOSE, 0, 0);
  PumpMessages();
  EXPECT_EQ(g_quitRequested, 1);
  EXPECT_FALSE(HasAppMessage());
}

TEST_F(WindowProcTest, PumpSleepsWhileInactiveUntilReactivated) {
  g_appActive = 0;
  // The reactivation arrives while the pump waits.
  SetInputScript(ParseInputScript("3 activate 1\n"));
  PumpMessages();
  EXPECT_EQ(g_appActive, 1);
  EXPECT_GE(PassCount(), 3u);
}

// The movie stream hears every activation the shell handles.
class CountingStream : public IMovieStreamState {
 public:
  void SetState(int running) override { running != 0 ? ++runs : ++stops; }
  int runs = 0;
  int stops = 0;
};

TEST(FullScreenShell, StartUpAndReactivationHandleEachActivationOnce) {
  testsupport::TempDir dir;
  ::setenv("SLV_LOCK_DIR", dir.Path().c_str(), 1);
  CountingStream stream;
  g_pMovieStream = &stream;
  g_shellDisplay.isFullScreen = [] { return true; };
  EXPECT_TRUE(CreateMainWindow(nullptr, SW_SHOWNORMAL));
  EXPECT_EQ(g_appActive, 1);
  EXPECT_EQ(stream.runs, 1);
  // A later activation of the active window re-shows it without a loop.
  EXPECT_EQ(MainWndProc(g_hWnd, WM_ACTIVATE, WA_ACTIVE, 0), 1);
  EXPECT_EQ(stream.runs, 2);
  EXPECT_EQ(stream.stops, 0);
  DestroyMainWindow();
  g_shellDisplay.isFullScreen = nullptr;
  g_pMovieStream = nullptr;
  g_appActive = 0;
}

}  // namespace
