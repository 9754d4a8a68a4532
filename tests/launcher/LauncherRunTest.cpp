// The sample folder's launcher as a whole, run headless: its menu from the
// pack appended to it, the start entry lit under the pointer, and a click
// that starts the game.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "engine/VideoSetup.h"
#include "platform/SettingsStore.h"
#include "tests/support/GoldenImage.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::TempDir;

constexpr const char* kGolden = "tests/launcher/golden";

std::string Launcher() { return (testsupport::BinaryDir() / "selvarin").string(); }

struct LauncherFolder {
  TempDir dir;
  std::map<std::string, std::string> env;
  std::filesystem::path install;

  // An installed folder with a stub game that notes where it started, and a
  // recording desktop opener on PATH (so the web links show).
  LauncherFolder() : install(dir / "installed") {
    dir.Write("installed/selvarin", "");
    const auto game = dir.Write("installed/slvexe", "#!/bin/sh\npwd > started.txt\n");
    const auto opener =
        dir.Write("bin/xdg-open", "#!/bin/sh\necho \"$1\" >> '" + (dir / "opened.txt").string() + "'\n");
    for (const auto& path : {game, opener}) std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    platform::SettingsStore store;
    store.SetString(kProductKey, "Path", install.string() + "/");
    store.Save((dir / "registry.ini").string());
    std::filesystem::create_directories(dir / "work");
    env = {{"SLV_LOCK_DIR", dir.Path().string()},
           {"SLV_REGISTRY", (dir / "registry.ini").string()},
           {"PATH", (dir / "bin").string() + ":" + std::getenv("PATH")}};
  }
  testsupport::ProgramResult Start(const std::string& script) {
    env["SLV_INPUT_SCRIPT"] = dir.Write("input.txt", script).string();
    return testsupport::RunProgram({Launcher()}, env, 60000, (dir / "work").string());
  }
  testsupport::RgbImage Screenshot(const std::string& name) {
    testsupport::RgbImage image;
    EXPECT_TRUE(testsupport::ReadPpm(dir / "work" / name, &image)) << name;
    return image;
  }
};

TEST(LauncherRun, TheMenuLightsTheStartEntryAndAClickStartsTheGame) {
  LauncherFolder run;
  // Passes count the launcher's waits for input; the fade runs between them.
  const auto result = run.Start(
      "2 screenshot rest.ppm\n"
      "3 mouse at 144 105\n"
      "4 screenshot start.ppm\n"
      "5 mouse left down\n");
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(testsupport::CompareWithGolden("launcher_menu_at_rest", run.Screenshot("rest.ppm"), kGolden), "");
  EXPECT_EQ(testsupport::CompareWithGolden("launcher_start_entry_lit", run.Screenshot("start.ppm"), kGolden), "");
  // The game starts in its own folder.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!std::filesystem::exists(run.install / "started.txt") && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(testsupport::ReadFile(run.install / "started.txt"), run.install.string() + "\n");
}

TEST(LauncherRun, TheCloseEntryEndsItWithoutStartingAnything) {
  LauncherFolder run;
  const auto result = run.Start("2 mouse at 550 390\n3 mouse left down\n3 mouse left up\n");
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_FALSE(std::filesystem::exists(run.install / "started.txt"));
}

// The set-up entry opens the dialog over the menu; what its OK stores is
// what the game then starts with.
TEST(LauncherRun, TheSetUpDialogStoresTheSettingsTheGameStartsWith) {
  LauncherFolder run;
  // The dialog's top-left lies at (100, 61) of the 600 x 425 menu.
  const auto result = run.Start(
      "2 mouse at 144 129\n"
      "3 mouse left down\n"
      "4 mouse left up\n"
      "5 screenshot dialog.ppm\n"
      "6 mouse at 130 222\n"  // texture filtering
      "7 mouse left down\n"
      "8 mouse left up\n"
      "9 mouse at 200 150\n"  // the mode list
      "10 mouse left down\n"
      "11 mouse left up\n"
      "12 mouse at 200 172\n"  // its first entry
      "13 mouse left down\n"
      "14 mouse left up\n"
      "15 mouse at 350 343\n"  // OK
      "16 mouse left down\n"
      "17 mouse left up\n"
      "18 mouse at 550 390\n"  // the close entry
      "19 mouse left down\n");
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(testsupport::CompareWithGolden("launcher_setup_dialog", run.Screenshot("dialog.ppm"), kGolden), "");

  platform::SettingsStore store;
  ASSERT_TRUE(store.Load((run.dir / "registry.ini").string()));
  EXPECT_EQ(store.GetString(kProductKey, "Path"), run.install.string() + "/");
  VideoSetup stored;
  stored.SetDefaults();
  stored.Load(store, kProductKeyPath);
  EXPECT_EQ(stored.Filtering, 0u);
  EXPECT_EQ(stored.isFullScreenMode, 0u);
  EXPECT_EQ(stored.Width, 640u);
  EXPECT_EQ(stored.SprFiltering, 0u);

  // The game starts on what the launcher wrote, and ends on a close.
  const std::string game = (testsupport::BinaryDir() / "game").string();
  const auto started = testsupport::RunProgram({game + "/slvexe"},
                                               {{"SLV_LOCK_DIR", run.dir.Path().string()},
                                                {"SLV_REGISTRY", (run.dir / "registry.ini").string()},
                                                {"SLV_INPUT_SCRIPT", run.dir.Write("game.txt", "10 close\n").string()}},
                                               60000, game);
  EXPECT_FALSE(started.timedOut);
  EXPECT_EQ(started.exitCode, 0) << started.output;
}

}  // namespace
