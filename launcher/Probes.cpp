#include "launcher/Probes.h"

#include <cstdlib>
#include <memory>
#include <optional>

#include "engine/VideoSetup.h"
#include "platform/Display.h"
#include "platform/FileSystem.h"
#include "platform/Music.h"
#include "platform/Process.h"
#include "platform/SettingsStore.h"

namespace {
namespace probes {

constexpr int kDirectX7 = 0x700;

bool SameLabel(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace probes
}  // namespace

bool ProbeBrowser() { return platform::HasDesktopOpener(); }

bool ReadInstallPath(std::string* path) {
  platform::SettingsStore store;
  if (!store.Load(platform::SettingsStore::DefaultPath())) return false;
  const std::optional<std::string> value = store.GetString(kProductKey, "Path");
  if (!value) return false;
  *path = *value;
  return true;
}

bool ProbeInstalled() {
  std::string path;
  if (!ReadInstallPath(&path)) return false;
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
  platform::File file;
  return file.OpenRead(path + "selvarin");
}

int ProbeDirectXVersion() {
  std::shared_ptr<platform::Display> display;
  return platform::Failed(platform::Display::Create(nullptr, &display)) ? 0 : probes::kDirectX7;
}

std::string FindDiscDrive(int disc) {
  const std::string label = "SLV_DISC" + std::to_string(disc);
  for (const platform::DiscDrive& drive : platform::GetCdPlayer().ListDrives()) {
    if (probes::SameLabel(drive.label, "SLV_DVD") || probes::SameLabel(drive.label, label)) return drive.root;
  }
  return "";
}

std::string WindowsFolder() {
  const char* dir = std::getenv("SLV_WINDIR");
  return dir != nullptr && *dir != '\0' ? dir : "/usr/bin";
}
