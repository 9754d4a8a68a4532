#pragma once
// A message box with an OK button. Texts are code page 949 bytes. Without a
// display the caption and text go to standard error.
#include <string>

namespace platform {
void ShowMessageBox(const std::string& text, const std::string& caption);
// Code page 949 bytes to UTF-8 (what SDL and terminals show); bytes that do
// not convert become '?'.
std::string Cp949ToUtf8(const std::string& text);
// The other way, for texts written in UTF-8 (the tools' sources).
std::string Utf8ToCp949(const std::string& text);
}  // namespace platform
