#include "tests/support/MovieFixture.h"

#include <vector>

namespace testsupport {

uint16_t MoviePixel(int frame, int x, int y) {
  const int red = x & 31;
  const int green = y & 63;
  const int blue = ((x >> 5) * 3 + frame) & 31;
  return static_cast<uint16_t>(red << 11 | green << 5 | blue);
}

bool WriteMovieClip(const std::filesystem::path& path, const MovieClip& clip) {
  platform::AviVideoFormat video;
  video.width = clip.width;
  video.height = clip.height;
  video.rate = clip.rate;
  video.scale = clip.scale;
  video.codec = clip.codec;
  video.codecTag = clip.codecTag;
  platform::AviAudioFormat audio;
  audio.sampleRate = clip.audioRate;
  auto writer = platform::AviWriter::Create(path.string(), video, audio);
  if (writer == nullptr) return false;
  std::vector<uint16_t> pixels(static_cast<size_t>(clip.width) * clip.height);
  const size_t samplesPerFrame = clip.audioRate > 0 ? clip.audioRate * clip.scale / clip.rate : 0;
  std::vector<int16_t> samples(samplesPerFrame);
  for (int f = 0; f < clip.frames; ++f) {
    for (int y = 0; y < clip.height; ++y) {
      for (int x = 0; x < clip.width; ++x) pixels[static_cast<size_t>(y) * clip.width + x] = MoviePixel(f, x, y);
    }
    if (!writer->AddFrame(pixels.data(), clip.width)) return false;
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int16_t>((i % 40) < 20 ? 800 : -800);
    if (!samples.empty() && !writer->AddAudio(samples.data(), samples.size())) return false;
  }
  return writer->Finish();
}

}  // namespace testsupport
