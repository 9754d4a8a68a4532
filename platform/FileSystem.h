#pragma once
// Files on disk. Names are code page 949 bytes; "\" and "/" both separate
// folders, and every folder and file name is found without regard to ASCII
// case, as on the original system. A byte of 0x80 or above starts a
// double-byte character: it and the byte after it compare exactly.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class SeekFrom { Begin, Current, End };

class File {
 public:
  File() = default;
  ~File();
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // An existing regular file, for reading.
  bool OpenRead(const std::string& path);
  // Creates the file, or truncates the one that matches the name, for reading
  // and writing. Its folder must exist.
  bool Create(const std::string& path);
  void Close();
  bool IsOpen() const { return m_fd >= 0; }

  // Bytes read: fewer than asked only at the end; -1 on an error.
  int64_t Read(void* buffer, int64_t count);
  int64_t ReadAt(int64_t offset, void* buffer, int64_t count);
  bool Write(const void* buffer, int64_t count);
  // What was written is on the disk when it returns true.
  bool Flush();
  // The new position, or -1.
  int64_t Seek(int64_t offset, SeekFrom from);
  // -1 when not open.
  int64_t Size() const;

 private:
  int m_fd = -1;
};

// The path of an existing file or folder as it is spelt on disk (with "/");
// empty when there is none. A path too long for the system is refused with a
// log, never cut short.
std::string FindOnDisk(const std::string& path);
bool PathExists(const std::string& path);
// Creates one folder; true when it exists afterwards (an existing one stays).
bool CreateFolder(const std::string& path);
// True when a relative path's ".." components climb above the folder it
// starts from. Absolute paths are the program's own and never climb.
bool PathLeavesBase(std::string_view path);
// Two names of one folder entry under the file system's case rule.
bool SameFileName(std::string_view a, std::string_view b);

// The names of the regular files that a pattern's last component matches
// ("*" any run, "?" one byte, letters without regard to ASCII case) in the
// folder before it, sorted by their bytes, so the order is the same on
// every machine. Empty when the folder is missing.
std::vector<std::string> ListFiles(const std::string& pattern);

// The process's current directory ("." when it cannot be read).
std::string CurrentDirectory();
// The running program's file as the system reports it (empty when it
// cannot tell), whatever name it was started by.
std::string ExecutablePath();

}  // namespace platform
