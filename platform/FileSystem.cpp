#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

#include "platform/DebugLog.h"

namespace platform {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::vector<std::string_view> Components(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || IsSeparator(path[i])) {
      if (i > start) parts.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

// The system's limits, checked up front so that no call ever sees a name it
// would cut or misread.
bool FitsTheSystem(const std::string& path) {
  bool fits = path.size() < PATH_MAX && path.find('\0') == std::string::npos;
  for (const std::string_view part : Components(path)) fits = fits && part.size() <= NAME_MAX;
  if (!fits) DebugLogf("File name too long for the system: %.200s", path.c_str());
  return fits;
}

std::string Join(const std::string& folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  std::string joined = folder;
  if (joined.back() != '/') joined += '/';
  joined += name;
  return joined;
}

bool Exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

// The entry of `folder` that matches `name`; of several, the first in byte
// order, so the choice does not depend on the order the folder lists them.
std::string MatchInFolder(const std::string& folder, std::string_view name) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return {};
  std::string best;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view candidate(entry->d_name);
    if (SameFileName(candidate, name) && (best.empty() || candidate < best)) best = candidate;
  }
  ::closedir(dir);
  return best;
}

std::string ToSlashes(const std::string& path) {
  std::string unix = path;
  for (char& c : unix) {
    if (c == '\\') c = '/';
  }
  return unix;
}

// "." and "name/.." fall away before the lookup, as on the original system;
// ".." above the root stays at the root.
std::vector<std::string_view> Normalized(std::string_view path, bool absolute) {
  std::vector<std::string_view> parts;
  for (const std::string_view part : Components(path)) {
    if (part == ".") continue;
    if (part == ".." && !parts.empty() && parts.back() != "..") {
      parts.pop_back();
    } else if (part != ".." || !absolute) {
      parts.push_back(part);
    }
  }
  return parts;
}

std::string Joined(const std::vector<std::string_view>& parts, bool absolute) {
  std::string path = absolute ? "/" : "";
  for (const std::string_view part : parts) path = Join(path, part);
  return path.empty() ? "." : path;
}

std::string ResolveComponents(const std::vector<std::string_view>& parts, bool absolute) {
  std::string found = absolute ? "/" : "";
  for (const std::string_view part : parts) {
    std::string_view name = part;
    std::string matched;
    if (part != ".." && !Exists(Join(found, part))) {
      matched = MatchInFolder(found, part);
      if (matched.empty()) return {};
      name = matched;
    }
    found = Join(found, name);
  }
  return found.empty() ? "." : found;
}

// Repeats a system read or write until `count` bytes have moved, the end is
// reached, or an error other than an interruption occurs.
template <class Io>
int64_t Transfer(int64_t count, Io io) {
  int64_t done = 0;
  while (done < count) {
    const ssize_t n = io(done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return done > 0 ? done : -1;
    if (n == 0) break;
    done += n;
  }
  return done;
}

}  // namespace

bool SameFileName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (static_cast<unsigned char>(a[i]) >= 0x80) {
      if (a[i] != b[i]) return false;
      if (++i < a.size() && a[i] != b[i]) return false;
    } else if (LowerAscii(a[i]) != LowerAscii(b[i])) {
      return false;
    }
  }
  return true;
}

std::string FindOnDisk(const std::string& path) {
  if (path.empty() || !FitsTheSystem(path)) return {};
  const bool absolute = IsSeparator(path[0]);
  const std::vector<std::string_view> parts = Normalized(path, absolute);
  const std::string whole = Joined(parts, absolute);
  return Exists(whole) ? whole : ResolveComponents(parts, absolute);
}

bool PathExists(const std::string& path) { return !FindOnDisk(path).empty(); }

