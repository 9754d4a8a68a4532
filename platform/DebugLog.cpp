#include "platform/DebugLog.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
platform::DebugSink g_sink = nullptr;
void* g_sinkUser = nullptr;

bool TraceToStderr() {
  static const bool enabled = std::getenv("SLV_DEBUGLOG") != nullptr;
  return enabled;
}
}  // namespace

namespace platform {
void SetDebugSink(DebugSink sink, void* user) {
  g_sink = sink;
  g_sinkUser = user;
}
}  // namespace platform

void DebugLog(const char* text) {
  if (text == nullptr) return;
  if (g_sink != nullptr) g_sink(text, g_sinkUser);
  if (TraceToStderr()) {
    std::fputs(text, stderr);
    std::fputc('\n', stderr);
  }
}

void DebugLog(const std::string& text) { DebugLog(text.c_str()); }

void DebugLogf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (n < 0) {
    va_end(args);
    return;
  }
  std::vector<char> buf(static_cast<size_t>(n) + 1);
  std::vsnprintf(buf.data(), buf.size(), format, args);
  va_end(args);
  DebugLog(buf.data());
}
