// The party walks towards the village's doves, headless: the village with
// its campfire before the walk, the doves climbing off with a flutter, and
// their spot once they have flown for good. Each is compared with its golden
// screenshot; the campfire's drawing draws random numbers, so every pass is
// drawn.
#include <gtest/gtest.h>

#include "tests/support/SampleGameRun.h"

namespace {

// From the crossing the leader steps down and left (towards the doves) for
// 20 passes, near enough for both to take off; 520 passes after they climb
// they have been gone a while.
std::string Script() {
  return testsupport::NewGameScript() +
         "478 screenshot @village.ppm\n"
         "480 key left down\n480 key down down\n"
         "500 key left up\n500 key down up\n"
         "520 screenshot @climbing.ppm\n"
         "1040 screenshot @spot.ppm\n"
         "1041 close\n";
}

TEST(DovesRun, TheDovesClimbOffWhenThePartyComesNearAndStayGone) {
  testsupport::TempDir dir;
  const auto result = testsupport::RunSampleGame(dir, Script());
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  for (const char* shot : {"village", "climbing", "spot"}) {
    EXPECT_EQ(testsupport::CompareShot(dir, shot, std::string("doves_") + shot), "") << shot;
  }
}

}  // namespace
