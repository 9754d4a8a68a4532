// The sample village's wolf battle headless under scripted input, fought to
// its end: the opening after its fade, the leader's command menu, the battle
// after the leader's attack with the panels' points after the first blows,
// and the village after the victory, each against its golden screenshot.
#include <gtest/gtest.h>

#include "tests/support/SampleBattleRun.h"
#include "tests/support/SampleGameRun.h"

namespace {

TEST(SampleBattleRun, ThePartyFightsTheSkeletonsToVictoryAndWalksTheVillageAgain) {
  using P = testsupport::SampleBattlePasses;
  testsupport::SampleGameRun run;
  const auto result = run.Run(testsupport::SampleBattleScript() + run.Shot(P::kOpened, "opened") +
                              run.Shot(P::kLeaderMenu, "menu") + run.Shot(1050, "blows") +
                              run.Shot(P::kVillage, "village") + std::to_string(P::kVillage + 10) + " close\n");
  ASSERT_FALSE(result.timedOut);
  // The set-up found every party member's battle class.
  EXPECT_EQ(result.output.find("unknown actor class \"battle"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("Unknown Command"), std::string::npos) << result.output;
  for (const char* shot : {"opened", "menu", "blows", "village"}) {
    EXPECT_EQ(run.CompareShot(shot, std::string("sample_battle_") + shot), "") << shot;
  }
}

}  // namespace
