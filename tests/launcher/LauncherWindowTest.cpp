#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include "launcher/LauncherWindow.h"
#include "launcher/MenuHotSpot.h"
#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/InputScript.h"
#include "tests/launcher/LauncherFolder.h"
#include "tools/lib/PackWriter.h"

namespace {

using launchertest::Bgr;
using launchertest::LauncherFolderTest;

// Two overlapping hot spots and a third beside them.
constexpr const char* kScript =
    "0: class(wallpaper, images/hide.bmp)\n"
    "1: class(select, 0 0 20 20, exit)\n"
    "2: class(select, 10 10 30 25, exit)\n"
    "3: class(select, 30 0 40 10, launch)\n";

TEST(ProgramPathFromCommandLine, TakesTheQuotedPathOrTheFirstWord) {
  EXPECT_EQ(ProgramPathFromCommandLine("\"/opt/my games/selvarin\" -x"), "/opt/my games/selvarin");
  EXPECT_EQ(ProgramPathFromCommandLine("/opt/selvarin -x"), "/opt/selvarin");
  EXPECT_EQ(ProgramPathFromCommandLine("/opt/selvarin"), "/opt/selvarin");
  EXPECT_EQ(ProgramPathFromCommandLine("\"unclosed path"), "unclosed path");
  EXPECT_EQ(ProgramPathFromCommandLine(""), "");
}

class LauncherWindowTest : public LauncherFolderTest {
 protected:
  LauncherWindowTest() { Write("launcher.ini", kScript); }
  ~LauncherWindowTest() override {
    if (m_window != nullptr) platform::DestroyAppWindow(m_window);
    platform::SetInputScript({});
    platform::Message m;
    while (platform::PeekAppMessage(&m)) {
    }
  }
  void Open() {
    platform::WindowDesc desc;
    desc.className = kLauncherClass;
    desc.title = kLauncherTitle;
    desc.proc = LauncherWndProc;
    desc.clientWidth = launchertest::kWidth;
    desc.clientHeight = launchertest::kHeight;
    desc.borderless = true;
    m_window = platform::CreateAppWindow(desc);
    ASSERT_NE(m_window, nullptr);
  }
  void Move(int x, int y) { LauncherWndProc(m_window, platform::WM_MOUSEMOVE, 0, platform::MakePointParam(x, y)); }
  std::vector<uint8_t> Shown(int x, int y) const {
    const LauncherState& s = GetLauncherState();
    const uint8_t* p = s.backBuffer.data() + size_t(y) * s.stride + size_t(x) * 3;
    return {p[0], p[1], p[2]};
  }
  // A script whose passes count from the next one.
  static void Input(const std::string& lines) {
    std::vector<platform::ScriptedEvent> events = platform::ParseInputScript(lines);
    for (auto& e : events) e.pass += platform::PassCount();
    platform::SetInputScript(events);
  }
  // Holds the lock a running program of that class and title holds.
  int HoldLock(const std::string& name) {
    const int fd = ::open((m_dir / name).c_str(), O_RDWR | O_CREAT, 0644);
    EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    return fd;
  }

