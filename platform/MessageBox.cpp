#include "platform/MessageBox.h"

#include "platform/TextEncoding.h"

#include <SDL.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {


namespace {
MessageBoxHook g_hook = nullptr;
void* g_hookUser = nullptr;

bool IsHeadlessDriver(const char* driver) {
  return driver != nullptr && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

bool HasRealDisplay() {
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) return !IsHeadlessDriver(SDL_GetCurrentVideoDriver());
  // Before the window exists: a display server must be named.
  if (IsHeadlessDriver(std::getenv("SDL_VIDEODRIVER"))) return false;
  return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}
void PrintBox(const std::string& utf8Text, const std::string& utf8Caption) {
  if (utf8Caption.empty()) {
    std::fprintf(stderr, "%s\n", utf8Text.c_str());
  } else {
    std::fprintf(stderr, "%s: %s\n", utf8Caption.c_str(), utf8Text.c_str());
  }
}
}  // namespace

void SetMessageBoxHook(MessageBoxHook hook, void* user) {
  g_hook = hook;
  g_hookUser = user;
}

void ShowMessageBox(const std::string& text, const std::string& caption) {
  if (g_hook != nullptr) {
    g_hook(text, caption, false, g_hookUser);
    return;
  }
  const std::string utf8Text = Cp949ToUtf8(text);
  const std::string utf8Caption = Cp949ToUtf8(caption);
  if (HasRealDisplay() &&
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, utf8Caption.c_str(), utf8Text.c_str(),
                               nullptr) == 0) {
    return;
  }
  PrintBox(utf8Text, utf8Caption);
}

bool AskOkCancel(const std::string& text, const std::string& caption) {
  if (g_hook != nullptr) return g_hook(text, caption, true, g_hookUser);
  const std::string utf8Text = Cp949ToUtf8(text);
  const std::string utf8Caption = Cp949ToUtf8(caption);
  if (HasRealDisplay()) {
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "OK"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "Cancel"},
    };
    const SDL_MessageBoxData box{SDL_MESSAGEBOX_INFORMATION, nullptr, utf8Caption.c_str(), utf8Text.c_str(), 2,
                                 buttons, nullptr};
    int pressed = 0;
    if (SDL_ShowMessageBox(&box, &pressed) == 0) return pressed == 1;
  }
  PrintBox(utf8Text, utf8Caption);
  return false;
}

}  // namespace platform
