// The leader walks the sample village headless under scripted input: the
// right arrow held, the pointer far up with the left button held (it runs
// and the camera draws back), and a jump by the action key. Each stage is
// compared with its golden screenshot.
#include <gtest/gtest.h>

#include "tests/support/SampleGameRun.h"

namespace {

TEST(PartyWalkRun, KeysMouseAndJumpInTheVillage) {
  testsupport::SampleGameRun run;
  // 60 passes of each kind of steering and a shot six passes into a jump.
  const auto result = run.Run("480 key right down\n540 key right up\n" + run.Shot(541, "keys") +
                              "550 mouse move 0 -400\n"
                              "555 mouse left down\n615 mouse left up\n" +
                              run.Shot(616, "mouse") + "630 key enter down\n631 key enter up\n" +
                              run.Shot(636, "jump") + "650 close\n");
  ASSERT_FALSE(result.timedOut);
  for (const char* shot : {"keys", "mouse", "jump"}) {
    EXPECT_EQ(run.CompareShot(shot, std::string("party_walk_") + shot), "") << result.output;
  }
}

}  // namespace
