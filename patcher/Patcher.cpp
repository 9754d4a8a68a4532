#include "patcher/Patcher.h"

#include <cstdlib>
#include <vector>

#include "patcher/UpdateInstall.h"
#include "platform/DebugLog.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"
#include "platform/SettingsStore.h"

namespace {

constexpr const char* kProductKey = "Software\\ProjectSelvarin\\Selvarin";
constexpr const char* kNotInstalled = "셀바리아가 설치되어 있지 않습니다.";
constexpr const char* kNotUpdated = "업데이트를 설치하지 못했습니다.";
constexpr const char* kUpdated = "1.13 업데이트를 완료 했습니다.";
constexpr const char* kUnfollowable = "업데이트 기록 파일을 처리할 수 없습니다.";
constexpr const char* kSettleByHand = "게임을 다시 설치한 뒤 이 파일을 지우고 업데이트를 다시 실행해 주십시오.";
constexpr const char* kReadme = "readme.txt";

// The update's files, swapped into place in this order.
const std::vector<std::string>& UpdateFiles() {
  static const std::vector<std::string> names = {"selvarin", "slvexe", "data21.pak", kReadme};
  return names;
}

// The stored "Path", or nothing when the key or the text value is missing.
bool ReadInstalledPath(const std::string& settingsFile, std::string* path) {
  platform::SettingsStore store;
  if (!store.Load(settingsFile)) return false;
  const platform::SettingsStore::Value* value = store.Find(kProductKey, "Path");
  if (value == nullptr || value->type != platform::SettingsStore::Type::String) return false;
  *path = value->text;
  return true;
}

std::function<void(const std::string&)> ExitAfterChosenStep() {
  const char* chosen = std::getenv("SLV_PATCHER_EXIT_AFTER");
  if (chosen == nullptr || *chosen == '\0') return {};
  return [chosen = std::string(chosen)](const std::string& step) {
    if (step == chosen) std::_Exit(kPatcherStepExit);
  };
}

}  // namespace

PatcherHost::PatcherHost()
    : settingsFile(platform::SettingsStore::DefaultPath()),
      sourceFolder("."),
      showMessage(platform::ShowMessageBox),
      openDocument(platform::OpenWithDesktop),
      afterStep(ExitAfterChosenStep()) {}

std::string InstalledFolder(std::string path) {
  if (path.size() > 1 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

int PatcherWinMain(PatcherHost& host) {
  std::string path;
  const bool stored = ReadInstalledPath(host.settingsFile, &path);
  const std::string folder = InstalledFolder(path);
  CUpdateInstall install(host.files, host.sourceFolder, folder, UpdateFiles());
  install.AfterEachStep(host.afterStep);
  // What a run ended half-way left is settled first: until then the folder
  // may lack its launcher, and nothing is installed over an open journal.
  const bool settled = !stored || install.Recover();
  if (!install.UnfollowableJournal().empty()) {
    host.showMessage(std::string(kUnfollowable) + "\n" + install.UnfollowableJournal() + "\n" + kSettleByHand, "ERROR");
    return -2;
  }
  if (!stored || !platform::PathExists(folder + "/selvarin")) {
    host.showMessage(kNotInstalled, "ERROR");
    return -1;
  }
  if (!settled || !install.Install()) {
    host.showMessage(std::string(kNotUpdated) + "\n" + install.FailedName(), "ERROR");
    return -2;
  }
  // The update is in place whether or not the readme can be shown.
  if (!host.openDocument(install.InstalledPath(kReadme))) DebugLog("patcher: the readme did not open");
  host.showMessage(kUpdated, "OK");
  return 0;
}

int PatcherWinMain() {
  PatcherHost host;
  return PatcherWinMain(host);
}
