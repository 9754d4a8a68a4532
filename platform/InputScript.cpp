#include "platform/InputScript.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/DebugLog.h"
#include "platform/Keys.h"

namespace platform {
namespace {

std::vector<ScriptedEvent> g_events;  // sorted by pass, stable
size_t g_next = 0;
std::vector<ScriptedEventHandler> g_handlers;

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

}  // namespace

int ParseVirtualKeyName(const std::string& raw) {
  const std::string name = Lower(raw);
  struct Named {
    const char* name;
    int vk;
  };
  static constexpr Named kNames[] = {
      {"esc", VK_ESCAPE}, {"escape", VK_ESCAPE}, {"enter", VK_RETURN}, {"return", VK_RETURN},
      {"space", VK_SPACE}, {"left", VK_LEFT},   {"up", VK_UP},         {"right", VK_RIGHT},
      {"down", VK_DOWN},  {"tab", VK_TAB},      {"shift", VK_SHIFT},   {"ctrl", VK_CONTROL},
      {"alt", VK_MENU},
  };
  for (const Named& n : kNames) {
    if (name == n.name) return n.vk;
  }
  if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') return VK_A + (name[0] - 'a');
  if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return VK_0 + (name[0] - '0');
  if (name.size() >= 2 && name[0] == 'f') {
    char* end = nullptr;
    const long n = std::strtol(name.c_str() + 1, &end, 10);
    if (*end == '\0' && n >= 1 && n <= 12) return VK_F1 + static_cast<int>(n) - 1;
  }
  char* end = nullptr;
  const long code = std::strtol(name.c_str(), &end, 0);
  if (!name.empty() && *end == '\0' && code > 0 && code < 256) return static_cast<int>(code);
  return 0;
}

std::vector<ScriptedEvent> ParseInputScript(const std::string& text) {
  std::vector<ScriptedEvent> events;
  std::istringstream lines(text);
  std::string line;
  int lineNo = 0;
  while (std::getline(lines, line)) {
    ++lineNo;
    const size_t hash = line.find('#');
    if (hash != std::string::npos) line.resize(hash);
    std::istringstream words(line);
    std::string passText;
    if (!(words >> passText)) continue;
    char* end = nullptr;
    const unsigned long long pass = std::strtoull(passText.c_str(), &end, 10);
    ScriptedEvent ev;
    if (*end != '\0' || pass == 0 || !(words >> ev.kind)) {
      DebugLogf("input script line %d: expected <pass> <event>", lineNo);
      continue;
    }
    ev.pass = pass;
    ev.kind = Lower(ev.kind);
    for (std::string w; words >> w;) ev.args.push_back(w);
    events.push_back(std::move(ev));
  }
  std::stable_sort(events.begin(), events.end(),
                   [](const ScriptedEvent& a, const ScriptedEvent& b) { return a.pass < b.pass; });
  return events;
}

void SetInputScript(std::vector<ScriptedEvent> events) {
  g_events = std::move(events);
  g_next = 0;
}

void LoadInputScriptFromEnvironment() {
  const char* path = std::getenv("SLV_INPUT_SCRIPT");
  if (path == nullptr || *path == '\0') return;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    DebugLogf("input script %s cannot be opened", path);
    return;
  }
  std::ostringstream text;
  text << in.rdbuf();
  SetInputScript(ParseInputScript(text.str()));
}

std::vector<ScriptedEvent> TakeScriptedEvents(uint64_t pass) {
  std::vector<ScriptedEvent> due;
  while (g_next < g_events.size() && g_events[g_next].pass <= pass) {
    due.push_back(g_events[g_next++]);
  }
  return due;
}

bool HasPendingScriptedEvents() { return g_next < g_events.size(); }

void AddScriptedEventHandler(ScriptedEventHandler handler) {
  if (std::find(g_handlers.begin(), g_handlers.end(), handler) == g_handlers.end()) {
    g_handlers.push_back(handler);
  }
}

bool DispatchScriptedEventToHandlers(const ScriptedEvent& event) {
  for (ScriptedEventHandler h : g_handlers) {
    if (h(event)) return true;
  }
  return false;
}

}  // namespace platform
