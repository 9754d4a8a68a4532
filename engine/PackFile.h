#pragma once
// Pack files: a directory of entries at the end of the file, kept in one
// process-wide list, newest first. A name is looked for as a loose file first,
// then in the packs from the newest.
//
// Layout: the entries' stored bytes; the directory, one record per entry
// (name length L, kind, data offset, stored size, unpacked size, the name and
// a NUL byte); and a 9-byte trailer (directory offset, entry count, one byte).
// Integers are little-endian and offsets count from the file's first byte.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/FileReader.h"

enum : uint8_t { kPackStored = 0, kPackLzss = 1, kPackFolder = 2 };

// Streams and packs read 128 KiB at a time.
inline constexpr int32_t kPackBufferSize = 131072;

struct PackEntry {
  uint8_t m_kind = kPackStored;
  uint32_t m_offset = 0;
  uint32_t m_storedSize = 0;
  uint32_t m_unpackedSize = 0;
  std::string m_name;
};

struct PackFile {
  // Declared first so that it goes last: a newer pack may read through an older one.
  std::unique_ptr<PackFile> m_next;
  std::unique_ptr<cFile> m_reader;
  // Where m_reader stands; every entry reader of the pack shares it.
  int32_t m_position = 0;
  std::vector<PackEntry> m_entries;

  // The first entry of kind 0 or 1 named `name` regardless of ASCII case.
  const PackEntry* Find(const std::string& name) const;
  void BuildIndex();

 private:
  std::unordered_map<std::string, uint32_t> m_index;  // lower-cased name -> entry
};

// The newest pack, or null.
PackFile* GetPackList();
// Reads a pack on disk, or else a pack found by OpenPackedFile (inside an
// earlier pack). True when it was registered.
bool RegisterPack(const std::string& path);
// Whether RegisterPack would take the pack file on disk at `path`; reads its
// directory only and registers nothing.
bool CanRegisterPack(const std::string& path);
// Reads the directory at the end of `reader`. When the pack is registered it
// takes the reader and returns true; otherwise the reader stays with the
// caller. A pack whose trailer, directory or names lie outside it is not
// registered (logged with `name`); an entry whose bytes lie outside it is
// passed over.
bool ReadPackDirectory(std::unique_ptr<cFile>& reader, const std::string& name = "");
// A loose file, else the entry of the newest pack that holds the name; null
// when neither. A relative name that climbs out of the game folder is not
// opened loose.
std::unique_ptr<cFile> OpenPackedFile(const std::string& name, int32_t bufferSize);
// The pack half of OpenPackedFile: the entry of the newest pack that holds
// the name, read by the reader of its kind; null when none does.
std::unique_ptr<cFile> OpenPackEntry(const std::string& name, int32_t bufferSize);
// Empties the pack list. Readers of its entries must be gone.
void FreePacks();

// Reads a kind-0 entry's stored bytes through the pack's reader.
class cFilePacked : public cBufferedFile {
 public:
  cFilePacked(PackFile* pack, const PackEntry* entry, int32_t bufferSize);
  int32_t GetSize() override { return static_cast<int32_t>(m_entry->m_unpackedSize); }

 protected:
  int32_t Fetch(int32_t offset, uint8_t* destination, int32_t count) override;

  PackFile* m_pack;
  const PackEntry* m_entry;
};
