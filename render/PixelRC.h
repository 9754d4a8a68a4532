#pragma once
// The render context's pixel routines for one 16-bit layout of the back
// buffer: run-coded images, glyphs, screenshots and save thumbnails. The
// 5-6-5 and 5-5-5 contexts are this one code with their own packing.
//
// Every routine works on the locked back buffer and touches only pixels that
// lie on it, wherever it is asked to draw.
#include <cstdint>
#include <vector>

#include "render/RC.h"

// An 8-bit colour as the pixel routines compute with it.
struct Rgb8 {
  int red = 0, green = 0, blue = 0;
  bool operator==(const Rgb8&) const = default;
};

// Where a 16-bit layout keeps the top bits of each 8-bit component.
struct PixelLayout {
  int redShift;       // left shift of the red byte's top five bits
  int greenShift;     // left shift of the green byte's kept bits
  uint8_t greenBits;  // the green byte's kept bits

  uint16_t Pack(int red, int green, int blue) const {
    return static_cast<uint16_t>((red & 0xF8) << redShift | (green & greenBits) << greenShift | (blue & 0xFF) >> 3);
  }
  Rgb8 Expand(uint16_t p) const { return {p >> redShift & 0xF8, p >> greenShift & greenBits, (p & 0x1F) << 3}; }
};
inline constexpr PixelLayout kLayout565{8, 3, 0xFC};
inline constexpr PixelLayout kLayout555{7, 2, 0xF8};

// Save thumbnails: 220 x 180 pixels.
inline constexpr int kThumbnailWidth = 220;
inline constexpr int kThumbnailHeight = 180;
inline constexpr int kThumbnailFileBytes = kThumbnailWidth * kThumbnailHeight * 3;

// 5-6-5 unless told otherwise, as the display picks it for every layout but
// 5-5-5.
class CPixelRC : public CRC {
 public:
  explicit CPixelRC(const PixelLayout& layout = kLayout565) : m_layout(layout) {}
  const PixelLayout& Layout() const { return m_layout; }

  bool SaveScreenshot(const char* fileName) override;
  void DrawRleImage(int x, int y, const CBitmapRes* image, int scale) override;
  void DrawRleImageAlpha(int x, int y, const CBitmapRes* image, uint32_t color, int scale) override;
  bool SaveThumbnail(const char* fileName) override;
  bool LoadThumbnail(int x, int y, const char* fileName) override;
  void DrawJamoGlyph(int x, int y, int index, int red, int green, int blue, bool lowerBandOnly) override;
  void DrawHangulGlyph(int x, int y, int index, int red, int green, int blue, bool lowerBandOnly) override;
  void DrawHanjaGlyph(int x, int y, int index, int red, int green, int blue, bool lowerBandOnly) override;
  void DrawAsciiGlyph(int x, int y, int index, int red, int green, int blue, bool lowerBandOnly) override;
  // The second glyph slots draw exactly as the first.
  void DrawJamoGlyph2(int x, int y, int index, int red, int green, int blue, bool lowerBandOnly) override;
  void DrawHangulGlyph2(int x, int y, int index, int red, int green, int blue, bool lowerBandOnly) override;
  void DrawHanjaGlyph2(int x, int y, int index, int red, int green, int blue, bool lowerBandOnly) override;
  void DrawAsciiGlyph2(int x, int y, int index, int red, int green, int blue, bool lowerBandOnly) override;

 private:
  struct RleState;

  // The locked surface's size; the view's when the lock is not this
  // context's own.
  int TargetWidth() const;
  int TargetHeight() const;
  bool CanDraw() const { return s_locked != 0 && s_pixels != nullptr; }
  uint16_t& At(int x, int y) const { return s_pixels[static_cast<ptrdiff_t>(y) * s_pitch + x]; }
  bool OnTarget(int64_t x, int64_t y) const { return x >= 0 && y >= 0 && x < TargetWidth() && y < TargetHeight(); }
  // The pixel nearest to (x, y) that lies on the surface.
  Rgb8 SampleNearest(int x, int y) const;
  void Put(int x, int y, uint16_t pixel) const {
    if (OnTarget(x, y)) At(x, y) = pixel;
  }

  void DrawGlyph(int x, int y, const uint8_t* glyph, int columns, Rgb8 color, bool lowerBandOnly);
  void DrawRle(int x, int y, const CBitmapRes* image, int scale, RleState& state);
  int DrawRleRow(const std::vector<uint8_t>& row, int width, int x, int dy, int scale, RleState& state);
  int64_t DrawRun(uint8_t code, int n, const uint8_t* data, int64_t dx, int dy, int scale, RleState& state);
  void BlendRun(const uint8_t* data, int count, int64_t dx, int dy, int scale, RleState& state);
  void CopyRun(const uint8_t* data, int count, int64_t dx, int dy, int scale);
  void ShadeRun(const uint8_t* data, int count, int64_t dx, int dy, int scale, const RleState& state);
  void RepeatRow(int x, int64_t length, int fromY, int lastY);
  std::vector<uint8_t> ScreenshotBytes() const;
  void DrawThumbnailRows(int x, int y, const RowList& rows);

  const PixelLayout m_layout;
};

class CRC565 : public CPixelRC {
 public:
  CRC565() : CPixelRC(kLayout565) {}
};

class CRC555 : public CPixelRC {
 public:
  CRC555() : CPixelRC(kLayout555) {}
};
