#include "tools/lib/PackWriter.h"

#include <fstream>

#include "tools/lib/ByteWriter.h"
#include "tools/lib/LzssEncoder.h"

namespace slvtools {
bool PackWriter::AddRaw(const std::string& name, uint8_t kind, std::string_view stored,
                        uint32_t unpackedSize) {
  if (name.size() > 255) return false;
  m_entries.push_back({name, kind, std::string(stored), unpackedSize});
  return true;
}

bool PackWriter::AddStored(const std::string& name, std::string_view bytes) {
  return AddRaw(name, 0, bytes, static_cast<uint32_t>(bytes.size()));
}

bool PackWriter::AddCompressed(const std::string& name, std::string_view bytes) {
  return AddRaw(name, 1, LzssEncode(bytes), static_cast<uint32_t>(bytes.size()));
}

std::string PackWriter::Build(std::string_view prefix) const {
  std::string out(prefix);
  std::vector<uint32_t> offsets;
  for (const Entry& e : m_entries) {
    offsets.push_back(static_cast<uint32_t>(out.size()));
    out += e.stored;
  }
  const auto directory = static_cast<uint32_t>(out.size());
  for (size_t i = 0; i < m_entries.size(); ++i) {
    const Entry& e = m_entries[i];
    out.push_back(static_cast<char>(e.name.size()));
    out.push_back(static_cast<char>(e.kind));
    PutU32(out, offsets[i]);
    PutU32(out, static_cast<uint32_t>(e.stored.size()));
    PutU32(out, e.unpackedSize);
    out += e.name;
    out.push_back('\0');
  }
  PutU32(out, directory);
  PutU32(out, static_cast<uint32_t>(m_entries.size()));
  out.push_back('\0');
  return out;
}

bool PackWriter::WriteFile(const std::string& path) const {
  const std::string bytes = Build();
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file.flush());
}

}  // namespace slvtools
