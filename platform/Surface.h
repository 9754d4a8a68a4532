#pragma once
// A 16-bit surface in memory: the screen's buffers, textures and the depth
// buffer. Rows are `Pitch()` bytes apart, which may be more than width x 2.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Result.h"
#include "platform/Window.h"

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

// Edges as on the original system: right and bottom are exclusive.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

struct LockedBits {
  uint8_t* bits = nullptr;
  int pitch = 0;  // bytes
};

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

  // The whole surface for pixel work. DDERR_SURFACELOST while lost,
  // DDERR_SURFACEBUSY while already locked.
  Result Lock(LockedBits* out);
  Result Unlock();  // DDERR_NOTLOCKED when not locked
  bool IsLocked() const { return m_locked; }

  // Video memory goes when the display mode changes; the contents are gone
  // after Restore.
  bool IsLost() const { return m_lost; }
  void MarkLost() { m_lost = true; }
  Result Restore();

  // Copies src's rectangle (null: whole) into this one's (null: whole),
  // stretched by nearest neighbour. The destination is clipped to the
  // surface; a source rectangle outside src is DDERR_INVALIDRECT. A surface
  // clipped to a window takes its destination in screen coordinates.
  Result Blt(const Rect* dst, const Surface& src, const Rect* srcRect);
  // Same-size copy of src's rectangle (null: whole) to (x, y); it must fit.
  Result BltFast(int x, int y, const Surface& src, const Rect* srcRect);
  // Fills the rectangle (null: whole) with one 16-bit value.
  Result Fill(const Rect* dst, uint16_t value);
  // Shows the back buffer: the two surfaces trade their pixels.
  Result Flip(Surface& back);

  // Blits onto this surface are then clipped to the window's client area.
  void SetClipWindow(WindowHandle window) { m_clipWindow = window; }
  WindowHandle ClipWindow() const { return m_clipWindow; }

 private:
  Result CheckUsable() const;

  int m_width;
  int m_height;
  int m_pitch;
  PixelFormat m_format;
  std::vector<uint8_t> m_bits;
  bool m_locked = false;
  bool m_lost = false;
  WindowHandle m_clipWindow = nullptr;
};

}  // namespace platform
