#pragma once
// Where the loaders find the file the command line names, as the game would
// find it: FILE on disk, or PAK:NAME, an entry read through the pack code.
//
// The tool works in a folder of its own for as long as the source lives: an
// empty one for a pack entry (no loose file may stand in for it), the game
// folder above a FILE that lies below a "data" folder (so that what the file
// names beside it is found as the game finds it), or else a folder whose
// "data" holds a link to FILE.
#include <filesystem>
#include <memory>
#include <string>

#include "engine/FileStream.h"

namespace slvinspect {

class InspectSource {
 public:
  InspectSource();
  ~InspectSource();
  InspectSource(const InspectSource&) = delete;
  InspectSource& operator=(const InspectSource&) = delete;

  enum class Status { kOpened, kWrongName, kNotAPack };
  // `fixedName`, when not empty, is the only base name the loader reads (the
  // scrap table's "scraps.txt"): an entry of another name is kWrongName. A
  // pack that cannot be registered is kNotAPack.
  Status Open(const std::string& argument, const std::string& fixedName);

  // The name that the resource loaders take, under the resource directory "\".
  const std::string& ResName() const { return m_resName; }
  // The file on disk, absolute; empty for a pack entry.
  const std::string& DiskPath() const { return m_diskPath; }
  // Pack entries only: the entry's name as the pack holds it.
  const std::string& EntryName() const { return m_entryName; }
  bool IsPacked() const { return !m_packPath.empty(); }
  // The tool's own scratch folder (lock files and links).
  const std::filesystem::path& ScratchFolder() const { return m_scratch; }

 private:
  Status OpenPacked(const std::string& pack, const std::string& entry, const std::string& fixedName);
  void OpenOnDisk(const std::string& file, const std::string& fixedName);
  // A link to the file (or, for an entry outside "data/", a copy of its
  // bytes) in the scratch folder's "data" under `name`.
  bool PlaceInScratch(const std::string& name, const std::string& diskFile);

  std::filesystem::path m_previous;
  std::filesystem::path m_scratch;
  std::string m_resName;
  std::string m_diskPath;
  std::string m_packPath;
  std::string m_entryName;
};

// Splits PAK:NAME where PAK names an existing file (relative paths from
// `base`); false for a plain FILE.
bool SplitPackArgument(const std::string& argument, const std::filesystem::path& base, std::string* pack,
                       std::string* entry);

// Loads a resource as the manager would, but under the name the source gives.
template <class Res>
std::unique_ptr<Res> LoadRes(const InspectSource& source) {
  auto res = std::make_unique<Res>();
  SetResDirectory("\\");
  if (!res->Load(source.ResName())) return nullptr;
  return res;
}

}  // namespace slvinspect
