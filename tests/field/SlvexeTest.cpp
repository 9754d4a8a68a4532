// The game program as a whole, run headless on the sample game folder.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "engine/VideoSetup.h"
#include "platform/SettingsStore.h"
#include "platform/TextEncoding.h"
#include "platform/Window.h"
#include "tests/support/GoldenImage.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::TempDir;

namespace slvexetest {
std::string GameFolder() { return (testsupport::BinaryDir() / "game").string(); }
}  // namespace slvexetest
std::string Slvexe() { return slvexetest::GameFolder() + "/slvexe"; }

// The sample folder's settings, a lock folder of the test's own, and input.
std::map<std::string, std::string> Env(const TempDir& dir, const std::string& script) {
  std::map<std::string, std::string> env{{"SLV_LOCK_DIR", dir.Path().string()},
                                         {"SLV_REGISTRY", slvexetest::GameFolder() + "/registry.ini"}};
  if (!script.empty()) env["SLV_INPUT_SCRIPT"] = dir.Write("input.txt", script).string();
  return env;
}

// The logo has no Escape of its own: closing the window ends it.
TEST(Slvexe, StartsReachesTheLogoAndEndsOnClose) {
  TempDir dir;
  const auto result = testsupport::RunProgram({Slvexe()}, Env(dir, "10 close\n"), 30000, slvexetest::GameFolder());
  EXPECT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
}

// The set-up's "1024 x 768 x 16" full-screen choice: the window shows itself
// maximised from its activation, which must not activate it again and again.
TEST(Slvexe, FullScreenStartReachesTheLogoAndTheTitle) {
  TempDir dir;
  platform::SettingsStore store;
  ASSERT_TRUE(store.Load(slvexetest::GameFolder() + "/registry.ini"));
  const std::string video = std::string(kProductKey) + "\\Video Setup";
  store.SetDword(video, "isFullScreenMode", 1);
  store.SetDword(video, "Width", 1024);
  store.SetDword(video, "Height", 768);
  ASSERT_TRUE(store.Save((dir / "registry.ini").string()));
  const std::string shots = dir.Path().string() + "/";
  auto env = Env(dir, "60 screenshot " + shots + "logo.ppm\n100 mouse left down\n101 mouse left up\n" +
                          "300 screenshot " + shots + "title.ppm\n310 close\n");
  env["SLV_REGISTRY"] = (dir / "registry.ini").string();
  env["SLV_FRAME_SKIP"] = "1";
  const auto result = testsupport::RunProgram({Slvexe()}, env, 60000, slvexetest::GameFolder());
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  testsupport::RgbImage logo, title;
  ASSERT_TRUE(testsupport::ReadPpm(dir / "logo.ppm", &logo));
  ASSERT_TRUE(testsupport::ReadPpm(dir / "title.ppm", &title));
  EXPECT_EQ(logo.width, 1024);
  EXPECT_EQ(logo.height, 768);
  EXPECT_NE(logo, title) << "the click on the logo did not lead to the title";
}

TEST(Slvexe, WithoutSettingsItAsksForTheSetUpAndFails) {
  TempDir dir;
  auto env = Env(dir, "");
  env["SLV_REGISTRY"] = (dir / "none.ini").string();
  const auto result = testsupport::RunProgram({Slvexe()}, env, 30000, slvexetest::GameFolder());
  EXPECT_NE(result.exitCode, 0);
  // Standard error shows the code page 949 text as UTF-8.
  EXPECT_NE(result.output.find(platform::Cp949ToUtf8("게임을 실행하기 전에 환경설정을 먼저 해주세요.")),
            std::string::npos)
      << result.output;
}

TEST(Slvexe, ASecondCopyEndsAtOnceWhileTheFirstRuns) {
  TempDir dir;
  const auto env = Env(dir, "");
  testsupport::RunningProgram first({Slvexe()}, env, slvexetest::GameFolder());
  ::setenv("SLV_LOCK_DIR", dir.Path().c_str(), 1);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!platform::FindAppWindow("GfxApp", "Selvarin")) {
    ASSERT_TRUE(first.Running());
    ASSERT_LT(std::chrono::steady_clock::now(), deadline);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  const auto second = testsupport::RunProgram({Slvexe()}, env, 30000, slvexetest::GameFolder());
  EXPECT_FALSE(second.timedOut);
  EXPECT_NE(second.exitCode, 0);
  EXPECT_TRUE(first.Running());
  first.Stop();
}

}  // namespace
