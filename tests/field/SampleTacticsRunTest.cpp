// The sample village's wolf battle headless with the leader put on the
// second preset after its first attack, and again when an answer to the
// battle's words has called for manual command: the hurt skeletons fight
// by their bands and the battle ends by itself; the
// battle once the first skeleton has fallen and the village after the
// victory, each against its golden screenshot.
#include <gtest/gtest.h>

#include "tests/support/SampleBattleRun.h"
#include "tests/support/SampleGameRun.h"

namespace {

TEST(SampleTacticsRun, TheLeaderOnTheSecondPresetFightsOnByItselfToVictory) {
  testsupport::SampleBattleOrders orders;
  orders.leaderAgain = {"u", "right", "down", "enter"};  // "공격우선", the second row
  // The wheel is stopped a little later than in the default run; both
  // members level up and sizz's new spell is announced, so two more presses
  // lead back to the village.
  orders.resultPresses = {23, 283, 303, 323, 343, 363};
  orders.poisonWordsAfter = 792;
  testsupport::SampleGameRun run;
  using testsupport::ShotAt;
  const testsupport::Moment fallen{"words/2", 1150};  // the first skeleton is down
  const testsupport::Moment village{"result", 421};
  const auto result = run.Run(testsupport::SampleBattleScript(orders) + ShotAt(fallen, "battle") +
                              ShotAt(village, "village") + (village + 10).Text() + " close\n");
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
