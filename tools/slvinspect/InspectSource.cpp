#include "tools/slvinspect/InspectSource.h"

#include <fstream>
#include <random>

#include "engine/FileStream.h"
#include "engine/PackFile.h"
#include "platform/FileSystem.h"

namespace fs = std::filesystem;

namespace slvinspect {
namespace {

bool IsFile(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

// "data/" or "data\" in any case.
bool StartsWithDataFolder(const std::string& name) {
  return name.size() > 5 && (name[4] == '/' || name[4] == '\\') && platform::SameFileName(name.substr(0, 4), "data");
}

std::string BaseName(const std::string& name) {
  const size_t slash = name.find_last_of("/\\");
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

// The game folder above `file` (the parent of its nearest "data" folder) and
// the file's name below that "data"; false when no ancestor is named so.
bool FindGameFolder(const fs::path& file, fs::path* game, std::string* name) {
  fs::path below = file.filename();
  for (fs::path folder = file.parent_path(); folder.has_relative_path(); folder = folder.parent_path()) {
    if (platform::SameFileName(folder.filename().string(), "data")) {
      *game = folder.parent_path();
      *name = below.generic_string();
      return true;
    }
    below = folder.filename() / below;
  }
  return false;
}

}  // namespace

bool SplitPackArgument(const std::string& argument, const fs::path& base, std::string* pack, std::string* entry) {
  if (IsFile((base / argument).string())) return false;
  for (size_t colon = argument.find(':'); colon != std::string::npos; colon = argument.find(':', colon + 1)) {
    if (colon == 0 || colon + 1 == argument.size() || !IsFile((base / argument.substr(0, colon)).string())) continue;
    *pack = argument.substr(0, colon);
    *entry = argument.substr(colon + 1);
    return true;
  }
  return false;
}

InspectSource::InspectSource() : m_previous(fs::current_path()) {
  std::random_device random;
  m_scratch = fs::temp_directory_path() / ("slvinspect-" + std::to_string(random()) + std::to_string(random()));
  fs::create_directories(m_scratch / "data");
  fs::current_path(m_scratch);
  SetResDirectory("\\");
}

InspectSource::~InspectSource() {
  FreePacks();
  std::error_code ignored;
  fs::current_path(m_previous, ignored);
  fs::remove_all(m_scratch, ignored);
}

InspectSource::Status InspectSource::Open(const std::string& argument, const std::string& fixedName) {
  std::string pack, entry;
  if (SplitPackArgument(argument, m_previous, &pack, &entry)) return OpenPacked(pack, entry, fixedName);
  OpenOnDisk(argument, fixedName);
  return Status::kOpened;
}

InspectSource::Status InspectSource::OpenPacked(const std::string& pack, const std::string& entry,
                                                const std::string& fixedName) {
  m_packPath = fs::absolute(m_previous / pack).string();
  m_entryName = entry;
  if (!fixedName.empty() && !platform::SameFileName(BaseName(entry), fixedName)) return Status::kWrongName;
  if (!RegisterPack(m_packPath)) return Status::kNotAPack;
  if (StartsWithDataFolder(entry)) {
    m_resName = entry.substr(5);
    return Status::kOpened;
  }
  // Names outside "data/" (a launcher's pack) are no resources: their bytes,
  // read through the pack, are laid where the loaders look.
  m_resName = BaseName(entry);
  const std::unique_ptr<cFile> reader = OpenPackedFile(entry, kPackBufferSize);
  if (reader == nullptr) return Status::kOpened;  // the loader reports the missing file
  std::ofstream out(m_scratch / "data" / m_resName, std::ios::binary);
  std::vector<char> buffer(65536);
  for (int32_t n; (n = reader->Read(buffer.data(), static_cast<int32_t>(buffer.size()))) > 0;) {
    out.write(buffer.data(), n);
  }
  return Status::kOpened;
}

void InspectSource::OpenOnDisk(const std::string& file, const std::string& fixedName) {
  const fs::path absolute = fs::absolute(m_previous / file).lexically_normal();
  m_diskPath = absolute.string();
  fs::path game;
  std::string name;
  const bool nameFits = fixedName.empty() || platform::SameFileName(absolute.filename().string(), fixedName);
  if (nameFits && FindGameFolder(absolute, &game, &name)) {
    fs::current_path(game);
    m_resName = name;
    return;
  }
  m_resName = fixedName.empty() ? absolute.filename().string() : fixedName;
  PlaceInScratch(m_resName, m_diskPath);
}

bool InspectSource::PlaceInScratch(const std::string& name, const std::string& diskFile) {
  if (!IsFile(diskFile)) return false;  // the loader reports the missing file
  std::error_code ec;
  fs::create_symlink(diskFile, m_scratch / "data" / name, ec);
  if (!ec) return true;
  fs::copy_file(diskFile, m_scratch / "data" / name, ec);
  return !ec;
}

}  // namespace slvinspect
