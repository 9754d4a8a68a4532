// The sample elder's third answer, played headless under scripted input
// after new game: the leader walks up to him and speaks; his greeting shows,
// the answer hands over a potion (its notice shows the item's icon) and
// gold, a third and a fourth character join, a present shows at the top right, and after
// the farewell and a key the window closes and the party walks on. Each
// stage is compared with its golden screenshot; the farewell, kept for
// its key, is looked at inside its window.
#include <gtest/gtest.h>

#include "tests/support/SampleGameRun.h"

namespace {

TEST(ElderGiftRun, GreetingGiftsAndTheWindowClosedAfter) {
  testsupport::SampleGameRun run;
  const auto result = run.Run(testsupport::ElderThirdAnswerScript() + run.Shot(585, "greeting") +
                              run.Shot(612, "item") + run.Shot(716, "after") + "720 close\n");
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.output.find("Unknown Command"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("no subject"), std::string::npos) << result.output;
  EXPECT_EQ(run.CompareShot("greeting", "elder_talk_greeting"), "");
  EXPECT_EQ(run.CompareShot("item", "elder_talk_item"), "");
  EXPECT_EQ(run.CompareShot("after", "elder_talk_after"), "");
}

// The farewell comes after the notices, the two members joining and the
// present's picture slot; laid out whole and kept for the key ("wait"), it
// stays inside its window, every letter on it.
TEST(ElderGiftRun, TheFarewellWaitsForItsKeyInsideItsWindow) {
  testsupport::SampleGameRun run;
  const auto result = run.Run(testsupport::ElderGiftScript() + testsupport::TextCheck(700, "field_farewell") +
                              run.Shot(705, "farewell") + "710 close\n");
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(run.UnreadTexts("field_farewell"), "");
  EXPECT_EQ(run.CompareShot("farewell", "elder_talk_farewell"), "");
}

}  // namespace
