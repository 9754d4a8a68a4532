#include "launcher/Macros.h"

#include <cstdlib>
#include <cstring>

#include "launcher/Probes.h"
#include "platform/DebugLog.h"
#include "platform/MessageBox.h"

namespace {

bool StartsWith(const std::string& text, size_t at, const char* prefix) {
  return text.compare(at, std::strlen(prefix), prefix) == 0;
}

// Asks for the disc until it is in a drive; false when the user cancels.
bool WaitForDisc(int disc, std::string* root) {
  for (;;) {
    *root = FindDiscDrive(disc);
    if (!root->empty()) return true;
    const std::string request = std::string(1, static_cast<char>('0' + disc)) + " 번 디스크를 넣어주세요.";
    if (!platform::AskOkCancel(request, "알림")) return false;
  }
}

// The macro at `at` (its length and what stands for it); false when the
// expansion ends there. A "%" of no macro gives length 0.
bool Macro(const std::string& text, size_t at, size_t* length, std::string* value) {
  *length = 0;
  if (StartsWith(text, at, "%GAMEDIR")) {
    if (!ReadInstallPath(value)) {
      DebugLog("ExpandMacros: %GAMEDIR without an installed folder");
      return false;
    }
    *length = 8;
  } else if (StartsWith(text, at, "%DISK") && at + 5 < text.size() && text[at + 5] >= '0' && text[at + 5] <= '9') {
    if (!WaitForDisc(text[at + 5] - '0', value)) return false;
    *length = 6;
  } else if (StartsWith(text, at, "%WINDIR")) {
    *value = WindowsFolder();
    *length = 7;
  }
  return true;
}

}  // namespace

bool ExpandMacros(const std::string& text, std::string* out) {
  *out = text;
  size_t at = out->find('%');
  while (at != std::string::npos) {
    size_t length = 0;
    std::string value;
    if (!Macro(*out, at, &length, &value)) return false;
    if (length == 0) {
      at = out->find('%', at + 1);
      continue;
    }
    out->replace(at, length, value);
    // What a macro stands for is not expanded again.
    at = out->find('%', at + value.size());
  }
  return true;
}
