// The sample elder's first answer plays his cut-scene, headless under
// scripted input after new game: the camera comes in to him as he walks
// along the path; he tells of the village while the leader turns to him and
// the light gathers; Escape then asks whether to quit, "no" (a click on it)
// lets the scene play on to its end; then the field is back with the elder
// where he walked. Each stage is compared with its golden screenshot.
#include <gtest/gtest.h>

#include "tests/support/SampleGameRun.h"

namespace {

// Escape during the scene, its release while the question shows, the
// pointer onto "no", a click, and the pointer back to the middle.
constexpr const char* kEscapeAnsweredNo =
    "730 key esc down\n731 key esc up\n"
    "735 mouse move 210 137\n737 mouse left down\n738 mouse left up\n"
    "740 mouse move -210 -137\n";

TEST(ElderTaleRun, TheFirstAnswerPlaysTheCutSceneOnPastEscapeAnsweredNo) {
  testsupport::SampleGameRun run;
  const auto result = run.Run(testsupport::ElderApproachScript() + "606 key enter down\n607 key enter up\n" +
                              run.Shot(640, "walk") + run.Shot(720, "line") + kEscapeAnsweredNo +
                              run.Shot(790, "after") + "791 close\n");
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(result.output.find("Unknown Command"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("NULL 임"), std::string::npos) << result.output;
  EXPECT_EQ(run.CompareShot("walk", "elder_tale_walk"), "");
  EXPECT_EQ(run.CompareShot("line", "elder_tale_line"), "");
  EXPECT_EQ(run.CompareShot("after", "elder_tale_after"), "");
}

}  // namespace
