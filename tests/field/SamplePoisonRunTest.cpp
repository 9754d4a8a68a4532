// The sample village's wolf battle headless, Maria on tactics: her rose's
// first landed blow poisons a skeleton, the battle script's condition block
// has her say so in the message window, and once the words are answered
// the poisoned skeleton shows poison green.
#include <gtest/gtest.h>

#include "tests/support/SampleBattleRun.h"
#include "tests/support/SampleGameRun.h"

namespace {

TEST(SamplePoisonRun, MariasRosePoisonsASkeletonAndTheBattleScriptSaysSo) {
  using P = testsupport::SampleBattlePasses;
  testsupport::SampleGameRun run;
  // The words wait from a few passes after the blow until their key; some
  // passes after it the poisoned skeleton walks up beside the other one.
  const int words = P::kPoisonWords - 12;
  const int green = P::kPoisonWords + 220;
  const auto result = run.Run(testsupport::SampleBattleScript() + run.Shot(words, "words") +
                              run.Shot(green, "green") + std::to_string(green + 10) + " close\n");
  ASSERT_FALSE(result.timedOut);
  for (const char* shot : {"words", "green"}) {
    EXPECT_EQ(run.CompareShot(shot, std::string("sample_poison_") + shot), "") << shot;
  }
}

}  // namespace
