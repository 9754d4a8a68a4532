// The world map, headless: the leader walks from the village into its
// "worldgate" box; the world map, and the pointer on the village (its hover
// picture, label and flag) are compared with their golden screenshots;
// Escape asks whether to quit and "no" stays. A click on the meadow takes
// the party there; F5 raises its overhead view (a golden screenshot), F9
// for one pass keeps "screenshot/screen00000.bmp", a click brings the
// camera back; the meadow's box leads out to the world map again, where
// Escape and "yes" lead to the title.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/SampleGameRun.h"

namespace {

namespace worldmapruntest {
// Pointer positions: the world map and the meadow start with it at
// (320, 240); then the quit picture's "no" at (530, 365), the village at
// (160, 120), the meadow at (480, 360); on the second visit the quit
// picture's "yes" at (467, 377). The leader reaches
// the box, 75 units south of the crossing, before pass 570. In the meadow
// the leader walks a little away from its box before the view rises; it has risen long
// before pass 940 and a click ends it. The leader then walks back north
// into the meadow's own box; the world map shows the leader on the meadow.
// The title's pointer rests on its first entry as in the first-screens run.
std::string Script() {
  return testsupport::NewGameScript() +
         "480 key up down\n580 key up up\n"
         "590 screenshot @worldmap.ppm\n"
         "600 key esc down\n603 key esc up\n"
         "625 mouse move 210 125\n"
         "630 screenshot @quit.ppm\n"
         "640 mouse left down\n641 mouse left up\n"
         "650 mouse move -370 -250\n"
         "670 screenshot @village.ppm\n"
         "671 textcheck @world_map.txt\n"
         "680 mouse move 320 240\n"
         "690 mouse left down\n691 mouse left up\n"
         "760 key up down\n820 key up up\n"
         "830 key f5 down\n831 key f5 up\n"
         "940 screenshot @overhead.ppm\n"
         "950 key f9 down\n951 key f9 up\n"
         "980 mouse left down\n981 mouse left up\n"
         "1060 key down down\n1160 key down up\n"
         "1170 screenshot @worldmap2.ppm\n"
         "1180 key esc down\n1183 key esc up\n"
         "1190 mouse move 147 137\n"
         "1200 mouse left down\n1201 mouse left up\n"
         "1250 mouse move -147 -72\n"
         "1350 textcheck @title.txt\n"
         "1360 screenshot @title.ppm\n"
         "1361 close\n";
}
}  // namespace worldmapruntest

TEST(WorldMapRun, FromTheVillageGateOverTheWorldMapToTheMeadowAndTheTitle) {
  testsupport::TempDir dir;
  const auto result = testsupport::RunSampleGame(dir, worldmapruntest::Script());
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  const struct {
    const char* shot;
    const char* golden;
  } shots[] = {{"worldmap", "worldmap_run_map"},          {"quit", "worldmap_run_quit"},
               {"village", "worldmap_run_village"},
               {"overhead", "worldmap_run_meadow_overhead"}, {"worldmap2", "worldmap_run_from_meadow"},
               {"title", "first_screens_title"}};
  for (const auto& s : shots) EXPECT_EQ(testsupport::CompareShot(dir, s.shot, s.golden), "") << s.shot;
  for (const char* check : {"world_map", "title"}) EXPECT_EQ(testsupport::UnreadTexts(dir, check), "") << check;
  const std::filesystem::path screenshots = testsupport::RunFolder(dir) / "screenshot";
  EXPECT_EQ(std::filesystem::file_size(screenshots / "screen00000.bmp"), 921654u);
  EXPECT_FALSE(std::filesystem::exists(screenshots / "screen00001.bmp"));
  std::filesystem::remove_all(screenshots);
}

}  // namespace
