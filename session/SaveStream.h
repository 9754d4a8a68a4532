#pragma once
// The compressed streams save games travel through: the writer keeps the
// whole content in memory and compresses it when closed; the reader decodes
// on demand into a ring.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {
class FileOperations;
}

// The largest session image: the fixed part and 65535 script variables.
inline constexpr int32_t kMaxSaveContent = 37715 + 42 * 65535;

class CSaveWriter {
 public:
  CSaveWriter() = default;
  // Writes through `files` (for the fault tests); the writer's own otherwise.
  explicit CSaveWriter(platform::FileOperations& files) : m_files(&files) {}
  ~CSaveWriter() { Close(); }
  CSaveWriter(const CSaveWriter&) = delete;
  CSaveWriter& operator=(const CSaveWriter&) = delete;

  bool Open(const std::string& path);
  void Write(const void* bytes, int32_t n);
  int32_t ReadBack(void* buffer, int32_t n);
  // Compresses and writes the file whole, or leaves what stood there; false
  // when nothing was written.
  bool Close();

  // The stream file of a content: its length, then the groups.
  static std::vector<uint8_t> Compress(const uint8_t* raw, size_t length);

 private:
  platform::FileOperations* m_files = nullptr;
  std::string m_path;
  bool m_open = false;
  std::vector<uint8_t> m_raw;
  size_t m_readBack = 0;
};

class CSaveReader {
 public:
  static constexpr int32_t kRingSize = 8192;

  // False when the file is missing or its raw length is out of range.
  bool Open(const std::string& path);
  // The same over a stream held in memory.
  bool OpenBytes(std::vector<uint8_t> stream);
  // Copies up to n bytes; fewer at the end, or where the stream is corrupt.
  int32_t Read(void* buffer, int32_t n);
  void Close();

  int32_t RawLength() const { return m_rawLength; }
  // A reference before the start or of distance 0, or the file ended early.
  bool Failed() const { return m_failed; }

 private:
  // Decodes one group into the ring.
  void Refill();
  int NextByte();

  std::array<uint8_t, kRingSize> m_ring{};
  std::vector<uint8_t> m_stream;
  size_t m_streamPos = 0;
  int32_t m_rawLength = 0;
  int64_t m_readPos = 0;
  int64_t m_decoded = 0;
  bool m_failed = false;
};
