#include "ui/UIOptionPane.h"

#include <array>
#include <cstdio>

#include "engine/FrameClock.h"
#include "engine/Mixer.h"
#include "platform/DebugLog.h"
#include "platform/Keys.h"
#include "platform/MixerVolume.h"
#include "render/Font.h"
#include "render/RC.h"
#include "session/Session.h"
#include "ui/SkinList.h"
#include "ui/UIDesktop.h"
#include "ui/UIRadioBtn.h"
#include "ui/UIScrollBar.h"
#include "ui/UISpin.h"

namespace {
namespace uioptionpane {

using namespace platform;

constexpr int kBarLength = 280;
constexpr int kSpinWidth = 100;
constexpr int kPictureSkins = 23;  // the built-in desktops the spin reaches
constexpr int kKeyLayouts = 6;
constexpr const char* kFrameRateLabels[] = {"자동", "60", "30", "20", "15"};

constexpr int kCaptionX = 180;
struct Caption {
  int y;
  const char* text;
};
constexpr std::array<Caption, 6> kCaptions = {{{72, "음        악"},
                                               {102, "효   과   음"},
                                               {132, "글   씨   체"},
                                               {162, "배        경"},
                                               {252, "프레임 설정"},
                                               {282, "키   설   정"}}};

// The rows of the key table: an action and the keypad buttons the layout
// gives it, or the keys no layout changes.
struct KeyRow {
  const char* action;
  int first, second;  // -1: one key, or none
  const char* fixedKeys = nullptr;
};
constexpr std::array<KeyRow, 8> kKeyRows = {{{"회  전", 6, 7},
                                             {"확  대", 8, 9},
                                             {"행  동", 5, -1},
                                             {"점  프", 4, -1},
                                             {"게임모드", -1, -1, "F1"},
                                             {"도감모드", -1, -1, "F2"},
                                             {"추적대상변경", -1, -1, "F3 F4"},
                                             {"주변지도보기", -1, -1, "F5"}}};
constexpr int kKeyTableY = 312, kKeyRowPitch = 20, kKeyNameX = 270;
// The rows no layout changes stand in a second column, both in the desk's
// key box, which is wide enough for the longest key names.
constexpr int kKeyRowsPerColumn = 4, kFixedActionX = 428, kFixedKeyX = 542;

void Caption(CRC* rc, int x, int y, const std::string& text) {
  rc->DrawText(g_uiOriginX + x, g_uiOriginY + y, text.c_str(), false, 149, 109, 54);
}

}  // namespace uioptionpane
}  // namespace

std::string KeyName(int key) {
  struct Named {
    int key;
    const char* name;
  };
  static constexpr Named kNames[] = {{platform::VK_RETURN, "Enter"}, {platform::VK_SPACE, "Space"},   {platform::VK_CONTROL, "Ctrl"},
                                     {platform::VK_HOME, "Home"},    {platform::VK_END, "End"},       {platform::VK_INSERT, "Insert"},
                                     {platform::VK_DELETE, "Delete"}, {platform::VK_PRIOR, "PageUp"}, {platform::VK_NEXT, "PageDown"}};
  for (const Named& n : kNames) {
    if (n.key == key) return n.name;
  }
  if (key >= platform::VK_F1 && key <= platform::VK_F12) return "F" + std::to_string(key - platform::VK_F1 + 1);
  if ((key >= platform::VK_A && key <= platform::VK_Z) || (key >= platform::VK_0 && key <= platform::VK_9)) return std::string(1, static_cast<char>(key));
  return "?";
}

int VolumePosition(uint32_t value, uint32_t minimum, uint32_t maximum, int steps) {
  if (maximum <= minimum || value <= minimum) return 0;
  if (value >= maximum) return steps;
  const uint64_t span = maximum - minimum;
  return static_cast<int>(((value - minimum) * static_cast<uint64_t>(steps) + span / 2) / span);
}

UIOptionPane::UIOptionPane() : UIDeskPane("UserInterface\\tab1-5.bmp", "UserInterface\\option_desk.bmp") {
  BuildSkinList();
  m_skinCount = static_cast<int>(SkinList().size());
}

void UIOptionPane::Notify(UIObject* sender, int code, int a, int b) {
  if (code == kUiOpen) {
    Open();
  } else if (code == 2) {
    SetVolume(dynamic_cast<const UIScrollBar*>(sender), a);
  } else if (code == 15) {
    Apply(sender);
  }
}

// Scroll bars tell their parent without naming themselves, so the bar is
// told apart by the sender the toolkit passes.
UIScrollBar* UIOptionPane::AddVolumeBar(uint32_t line, int y) {
  auto* bar = new UIScrollBar;
  bar->Setup(g_uiOriginX + 300, g_uiOriginY + y, uioptionpane::kBarLength, true, true);
  AddChild(bar);
  bar->m_largest = kVolumeSteps;
  CMixer mixer;
  if (mixer.Open(line)) bar->m_position = VolumePosition(mixer.GetVolume(), mixer.Minimum(), mixer.Maximum(), kVolumeSteps);
  mixer.Close();
  return bar;
}

