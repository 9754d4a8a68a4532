#include "engine/BmpHeader.h"

#include "engine/MemFile.h"

namespace {

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

bool ReadBmpHeader(CMemFile& file, BmpHeader* h) {
  uint8_t b[kBmpHeadersSize];
  return file.Read(b, sizeof b) && ReadBmpHeader(b, sizeof b, h);
}

bool ReadBmpHeader(const uint8_t* b, size_t size, BmpHeader* h) {
  if (size < kBmpHeadersSize) return false;
  h->type = U16(b);
  h->offBits = U32(b + 10);
  h->width = static_cast<int32_t>(U32(b + 18));
  h->height = static_cast<int32_t>(U32(b + 22));
  h->bitCount = U16(b + 28);
  h->clrUsed = U32(b + 46);
  return true;
}
