#include "launcher/MemoryStream.h"

#include <algorithm>
#include <cstring>

int32_t MemoryStream::Read(void* buffer, int32_t count) {
  const int32_t n = std::clamp(count, 0, GetSize() - m_position);
  if (n > 0) std::memcpy(buffer, m_data.data() + m_position, static_cast<size_t>(n));
  m_position += n;
  return n;
}

int MemoryStream::GetChar() { return m_position < GetSize() ? m_data[static_cast<size_t>(m_position++)] : -1; }

int32_t MemoryStream::Seek(int32_t offset, int origin) {
  if (origin != kFileBegin && origin != kFileCurrent && origin != kFileEnd) return m_position;
  const int64_t base = origin == kFileBegin ? 0 : origin == kFileEnd ? GetSize() : m_position;
  m_position = ClampSeekTarget(base, offset, GetSize());
  return m_position;
}
