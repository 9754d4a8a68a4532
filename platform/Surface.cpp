#include "platform/Surface.h"

#include <algorithm>
#include <cstring>

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

namespace {

Rect WholeOf(const Surface& s) { return Rect{0, 0, s.Width(), s.Height()}; }

bool Inside(const Rect& r, const Surface& s) {
  return r.left >= 0 && r.top >= 0 && r.right <= s.Width() && r.bottom <= s.Height() &&
         r.Width() > 0 && r.Height() > 0;
}

Rect Intersect(const Rect& a, const Rect& b) {
  return Rect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

// Nearest source index of destination step i of n over a source span of m,
// sampled at pixel centres.
int NearestIndex(int i, int n, int m) {
  return static_cast<int>((2 * static_cast<int64_t>(i) + 1) * m / (2 * static_cast<int64_t>(n)));
}

void CopyRows(Surface& dst, int dx, int dy, const Surface& src, const Rect& from) {
  const size_t bytes = static_cast<size_t>(from.Width()) * 2;
  for (int y = 0; y < from.Height(); ++y) {
    std::memmove(dst.Row(dy + y) + dx, src.Row(from.top + y) + from.left, bytes);
  }
}

void StretchRows(Surface& dst, const Rect& to, const Rect& clipped, const Surface& src,
                 const Rect& from) {
  std::vector<int> columns(static_cast<size_t>(clipped.Width()));
  for (int x = clipped.left; x < clipped.right; ++x) {
    columns[static_cast<size_t>(x - clipped.left)] =
        from.left + NearestIndex(x - to.left, to.Width(), from.Width());
  }
  for (int y = clipped.top; y < clipped.bottom; ++y) {
    const uint16_t* in = src.Row(from.top + NearestIndex(y - to.top, to.Height(), from.Height()));
    uint16_t* out = dst.Row(y) + clipped.left;
    for (size_t i = 0; i < columns.size(); ++i) out[i] = in[columns[i]];
  }
}

}  // namespace

Result Surface::CheckUsable() const {
  if (m_lost) return DDERR_SURFACELOST;
  if (m_locked) return DDERR_SURFACEBUSY;
  return S_OK;
}

Result Surface::Lock(LockedBits* out) {
  if (out == nullptr) return DDERR_INVALIDPARAMS;
  if (const Result r = CheckUsable(); Failed(r)) return r;
  if (m_bits.empty()) return DDERR_INVALIDOBJECT;
  m_locked = true;
  out->bits = m_bits.data();
  out->pitch = m_pitch;
  return S_OK;
}

Result Surface::Unlock() {
  if (!m_locked) return DDERR_NOTLOCKED;
  m_locked = false;
  return S_OK;
}

Result Surface::Restore() {
  if (m_lost) std::fill(m_bits.begin(), m_bits.end(), uint8_t{0});
  m_lost = false;
  return S_OK;
}

Result Surface::Blt(const Rect* dst, const Surface& src, const Rect* srcRect) {
  if (const Result r = CheckUsable(); Failed(r)) return r;
  if (const Result r = src.CheckUsable(); Failed(r)) return r;
  if (src.m_format != m_format) return DDERR_INVALIDPIXELFORMAT;
  if (&src == this) {
    const Surface copy = src;
    return Blt(dst, copy, srcRect);
  }
  const Rect from = srcRect != nullptr ? *srcRect : WholeOf(src);
  Rect to = dst != nullptr ? *dst : WholeOf(*this);
  if (!Inside(from, src) || to.Width() <= 0 || to.Height() <= 0) return DDERR_INVALIDRECT;
  if (m_clipWindow != nullptr) {
    int originX = 0, originY = 0;
    GetClientOrigin(m_clipWindow, &originX, &originY);
    to = Rect{to.left - originX, to.top - originY, to.right - originX, to.bottom - originY};
  }
  const Rect clipped = Intersect(to, WholeOf(*this));
  if (clipped.Width() <= 0 || clipped.Height() <= 0) return S_OK;
  if (to.Width() == from.Width() && to.Height() == from.Height()) {
    const Rect part{from.left + clipped.left - to.left, from.top + clipped.top - to.top,
                    from.left + clipped.right - to.left, from.top + clipped.bottom - to.top};
    CopyRows(*this, clipped.left, clipped.top, src, part);
  } else {
    StretchRows(*this, to, clipped, src, from);
  }
  return S_OK;
}

Result Surface::BltFast(int x, int y, const Surface& src, const Rect* srcRect) {
  if (const Result r = CheckUsable(); Failed(r)) return r;
  if (const Result r = src.CheckUsable(); Failed(r)) return r;
  if (src.m_format != m_format) return DDERR_INVALIDPIXELFORMAT;
  const Rect from = srcRect != nullptr ? *srcRect : WholeOf(src);
  const Rect to{x, y, x + from.Width(), y + from.Height()};
  if (!Inside(from, src) || !Inside(to, *this)) return DDERR_INVALIDRECT;
  CopyRows(*this, x, y, src, from);
  return S_OK;
}

Result Surface::Fill(const Rect* dst, uint16_t value) {
  if (const Result r = CheckUsable(); Failed(r)) return r;
  const Rect to = Intersect(dst != nullptr ? *dst : WholeOf(*this), WholeOf(*this));
  for (int y = to.top; y < to.bottom; ++y)
    std::fill_n(Row(y) + to.left, std::max(to.Width(), 0), value);
  return S_OK;
}

Result Surface::Flip(Surface& back) {
  if (const Result r = CheckUsable(); Failed(r)) return r;
  if (const Result r = back.CheckUsable(); Failed(r)) return r;
  if (&back == this || back.m_width != m_width || back.m_height != m_height ||
      back.m_format != m_format) {
    return DDERR_INVALIDPARAMS;
  }
  std::swap(m_bits, back.m_bits);
  std::swap(m_pitch, back.m_pitch);
  return S_OK;
}

}  // namespace platform
