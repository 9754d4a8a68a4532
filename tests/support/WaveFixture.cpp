#include "tests/support/WaveFixture.h"

namespace testsupport {

platform::WaveFormat PcmWaveFormat(int channels, int rate, int bits) {
  platform::WaveFormat f;
  f.formatTag = platform::kWaveFormatPcm;
  f.channels = static_cast<uint16_t>(channels);
  f.samplesPerSec = static_cast<uint32_t>(rate);
  f.bitsPerSample = static_cast<uint16_t>(bits);
  f.blockAlign = static_cast<uint16_t>(channels * bits / 8);
  f.avgBytesPerSec = f.samplesPerSec * f.blockAlign;
  return f;
}

std::vector<int16_t> ConstantSamples(size_t frames, int channels, int16_t value) {
  return std::vector<int16_t>(frames * channels, value);
}

}  // namespace testsupport
