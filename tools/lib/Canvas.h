#pragma once
// Pictures drawn by program for the sample data: coverage masks made from
// shapes and text (anti-aliased), softened, shifted and painted onto
// straight-alpha RGBA images.
#include <string>
#include <vector>

#include "tools/lib/TextureImages.h"

namespace slvtools {

// Coverage from 0 to 1 per pixel.
class Mask {
 public:
  Mask(int width, int height);
  float Get(int x, int y) const;  // 0 outside
  float& At(int x, int y) { return m_cover[static_cast<size_t>(y) * m_width + x]; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  // Three box passes of the radius each way: close to a Gaussian.
  void Blur(int radius);
  void Shift(int dx, int dy);
  // Pixel by pixel: the larger coverage.
  void Add(const Mask& other);

 private:
  void BoxRows(int radius);
  void Transpose();

  int m_width, m_height;
  std::vector<float> m_cover;
};

struct Point {
  float x, y;
};

// Shapes on a mask of the picture's size.
Mask RectMask(int width, int height, float x, float y, float w, float h);
Mask CircleMask(int width, int height, float cx, float cy, float radius);
Mask RingMask(int width, int height, float cx, float cy, float radius, float thickness);
Mask PolygonMask(int width, int height, const std::vector<Point>& points);

enum class Align { Left, Center, Right };

struct TextStyle {
  std::string fontPath;
  int size = 16;    // pixels
  int spacing = 0;  // added after each character
};

// The pen advance of a text.
int TextWidth(const TextStyle& style, const std::u32string& text);
// The text on baseline y, aligned at x. False when the font cannot be opened.
bool TextMask(const TextStyle& style, const std::u32string& text, int x, int y, Align align, Mask* mask);

// Source-over with straight alpha; coverage scales the colour's alpha.
void BlendPixel(RgbaImage& image, int x, int y, Rgba color, float coverage);
void Paint(RgbaImage& image, const Mask& mask, Rgba color);
// The colour runs from `top` at row y0 to `bottom` at row y1.
void PaintGradient(RgbaImage& image, const Mask& mask, int y0, int y1, Rgba top, Rgba bottom);
Rgba Mix(Rgba a, Rgba b, float t);

// Ordered dithering down to `bits` per channel (the alpha too when asked),
// so gradients keep their look on a display of fewer bits. Without alpha,
// pure magenta (the bitmap textures' transparent colour) stays as it is.
void Dither(RgbaImage& image, int bits, bool alpha);

// Code points of UTF-8 text; a malformed byte stands for itself.
std::u32string DecodeUtf8(const std::string& text);

}  // namespace slvtools
