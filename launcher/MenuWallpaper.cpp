#include "launcher/MenuWallpaper.h"

#include <algorithm>
#include <cstring>

#include "launcher/BitmapRgb.h"

MenuWallpaper::MenuWallpaper(const std::string& picture) {
  m_pixels = LoadBitmapRgb(picture, &m_width, &m_height);
  m_rowLength = m_width * 3;
}

bool MenuWallpaper::Draw(uint8_t* pixels, int stride, int height, float seconds) {
  if (m_pixels == nullptr) return false;
  const int rows = std::min(height, m_height);
  const size_t bytes = static_cast<size_t>(std::min(m_rowLength, stride));
  for (int y = 0; y < rows; ++y) {
    std::memcpy(pixels + static_cast<size_t>(y) * stride, m_pixels.get() + static_cast<size_t>(y) * m_rowLength, bytes);
  }
  return false;
}
