#include "launcher/MenuScript.h"

#include <cstdio>

#include "launcher/LauncherFiles.h"
#include "launcher/MenuHotSpot.h"
#include "launcher/MenuWallpaper.h"
#include "launcher/Probes.h"
#include "launcher/ScriptReader.h"
#include "platform/DebugLog.h"

namespace {

constexpr int kDirectX7 = 0x700;

// Whether the line's condition holds; a line without one, or with a probe
// of another name, always holds.
bool ConditionHolds(const std::string& line) {
  ScriptSlots args;
  if (ParseScriptCall(line, "check", &args) < 1) return true;
  std::string probe = args[0];
  const bool negated = !probe.empty() && probe[0] == '!';
  if (negated) probe.erase(0, 1);
  bool holds = false;
  if (probe == "dxver7") {
    holds = ProbeDirectXVersion() < kDirectX7;
  } else if (probe == "html") {
    holds = ProbeBrowser();
  } else if (probe == "install") {
    holds = ProbeInstalled();
  } else {
    return true;
  }
  return holds != negated;
}

std::unique_ptr<MenuItem> MakeHotSpot(const ScriptSlots& args, int count, bool enabled) {
  int left = 0, top = 0, right = 0, bottom = 0;
  if (count < 2 || std::sscanf(args[1].c_str(), "%d %d %d %d", &left, &top, &right, &bottom) != 4) {
    DebugLogf("launcher.ini: \"%s\" needs four numbers", args[1].c_str());
    return nullptr;
  }
  return std::make_unique<MenuHotSpot>(left, top, right, bottom, enabled && count >= 3 ? args[2] : "", enabled);
}

}  // namespace

std::unique_ptr<MenuItem> ParseMenuLine(const std::string& line) {
  if (!ConditionHolds(line)) return nullptr;
  ScriptSlots args;
  const int count = ParseScriptCall(line, "class", &args);
  if (count < 1) return nullptr;
  if (args[0] == "wallpaper") return count >= 2 ? std::make_unique<MenuWallpaper>(args[1]) : nullptr;
  if (args[0] == "select") return MakeHotSpot(args, count, true);
  if (args[0] == "unselect") return MakeHotSpot(args, count, false);
  return nullptr;
}

std::vector<std::unique_ptr<MenuItem>> ReadMenuScript() {
  std::vector<std::unique_ptr<MenuItem>> items;
  std::unique_ptr<cFile> stream = OpenStream("launcher.ini", kStreamBufferSize);
  if (stream == nullptr) {
    DebugLog("launcher.ini not found: the menu is empty");
    return items;
  }
  for (std::string line; ReadScriptLine(*stream, &line);) {
    std::unique_ptr<MenuItem> item = ParseMenuLine(line);
    if (item == nullptr) continue;
    if (items.size() == kMaxMenuItems) {
      DebugLogf("launcher.ini: no room for \"%s\"", line.c_str());
      continue;
    }
    items.push_back(std::move(item));
  }
  ReleaseStream(stream);
  return items;
}
