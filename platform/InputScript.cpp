#include "platform/InputScript.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/DebugLog.h"
#include "platform/Keys.h"

namespace platform {
namespace {
namespace inputscript {

std::vector<ScriptedEvent> g_events;  // sorted by pass, stable
size_t g_next = 0;
std::vector<ScriptedEvent> g_anchored;  // waiting for their anchors, in file order
std::vector<std::pair<std::string, int>> g_marks;  // anchor, times marked
uint64_t g_pass = 0;                    // the pass events were last taken for
std::vector<ScriptedEventHandler> g_handlers;

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

// "<anchor>[/<n>]+<offset>"
bool ParseAnchoredPass(const std::string& text, ScriptedEvent* ev) {
  const size_t plus = text.find('+');
  if (plus == std::string::npos || plus == 0) return false;
  std::string name = text.substr(0, plus);
  const size_t slash = name.find('/');
  char* end = nullptr;
  if (slash != std::string::npos) {
    const long n = std::strtol(name.c_str() + slash + 1, &end, 10);
    if (*end != '\0' || n < 1 || n > 100000 || slash + 1 == name.size()) return false;
    ev->occurrence = static_cast<int>(n);
    name.resize(slash);
  }
  const std::string offset = text.substr(plus + 1);
  if (name.empty() || offset.empty() || offset[0] < '0' || offset[0] > '9') return false;
  ev->offset = std::strtoull(offset.c_str(), &end, 10);
  if (*end != '\0' || ev->offset > 1000000) return false;
  ev->anchor = Lower(name);
  return true;
}

}  // namespace inputscript
}  // namespace

int ParseVirtualKeyName(const std::string& raw) {
  const std::string name = inputscript::Lower(raw);
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
    ScriptedEvent ev;
    bool timed = false;
    if (passText[0] >= '0' && passText[0] <= '9') {
      char* end = nullptr;
      ev.pass = std::strtoull(passText.c_str(), &end, 10);
      timed = *end == '\0' && ev.pass != 0;
    } else {
      timed = inputscript::ParseAnchoredPass(passText, &ev);
    }
    if (!timed || !(words >> ev.kind)) {
      DebugLogf("input script line %d: expected <pass> <event>", lineNo);
      continue;
    }
    ev.kind = inputscript::Lower(ev.kind);
    for (std::string w; words >> w;) ev.args.push_back(w);
    events.push_back(std::move(ev));
  }
  std::stable_sort(events.begin(), events.end(),
                   [](const ScriptedEvent& a, const ScriptedEvent& b) { return a.pass < b.pass; });
  return events;
}

void SetInputScript(std::vector<ScriptedEvent> events) {
  inputscript::g_events.clear();
  inputscript::g_anchored.clear();
  inputscript::g_marks.clear();
  inputscript::g_next = 0;
  for (ScriptedEvent& ev : events) (ev.anchor.empty() ? inputscript::g_events : inputscript::g_anchored).push_back(std::move(ev));
}

bool IsScriptedRun() {
  const char* path = std::getenv("SLV_INPUT_SCRIPT");
  return path != nullptr && *path != '\0';
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
  inputscript::g_pass = pass;
  std::vector<ScriptedEvent> due;
  while (inputscript::g_next < inputscript::g_events.size() && inputscript::g_events[inputscript::g_next].pass <= pass) {
    due.push_back(inputscript::g_events[inputscript::g_next++]);
  }
  return due;
}

bool HasPendingScriptedEvents() { return inputscript::g_next < inputscript::g_events.size(); }

void MarkScriptAnchor(const std::string& anchor) {
  if (inputscript::g_anchored.empty()) return;
  auto mark = std::find_if(inputscript::g_marks.begin(), inputscript::g_marks.end(), [&](const auto& m) { return m.first == anchor; });
  if (mark == inputscript::g_marks.end()) mark = inputscript::g_marks.insert(inputscript::g_marks.end(), {anchor, 0});
  const int count = ++mark->second;
  DebugLogf("input script: anchor %s/%d at pass %llu", anchor.c_str(), count, static_cast<unsigned long long>(inputscript::g_pass));
  for (auto it = inputscript::g_anchored.begin(); it != inputscript::g_anchored.end();) {
    if (it->anchor != anchor || it->occurrence != count) {
      ++it;
      continue;
    }
    it->pass = inputscript::g_pass + it->offset;
    // Behind events of the same pass already waiting, as file order would put it.
    const auto at = std::upper_bound(inputscript::g_events.begin() + static_cast<std::ptrdiff_t>(inputscript::g_next), inputscript::g_events.end(), it->pass,
                                     [](uint64_t pass, const ScriptedEvent& e) { return pass < e.pass; });
    inputscript::g_events.insert(at, std::move(*it));
    it = inputscript::g_anchored.erase(it);
  }
}

void AddScriptedEventHandler(ScriptedEventHandler handler) {
  if (std::find(inputscript::g_handlers.begin(), inputscript::g_handlers.end(), handler) == inputscript::g_handlers.end()) {
    inputscript::g_handlers.push_back(handler);
  }
}

bool DispatchScriptedEventToHandlers(const ScriptedEvent& event) {
  for (ScriptedEventHandler h : inputscript::g_handlers) {
    if (h(event)) return true;
  }
  return false;
}

}  // namespace platform
