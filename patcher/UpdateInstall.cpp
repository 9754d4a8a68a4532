#include "patcher/UpdateInstall.h"

#include "platform/DebugLog.h"
#include "platform/FileOperations.h"
#include "platform/FileSystem.h"

namespace {

// The suffixes of the temporary names; no file of the game ends in them.
constexpr const char* kStagedSuffix = ".update-new";
constexpr const char* kBackupSuffix = ".update-old";

int64_t SizeOf(const std::string& path) {
  platform::File file;
  return file.OpenRead(path) ? file.Size() : -1;
}

}  // namespace

CUpdateInstall::CUpdateInstall(platform::FileOperations& files, const std::string& sourceFolder,
                               const std::string& installFolder, std::vector<std::string> names)
    : m_files(files), m_sourceFolder(sourceFolder) {
  // The folder as spelt on disk, so that the temporary names sit beside
  // their files.
  m_installFolder = platform::FindOnDisk(installFolder);
  if (m_installFolder.empty()) m_installFolder = installFolder;
  for (std::string& name : names) {
    Entry entry;
    entry.name = std::move(name);
    entry.staged = m_installFolder + "/" + entry.name + kStagedSuffix;
    entry.backup = m_installFolder + "/" + entry.name + kBackupSuffix;
    m_entries.push_back(std::move(entry));
  }
}

std::string CUpdateInstall::InstalledPath(const std::string& name) const {
  const std::string path = m_installFolder + "/" + name;
  const std::string onDisk = platform::FindOnDisk(path);
  return onDisk.empty() ? path : onDisk;
}

void CUpdateInstall::RecoverLeftovers() {
  for (const Entry& entry : m_entries) {
    if (platform::PathExists(entry.staged)) m_files.Remove(entry.staged);
    if (!platform::PathExists(entry.backup)) continue;
    if (platform::PathExists(InstalledPath(entry.name))) {
      m_files.Remove(entry.backup);
    } else {
      m_files.Rename(entry.backup, InstalledPath(entry.name));
    }
  }
}

bool CUpdateInstall::Fail(const Entry& entry) {
  m_failedName = entry.name;
  DebugLogf("update: cannot install %s", entry.name.c_str());
  return false;
}

bool CUpdateInstall::Preflight() {
  for (Entry& entry : m_entries) {
    entry.source = platform::FindOnDisk(m_sourceFolder + "/" + entry.name);
    if (entry.source.empty() || !m_files.IsRegularFile(entry.source)) return Fail(entry);
  }
  return true;
}

bool CUpdateInstall::Stage(Entry& entry) {
  entry.isStaged = m_files.Copy(entry.source, entry.staged);
  return entry.isStaged && SizeOf(entry.staged) == SizeOf(entry.source);
}

bool CUpdateInstall::Swap(Entry& entry) {
  entry.target = InstalledPath(entry.name);
  if (platform::PathExists(entry.target)) {
    entry.isBackedUp = m_files.Rename(entry.target, entry.backup);
    if (!entry.isBackedUp) return false;
  }
  entry.isPlaced = m_files.Rename(entry.staged, entry.target);
  entry.isStaged = !entry.isPlaced;
  return entry.isPlaced;
}

void CUpdateInstall::RollBack() {
  for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
    if (it->isBackedUp) {
      // Renaming over the new file puts the old one back in one step.
      if (!m_files.Rename(it->backup, it->target)) DebugLogf("update: %s not restored", it->name.c_str());
    } else if (it->isPlaced) {
      m_files.Remove(it->target);
    }
    if (it->isStaged) m_files.Remove(it->staged);
    it->isBackedUp = it->isPlaced = it->isStaged = false;
  }
}

void CUpdateInstall::RemoveBackups() {
  // A backup that stays behind is cleared by the next run; the update stands.
  for (Entry& entry : m_entries) {
    if (entry.isBackedUp) m_files.Remove(entry.backup);
    entry.isBackedUp = false;
  }
}

bool CUpdateInstall::Install() {
  if (!Preflight()) return false;
  for (Entry& entry : m_entries) {
    if (!Stage(entry)) {
      RollBack();
      return Fail(entry);
    }
  }
  for (Entry& entry : m_entries) {
    if (!Swap(entry)) {
      RollBack();
      return Fail(entry);
    }
  }
  RemoveBackups();
  return true;
}
