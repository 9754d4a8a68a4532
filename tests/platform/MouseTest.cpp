#include "platform/Mouse.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/Display.h"
#include "platform/InputScript.h"
#include "platform/Window.h"
#include "tests/support/TestSupport.h"

namespace platform {
void PrintTo(const MouseRecord& r, std::ostream* os) { *os << "{" << r.object << ", " << r.value << "}"; }
}  // namespace platform

namespace {

using namespace platform;

SDL_Event Motion(uint32_t windowId, int x, int y, int dx, int dy) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = windowId;
  e.motion.x = x;
  e.motion.y = y;
  e.motion.xrel = dx;
  e.motion.yrel = dy;
  return e;
}

class MouseDeviceTest : public ::testing::Test {
 protected:
  MouseDeviceTest() : m_device(OpenMouse(16)) { AcquireMouse(m_device, true); }
  ~MouseDeviceTest() override { CloseMouse(m_device); }

  std::vector<MouseRecord> ReadAll() {
    std::vector<MouseRecord> records;
    for (MouseRecord r; ReadMouseRecord(m_device, &r);) records.push_back(r);
    return records;
  }

  MouseDevice* m_device;
};

TEST_F(MouseDeviceTest, OneDeviceWithABoundedBuffer) {
  ASSERT_NE(m_device, nullptr);
  EXPECT_EQ(OpenMouse(16), nullptr);  // the mouse is taken
  for (int i = 1; i <= 20; ++i) QueueMouseRecord(MOUSE_X, i);
  const auto records = ReadAll();
  ASSERT_EQ(records.size(), 16u);
  EXPECT_EQ(records.front().value, 1);  // oldest first; the overflow is lost
  EXPECT_EQ(records.back().value, 16);
}

TEST_F(MouseDeviceTest, UnacquiredDeviceDropsAndQueuesNothing) {
  QueueMouseRecord(MOUSE_Y, 3);
  AcquireMouse(m_device, false);
  MouseRecord r;
  EXPECT_FALSE(ReadMouseRecord(m_device, &r));
  QueueMouseRecord(MOUSE_Y, 4);
  AcquireMouse(m_device, true);
  AcquireMouse(m_device, true);  // acquiring again keeps what waits
  QueueMouseRecord(MOUSE_Y, 5);
  AcquireMouse(m_device, true);
  EXPECT_EQ(ReadAll(), (std::vector<MouseRecord>{{MOUSE_Y, 5}}));
}

TEST_F(MouseDeviceTest, SdlEventsBecomeRecords) {
  struct Case {
    const char* name;
    SDL_Event event;
    std::vector<MouseRecord> records;
  };
  auto wheel = [](int y, uint32_t direction) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = y;
    e.wheel.direction = direction;
    return e;
  };
  auto button = [](uint32_t type, uint8_t which) {
    SDL_Event e{};
    e.type = type;
    e.button.button = which;
    return e;
  };
  const Case cases[] = {
      {"wheel", wheel(-2, SDL_MOUSEWHEEL_NORMAL), {{MOUSE_WHEEL, -240}}},
      {"flipped wheel", wheel(1, SDL_MOUSEWHEEL_FLIPPED), {{MOUSE_WHEEL, -120}}},
      {"left down", button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT), {{MOUSE_LEFT, 0x80}}},
      {"right up", button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT), {{MOUSE_RIGHT, 0}}},
      {"middle", button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE), {}},
  };
  for (const Case& c : cases) {
    TranslateMouseEvent(c.event);
    EXPECT_EQ(ReadAll(), c.records) << c.name;
  }
}

// In a window the pointer stays free: records step between its positions,
// from where the game last put its cursor, so that cursor follows the pointer.
TEST_F(MouseDeviceTest, InAWindowMotionStepsBetweenPositionsWithoutCapture) {
  EXPECT_FALSE(IsMouseCaptureAsked());
  TranslateMouseEvent(Motion(0, 100, 50, 7, 7));  // no position placed yet: SDL's own step
  EXPECT_EQ(ReadAll(), (std::vector<MouseRecord>{{MOUSE_X, 7}, {MOUSE_Y, 7}}));
  SetMousePosition(m_device, 320, 240);
  TranslateMouseEvent(Motion(0, 330, 200, 1, 1));
  TranslateMouseEvent(Motion(0, 330, 210, 5, 5));
  EXPECT_EQ(ReadAll(), (std::vector<MouseRecord>{{MOUSE_X, 10}, {MOUSE_Y, -40}, {MOUSE_Y, 10}}));
  // Positions seen while unacquired still count: on return the cursor
  // catches up with the pointer.
  AcquireMouse(m_device, false);
  TranslateMouseEvent(Motion(0, 0, 0, -9, -9));
  AcquireMouse(m_device, true);
  EXPECT_FALSE(IsMouseCaptureAsked());
  TranslateMouseEvent(Motion(0, 2, 3, 1, 1));
  EXPECT_EQ(ReadAll(), (std::vector<MouseRecord>{{MOUSE_X, 2}, {MOUSE_Y, 3}}));
}

