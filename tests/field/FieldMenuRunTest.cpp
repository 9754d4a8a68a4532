// The field menu in the sample village, headless under scripted input: F2
// with the pointer on the strength label opens the leader's status page
// with its help line; a right press on the leader opens the member pop-up,
// whose "아래로 내리기" moves the leader down the party; the diary tab's
// "Exit" asks its question and "NO" stays; the close button goes back to
// the field. Each stage is compared with its golden screenshot.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/GoldenImage.h"
#include "tests/support/TestSupport.h"

namespace {

std::string GameFolder() { return (testsupport::BinaryDir() / "game").string(); }

// As the first-screens run up to new game, the village shown by pass 480
// Opening the menu puts the pointer in the middle (320, 240). Then, on the
// 640 x 480 grid: F2, and the pointer to (190, 218) over "완력"; to the
// leader's icon
// (60, 70) and a right press, which opens the pop-up at (75, 80); its
// second entry at (85, 105); the diary tab of the strip at (10, 160);
// "Exit" at (60, 160); "NO" at (345, 185); the close button at (622, 18).
std::string Script(const std::filesystem::path& dir) {
  const std::string shots = dir.string() + "/";
  std::string clicks;
  for (int pass = 100; pass < 290; pass += 7 + pass % 3) {
    clicks += std::to_string(pass) + " mouse left down\n" + std::to_string(pass + 1) + " mouse left up\n";
  }
  return clicks +
         "300 mouse move 0 65\n"
         "410 mouse left down\n411 mouse left up\n"
         "490 key f2 down\n492 key f2 up\n"
         "500 mouse move -130 -22\n"
         "510 screenshot " + shots + "status.ppm\n"
         "515 mouse move -130 -148\n"
         "517 mouse right down\n518 mouse right up\n"
         "525 screenshot " + shots + "popup.ppm\n"
         "530 mouse move 25 35\n"
         "532 mouse left down\n533 mouse left up\n"
         "540 mouse move -75 55\n"
         "542 mouse left down\n543 mouse left up\n"
         "550 mouse move 50 0\n"
         "552 mouse left down\n553 mouse left up\n"
         "560 screenshot " + shots + "exit.ppm\n"
         "565 mouse move 285 25\n"
         "567 mouse left down\n568 mouse left up\n"
         "575 mouse move 277 -167\n"
         "577 mouse left down\n578 mouse left up\n"
         "600 screenshot " + shots + "field.ppm\n"
         "610 close\n";
}

TEST(FieldMenuRun, StatusHelpPopUpReorderExitQuestionAndClose) {
  testsupport::TempDir dir;
  const std::map<std::string, std::string> env{{"SLV_LOCK_DIR", dir.Path().string()},
                                               {"SLV_REGISTRY", GameFolder() + "/registry.ini"},
                                               {"SLV_NO_PRESENT_WAIT", "0"},
                                               {"SLV_FRAME_SKIP", "1"},
                                               {"SLV_INPUT_SCRIPT", dir.Write("input.txt", Script(dir.Path())).string()},
                                               {"SLV_DEBUGLOG", "1"}};
  const auto result = testsupport::RunProgram({GameFolder() + "/slvexe"}, env, 100000, GameFolder());
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  for (const char* shot : {"status", "popup", "exit", "field"}) {
    testsupport::RgbImage image;
    ASSERT_TRUE(testsupport::ReadPpm(dir / (std::string(shot) + ".ppm"), &image)) << shot << "\n" << result.output;
    EXPECT_EQ(testsupport::CompareWithGolden(std::string("field_menu_") + shot, image), "");
  }
}

}  // namespace
