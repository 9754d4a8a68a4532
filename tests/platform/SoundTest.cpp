#include "platform/Sound.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "platform/MixerVolume.h"
#include "tests/support/WaveFixture.h"

namespace {

using platform::SoundBuffer;
using platform::WaveFormat;
using testsupport::PcmWaveFormat;

// Mono 16-bit samples at the output's rate, so frames map one to one.
std::vector<uint8_t> Mono16(const std::vector<int16_t>& samples) {
  std::vector<uint8_t> bytes;
  for (const int16_t s : samples) {
    bytes.push_back(static_cast<uint8_t>(s & 0xFF));
    bytes.push_back(static_cast<uint8_t>((s >> 8) & 0xFF));
  }
  return bytes;
}

class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(platform::OpenSoundDevice(), platform::S_OK);
    platform::HoldSoundOutput(true);
  }
  void TearDown() override {
    platform::HoldSoundOutput(false);
    platform::CloseSoundDevice();
  }

  std::unique_ptr<SoundBuffer> MakeBuffer(const std::vector<int16_t>& samples) {
    const std::vector<uint8_t> bytes = Mono16(samples);
    std::unique_ptr<SoundBuffer> buffer;
    EXPECT_EQ(SoundBuffer::Create(PcmWaveFormat(1, platform::SoundOutputRate(), 16), bytes.data(),
                                  bytes.size(), &buffer),
              platform::S_OK);
    return buffer;
  }

  // The left channel of the next frames.
  std::vector<float> Pull(size_t frames) {
    std::vector<float> stereo(frames * 2);
    platform::PullSoundFrames(stereo.data(), frames);
    std::vector<float> left(frames);
    for (size_t i = 0; i < frames; ++i) {
      EXPECT_EQ(stereo[i * 2], stereo[i * 2 + 1]);  // mono plays on both channels
      left[i] = stereo[i * 2];
    }
    return left;
  }
};

TEST_F(SoundTest, PlaysOnceToItsEndThenStopsRewound) {
  auto buffer = MakeBuffer(std::vector<int16_t>(1000, 16384));
  ASSERT_TRUE(buffer);
  EXPECT_EQ(buffer->Frames(), 1000u);
  buffer->Play(0);
  EXPECT_TRUE(buffer->IsPlaying());
  std::vector<float> out = Pull(600);
  EXPECT_FLOAT_EQ(out.front(), 0.5f);
  EXPECT_FLOAT_EQ(out.back(), 0.5f);
  EXPECT_TRUE(buffer->IsPlaying());
  out = Pull(600);
  EXPECT_FLOAT_EQ(out[399], 0.5f);
  EXPECT_FLOAT_EQ(out[400], 0.0f);
  EXPECT_FALSE(buffer->IsPlaying());
  buffer->Play(0);  // from the start again
  EXPECT_EQ(Pull(1001)[999], 0.5f);
}

TEST_F(SoundTest, StopKeepsThePositionRewindReturnsToTheStartLoopingWraps) {
  std::vector<int16_t> ramp(100);
  for (int i = 0; i < 100; ++i) ramp[i] = static_cast<int16_t>(i * 256);
  auto buffer = MakeBuffer(ramp);
  buffer->Play(0);
  Pull(10);
  buffer->Stop();
  EXPECT_FALSE(buffer->IsPlaying());
  EXPECT_EQ(Pull(5), std::vector<float>(5, 0.0f));
  buffer->Play(0);
  EXPECT_FLOAT_EQ(Pull(1)[0], 10 * 256 / 32768.0f);
  buffer->Rewind();
  EXPECT_FLOAT_EQ(Pull(1)[0], 0.0f);
  buffer->Rewind();
  buffer->Play(platform::kPlayLooping);
  const std::vector<float> looped = Pull(200);
  EXPECT_FLOAT_EQ(looped[100], looped[0]);
  EXPECT_FLOAT_EQ(looped[101], 1 * 256 / 32768.0f);
  EXPECT_TRUE(buffer->IsPlaying());
}

TEST_F(SoundTest, DuplicatesShareTheDataAndPlayOnTheirOwn) {
  auto first = MakeBuffer(std::vector<int16_t>(100, 8192));
  std::unique_ptr<SoundBuffer> copy;
  ASSERT_EQ(first->Duplicate(&copy), platform::S_OK);
  EXPECT_EQ(copy->Frames(), 100u);
  EXPECT_FALSE(copy->IsPlaying());
  first->Play(0);
  Pull(50);
  copy->Play(0);
  std::vector<float> out = Pull(100);
  EXPECT_FLOAT_EQ(out[0], 0.5f);   // both play
  EXPECT_FLOAT_EQ(out[50], 0.25f);  // the first ended
  EXPECT_FALSE(first->IsPlaying());
  EXPECT_FALSE(copy->IsPlaying());
  first.reset();  // the copy keeps the data
  copy->Play(0);
  EXPECT_FLOAT_EQ(Pull(1)[0], 0.25f);
}

TEST_F(SoundTest, VolumeInHundredthsOfADecibel) {
  auto buffer = MakeBuffer(std::vector<int16_t>(100, 16384));
  const struct {
    int32_t volume;
    float gain;
  } cases[] = {{0, 1.0f}, {-600, 0.501187f}, {-2000, 0.1f}, {-10000, 0.0f}, {-20000, 0.0f}, {500, 1.0f}};
  for (const auto& c : cases) {
    buffer->SetVolume(c.volume);
    buffer->Rewind();
    buffer->Play(0);
    EXPECT_NEAR(Pull(1)[0], 0.5f * c.gain, 1e-5) << c.volume;
  }
}

