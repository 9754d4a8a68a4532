#include "platform/PassClock.h"

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "platform/InputScript.h"

namespace platform {

void PassClock::SleepMs(uint32_t ms) {
  if (std::this_thread::get_id() == m_owner) {
    m_now += ms;
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
}

void PassClock::Spin() {
  if (std::this_thread::get_id() == m_owner) {
    m_now += 1;
  } else {
    std::this_thread::yield();
  }
}

bool UsePassClockForScriptedRun() {
  const char* wall = std::getenv("SLV_WALL_CLOCK");
  if (!IsScriptedRun() || (wall != nullptr && std::strcmp(wall, "1") == 0)) return false;
  static PassClock clock;
  SetClockSource(&clock);
  return true;
}

}  // namespace platform
