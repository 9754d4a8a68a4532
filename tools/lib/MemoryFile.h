#pragma once
// A reader over bytes in memory, for fuzzing the pack readers without disk.
#include <string>
#include <string_view>

#include "engine/FileReader.h"

namespace slvtools {

class MemoryFile : public cFile {
 public:
  explicit MemoryFile(std::string_view bytes) : m_bytes(bytes) {}
  int32_t Read(void* buffer, int32_t count) override;
  int GetChar() override;
  int32_t Seek(int32_t offset, int origin) override;
  int32_t Tell() override { return m_pos; }
  int32_t GetSize() override { return static_cast<int32_t>(m_bytes.size()); }

 private:
  std::string m_bytes;
  int32_t m_pos = 0;
};

}  // namespace slvtools
