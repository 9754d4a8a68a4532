#include <gtest/gtest.h>

#include "launcher/MenuHotSpot.h"
#include "launcher/MenuScript.h"
#include "launcher/MenuWallpaper.h"
#include "platform/Display.h"
#include "tests/launcher/LauncherFolder.h"

namespace {

using launchertest::LauncherFolderTest;

class MenuScriptTest : public LauncherFolderTest {
 protected:
  ~MenuScriptTest() override { platform::ClearDisplayFaults(); }
  // Whether the line declares an item.
  static bool Declares(const std::string& line) { return ParseMenuLine(line) != nullptr; }
};

TEST_F(MenuScriptTest, ClassDeclaresWallpapersAndHotSpots) {
  EXPECT_NE(dynamic_cast<MenuWallpaper*>(ParseMenuLine("0: class(wallpaper, images/hide.bmp)").get()), nullptr);
  const std::unique_ptr<MenuItem> spot = ParseMenuLine("label class(select, 1 2 30 20, exit) // note");
  ASSERT_NE(dynamic_cast<MenuHotSpot*>(spot.get()), nullptr);
  EXPECT_EQ(static_cast<MenuHotSpot*>(spot.get())->Action(), "exit");
  EXPECT_TRUE(spot->HitTest(1, 2));
  const std::unique_ptr<MenuItem> off = ParseMenuLine("class(unselect, 1 2 30 20, exit)");
  ASSERT_NE(off, nullptr);
  EXPECT_EQ(static_cast<MenuHotSpot*>(off.get())->Action(), "");
  EXPECT_FALSE(off->HitTest(1, 2));
}

TEST_F(MenuScriptTest, LinesThatDeclareNothing) {
  const char* lines[] = {
      "// a note",
      "1: c-l-a-s-s(select, 1 2 3 4, exit)",
      "class(select, 1 2 3, exit)",  // three numbers
      "class(unselect, 1 2 x 4)",
      "class(wallpaper)",
      "class(button, 1 2 3 4, exit)",
      "class(select, 1 2 3 4, exit",  // no ")"
  };
  for (const char* line : lines) EXPECT_FALSE(Declares(line)) << line;
}

TEST_F(MenuScriptTest, ConditionsKeepOrSkipTheLine) {
  const std::string item = " class(select, 0 0 5 5, exit)";
  // Not installed, no opener, the display can be made.
  EXPECT_FALSE(Declares("check(install)" + item));
  EXPECT_TRUE(Declares("check(!install)" + item));
  EXPECT_FALSE(Declares("check(html)" + item));
  EXPECT_FALSE(Declares("check(dxver7)" + item));
  EXPECT_TRUE(Declares("check(!dxver7)" + item));
  EXPECT_TRUE(Declares("check(sound)" + item));  // a probe of another name skips nothing
  EXPECT_TRUE(Declares("c-h-e-c-k(install)" + item));

  Install(m_dir / "installed");
  InstallRecordingOpener();
  platform::InjectDisplayFault(platform::DisplayStep::Create, platform::DDERR_OUTOFMEMORY);
  EXPECT_TRUE(Declares("check(install)" + item));
  EXPECT_FALSE(Declares("check(!install)" + item));
  EXPECT_TRUE(Declares("check(html)" + item));
  EXPECT_TRUE(Declares("check(dxver7)" + item));
}

TEST_F(MenuScriptTest, AFolderWithoutTheInstalledLauncherIsNotInstalled) {
  Install(m_dir / "installed", false);
  EXPECT_FALSE(Declares("check(install) class(select, 0 0 5 5, exit)"));
}

TEST_F(MenuScriptTest, TheScriptFillsAtMost31ItemsInOrder) {
  std::string script = "class(wallpaper, images/hide.bmp)\n";
  for (int i = 0; i < 32; ++i) script += "class(select, " + std::to_string(i) + " 0 40 30, exit)\n";
  Write("launcher.ini", script);
  testsupport::DebugLogCapture log;
  const auto items = ReadMenuScript();
  ASSERT_EQ(items.size(), kMaxMenuItems);
  EXPECT_NE(dynamic_cast<MenuWallpaper*>(items[0].get()), nullptr);
  // The 30th hot spot (left 29) is the last kept.
  EXPECT_TRUE(items[30]->HitTest(29, 0));
  EXPECT_FALSE(items[30]->HitTest(28, 0));
  EXPECT_TRUE(log.Contains("no room"));
}

TEST_F(MenuScriptTest, WithoutAScriptTheMenuIsEmpty) { EXPECT_TRUE(ReadMenuScript().empty()); }

}  // namespace
