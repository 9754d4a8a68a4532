#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace platform {
namespace {
ClockSource* g_source = nullptr;

uint64_t MonotonicMs() {
  using namespace std::chrono;
  static const steady_clock::time_point start = steady_clock::now();
  const auto ms = duration_cast<milliseconds>(steady_clock::now() - start).count();
  return static_cast<uint64_t>(ms);
}
}  // namespace

uint32_t NowMs() { return g_source != nullptr ? g_source->NowMs() : static_cast<uint32_t>(MonotonicMs()); }
uint64_t NowMs64() { return g_source != nullptr ? g_source->NowMs64() : MonotonicMs(); }

void ClockSource::SleepMs(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void SleepMs(uint32_t ms) {
  if (g_source != nullptr) {
    g_source->SleepMs(ms);
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
}

void SetClockSource(ClockSource* source) { g_source = source; }

}  // namespace platform
