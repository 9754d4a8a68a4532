// The sample farmer's answer plays his cut-scene, headless under scripted
// input after new game: the camera comes in to him as he walks across his
// field; he tells of the harvest while the leader turns to him and the
// light gathers; Escape then asks whether to quit, "no" (a click on it)
// lets the scene play on to its end; then the field is back with the farmer
// where he walked. Each stage is compared with its golden screenshot.
#include <gtest/gtest.h>

#include "tests/support/SampleGameRun.h"

namespace {

// Left along the path and up beside the farmer; the action key (Ctrl)
// talks to him.
constexpr const char* kTalkToTheFarmer =
    "480 key left down\n515 key left up\n"
    "516 key up down\n534 key up up\n"
    "540 key 17 down\n541 key 17 up\n";

// Escape during the scene, its release while the question shows, the
// pointer onto "no", a click, and the pointer back to the middle.
constexpr const char* kEscapeAnsweredNo =
    "665 key esc down\n666 key esc up\n"
    "670 mouse move 210 137\n672 mouse left down\n673 mouse left up\n"
    "675 mouse move -210 -137\n";

TEST(FarmerTaleRun, TheAnswerPlaysTheCutSceneOnPastEscapeAnsweredNo) {
  testsupport::SampleGameRun run;
  const auto result = run.Run(std::string(kTalkToTheFarmer) +
                              run.Shot(590, "walk") + run.Shot(655, "line") + kEscapeAnsweredNo +
                              run.Shot(745, "after") + "746 close\n");
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(result.output.find("Unknown Command"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("NULL 임"), std::string::npos) << result.output;
  EXPECT_EQ(run.CompareShot("walk", "farmer_tale_walk"), "");
  EXPECT_EQ(run.CompareShot("line", "farmer_tale_line"), "");
  EXPECT_EQ(run.CompareShot("after", "farmer_tale_after"), "");
}

}  // namespace
