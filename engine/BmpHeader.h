#pragma once
// The file and information headers of a Windows bitmap, as the picture and
// texture loaders read them.
#include <cstddef>
#include <cstdint>

class CMemFile;

inline constexpr int kBmpHeadersSize = 14 + 40;
inline constexpr uint16_t kBmpType = 0x4D42;  // "BM"

struct BmpHeader {
  uint16_t type = 0;
  uint32_t offBits = 0;  // where the pixel rows start
  int32_t width = 0;
  int32_t height = 0;  // positive: the bottom row is stored first
  uint16_t bitCount = 0;
  uint32_t clrUsed = 0;

  // Bytes of one stored row of an 8- or 24-bit bitmap, padded to four.
  uint32_t Stride() const {
    const uint32_t w = static_cast<uint32_t>(width);
    return bitCount == 8 ? (w + 3) & ~3u : (w * 3 + 3) & ~3u;
  }
  // The colours of an 8-bit bitmap's palette.
  uint32_t PaletteCount() const { return clrUsed == 0 ? 256 : clrUsed; }
};

// Both headers from the file's position, field by field; false when the
// file is shorter.
bool ReadBmpHeader(CMemFile& file, BmpHeader* h);
// Both headers from the first kBmpHeadersSize of `size` bytes; false when
// there are fewer.
bool ReadBmpHeader(const uint8_t* bytes, size_t size, BmpHeader* h);
