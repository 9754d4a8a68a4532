#pragma once
// A 16-bit surface in memory: the screen's buffers, textures and the depth
// buffer. Rows are `Pitch()` bytes apart, which may be more than width x 2.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

enum class PixelFormat : uint8_t {
  RGB565,    // screen and opaque textures
  XRGB1555,  // screen (5-5-5) and opaque textures
  ARGB1555,  // colour-keyed textures: alpha bit 0 is transparent
  ARGB4444,  // textures with alpha
  Depth16,   // depth buffer: 0 near, 0xFFFF far
};

struct PixelMasks {
  uint32_t red, green, blue, alpha;
};
PixelMasks MasksOf(PixelFormat format);

class Surface {
 public:
  // pitch 0 means width x 2.
  Surface(int width, int height, PixelFormat format, int pitch = 0);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  int Pitch() const { return m_pitch; }
  PixelFormat Format() const { return m_format; }

  uint8_t* Bits() { return m_bits.data(); }
  const uint8_t* Bits() const { return m_bits.data(); }
  uint16_t* Row(int y) { return reinterpret_cast<uint16_t*>(m_bits.data() + static_cast<size_t>(y) * m_pitch); }
  const uint16_t* Row(int y) const {
    return reinterpret_cast<const uint16_t*>(m_bits.data() + static_cast<size_t>(y) * m_pitch);
  }

 private:
  int m_width;
  int m_height;
  int m_pitch;
  PixelFormat m_format;
  std::vector<uint8_t> m_bits;
};

}  // namespace platform
