#pragma once
// Pictures ("bmp", folder "bmp\", and "ico", folder "item\"): 8- and 24-bit
// Windows bitmaps kept as run-coded rows that the render context draws
// without further conversion.
//
// A coded row is a sequence of runs covering the row, each a code byte and a
// 16-bit little-endian pixel count followed by the code's data:
//   kRleSkip    transparent, no data
//   kRleBlend   4 bytes a pixel: opacity, blue, green, red
//   kRleCopy    2 bytes a pixel: the display's 16-bit colour
//   kRleShade   1 byte a pixel: a palette index, drawn as opacity
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Res.h"

inline constexpr uint8_t kRleSkip = 0;
inline constexpr uint8_t kRleBlend = 1;
inline constexpr uint8_t kRleCopy = 2;
inline constexpr uint8_t kRleShade = 3;
inline constexpr int kRleRunHeader = 3;

// Green masks of the display's two 16-bit layouts.
inline constexpr uint32_t kGreenMask565 = 0x7E0;
inline constexpr uint32_t kGreenMask555 = 0x3E0;

class CBitmapRes : public CRes {
  SLV_RES(CBitmapRes)
 public:
  ~CBitmapRes() override { Reset(); }
  bool Load(const std::string& name) override;
  void Reset() override;

  int32_t GetWidth() const { return m_width; }  // a multiple of 4
  int32_t GetHeight() const { return m_height; }
  // Top row first.
  const std::vector<std::vector<uint8_t>>& GetRows() const { return m_rows; }

  // The display publishes its green mask when it makes the screen; opaque
  // runs of later loads are coded in that layout.
  static void SetDisplayGreenMask(uint32_t mask) { s_displayGreenMask = mask; }
  static uint32_t GetDisplayGreenMask() { return s_displayGreenMask; }

  int32_t m_width = 0;
  int32_t m_height = 0;
  std::vector<std::vector<uint8_t>> m_rows;

 private:
  static uint32_t s_displayGreenMask;
};

// A 24-bit colour in the display's layout of `greenMask` (5-6-5 keeps the
// lowest green bit 0); any other mask is taken as 5-6-5.
uint16_t PackBitmapColor(uint8_t red, uint8_t green, uint8_t blue, uint32_t greenMask);
