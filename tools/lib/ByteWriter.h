#pragma once
// Little-endian fields appended to a byte string, for the file writers.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/Math.h"

namespace slvtools {

void PutU16(std::string& out, uint16_t value);
void PutU32(std::string& out, uint32_t value);
inline void PutI32(std::string& out, int32_t value) { PutU32(out, static_cast<uint32_t>(value)); }
void PutF32(std::string& out, float value);
void PutVec(std::string& out, const Vec3& v);
// A text field of `size` bytes: the text cut to it, or padded with zeros.
void PutText(std::string& out, const std::string& text, size_t size);

}  // namespace slvtools
