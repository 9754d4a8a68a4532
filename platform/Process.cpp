#include "platform/Process.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>

#include "platform/DebugLog.h"

extern char** environ;

namespace platform {

namespace {

// The first executable regular file called `name` in a PATH folder; empty
// when there is none. An empty PATH entry is the current folder, as for a shell.
std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return "";
  std::string list = path;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(':', start);
    if (end == std::string::npos) end = list.size();
    std::string folder = list.substr(start, end - start);
    if (folder.empty()) folder = ".";
    const std::string candidate = folder + "/" + name;
    struct stat st{};
    if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
    start = end + 1;
  }
  return "";
}

bool Spawn(const std::string& program, const std::vector<std::string>& args,
           const posix_spawn_file_actions_t* actions) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  // The path is taken as given: a bare name means the current folder, never a
  // program of that name found elsewhere.
  const int error = posix_spawn(&pid, program.c_str(), actions, nullptr, argv.data(), environ);
  if (error != 0) {
    DebugLogf("StartProgram: cannot start %s (error %d)", program.c_str(), error);
    return false;
  }
  // Not waited for, but reaped when it ends so that no zombie stays behind.
  std::thread([pid] {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return true;
}

}  // namespace

bool StartProgram(const std::string& program, const std::vector<std::string>& args) {
  return Spawn(program, args, nullptr);
}

bool StartProgramIn(const std::string& program, const std::vector<std::string>& args, const std::string& folder) {
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return false;
  bool started = false;
  if (posix_spawn_file_actions_addchdir_np(&actions, folder.c_str()) == 0) {
    started = Spawn(program, args, &actions);
  } else {
    DebugLogf("StartProgramIn: cannot start %s in %s", program.c_str(), folder.c_str());
  }
  posix_spawn_file_actions_destroy(&actions);
  return started;
}

bool OpenWithDesktop(const std::string& path) {
  const std::string opener = FindOnPath("xdg-open");
  if (opener.empty()) {
    DebugLog("OpenWithDesktop: no xdg-open on PATH");
    return false;
  }
  return StartProgram(opener, {path});
}

bool HasDesktopOpener() { return !FindOnPath("xdg-open").empty(); }

}  // namespace platform
