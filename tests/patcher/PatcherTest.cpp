#include "patcher/Patcher.h"

#include <elf.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/SettingsStore.h"
#include "tests/patcher/FolderSnapshot.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using Op = platform::FileOperations::Op;
using patchertest::Mode;
using patchertest::NewContent;
using patchertest::ProgramFile;
using patchertest::Snapshot;

const std::string kKey = "Software\\ProjectSelvarin\\Selvarin";
const std::string kNotInstalled = "셀바리아가 설치되어 있지 않습니다.";
const std::string kNotUpdated = "업데이트를 설치하지 못했습니다.";
const std::string kUpdated = "1.13 업데이트를 완료 했습니다.";
const std::vector<std::string> kNames = {"selvarin", "slvexe", "data21.pak", "readme.txt"};

// A machine other than the one the tests run on.
uint16_t OtherMachine() {
  uint16_t own = 0;
  std::memcpy(&own, ProgramFile("").data() + offsetof(Elf64_Ehdr, e_machine), sizeof own);
  return own == EM_AARCH64 ? EM_X86_64 : EM_AARCH64;
}

struct Message {
  std::string text;
  std::string caption;
  bool operator==(const Message&) const = default;
};
void PrintTo(const Message& m, std::ostream* out) { *out << m.caption << ": " << m.text; }

// An update kit, an installed game and a settings file naming it; the
// messages and the documents opened are recorded.
class PatcherTest : public ::testing::Test {
 protected:
  PatcherTest() {
    WriteKit();
    chmod(dir.Write("game/selvarin", "old launcher").c_str(), 0755);
    chmod(dir.Write("game/slvexe", "old game").c_str(), 0755);
    dir.Write("game/data.pak", "base pack");
    dir.Write("game/readme.txt", "old readme");
    host.settingsFile = (dir / "registry.ini").string();
    host.sourceFolder = (dir / "kit").string();
    host.showMessage = [this](const std::string& text, const std::string& caption) {
      messages.push_back({text, caption});
    };
    host.openDocument = [this](const std::string& path) {
      opened.push_back(path);
      return openSucceeds;
    };
    SetPath(Game().string() + "/");
  }

  void WriteKit() const {
    fs::remove_all(dir / "kit");
    for (const std::string& name : kNames) {
      const auto path = dir.Write("kit/" + name, NewContent(name));
      chmod(path.c_str(), name.find('.') == std::string::npos ? 0755 : 0644);
    }
  }
  fs::path Game() const { return dir / "game"; }
  void SetPath(const std::string& path) const {
    platform::SettingsStore store;
    store.SetString(kKey, "Path", path);
    store.Save(host.settingsFile);
  }

  testsupport::TempDir dir;
  PatcherHost host;
  std::vector<Message> messages;
  std::vector<std::string> opened;
  bool openSucceeds = true;
};

TEST(PatcherFolder, OneTrailingSeparatorIsDroppedButALoneOneKept) {
  const struct {
    const char* stored;
    const char* folder;
  } cases[] = {{"C:\\Game\\", "C:\\Game"}, {"/srv/game/", "/srv/game"}, {"/srv/game//", "/srv/game/"},
               {"/srv/game", "/srv/game"}, {"\\", "\\"},                {"/", "/"},
               {"", ""}};
  for (const auto& c : cases) EXPECT_EQ(InstalledFolder(c.stored), c.folder) << c.stored;
}

TEST_F(PatcherTest, WithoutAnInstalledGameNothingIsCopied) {
  const auto before = Snapshot(Game());
  const struct {
    const char* what;
    std::function<void()> settings;
  } cases[] = {
      {"no settings file", [&] { fs::remove(host.settingsFile); }},
      {"no key", [&] { platform::SettingsStore().Save(host.settingsFile); }},
      {"no value",
       [&] {
         platform::SettingsStore store;
         store.SetString(kKey, "Other", Game().string());
         store.Save(host.settingsFile);
       }},
      {"a number", [&] {
         platform::SettingsStore store;
         store.SetDword(kKey, "Path", 1);
         store.Save(host.settingsFile);
       }},
      {"a folder without the launcher", [&] { SetPath(dir.Path().string()); }},
      {"a lone separator", [&] { SetPath("\\"); }},
  };
  for (const auto& c : cases) {
    c.settings();
    messages.clear();
    EXPECT_EQ(PatcherWinMain(host), -1) << c.what;
    EXPECT_EQ(messages, (std::vector<Message>{{kNotInstalled, "ERROR"}})) << c.what;
  }
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(Snapshot(Game()), before);
}

