// The sample elder's third answer, played headless under scripted input
// after new game: the leader walks up to him and speaks; his greeting shows,
// the answer hands over a potion (its notice shows the item's icon) and
// gold, a third character joins, a present shows at the top right, and after
// the farewell and a key the window closes and the party walks on. Each
// stage is compared with its golden screenshot.
#include <gtest/gtest.h>

#include "tests/support/SampleGameRun.h"

namespace {

// Right, up past the north path's box and down to stand south of the elder,
// facing him; the talk key (Control); the third answer once the greeting
// has laid out; then the item's notice, the gold's and the farewell's key,
// each press further apart than the keypad's repeat window (a press within
// it is a repeat, which confirms nothing).
const std::string kThirdAnswer =
    "480 key right down\n500 key right up\n"
    "505 key up down\n520 key up up\n"
    "525 key down down\n547 key down up\n"
    "560 key 17 down\n561 key 17 up\n"
    "600 key down down\n601 key down up\n"
    "603 key down down\n604 key down up\n"
    "606 key enter down\n607 key enter up\n"
    "625 key enter down\n626 key enter up\n"
    "645 key enter down\n646 key enter up\n"
    "690 key enter down\n691 key enter up\n"
    // Released, the party walks on.
    "700 key left down\n715 key left up\n";

TEST(ElderGiftRun, GreetingGiftsAndTheWindowClosedAfter) {
  testsupport::SampleGameRun run;
  const auto result =
      run.Run(kThirdAnswer + run.Shot(585, "greeting") + run.Shot(612, "item") + run.Shot(716, "after") + "720 close\n");
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.output.find("Unknown Command"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("no subject"), std::string::npos) << result.output;
  EXPECT_EQ(run.CompareShot("greeting", "elder_talk_greeting"), "");
  EXPECT_EQ(run.CompareShot("item", "elder_talk_item"), "");
  EXPECT_EQ(run.CompareShot("after", "elder_talk_after"), "");
}

}  // namespace
