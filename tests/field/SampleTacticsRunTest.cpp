// The sample village's wolf battle headless with the leader put on the
// second preset after its first attack: nobody waits in a menu again, the
// hurt skeletons fight by their bands and the battle ends by itself; the
// battle with a skeleton at a third of its points and the village after the
// victory, each against its golden screenshot.
#include <gtest/gtest.h>

#include "tests/support/SampleBattleRun.h"
#include "tests/support/SampleGameRun.h"

namespace {

TEST(SampleTacticsRun, TheLeaderOnTheSecondPresetFightsOnByItselfToVictory) {
  testsupport::SampleBattleOrders orders;
  orders.leaderAgain = {"u", "right", "down", "enter"};  // "공격우선", the second row
  testsupport::SampleGameRun run;
  const auto result = run.Run(testsupport::SampleBattleScript(orders) + run.Shot(2970, "battle") +
                              run.Shot(3900, "village") + "3910 close\n");
  ASSERT_FALSE(result.timedOut);
  for (const char* text :
       {"이런..", "Invalid tacticsId 라네", "Invalid Tactics.............", "Invalid enemy Tactics............."}) {
    EXPECT_EQ(result.output.find(text), std::string::npos) << text;
  }
  for (const char* shot : {"battle", "village"}) {
    EXPECT_EQ(run.CompareShot(shot, std::string("sample_tactics_") + shot), "") << shot;
  }
}

}  // namespace
