#pragma once
// Puts a set of files into an installed folder whole, or leaves the folder as
// it was, even when the process is ended half-way. Each file is first copied
// beside its target under a temporary name (same file system, so the swaps
// are single renames); a journal in the folder then names every file, and, in
// order, the installed file moves to a backup name and the new one into place.
// The backups and the journal go last. A failure puts every backup back and
// removes what was added; a run that finds a journal first finishes the
// install when every new file is still there, else undoes it. A journal it
// cannot follow is left with every file, never settled piecemeal.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {
class FileOperations;
}

class CUpdateInstall {
 public:
  using StepHook = std::function<void(const std::string& step)>;

  // Names are looked up in both folders without regard to ASCII case.
  CUpdateInstall(platform::FileOperations& files, const std::string& sourceFolder,
                 const std::string& installFolder, std::vector<std::string> names);

  // Sees each step that changed the installed folder once it is done ("copy
  // slvexe", "write the journal", "back up slvexe", "place slvexe", ...).
  void AfterEachStep(StepHook hook) { m_afterStep = std::move(hook); }
  // Finishes or undoes the install of a run that was ended half-way, as its
  // journal decides, and removes that run's temporary files. False when a
  // journal is still there afterwards (nothing may be installed over it).
  // A journal it cannot read, or that names other files, changes nothing.
  bool Recover();
  // The path of the journal that Recover could not follow; empty otherwise.
  const std::string& UnfollowableJournal() const { return m_unfollowableJournal; }
  // False when any file could not be installed; FailedName says which.
  bool Install();
  const std::string& FailedName() const { return m_failedName; }
  // Where `name` lies in the installed folder.
  std::string InstalledPath(const std::string& name) const;

  // The journal's file names in the installed folder: while installing, and
  // once the install is being undone.
  static constexpr const char* kJournalName = "update.journal";
  static constexpr const char* kRollbackName = "update.rollback";

 private:
  struct Entry {
    std::string name;
    std::string source;
    std::string target;
    std::string staged;
    std::string backup;
    bool existed = false;
    int64_t size = 0;
  };

  bool Preflight();
  bool Stage(Entry& entry);
  bool WriteJournal();
  bool ReadJournal(const std::string& path);
  // Swaps every file in and removes the backups and the journal; on a failure
  // undoes the install.
  bool Commit();
  bool SwapIn(Entry& entry);
  bool Completable();
  // No journal is left (else FailedName names it).
  bool Settled();
  void Finish();
  bool RollBack();
  bool UndoSwaps();
  void RemoveStaged();
  // Without a journal: temporary files of a run ended before its journal.
  void Sweep();
  bool Exists(const std::string& path);
  bool Fail(const std::string& name);
  void Step(const std::string& what, const Entry* entry = nullptr);

  platform::FileOperations& m_files;
  std::string m_sourceFolder;
  std::string m_installFolder;
  std::string m_journal;
  std::string m_rollbackJournal;
  std::vector<Entry> m_entries;
  std::string m_failedName;
  std::string m_unfollowableJournal;
  StepHook m_afterStep;
};
