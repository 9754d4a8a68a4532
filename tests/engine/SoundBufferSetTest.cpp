#include "engine/SoundBufferSet.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/SoundDevice.h"
#include "tests/support/WaveFixture.h"

namespace {

// The output is held: what plays stays playing until the test pulls frames.
class SoundBufferSetTest : public ::testing::Test {
 protected:
  SoundBufferSetTest() {
    EXPECT_TRUE(InitDirectSound());
    platform::HoldSoundOutput(true);
  }
  ~SoundBufferSetTest() override {
    m_set.Release();
    platform::HoldSoundOutput(false);
    ReleaseDirectSound();
  }

  // Which slots hold a buffer (B), which of them play (P): "PPB__".
  std::string Slots() const {
    std::string s;
    for (int i = 0; i < CSoundBufferSet::kSlots; ++i) {
      const platform::SoundBuffer* b = m_set.GetBuffer(i);
      s += b == nullptr ? '_' : b->IsPlaying() ? 'P' : 'B';
    }
    return s;
  }
  void PullFrames(size_t frames) {
    std::vector<float> out(frames * 2);
    platform::PullSoundFrames(out.data(), frames);
  }

  // 1000 frames at the output's rate.
  std::vector<uint8_t> m_pcm = std::vector<uint8_t>(2000, 0x10);
  CSoundBufferSet m_set;
};

TEST_F(SoundBufferSetTest, OverlappingPlaysUseFiveCopiesAndTheSixthDoesNothing) {
  ASSERT_TRUE(m_set.Create(2000, m_pcm.data(), testsupport::PcmWaveFormat(1, 44100, 16)));
  EXPECT_EQ(Slots(), "B____");
  const char* expected[] = {"P____", "PP___", "PPP__", "PPPP_", "PPPPP", "PPPPP"};
  for (const char* e : expected) {
    m_set.Play(0);
    EXPECT_EQ(Slots(), e);
  }
  PullFrames(1000);  // all five end together
  EXPECT_EQ(Slots(), "BBBBB");
  m_set.Play(0);  // the first free copy again
  EXPECT_EQ(Slots(), "PBBBB");
  PullFrames(500);
  m_set.Play(0);
  EXPECT_EQ(Slots(), "PPBBB");
  PullFrames(500);  // slot 0 ends; slot 1 plays on from its own start
  EXPECT_EQ(Slots(), "BPBBB");
  m_set.Play(0);
  EXPECT_EQ(Slots(), "PPBBB");
}

TEST_F(SoundBufferSetTest, APlayStartsRewoundAtFullVolume) {
  ASSERT_TRUE(m_set.Create(2000, m_pcm.data(), testsupport::PcmWaveFormat(1, 44100, 16)));
  platform::SoundBuffer* first = m_set.GetBuffer(0);
  first->SetVolume(platform::kVolumeMin);
  first->Play(0);
  PullFrames(900);
  first->Stop();  // 100 frames left
  m_set.Play(0);
  std::vector<float> out(2 * 200);
  platform::PullSoundFrames(out.data(), 200);
  EXPECT_FLOAT_EQ(out[0], 0x1010 / 32768.0f);
  EXPECT_FLOAT_EQ(out[2 * 150], 0x1010 / 32768.0f);  // past where it stood
}

TEST_F(SoundBufferSetTest, StopAllStopsAndRewindsEveryCopy) {
  ASSERT_TRUE(m_set.Create(2000, m_pcm.data(), testsupport::PcmWaveFormat(1, 44100, 16)));
  m_set.Play(0);
  m_set.Play(0);
  PullFrames(600);
  m_set.StopAll();
  EXPECT_EQ(Slots(), "BB___");
  m_set.GetBuffer(1)->Play(0);
  PullFrames(600);  // played from the start, so still playing
  EXPECT_EQ(Slots(), "BP___");
}

TEST_F(SoundBufferSetTest, WithoutItsFirstBufferASetPlaysNothing) {
  platform::WaveFormat bad = testsupport::PcmWaveFormat(1, 44100, 16);
  bad.formatTag = 0x55;
  EXPECT_FALSE(m_set.Create(2000, m_pcm.data(), bad));
  m_set.Play(0);
  m_set.StopAll();
  EXPECT_EQ(Slots(), "_____");
}

}  // namespace
