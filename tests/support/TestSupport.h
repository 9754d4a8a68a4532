#pragma once
// Helpers the test suites share.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

// A fresh folder removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return m_path; }
  std::filesystem::path operator/(const std::string& name) const { return m_path / name; }
  // Writes a file (folders made as needed) and returns its path.
  std::filesystem::path Write(const std::string& name, const std::string& bytes) const;

 private:
  std::filesystem::path m_path;
};

std::string ReadFile(const std::filesystem::path& path);

// Collects DebugLog texts while alive.
class DebugLogCapture {
 public:
  DebugLogCapture();
  ~DebugLogCapture();
  const std::vector<std::string>& Lines() const { return m_lines; }
  bool Contains(const std::string& fragment) const;

 private:
  static void Sink(const char* text, void* user);
  std::vector<std::string> m_lines;
};

// The build folder (for programs the tests start) and the source folder.
std::filesystem::path BinaryDir();
std::filesystem::path SourceDir();

struct ProgramResult {
  int exitCode = -1;       // -1 when killed or timed out
  bool timedOut = false;
  std::string output;      // standard output and error together
};

// Starts a program and waits for it at most timeoutMs. The environment is the
// test's own with `env` added; `cwd`, when not empty, is its working folder.
ProgramResult RunProgram(const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env, int timeoutMs,
                         const std::string& cwd = "");

// A started program that the test ends itself.
class RunningProgram {
 public:
  RunningProgram(const std::vector<std::string>& args, const std::map<std::string, std::string>& env,
                 const std::string& cwd = "");
  ~RunningProgram();
  bool Running();
  // Sends SIGTERM and waits.
  void Stop();

 private:
  int m_pid = -1;
};

}  // namespace testsupport
