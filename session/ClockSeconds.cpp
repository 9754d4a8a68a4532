#include "session/ClockSeconds.h"

#include "platform/Clock.h"

int32_t GetClockSeconds() { return static_cast<int32_t>(static_cast<uint32_t>(platform::NowMs64() / 1000)); }

int32_t ClockSecondsSince(int32_t start) {
  return static_cast<int32_t>(static_cast<uint32_t>(GetClockSeconds()) - static_cast<uint32_t>(start));
}
