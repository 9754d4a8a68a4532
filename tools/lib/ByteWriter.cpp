#include "tools/lib/ByteWriter.h"

#include <cstring>

namespace slvtools {

void PutU16(std::string& out, uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void PutU32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

void PutF32(std::string& out, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  PutU32(out, bits);
}

void PutVec(std::string& out, const Vec3& v) {
  PutF32(out, v.x);
  PutF32(out, v.y);
  PutF32(out, v.z);
}

void PutText(std::string& out, const std::string& text, size_t size) {
  std::string field = text.substr(0, size);
  field.resize(size, '\0');
  out += field;
}

}  // namespace slvtools
