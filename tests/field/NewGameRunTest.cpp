// Two new games in one run of the sample game: new game, Escape and "yes"
// back to the title, and new game again, once straight away and once after
// the elder's gift and its two members. Each starts the party of the new-game
// tables afresh, and the village shows it as the first time.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/SampleGameRun.h"

namespace {

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

// From pass `esc`: Escape, the pointer onto "yes" and a click, back at the
// title the pointer onto the first entry again and a click; the village of
// the second new game has faded in by `esc` + 180.
std::string BackToTitleAndNewGame(int esc) {
  const auto at = [esc](int offset, const std::string& event) {
    return std::to_string(esc + offset) + " " + event + "\n";
  };
  return at(0, "key esc down") + at(3, "key esc up") + at(10, "mouse move 148 138") + at(30, "mouse left down") +
         at(31, "mouse left up") + at(90, "mouse move -150 -80") + at(110, "mouse left down") +
         at(111, "mouse left up") + at(180, "screenshot @village_again.ppm") + at(190, "close");
}

// The fire's flickering light (as far as it reaches at its brightest) and
// its smoke in the village's first picture.
constexpr Box kSmoke{260, 145, 530, 330};

// Runs `events` after new game (the first village screenshot at pass 480),
// then a second new game from pass `esc`; the second village must show what
// the first did, and the trace none of the tables' error texts.
void ExpectSecondNewGameAsTheFirst(const std::string& events, int esc) {
  testsupport::TempDir dir;
  const auto result = testsupport::RunSampleGame(
      dir, testsupport::NewGameScript() + "480 screenshot @village.ppm\n" + events + BackToTitleAndNewGame(esc));
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

TEST(NewGameRun, ASecondNewGameStartsTheSamePartyAsTheFirst) { ExpectSecondNewGameAsTheFirst("", 530); }

// The elder's gift and the member who joins belong to the first game only:
// the second village shows the two starting members and no present, the
// leader facing as the first time (the join had kept his heading for the
// party's rebuilding).
TEST(NewGameRun, AfterTheEldersGiftASecondNewGameStartsTheTablesParty) {
  ExpectSecondNewGameAsTheFirst(testsupport::ElderThirdAnswerScript(), 730);
}

}  // namespace
