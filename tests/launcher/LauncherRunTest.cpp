// The sample folder's launcher as a whole, run headless: its menu from the
// pack appended to it, the start entry lit under the pointer, and a click
// that starts the game.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "engine/VideoSetup.h"
#include "platform/SettingsStore.h"
#include "tests/field/GoldenImage.h"
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
    const auto opener = dir.Write("bin/xdg-open", "#!/bin/sh\necho \"$1\" >> '" + (dir / "opened.txt").string() + "'\n");
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

}  // namespace
