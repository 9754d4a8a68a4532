// A movie in the village, headless: the leader walks east past the end of
// the path into the box whose script plays "selvarin.avi" over the scene.
// The clip's still first second and the scene after the clip are compared
// with their golden screenshots.
#include <gtest/gtest.h>

#include "tests/support/SampleGameRun.h"

namespace {

namespace villagemovieruntest {
// The leader walks east from the crossing and enters the box on pass 596,
// stopping inside it. The clip's frames follow the clock: its first second is
// one still picture, taken two passes in; four seconds of paced passes have
// gone well before pass 930.
// The box lies beyond the reach of the campfire and the fountain, and what
// wanders by random numbers stays out of view: the passes that show the
// clip draw no scene, so they draw none of the campfire's random numbers.
std::string Script() {
  return testsupport::NewGameScript() +
         "480 key right down\n"
         "598 screenshot @still.ppm\n"
         "600 key right up\n"
         "930 screenshot @after.ppm\n"
         "931 close\n";
}
}  // namespace villagemovieruntest

TEST(VillageMovieRun, TheBoxPlaysTheClipOverTheSceneAndTheSceneComesBack) {
  testsupport::TempDir dir;
  const auto result = testsupport::RunSampleGame(dir, villagemovieruntest::Script());
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(testsupport::CompareShot(dir, "still", "village_movie_still"), "");
  EXPECT_EQ(testsupport::CompareShot(dir, "after", "village_movie_after"), "");
}

}  // namespace
