#pragma once
// Every entry of a folder with its bytes (or link target) and permission
// bits, to show that an installer left the folder exactly as it was; and the
// files of a small update kit.
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <string>

#include "tests/support/TestSupport.h"
#include "tools/lib/PackWriter.h"

namespace patchertest {

inline std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    struct stat st{};
    lstat(entry.path().c_str(), &st);
    std::string what = std::to_string(st.st_mode) + ":";
    if (entry.is_symlink()) {
      what += "link " + std::filesystem::read_symlink(entry.path()).string();
    } else if (entry.is_regular_file()) {
      what += testsupport::ReadFile(entry.path());
    }
    entries[entry.path().filename().string()] = what;
  }
  return entries;
}

inline unsigned Mode(const std::filesystem::path& path) {
  struct stat st{};
  stat(path.c_str(), &st);
  return st.st_mode & 0777;
}

// What an update kit's file holds: the pack a real pack the game takes, the
// others a line that names them.
inline std::string NewContent(const std::string& name) {
  if (!name.ends_with(".pak")) return "new " + name;
  slvtools::PackWriter pack;
  pack.AddStored("data/notice.txt", "new " + name);
  return pack.Build();
}

}  // namespace patchertest
