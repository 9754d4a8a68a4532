// The sample village's wolf battle headless, Maria's skill chosen by the
// keys while the pointer rests on the help line at the foot of the screen:
// the skill sub-menu entered with the right key tells about its row, and
// Enter there still reaches the target cursor, each against its golden
// screenshot.
#include <gtest/gtest.h>

#include "tests/support/SampleBattleRun.h"
#include "tests/support/SampleGameRun.h"

namespace {

TEST(SampleBattleSkillConfirmRun, EnterWithThePointerOnTheHelpLineChoosesTheHighlightedSkill) {
  using testsupport::KeyPresses;
  using testsupport::ShotAt;
  testsupport::SampleBattleOrders orders;
  orders.leaderAgain = {};
  orders.secondAgain = {};
  std::string script = testsupport::SampleBattleScript(orders);
  // Maria's menu, once the leader's words have put the party under command:
  // her skills, into them, down and back up to the first; then the
  // pointer, still in the middle of the screen since the village, moves
  // down onto the help line and rests there before Enter.
  const auto second = testsupport::SampleBattleMoments::kLeaderAgain;
  script += KeyPresses(second, {"t", "right"});
  const auto entered = second + 10;
  script += KeyPresses(second + 12, {"down", "up"});
  const auto parked = second + 30;
  script += parked.Text() + " mouse move 0 200\n";
  const auto resting = parked + 20;
  script += KeyPresses(resting + 2, {"enter"});
  const auto target = resting + 20;
  testsupport::SampleGameRun run;
  const auto result = run.Run(script + ShotAt(entered, "skill_entered") + ShotAt(resting, "skill_resting") +
                              ShotAt(target, "skill_target") + (target + 10).Text() + " close\n");
  ASSERT_FALSE(result.timedOut);
  for (const char* shot : {"skill_entered", "skill_resting", "skill_target"}) {
    EXPECT_EQ(run.CompareShot(shot, std::string("sample_battle_") + shot), "") << shot;
  }
}

}  // namespace
