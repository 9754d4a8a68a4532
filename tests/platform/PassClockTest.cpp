#include "platform/PassClock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "platform/Clock.h"

namespace {

using platform::PassClock;

// Passes, the game thread's sleeps and its busy-wait turns move the clock;
// nothing else does, however long the wall clock runs meanwhile.
TEST(PassClock, MovesByPassesAndTheOwnersSleepsOnly) {
  PassClock clock;
  platform::ScopedClockSource guard(&clock);
  EXPECT_EQ(platform::NowMs64(), 0u);
  platform::ClockPassBegins();
  platform::ClockPassBegins();
  EXPECT_EQ(platform::NowMs(), 2 * PassClock::kPassMs);
  platform::SleepMs(100);
  platform::SpinWait();
  EXPECT_EQ(platform::NowMs(), 2 * PassClock::kPassMs + 101);

  // Another thread (a decoder's) sleeps for real and reads the same time.
  uint64_t seen = 0;
  std::thread other([&seen] {
    platform::SleepMs(2);
    platform::SpinWait();
    seen = platform::NowMs64();
  });
  other.join();
  EXPECT_EQ(seen, 2u * PassClock::kPassMs + 101);
  EXPECT_EQ(platform::NowMs64(), seen);
}

TEST(PassClock, RunsOnlyWhenAnInputScriptDrivesTheProgram) {
  const char* old = std::getenv("SLV_INPUT_SCRIPT");
  const std::string saved = old != nullptr ? old : "";
  ::unsetenv("SLV_INPUT_SCRIPT");
  EXPECT_FALSE(platform::UsePassClockForScriptedRun());
  ::setenv("SLV_INPUT_SCRIPT", "input.txt", 1);
  EXPECT_TRUE(platform::UsePassClockForScriptedRun());
  const uint64_t start = platform::NowMs64();
  platform::ClockPassBegins();
  EXPECT_EQ(platform::NowMs64(), start + PassClock::kPassMs);
  platform::SetClockSource(nullptr);
  if (old != nullptr) {
    ::setenv("SLV_INPUT_SCRIPT", saved.c_str(), 1);
  } else {
    ::unsetenv("SLV_INPUT_SCRIPT");
  }
}

}  // namespace
