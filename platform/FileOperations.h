#pragma once
// Whole-file operations for installing files: copy, rename over, remove, and
// the regular-file test. Paths are taken exactly as given (no case matching;
// FindOnDisk finds a name first). Each object counts its calls per
// operation, so a test can make one chosen call fail as the system would.
#include <array>
#include <functional>
#include <string>
#include <utility>

namespace platform {

class FileOperations {
 public:
  enum class Op { IsRegularFile, Exists, Copy, Rename, Remove, MakeFolder, WriteAtomic, FlushFolder };

  // A regular file (links followed) that this process can read.
  bool IsRegularFile(const std::string& path);
  // Anything at exactly that path, a dangling link too.
  bool Exists(const std::string& path);
  // Copies `from` to `to` (created, or truncated when it exists; never
  // written through a link) with the source's permission bits, flushed to
  // disk before it returns. On failure nothing it wrote is left.
  bool Copy(const std::string& from, const std::string& to);
  // Renames `from` to `to`, replacing a file of that name in one step.
  bool Rename(const std::string& from, const std::string& to);
  bool Remove(const std::string& path);
  // Creates the folder when it is missing; true when it is there.
  bool MakeFolder(const std::string& path);
  // Writes the file whole or not at all: a temporary file in the same folder,
  // every write checked, flushed, renamed over `path`, the folder flushed.
  // On failure the temporary file goes and `path` is untouched.
  bool WriteAtomic(const std::string& path, const void* bytes, size_t count);
  // Puts the folder's renames and removals so far on the disk, so that a
  // power loss cannot keep a later one and lose an earlier one.
  bool FlushFolder(const std::string& folder);

  // Tests: the `nth` call (from 1) of `op` fails; a failing copy first
  // writes part of its target, like a full disk. 0 clears the fault.
  void FailCall(Op op, int nth) { m_failAt[Index(op)] = nth; }
  // Tests: every call of any kind from the `nth` on fails, as after a crash
  // or with the disk full. 0 clears it.
  void FailFrom(int nth) {
    m_failFrom = nth;
    m_allCalls = 0;
  }
  // Tests: sees every call before it runs, with its one or two paths.
  void Observe(std::function<void(Op, const std::string&, const std::string&)> observer) {
    m_observer = std::move(observer);
  }

 private:
  static constexpr size_t kOps = 8;
  static size_t Index(Op op) { return static_cast<size_t>(op); }
  // Counts the call; true when it is the one to fail.
  bool Begin(Op op, const std::string& a, const std::string& b);

  std::array<int, kOps> m_calls{};
  std::array<int, kOps> m_failAt{};
  int m_failFrom = 0;
  int m_allCalls = 0;
  std::function<void(Op, const std::string&, const std::string&)> m_observer;
};

}  // namespace platform
