// The game as a player first meets it, run headless on the sample game
// folder with scripted input: the logo, a click to the title, new game in
// the sample village, a turn of its camera, Escape there and "yes", and the
// title's last entry. The logo, the title, the village before and after the
// turn and the quit picture are compared with their golden screenshots.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "tests/support/GoldenImage.h"
#include "tests/support/TestSupport.h"

namespace {

std::string GameFolder() { return (testsupport::BinaryDir() / "game").string(); }

namespace logoandtitleruntest {
// Pass numbers count the frame loops' passes. The first picture shows in
// full from tick 50 to 100. Clicks on the logo go on at uneven intervals
// until one lands (later ones fall outside the title's menu). The pointer
// then rests on the first entry, and the title has long finished fading in
// by pass 400. The title draws every pass, and presents keep the display's
// pace (60 a second headless): its 60 passes between the two title
// screenshots take at least 0.8 s. Every game-frame pass draws
// (SLV_FRAME_SKIP=1): the village fades in over its first 26 passes, its
// camera rests where the player would start, and the cursor rests in the
// middle. A right drag turns the camera; Escape asks whether to quit, "yes"
// goes back to the title and its third entry ends the program before the
// last screenshot.
std::string Script(const std::filesystem::path& dir) {
  const std::string shots = dir.string() + "/";
  std::string clicks;
  for (int pass = 100; pass < 290; pass += 7 + pass % 3) {
    clicks += std::to_string(pass) + " mouse left down\n" + std::to_string(pass + 1) + " mouse left up\n";
  }
  return "95 screenshot " + shots + "logo.ppm\n" + clicks +
         "300 mouse move 0 65\n"
         "340 screenshot " + shots + "title-early.ppm\n"
         "400 screenshot " + shots + "title.ppm\n"
         "410 mouse left down\n411 mouse left up\n"
         "480 screenshot " + shots + "village.ppm\n"
         "490 mouse right down\n"
         "492 mouse move 40 0\n494 mouse move 40 0\n496 mouse move 40 0\n"
         "498 mouse right up\n"
         "520 screenshot " + shots + "village_turned.ppm\n"
         "530 key esc down\n533 key esc up\n"
         "540 mouse move 28 138\n"
         "555 screenshot " + shots + "quit.ppm\n"
         "560 mouse left down\n561 mouse left up\n"
         "620 mouse move -168 -28\n"
         "640 mouse left down\n641 mouse left up\n"
         "900 screenshot " + shots + "late.ppm\n"
         "1000 close\n";
}
}  // namespace logoandtitleruntest

TEST(LogoAndTitleRun, LogoClickTitleNewGameTurnQuitAndEnd) {
  testsupport::TempDir dir;
  const std::map<std::string, std::string> env{{"SLV_LOCK_DIR", dir.Path().string()},
                                               {"SLV_REGISTRY", GameFolder() + "/registry.ini"},
                                               {"SLV_NO_PRESENT_WAIT", "0"},
                                               {"SLV_FRAME_SKIP", "1"},
                                               {"SLV_INPUT_SCRIPT", dir.Write("input.txt", logoandtitleruntest::Script(dir.Path())).string()},
                                               {"SLV_DEBUGLOG", "1"}};
  const auto result = testsupport::RunProgram({GameFolder() + "/slvexe"}, env, 100000, GameFolder());
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_FALSE(std::filesystem::exists(dir / "late.ppm")) << "the title's third entry did not end the game";
  const auto titlePace = std::filesystem::last_write_time(dir / "title.ppm") -
                         std::filesystem::last_write_time(dir / "title-early.ppm");
  EXPECT_GE(std::chrono::duration<double>(titlePace).count(), 0.8) << "presents are not paced";
  // The village loads whole.
  for (const char* stop : {"rsw 파일 읽기에 실패", "scr 파일이 rsw 내에 지정되어있지 않습니다", "scr 파일 읽기에 실패",
                           "gnd 파일이 rsw 내에 지정되어 있지 않습니다", "ground 파일 읽기에 실패",
                           "attr 파일이 rsw 내에 지정되어 있지 않습니다", "attr 파일 읽기에 실패"}) {
    EXPECT_EQ(result.output.find(stop), std::string::npos);
  }
  for (const char* shot : {"logo", "title", "village", "village_turned", "quit"}) {
    testsupport::RgbImage image;
    ASSERT_TRUE(testsupport::ReadPpm(dir / (std::string(shot) + ".ppm"), &image)) << shot;
    EXPECT_EQ(testsupport::CompareWithGolden(std::string("first_screens_") + shot, image), "");
  }
}

}  // namespace
