#include "platform/Surface.h"

#include <algorithm>

namespace platform {

PixelMasks MasksOf(PixelFormat format) {
  switch (format) {
    case PixelFormat::RGB565:
      return {0xF800, 0x07E0, 0x001F, 0};
    case PixelFormat::XRGB1555:
      return {0x7C00, 0x03E0, 0x001F, 0};
    case PixelFormat::ARGB1555:
      return {0x7C00, 0x03E0, 0x001F, 0x8000};
    case PixelFormat::ARGB4444:
      return {0x0F00, 0x00F0, 0x000F, 0xF000};
    case PixelFormat::Depth16:
      break;
  }
  return {0, 0, 0, 0};
}

Surface::Surface(int width, int height, PixelFormat format, int pitch)
    : m_width(std::max(width, 0)),
      m_height(std::max(height, 0)),
      m_pitch(std::max(pitch, m_width * 2)),
      m_format(format),
      m_bits(static_cast<size_t>(m_pitch) * m_height, 0) {}

}  // namespace platform
