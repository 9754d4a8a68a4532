#pragma once
// Reads the fields of a binary file held in memory one after another; after
// the first field that runs past the file every further read does nothing
// and ok() stays false, so a loader tests once per record.
#include <cstdint>
#include <cstring>
#include <string>

#include "engine/LittleEndian.h"
#include "engine/Math.h"
#include "engine/MemFile.h"

class FieldReader {
 public:
  // The longest text field any file has.
  static constexpr uint32_t kMaxTextSize = 80;

  explicit FieldReader(CMemFile& file) : m_file(file) {}

  // A text field of `size` bytes that ends at its first zero byte.
  FieldReader& Text(uint32_t size, std::string& out) {
    char buffer[kMaxTextSize];
    if (m_ok && size <= sizeof buffer && m_file.Read(buffer, size)) {
      out.assign(buffer, strnlen(buffer, size));
    } else {
      m_ok = false;
    }
    return *this;
  }
  FieldReader& Bytes(void* out, uint32_t size) { return Check(size == 0 || m_file.Read(out, size)); }
  FieldReader& U8(uint8_t& out) { return Bytes(&out, 1); }
  FieldReader& U16(uint16_t& out) { return Check(ReadU16(m_file, out)); }
  FieldReader& I32(int32_t& out) { return Check(ReadI32(m_file, out)); }
  FieldReader& U32(uint32_t& out) { return Check(ReadU32(m_file, out)); }
  FieldReader& F32(float& out) { return Check(ReadF32(m_file, out)); }
  FieldReader& Vec(Vec3& out) { return F32(out.x).F32(out.y).F32(out.z); }
  FieldReader& Skip(uint32_t size) {
    if (m_ok && BytesLeft(m_file) >= size) {
      m_file.Seek(static_cast<int32_t>(size), 1);
    } else {
      m_ok = false;
    }
    return *this;
  }
  // A count that is not negative and whose items of `itemBytes`, `repeat`
  // times over (at least once), the rest of the file can hold; anything
  // else stops the reader.
  FieldReader& Count(int32_t& out, int64_t itemBytes, int32_t repeat = 1) {
    I32(out);
    const int64_t unit = itemBytes * (repeat > 1 ? repeat : 1);
    if (m_ok && (out < 0 || (unit > 0 && out > BytesLeft(m_file) / unit))) m_ok = false;
    return *this;
  }
  int64_t Left() const { return BytesLeft(m_file); }
  bool ok() const { return m_ok; }

 private:
  FieldReader& Check(bool read) {
    m_ok = m_ok && read;
    return *this;
  }

  CMemFile& m_file;
  bool m_ok = true;
};
