#include "session/ClockSeconds.h"

#include "platform/Clock.h"

int32_t GetClockSeconds() { return static_cast<int32_t>(platform::NowMs() / 1000); }
