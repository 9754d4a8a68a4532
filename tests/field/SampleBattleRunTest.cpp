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
  using M = testsupport::SampleBattleMoments;
  using testsupport::Moment;
  struct Step {
    Moment at;
    const char* shot;
  };
  // The poison's words wait from a few passes after the blow until their
  // key; once they are answered the poisoned skeleton shows green.
  const Step steps[] = {{M::kOpened, "battle_opened"},
                        {M::kLeaderMenu, "battle_menu"},
                        {M::kLeaderMenu + 50, "battle_blows"},
                        {M::kPoisonWords + -12, "poison_words"},
                        {M::kPoisonWords + 20, "poison_green"},
                        {M::kResult, "result_wheel"},
                        {M::kResult + 70, "result_counting"},
                        {M::kResult + 116, "result_level_up"},
                        {M::kResult + 256, "result_skill"},
                        {M::kResult + 276, "result_item"},
                        {M::kResult + 296, "result_money"},
                        {M::kVillage, "battle_village"}};
  testsupport::SampleGameRun run;
  std::string script = testsupport::SampleBattleScript();
  for (const Step& step : steps) script += testsupport::ShotAt(step.at, step.shot);
  const auto result = run.Run(script + (M::kVillage + 10).Text() + " close\n");
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