TEST_F(MouseDeviceTest, ADragLeavingTheWindowStopsAtItsEdge) {
  testsupport::TempDir dir;
  ::setenv("SLV_LOCK_DIR", dir.Path().c_str(), 1);
  WindowDesc desc;
  desc.className = "Mouse Test";
  desc.title = "Mouse";
  desc.proc = DefaultWindowProc;
  desc.clientWidth = 64;
  desc.clientHeight = 48;
  const WindowHandle window = CreateAppWindow(desc);
  ASSERT_NE(window, nullptr);
  const uint32_t id = SDL_GetWindowID(SdlWindowOf(window));
  SetMousePosition(m_device, 60, 40);
  TranslateMouseEvent(Motion(id, 90, -20, 30, -60));
  TranslateMouseEvent(Motion(id, 50, 10, -40, 30));
  EXPECT_EQ(ReadAll(), (std::vector<MouseRecord>{{MOUSE_X, 3}, {MOUSE_Y, -40}, {MOUSE_X, -13}, {MOUSE_Y, 10}}));
  DestroyAppWindow(window);
}

// A full-screen display takes the pointer for the game alone while the device
// is acquired; motion is then SDL's relative motion.
TEST_F(MouseDeviceTest, FullScreenCapturesThePointer) {
  std::shared_ptr<Display> display;
  ASSERT_EQ(Display::Create(nullptr, &display), S_OK);
  ASSERT_EQ(display->SetCooperativeLevel(nullptr, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), S_OK);
  EXPECT_TRUE(IsMouseCaptureAsked());
  SetMousePosition(m_device, 320, 240);
  TranslateMouseEvent(Motion(0, 0, 0, 3, -2));
  EXPECT_EQ(ReadAll(), (std::vector<MouseRecord>{{MOUSE_X, 3}, {MOUSE_Y, -2}}));
  AcquireMouse(m_device, false);
  EXPECT_FALSE(IsMouseCaptureAsked());
  AcquireMouse(m_device, true);
  EXPECT_TRUE(IsMouseCaptureAsked());
  ASSERT_EQ(display->SetCooperativeLevel(nullptr, DDSCL_NORMAL), S_OK);
  EXPECT_FALSE(IsMouseCaptureAsked());
  ASSERT_EQ(display->SetCooperativeLevel(nullptr, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), S_OK);
  display.reset();
  EXPECT_FALSE(IsMouseCaptureAsked());
}

TEST_F(MouseDeviceTest, ScriptedMouseEvents) {
  testsupport::DebugLogCapture log;
  SetInputScript(ParseInputScript(
      "1 mouse move 12 -5\n"
      "1 mouse wheel 1\n"
      "1 mouse left down\n"
      "1 mouse right up\n"
      "1 mouse move 0 7\n"
      "2 mouse move x 1\n"
      "2 mouse move 1000001 0\n"
      "2 mouse middle down\n"
      "2 mouse wheel\n"));
  PollEvents();
  EXPECT_EQ(ReadAll(), (std::vector<MouseRecord>{{MOUSE_X, 12},
                                                 {MOUSE_Y, -5},
                                                 {MOUSE_WHEEL, 120},
                                                 {MOUSE_LEFT, 0x80},
                                                 {MOUSE_RIGHT, 0},
                                                 {MOUSE_Y, 7}}));
  PollEvents();
  EXPECT_TRUE(ReadAll().empty());
  size_t bad = 0;
  for (const std::string& line : log.Lines()) bad += line.find("bad mouse event") != std::string::npos;
  EXPECT_EQ(bad, 4u);
  EXPECT_FALSE(log.Contains("unknown event"));
}

}  // namespace
