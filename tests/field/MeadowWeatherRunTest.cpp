// The meadow's weather, headless: from the village's "worldgate" box over
// the world map to the meadow, whose start script sets its fog; the leader
// walks west through the boxes that start the rain, darken the sky, bring
// the party out of a cellar's black and start a race against the clock.
#include <gtest/gtest.h>

#include "tests/support/SampleGameRun.h"

namespace {

namespace meadowweatherruntest {
// Up into the village's box; on the world map a click on the meadow. In the
// meadow the leader walks west from pass 720. The countdown is shot on the
// pass the race begins, the one pass whose time left does not hang on how
// fast the run goes.
std::string Script() {
  return "480 key up down\n580 key up up\n"
         "620 mouse move 160 120\n"
         "630 mouse left down\n631 mouse left up\n"
         "720 key left down\n870 key left up\n";
}
}  // namespace meadowweatherruntest

TEST(MeadowWeatherRun, RainInTheFogADarkSkyAndACountdown) {
  testsupport::SampleGameRun run;
  const auto result = run.Run(meadowweatherruntest::Script() + run.Shot(760, "rain") + run.Shot(805, "dark") +
                              run.Shot(853, "countdown") + "875 close\n");
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(result.output.find("Unknown Command"), std::string::npos) << result.output;
  EXPECT_EQ(run.CompareShot("rain", "meadow_weather_rain_fog"), "");
  EXPECT_EQ(run.CompareShot("dark", "meadow_weather_dark"), "");
  EXPECT_EQ(run.CompareShot("countdown", "meadow_weather_countdown"), "");
}

}  // namespace
