#pragma once
// Writes the picture files that textures load: BMP (8 and 24 bits) and TGA
// (true colour, plain or run-length, 24 and 32 bits).
#include <cstdint>
#include <string>
#include <vector>

namespace slvtools {

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 255;
  bool operator==(const Rgba&) const = default;
};

// Pixels row by row from the top-left.
struct RgbaImage {
  int width = 0, height = 0;
  std::vector<Rgba> pixels;

  RgbaImage(int w, int h, Rgba fill = {}) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
  Rgba& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  const Rgba& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Bottom-up rows padded to four bytes, blue-green-red.
std::string WriteBmp24(const RgbaImage& image);
// `indices` row by row from the top-left; the palette's length is the file's
// colour count.
std::string WriteBmp8(int width, int height, const std::vector<uint8_t>& indices,
                      const std::vector<Rgba>& palette);

// Top row first (the descriptor says so). Run-length packets never cross a
// row's end.
std::string WriteTga(const RgbaImage& image, int bitsPerPixel, bool runLength);

}  // namespace slvtools