  platform::WindowHandle m_window = nullptr;
};

TEST_F(LauncherWindowTest, CreationReadsTheMenuAndSizesTheBackBuffer) {
  Open();
  const LauncherState& s = GetLauncherState();
  EXPECT_EQ(s.items.size(), 4u);
  EXPECT_EQ(s.width, 40);
  EXPECT_EQ(s.height, 30);
  EXPECT_EQ(s.stride, 120);
  EXPECT_EQ(s.backBuffer.size(), 120u * 30u);
  LauncherWndProc(m_window, platform::WM_SIZE, 0, platform::MakePointParam(7, 3));
  EXPECT_EQ(s.stride, 24);  // 21 bytes padded to four
  EXPECT_EQ(s.backBuffer, std::vector<uint8_t>(24 * 3, 0));
}

TEST_F(LauncherWindowTest, TheLastItemUnderThePointerIsHoveredWithTheHandAndTheCapture) {
  Open();
  const LauncherState& s = GetLauncherState();
  Move(5, 5);
  EXPECT_EQ(s.hover, 1);
  EXPECT_EQ(platform::CurrentCursorShape(), platform::CursorShape::Hand);
  EXPECT_TRUE(platform::IsMouseCaptured());
  Move(15, 15);  // both take it: the later one wins
  EXPECT_EQ(s.hover, 2);
  EXPECT_TRUE(platform::IsMouseCaptured());
  Move(35, 5);  // straight onto another
  EXPECT_EQ(s.hover, 3);
  EXPECT_TRUE(platform::IsMouseCaptured());
  Move(35, 20);
  EXPECT_EQ(s.hover, -1);
  EXPECT_EQ(platform::CurrentCursorShape(), platform::CursorShape::Arrow);
  EXPECT_FALSE(platform::IsMouseCaptured());
}

TEST_F(LauncherWindowTest, AFadeStepsByTheClockBetweenPaints) {
  platform::FakeClock clock(1000);
  platform::ScopedClockSource scoped(&clock);
  Open();
  LauncherWndProc(m_window, platform::WM_PAINT, 0, 0);
  EXPECT_EQ(Shown(5, 5), Bgr(0, 5, 5));
  EXPECT_EQ(Shown(25, 5), Bgr(2, 25, 5));  // the wallpaper
  Move(5, 5);                              // paints at once, with no time passed
  EXPECT_EQ(Shown(5, 5), Bgr(0, 5, 5));
  EXPECT_TRUE(GetLauncherState().animating);
  clock.Advance(250);
  LauncherWndProc(m_window, platform::WM_PAINT, 0, 0);
  const std::vector<uint8_t> n = Bgr(0, 5, 5), sel = Bgr(1, 5, 5), got = Shown(5, 5);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(got[i], (n[i] * 128 + sel[i] * 127) >> 8);
  clock.Advance(250);
  LauncherWndProc(m_window, platform::WM_PAINT, 0, 0);
  EXPECT_EQ(Shown(5, 5), Bgr(1, 5, 5));
  EXPECT_FALSE(GetLauncherState().animating);
  // What the window shows is the back buffer.
  const platform::PresentedFrame& frame = platform::LastPresentedFrame();
  ASSERT_EQ(frame.rgb.size(), 40u * 30u * 3u);
  EXPECT_EQ(frame.rgb[(5 * 40 + 5) * 3], Bgr(1, 5, 5)[2]);
}

TEST_F(LauncherWindowTest, AClickOnAClosingItemEndsTheProgram) {
  Input("2 mouse at 5 5\n3 mouse left down\n");
  EXPECT_EQ(LauncherWinMain(nullptr, "\"" + (m_dir / "no such launcher").string() + "\""), 0);
  EXPECT_FALSE(platform::FindAppWindowOfClass(kLauncherClass));  // the lock went with the window
}

TEST_F(LauncherWindowTest, TheMenuRepaintsOnlyWhileActiveAndFading) {
  platform::FakeClock clock(0, 7);
  platform::ScopedClockSource scoped(&clock);
  const auto Frames = [](const std::string& script) {
    Input(script);
    const uint64_t before = platform::LastPresentedFrame().count;
    EXPECT_EQ(LauncherWinMain(nullptr, "launcher"), 0);
    return platform::LastPresentedFrame().count - before;
  };
  // Inactive: the first paint and the one of the move.
  EXPECT_EQ(Frames("1 activate 0\n2 mouse at 5 5\n3 close\n"), 2u);
  // Active: the fade runs to its end between the move and the close.
  EXPECT_GT(Frames("2 mouse at 5 5\n3 close\n"), 4u);
}

TEST_F(LauncherWindowTest, TheOwnPackAppendedToTheProgramIsRead) {
  slvtools::PackWriter pack;
  pack.AddCompressed("launcher.ini", "class(select, 0 0 40 30, exit)\n");
  const auto program = m_dir.Write("my launcher", pack.Build("program image"));
  std::filesystem::remove("launcher.ini");
  Input("2 mouse at 5 5\n3 mouse left down\n");
  // The whole menu is the exit entry: the click ends the program.
  EXPECT_EQ(LauncherWinMain(nullptr, "\"" + program.string() + "\" -x"), 0);
}

TEST_F(LauncherWindowTest, WithoutTheSelectedPictureTheLauncherFails) {
  std::filesystem::remove("images/selected.bmp");
  EXPECT_EQ(LauncherWinMain(nullptr, "launcher"), 1);
}

TEST_F(LauncherWindowTest, BesideTheGameOrAnotherLauncherItEndsAtOnce) {
  for (const char* lock : {"GfxApp.Selvarin.lock", "Selvarin Launcher.Selvarin.lock", "Selvarin Launcher.x.lock"}) {
    const int fd = HoldLock(lock);
    EXPECT_EQ(LauncherWinMain(nullptr, "launcher"), -1) << lock;
    ::close(fd);
  }
  // A lock file nobody holds is no running program.
  Input("1 close\n");
  EXPECT_EQ(LauncherWinMain(nullptr, "launcher"), 0);
}

}  // namespace
