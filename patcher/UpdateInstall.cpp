#include "patcher/UpdateInstall.h"

#include "engine/PackFile.h"
#include "patcher/InstallJournal.h"
#include "platform/DebugLog.h"
#include "platform/FileOperations.h"
#include "platform/FileSystem.h"
#include "platform/ProgramFile.h"

namespace {

// The suffixes of the temporary names; no file of the game ends in them.
constexpr const char* kStagedSuffix = ".update-new";
constexpr const char* kBackupSuffix = ".update-old";
// A journal names a few files; anything longer is not one.
constexpr int64_t kMaxJournalBytes = 1 << 16;

int64_t SizeOf(const std::string& path) {
  platform::File file;
  return file.OpenRead(path) ? file.Size() : -1;
}

bool IsPack(const std::string& name) { return name.size() > 4 && platform::SameFileName(name.substr(name.size() - 4), ".pak"); }

// The game's programs are the names without an extension.
bool IsProgram(const std::string& name) { return name.find('.') == std::string::npos; }

std::string FileName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

bool ReadText(const std::string& path, std::string* text) {
  platform::File file;
  if (!file.OpenRead(path)) return false;
  const int64_t size = file.Size();
  if (size < 0 || size > kMaxJournalBytes) return false;
  text->resize(static_cast<size_t>(size));
  return file.Read(text->data(), size) == size;
}

}  // namespace

