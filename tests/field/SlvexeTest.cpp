// The game program as a whole, run headless.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/Window.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::TempDir;

std::string Slvexe() { return (testsupport::BinaryDir() / "field" / "slvexe").string(); }

TEST(Slvexe, RunsHeadlessUntilTheWindowIsClosed) {
  TempDir dir;
  const auto script = dir.Write("input.txt", "10 close\n");
  const auto result = testsupport::RunProgram(
      {Slvexe()}, {{"SLV_LOCK_DIR", dir.Path().string()}, {"SLV_INPUT_SCRIPT", script.string()}},
      20000);
  EXPECT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
}

TEST(Slvexe, EscapeEndsTheGame) {
  TempDir dir;
  const auto script = dir.Write("input.txt", "5 key esc down\n");
  const auto result = testsupport::RunProgram(
      {Slvexe()}, {{"SLV_LOCK_DIR", dir.Path().string()}, {"SLV_INPUT_SCRIPT", script.string()}},
      20000);
  EXPECT_EQ(result.exitCode, 0) << result.output;
}

TEST(Slvexe, ASecondCopyEndsAtOnceWhileTheFirstRuns) {
  TempDir dir;
  const std::map<std::string, std::string> env{{"SLV_LOCK_DIR", dir.Path().string()}};
  testsupport::RunningProgram first({Slvexe()}, env);
  ::setenv("SLV_LOCK_DIR", dir.Path().c_str(), 1);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!platform::FindAppWindow("GfxApp", "Selvarin")) {
    ASSERT_TRUE(first.Running());
    ASSERT_LT(std::chrono::steady_clock::now(), deadline);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  const auto second = testsupport::RunProgram({Slvexe()}, env, 20000);
  EXPECT_FALSE(second.timedOut);
  EXPECT_NE(second.exitCode, 0);
  EXPECT_TRUE(first.Running());
  first.Stop();
}

}  // namespace
