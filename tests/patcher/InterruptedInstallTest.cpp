// An install ended half-way, after each of its steps, then run again: with
// the complete update every file ends up new; with an update that lacks a file
// the game is wholly as it was or wholly as the first run's update made it, as
// the journal decides, and no temporary, backup or journal file is left.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>

#include "patcher/Patcher.h"
#include "platform/SettingsStore.h"
#include "tests/patcher/FolderSnapshot.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using Op = platform::FileOperations::Op;
using patchertest::NewContent;
using patchertest::Snapshot;
using Folder = std::map<std::string, std::string>;

namespace interruptedinstalltest {
const std::vector<std::string> kNames = {"selvarin", "slvexe", "data21.pak", "readme.txt"};
}  // namespace interruptedinstalltest

// The end of the process, in process: nothing after the step runs.
struct Ended : std::runtime_error {
  Ended() : std::runtime_error("ended") {}
};

class InterruptedInstallTest : public ::testing::Test {
 protected:
  InterruptedInstallTest() {
    for (const std::string& name : interruptedinstalltest::kNames) {
      chmod(dir.Write("kit/" + name, NewContent(name)).c_str(), name.find('.') == std::string::npos ? 0755 : 0644);
    }
    fs::copy(dir / "kit", dir / "short kit");
    fs::remove(dir / "short kit/readme.txt");
    // A first update: "data21.pak" is added.
    chmod(dir.Write("game/selvarin", "old launcher").c_str(), 0755);
    chmod(dir.Write("game/slvexe", "old game").c_str(), 0755);
    dir.Write("game/data.pak", "base pack");
    dir.Write("game/readme.txt", "old readme");
    platform::SettingsStore store;
    store.SetString("Software\\ProjectSelvarin\\Selvarin", "Path", Game().string());
    store.Save(Settings().string());
    oldGame = Snapshot(Game());
    newGame = NewGame();
  }

  fs::path Game() const { return dir / "game"; }
  fs::path Settings() const { return dir / "registry.ini"; }

  // The folder as a complete update leaves it.
  Folder NewGame() {
    const fs::path copy = dir / "reference";
    fs::copy(Game(), copy);
    for (const std::string& name : interruptedinstalltest::kNames) {
      fs::remove(copy / name);
      fs::copy(dir / "kit" / name, copy / name);
    }
    Folder folder = Snapshot(copy);
    fs::remove_all(copy);
    return folder;
  }

  // The patcher program, ended after `step`.
  void RunEndedAfter(const std::string& step) const {
    const auto result = testsupport::RunProgram({(testsupport::BinaryDir() / "patcher/main/patcher").string()},
                                                {{"SLV_REGISTRY", Settings().string()},
                                                 {"SLV_PATCHER_EXIT_AFTER", step}},
                                                60000, (dir / "kit").string());
    ASSERT_EQ(result.exitCode, kPatcherStepExit) << step << "\n" << result.output;
  }

  // A run in process, in the folder `kit`.
  int Run(const char* kit, std::function<void(const std::string&)> afterStep = {},
          platform::FileOperations files = {}) const {
    PatcherHost host;
    host.settingsFile = Settings().string();
    host.sourceFolder = (dir / kit).string();
    host.files = std::move(files);
    host.showMessage = [](const std::string&, const std::string&) {};
    host.openDocument = [](const std::string&) { return true; };
    host.afterStep = std::move(afterStep);
    return PatcherWinMain(host);
  }

  // Runs both follow-ups from the state the ended run left; the incomplete
  // one must leave `expected`.
  void CheckFollowUps(const std::string& what, const Folder& expected) {
    const Folder ended = Snapshot(Game());
    fs::copy(Game(), dir / "ended", fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    EXPECT_EQ(Run("kit"), 0) << what;
    EXPECT_EQ(Snapshot(Game()), newGame) << what;

    fs::remove_all(Game());
    fs::rename(dir / "ended", Game());
    ASSERT_EQ(Snapshot(Game()), ended);
    EXPECT_EQ(Run("short kit"), -2) << what;
    EXPECT_EQ(Snapshot(Game()), expected) << what;
  }

  void Reset() {
    fs::remove_all(Game());
    fs::create_directory(Game());
    for (const auto& [name, what] : oldGame) {
      const size_t colon = what.find(':');
      const auto path = dir.Write("game/" + name, what.substr(colon + 1));
      chmod(path.c_str(), static_cast<mode_t>(std::stoul(what.substr(0, colon))) & 0777);
    }
    ASSERT_EQ(Snapshot(Game()), oldGame);
  }

  testsupport::TempDir dir;
  Folder oldGame;
  Folder newGame;
};

// The program ended by its exit after each step, as a kill would end it.
TEST_F(InterruptedInstallTest, AnInstallEndedAfterAnyStepIsFinishedOrUndoneWhole) {
  const struct {
    const char* step;
    bool journalWritten;  // the incomplete run then leaves the update in place
  } rows[] = {
      {"copy selvarin", false},
      {"copy slvexe", false},
      {"copy data21.pak", false},
      {"copy readme.txt", false},
      {"write the journal", true},
      {"back up selvarin", true},
      {"place selvarin", true},
      {"back up slvexe", true},
      {"place slvexe", true},
      {"place data21.pak", true},  // a new file: nothing to back up
      {"back up readme.txt", true},
      {"place readme.txt", true},
      {"remove the backup of selvarin", true},
      {"remove the backup of slvexe", true},
      {"remove the backup of readme.txt", true},
      {"remove the journal", true},
  };
  for (const auto& row : rows) {
    Reset();
    RunEndedAfter(row.step);
    CheckFollowUps(row.step, row.journalWritten ? newGame : oldGame);
  }
}

// A swap that fails is undone; ended while undoing, the next run undoes the rest.
TEST_F(InterruptedInstallTest, AnUndoEndedHalfWayIsUndoneWhole) {
  const char* const steps[] = {"mark the journal undone", "restore readme.txt", "remove data21.pak",
                               "restore slvexe", "restore selvarin", "remove the undone journal"};
  for (const char* step : steps) {
    Reset();
    platform::FileOperations files;
    files.FailCall(Op::Rename, 7);  // placing the readme
    const auto end = [&](const std::string& done) {
      if (done == step) throw Ended();
    };
    EXPECT_THROW(Run("kit", end, std::move(files)), Ended) << step;
    CheckFollowUps(step, oldGame);
  }
}

}  // namespace