CUpdateInstall::CUpdateInstall(platform::FileOperations& files, const std::string& sourceFolder,
                               const std::string& installFolder, std::vector<std::string> names)
    : m_files(files), m_sourceFolder(sourceFolder) {
  // The folder as spelt on disk, so that the temporary names sit beside
  // their files.
  m_installFolder = platform::FindOnDisk(installFolder);
  if (m_installFolder.empty()) m_installFolder = installFolder;
  m_journal = m_installFolder + "/" + kJournalName;
  m_rollbackJournal = m_installFolder + "/" + kRollbackName;
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

bool CUpdateInstall::Exists(const std::string& path) { return m_files.Exists(path); }

void CUpdateInstall::Step(const std::string& what, const Entry* entry) {
  if (m_afterStep) m_afterStep(entry != nullptr ? what + " " + entry->name : what);
}

bool CUpdateInstall::Fail(const std::string& name) {
  m_failedName = name;
  DebugLogf("update: cannot install %s", name.c_str());
  return false;
}

// ---- a run ended half-way

bool CUpdateInstall::Recover() {
  const bool undoing = Exists(m_rollbackJournal);
  const bool open = undoing || Exists(m_journal);
  const std::string& journal = undoing ? m_rollbackJournal : m_journal;
  if (open && !ReadJournal(journal)) {
    // Settled file by file, a half-swapped install would stay part new, part
    // old: everything stays as it is for a person to settle.
    m_unfollowableJournal = journal;
    return Fail(FileName(journal));
  }
  if (Exists(m_journal + ".tmp")) m_files.Remove(m_journal + ".tmp");  // ended while writing the journal
  if (!open) {
    Sweep();
    return true;
  }
  if (undoing) {
    UndoSwaps();
  } else {
    Completable() ? Commit() : RollBack();
  }
  return Settled();
}

bool CUpdateInstall::Settled() {
  if (Exists(m_journal) || Exists(m_rollbackJournal)) return Fail(kJournalName);
  m_failedName.clear();
  return true;
}

// A journal that is not this installer's own (damaged, another update's
// names) is not followed.
bool CUpdateInstall::ReadJournal(const std::string& path) {
  std::string text;
  std::vector<JournalEntry> journal;
  if (!ReadText(path, &text) || !installjournal::Decode(text, &journal) || journal.size() != m_entries.size()) {
    DebugLogf("update: the journal %s cannot be followed", path.c_str());
    return false;
  }
  for (size_t i = 0; i < journal.size(); ++i) {
    const Entry& entry = m_entries[i];
    if (!platform::SameFileName(journal[i].target, entry.name) || journal[i].staged != FileName(entry.staged) ||
        journal[i].backup != FileName(entry.backup)) {
      DebugLogf("update: the journal %s names %s where %s belongs", path.c_str(), journal[i].target.c_str(),
                entry.name.c_str());
      return false;
    }
  }
  for (size_t i = 0; i < journal.size(); ++i) {
    m_entries[i].target = m_installFolder + "/" + journal[i].target;
    m_entries[i].existed = journal[i].existed;
    m_entries[i].size = journal[i].size;
  }
  return true;
}

// Every new file is at hand: still staged and whole, or already in place.
bool CUpdateInstall::Completable() {
  for (const Entry& entry : m_entries) {
    if (Exists(entry.staged) ? SizeOf(entry.staged) != entry.size : !Exists(entry.target)) return false;
  }
  return true;
}

void CUpdateInstall::Sweep() {
  for (const Entry& entry : m_entries) {
    if (Exists(entry.staged)) m_files.Remove(entry.staged);
    if (!Exists(entry.backup)) continue;
    // Only a run ended between a backup's two renames leaves one without its file.
    if (platform::PathExists(InstalledPath(entry.name))) {
      m_files.Remove(entry.backup);
    } else {
      m_files.Rename(entry.backup, InstalledPath(entry.name));
    }
  }
}

// ---- installing

bool CUpdateInstall::Preflight() {
  for (Entry& entry : m_entries) {
    entry.source = platform::FindOnDisk(m_sourceFolder + "/" + entry.name);
    if (entry.source.empty() || !m_files.IsRegularFile(entry.source)) return Fail(entry.name);
    // The game would pass over a pack its reader refuses.
    if (IsPack(entry.name) && !CanRegisterPack(entry.source)) return Fail(entry.name);
    // Nor would the game start from an empty file or another machine's program.
    if (IsProgram(entry.name) && !platform::IsProgramForThisMachine(entry.source)) return Fail(entry.name);
  }
  return true;
}

bool CUpdateInstall::Stage(Entry& entry) {
  entry.size = SizeOf(entry.source);
  if (!m_files.Copy(entry.source, entry.staged)) return false;
  Step("copy", &entry);
  return entry.size >= 0 && SizeOf(entry.staged) == entry.size;
}

void CUpdateInstall::RemoveStaged() {
  for (const Entry& entry : m_entries) {
    if (Exists(entry.staged)) m_files.Remove(entry.staged);
  }
}

bool CUpdateInstall::WriteJournal() {
  std::vector<JournalEntry> journal;
  for (Entry& entry : m_entries) {
    entry.target = InstalledPath(entry.name);
    entry.existed = Exists(entry.target);
    journal.push_back({entry.existed, entry.size, FileName(entry.target), FileName(entry.staged),
                       FileName(entry.backup)});
  }
  const std::string text = installjournal::Encode(journal);
  if (!m_files.WriteAtomic(m_journal, text.data(), text.size())) return false;
  Step("write the journal");
  return true;
}

bool CUpdateInstall::Install() {
  if (!Preflight()) return false;
  for (Entry& entry : m_entries) {
    if (!Stage(entry)) {
      RemoveStaged();
      return Fail(entry.name);
    }
  }
  if (!WriteJournal()) {
    RemoveStaged();
    return Fail(kJournalName);
  }
  return Commit();
}

// Each step looks at the disk, so a run that finds the swap half done goes
// on from there.
bool CUpdateInstall::SwapIn(Entry& entry) {
  if (!Exists(entry.staged)) return Exists(entry.target);
  if (entry.existed && !Exists(entry.backup)) {
    if (!m_files.Rename(entry.target, entry.backup)) return false;
    Step("back up", &entry);
  }
  if (!m_files.Rename(entry.staged, entry.target)) return false;
  Step("place", &entry);
  return true;
}

bool CUpdateInstall::Commit() {
  for (Entry& entry : m_entries) {
    if (!SwapIn(entry)) {
      Fail(entry.name);
      RollBack();
      return false;
    }
  }
  Finish();
  return true;
}

void CUpdateInstall::Finish() {
  // The swaps reach the disk before any backup goes.
  m_files.FlushFolder(m_installFolder);
  for (const Entry& entry : m_entries) {
    if (Exists(entry.backup) && m_files.Remove(entry.backup)) Step("remove the backup of", &entry);
  }
  // A journal that stays is finished again by the next run: every file is in place.
  if (m_files.Remove(m_journal)) Step("remove the journal");
  m_files.FlushFolder(m_installFolder);
}

// ---- undoing

bool CUpdateInstall::RollBack() {
  // From here on the journal says "undo": a backup put back looks like one
  // removed after a finished install.
  if (!m_files.Rename(m_journal, m_rollbackJournal)) {
    DebugLog("update: the install cannot be undone now; the next run finishes or undoes it");
    return false;
  }
  m_files.FlushFolder(m_installFolder);
  Step("mark the journal undone");
  return UndoSwaps();
}

bool CUpdateInstall::UndoSwaps() {
  bool undone = true;
  for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
    if (Exists(it->backup)) {
      // Renaming over the new file puts the old one back in one step.
      if (m_files.Rename(it->backup, it->target)) {
        Step("restore", &*it);
      } else {
        undone = false;
      }
    } else if (!it->existed && Exists(it->target)) {
      if (m_files.Remove(it->target)) {
        Step("remove", &*it);
      } else {
        undone = false;
      }
    }
    if (Exists(it->staged)) m_files.Remove(it->staged);
  }
  if (!undone) {
    DebugLog("update: not every file could be put back; the next run tries again");
    return false;
  }
  m_files.FlushFolder(m_installFolder);
  if (m_files.Remove(m_rollbackJournal)) Step("remove the undone journal");
  m_files.FlushFolder(m_installFolder);
  return true;
}
