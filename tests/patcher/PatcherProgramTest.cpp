// `patcher`, run as a program in the sample update kit against a copy of
// the sample game folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "engine/PackFile.h"
#include "platform/TextEncoding.h"
#include "platform/SettingsStore.h"
#include "tests/patcher/FolderSnapshot.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using patchertest::Mode;
using patchertest::Snapshot;

namespace patcherprogramtest {
const char* const kNames[] = {"selvarin", "slvexe", "data21.pak", "readme.txt"};
}  // namespace patcherprogramtest

// Compared a block at a time: the programs are large.
bool SameBytes(const fs::path& a, const fs::path& b) {
  std::ifstream inA(a, std::ios::binary);
  std::ifstream inB(b, std::ios::binary);
  std::vector<char> blockA(1 << 20);
  std::vector<char> blockB(1 << 20);
  while (inA && inB) {
    inA.read(blockA.data(), static_cast<std::streamsize>(blockA.size()));
    inB.read(blockB.data(), static_cast<std::streamsize>(blockB.size()));
    if (inA.gcount() != inB.gcount() || !std::equal(blockA.begin(), blockA.begin() + inA.gcount(), blockB.begin())) {
      return false;
    }
  }
  return inA.eof() && inB.eof();
}

std::string WaitForFile(const fs::path& path) {
  for (int i = 0; i < 500 && !fs::exists(path); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return fs::exists(path) ? testsupport::ReadFile(path) : "";
}

class PatcherProgram : public ::testing::Test {
 protected:
  PatcherProgram() {
    // The top level only: other tests write into the sample folder's
    // subfolders while this one runs, and the update touches none of them.
    fs::create_directories(Game());
    for (const fs::directory_entry& entry : fs::directory_iterator(testsupport::BinaryDir() / "game")) {
      if (entry.is_symlink() || entry.is_regular_file()) {
        fs::copy(entry.path(), Game() / entry.path().filename(), fs::copy_options::copy_symlinks);
      }
    }
    platform::SettingsStore store;
    store.SetString("Software\\ProjectSelvarin\\Selvarin", "Path", Game().string() + "/");
    store.Save(Settings().string());
    // The desktop's opener records what it is given.
    const auto opener = dir.Write("bin/xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + (dir / "opened").string() +
                                                      ".part\"\n/bin/mv \"" + (dir / "opened").string() + ".part\" \"" +
                                                      (dir / "opened").string() + "\"\n");
    chmod(opener.c_str(), 0755);
  }

  fs::path Game() const { return dir / "game"; }
  fs::path Settings() const { return dir / "registry.ini"; }
  testsupport::ProgramResult Run(const fs::path& kit) const {
    const char* path = std::getenv("PATH");
    return testsupport::RunProgram({(testsupport::BinaryDir() / "patcher/main/patcher").string()},
                                   {{"SLV_REGISTRY", Settings().string()},
                                    {"PATH", (dir / "bin").string() + ":" + (path ? path : "/usr/bin:/bin")}},
                                   60000, kit.string());
  }

  testsupport::TempDir dir;
};

// The README's update command, word for word, in a build folder laid out as
// ./play leaves it: the sample folder, the kit, and the patcher.
TEST_F(PatcherProgram, TheReadmesUpdateCommandInstallsTheSampleUpdateAndOpensItsReadme) {
  const std::string readme = testsupport::ReadFile(testsupport::SourceDir() / "README.md");
  const size_t at = readme.find("../patcher/main/patcher");
  ASSERT_NE(at, std::string::npos);
  std::string command = readme.substr(readme.rfind('\n', at) + 1, readme.find('\n', at) - readme.rfind('\n', at) - 1);
  command.replace(command.find("<dir>"), 5, "x");
  // ./play builds the programs and the kit the command needs.
  const std::string play = testsupport::ReadFile(testsupport::SourceDir() / "play");
  EXPECT_NE(play.find("--target slvexe sample patcher_program update_kit"), std::string::npos);

  const fs::path build = dir / "build/x";
  const fs::path game = build / "game";
  const fs::path kit = build / "update";
  fs::create_directories(build / "patcher/main");
  fs::create_symlink(testsupport::BinaryDir() / "patcher/main/patcher", build / "patcher/main/patcher");
  fs::copy(testsupport::BinaryDir() / "update", kit, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  fs::rename(Game(), game);
  // The sample's settings name its own folder: here, the copy.
  platform::SettingsStore store;
  ASSERT_TRUE(store.Load((game / "registry.ini").string()));
  store.SetString("Software\\ProjectSelvarin\\Selvarin", "Path", game.string() + "/");
  ASSERT_TRUE(store.Save((game / "registry.ini").string()));
  const char* path = std::getenv("PATH");
  const auto result = testsupport::RunProgram({"/bin/sh", "-c", command},
                                              {{"PATH", (dir / "bin").string() + ":" + (path ? path : "/usr/bin:/bin")}},
                                              60000, dir.Path().string());
  ASSERT_EQ(result.exitCode, 0) << command << "\n" << result.output;
  EXPECT_NE(result.output.find(platform::Cp949ToUtf8("1.13 업데이트를 완료 했습니다.")), std::string::npos)
      << result.output;
  for (const char* name : patcherprogramtest::kNames) {
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(game / name))) << name;
    EXPECT_TRUE(SameBytes(game / name, kit / name)) << name;
  }
  EXPECT_EQ(Mode(game / "slvexe") & 0111, 0111u);
  EXPECT_EQ(Mode(game / "selvarin") & 0111, 0111u);
  EXPECT_EQ(WaitForFile(dir / "opened"), (game / "readme.txt").string() + "\n");

  // The kit's own content: the redrawn notice in an add-on pack the game
  // reads at its next start, and a Korean readme in code page 949.
  EXPECT_EQ(testsupport::ReadFile(game / "readme.txt").rfind("셀바린 1.13 업데이트", 0), 0u);
  ASSERT_TRUE(RegisterPack((game / "data21.pak").string()));
  EXPECT_NE(GetPackList()->Find("data/bmp/notice.bmp"), nullptr);
  FreePacks();
}

TEST_F(PatcherProgram, AKitWithoutItsPackLeavesTheGameAsItWas) {
  const fs::path kit = dir / "kit";
  fs::copy(testsupport::BinaryDir() / "update", kit, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  fs::remove(kit / "data21.pak");
  const auto before = Snapshot(Game());
  const auto result = Run(kit);
  EXPECT_EQ(result.exitCode, 254) << result.output;
  EXPECT_NE(result.output.find(platform::Cp949ToUtf8("업데이트를 설치하지 못했습니다.\ndata21.pak")),
            std::string::npos)
      << result.output;
  EXPECT_EQ(Snapshot(Game()), before);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(fs::exists(dir / "opened"));
}

}  // namespace
