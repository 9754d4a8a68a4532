#include "platform/Clock.h"

#include <chrono>

namespace platform {
namespace {
ClockSource* g_source = nullptr;

uint32_t MonotonicMs() {
  using namespace std::chrono;
  static const steady_clock::time_point start = steady_clock::now();
  const auto ms = duration_cast<milliseconds>(steady_clock::now() - start).count();
  return static_cast<uint32_t>(ms);
}
}  // namespace

uint32_t NowMs() { return g_source != nullptr ? g_source->NowMs() : MonotonicMs(); }

void SetClockSource(ClockSource* source) { g_source = source; }

}  // namespace platform
