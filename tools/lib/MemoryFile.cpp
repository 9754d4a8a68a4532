#include "tools/lib/MemoryFile.h"

#include <algorithm>
#include <cstring>

namespace slvtools {

int32_t MemoryFile::Read(void* buffer, int32_t count) {
  const int32_t n = std::clamp(count, 0, GetSize() - m_pos);
  if (n > 0) std::memcpy(buffer, m_bytes.data() + m_pos, static_cast<size_t>(n));
  m_pos += n;
  return n;
}

int MemoryFile::GetChar() {
  return m_pos < GetSize() ? static_cast<uint8_t>(m_bytes[static_cast<size_t>(m_pos++)]) : -1;
}

int32_t MemoryFile::Seek(int32_t offset, int origin) {
  const int64_t base = origin == kFileBegin ? 0 : origin == kFileEnd ? GetSize() : m_pos;
  m_pos = ClampSeekTarget(base, offset, GetSize());
  return m_pos;
}

}  // namespace slvtools
