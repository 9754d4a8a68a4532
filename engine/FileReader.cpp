#include "engine/FileReader.h"

#include <algorithm>
#include <cstring>

int32_t ClampSeekTarget(int64_t base, int32_t offset, int32_t size) {
  return static_cast<int32_t>(std::clamp<int64_t>(base + offset, 0, size));
}

bool FitsAReader(const platform::File& file) {
  const int64_t size = file.Size();
  return size >= 0 && size <= INT32_MAX;
}

cBufferedFile::cBufferedFile(int32_t length, int32_t bufferSize)
    : m_length(std::max(length, 0)),
      // A buffer larger than the whole file would never fill.
      m_bufSize(std::clamp(bufferSize, 1, std::max(m_length, 1))),
      m_buffer(std::make_unique<uint8_t[]>(static_cast<size_t>(m_bufSize))) {}

bool cBufferedFile::Refill() {
  const int32_t start = Position();
  const int32_t count = std::min(m_bufSize, m_length - start);
  if (count <= 0) return false;
  const int32_t got = Fetch(start, m_buffer.get(), count);
  m_bufStart = start;
  m_bufPos = 0;
  m_bufLen = std::max(got, 0);
  return m_bufLen > 0;
}

int cBufferedFile::NextByteAfterRefill() { return Refill() ? m_buffer[m_bufPos++] : -1; }

int32_t cBufferedFile::Read(void* buffer, int32_t count) {
  if (count <= 0) return 0;
  auto* out = static_cast<uint8_t*>(buffer);
  const int32_t wanted = std::min(count, m_length - Position());
  int32_t done = 0;
  while (done < wanted) {
    if (m_bufPos >= m_bufLen && wanted - done >= m_bufSize) {
      // A whole buffer or more: straight into the caller's memory.
      const int32_t start = Position();
      const int32_t got = Fetch(start, out + done, wanted - done);
      if (got <= 0) break;
      m_bufStart = start + got;
      m_bufLen = m_bufPos = 0;
      done += got;
      continue;
    }
    if (m_bufPos >= m_bufLen && !Refill()) break;
    const int32_t n = std::min(wanted - done, m_bufLen - m_bufPos);
    std::memcpy(out + done, m_buffer.get() + m_bufPos, static_cast<size_t>(n));
    m_bufPos += n;
    done += n;
  }
  return done;
}

void cBufferedFile::MoveTo(int32_t target) {
  if (target >= m_bufStart && target <= m_bufStart + m_bufLen) {
    m_bufPos = target - m_bufStart;
    return;
  }
  m_bufStart = target;
  m_bufLen = m_bufPos = 0;
}

int32_t cBufferedFile::Seek(int32_t offset, int origin) {
  const int64_t base = origin == kFileBegin ? 0 : origin == kFileEnd ? m_length : Position();
  MoveTo(ClampSeekTarget(base, offset, m_length));
  return Position();
}

cFileDefault::cFileDefault(platform::File file)
    : m_file(std::move(file)), m_size(static_cast<int32_t>(std::max<int64_t>(m_file.Size(), 0))) {}

int32_t cFileDefault::Read(void* buffer, int32_t count) {
  if (count <= 0) return 0;
  const int64_t got = m_file.ReadAt(m_pos, buffer, std::min(count, m_size - m_pos));
  if (got <= 0) return 0;
  m_pos += static_cast<int32_t>(got);
  return static_cast<int32_t>(got);
}

int cFileDefault::GetChar() {
  uint8_t byte = 0;
  return Read(&byte, 1) == 1 ? byte : -1;
}

int32_t cFileDefault::Seek(int32_t offset, int origin) {
  const int64_t base = origin == kFileBegin ? 0 : origin == kFileEnd ? m_size : m_pos;
  m_pos = ClampSeekTarget(base, offset, m_size);
  return m_pos;
}

cFileRaw::cFileRaw(platform::File file, int32_t bufferSize)
    : cBufferedFile(static_cast<int32_t>(std::max<int64_t>(file.Size(), 0)), bufferSize),
      m_file(std::move(file)) {}

int32_t cFileRaw::Fetch(int32_t offset, uint8_t* destination, int32_t count) {
  return static_cast<int32_t>(std::max<int64_t>(m_file.ReadAt(offset, destination, count), 0));
}
