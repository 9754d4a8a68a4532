#pragma once
// A message box with an OK button. Texts are code page 949 bytes. Without a
// display the caption and text go to standard error.
#include <string>

namespace platform {
void ShowMessageBox(const std::string& text, const std::string& caption);
// A box with OK and Cancel; true for OK. Without a display the caption and
// text go to standard error and the answer is Cancel.
bool AskOkCancel(const std::string& text, const std::string& caption);

// Tests answer the boxes themselves: the hook receives every box (okCancel
// tells which kind) and returns the answer. Null restores the real boxes.
using MessageBoxHook = bool (*)(const std::string& text, const std::string& caption, bool okCancel, void* user);
void SetMessageBoxHook(MessageBoxHook hook, void* user);
}  // namespace platform
