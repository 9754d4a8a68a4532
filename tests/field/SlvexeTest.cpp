// The game program as a whole, run headless on the sample game folder.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/TextEncoding.h"
#include "platform/Window.h"
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
