// The leader walks the sample village headless into the wolf, which asks for
// its battle; the party's battle classes are found, the battle returns at
// once, the wolf is gone and the party walks on. The field afterwards is
// compared with its golden screenshot.
#include <gtest/gtest.h>

#include "tests/support/SampleGameRun.h"

namespace {

// After new game: right of the path (clear of the box across it) and up into
// the wolf's reach; then back down into the camera's view.
TEST(BattleSetRun, TheWolfsBattleReturnsAtOnceAndThePartyWalksOn) {
  testsupport::SampleGameRun run;
  const auto result = run.Run(
      "490 key right down\n515 key right up\n"
      "520 key up down\n620 key up up\n"
      "621 key right down\n640 key right up\n"
      "641 key up down\n680 key up up\n"
      "690 key down down\n790 key down up\n" +
      run.Shot(800, "after") + "810 close\n");
  ASSERT_FALSE(result.timedOut);
  // The set-up found every party member's battle class.
  EXPECT_EQ(result.output.find("unknown actor class \"battle"), std::string::npos) << result.output;
  EXPECT_EQ(run.CompareShot("after", "battle_set_wolf"), "") << result.output;
}

}  // namespace
