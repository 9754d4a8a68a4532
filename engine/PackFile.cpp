#include "engine/PackFile.h"

#include <algorithm>

#include "engine/LzssDecoder.h"
#include "platform/DebugLog.h"

namespace {
namespace packfile {

std::unique_ptr<PackFile> g_packs;

constexpr int32_t kTrailerSize = 9;
constexpr int32_t kEntryHeaderSize = 14;            // before the name
constexpr int64_t kMinEntrySize = kEntryHeaderSize + 1;
constexpr int64_t kMaxEntrySize = kEntryHeaderSize + 255 + 1;

uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// Whether an entry the readers would open keeps them inside the pack. A stored
// entry unpacks to its stored size; an LZSS group of at most 17 stored bytes
// yields at most 136, so more than eight bytes per stored byte (and a group's
// slack) can only come from a corrupt size.
bool EntryFitsPack(const PackEntry& entry, int32_t packSize) {
  if (entry.m_kind != kPackStored && entry.m_kind != kPackLzss) return true;
  if (uint64_t{entry.m_offset} + entry.m_storedSize > static_cast<uint64_t>(packSize)) return false;
  if (entry.m_kind == kPackStored) return entry.m_unpackedSize == entry.m_storedSize;
  return entry.m_unpackedSize <= INT32_MAX &&
         uint64_t{entry.m_unpackedSize} <= uint64_t{entry.m_storedSize} * 8 + 136;
}

// The directory's bytes: what `count` entries can take between the directory
// offset and the trailer. Empty (logged) when the trailer is bad.
std::vector<uint8_t> ReadDirectoryBytes(cFile& reader, const std::string& name, int32_t* count) {
  *count = 0;
  const int32_t size = reader.GetSize();
  if (size < kTrailerSize) {
    DebugLogf("Pack %s: too short for a pack", name.c_str());
    return {};
  }
  uint8_t trailer[8];
  reader.Seek(size - kTrailerSize, kFileBegin);
  if (reader.Read(trailer, sizeof trailer) != static_cast<int32_t>(sizeof trailer)) {
    DebugLogf("Pack %s: cannot read its trailer", name.c_str());
    return {};
  }
  const uint32_t offset = ReadU32(trailer);
  const auto entries = static_cast<int32_t>(ReadU32(trailer + 4));
  if (entries <= 0) return {};
  const int64_t end = size - kTrailerSize;
  if (offset > end || entries * kMinEntrySize > end - offset) {
    DebugLogf("Pack %s: directory outside the file", name.c_str());
    return {};
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(std::min(end - offset, entries * kMaxEntrySize)));
  reader.Seek(static_cast<int32_t>(offset), kFileBegin);
  if (reader.Read(bytes.data(), static_cast<int32_t>(bytes.size())) != static_cast<int32_t>(bytes.size())) {
    DebugLogf("Pack %s: cannot read its directory", name.c_str());
    return {};
  }
  *count = entries;
  return bytes;
}

// Parses `count` records; false (logged) when one runs past the directory.
bool ParseDirectory(const std::vector<uint8_t>& bytes, int32_t count, int32_t packSize,
                    const std::string& name, std::vector<PackEntry>* entries) {
  size_t at = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (bytes.size() - at < kEntryHeaderSize || bytes.size() - at - kEntryHeaderSize < bytes[at] + 1u) {
      DebugLogf("Pack %s: entry %d runs past the directory's end", name.c_str(), i);
      return false;
    }
    const uint8_t* record = bytes.data() + at;
    PackEntry entry;
    entry.m_kind = record[1];
    entry.m_offset = ReadU32(record + 2);
    entry.m_storedSize = ReadU32(record + 6);
    entry.m_unpackedSize = ReadU32(record + 10);
    const char* text = reinterpret_cast<const char*>(record + kEntryHeaderSize);
    entry.m_name.assign(text, std::find(text, text + record[0], '\0'));
    at += kEntryHeaderSize + record[0] + 1u;
    if (!EntryFitsPack(entry, packSize)) {
      DebugLogf("Pack %s: entry %s lies outside the pack; passed over", name.c_str(),
                entry.m_name.c_str());
      continue;
    }
    entries->push_back(std::move(entry));
  }
  return true;
}

std::unique_ptr<cFile> OpenLoose(const std::string& name, int32_t bufferSize) {
  if (platform::PathLeavesBase(name)) {
    DebugLogf("%s leaves the game folder; not opened as a loose file", name.c_str());
    return nullptr;
  }
  platform::File file;
  if (!file.OpenRead(name)) return nullptr;
  if (!FitsAReader(file)) {
    DebugLogf("%s is too large to read", name.c_str());
    return nullptr;
  }
  return std::make_unique<cFileRaw>(std::move(file), bufferSize);
}

}  // namespace packfile
}  // namespace

