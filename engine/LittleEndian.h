#pragma once
// Little-endian fields read one by one from a file held in memory. Each
// returns false, and leaves the field alone, when the bytes are not there.
#include <cstdint>

class CMemFile;

bool ReadU16(CMemFile& file, uint16_t& value);
bool ReadI32(CMemFile& file, int32_t& value);
bool ReadU32(CMemFile& file, uint32_t& value);
bool ReadF32(CMemFile& file, float& value);

// The bytes after the position (0 when it lies outside the data).
int64_t BytesLeft(const CMemFile& file);
