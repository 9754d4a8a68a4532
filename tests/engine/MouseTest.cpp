#include "engine/Mouse.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/AppShell.h"
#include "platform/Keys.h"
#include "platform/Mouse.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace platform;

class MouseTest : public ::testing::Test {
 protected:
  MouseTest() : m_mouse(CMouse::GetInstance()) {
    m_mouse.Release();
    m_mouse.SetViewSize(640, 480);
    m_mouse.Init();
    m_mouse.Center();
  }
  ~MouseTest() override {
    m_mouse.Release();
    m_mouse.SetViewSize(640, 480);
  }

  // Reads once per entry and returns the left button's states.
  std::vector<int32_t> LeftStates(int reads) {
    std::vector<int32_t> states;
    for (int i = 0; i < reads; ++i) {
      m_mouse.Read();
      states.push_back(m_mouse.m_mouseButtons[0]);
    }
    return states;
  }

  CMouse& m_mouse;
};

TEST_F(MouseTest, InitCentresAndAcquires) {
  ASSERT_NE(m_mouse.m_pDevice, nullptr);
  EXPECT_EQ(m_mouse.m_x, 320);
  EXPECT_EQ(m_mouse.m_y, 240);
  EXPECT_EQ(m_mouse.Acquire(true), 0);
}

TEST_F(MouseTest, OneButtonChangePerRead) {
  QueueMouseRecord(MOUSE_LEFT, MOUSE_BUTTON_DOWN);
  QueueMouseRecord(MOUSE_LEFT, 0);
  QueueMouseRecord(MOUSE_X, 7);  // waits behind the release
  m_mouse.Read();
  EXPECT_EQ(m_mouse.m_mouseButtons[0], 1);
  EXPECT_EQ(m_mouse.m_x, 320);
  m_mouse.Read();
  EXPECT_EQ(m_mouse.m_mouseButtons[0], 3);
  EXPECT_EQ(m_mouse.m_x, 320);
  m_mouse.Read();
  EXPECT_EQ(m_mouse.m_mouseButtons[0], 0);
  EXPECT_EQ(m_mouse.m_x, 327);
}

TEST_F(MouseTest, HeldButtonReadsPressedHeldReleased) {
  QueueMouseRecord(MOUSE_RIGHT, MOUSE_BUTTON_DOWN);
  m_mouse.Read();
  EXPECT_EQ(m_mouse.m_mouseButtons[1], 1);
  m_mouse.Read();
  m_mouse.Read();
  EXPECT_EQ(m_mouse.m_mouseButtons[1], 2);
  EXPECT_EQ(m_mouse.m_mouseButtons[0], 0);
  QueueMouseRecord(MOUSE_RIGHT, 0);
  m_mouse.Read();
  EXPECT_EQ(m_mouse.m_mouseButtons[1], 3);
  EXPECT_EQ(LeftStates(1), std::vector<int32_t>{0});
}

TEST_F(MouseTest, MotionAndWheelOfARead) {
  QueueMouseRecord(MOUSE_X, 10);
  QueueMouseRecord(MOUSE_Y, -4);
  QueueMouseRecord(MOUSE_X, 5);
  QueueMouseRecord(MOUSE_WHEEL, -MOUSE_WHEEL_NOTCH);
  m_mouse.Read();
  EXPECT_EQ(m_mouse.m_x, 335);
  EXPECT_EQ(m_mouse.m_y, 236);
  EXPECT_EQ(m_mouse.m_dx, 5);  // the last record's motion
  EXPECT_EQ(m_mouse.m_dy, -4);
  EXPECT_EQ(m_mouse.m_wheel, -120);
  m_mouse.Read();
  EXPECT_EQ(m_mouse.m_dx, 0);
  EXPECT_EQ(m_mouse.m_wheel, 0);
  EXPECT_EQ(m_mouse.m_x, 335);
}

