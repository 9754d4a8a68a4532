// The game left to itself: the logo runs out into the opening movie, and
// Enter skips the movie to the title. Run headless on the sample game folder;
// the movie's still first second and the title are compared with their
// golden screenshots.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/GoldenImage.h"
#include "tests/support/TestSupport.h"

namespace {

namespace openingmovieruntest {
std::string GameFolder() { return (testsupport::BinaryDir() / "game").string(); }

// Pass numbers count the frame loops' passes. The logo's 601 passes end on
// the first drawn pass after tick 600, a few passes later on a busy machine;
// the movie's first second is one still picture, so pass 612 shows it all
// the same. Each movie pass shows the next frame. The title has finished
// fading in long before pass 820, with the pointer moved onto its first
// entry as in the click-through run.
std::string Script(const std::filesystem::path& dir) {
  const std::string shots = dir.string() + "/";
  return "612 screenshot " + shots + "movie.ppm\n"
         "614 key enter down\n"
         "615 key enter up\n"
         "700 mouse move 0 65\n"
         "820 screenshot " + shots + "title.ppm\n"
         "821 close\n";
}
}  // namespace openingmovieruntest

TEST(OpeningMovieRun, TheLogoRunsOutIntoTheMovieAndEnterSkipsToTheTitle) {
  testsupport::TempDir dir;
  const std::map<std::string, std::string> env{{"SLV_LOCK_DIR", dir.Path().string()},
                                               {"SLV_REGISTRY", openingmovieruntest::GameFolder() + "/registry.ini"},
                                               {"SLV_INPUT_SCRIPT", dir.Write("input.txt", openingmovieruntest::Script(dir.Path())).string()}};
  const auto result = testsupport::RunProgram({openingmovieruntest::GameFolder() + "/slvexe"}, env, 100000, openingmovieruntest::GameFolder());
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  const struct {
    const char* shot;
    const char* golden;
  } shots[] = {{"movie", "opening_movie_still"}, {"title", "first_screens_title"}};
  for (const auto& s : shots) {
    testsupport::RgbImage image;
    ASSERT_TRUE(testsupport::ReadPpm(dir / (std::string(s.shot) + ".ppm"), &image)) << s.shot;
    EXPECT_EQ(testsupport::CompareWithGolden(s.golden, image), "") << s.shot;
  }
}

}  // namespace