TEST_F(SoundTest, ConvertsEightBitAndOtherRatesToTheOutput) {
  const std::vector<uint8_t> bytes(2 * 1000, 0xC0);  // stereo, 8-bit unsigned: +0.5
  std::unique_ptr<SoundBuffer> buffer;
  ASSERT_EQ(SoundBuffer::Create(PcmWaveFormat(2, 22050, 8), bytes.data(), bytes.size(), &buffer), platform::S_OK);
  EXPECT_NEAR(static_cast<double>(buffer->Frames()), 2000.0, 8.0);
  buffer->Play(0);
  EXPECT_NEAR(Pull(500)[250], 0.5f, 1e-3);
}

TEST_F(SoundTest, RefusesWhatItCannotPlay) {
  const std::vector<uint8_t> bytes(64, 0);
  const auto withTag = [] {
    WaveFormat f = PcmWaveFormat(1, 22050, 16);
    f.formatTag = 2;
    return f;
  }();
  const auto badAlign = [] {
    WaveFormat f = PcmWaveFormat(2, 22050, 16);
    f.blockAlign = 2;
    return f;
  }();
  const struct {
    WaveFormat format;
    size_t size;
    platform::Result result;
  } cases[] = {
      {withTag, 64, platform::SOUNDERR_BADFORMAT},
      {PcmWaveFormat(3, 22050, 16), 60, platform::SOUNDERR_BADFORMAT},
      {PcmWaveFormat(1, 22050, 24), 60, platform::SOUNDERR_BADFORMAT},
      {PcmWaveFormat(1, 0, 16), 64, platform::SOUNDERR_BADFORMAT},
      {badAlign, 64, platform::SOUNDERR_BADFORMAT},
      {PcmWaveFormat(2, 22050, 16), 3, platform::E_INVALIDARG},  // less than one frame
  };
  for (const auto& c : cases) {
    std::unique_ptr<SoundBuffer> buffer;
    EXPECT_EQ(SoundBuffer::Create(c.format, bytes.data(), c.size, &buffer), c.result);
    EXPECT_FALSE(buffer);
  }
  platform::CloseSoundDevice();
  std::unique_ptr<SoundBuffer> buffer;
  EXPECT_EQ(SoundBuffer::Create(PcmWaveFormat(1, 22050, 16), bytes.data(), 64, &buffer),
            platform::SOUNDERR_UNINITIALIZED);
  ASSERT_EQ(platform::OpenSoundDevice(), platform::S_OK);
}

TEST_F(SoundTest, TheWaveLineOfTheMixerScalesEverySound) {
  const uint32_t mixer = platform::OpenMixer(0);
  ASSERT_NE(mixer, 0u);
  EXPECT_EQ(platform::OpenMixer(1), 0u);
  platform::MixerVolumeControl wave;
  ASSERT_TRUE(platform::FindMixerVolumeControl(mixer, platform::kMixerLineWaveOut, &wave));
  EXPECT_EQ(wave.minimum, 0u);
  EXPECT_EQ(wave.maximum, 65535u);
  platform::MixerVolumeControl none;
  EXPECT_FALSE(platform::FindMixerVolumeControl(mixer, 4100, &none));

  auto buffer = MakeBuffer(std::vector<int16_t>(100, 16384));
  const struct {
    uint32_t value;
    uint32_t stored;
    float level;
  } cases[] = {{32767, 32767, 0.25f}, {0, 0, 0.0f}, {70000, 65535, 0.5f}};
  for (const auto& c : cases) {
    ASSERT_TRUE(platform::SetMixerControlValue(mixer, wave.controlId, c.value));
    uint32_t value = 0;
    ASSERT_TRUE(platform::GetMixerControlValue(mixer, wave.controlId, &value));
    EXPECT_EQ(value, c.stored);
    buffer->Rewind();
    buffer->Play(0);
    EXPECT_NEAR(Pull(1)[0], c.level, 1e-4) << c.value;
  }
  platform::CloseMixer(mixer);
  EXPECT_FALSE(platform::SetMixerControlValue(mixer, wave.controlId, 0));
}

// The one test through the running (dummy) output: what it mixed is what the
// buffer holds.
TEST(SoundOutputTest, MixesAGeneratedWaveThroughTheRunningOutput) {
  ASSERT_EQ(platform::OpenSoundDevice(), platform::S_OK);
  const int rate = platform::SoundOutputRate();
  std::vector<int16_t> tone(rate / 20);  // 50 ms
  for (size_t i = 0; i < tone.size(); ++i) {
    tone[i] = static_cast<int16_t>(16000 * std::sin(2 * M_PI * 441.0 * i / rate));
  }
  const std::vector<uint8_t> bytes = Mono16(tone);
  std::unique_ptr<SoundBuffer> buffer;
  ASSERT_EQ(SoundBuffer::Create(PcmWaveFormat(1, rate, 16), bytes.data(), bytes.size(), &buffer), platform::S_OK);
  platform::StartSoundCapture();
  buffer->Play(0);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (buffer->IsPlaying() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  const std::vector<float> mixed = platform::TakeSoundCapture();
  EXPECT_FALSE(buffer->IsPlaying());
  // Find the tone's start (its first sample is 0, the second is not).
  size_t start = 0;
  while (start < mixed.size() && mixed[start] == 0.0f) start += 2;
  ASSERT_GE(start, 2u);
  start -= 2;
  ASSERT_GE(mixed.size(), start + tone.size() * 2);
  for (size_t i = 0; i < tone.size(); ++i) {
    ASSERT_NEAR(mixed[start + i * 2], tone[i] / 32768.0f, 1e-6) << i;
  }
  buffer.reset();
  platform::CloseSoundDevice();
}

}  // namespace
