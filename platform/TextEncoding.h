#pragma once
// Conversions between the game's code page 949 texts and UTF-8 (what SDL,
// terminals and our tools' sources use).
#include <string>

namespace platform {
// Bytes that do not convert become '?'.
std::string Cp949ToUtf8(const std::string& text);
// Bytes that do not convert become the four characters "\xHH" (capital hex
// digits), so that nothing of a damaged text is lost.
std::string Cp949ToUtf8Escaped(const std::string& text);
// False, and `cp949` untouched, when the text is not valid UTF-8 or holds a
// character code page 949 lacks.
bool Utf8ToCp949(const std::string& utf8, std::string* cp949);
}  // namespace platform
