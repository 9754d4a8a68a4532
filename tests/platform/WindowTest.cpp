// The window's life and its messages: creation, sizing, destruction on close,
// the pointer (also scripted), and 24-bit images kept for screenshots.
#include <gtest/gtest.h>

#include <vector>

#include "platform/Display.h"
#include "platform/InputScript.h"
#include "platform/MessageBox.h"
#include "platform/TextEncoding.h"
#include "platform/Window.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace platform;

std::vector<Message> g_seen;

intptr_t Recorder(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  g_seen.push_back(Message{window, message, wParam, lParam});
  return DefaultWindowProc(window, message, wParam, lParam);
}

class WindowTest : public ::testing::Test {
 protected:
  WindowTest() {
    ::setenv("SLV_LOCK_DIR", m_dir.Path().c_str(), 1);
    g_seen.clear();
    WindowDesc desc = Desc(Recorder);
    desc.borderless = true;
    m_window = CreateAppWindow(desc);
  }
  static WindowDesc Desc(WindowProc proc) {
    WindowDesc desc;
    desc.className = "Test Class";
    desc.title = "Test";
    desc.proc = proc;
    desc.clientWidth = 64;
    desc.clientHeight = 48;
    return desc;
  }
  ~WindowTest() override {
    DestroyAppWindow(m_window);
    SetInputScript({});
    Message m;
    while (PeekAppMessage(&m)) {
    }
  }
  // Dispatches what is queued.
  static void Drain() {
    Message m;
    while (PeekAppMessage(&m)) DispatchAppMessage(m);
  }
  static std::vector<uint32_t> Seen() {
    std::vector<uint32_t> kinds;
    for (const Message& m : g_seen) kinds.push_back(m.message);
    return kinds;
  }

  testsupport::TempDir m_dir;
  WindowHandle m_window = nullptr;
};

TEST_F(WindowTest, CreationSendsCreateThenTheClientSize) {
  ASSERT_NE(m_window, nullptr);
  ASSERT_EQ(Seen(), (std::vector<uint32_t>{WM_CREATE, WM_SIZE}));
  EXPECT_EQ(g_seen[1].lParam, MakePointParam(64, 48));
  EXPECT_TRUE(FindAppWindowOfClass("Test Class"));
  EXPECT_FALSE(FindAppWindowOfClass("Test"));
  EXPECT_FALSE(FindAppWindowOfClass("Other Class"));
}

TEST_F(WindowTest, ClosingDestroysTheWindowAndTheQuitMessageOutlivesIt) {
  PostAppMessage(m_window, WM_PAINT, 0, 0);
  PostQuitMessage(3);
  PostAppMessage(m_window, WM_CLOSE, 0, 0);
  Message m;
  ASSERT_TRUE(PeekAppMessage(&m));
  DispatchAppMessage(m);  // the paint
  g_seen.clear();
  DefaultWindowProc(m_window, WM_CLOSE, 0, 0);
  EXPECT_EQ(Seen(), std::vector<uint32_t>{WM_DESTROY});
  m_window = nullptr;
  EXPECT_FALSE(FindAppWindowOfClass("Test Class"));
  EXPECT_FALSE(GetAppMessage(&m));  // the close went with the window
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 3u);
}

TEST_F(WindowTest, ScriptedPointerMovesAndPressesInClientCoordinates) {
  const uint64_t pass = PassCount();
  std::vector<ScriptedEvent> events = ParseInputScript("1 mouse at 30 -2\n1 mouse left down\n1 mouse left up\n");
  for (ScriptedEvent& e : events) e.pass += pass;
  SetInputScript(events);
  g_seen.clear();
  PollEvents();
  Drain();
  ASSERT_EQ(Seen(), (std::vector<uint32_t>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}));
  for (const Message& m : g_seen) {
    EXPECT_EQ(PointParamX(m.lParam), 30);
    EXPECT_EQ(PointParamY(m.lParam), -2);
  }
  EXPECT_EQ(g_seen[1].wParam, MK_LBUTTON);
  EXPECT_EQ(g_seen[2].wParam, 0u);
}

// A full-screen program shows its window maximised from its own activation
// handler; that must not activate it again.
int g_activations = 0;
intptr_t ShowsMaximisedOnActivation(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message != WM_ACTIVATE || wParam != WA_ACTIVE) return DefaultWindowProc(window, message, wParam, lParam);
  // The cap keeps a recursing show from overflowing the stack.
  if (++g_activations < 5) ShowAppWindow(window, SW_SHOWMAXIMIZED);
  return 1;
}

TEST_F(WindowTest, ShowingSendsActivationOnlyWhenTheWindowWasNotActive) {
  DestroyAppWindow(m_window);
  m_window = CreateAppWindow(Desc(ShowsMaximisedOnActivation));
  ASSERT_NE(m_window, nullptr);
  g_activations = 0;
  ShowAppWindow(m_window, SW_SHOWNORMAL);
  EXPECT_EQ(g_activations, 1);
  EXPECT_TRUE(IsActiveAppWindow(m_window));
  ShowAppWindow(m_window, SW_SHOWMAXIMIZED);  // active already
  EXPECT_EQ(g_activations, 1);
  ShowAppWindow(m_window, SW_HIDE);
  ShowAppWindow(m_window, SW_SHOWNORMAL);  // a hidden window is activated anew
  EXPECT_EQ(g_activations, 2);
}

TEST_F(WindowTest, ShowingAnImageKeepsItsColoursForScreenshots) {
  // Two pixels a row, rows padded to eight bytes.
  const uint8_t image[16] = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
  ShowBgrImage(m_window, image, 2, 2, 8);
  const PresentedFrame& frame = LastPresentedFrame();
  EXPECT_EQ(frame.width, 2);
  EXPECT_EQ(frame.height, 2);
  EXPECT_EQ(frame.rgb, (std::vector<uint8_t>{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}));
}

TEST(MessageBoxes, WithoutADisplayTheQuestionIsAnsweredCancel) {
  testing::internal::CaptureStderr();
  EXPECT_FALSE(AskOkCancel("0 번 디스크를 넣어주세요.", "알림"));
  EXPECT_NE(testing::internal::GetCapturedStderr().find(Cp949ToUtf8("알림")), std::string::npos);
}

}  // namespace