void UIOptionPane::Open() {
  DestroyChildren();
  m_musicBar = AddVolumeBar(platform::kMixerLineCompactDisc, 70);
  m_effectsBar = AddVolumeBar(platform::kMixerLineWaveOut, 100);
  m_font = new UISpin;
  m_font->Setup(g_uiOriginX + 287, g_uiOriginY + 130, uioptionpane::kSpinWidth, CSession::kLastFont);
  AddChild(m_font);
  m_skin = new UISpin;
  m_skin->Setup(g_uiOriginX + 287, g_uiOriginY + 160, uioptionpane::kSpinWidth, uioptionpane::kPictureSkins + m_skinCount);
  AddChild(m_skin);
  m_frameRate = new UIGroupBox;
  m_frameRate->Setup(g_uiOriginX + 300, g_uiOriginY + 250, 290, 20);
  AddChild(m_frameRate);
  for (int k = 0; k < 5; ++k) {
    auto* button = new UIRadioBtn;
    button->Setup(g_uiOriginX + 280 + 60 * k, g_uiOriginY + 252, uioptionpane::kFrameRateLabels[k], k, 0);
    m_frameRate->AddChild(button);
  }
  m_keys = new UISpin;
  m_keys->Setup(g_uiOriginX + 287, g_uiOriginY + 280, uioptionpane::kSpinWidth, uioptionpane::kKeyLayouts);
  AddChild(m_keys);

  const auto& options = CSession::GetInstance().options;
  m_font->m_value = options[CSession::kOptionFont];
  m_skin->m_value = options[CSession::kOptionSkin];
  m_keys->m_value = options[CSession::kOptionKeyLayout];
  // Marked, not applied again: the frame skip in force may be the one the
  // game was started with.
  int k = 0;
  for (UIObject* child : m_frameRate->m_children) {
    if (k == options[CSession::kOptionFrameSkip]) {
      static_cast<UIRadioBtn*>(child)->m_checked = 1;
      m_frameRate->m_chosen = k;
    }
    ++k;
  }
}

void UIOptionPane::SetVolume(const UIScrollBar* bar, int position) {
  if (bar == nullptr || (bar != m_musicBar && bar != m_effectsBar)) return;
  const bool music = bar == m_musicBar;
  CMixer mixer;
  if (!mixer.Open(music ? platform::kMixerLineCompactDisc : platform::kMixerLineWaveOut)) return;
  mixer.SetVolume(static_cast<uint32_t>(position), kVolumeSteps);
  CSession::GetInstance().options[music ? CSession::kOptionMusicVolume : CSession::kOptionEffectsVolume] =
      static_cast<int32_t>(mixer.GetVolume());
  mixer.Close();
}

void UIOptionPane::Apply(const UIObject* sender) {
  CSession& session = CSession::GetInstance();
  auto& options = session.options;
  if (sender == m_skin) {
    options[CSession::kOptionSkin] = m_skin->m_value;
  } else if (sender == m_font) {
    options[CSession::kOptionFont] = m_font->m_value;
    char name[64];
    std::snprintf(name, sizeof name, "font\\slvfont%d.dat", m_font->m_value);
    if (!LoadHangulFont(name)) DebugLogf("UIOptionPane : no font %s", name);
  } else if (sender == m_frameRate) {
    options[CSession::kOptionFrameSkip] = m_frameRate->m_chosen;
    SetFrameSkip(static_cast<uint32_t>(m_frameRate->m_chosen));
  } else if (sender == m_keys) {
    options[CSession::kOptionKeyLayout] = m_keys->m_value;
    session.ApplyKeyLayout();
  }
}

void UIOptionPane::DrawLocked(CRC* rc) {
  UIDeskPane::DrawLocked(rc);
  if (rc == nullptr) return;
  for (const auto& c : uioptionpane::kCaptions) uioptionpane::Caption(rc, uioptionpane::kCaptionX, c.y, c.text);
  const auto table = KeyTable(CSession::GetInstance().options[CSession::kOptionKeyLayout]);
  for (size_t r = 0; r < table.size(); ++r) {
    const bool first = static_cast<int>(r) < uioptionpane::kKeyRowsPerColumn;
    const int y = uioptionpane::kKeyTableY + uioptionpane::kKeyRowPitch * (static_cast<int>(r) % uioptionpane::kKeyRowsPerColumn);
    uioptionpane::Caption(rc, first ? uioptionpane::kCaptionX + 20 : uioptionpane::kFixedActionX, y, table[r].first);
    uioptionpane::Caption(rc, first ? uioptionpane::kKeyNameX : uioptionpane::kFixedKeyX, y, table[r].second);
  }
}

std::vector<std::pair<std::string, std::string>> KeyTable(int layout) {
  std::vector<std::pair<std::string, std::string>> table;
  for (const uioptionpane::KeyRow& row : uioptionpane::kKeyRows) {
    std::string keys = row.fixedKeys != nullptr ? row.fixedKeys : KeyName(CSession::LayoutKey(layout, row.first));
    if (row.second != -1) keys += "  " + KeyName(CSession::LayoutKey(layout, row.second));
    table.emplace_back(row.action, keys);
  }
  return table;
}