TEST_F(PatcherTest, ACompleteUpdateSwapsEveryFileInOrderAndOpensTheReadme) {
  std::vector<std::string> renames;
  host.files.Observe([&](Op op, const std::string& from, const std::string& to) {
    if (op == Op::Rename) renames.push_back(fs::path(from).filename().string() + ">" + fs::path(to).filename().string());
  });
  SetPath(Game().string() + "\\");
  EXPECT_EQ(PatcherWinMain(host), 0);

  for (const std::string& name : kNames) EXPECT_EQ(testsupport::ReadFile(Game() / name), NewContent(name));
  EXPECT_EQ(Mode(Game() / "selvarin"), 0755u);
  EXPECT_EQ(Mode(Game() / "slvexe"), 0755u);
  EXPECT_EQ(Mode(Game() / "data21.pak"), 0644u);
  EXPECT_EQ(testsupport::ReadFile(Game() / "data.pak"), "base pack");
  EXPECT_EQ(Snapshot(Game()).size(), 5u);  // no temporary or backup file stays
  EXPECT_EQ(renames, (std::vector<std::string>{
                         "selvarin>selvarin.update-old", "selvarin.update-new>selvarin",
                         "slvexe>slvexe.update-old", "slvexe.update-new>slvexe",
                         "data21.pak.update-new>data21.pak",  // a new file: nothing to back up
                         "readme.txt>readme.txt.update-old", "readme.txt.update-new>readme.txt"}));
  EXPECT_EQ(opened, (std::vector<std::string>{(Game() / "readme.txt").string()}));
  EXPECT_EQ(messages, (std::vector<Message>{{kUpdated, "OK"}}));
}

TEST_F(PatcherTest, NamesAreFoundWithoutRegardToCaseAndAReadmeThatDoesNotOpenIsNoFailure) {
  fs::rename(dir / "kit/data21.pak", dir / "kit/DATA21.PAK");
  fs::rename(Game() / "readme.txt", Game() / "ReadMe.TXT");
  openSucceeds = false;
  EXPECT_EQ(PatcherWinMain(host), 0);
  EXPECT_EQ(testsupport::ReadFile(Game() / "data21.pak"), NewContent("data21.pak"));
  EXPECT_EQ(testsupport::ReadFile(Game() / "ReadMe.TXT"), "new readme.txt");  // replaced where it lies
  EXPECT_FALSE(fs::exists(Game() / "readme.txt"));
  EXPECT_EQ(opened, (std::vector<std::string>{(Game() / "ReadMe.TXT").string()}));
  EXPECT_EQ(messages, (std::vector<Message>{{kUpdated, "OK"}}));
}

