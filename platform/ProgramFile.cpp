#include "platform/ProgramFile.h"

#include <elf.h>

#include <bit>
#include <cstring>
#include <type_traits>

#include "platform/FileSystem.h"

namespace platform {
namespace {

// The running program's own layout: a header read in it needs no byte swaps.
using NativeHeader = std::conditional_t<sizeof(void*) == 8, Elf64_Ehdr, Elf32_Ehdr>;
using NativeSegment = std::conditional_t<sizeof(void*) == 8, Elf64_Phdr, Elf32_Phdr>;
constexpr unsigned char kNativeClass = sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32;
constexpr unsigned char kNativeByteOrder = std::endian::native == std::endian::little ? ELFDATA2LSB : ELFDATA2MSB;

bool ReadProgramHeader(File& file, NativeHeader* header) {
  if (file.ReadAt(0, header, sizeof *header) != static_cast<int64_t>(sizeof *header)) return false;
  return std::memcmp(header->e_ident, ELFMAG, SELFMAG) == 0 && header->e_ident[EI_CLASS] == kNativeClass &&
         header->e_ident[EI_DATA] == kNativeByteOrder && header->e_ident[EI_VERSION] == EV_CURRENT &&
         (header->e_type == ET_EXEC || header->e_type == ET_DYN);
}

// The machine this program was built for, as its own file says.
bool OwnMachine(uint16_t* machine) {
  File self;
  NativeHeader header{};
  if (!self.OpenRead("/proc/self/exe") || !ReadProgramHeader(self, &header)) return false;
  *machine = header.e_machine;
  return true;
}

bool SegmentsInside(File& file, const NativeHeader& header) {
  const uint64_t size = static_cast<uint64_t>(file.Size());
  const uint64_t table = uint64_t{header.e_phnum} * sizeof(NativeSegment);
  if (header.e_phentsize != sizeof(NativeSegment) || header.e_phnum == 0 || header.e_phnum == PN_XNUM ||
      header.e_phoff > size || table > size - header.e_phoff) {
    return false;
  }
  int loaded = 0;
  for (uint64_t i = 0; i < header.e_phnum; ++i) {
    NativeSegment segment{};
    const int64_t at = static_cast<int64_t>(header.e_phoff + i * sizeof segment);
    if (file.ReadAt(at, &segment, sizeof segment) != static_cast<int64_t>(sizeof segment)) return false;
    if (segment.p_type != PT_LOAD) continue;
    if (segment.p_offset > size || segment.p_filesz > size - segment.p_offset) return false;
    ++loaded;
  }
  return loaded > 0;
}

}  // namespace

bool IsProgramForThisMachine(const std::string& path) {
  File file;
  NativeHeader header{};
  uint16_t machine = 0;
  return file.OpenRead(path) && ReadProgramHeader(file, &header) && OwnMachine(&machine) &&
         header.e_machine == machine && SegmentsInside(file, header);
}

}  // namespace platform