const PackEntry* PackFile::Find(const std::string& name) const {
  const auto it = m_index.find(packfile::LowerAscii(name));
  return it == m_index.end() ? nullptr : &m_entries[it->second];
}

void PackFile::BuildIndex() {
  m_index.clear();
  for (uint32_t i = 0; i < m_entries.size(); ++i) {
    const uint8_t kind = m_entries[i].m_kind;
    if (kind == kPackStored || kind == kPackLzss) m_index.emplace(packfile::LowerAscii(m_entries[i].m_name), i);
  }
}

PackFile* GetPackList() { return packfile::g_packs.get(); }

namespace {
namespace packfile {

// The pack's directory, or null (logged) when the pack is refused.
std::unique_ptr<PackFile> ReadDirectory(cFile& reader, const std::string& name) {
  int32_t count = 0;
  const std::vector<uint8_t> bytes = ReadDirectoryBytes(reader, name, &count);
  if (count <= 0) return nullptr;
  auto pack = std::make_unique<PackFile>();
  if (!ParseDirectory(bytes, count, reader.GetSize(), name, &pack->m_entries)) return nullptr;
  return pack;
}

// The reader of a pack file on disk; null (logged) when it is too large.
std::unique_ptr<cFile> OpenPackOnDisk(platform::File file, const std::string& path) {
  if (!FitsAReader(file)) {
    DebugLogf("Pack %s: too large", path.c_str());
    return nullptr;
  }
  return std::make_unique<cFileDefault>(std::move(file));
}

}  // namespace packfile
}  // namespace

bool ReadPackDirectory(std::unique_ptr<cFile>& reader, const std::string& name) {
  if (reader == nullptr) return false;
  std::unique_ptr<PackFile> pack = packfile::ReadDirectory(*reader, name);
  if (pack == nullptr) return false;
  pack->m_reader = std::move(reader);
  pack->m_position = pack->m_reader->Tell();
  pack->BuildIndex();
  pack->m_next = std::move(packfile::g_packs);
  packfile::g_packs = std::move(pack);
  return true;
}

bool RegisterPack(const std::string& path) {
  std::unique_ptr<cFile> reader;
  platform::File file;
  if (file.OpenRead(path)) {
    reader = packfile::OpenPackOnDisk(std::move(file), path);
    if (reader == nullptr) return false;
  } else {
    reader = OpenPackedFile(path, kPackBufferSize);
  }
  return ReadPackDirectory(reader, path);
}

bool CanRegisterPack(const std::string& path) {
  platform::File file;
  if (!file.OpenRead(path)) return false;
  const std::unique_ptr<cFile> reader = packfile::OpenPackOnDisk(std::move(file), path);
  return reader != nullptr && packfile::ReadDirectory(*reader, path) != nullptr;
}

std::unique_ptr<cFile> OpenPackedFile(const std::string& name, int32_t bufferSize) {
  if (std::unique_ptr<cFile> loose = packfile::OpenLoose(name, bufferSize)) return loose;
  return OpenPackEntry(name, bufferSize);
}

std::unique_ptr<cFile> OpenPackEntry(const std::string& name, int32_t bufferSize) {
  for (PackFile* pack = packfile::g_packs.get(); pack != nullptr; pack = pack->m_next.get()) {
    const PackEntry* entry = pack->Find(name);
    if (entry == nullptr) continue;
    if (entry->m_kind == kPackLzss) return std::make_unique<cFileLZ>(pack, entry, bufferSize);
    return std::make_unique<cFilePacked>(pack, entry, bufferSize);
  }
  return nullptr;
}

void FreePacks() {
  // Newest first: a pack inside another reads through the older one.
  while (packfile::g_packs != nullptr) {
    std::unique_ptr<PackFile> newest = std::move(packfile::g_packs);
    packfile::g_packs = std::move(newest->m_next);
  }
}

cFilePacked::cFilePacked(PackFile* pack, const PackEntry* entry, int32_t bufferSize)
    : cBufferedFile(static_cast<int32_t>(entry->m_storedSize), bufferSize),
      m_pack(pack),
      m_entry(entry) {}

int32_t cFilePacked::Fetch(int32_t offset, uint8_t* destination, int32_t count) {
  const int32_t at = static_cast<int32_t>(m_entry->m_offset) + offset;
  cFile& source = *m_pack->m_reader;
  if (m_pack->m_position != at) {
    m_pack->m_position = source.Seek(at, kFileBegin);
    if (m_pack->m_position != at) return 0;
  }
  const int32_t got = std::max(source.Read(destination, count), 0);
  m_pack->m_position = at + got;
  return got;
}
