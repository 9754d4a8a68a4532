#include "render/TextProbe.h"

#include <cstdio>

#include "platform/DebugLog.h"
#include "platform/InputScript.h"
#include "platform/Surface.h"
#include "render/3dDevice.h"

namespace {

// The back buffer as one run of pixels, row after row; empty without one.
std::vector<uint16_t> Pixels() {
  std::vector<uint16_t> out;
  const platform::Surface* target = g_3dDevice.RenderTarget();
  if (target == nullptr) return out;
  out.reserve(static_cast<size_t>(target->Width()) * static_cast<size_t>(target->Height()));
  for (int y = 0; y < target->Height(); ++y) {
    const uint16_t* row = target->Row(y);
    out.insert(out.end(), row, row + target->Width());
  }
  return out;
}

}  // namespace

CTextProbe& CTextProbe::GetInstance() {
  static CTextProbe probe;
  return probe;
}

void CTextProbe::Start(Report report) {
  m_report = std::move(report);
  m_recording = true;
  m_pending = false;
  m_depth = 0;
  m_drawn.clear();
}

void CTextProbe::StartAfterPresent(Report report) {
  m_report = std::move(report);
  m_recording = false;
  m_pending = true;
}

void CTextProbe::BeginText(const char* text) {
  if (!m_recording || m_depth++ > 0) return;
  m_text = text != nullptr ? text : "";
  m_before = Pixels();
}

void CTextProbe::EndText() {
  if (!m_recording || m_depth == 0 || --m_depth > 0) return;
  const std::vector<uint16_t> after = Pixels();
  Drawn drawn{m_text, {}};
  for (size_t i = 0; i < after.size() && i < m_before.size(); ++i) {
    if (after[i] != m_before[i]) drawn.pixels.emplace_back(static_cast<uint32_t>(i), after[i]);
  }
  if (!drawn.pixels.empty()) m_drawn.push_back(std::move(drawn));
}

void CTextProbe::Present() {
  if (m_pending) {
    Start(std::move(m_report));
    return;
  }
  if (!m_recording) return;
  const std::vector<uint16_t> shown = Pixels();
  std::vector<TextSeen> seen;
  for (const Drawn& d : m_drawn) {
    TextSeen s{d.text, static_cast<int>(d.pixels.size()), 0};
    for (const auto& [at, value] : d.pixels) {
      if (at < shown.size() && shown[at] == value) ++s.kept;
    }
    seen.push_back(std::move(s));
  }
  m_recording = false;
  m_drawn.clear();
  Report report = std::move(m_report);
  m_report = nullptr;
  if (report) report(seen);
}

TextProbeScope::TextProbeScope(const char* text) : m_on(CTextProbe::GetInstance().Recording()) {
  if (m_on) CTextProbe::GetInstance().BeginText(text);
}

TextProbeScope::~TextProbeScope() {
  if (m_on) CTextProbe::GetInstance().EndText();
}

namespace {

bool HandleTextCheck(const platform::ScriptedEvent& event) {
  if (event.kind != "textcheck") return false;
  if (event.args.size() != 1) {
    DebugLog("input script: textcheck wants a file");
    return true;
  }
  const std::string path = event.args[0];
  CTextProbe::GetInstance().StartAfterPresent([path](const std::vector<TextSeen>& seen) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
      DebugLogf("input script: cannot write %s", path.c_str());
      return;
    }
    for (const TextSeen& s : seen) std::fprintf(file, "%d %d %s\n", s.kept, s.pixels, s.text.c_str());
    std::fclose(file);
  });
  return true;
}

}  // namespace

void EnableScriptedTextCheck() { platform::AddScriptedEventHandler(HandleTextCheck); }