namespace {

bool MatchesPattern(std::string_view name, std::string_view pattern) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == '*') {
    for (size_t skip = 0; skip <= name.size(); ++skip) {
      if (MatchesPattern(name.substr(skip), pattern.substr(1))) return true;
    }
    return false;
  }
  if (name.empty()) return false;
  const bool same = pattern[0] == '?' || LowerAscii(pattern[0]) == LowerAscii(name[0]);
  return same && MatchesPattern(name.substr(1), pattern.substr(1));
}

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::vector<std::string> ListFiles(const std::string& pattern) {
  const auto cut = pattern.find_last_of("/\\");
  const std::string folderName = cut == std::string::npos ? "." : pattern.substr(0, cut);
  const std::string_view filePattern = cut == std::string::npos ? std::string_view(pattern)
                                                                 : std::string_view(pattern).substr(cut + 1);
  std::vector<std::string> names;
  const std::string folder = FindOnDisk(folderName);
  if (folder.empty()) return names;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (MatchesPattern(name, filePattern) && IsRegularFile(Join(folder, name))) names.emplace_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

bool CreateFolder(const std::string& path) {
  if (path.empty() || !FitsTheSystem(path)) return false;
  if (!FindOnDisk(path).empty()) return true;
  std::string native = path;
  std::replace(native.begin(), native.end(), '\\', '/');
  return ::mkdir(native.c_str(), 0777) == 0 || !FindOnDisk(path).empty();
}

bool PathLeavesBase(std::string_view path) {
  if (path.empty() || IsSeparator(path[0])) return false;
  int depth = 0;
  for (const std::string_view part : Components(path)) {
    if (part == "..") {
      if (--depth < 0) return true;
    } else if (part != ".") {
      ++depth;
    }
  }
  return false;
}

File::~File() { Close(); }

File::File(File&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    m_fd = std::exchange(other.m_fd, -1);
  }
  return *this;
}

bool File::OpenRead(const std::string& path) {
  Close();
  const std::string onDisk = FindOnDisk(path);
  if (onDisk.empty()) return false;
  const int fd = ::open(onDisk.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  m_fd = fd;
  return true;
}

bool File::Create(const std::string& path) {
  Close();
  if (path.empty() || !FitsTheSystem(path)) return false;
  const std::string unix = ToSlashes(path);
  const size_t slash = unix.rfind('/');
  const std::string name = slash == std::string::npos ? unix : unix.substr(slash + 1);
  if (name.empty() || name == "." || name == "..") return false;
  std::string folder;
  if (slash != std::string::npos) {
    folder = FindOnDisk(slash == 0 ? "/" : unix.substr(0, slash));
    if (folder.empty()) return false;
  }
  std::string target = Join(folder, name);
  if (!Exists(target)) {
    const std::string matched = MatchInFolder(folder, name);
    if (!matched.empty()) target = Join(folder, matched);
  }
  const int fd = ::open(target.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  m_fd = fd;
  return true;
}

void File::Close() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
}

int64_t File::Read(void* buffer, int64_t count) {
  if (m_fd < 0 || count < 0) return -1;
  char* bytes = static_cast<char*>(buffer);
  return Transfer(count, [&](int64_t done) {
    return ::read(m_fd, bytes + done, static_cast<size_t>(count - done));
  });
}

int64_t File::ReadAt(int64_t offset, void* buffer, int64_t count) {
  if (m_fd < 0 || count < 0 || offset < 0) return -1;
  char* bytes = static_cast<char*>(buffer);
  return Transfer(count, [&](int64_t done) {
    return ::pread(m_fd, bytes + done, static_cast<size_t>(count - done),
                   static_cast<off_t>(offset + done));
  });
}

bool File::Write(const void* buffer, int64_t count) {
  if (m_fd < 0 || count < 0) return false;
  const char* bytes = static_cast<const char*>(buffer);
  return Transfer(count, [&](int64_t done) {
           return ::write(m_fd, bytes + done, static_cast<size_t>(count - done));
         }) == count;
}

bool File::Flush() { return m_fd >= 0 && ::fsync(m_fd) == 0; }

int64_t File::Seek(int64_t offset, SeekFrom from) {
  if (m_fd < 0) return -1;
  const int whence = from == SeekFrom::Begin ? SEEK_SET : from == SeekFrom::End ? SEEK_END : SEEK_CUR;
  return ::lseek(m_fd, static_cast<off_t>(offset), whence);
}

int64_t File::Size() const {
  struct stat st;
  if (m_fd < 0 || ::fstat(m_fd, &st) != 0) return -1;
  return static_cast<int64_t>(st.st_size);
}

std::string CurrentDirectory() {
  std::string dir(256, '\0');
  while (::getcwd(dir.data(), dir.size()) == nullptr) {
    if (errno != ERANGE) return ".";
    dir.resize(dir.size() * 2);
  }
  dir.resize(std::char_traits<char>::length(dir.c_str()));
  return dir;
}

std::string ExecutablePath() {
  std::string path(256, '\0');
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
    if (n < 0) return "";
    if (static_cast<size_t>(n) < path.size()) {
      path.resize(static_cast<size_t>(n));
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace platform
