// Any bytes as a pack: its directory, then every entry it lets through, read
// whole, byte by byte and after seeks.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/LzssDecoder.h"
#include "engine/PackFile.h"
#include "launcher/MemoryStream.h"

namespace {

void ReadEntry(PackFile* pack, const PackEntry* entry) {
  std::unique_ptr<cFile> reader;
  if (entry->m_kind == kPackLzss) {
    reader = std::make_unique<cFileLZ>(pack, entry, 64);
  } else {
    reader = std::make_unique<cFilePacked>(pack, entry, 64);
  }
  char buffer[4096];
  while (reader->Read(buffer, sizeof buffer) > 0) {
  }
  reader->Seek(-100, kFileEnd);
  for (int i = 0; i < 200 && reader->GetChar() >= 0; ++i) {
  }
  reader->Seek(1, kFileBegin);
  reader->Read(buffer, 300);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::unique_ptr<cFile> reader =
      std::make_unique<MemoryStream>(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!ReadPackDirectory(reader, "fuzz")) return 0;
  PackFile* pack = GetPackList();
  int opened = 0;
  for (const PackEntry& entry : pack->m_entries) {
    const PackEntry* found = pack->Find(entry.m_name);
    if (found != nullptr && ++opened <= 32) ReadEntry(pack, found);
  }
  FreePacks();
  return 0;
}
