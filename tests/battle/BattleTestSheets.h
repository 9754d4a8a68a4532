#pragma once
// What the battle tests draw with and measure: one-layer frames of a white
// square, its sprite sheet, and the lit rows of a column band of a shot.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/ActRes.h"
#include "tests/support/GoldenImage.h"
#include "tools/lib/SprWriter.h"

namespace battletest {

// A frame of one opaque layer, with the event `eventIndex` or none.
inline ActMotion SquareMotion(int32_t eventIndex = -1) {
  ActMotion motion;
  ActLayer layer;
  layer.color[3] = 255;
  motion.layers.push_back(layer);
  motion.eventIndex = eventIndex;
  return motion;
}

// A sprite sheet of one 2 x 2 square in the colour given.
inline std::string SquareSprite(uint8_t r = 255, uint8_t g = 255, uint8_t b = 255) {
  slvtools::SprWriter spr(0x200);
  spr.SetColor(1, r, g, b);
  spr.AddImage(2, 2, std::vector<uint8_t>(4, 1));
  return spr.Build();
}

// The lit pixels of a column band: their rows and whether any shows green.
struct Band {
  int top = -1, bottom = -1;
  bool green = false;
  int Height() const { return top < 0 ? 0 : bottom - top + 1; }
};

inline Band Measure(const testsupport::RgbImage& image, int left, int right) {
  Band band;
  left = std::max(left, 0);
  right = std::min(right, image.width);
  for (int y = 0; y < image.height; ++y) {
    for (int x = left; x < right; ++x) {
      const size_t i = static_cast<size_t>((y * image.width + x) * 3);
      if (image.rgb[i] == 0 && image.rgb[i + 1] == 0 && image.rgb[i + 2] == 0) continue;
      if (band.top < 0) band.top = y;
      band.bottom = y;
      band.green = band.green || image.rgb[i + 1] != 0;
    }
  }
  return band;
}

}  // namespace battletest
