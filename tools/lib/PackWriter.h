#pragma once
// Writes pack files: each entry's stored bytes, then the directory and the
// 9-byte trailer the engine reads.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace slvtools {

class PackWriter {
 public:
  // Entry names are at most 255 bytes; a longer one is refused.
  bool AddStored(const std::string& name, std::string_view bytes);
  bool AddCompressed(const std::string& name, std::string_view bytes);
  // An entry exactly as given: folders (kind 2) and hand-made streams.
  bool AddRaw(const std::string& name, uint8_t kind, std::string_view stored, uint32_t unpackedSize);

  // The pack's bytes after `prefix`; offsets count from the prefix's first
  // byte, as in a pack appended to a program.
  std::string Build(std::string_view prefix = {}) const;
  bool WriteFile(const std::string& path) const;
  size_t Count() const { return m_entries.size(); }

 private:
  struct Entry {
    std::string name;
    uint8_t kind;
    std::string stored;
    uint32_t unpackedSize;
  };
  std::vector<Entry> m_entries;
};

}  // namespace slvtools
