#include "platform/Clock.h"

#include <time.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace platform {
namespace {
// Read by other threads (a decoder's sleeps); replaced only while they are
// not running.
std::atomic<ClockSource*> g_source{nullptr};

using Steady = std::chrono::steady_clock;

Steady::time_point ClockStart() {
  static const Steady::time_point start = Steady::now();
  return start;
}

uint64_t MonotonicMs() {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - ClockStart()).count();
  return static_cast<uint64_t>(ms);
}

int32_t MsLeft(ClockSource& source, uint32_t deadline) {
  return static_cast<int32_t>(deadline - source.NowMs());
}

// A waking thread is late by the timer's slack and the scheduler's delay,
// rarely by more than this; the stretch after the wake-up is spun.
constexpr std::chrono::microseconds kWakeMargin{100};

// The steady clock is CLOCK_MONOTONIC: an absolute sleep on it ends at the
// moment asked whatever the sleep started late or was interrupted.
void SleepUntilMonotonic(Steady::time_point until) {
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(until.time_since_epoch()).count();
  timespec ts{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
  }
}

void MonotonicSleepUntil(uint32_t deadline) {
  const uint64_t now = MonotonicMs();
  const auto left = static_cast<int32_t>(deadline - static_cast<uint32_t>(now));
  if (left <= 0) return;
  const Steady::time_point due = ClockStart() + std::chrono::milliseconds(now + static_cast<uint64_t>(left));
  SleepUntilMonotonic(due - kWakeMargin);
  while (Steady::now() < due) {
  }
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

// Sleeping to the slot's very end on a millisecond clock could overshoot by
// a millisecond: sleep through the bulk and spin the last stretch.
void ClockSource::SleepUntilMs(uint32_t deadline) {
  constexpr int32_t kSpinMs = 2;
  for (int32_t left = MsLeft(*this, deadline); left > kSpinMs; left = MsLeft(*this, deadline)) {
    SleepMs(static_cast<uint32_t>(left - kSpinMs));
  }
  while (MsLeft(*this, deadline) > 0) Spin();
}

void SleepUntilMs(uint32_t deadline) {
  if (ClockSource* source = g_source.load(); source != nullptr) {
    source->SleepUntilMs(deadline);
  } else {
    MonotonicSleepUntil(deadline);
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
