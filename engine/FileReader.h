#pragma once
// The readers that deliver a file's bytes: the abstract cFile, the buffering
// they share, and the two readers of files on disk.
#include <cstdint>
#include <memory>

#include "platform/FileSystem.h"

// Seek origins.
inline constexpr int kFileBegin = 0;
inline constexpr int kFileCurrent = 1;
inline constexpr int kFileEnd = 2;

class cFile {
 public:
  virtual ~cFile() = default;
  // Bytes delivered; fewer, or 0, at the end.
  virtual int32_t Read(void* buffer, int32_t count) = 0;
  // The next byte (0-255), or -1 at the end.
  virtual int GetChar() = 0;
  // From the start (0), the end (2) or, for any other origin, the current
  // position; the target is clamped to the file. Returns the new position.
  virtual int32_t Seek(int32_t offset, int origin) = 0;
  virtual int32_t Tell() = 0;
  // The bytes a reader delivers from position 0.
  virtual int32_t GetSize() = 0;
};

// Clamps base + offset to 0..size.
int32_t ClampSeekTarget(int64_t base, int32_t offset, int32_t size);

// A reader that fetches `length` bytes from its source a buffer at a time.
class cBufferedFile : public cFile {
 public:
  int32_t Read(void* buffer, int32_t count) override;
  int GetChar() override { return NextByte(); }
  int32_t Seek(int32_t offset, int origin) override;
  int32_t Tell() override { return Position(); }
  int32_t GetSize() override { return m_length; }

 protected:
  cBufferedFile(int32_t length, int32_t bufferSize);
  // Up to `count` source bytes at `offset` (within 0..length); how many came.
  virtual int32_t Fetch(int32_t offset, uint8_t* destination, int32_t count) = 0;

  int NextByte() { return m_bufPos < m_bufLen ? m_buffer[m_bufPos++] : NextByteAfterRefill(); }
  // The buffered bytes from the current position on (refilled when used up);
  // `available` is 0 at the end.
  const uint8_t* Peek(int32_t* available) {
    if (m_bufPos >= m_bufLen) Refill();
    *available = m_bufLen - m_bufPos;
    return m_buffer.get() + m_bufPos;
  }
  void Skip(int32_t count) { m_bufPos += count; }
  void MoveTo(int32_t target);
  int32_t Length() const { return m_length; }
  // Not Tell: a decoding subclass tells its own position.
  int32_t Position() const { return m_bufStart + m_bufPos; }

 private:
  bool Refill();
  int NextByteAfterRefill();

  int32_t m_length;
  int32_t m_bufSize;
  std::unique_ptr<uint8_t[]> m_buffer;
  int32_t m_bufStart = 0;  // source offset of the buffer's first byte
  int32_t m_bufLen = 0;
  int32_t m_bufPos = 0;
};

// A plain file on disk, unbuffered: the reader of a pack file's own bytes.
class cFileDefault : public cFile {
 public:
  // The file must be below 2 GiB.
  explicit cFileDefault(platform::File file);
  int32_t Read(void* buffer, int32_t count) override;
  int GetChar() override;
  int32_t Seek(int32_t offset, int origin) override;
  int32_t Tell() override { return m_pos; }
  int32_t GetSize() override { return m_size; }

 private:
  platform::File m_file;
  int32_t m_size;
  int32_t m_pos = 0;
};

// A loose file on disk, buffered.
class cFileRaw : public cBufferedFile {
 public:
  // The file must be below 2 GiB.
  cFileRaw(platform::File file, int32_t bufferSize);

 protected:
  int32_t Fetch(int32_t offset, uint8_t* destination, int32_t count) override;

 private:
  platform::File m_file;
};

// Readers take files below 2 GiB, whose positions fit their 32-bit fields.
bool FitsAReader(const platform::File& file);
