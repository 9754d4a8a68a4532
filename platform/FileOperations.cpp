#include "platform/FileOperations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/DebugLog.h"

namespace platform {
namespace {

class Fd {
 public:
  explicit Fd(int fd) : m_fd(fd) {}
  ~Fd() {
    if (m_fd >= 0) ::close(m_fd);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int Get() const { return m_fd; }
  // Closing reports the last write errors of some file systems.
  bool Close() {
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
  }

 private:
  int m_fd;
};

bool WriteAll(int fd, const char* bytes, size_t count) {
  while (count > 0) {
    const ssize_t n = ::write(fd, bytes, count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    count -= static_cast<size_t>(n);
  }
  return true;
}

// Copies the whole content; with `stopAt` set, fails after that many bytes.
bool CopyContent(int from, int to, long long stopAt) {
  std::vector<char> buffer(1 << 16);
  long long written = 0;
  for (;;) {
    const ssize_t n = ::read(from, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    size_t count = static_cast<size_t>(n);
    const bool stop = stopAt >= 0 && written + n >= stopAt;
    if (stop) count = static_cast<size_t>(stopAt - written);
    if (!WriteAll(to, buffer.data(), count)) return false;
    if (stop) {
      errno = ENOSPC;
      return false;
    }
    written += n;
  }
}

bool CopyFlushed(const std::string& from, const std::string& to, bool fail) {
  Fd source(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat st{};
  if (source.Get() < 0 || ::fstat(source.Get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  Fd target(::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (target.Get() < 0) return false;
  const long long stopAt = fail ? static_cast<long long>(st.st_size / 2) : -1;
  const bool ok = CopyContent(source.Get(), target.Get(), stopAt) && ::fchmod(target.Get(), st.st_mode & 0777) == 0 &&
                  ::fsync(target.Get()) == 0 && target.Close() && !fail;
  if (fail) errno = ENOSPC;
  if (!ok) {
    DebugLogf("cannot copy %s to %s: %s", from.c_str(), to.c_str(), std::strerror(errno));
    ::unlink(to.c_str());
  }
  return ok;
}

}  // namespace

bool FileOperations::Begin(Op op, const std::string& a, const std::string& b) {
  if (m_observer) m_observer(op, a, b);
  const size_t i = Index(op);
  const bool failFrom = m_failFrom > 0 && ++m_allCalls >= m_failFrom;
  return ++m_calls[i] == m_failAt[i] || failFrom;
}

bool FileOperations::IsRegularFile(const std::string& path) {
  if (Begin(Op::IsRegularFile, path, "")) return false;
  struct stat st{};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), R_OK) == 0;
}

bool FileOperations::Exists(const std::string& path) {
  if (Begin(Op::Exists, path, "")) return false;
  struct stat st{};
  return ::lstat(path.c_str(), &st) == 0;
}

bool FileOperations::Copy(const std::string& from, const std::string& to) {
  const bool fail = Begin(Op::Copy, from, to);
  return CopyFlushed(from, to, fail);
}

bool FileOperations::Rename(const std::string& from, const std::string& to) {
  if (Begin(Op::Rename, from, to)) return false;
  if (::rename(from.c_str(), to.c_str()) == 0) return true;
  DebugLogf("cannot rename %s to %s: %s", from.c_str(), to.c_str(), std::strerror(errno));
  return false;
}

bool FileOperations::Remove(const std::string& path) {
  if (Begin(Op::Remove, path, "")) return false;
  if (::unlink(path.c_str()) == 0) return true;
  DebugLogf("cannot remove %s: %s", path.c_str(), std::strerror(errno));
  return false;
}

bool FileOperations::MakeFolder(const std::string& path) {
  if (Begin(Op::MakeFolder, path, "")) return false;
  struct stat st{};
  if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return true;
  if (::mkdir(path.c_str(), 0755) == 0 || errno == EEXIST) return true;
  DebugLogf("cannot create the folder %s: %s", path.c_str(), std::strerror(errno));
  return false;
}

namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool SyncFolder(const std::string& folder) {
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  return dir.Get() >= 0 && ::fsync(dir.Get()) == 0;
}

}  // namespace

bool FileOperations::WriteAtomic(const std::string& path, const void* bytes, size_t count) {
  const bool fail = Begin(Op::WriteAtomic, path, "");
  const std::string temp = path + ".tmp";
  Fd file(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644));
  if (file.Get() < 0) {
    DebugLogf("cannot create %s: %s", temp.c_str(), std::strerror(errno));
    return false;
  }
  // A failing call writes half, as a full disk would.
  const size_t part = fail ? count / 2 : count;
  bool ok = WriteAll(file.Get(), static_cast<const char*>(bytes), part) && !fail && ::fsync(file.Get()) == 0;
  ok = file.Close() && ok;
  if (fail) errno = ENOSPC;
  if (ok && ::rename(temp.c_str(), path.c_str()) == 0) {
    // A failed flush of the folder only leaves the rename less durable.
    SyncFolder(FolderOf(path));
    return true;
  }
  DebugLogf("cannot write %s: %s", path.c_str(), std::strerror(errno));
  ::unlink(temp.c_str());
  return false;
}

bool FileOperations::FlushFolder(const std::string& folder) {
  if (Begin(Op::FlushFolder, folder, "")) return false;
  if (SyncFolder(folder)) return true;
  DebugLogf("cannot flush the folder %s: %s", folder.c_str(), std::strerror(errno));
  return false;
}

}  // namespace platform
