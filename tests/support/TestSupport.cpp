#include "tests/support/TestSupport.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "platform/DebugLog.h"
#include "platform/Display.h"

extern char** environ;

namespace testsupport {

TempDir::TempDir() {
  std::random_device rd;
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    m_path = base / ("slvtest-" + std::to_string(::getpid()) + "-" + std::to_string(rd()));
    if (std::filesystem::create_directory(m_path)) break;
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(m_path, ec);
}

std::filesystem::path TempDir::Write(const std::string& name, const std::string& bytes) const {
  const auto path = m_path / name;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

DebugLogCapture::DebugLogCapture() { platform::SetDebugSink(&DebugLogCapture::Sink, this); }
DebugLogCapture::~DebugLogCapture() { platform::SetDebugSink(nullptr, nullptr); }

void DebugLogCapture::Sink(const char* text, void* user) {
  static_cast<DebugLogCapture*>(user)->m_lines.emplace_back(text);
}

bool DebugLogCapture::Contains(const std::string& fragment) const {
  for (const std::string& line : m_lines) {
    if (line.find(fragment) != std::string::npos) return true;
  }
  return false;
}

namespace {
// Every test runs headless: SDL's dummy video and audio drivers.
const bool g_headless = [] {
  ::setenv("SDL_VIDEODRIVER", "dummy", 0);
  ::setenv("SDL_AUDIODRIVER", "dummy", 0);
  // Presents at once; the end-to-end run that checks the pace turns it back on.
  ::setenv("SLV_NO_PRESENT_WAIT", "1", 0);
  // Tests look at what was shown.
  platform::KeepPresentedFrames(true);
  return true;
}();

int Spawn(const std::vector<std::string>& args, const std::map<std::string, std::string>& env,
          int outFd, const std::string& cwd) {
  std::map<std::string, std::string> merged;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string kv(*e);
    const size_t eq = kv.find('=');
    if (eq != std::string::npos) merged[kv.substr(0, eq)] = kv.substr(eq + 1);
  }
  for (const auto& [k, v] : env) merged[k] = v;
  std::vector<std::string> envStrings;
  for (const auto& [k, v] : merged) envStrings.push_back(k + "=" + v);
  std::vector<char*> envp, argv;
  for (std::string& s : envStrings) envp.push_back(s.data());
  envp.push_back(nullptr);
  std::vector<std::string> argsCopy = args;
  for (std::string& s : argsCopy) argv.push_back(s.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (outFd >= 0) {
    posix_spawn_file_actions_adddup2(&actions, outFd, 1);
    posix_spawn_file_actions_adddup2(&actions, outFd, 2);
  }
  if (!cwd.empty()) posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}
}  // namespace

std::filesystem::path BinaryDir() { return SLV_BINARY_DIR; }
std::filesystem::path SourceDir() { return SLV_SOURCE_DIR; }

ProgramResult RunProgram(const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env, int timeoutMs,
                         const std::string& cwd) {
  ProgramResult result;
  TempDir dir;
  const auto outPath = dir / "output";
  const int fd = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const int pid = Spawn(args, env, fd, cwd);
  ::close(fd);
  if (pid < 0) return result;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  int status = 0;
  for (;;) {
    const pid_t r = ::waitpid(pid, &status, WNOHANG);
    if (r == pid) break;
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      result.timedOut = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (!result.timedOut && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  result.output = ReadFile(outPath);
  return result;
}

RunningProgram::RunningProgram(const std::vector<std::string>& args,
                               const std::map<std::string, std::string>& env, const std::string& cwd)
    : m_pid(Spawn(args, env, -1, cwd)) {}

RunningProgram::~RunningProgram() { Stop(); }

bool RunningProgram::Running() {
  if (m_pid < 0) return false;
  int status = 0;
  if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
    m_pid = -1;
    return false;
  }
  return true;
}

void RunningProgram::Stop() {
  if (m_pid < 0) return;
  ::kill(m_pid, SIGTERM);
  int status = 0;
  ::waitpid(m_pid, &status, 0);
  m_pid = -1;
}

}  // namespace testsupport
