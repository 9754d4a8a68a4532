#include "platform/Clock.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace platform {
namespace {
// Read by other threads (a decoder's sleeps); replaced only while they are
// not running.
std::atomic<ClockSource*> g_source{nullptr};

uint64_t MonotonicMs() {
  using namespace std::chrono;
  static const steady_clock::time_point start = steady_clock::now();
  const auto ms = duration_cast<milliseconds>(steady_clock::now() - start).count();
  return static_cast<uint64_t>(ms);
}
}  // namespace

uint32_t NowMs() {
  ClockSource* source = g_source.load();
  return source != nullptr ? source->NowMs() : static_cast<uint32_t>(MonotonicMs());
}

uint64_t NowMs64() {
  ClockSource* source = g_source.load();
  return source != nullptr ? source->NowMs64() : MonotonicMs();
}

void ClockSource::SleepMs(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void SleepMs(uint32_t ms) {
  if (ClockSource* source = g_source.load(); source != nullptr) {
    source->SleepMs(ms);
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
}

void SpinWait() {
  if (ClockSource* source = g_source.load(); source != nullptr) source->Spin();
}

void ClockPassBegins() {
  if (ClockSource* source = g_source.load(); source != nullptr) source->OnPass();
}

void SetClockSource(ClockSource* source) { g_source = source; }

int32_t FrameSkipOverride() {
  const char* v = std::getenv("SLV_FRAME_SKIP");
  if (v == nullptr || *v == '\0') return -1;
  char* end = nullptr;
  const long skip = std::strtol(v, &end, 10);
  return *end == '\0' && skip >= 0 && skip <= 100 ? static_cast<int32_t>(skip) : -1;
}

}  // namespace platform