TEST_F(MouseTest, PointerStaysInsideTheView) {
  struct Case {
    int32_t width, height;
    std::vector<std::pair<int32_t, int32_t>> moves;
    int32_t x, y;
  };
  const Case cases[] = {
      {640, 480, {{-1000, -1000}}, 0, 0},
      {640, 480, {{5000, 5000}}, 639, 479},
      {320, 200, {{400, 300}}, 319, 199},
      {640, 480, {{-400, 0}, {100, 0}}, 20, 240},  // clamped once, after the read
      {640, 480, {{INT32_MAX, INT32_MIN}, {INT32_MAX, INT32_MIN}}, 639, 0},
  };
  for (const Case& c : cases) {
    m_mouse.SetViewSize(c.width, c.height);
    m_mouse.Center();
    m_mouse.m_x = 320;
    m_mouse.m_y = 240;
    for (const auto& [dx, dy] : c.moves) {
      QueueMouseRecord(MOUSE_X, dx);
      QueueMouseRecord(MOUSE_Y, dy);
    }
    m_mouse.Read();
    EXPECT_EQ(m_mouse.m_x, c.x);
    EXPECT_EQ(m_mouse.m_y, c.y);
  }
}

TEST_F(MouseTest, CenterUsesTheViewAndClearsTheButtons) {
  QueueMouseRecord(MOUSE_LEFT, MOUSE_BUTTON_DOWN);
  QueueMouseRecord(MOUSE_WHEEL, 240);
  m_mouse.Read();
  m_mouse.SetViewSize(800, 600);
  m_mouse.Center();
  EXPECT_EQ(m_mouse.m_x, 400);
  EXPECT_EQ(m_mouse.m_y, 300);
  EXPECT_EQ(m_mouse.m_mouseButtons[0], 0);
  EXPECT_FALSE(m_mouse.m_mouseDown[0]);
  // The press is forgotten: a release now reads as up, not released.
  QueueMouseRecord(MOUSE_LEFT, 0);
  EXPECT_EQ(LeftStates(1), std::vector<int32_t>{0});
}

TEST_F(MouseTest, UnacquiredMouseSeesNothing) {
  EXPECT_EQ(m_mouse.Acquire(false), 0);
  QueueMouseRecord(MOUSE_X, 30);
  QueueMouseRecord(MOUSE_LEFT, MOUSE_BUTTON_DOWN);
  m_mouse.Acquire(true);
  EXPECT_EQ(LeftStates(1), std::vector<int32_t>{0});
  EXPECT_EQ(m_mouse.m_x, 320);
}

TEST_F(MouseTest, WithoutADeviceNothingChanges) {
  QueueMouseRecord(MOUSE_X, 3);
  QueueMouseRecord(MOUSE_LEFT, MOUSE_BUTTON_DOWN);
  m_mouse.Read();
  m_mouse.Release();
  EXPECT_EQ(m_mouse.Acquire(true), 1);
  QueueMouseRecord(MOUSE_X, 50);
  m_mouse.Read();
  EXPECT_EQ(m_mouse.m_x, 323);
  EXPECT_EQ(m_mouse.m_dx, 0);
  EXPECT_EQ(m_mouse.m_mouseButtons[0], 1);
  EXPECT_TRUE(m_mouse.m_mouseDown[0]);
}

// The window acquires the mouse with its activation.
class MouseWindowTest : public MouseTest {
 protected:
  MouseWindowTest() {
    ::setenv("SLV_LOCK_DIR", m_dir.Path().c_str(), 1);
    EXPECT_TRUE(CreateMainWindow(nullptr, SW_SHOWNORMAL));
  }
  ~MouseWindowTest() override {
    DestroyMainWindow();
    g_appActive = 0;
  }
  testsupport::TempDir m_dir;
};

TEST_F(MouseWindowTest, DeactivationReleasesAndActivationOrAKeyAcquires) {
  struct Step {
    uint32_t message;
    uintptr_t wParam;
    bool seesMotion;
  };
  const Step steps[] = {
      {WM_ACTIVATE, WA_INACTIVE, false},
      {WM_ACTIVATE, WA_ACTIVE, true},
      {WM_ENTERSIZEMOVE, 0, false},
      {WM_KEYDOWN, VK_SPACE, true},
  };
  for (const Step& s : steps) {
    MainWndProc(g_hWnd, s.message, s.wParam, 0);
    QueueMouseRecord(MOUSE_X, 1);
    m_mouse.Read();
    EXPECT_EQ(m_mouse.m_dx, s.seesMotion ? 1 : 0) << s.message << " " << s.wParam;
  }
}

}  // namespace
