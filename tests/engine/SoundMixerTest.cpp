#include <gtest/gtest.h>

#include "engine/Mixer.h"
#include "platform/MixerVolume.h"

namespace {

TEST(SoundMixerTest, SetVolumeScalesTheControlsRange) {
  CMixer mixer;
  ASSERT_TRUE(mixer.Open(platform::kMixerLineWaveOut));
  const struct {
    uint32_t numerator, denominator, value;
  } cases[] = {{1, 2, 32767}, {0, 280, 0}, {280, 280, 65535}, {3, 4, 49151}, {140, 280, 32767},
               {5, 0, 32767}};  // a zero denominator changes nothing
  for (const auto& c : cases) {
    mixer.SetVolume(c.numerator, c.denominator);
    EXPECT_EQ(mixer.GetVolume(), c.value) << c.numerator << "/" << c.denominator;
  }
  mixer.SetVolume(1, 1);
  mixer.Close();
}

TEST(SoundMixerTest, TheTwoLinesAreSeparateAndOtherComponentsHaveNone) {
  CMixer music, effects, other;
  ASSERT_TRUE(music.Open(platform::kMixerLineCompactDisc));
  ASSERT_TRUE(effects.Open(platform::kMixerLineWaveOut));
  EXPECT_FALSE(other.Open(4103));
  music.SetVolume(1, 4);
  effects.SetVolume(1, 1);
  EXPECT_EQ(music.GetVolume(), 16383u);
  EXPECT_EQ(effects.GetVolume(), 65535u);
  music.SetVolume(1, 1);
}

}  // namespace
