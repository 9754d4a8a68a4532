// The game as a player first meets it, run headless on the sample game
// folder with scripted input: the logo, a click to the title, new game in
// the sample village, and Escape there. The logo, the title and the
// village, once it has faded in, are compared with their golden
// screenshots.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "tests/support/GoldenImage.h"
#include "tests/support/TestSupport.h"

namespace {

std::string GameFolder() { return (testsupport::BinaryDir() / "game").string(); }

// Pass numbers count the frame loops' passes. The first picture shows in
// full from tick 50 to 100. The logo sees a click only on a pass it draws,
// and a busy machine skips drawing on some passes: clicks go on at uneven
// intervals until one lands (later ones fall outside the title's menu).
// The pointer then rests on the first entry, and the title has long
// finished fading in by pass 400. The title draws every pass, and presents
// keep the display's pace (60 a second headless): its 60 passes between the
// two title screenshots take at least 0.8 s. The village fades in over its
// first 26 drawn passes and its camera rests where the player starts.
// Escape ends the program in the game frame, not in the logo or the title;
// the last screenshot is never taken when it does. A loaded machine skips
// drawing on many passes: the village has a thousand passes to fade in.
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
         "1400 screenshot " + shots + "village.ppm\n"
         "1450 key esc down\n"
         "2100 screenshot " + shots + "late.ppm\n"
         "2200 close\n";
}

TEST(LogoAndTitleRun, LogoClickTitleNewGameAndEscape) {
  testsupport::TempDir dir;
  const std::map<std::string, std::string> env{{"SLV_LOCK_DIR", dir.Path().string()},
                                               {"SLV_REGISTRY", GameFolder() + "/registry.ini"},
                                               {"SLV_NO_PRESENT_WAIT", "0"},
                                               {"SLV_INPUT_SCRIPT", dir.Write("input.txt", Script(dir.Path())).string()},
                                               {"SLV_DEBUGLOG", "1"}};
  const auto result = testsupport::RunProgram({GameFolder() + "/slvexe"}, env, 100000, GameFolder());
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_FALSE(std::filesystem::exists(dir / "late.ppm")) << "Escape did not end the game frame";
  const auto titlePace = std::filesystem::last_write_time(dir / "title.ppm") -
                         std::filesystem::last_write_time(dir / "title-early.ppm");
  EXPECT_GE(std::chrono::duration<double>(titlePace).count(), 0.8) << "presents are not paced";
  // The village loads whole.
  for (const char* stop : {"rsw 파일 읽기에 실패", "scr 파일이 rsw 내에 지정되어있지 않습니다", "scr 파일 읽기에 실패",
                           "gnd 파일이 rsw 내에 지정되어 있지 않습니다", "ground 파일 읽기에 실패",
                           "attr 파일이 rsw 내에 지정되어 있지 않습니다", "attr 파일 읽기에 실패"}) {
    EXPECT_EQ(result.output.find(stop), std::string::npos);
  }
  for (const char* shot : {"logo", "title", "village"}) {
    testsupport::RgbImage image;
    ASSERT_TRUE(testsupport::ReadPpm(dir / (std::string(shot) + ".ppm"), &image)) << shot;
    EXPECT_EQ(testsupport::CompareWithGolden(std::string("first_screens_") + shot, image), "");
  }
}

}  // namespace
