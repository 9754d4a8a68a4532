// The sample village's shop and save stone headless under scripted input:
// five leather caps bought from the shopkeeper, the game saved at the stone,
// and loaded again from the title by its slot and picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/GoldenImage.h"
#include "tests/support/SampleGameRun.h"

namespace {

namespace fs = std::filesystem;

namespace shopsaveruntest {
// The pointer to (x, y) of the 640 x 480 view: to the corner, then across.
std::string Point(int pass, int x, int y) {
  return std::to_string(pass) + " mouse move -4000 -4000\n" + std::to_string(pass + 1) + " mouse move " +
         std::to_string(x) + " " + std::to_string(y) + "\n";
}

std::string Click(int pass, int x, int y, const char* button = "left") {
  return Point(pass, x, y) + std::to_string(pass + 3) + " mouse " + button + " down\n" + std::to_string(pass + 4) +
         " mouse " + button + " up\n";
}
}  // namespace shopsaveruntest

// The slot list against its golden image with the row's play time blanked,
// so the picture does not pin how many passes the run took to get there.
std::string CompareSlotShot(const testsupport::TempDir& dir) {
  testsupport::RgbImage image;
  if (!testsupport::ReadPpm(dir / "slot.ppm", &image)) return "no screenshot slot";
  for (int y = 112; y < 142 && y < image.height; ++y) {
    for (int x = 500; x < 600 && x < image.width; ++x) {
      for (int c = 0; c < 3; ++c) image.rgb[static_cast<size_t>((y * image.width + x) * 3 + c)] = 0;
    }
  }
  return testsupport::CompareWithGolden("load_slot", image);
}

TEST(ShopSaveRun, BuyFiveSaveAtTheStoneAndLoadFromTheTitle) {
  testsupport::TempDir dir;
  std::string script = testsupport::NewGameScript();
  // West along the path to the shopkeeper; the action key talks to him.
  script += "480 key left down\n562 key left up\n566 key 17 down\n567 key 17 up\n";
  // "투 구", its first row (the leather cap, 40), five through its menu: the
  // 350 the party has pay for them.
  script += shopsaveruntest::Click(600, 40, 286) + shopsaveruntest::Click(620, 100, 66) +
            shopsaveruntest::Click(640, 100, 66, "right") + shopsaveruntest::Click(660, 140, 82);
  script += "690 screenshot @basket.ppm\n" + shopsaveruntest::Point(692, 310, 5) + testsupport::TextCheck(695, "shop");
  // OK, then Close.
  script += shopsaveruntest::Click(700, 500, 345) + shopsaveruntest::Click(730, 600, 345);
  // Up to the stone; the action key opens the save screen: "Save", "YES",
  // then "Close".
  script += "760 key up down\n775 key up up\n780 key 17 down\n781 key 17 up\n";
  // Every text of the screen, of its question and of the list after the save
  // can be read, the pointer away from them.
  script += shopsaveruntest::Point(800, 270, 60) + testsupport::TextCheck(805, "save") + shopsaveruntest::Click(820, 460, 450);
  script += shopsaveruntest::Point(830, 270, 60) + testsupport::TextCheck(835, "save_question") + shopsaveruntest::Click(850, 305, 210);
  script += shopsaveruntest::Point(860, 270, 60) + testsupport::TextCheck(865, "save_list") + shopsaveruntest::Click(880, 560, 450);
  // Escape, "yes" to quit; the title's second entry opens the load screen.
  script += "910 key esc down\n913 key esc up\n" + shopsaveruntest::Click(920, 465, 378) + shopsaveruntest::Click(1000, 330, 328);
  // The slot, "Load", "YES".
  script += shopsaveruntest::Click(1040, 400, 125) + "1060 screenshot @slot.ppm\n" + shopsaveruntest::Point(1062, 270, 60) +
            testsupport::TextCheck(1065, "load") + shopsaveruntest::Click(1070, 460, 450) + shopsaveruntest::Click(1090, 300, 185);
  script += "1400 screenshot @loaded.ppm\n1410 close\n";
  const auto result = testsupport::RunSampleGame(dir, script);
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(testsupport::CompareShot(dir, "basket", "shop_basket"), "");
  EXPECT_EQ(CompareSlotShot(dir), "");
  EXPECT_EQ(testsupport::CompareShot(dir, "loaded", "load_village"), "");
  for (const char* check : {"shop", "save", "save_question", "save_list", "load"}) {
    EXPECT_EQ(testsupport::UnreadTexts(dir, check), "") << check;
  }

  // The index, the session image and its picture, named by the play time.
  const fs::path saves = testsupport::RunFolder(dir) / "Save";
  EXPECT_TRUE(fs::exists(saves / "index.sav"));
  int images = 0;
  for (const auto& entry : fs::directory_iterator(saves)) {
    if (entry.path().extension() == ".sav" && entry.path().filename() != "index.sav") {
      ++images;
      fs::path picture = entry.path();
      picture.replace_extension(".srs");
      ASSERT_TRUE(fs::exists(picture)) << picture;
      EXPECT_EQ(fs::file_size(picture), 118800u);
    }
  }
  EXPECT_EQ(images, 1);
  EXPECT_EQ(result.output.find("Unknown Command"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("잘못된 형식"), std::string::npos) << result.output;
}

}  // namespace
