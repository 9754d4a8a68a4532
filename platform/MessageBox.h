#pragma once
// A message box with an OK button. Texts are code page 949 bytes. Without a
// display the caption and text go to standard error.
#include <string>

namespace platform {
void ShowMessageBox(const std::string& text, const std::string& caption);
}  // namespace platform
