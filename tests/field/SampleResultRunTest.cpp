// The sample's wolf battle won headless, then its result screen: the wheel
// spinning, stopped with the panels counting, the level-up panel, sizz's
// new spell, the two drops and the money announced, and the village again,
// each against its golden screenshot.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/SampleBattleRun.h"
#include "tests/support/SampleGameRun.h"

namespace {

TEST(SampleResultRun, TheWonBattleSharesItsExperienceAndReturnsToTheVillage) {
  testsupport::SampleGameRun run;
  struct Step {
    int pass;
    const char* shot;
  };
  using P = testsupport::SampleBattlePasses;
  const Step steps[] = {{P::kResult, "wheel"}, {3560, "counting"}, {3700, "level_up"}, {3720, "skill"},
                        {3740, "item"},        {3760, "item2"},    {3780, "money"},    {P::kVillage, "village"}};
  std::string script = testsupport::SampleBattleScript();
  for (const Step& step : steps) script += run.Shot(step.pass, step.shot);
  const auto result = run.Run(script + std::to_string(P::kVillage + 10) + " close\n");
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.output.find("DrawResultNumber"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("ShowBattleResult"), std::string::npos) << result.output;
  for (const Step& step : steps) {
    EXPECT_EQ(run.CompareShot(step.shot, std::string("sample_result_") + step.shot), "") << step.shot;
  }
}

}  // namespace
