#pragma once
// Little-endian fields appended to a byte string, for the file writers.
#include <cstdint>
#include <string>

namespace slvtools {

void PutU16(std::string& out, uint16_t value);
void PutU32(std::string& out, uint32_t value);
inline void PutI32(std::string& out, int32_t value) { PutU32(out, static_cast<uint32_t>(value)); }
void PutF32(std::string& out, float value);

}  // namespace slvtools
