#pragma once
// The debug trace: every error and trace text of the program goes here. It
// writes nothing unless the environment variable SLV_DEBUGLOG is set, then
// each text goes to standard error.
#include <string>

void DebugLog(const char* text);
void DebugLog(const std::string& text);
// printf-style convenience; the text is formatted before it is logged.
void DebugLogf(const char* format, ...) __attribute__((format(printf, 1, 2)));

namespace platform {
// Tests capture the trace: the sink receives every text, whether or not
// SLV_DEBUGLOG is set. Null restores the default.
using DebugSink = void (*)(const char* text, void* user);
void SetDebugSink(DebugSink sink, void* user);
}  // namespace platform
