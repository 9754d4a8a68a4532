// An install ended half-way, after each of its steps, then run again: with
// the complete update every file ends up new; with an update that lacks a file
// the game is wholly as it was or wholly as the first run's update made it, as
// the journal decides, and no temporary, backup or journal file is left. A
// journal that cannot be followed leaves everything as the ended run did.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "patcher/InstallJournal.h"
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

void Append(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary | std::ios::app) << text;
}

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

  // A run in process, in the folder `kit`; its messages are kept.
  int Run(const char* kit, std::function<void(const std::string&)> afterStep = {},
          platform::FileOperations files = {}) {
    PatcherHost host;
    host.settingsFile = Settings().string();
    host.sourceFolder = (dir / kit).string();
    host.files = std::move(files);
    host.showMessage = [this](const std::string& text, const std::string&) { messages.push_back(text); };
    host.openDocument = [](const std::string&) { return true; };
    host.afterStep = std::move(afterStep);
    messages.clear();
    return PatcherWinMain(host);
  }

  // The folder as the ended run left it, for each follow-up to start from.
  void KeepEnded() {
    fs::remove_all(dir / "ended");
    fs::copy(Game(), dir / "ended", fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  }
  void BackToEnded() {
    fs::remove_all(Game());
    fs::copy(dir / "ended", Game(), fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  }

  // Runs both follow-ups from the state the ended run left; the incomplete
  // one must leave `expected`. Then, with that run's journal damaged or
  // naming another file, neither follow-up changes anything.
  void CheckFollowUps(const std::string& what, const Folder& expected) {
    const Folder ended = Snapshot(Game());
    KeepEnded();
    EXPECT_EQ(Run("kit"), 0) << what;
    EXPECT_EQ(Snapshot(Game()), newGame) << what;

    BackToEnded();
    ASSERT_EQ(Snapshot(Game()), ended);
    EXPECT_EQ(Run("short kit"), -2) << what;
    EXPECT_EQ(Snapshot(Game()), expected) << what;

    CheckUnfollowableJournals(what);
  }

  void CheckUnfollowableJournals(const std::string& what) {
    const std::string otherFile =
        installjournal::Encode({{true, 3, "slvexe.dll", "slvexe.dll.update-new", "slvexe.dll.update-old"}})
            .substr(installjournal::Encode({}).size());
    const struct {
      const char* damage;
      std::function<void(const fs::path& journal)> spoil;
    } damages[] = {
        {"a line appended", [](const fs::path& journal) { Append(journal, "garbage\n"); }},
        {"another file named", [&](const fs::path& journal) { Append(journal, otherFile); }},
        {"a folder in its place", [](const fs::path& journal) {
           fs::remove(journal);
           fs::create_directory(journal);
         }},
    };
    for (const auto& d : damages) {
      BackToEnded();
      // The journal the run left (the undo's when it was being undone), or
      // one where it left none.
      fs::path journal = Game() / "update.rollback";
      if (!fs::exists(journal)) journal = Game() / "update.journal";
      if (!fs::exists(journal)) dir.Write("game/update.journal", installjournal::Encode({}));
      d.spoil(journal);
      const Folder damaged = Snapshot(Game());
      const std::string message = "업데이트 기록 파일을 처리할 수 없습니다.\n" + journal.string() +
                                  "\n게임을 다시 설치한 뒤 이 파일을 지우고 업데이트를 다시 실행해 주십시오.";
      for (const char* kit : {"kit", "short kit"}) {
        EXPECT_EQ(Run(kit), -2) << what << ", " << d.damage << ", " << kit;
        EXPECT_EQ(messages, std::vector<std::string>{message}) << what << ", " << d.damage << ", " << kit;
        EXPECT_EQ(Snapshot(Game()), damaged) << what << ", " << d.damage << ", " << kit;
      }
    }
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
  std::vector<std::string> messages;
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
