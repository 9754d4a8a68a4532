// The sample village's wolf battle headless under scripted input, fought to
// its end in one run: the opening after its fade, the leader's command menu,
// the battle after the leader's attack with the panels' points after the
// first blows; Maria's rose poisoning a skeleton, the battle script's words
// on it and the skeleton in poison green; the result screen (the wheel
// spinning, stopped on the leader's share with the panel counting, the
// level-up, sizz's new spell, the drop and the money announced) and the
// village again, each against its golden screenshot.
#include <gtest/gtest.h>

#include "tests/support/SampleBattleRun.h"
#include "tests/support/SampleGameRun.h"

namespace {

TEST(SampleBattleRun, ThePartyFightsTheSkeletonsToVictoryAndWalksTheVillageAgain) {
  using P = testsupport::SampleBattlePasses;
  struct Step {
    int pass;
    const char* shot;
  };
  // The poison's words wait from a few passes after the blow until their
  // key; once they are answered the poisoned skeleton shows green.
  const Step steps[] = {{P::kOpened, "battle_opened"},
                        {P::kLeaderMenu, "battle_menu"},
                        {1050, "battle_blows"},
                        {P::kPoisonWords - 12, "poison_words"},
                        {P::kPoisonWords + 20, "poison_green"},
                        {P::kResult, "result_wheel"},
                        {4280, "result_counting"},
                        {4326, "result_level_up"},
                        {4466, "result_skill"},
                        {4486, "result_item"},
                        {4506, "result_money"},
                        {P::kVillage, "battle_village"}};
  testsupport::SampleGameRun run;
  std::string script = testsupport::SampleBattleScript();
  for (const Step& step : steps) script += run.Shot(step.pass, step.shot);
  const auto result = run.Run(script + std::to_string(P::kVillage + 10) + " close\n");
  ASSERT_FALSE(result.timedOut);
  // The set-up found every party member's battle class.
  EXPECT_EQ(result.output.find("unknown actor class \"battle"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("Unknown Command"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("DrawResultNumber"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("ShowBattleResult"), std::string::npos) << result.output;
  for (const Step& step : steps) {
    EXPECT_EQ(run.CompareShot(step.shot, std::string("sample_") + step.shot), "") << step.shot;
  }
}

}  // namespace
