#include "platform/MultimediaTimer.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

struct Timer {
  std::mutex mutex;
  std::condition_variable wake;
  bool stop = false;
  std::thread thread;
};

std::mutex g_timersMutex;
std::map<uint32_t, std::shared_ptr<Timer>> g_timers;
uint32_t g_lastId = 0;

// Ticks fall on whole periods from the start; ticks missed while a callback
// ran long are dropped, not run in a burst.
void RunTimer(const std::shared_ptr<Timer>& timer, uint32_t id, uint32_t periodMs, TimerCallback proc,
              void* user) {
  const auto period = std::chrono::milliseconds(periodMs);
  auto due = Clock::now() + period;
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(timer->mutex);
      if (timer->wake.wait_until(lock, due, [&] { return timer->stop; })) return;
    }
    proc(id, user);
    due += period;
    const auto now = Clock::now();
    if (due < now) due += (now - due) / period * period + period;
  }
}

}  // namespace

uint32_t SetTimerEvent(uint32_t periodMs, uint32_t /*resolutionMs*/, TimerCallback proc, void* user) {
  if (periodMs == 0 || proc == nullptr) return 0;
  auto timer = std::make_shared<Timer>();
  std::lock_guard<std::mutex> lock(g_timersMutex);
  uint32_t id = g_lastId;
  do {
    ++id;
  } while (id == 0 || g_timers.count(id) != 0);
  try {
    timer->thread = std::thread([timer, id, periodMs, proc, user] { RunTimer(timer, id, periodMs, proc, user); });
  } catch (const std::system_error&) {
    return 0;
  }
  g_lastId = id;
  g_timers.emplace(id, std::move(timer));
  return id;
}

bool KillTimerEvent(uint32_t id) {
  std::shared_ptr<Timer> timer;
  {
    std::lock_guard<std::mutex> lock(g_timersMutex);
    auto it = g_timers.find(id);
    if (it == g_timers.end()) return false;
    timer = std::move(it->second);
    g_timers.erase(it);
  }
  {
    std::lock_guard<std::mutex> lock(timer->mutex);
    timer->stop = true;
  }
  timer->wake.notify_all();
  if (timer->thread.get_id() == std::this_thread::get_id()) {
    timer->thread.detach();  // the thread holds the timer until it returns
  } else {
    timer->thread.join();
  }
  return true;
}

}  // namespace platform
