#include "render/TextProbe.h"

#include <algorithm>
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

namespace {
namespace textprobe {
enum Under : uint8_t { kFair, kOnText, kOnWidget, kBare };
}  // namespace textprobe
}  // namespace

void CTextProbe::Start(Report report, bool blank) {
  m_report = std::move(report);
  m_recording = true;
  m_pending = false;
  m_textDepth = 0;
  m_nextOwner = 0;
  m_saved.clear();
  if (blank) Blank();
  m_last = Pixels();
  m_owner.assign(m_last.size(), -1);
  m_ownerKind.assign(1, Kind::kWidget);  // mark 0: plain 2-D drawing, never read as a kind
  m_open.clear();
  m_drawn.clear();
}

void CTextProbe::StartAfterPresent(Report report) {
  m_report = std::move(report);
  m_recording = false;
  m_pending = true;
}

void CTextProbe::Presented() {
  if (m_pending) Start(std::move(m_report), true);
}

// What the last frame left in the back buffer is covered with a mark, so
// that a text drawn where this frame drew nothing shows as such.
void CTextProbe::Blank() {
  platform::Surface* target = g_3dDevice.RenderTarget();
  if (target == nullptr) return;
  m_saved = Pixels();
  for (int y = 0; y < target->Height(); ++y) std::fill_n(target->Row(y), target->Width(), kUndrawn);
}

// Where the frame drew nothing, the last frame's pixels go back, as the
// screen would show them.
void CTextProbe::Unblank() {
  platform::Surface* target = g_3dDevice.RenderTarget();
  if (target == nullptr || m_saved.size() != m_last.size()) return;
  const size_t width = static_cast<size_t>(target->Width());
  for (int y = 0; y < target->Height(); ++y) {
    uint16_t* row = target->Row(y);
    const size_t base = static_cast<size_t>(y) * width;
    for (size_t x = 0; x < width; ++x) {
      if (m_owner[base + x] == -1 && row[x] == kUndrawn) row[x] = m_saved[base + x];
    }
  }
  m_saved.clear();
}

bool CTextProbe::Enclosing(int32_t owner) const {
  for (const Open& open : m_open) {
    if (open.owner == owner) return true;
  }
  return false;
}

uint8_t CTextProbe::Under(int32_t owner, uint16_t value) const {
  if (owner == -1 && !m_saved.empty() && value == kUndrawn) return textprobe::kBare;
  if (owner <= 0 || Enclosing(owner)) return textprobe::kFair;
  switch (m_ownerKind[static_cast<size_t>(owner)]) {
    case Kind::kText: return textprobe::kOnText;
    case Kind::kWidget: return textprobe::kOnWidget;
    case Kind::kScene: return textprobe::kBare;
  }
  return textprobe::kFair;
}

// A pixel changed since the probe last looked belongs to the innermost open
// drawing, or to plain 2-D drawing when none is open.
void CTextProbe::Claim(size_t at, uint16_t value) {
  const int32_t owner = m_open.empty() ? 0 : m_open.back().owner;
  if (!m_open.empty() && m_open.back().drawn >= 0) {
    Drawn& text = m_drawn[static_cast<size_t>(m_open.back().drawn)];
    bool again = false;
    if (m_owner[at] == owner) {
      for (auto it = text.pixels.rbegin(); it != text.pixels.rend() && !again; ++it) {
        if (it->first == at) {
          it->second = value;
          again = true;
        }
      }
    }
    if (!again) {
      text.pixels.emplace_back(static_cast<uint32_t>(at), value);
      text.under.push_back(Under(m_owner[at], m_last[at]));
    }
  }
  m_owner[at] = owner;
  m_last[at] = value;
}

void CTextProbe::Settle() {
  const platform::Surface* target = g_3dDevice.RenderTarget();
  if (target == nullptr) return;
  const size_t width = static_cast<size_t>(target->Width());
  const size_t size = width * static_cast<size_t>(target->Height());
  if (m_last.size() != size) {
    m_last = Pixels();
    m_owner.assign(size, -1);
    return;
  }
  for (int y = 0; y < target->Height(); ++y) {
    const uint16_t* row = target->Row(y);
    const size_t base = static_cast<size_t>(y) * width;
    for (size_t x = 0; x < width; ++x) {
      if (row[x] != m_last[base + x]) Claim(base + x, row[x]);
    }
  }
}

void CTextProbe::Begin(Kind kind, const char* text) {
  if (!m_recording) return;
  if (kind == Kind::kText && m_textDepth++ > 0) return;
  Settle();
  m_ownerKind.push_back(kind);
  int drawn = -1;
  if (kind == Kind::kText) {
    drawn = static_cast<int>(m_drawn.size());
    m_drawn.push_back(Drawn{text != nullptr ? text : "", {}, {}});
  }
  m_open.push_back(Open{kind, ++m_nextOwner, drawn});
}

void CTextProbe::End(Kind kind) {
  if (!m_recording || m_open.empty()) return;
  if (kind == Kind::kText && (m_textDepth == 0 || --m_textDepth > 0)) return;
  Settle();
  m_open.pop_back();
}

void CTextProbe::Present() {
  if (!m_recording) return;
  m_open.clear();
  Settle();
  Unblank();
  std::vector<TextSeen> seen;
  for (const Drawn& d : m_drawn) {
    if (d.pixels.empty()) continue;
    TextSeen s{d.text, static_cast<int>(d.pixels.size())};
    for (size_t i = 0; i < d.pixels.size(); ++i) {
      const auto& [at, value] = d.pixels[i];
      if (at >= m_last.size() || m_last[at] != value) continue;
      switch (d.under[i]) {
        case textprobe::kFair: ++s.kept; break;
        case textprobe::kOnText: ++s.onText; break;
        case textprobe::kOnWidget: ++s.onWidget; break;
        default: ++s.bare; break;
      }
    }
    seen.push_back(std::move(s));
  }
  m_recording = false;
  m_drawn.clear();
  m_open.clear();
  Report report = std::move(m_report);
  m_report = nullptr;
  if (report) report(seen);
}

TextProbeScope::TextProbeScope(const char* text, CTextProbe::Kind kind)
    : m_on(CTextProbe::GetInstance().Recording()), m_kind(kind) {
  if (m_on) CTextProbe::GetInstance().Begin(kind, text);
}

TextProbeScope::~TextProbeScope() {
  if (m_on) CTextProbe::GetInstance().End(m_kind);
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
    for (const TextSeen& s : seen) {
      std::fprintf(file, "%d %d %d %d %d %s\n", s.kept, s.pixels, s.onText, s.onWidget, s.bare, s.text.c_str());
    }
    std::fclose(file);
  });
  return true;
}

}  // namespace

void EnableScriptedTextCheck() { platform::AddScriptedEventHandler(HandleTextCheck); }
