#include "platform/MessageBox.h"

#include <SDL.h>
#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {
// Bytes that do not convert become '?'.
std::string Convert(const char* to, const char* from, const std::string& text) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return text;
  std::string out;
  out.reserve(text.size() * 2);
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char buf[256];
  while (inLeft > 0) {
    char* o = buf;
    size_t oLeft = sizeof buf;
    const size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
    out.append(buf, static_cast<size_t>(o - buf));
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      out.push_back('?');  // skip the byte that does not convert
      ++in;
      --inLeft;
    }
  }
  iconv_close(cd);
  return out;
}
}  // namespace

std::string Cp949ToUtf8(const std::string& text) { return Convert("UTF-8", "CP949", text); }

std::string Utf8ToCp949(const std::string& text) { return Convert("CP949", "UTF-8", text); }

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
