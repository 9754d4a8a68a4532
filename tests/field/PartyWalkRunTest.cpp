// The leader walks the sample village headless under scripted input: the
// right arrow held, the pointer far up with the left button held (it runs
// and the camera draws back), and a jump by the action key. Each stage is
// compared with its golden screenshot.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/GoldenImage.h"
#include "tests/support/TestSupport.h"

namespace {

std::string GameFolder() { return (testsupport::BinaryDir() / "game").string(); }

// As the first-screens run up to new game (every game pass draws), then 60
// passes of each kind of steering and a shot six passes into a jump.
std::string Script(const std::filesystem::path& dir) {
  const std::string shots = dir.string() + "/";
  std::string clicks;
  for (int pass = 100; pass < 290; pass += 7 + pass % 3) {
    clicks += std::to_string(pass) + " mouse left down\n" + std::to_string(pass + 1) + " mouse left up\n";
  }
  return clicks +
         "300 mouse move 0 65\n"
         "410 mouse left down\n411 mouse left up\n"
         "480 key right down\n540 key right up\n"
         "541 screenshot " + shots + "keys.ppm\n"
         "550 mouse move 0 -400\n"
         "555 mouse left down\n615 mouse left up\n"
         "616 screenshot " + shots + "mouse.ppm\n"
         "630 key enter down\n631 key enter up\n"
         "636 screenshot " + shots + "jump.ppm\n"
         "650 close\n";
}

TEST(PartyWalkRun, KeysMouseAndJumpInTheVillage) {
  testsupport::TempDir dir;
  const std::map<std::string, std::string> env{{"SLV_LOCK_DIR", dir.Path().string()},
                                               {"SLV_REGISTRY", GameFolder() + "/registry.ini"},
                                               {"SLV_NO_PRESENT_WAIT", "0"},
                                               {"SLV_FRAME_SKIP", "1"},
                                               {"SLV_INPUT_SCRIPT", dir.Write("input.txt", Script(dir.Path())).string()},
                                               {"SLV_DEBUGLOG", "1"}};
  const auto result = testsupport::RunProgram({GameFolder() + "/slvexe"}, env, 100000, GameFolder());
  ASSERT_FALSE(result.timedOut);
  for (const char* shot : {"keys", "mouse", "jump"}) {
    testsupport::RgbImage image;
    ASSERT_TRUE(testsupport::ReadPpm(dir / (std::string(shot) + ".ppm"), &image)) << shot << "\n" << result.output;
    EXPECT_EQ(testsupport::CompareWithGolden(std::string("party_walk_") + shot, image), "");
  }
}

}  // namespace
