#include "engine/MemFile.h"

#include <cstring>
#include <new>

#include "engine/FileStream.h"
#include "platform/DebugLog.h"

bool CMemFile::Load(CFileStream& stream) {
  Free();
  m_name = stream.GetName();
  if (!stream.HasReader()) return false;
  const int32_t size = stream.GetSize();
  std::unique_ptr<uint8_t[]> data(size > 0 ? new (std::nothrow) uint8_t[size] : nullptr);
  if (size > 0 && data == nullptr) {
    DebugLogf("CMemFile :: Load: no memory for %d bytes of %s", size, m_name.c_str());
    return false;
  }
  stream.Seek(0, kFileBegin);
  const int32_t got = size > 0 ? stream.Read(data.get(), size) : 0;
  stream.Seek(0, kFileBegin);
  if (got <= 0) return false;
  // A file that delivers less than its size leaves zeros, never stale memory.
  std::memset(data.get() + got, 0, static_cast<size_t>(size - got));
  m_data = std::move(data);
  m_size = size;
  m_pos = 0;
  return true;
}

bool CMemFile::LoadFile(const std::string& name) {
  CFileStream stream;
  return stream.Open(name, CFileStream::kRead) && Load(stream);
}

bool CMemFile::Read(void* buffer, uint32_t count) {
  if (m_pos < 0 || m_pos >= m_size) {
    DebugLog("Error 1 in CMemFile :: Read(void* lpBuf, UINT nCount)");
    DebugLog(m_name);
    return false;
  }
  // Unsigned: a negative count read from a file is huge, not small.
  if (count > static_cast<uint64_t>(m_size - m_pos)) {
    DebugLog("Error 2 in CMemFile :: Read(void* lpBuf, UINT nCount)");
    DebugLog(m_name);
    return false;
  }
  if (count > 0) std::memcpy(buffer, m_data.get() + m_pos, count);
  m_pos += count;
  return true;
}

void CMemFile::Seek(int32_t offset, uint32_t origin) {
  switch (origin) {
    case 0:
      m_pos = offset;
      break;
    case 1:
      m_pos += offset;
      break;
    case 2:
      m_pos = int64_t{m_size} + offset;
      break;
    default:
      DebugLog("Error in void\tCMemFile :: Seek(LONG lOff, UINT nFrom)");
      DebugLog(m_name);
      break;
  }
}

void CMemFile::Free() {
  m_data.reset();
  m_size = 0;
  m_pos = 0;
}
