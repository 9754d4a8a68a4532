// The leader walks the sample village headless into the wolf, which asks for
// its battle; with no battle classes yet the battle returns at once, the
// wolf is gone and the party walks on. The field afterwards is compared
// with its golden screenshot.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/GoldenImage.h"
#include "tests/support/TestSupport.h"

namespace {

std::string GameFolder() { return (testsupport::BinaryDir() / "game").string(); }

// As the party walk up to new game, then right of the path (clear of the
// box across it) and up into the wolf's reach; then back down into the
// camera's view.
std::string Script(const std::filesystem::path& dir) {
  std::string clicks;
  for (int pass = 100; pass < 290; pass += 7 + pass % 3) {
    clicks += std::to_string(pass) + " mouse left down\n" + std::to_string(pass + 1) + " mouse left up\n";
  }
  return clicks +
         "300 mouse move 0 65\n"
         "410 mouse left down\n411 mouse left up\n"
         "490 key right down\n515 key right up\n"
         "520 key up down\n620 key up up\n"
         "621 key right down\n640 key right up\n"
         "641 key up down\n680 key up up\n"
         "690 key down down\n790 key down up\n"
         "800 screenshot " + dir.string() + "/after.ppm\n"
         "810 close\n";
}

TEST(BattleSetRun, TheWolfsBattleReturnsAtOnceAndThePartyWalksOn) {
  testsupport::TempDir dir;
  const std::map<std::string, std::string> env{{"SLV_LOCK_DIR", dir.Path().string()},
                                               {"SLV_REGISTRY", GameFolder() + "/registry.ini"},
                                               {"SLV_NO_PRESENT_WAIT", "0"},
                                               {"SLV_FRAME_SKIP", "1"},
                                               {"SLV_INPUT_SCRIPT", dir.Write("input.txt", Script(dir.Path())).string()},
                                               {"SLV_DEBUGLOG", "1"}};
  const auto result = testsupport::RunProgram({GameFolder() + "/slvexe"}, env, 100000, GameFolder());
  ASSERT_FALSE(result.timedOut);
  // The set-up ran: it looked for the party's battle classes.
  EXPECT_NE(result.output.find("unknown actor class \"battle"), std::string::npos) << result.output;
  testsupport::RgbImage image;
  ASSERT_TRUE(testsupport::ReadPpm(dir / "after.ppm", &image)) << result.output;
  EXPECT_EQ(testsupport::CompareWithGolden("battle_set_wolf", image), "");
}

}  // namespace