TEST_F(PatcherTest, AnUpdateWithAFileMissingIsNotStartedAndNamesTheFile) {
  const auto before = Snapshot(Game());
  int copies = 0;
  host.files.Observe([&](Op op, const std::string&, const std::string&) { copies += op == Op::Copy; });
  const struct {
    const char* name;
    std::function<void()> spoil;
  } cases[] = {
      {"data21.pak", [&] { fs::remove(dir / "kit/data21.pak"); }},
      // Packs the game's reader refuses.
      {"data21.pak", [&] { fs::resize_file(dir / "kit/data21.pak", fs::file_size(dir / "kit/data21.pak") - 3); }},
      {"data21.pak", [&] { fs::resize_file(dir / "kit/data21.pak", 0); }},
      {"readme.txt", [&] {
         fs::remove(dir / "kit/readme.txt");
         fs::create_directory(dir / "kit/readme.txt");  // a folder is not a file
       }},
      {"slvexe", [&] {
         fs::remove(dir / "kit/slvexe");
         fs::create_symlink(dir / "kit/gone", dir / "kit/slvexe");
       }},
      // Programs the game could not start from.
      {"slvexe", [&] { fs::resize_file(dir / "kit/slvexe", 0); }},
      {"selvarin", [&] { dir.Write("kit/selvarin", "#!/bin/sh\nexec ./launcher\n"); }},
      {"slvexe", [&] { dir.Write("kit/slvexe", ProgramFile("new slvexe", OtherMachine())); }},
      {"selvarin", [&] { fs::resize_file(dir / "kit/selvarin", fs::file_size(dir / "kit/selvarin") - 1); }},
  };
  for (const auto& c : cases) {
    WriteKit();
    c.spoil();
    messages.clear();
    EXPECT_EQ(PatcherWinMain(host), -2) << c.name;
    EXPECT_EQ(messages, (std::vector<Message>{{kNotUpdated + "\n" + c.name, "ERROR"}})) << c.name;
  }
  EXPECT_EQ(copies, 0);
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(Snapshot(Game()), before);
}

// Every copy and every rename of the update failing in turn: the folder is
// always left exactly as it was, and the message names the file.
TEST_F(PatcherTest, AFailureAtAnyStepPutsEveryFileBack) {
  dir.Write("game/data21.pak", "old pack");  // every file is replaced: two renames each
  const auto before = Snapshot(Game());
  const struct {
    Op op;
    int nth;
    const char* name;
  } cases[] = {
      {Op::Copy, 1, "selvarin"},   {Op::Copy, 3, "data21.pak"},   {Op::Copy, 4, "readme.txt"},
      {Op::Rename, 1, "selvarin"}, {Op::Rename, 2, "selvarin"},   {Op::Rename, 4, "slvexe"},
      {Op::Rename, 5, "data21.pak"},
      {Op::Rename, 6, "data21.pak"},  // the third swap: its file backed up, the new one not placed
      {Op::Rename, 8, "readme.txt"},
  };
  for (const auto& c : cases) {
    host.files = platform::FileOperations();
    host.files.FailCall(c.op, c.nth);
    messages.clear();
    EXPECT_EQ(PatcherWinMain(host), -2) << c.name << " " << c.nth;
    EXPECT_EQ(messages, (std::vector<Message>{{kNotUpdated + "\n" + c.name, "ERROR"}})) << c.nth;
    EXPECT_EQ(Snapshot(Game()), before) << c.name << " " << c.nth;
  }
  EXPECT_TRUE(opened.empty());
}

TEST_F(PatcherTest, LeftoversOfAKilledRunAreClearedAndNeverInstalled) {
  // Killed between the launcher's two renames: only its backup holds it.
  fs::rename(Game() / "selvarin", Game() / "selvarin.update-old");
  dir.Write("game/slvexe.update-new", "half a program");
  chmod(dir.Write("game/data21.pak.update-new", "stale").c_str(), 0444);
  dir.Write("game/readme.txt.update-old", "backup of a finished swap");
  fs::create_symlink(dir / "elsewhere", Game() / "slvexe.update-old");

  // An update that then fails still leaves the game as it was found.
  fs::remove(dir / "kit/readme.txt");
  EXPECT_EQ(PatcherWinMain(host), -2);
  EXPECT_EQ(Snapshot(Game()).size(), 4u);
  EXPECT_EQ(testsupport::ReadFile(Game() / "selvarin"), "old launcher");
  EXPECT_EQ(testsupport::ReadFile(Game() / "slvexe"), "old game");
  EXPECT_FALSE(fs::exists(dir / "elsewhere"));

  dir.Write("kit/readme.txt", "new readme.txt");
  dir.Write("game/slvexe.update-new", "half a program");
  EXPECT_EQ(PatcherWinMain(host), 0);
  for (const std::string& name : kNames) EXPECT_EQ(testsupport::ReadFile(Game() / name), NewContent(name));
  EXPECT_EQ(Snapshot(Game()).size(), 5u);
}

}  // namespace
