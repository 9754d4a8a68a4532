#include "platform/MessageBox.h"

#include "platform/TextEncoding.h"

#include <SDL.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {


namespace {
bool IsHeadlessDriver(const char* driver) {
  return driver != nullptr && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

bool HasRealDisplay() {
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) return !IsHeadlessDriver(SDL_GetCurrentVideoDriver());
  // Before the window exists: a display server must be named.
  if (IsHeadlessDriver(std::getenv("SDL_VIDEODRIVER"))) return false;
  return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}
}  // namespace

void ShowMessageBox(const std::string& text, const std::string& caption) {
  const std::string utf8Text = Cp949ToUtf8(text);
  const std::string utf8Caption = Cp949ToUtf8(caption);
  if (HasRealDisplay() &&
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, utf8Caption.c_str(), utf8Text.c_str(),
                               nullptr) == 0) {
    return;
  }
  if (utf8Caption.empty()) {
    std::fprintf(stderr, "%s\n", utf8Text.c_str());
  } else {
    std::fprintf(stderr, "%s: %s\n", utf8Caption.c_str(), utf8Text.c_str());
  }
}

}  // namespace platform
