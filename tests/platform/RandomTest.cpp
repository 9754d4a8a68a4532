// The game's generator: the old runtime's sequence, and the queue that lets a
// test state the values the next draws give.
#include <gtest/gtest.h>

#include "platform/Random.h"

namespace {

TEST(RandomTest, QueuedValuesComeFirstThenTheGeneratorGoesOnWhereItStood) {
  platform::Srand(1);
  const int first = platform::Rand();
  const int second = platform::Rand();
  EXPECT_EQ(first, 41);  // the old runtime's first value from seed 1
  EXPECT_EQ(second, 18467);

  platform::Srand(1);
  platform::QueueRand({7, 0, 32767});
  EXPECT_EQ(platform::Rand(), 7);
  EXPECT_EQ(platform::Rand(), 0);
  EXPECT_EQ(platform::Rand(), 32767);
  EXPECT_EQ(platform::Rand(), first);
  EXPECT_EQ(platform::Rand(), second);

  platform::QueueRand({5});
  platform::ClearQueuedRand();
  platform::Srand(1);
  EXPECT_EQ(platform::Rand(), first);
}

}  // namespace
