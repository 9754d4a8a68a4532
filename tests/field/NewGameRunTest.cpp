// Two new games in one run of the sample game: new game, Escape and "yes"
// back to the title, and new game again. Each starts the party of the
// new-game tables afresh, and the village shows it as the first time.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/support/SampleGameRun.h"

namespace {

std::string GameFolder() { return testsupport::SampleGameFolder(); }

struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

// The smallest box holding every pixel in which the two pictures differ.
Box DifferenceBox(const testsupport::RgbImage& a, const testsupport::RgbImage& b) {
  Box box;
  for (int y = 0; y < std::min(a.height, b.height); ++y) {
    for (int x = 0; x < std::min(a.width, b.width); ++x) {
      const size_t i = (static_cast<size_t>(y) * static_cast<size_t>(a.width) + static_cast<size_t>(x)) * 3;
      if (a.rgb[i] == b.rgb[i] && a.rgb[i + 1] == b.rgb[i + 1] && a.rgb[i + 2] == b.rgb[i + 2]) continue;
      box = Box{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
    }
  }
  return box;
}

// The passes of the first screens' run up to its quit question (the first
// village screenshot the same); then, back at the title, the pointer goes
// to the first entry again.
std::string Script(const std::filesystem::path& dir) {
  const std::string shots = dir.string() + "/";
  return testsupport::NewGameScript() +
         "480 screenshot " + shots + "village.ppm\n"
         "530 key esc down\n533 key esc up\n"
         "540 mouse move 148 138\n"
         "560 mouse left down\n561 mouse left up\n"
         "620 mouse move -150 -80\n"
         "640 mouse left down\n641 mouse left up\n"
         "710 screenshot " + shots + "village_again.ppm\n"
         "720 close\n";
}

// The fire's flickering light and its smoke in the village's first picture.
constexpr Box kSmoke{280, 160, 510, 320};

TEST(NewGameRun, ASecondNewGameStartsTheSamePartyAsTheFirst) {
  testsupport::TempDir dir;
  const std::map<std::string, std::string> env{{"SLV_LOCK_DIR", dir.Path().string()},
                                               {"SLV_REGISTRY", GameFolder() + "/registry.ini"},
                                               {"SLV_FRAME_SKIP", "1"},
                                               {"SLV_INPUT_SCRIPT", dir.Write("input.txt", Script(dir.Path())).string()},
                                               {"SLV_DEBUGLOG", "1"}};
  const auto result = testsupport::RunProgram({GameFolder() + "/slvexe"}, env, 100000, GameFolder());
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  for (const char* error : {"Syntex Error", "Error while Loading", "Error in CTokenizer", "Invalid player engName",
                            "Invalid Item Name", "Not Found"}) {
    EXPECT_EQ(result.output.find(error), std::string::npos) << error;
  }
  testsupport::RgbImage first, again;
  ASSERT_TRUE(testsupport::ReadPpm(dir / "village.ppm", &first));
  ASSERT_TRUE(testsupport::ReadPpm(dir / "village_again.ppm", &again));
  EXPECT_EQ(testsupport::CompareWithGolden("first_screens_village", first), "");
  // The fire's light and smoke follow the game's random numbers, which run on
  // from the first game: only they may differ.
  ASSERT_EQ(again.width, first.width);
  ASSERT_EQ(again.height, first.height);
  const Box box = DifferenceBox(first, again);
  EXPECT_TRUE(box.right < 0 || (box.left >= kSmoke.left && box.top >= kSmoke.top && box.right <= kSmoke.right &&
                                box.bottom <= kSmoke.bottom))
      << "the pictures differ in " << box.left << "," << box.top << " - " << box.right << "," << box.bottom;
}

}  // namespace
