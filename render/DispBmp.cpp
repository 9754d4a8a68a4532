#include "render/DispBmp.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/BitmapRes.h"
#include "platform/DebugLog.h"
#include "platform/Display.h"
#include "render/3dDevice.h"

using namespace platform;

CDispBmp g_dispBmp;

namespace {
namespace dispbmp {

struct Rgb {
  int r = 0, g = 0, b = 0;
};

Rgb Widen(uint16_t p) { return Rgb{(p >> 8) & 0xF8, (p >> 3) & 0xFC, (p & 0x1F) << 3}; }

// The surface is filled in 5-6-5 whatever the display's layout.
uint16_t Blend(const Rgb& src, const Rgb& dst, int alpha) {
  const auto mix = [alpha](int s, int d) { return ((255 - alpha) * d + alpha * s) / 255; };
  return static_cast<uint16_t>((mix(src.r, dst.r) >> 3) << 11 | (mix(src.g, dst.g) >> 2) << 5 |
                               mix(src.b, dst.b) >> 3);
}

// Writes the coded rows into a locked surface. The working colours carry
// over from run to run and row to row. A run whose data the row lacks ends
// the row; pixels past the surface's width are consumed but not written.
class RowDecoder {
 public:
  RowDecoder(const LockedBits& bits, int width, int height) : m_bits(bits), m_width(width) {
    m_dst = Widen(*Pixel(width / 2, height / 2));
  }

  void DecodeRow(const std::vector<uint8_t>& data, int y) {
    const int end = (m_width + 3) & ~3;
    size_t at = 0;
    for (int x = 0; x < end;) {
      if (data.size() - at < static_cast<size_t>(kRleRunHeader)) return;
      const uint8_t kind = data[at];
      const int n = data[at + 1] | data[at + 2] << 8;
      at += kRleRunHeader;
      const size_t size = BytesPerPixel(kind);
      if (data.size() - at < size * n) return;
      // Skips and unknown kinds write nothing.
      for (int i = 0; size != 0 && i < n; ++i) WritePixel(kind, data.data() + at + i * size, x + i, y);
      at += size * n;
      x += n;
    }
  }

 private:
  static size_t BytesPerPixel(uint8_t kind) {
    switch (kind) {
      case kRleBlend: return 4;
      case kRleCopy: return 2;
      case kRleShade: return 1;
      default: return 0;
    }
  }

  uint16_t* Pixel(int x, int y) {
    return reinterpret_cast<uint16_t*>(m_bits.bits + static_cast<ptrdiff_t>(y) * m_bits.pitch) + x;
  }

  // Pixels past the surface's width still set the working colours.
  void WritePixel(uint8_t kind, const uint8_t* p, int x, int y) {
    uint16_t* out = x < m_width ? Pixel(x, y) : nullptr;
    uint16_t value = 0;
    switch (kind) {
      case kRleBlend:
        if (out != nullptr) m_dst = Widen(*out);
        m_src = Rgb{p[3], p[2], p[1]};
        value = Blend(m_src, m_dst, p[0]);
        break;
      case kRleCopy:
        value = static_cast<uint16_t>(p[0] | p[1] << 8);
        break;
      default:  // kRleShade
        value = Blend(m_src, m_dst, p[0]);
        break;
    }
    if (out != nullptr) *out = value;
  }

  LockedBits m_bits;
  int m_width;
  Rgb m_dst;
  Rgb m_src;  // black until a blended pixel names one
};

void LogLockFailure(Result r) {
  switch (r) {
    case DDERR_INVALIDOBJECT:
    case DDERR_INVALIDPARAMS:
    case DDERR_OUTOFMEMORY:
    case DDERR_SURFACEBUSY:
    case DDERR_WASSTILLDRAWING:
      DebugLog(ResultName(r));
      break;
    default:
      DebugLog("unknown error");
      break;
  }
}

}  // namespace dispbmp
}  // namespace

Result CDispBmp::Create(const CBitmapRes* bitmap) {
  Release();
  if (bitmap == nullptr) {
    DebugLog("dispbmp: no picture");
    return E_FAIL;
  }
  const std::shared_ptr<Display>& display = g_3dDevice.DirectDraw();
  if (display == nullptr) return E_FAIL;
  SurfaceDesc desc;
  desc.caps = DDSCAPS_OFFSCREENPLAIN;
  desc.width = bitmap->GetWidth();
  desc.height = bitmap->GetHeight();
  if (const Result r = display->CreateSurface(desc, &m_surface); Failed(r)) {
    m_surface.reset();
    return r;
  }
  LockedBits bits;
  if (const Result r = m_surface->Lock(&bits); Failed(r)) {
    if (r != DDERR_SURFACELOST) dispbmp::LogLockFailure(r);
    return r;
  }
  dispbmp::RowDecoder decoder(bits, m_surface->Width(), m_surface->Height());
  const auto& rows = bitmap->GetRows();
  for (size_t y = 0; y < rows.size() && y < static_cast<size_t>(m_surface->Height()); ++y) {
    decoder.DecodeRow(rows[y], static_cast<int>(y));
  }
  return m_surface->Unlock();
}

void CDispBmp::Draw() {
  if (m_surface == nullptr) {
    DebugLog("dispbmp Error!");
    return;
  }
  if (Surface* target = g_3dDevice.RenderTarget()) target->Blt(nullptr, *m_surface, nullptr);
}

void CDispBmp::Release() { m_surface.reset(); }
