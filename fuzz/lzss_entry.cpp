// A compressed entry: two bytes of unpacked size, then the stored bytes. The
// engine's reader must deliver what the plain reference decoder makes of
// them, read in pieces, byte by byte and after seeks.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/LzssDecoder.h"
#include "tools/lib/LzssReference.h"
#include "launcher/MemoryStream.h"
#include "tools/lib/PackWriter.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

std::string ReadFrom(cFile& reader, int32_t chunk) {
  std::string out;
  std::string buffer(static_cast<size_t>(chunk), '\0');
  for (int32_t n; (n = reader.Read(buffer.data(), chunk)) > 0;) out.append(buffer.data(), static_cast<size_t>(n));
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const std::string stored(reinterpret_cast<const char*>(data) + 2, size - 2);
  // The most stored bytes can unpack to; a larger size is a corrupt entry.
  const auto unpacked = static_cast<uint32_t>(std::min<size_t>(data[0] | data[1] << 8, stored.size() * 8 + 136));
  slvtools::PackWriter writer;
  writer.AddRaw("entry", kPackLzss, stored, unpacked);
  std::unique_ptr<cFile> memory = std::make_unique<MemoryStream>(writer.Build());
  Check(ReadPackDirectory(memory));
  PackFile* pack = GetPackList();
  const std::string expected = slvtools::LzssDecodeReference(stored, unpacked);
  {
    cFileLZ reader(pack, pack->Find("entry"), 1 + data[0] % 64);
    Check(ReadFrom(reader, 1 + data[1] % 200) == expected);
    const int32_t back = static_cast<int32_t>(unpacked / 3);
    Check(reader.Seek(back, kFileBegin) == back);
    Check(ReadFrom(reader, 4096) == expected.substr(static_cast<size_t>(back)));
    reader.Seek(0, kFileBegin);
    for (const char c : expected) Check(reader.GetChar() == static_cast<uint8_t>(c));
    Check(reader.GetChar() == -1);
  }
  FreePacks();
  return 0;
}
