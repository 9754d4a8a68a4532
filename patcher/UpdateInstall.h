#pragma once
// Puts a set of files into an installed folder whole, or leaves the folder as
// it was. Each file is first copied beside its target under a temporary
// name (same file system, so the swaps are single renames); then, in order,
// the installed file moves to a backup name and the new one into place. A
// failure anywhere puts every backup back and removes what was added.
#include <string>
#include <vector>

namespace platform {
class FileOperations;
}

class CUpdateInstall {
 public:
  // Names are looked up in both folders without regard to ASCII case.
  CUpdateInstall(platform::FileOperations& files, const std::string& sourceFolder,
                 const std::string& installFolder, std::vector<std::string> names);

  // Temporary and backup files of a run that was killed: a backup whose file
  // is missing (killed between the two renames) goes back; the rest go.
  void RecoverLeftovers();
  // False when any file could not be installed; FailedName says which.
  bool Install();
  const std::string& FailedName() const { return m_failedName; }
  // Where `name` lies in the installed folder.
  std::string InstalledPath(const std::string& name) const;

 private:
  struct Entry {
    std::string name;
    std::string source;
    std::string target;
    std::string staged;
    std::string backup;
    bool isStaged = false;
    bool isBackedUp = false;
    bool isPlaced = false;
  };

  bool Preflight();
  bool Stage(Entry& entry);
  bool Swap(Entry& entry);
  void RollBack();
  void RemoveBackups();
  bool Fail(const Entry& entry);

  platform::FileOperations& m_files;
  std::string m_sourceFolder;
  std::string m_installFolder;
  std::vector<Entry> m_entries;
  std::string m_failedName;
};
