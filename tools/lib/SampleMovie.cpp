#include "tools/lib/SampleMovie.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/AviWriter.h"
#include "tools/lib/Canvas.h"

namespace slvtools {
namespace {

constexpr int kW = kSampleMovieWidth;
constexpr int kH = kSampleMovieHeight;
constexpr int kHorizon = 160;
constexpr int kFadeFrames = 15;
constexpr float kMoonX = 288;
constexpr int kAudioRate = 11025;
constexpr int kSamplesPerFrame = kAudioRate / kSampleMovieRate;

// Sky, far hills and the lake: the same behind every frame.
RgbaImage Backdrop() {
  RgbaImage image(kW, kH, Rgba{8, 8, 30, 255});
  PaintGradient(image, RectMask(kW, kH, 0, 0, kW, kHorizon), 0, kHorizon, {8, 8, 30, 255}, {70, 40, 100, 255});
  PaintGradient(image, RectMask(kW, kH, 0, kHorizon, kW, kH - kHorizon), kHorizon, kH, {40, 30, 70, 255},
                {6, 6, 20, 255});
  const Mask hills = PolygonMask(kW, kH, {{0, 150}, {50, 128}, {110, 142}, {170, 112}, {240, 140}, {290, 124},
                                          {320, 134}, {320, 162}, {0, 162}});
  Paint(image, hills, {30, 22, 50, 255});
  return image;
}

// The moon rises from behind the hills while the card's title stays.
RgbaImage DrawFrame(const RgbaImage& backdrop, const Mask& title, int frame) {
  RgbaImage image = backdrop;
  const float t = std::clamp(static_cast<float>(frame - kSampleMovieStillFrames) / 30.0f, 0.0f, 1.0f);
  const float moonY = 150.0f - 90.0f * t;
  Mask halo = CircleMask(kW, kH, kMoonX, moonY, 26);
  halo.Blur(8);
  Paint(image, halo, {200, 190, 255, static_cast<uint8_t>(120 * t)});
  Paint(image, CircleMask(kW, kH, kMoonX, moonY, 14), {255, 250, 230, static_cast<uint8_t>(255 * t)});
  // The moon's path on the water widens as it climbs.
  const float path = 4 + 26 * t;
  Mask glint = RectMask(kW, kH, kMoonX - path / 2, kHorizon + 6, path, 56);
  glint.Blur(3);
  Paint(image, glint, {220, 210, 160, static_cast<uint8_t>(90 * t)});
  Paint(image, title, {255, 226, 150, 255});
  const float light = frame < kSampleMovieFrames - kFadeFrames
                          ? 1.0f
                          : static_cast<float>(kSampleMovieFrames - 1 - frame) / (kFadeFrames - 1);
  for (Rgba& p : image.pixels) p = Mix(Rgba{0, 0, 0, 255}, p, light);
  return image;
}

std::vector<uint16_t> To565(const RgbaImage& image) {
  std::vector<uint16_t> out(image.pixels.size());
  std::transform(image.pixels.begin(), image.pixels.end(), out.begin(), [](const Rgba& p) {
    return static_cast<uint16_t>((p.r >> 3) << 11 | (p.g >> 2) << 5 | (p.b >> 3));
  });
  return out;
}

// A slow pentatonic line, one note every half second, each fading out.
std::vector<int16_t> Tune() {
  constexpr double kNotes[] = {293.66, 349.23, 392.00, 440.00, 392.00, 349.23, 293.66, 220.00};
  const size_t total = static_cast<size_t>(kSamplesPerFrame) * kSampleMovieFrames;
  const size_t noteLength = total / std::size(kNotes);
  std::vector<int16_t> samples(total);
  for (size_t i = 0; i < total; ++i) {
    const size_t note = std::min(i / noteLength, std::size(kNotes) - 1);
    const double at = static_cast<double>(i % noteLength) / kAudioRate;
    const double envelope = std::min(at * 50.0, 1.0) * std::exp(-3.0 * at);
    const double phase = 2.0 * M_PI * kNotes[note] * static_cast<double>(i) / kAudioRate;
    samples[i] = static_cast<int16_t>(6000.0 * envelope * (std::sin(phase) + 0.3 * std::sin(2.0 * phase)));
  }
  return samples;
}

}  // namespace

bool WriteSampleMovie(const std::string& path, const std::string& fontFolder, std::string* error) {
  Mask title(kW, kH);
  const TextStyle style{fontFolder + "/NanumSquareRoundB.ttf", 40, 4};
  if (!TextMask(style, U"SELVARIN", kW / 2, 96, Align::Center, &title)) {
    *error = "cannot open " + style.fontPath;
    return false;
  }
  platform::AviVideoFormat video;
  video.width = kW;
  video.height = kH;
  video.rate = kSampleMovieRate;
  // Lossless 5-6-5 that stores what changed since the last frame.
  video.codec = "zmbv";
  video.keyFrameInterval = kSampleMovieRate;
  auto writer = platform::AviWriter::Create(path, video, platform::AviAudioFormat{kAudioRate, 1});
  if (writer == nullptr) {
    *error = "cannot write " + path;
    return false;
  }
  const RgbaImage backdrop = Backdrop();
  const std::vector<int16_t> tune = Tune();
  for (int f = 0; f < kSampleMovieFrames; ++f) {
    const std::vector<uint16_t> pixels = To565(DrawFrame(backdrop, title, f));
    if (!writer->AddFrame(pixels.data(), kW) ||
        !writer->AddAudio(tune.data() + static_cast<size_t>(f) * kSamplesPerFrame, kSamplesPerFrame)) {
      *error = "cannot encode " + path;
      return false;
    }
  }
  if (!writer->Finish()) {
    *error = "cannot finish " + path;
    return false;
  }
  return true;
}

}  // namespace slvtools
