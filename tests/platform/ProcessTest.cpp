#include "platform/Process.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "tests/support/TestSupport.h"

namespace {

// A script that writes its arguments, one a line, to `record`.
std::filesystem::path WriteRecorder(const testsupport::TempDir& dir, const std::string& name,
                                    const std::filesystem::path& record) {
  const auto path = dir.Write(name, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                                        record.string() + ".part\"\n/bin/mv \"" + record.string() + ".part\" \"" +
                                        record.string() + "\"\n");
  chmod(path.c_str(), 0755);
  return path;
}

// The started program is not waited for: the test waits for what it writes.
std::string WaitForFile(const std::filesystem::path& path) {
  for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return std::filesystem::exists(path) ? testsupport::ReadFile(path) : "";
}

class ScopedPath {
 public:
  explicit ScopedPath(const std::string& value) {
    if (const char* old = std::getenv("PATH")) m_old = old;
    setenv("PATH", value.c_str(), 1);
  }
  ~ScopedPath() { setenv("PATH", m_old.c_str(), 1); }

 private:
  std::string m_old;
};

TEST(Process, StartProgramPassesArgumentsWithoutAShell) {
  testsupport::TempDir dir;
  const auto record = dir / "args.txt";
  const auto program = WriteRecorder(dir, "rec", record);
  ASSERT_TRUE(platform::StartProgram(program.string(), {"a b", "$HOME", "*"}));
  EXPECT_EQ(WaitForFile(record), "a b\n$HOME\n*\n");
  EXPECT_FALSE(platform::StartProgram((dir / "missing").string(), {}));
  dir.Write("plain", "not a program");
  EXPECT_FALSE(platform::StartProgram((dir / "plain").string(), {}));
}

TEST(Process, OpenWithDesktopRunsTheFirstXdgOpenOnPath) {
  testsupport::TempDir dir;
  const auto record = dir / "opened.txt";
  WriteRecorder(dir, "first/xdg-open", record);
  WriteRecorder(dir, "second/xdg-open", dir / "wrong.txt");
  dir.Write("notexec/xdg-open", "#!/bin/sh\n");  // not executable: skipped
  {
    ScopedPath path((dir / "notexec").string() + ":" + (dir / "first").string() + ":" +
                    (dir / "second").string());
    ASSERT_TRUE(platform::OpenWithDesktop("/game/read me.txt"));
  }
  EXPECT_EQ(WaitForFile(record), "/game/read me.txt\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "wrong.txt"));
  ScopedPath empty((dir / "none").string());
  EXPECT_FALSE(platform::OpenWithDesktop("/game/readme.txt"));
}

}  // namespace
