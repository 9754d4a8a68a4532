// The sample village's wolf battle headless with the leader aiming through
// the target cursor: the cursor stepped onto the second skeleton, the
// digits rising after the blow, and the second member's sage herb refused
// while nobody has fallen, each against its golden screenshot.
#include <gtest/gtest.h>

#include "tests/support/SampleBattleRun.h"
#include "tests/support/SampleGameRun.h"

namespace {

TEST(SampleBattleAimRun, TheLeaderAimsAtTheSecondSkeletonAndTheSageFindsNobodyFallen) {
  using M = testsupport::SampleBattleMoments;
  using testsupport::KeyPresses;
  using testsupport::ShotAt;
  testsupport::SampleBattleOrders orders;
  orders.leader = {"a", "down", "enter"};
  orders.second = {};
  orders.words.clear();
  orders.leaderAgain = {};
  std::string script = testsupport::SampleBattleScript(orders);
  // Maria's rose lands with the leader's blow and the battle script's words
  // on the poison wait for their key; then the second member opens the
  // items, turns to the restoring page and picks the sage herb.
  const testsupport::Moment words{"words", 62};
  const testsupport::Moment second{"menu/2", 13};  // a little after its menu opens
  script += KeyPresses(words, {"enter"});
  script += KeyPresses(second, {"i", "right", "right", "right", "right", "down", "enter"});
  testsupport::SampleGameRun run;
  const auto cursor = M::kLeaderOrder + 10;
  const auto digits = M::kLeaderOrder + 40;  // the blow has landed
  const auto sage = second + 50;
  const auto result = run.Run(script + ShotAt(cursor, "cursor") + testsupport::TextCheckAt(cursor + 1, "battle_target") + ShotAt(digits, "digits") + ShotAt(sage, "sage") +
                              (sage + 10).Text() + " close\n");
  ASSERT_FALSE(result.timedOut);
  for (const char* shot : {"cursor", "digits", "sage"}) {
    EXPECT_EQ(run.CompareShot(shot, std::string("sample_battle_aim_") + shot), "") << shot;
  }
  EXPECT_EQ(run.UnreadTexts("battle_target"), "");
}

}  // namespace
