// The sample village's wolf battle headless with the leader aiming through
// the target cursor: the cursor stepped onto the second skeleton, the
// digits rising after the blow, and the second member's sage herb refused
// while nobody has fallen, each against its golden screenshot.
#include <gtest/gtest.h>

#include "tests/support/SampleBattleRun.h"
#include "tests/support/SampleGameRun.h"

namespace {

TEST(SampleBattleAimRun, TheLeaderAimsAtTheSecondSkeletonAndTheSageFindsNobodyFallen) {
  using P = testsupport::SampleBattlePasses;
  using testsupport::KeyPresses;
  testsupport::SampleBattleOrders orders;
  orders.leader = {"a", "down", "enter"};
  orders.second = {};
  orders.words.clear();
  orders.leaderAgain = {};
  std::string script = testsupport::SampleBattleScript(orders);
  // Maria's rose lands with the leader's blow and the battle script's words
  // on the poison wait for their key; then the second member opens the
  // items, turns to the restoring page and picks the sage herb.
  const int words = P::kLeaderOrder + 90;
  const int second = words + 40;  // a little after its menu opens
  script += KeyPresses(words, {"enter"});
  script += KeyPresses(second, {"i", "right", "right", "right", "right", "down", "enter"});
  testsupport::SampleGameRun run;
  const int cursor = P::kLeaderOrder + 10;
  const int digits = P::kLeaderOrder + 40;  // the blow has landed
  const int sage = second + 50;
  const auto result = run.Run(script + run.Shot(cursor, "cursor") + run.Shot(digits, "digits") +
                              run.Shot(sage, "sage") + std::to_string(sage + 10) + " close\n");
  ASSERT_FALSE(result.timedOut);
  for (const char* shot : {"cursor", "digits", "sage"}) {
    EXPECT_EQ(run.CompareShot(shot, std::string("sample_battle_aim_") + shot), "") << shot;
  }
}

}  // namespace
