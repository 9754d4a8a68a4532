#pragma once
// Every entry of a folder with its bytes (or link target) and permission
// bits, to show that an installer left the folder exactly as it was; and the
// files of a small update kit.
#include <elf.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <type_traits>

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

// The smallest program of this machine's kind: the test program's own
// header, one segment that loads the whole file, then `text`. `machine`
// replaces the header's machine when it is not 0.
inline std::string ProgramFile(const std::string& text, uint16_t machine = 0) {
  using Header = std::conditional_t<sizeof(void*) == 8, Elf64_Ehdr, Elf32_Ehdr>;
  using Segment = std::conditional_t<sizeof(void*) == 8, Elf64_Phdr, Elf32_Phdr>;
  Header header{};
  std::ifstream("/proc/self/exe", std::ios::binary).read(reinterpret_cast<char*>(&header), sizeof header);
  if (machine != 0) header.e_machine = machine;
  header.e_phoff = sizeof header;
  header.e_phentsize = sizeof(Segment);
  header.e_phnum = 1;
  header.e_shoff = 0;
  header.e_shnum = 0;
  header.e_shstrndx = 0;
  Segment segment{};
  segment.p_type = PT_LOAD;
  segment.p_filesz = segment.p_memsz = sizeof header + sizeof segment + text.size();
  std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
  bytes.append(reinterpret_cast<const char*>(&segment), sizeof segment);
  return bytes + text;
}

// What an update kit's file holds: the pack a real pack the game takes, the
// programs (the names without an extension) programs of this machine, the
// readme a line that names it.
inline std::string NewContent(const std::string& name) {
  if (name.find('.') == std::string::npos) return ProgramFile("new " + name);
  if (!name.ends_with(".pak")) return "new " + name;
  slvtools::PackWriter pack;
  pack.AddStored("data/notice.txt", "new " + name);
  return pack.Build();
}

}  // namespace patchertest
