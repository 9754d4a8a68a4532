#pragma once
// A back buffer in memory, locked for the pixel routines of one layout. Its
// rows carry guard columns on the right, so a write past either side of a
// row shows up there; rows above and below lie outside the allocation.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "render/PixelRC.h"

class PixelTarget {
 public:
  static constexpr int kGuard = 8;
  static constexpr uint16_t kGuardValue = 0xA5A5;

  PixelTarget(const PixelLayout& layout, int width, int height, uint16_t fill = 0)
      : rc(layout), width(width), height(height),
        pixels(static_cast<size_t>(width + kGuard) * height, kGuardValue) {
    rc.SetViewSize(width, height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) At(x, y) = fill;
    }
    m_saved = {CRC::s_pixels, CRC::s_pitch, CRC::s_locked};
    CRC::s_pixels = pixels.data();
    CRC::s_pitch = width + kGuard;
    CRC::s_locked = 1;
  }
  ~PixelTarget() {
    CRC::s_pixels = m_saved.pixels;
    CRC::s_pitch = m_saved.pitch;
    CRC::s_locked = m_saved.locked;
  }
  PixelTarget(const PixelTarget&) = delete;
  PixelTarget& operator=(const PixelTarget&) = delete;

  uint16_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * (width + kGuard) + x]; }
  uint16_t Pack(int r, int g, int b) const { return rc.Layout().Pack(r, g, b); }
  bool GuardsIntact() {
    for (int y = 0; y < height; ++y) {
      for (int x = width; x < width + kGuard; ++x) {
        if (At(x, y) != kGuardValue) return false;
      }
    }
    return true;
  }
  // Every pixel of the view, row by row.
  std::vector<uint16_t> View() {
    std::vector<uint16_t> out;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) out.push_back(At(x, y));
    }
    return out;
  }

  CPixelRC rc;
  int width, height;
  std::vector<uint16_t> pixels;

 private:
  struct Saved {
    uint16_t* pixels;
    int32_t pitch;
    int32_t locked;
  } m_saved{};
};
