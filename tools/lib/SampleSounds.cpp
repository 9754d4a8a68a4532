#include "tools/lib/SampleSounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <numbers>

#include "tools/lib/WaveWriter.h"

namespace slvtools {

namespace {

constexpr int kRate = 22050;

// A fixed noise source, so the files come out the same on every build.
class Noise {
 public:
  double Next() {
    m_state = m_state * 1103515245u + 12345u;
    return static_cast<double>((m_state >> 8) & 0xFFFF) / 32768.0 - 1.0;
  }

 private:
  uint32_t m_state = 20261210u;
};

int16_t Sample(double v) { return static_cast<int16_t>(std::clamp(v, -1.0, 1.0) * 32000.0); }

// Wing beats: bursts of soft noise, fourteen a second, dying away.
std::vector<int16_t> Flutter() {
  Noise noise;
  const int count = kRate * 45 / 100;
  std::vector<int16_t> samples;
  double low = 0.0;
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double beat = std::pow(std::sin(std::numbers::pi * 14.0 * t), 2.0);
    low += 0.35 * (noise.Next() - low);
    samples.push_back(Sample(low * beat * std::exp(-4.0 * t) * 1.6));
  }
  return samples;
}

// Running water: two seconds of murmuring noise with a slow swell; its ends
// meet so it loops without a click.
std::vector<int16_t> Water() {
  Noise noise;
  const int count = kRate * 2;
  std::vector<int16_t> samples;
  double low = 0.0, band = 0.0;
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / count;
    low += 0.2 * (noise.Next() - low);
    band += 0.5 * (low - band);
    const double swell = 0.7 + 0.3 * std::sin(2.0 * std::numbers::pi * 3.0 * t);
    samples.push_back(Sample((low - band) * swell * 2.5));
  }
  // The last twentieth fades into the first, which the loop then skips.
  const int overlap = count / 20;
  std::vector<int16_t> loop(samples.begin() + overlap, samples.end());
  for (int i = 0; i < overlap; ++i) {
    const double w = static_cast<double>(i) / overlap;
    const auto k = loop.size() - static_cast<size_t>(overlap - i);
    loop[k] = static_cast<int16_t>(loop[k] * (1.0 - w) + samples[static_cast<size_t>(i)] * w);
  }
  return loop;
}

// A counter's tick: a short rising blip.
std::vector<int16_t> Tick() {
  const int count = kRate * 4 / 100;
  std::vector<int16_t> samples;
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double pitch = 1400.0 + 6000.0 * t;
    samples.push_back(Sample(0.35 * std::sin(2.0 * std::numbers::pi * pitch * t) * std::exp(-60.0 * t)));
  }
  return samples;
}

// Coins into a strongbox: bright pings, one after another, each dying away.
std::vector<int16_t> Coins() {
  const int count = kRate * 7 / 10;
  constexpr double kStarts[] = {0.0, 0.07, 0.15, 0.21, 0.3};
  constexpr double kPitches[] = {2600.0, 3100.0, 2800.0, 3500.0, 3000.0};
  std::vector<int16_t> samples;
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kRate;
    double v = 0.0;
    for (size_t k = 0; k < std::size(kStarts); ++k) {
      const double u = t - kStarts[k];
      if (u < 0.0) continue;
      v += 0.25 * std::exp(-14.0 * u) * (std::sin(2.0 * std::numbers::pi * kPitches[k] * u) + 0.4 * std::sin(2.0 * std::numbers::pi * kPitches[k] * 2.7 * u));
    }
    samples.push_back(Sample(v));
  }
  return samples;
}

}  // namespace

void BuildSampleSounds(std::vector<DataFile>* out) {
  out->push_back({"wav\\푸드덕.wav", PcmWaveFile(Flutter(), 1, kRate)});
  out->push_back({"wav\\물소리.wav", PcmWaveFile(Water(), 1, kRate)});
  out->push_back({"wav\\숫자오름.wav", PcmWaveFile(Tick(), 1, kRate)});
  out->push_back({"wav\\금고.wav", PcmWaveFile(Coins(), 1, kRate)});
}

}  // namespace slvtools
