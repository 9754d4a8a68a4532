#pragma once
// A whole file held in memory, read like any other file of the pack layer.
// The launcher reads its own program file this way to find the pack appended
// to it; tools and tests read packs built in memory.
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/FileReader.h"

class MemoryStream : public cFile {
 public:
  explicit MemoryStream(std::vector<uint8_t> data) : m_data(std::move(data)) {}
  explicit MemoryStream(std::string_view bytes) : m_data(bytes.begin(), bytes.end()) {}

  // min(count, size - position) bytes.
  int32_t Read(void* buffer, int32_t count) override;
  int GetChar() override;
  // Origins 0, 1 and 2; the target is clamped to 0..size. Other origins
  // change nothing.
  int32_t Seek(int32_t offset, int origin) override;
  int32_t Tell() override { return m_position; }
  int32_t GetSize() override { return static_cast<int32_t>(m_data.size()); }

 private:
  std::vector<uint8_t> m_data;
  int32_t m_position = 0;
};
