#include "launcher/MenuHotSpot.h"

#include <algorithm>
#include <vector>

#include "launcher/BitmapRgb.h"
#include "launcher/HwConfigDialog.h"
#include "launcher/Macros.h"
#include "launcher/Probes.h"
#include "platform/DebugLog.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"

namespace {
namespace menuhotspot {

struct SharedPictures {
  std::unique_ptr<uint8_t[]> normal, selected, hide;
  int width = 0, height = 0;
  int live = 0;  // hot spots alive
};
SharedPictures g_pictures;

// Loads a picture unless its size differs from the ones loaded before it.
std::unique_ptr<uint8_t[]> LoadShared(const char* name) {
  int width = 0, height = 0;
  std::unique_ptr<uint8_t[]> pixels = LoadBitmapRgb(name, &width, &height);
  if (pixels == nullptr) return nullptr;
  if (g_pictures.width == 0) {
    g_pictures.width = width;
    g_pictures.height = height;
  } else if (width != g_pictures.width || height != g_pictures.height) {
    DebugLogf("MenuHotSpot: %s is %d x %d, not %d x %d like the others", name, width, height, g_pictures.width,
              g_pictures.height);
    return nullptr;
  }
  return pixels;
}

void LoadSharedPictures() {
  // The selected picture first: it sets the window's size.
  g_pictures.selected = LoadShared("images/selected.bmp");
  g_pictures.normal = LoadShared("images/normal.bmp");
  g_pictures.hide = LoadShared("images/hide.bmp");
}

// A path of the action's text as it lies on disk; either separator.
std::string LocalPath(std::string text) {
  std::string found = platform::FindOnDisk(text);
  if (!found.empty()) return found;
  std::replace(text.begin(), text.end(), '\\', '/');
  return text;
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

bool OpenUrl(const std::string& address) {
  if (ProbeBrowser()) platform::OpenWithDesktop(address);
  return false;
}

// Starts the program in its own folder; the launcher closes only when it
// started.
bool Execute(const std::string& text) {
  std::string expanded;
  if (!ExpandMacros(text, &expanded)) return false;
  const std::string program = LocalPath(expanded);
  const size_t slash = program.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : program.substr(0, slash);
  if (platform::StartProgramIn(program, {}, folder)) return true;
  platform::ShowMessageBox("프로그램을 실행할 수 없습니다.\n" + expanded, "알림");
  return false;
}

// The launcher stays either way; a document that does not open is said.
bool Open(const std::string& text) {
  std::string expanded;
  if (ExpandMacros(text, &expanded) && !platform::OpenWithDesktop(LocalPath(expanded))) {
    platform::ShowMessageBox("문서를 열 수 없습니다.\n" + expanded, "알림");
  }
  return false;
}

}  // namespace menuhotspot
}  // namespace

MenuHotSpot::MenuHotSpot(int left, int top, int right, int bottom, const std::string& action, bool enabled)
    : m_left(left), m_right(right), m_top(top), m_bottom(bottom), m_enabled(enabled), m_action(action) {
  if (menuhotspot::g_pictures.live++ == 0) menuhotspot::LoadSharedPictures();
}

MenuHotSpot::~MenuHotSpot() {
  if (--menuhotspot::g_pictures.live == 0) menuhotspot::g_pictures = menuhotspot::SharedPictures{};
}

MenuHotSpot::PictureState MenuHotSpot::Pictures() {
  PictureState state;
  state.width = menuhotspot::g_pictures.width;
  state.height = menuhotspot::g_pictures.height;
  state.normal = menuhotspot::g_pictures.normal != nullptr;
  state.selected = menuhotspot::g_pictures.selected != nullptr;
  state.hide = menuhotspot::g_pictures.hide != nullptr;
  return state;
}

bool MenuHotSpot::HitTest(int x, int y) {
  const bool inside = m_left <= x && x < m_right && m_top <= y && y < m_bottom;
  m_fadeSpeed = inside ? kFadeInSpeed : kFadeOutSpeed;
  return m_enabled && inside;
}

bool MenuHotSpot::Draw(uint8_t* pixels, int stride, int height, float seconds) {
  m_fadeLevel = std::clamp(m_fadeLevel + seconds * m_fadeSpeed, 0.0f, 1.0f);
  const bool fading = (m_fadeLevel > 0.0f && m_fadeSpeed < 0.0f) || (m_fadeLevel < 1.0f && m_fadeSpeed > 0.0f);
  const uint8_t* first = !m_enabled            ? menuhotspot::g_pictures.hide.get()
                         : m_fadeLevel >= 1.0f ? menuhotspot::g_pictures.selected.get()
                                               : menuhotspot::g_pictures.normal.get();
  const uint8_t* second = menuhotspot::g_pictures.selected.get();
  const bool blend = m_enabled && m_fadeLevel > 0.0f && m_fadeLevel < 1.0f;
  if (first == nullptr || (blend && second == nullptr)) return fading;
  const int k = static_cast<int>(m_fadeLevel * 255.0f);
  const size_t rowLength = static_cast<size_t>(menuhotspot::g_pictures.width) * 3;
  const int x0 = std::max(m_left, 0), x1 = std::min({m_right, menuhotspot::g_pictures.width, stride / 3});
  const int y0 = std::max(m_top, 0), y1 = std::min({m_bottom, menuhotspot::g_pictures.height, height});
  for (int y = y0; y < y1; ++y) {
    const size_t from = static_cast<size_t>(y) * rowLength;
    uint8_t* out = pixels + static_cast<size_t>(y) * stride;
    for (size_t i = static_cast<size_t>(x0) * 3; i < static_cast<size_t>(std::max(x1, x0)) * 3; ++i) {
      out[i] =
          blend ? static_cast<uint8_t>((first[from + i] * (255 - k) + second[from + i] * k) >> 8) : first[from + i];
    }
  }
  return fading;
}

bool MenuHotSpot::Click() {
  if (menuhotspot::StartsWith(m_action, "url::")) return menuhotspot::OpenUrl(m_action.substr(5));
  if (menuhotspot::StartsWith(m_action, "exec::")) return menuhotspot::Execute(m_action.substr(6));
  if (menuhotspot::StartsWith(m_action, "exit")) return true;
  if (menuhotspot::StartsWith(m_action, "open::")) return menuhotspot::Open(m_action.substr(6));
  if (menuhotspot::StartsWith(m_action, "hwconfig")) {
    ShowHwConfigDialog();
    return false;
  }
  platform::ShowMessageBox(m_action, "click");
  return false;
}
