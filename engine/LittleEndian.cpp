#include "engine/LittleEndian.h"

#include <cstring>

#include "engine/MemFile.h"

bool ReadU16(CMemFile& file, uint16_t& value) {
  uint8_t b[2];
  if (!file.Read(b, sizeof b)) return false;
  value = static_cast<uint16_t>(b[0] | b[1] << 8);
  return true;
}

bool ReadU32(CMemFile& file, uint32_t& value) {
  uint8_t b[4];
  if (!file.Read(b, sizeof b)) return false;
  value = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
          static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
  return true;
}

bool ReadI32(CMemFile& file, int32_t& value) {
  uint32_t bits;
  if (!ReadU32(file, bits)) return false;
  value = static_cast<int32_t>(bits);
  return true;
}

bool ReadF32(CMemFile& file, float& value) {
  uint32_t bits;
  if (!ReadU32(file, bits)) return false;
  std::memcpy(&value, &bits, sizeof value);
  return true;
}

int64_t BytesLeft(const CMemFile& file) {
  const int64_t pos = file.GetPosition();
  return pos < 0 || pos >= file.GetSize() ? 0 : file.GetSize() - pos;
}
