// The meadow's sage, headless: from the village's "worldgate" box over the
// world map to the meadow, where the leader walks up to the sage and asks
// for light gathering, the magic circle and the fire arrows in turn (his
// answers spawn them through "sysex effect"); each spell is compared with
// its golden screenshot while it plays.
#include <gtest/gtest.h>

#include "tests/support/SampleGameRun.h"

namespace {

namespace sagespellsruntest {
// Up into the village's box; on the world map a click on the meadow (the
// pointer from the middle to (480, 360)). In the meadow the leader walks
// right and up to stand south-east of the sage, facing north, and talks
// (Control). Light gathering is the first answer, the magic circle the
// third, the fire arrows the fourth; each talk starts after the last
// window has closed.
std::string Script() {
  return "480 key up down\n580 key up up\n"
         "620 mouse move 160 120\n"
         "630 mouse left down\n631 mouse left up\n"
         "720 key right down\n737 key right up\n"
         "742 key up down\n754 key up up\n"
         "780 key 17 down\n781 key 17 up\n"
         "820 key enter down\n821 key enter up\n"
         "900 key 17 down\n901 key 17 up\n"
         "940 key down down\n941 key down up\n"
         "943 key down down\n944 key down up\n"
         "946 key enter down\n947 key enter up\n"
         "1040 key 17 down\n1041 key 17 up\n"
         "1080 key down down\n1081 key down up\n"
         "1083 key down down\n1084 key down up\n"
         "1086 key down down\n1087 key down up\n"
         "1089 key enter down\n1090 key enter up\n";
}
}  // namespace sagespellsruntest

TEST(SageSpellsRun, LightGatheringTheMagicCircleAndTheFireArrows) {
  testsupport::SampleGameRun run;
  const auto result =
      run.Run(sagespellsruntest::Script() + run.Shot(840, "light") + run.Shot(975, "circle") + run.Shot(1115, "arrows") + "1120 close\n");
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(result.output.find("Unknown Command"), std::string::npos) << result.output;
  EXPECT_EQ(run.CompareShot("light", "sage_run_light_gathering"), "");
  EXPECT_EQ(run.CompareShot("circle", "sage_run_magic_circle"), "");
  EXPECT_EQ(run.CompareShot("arrows", "sage_run_fire_arrows"), "");
}

}  // namespace
