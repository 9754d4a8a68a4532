// The sample elder's talk, played headless under scripted input after new
// game: the leader walks up to him and speaks; his greeting shows, the
// third answer hands over a potion (its notice shows the item's icon) and
// gold, a third character joins, a present shows at the top right, and
// after the farewell and a key the window closes and the party walks on.
// Each stage is compared with its golden screenshot.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/GoldenImage.h"
#include "tests/support/TestSupport.h"

namespace {

std::string GameFolder() { return (testsupport::BinaryDir() / "game").string(); }

// As the first-screens run up to new game (every game pass draws); then
// right, up past the north path's box and down to stand south of the elder,
// facing him, and the talk key (Control).
std::string Script(const std::filesystem::path& dir) {
  const std::string shots = dir.string() + "/";
  std::string clicks;
  for (int pass = 100; pass < 290; pass += 7 + pass % 3) {
    clicks += std::to_string(pass) + " mouse left down\n" + std::to_string(pass + 1) + " mouse left up\n";
  }
  return clicks +
         "300 mouse move 0 65\n"
         "410 mouse left down\n411 mouse left up\n"
         "480 key right down\n500 key right up\n"
         "505 key up down\n520 key up up\n"
         "525 key down down\n547 key down up\n"
         "560 key 17 down\n561 key 17 up\n"
         "585 screenshot " + shots + "greeting.ppm\n"
         // The third answer, once the greeting has laid out.
         "600 key down down\n601 key down up\n"
         "603 key down down\n604 key down up\n"
         "606 key enter down\n607 key enter up\n"
         "612 screenshot " + shots + "item.ppm\n"
         // The item's notice, the gold's, then the farewell's key; presses
         // closer than the keypad's repeat window would be repeats.
         "625 key enter down\n626 key enter up\n"
         "645 key enter down\n646 key enter up\n"
         "690 key enter down\n691 key enter up\n"
         // Released, the party walks on.
         "700 key left down\n715 key left up\n"
         "716 screenshot " + shots + "after.ppm\n"
         "720 close\n";
}

TEST(ElderTalkRun, GreetingGiftsAndTheWindowClosedAfter) {
  testsupport::TempDir dir;
  const std::map<std::string, std::string> env{{"SLV_LOCK_DIR", dir.Path().string()},
                                               {"SLV_REGISTRY", GameFolder() + "/registry.ini"},
                                               {"SLV_FRAME_SKIP", "1"},
                                               {"SLV_INPUT_SCRIPT", dir.Write("input.txt", Script(dir.Path())).string()},
                                               {"SLV_DEBUGLOG", "1"}};
  const auto result = testsupport::RunProgram({GameFolder() + "/slvexe"}, env, 200000, GameFolder());
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.output.find("Unknown Command"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("no subject"), std::string::npos) << result.output;
  for (const char* shot : {"greeting", "item", "after"}) {
    testsupport::RgbImage image;
    ASSERT_TRUE(testsupport::ReadPpm(dir / (std::string(shot) + ".ppm"), &image)) << shot << "\n" << result.output;
    EXPECT_EQ(testsupport::CompareWithGolden(std::string("elder_talk_") + shot, image), "");
  }
}

}  // namespace
