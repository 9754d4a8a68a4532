#pragma once
// A whole file held in memory, for the loaders that parse binary formats.
#include <cstdint>
#include <memory>
#include <string>

class CFileStream;

class CMemFile {
 public:
  // Reads the stream's whole logical size. An empty file never loads.
  bool Load(CFileStream& stream);
  // Opens the resource through the file stream and reads it whole.
  bool LoadFile(const std::string& name);
  // True, and the position advances, when all `count` bytes lie inside the
  // data; otherwise nothing is copied and the failure is logged.
  bool Read(void* buffer, uint32_t count);
  // 0 from the start, 1 from the position, 2 from the end; not bounded here,
  // a later Read reports a bad position.
  void Seek(int32_t offset, uint32_t origin);
  int32_t GetSize() const { return m_size; }
  int64_t GetPosition() const { return m_pos; }
  const std::string& GetName() const { return m_name; }
  void Free();

 private:
  std::string m_name;
  std::unique_ptr<uint8_t[]> m_data;
  int32_t m_size = 0;
  int64_t m_pos = 0;
};
