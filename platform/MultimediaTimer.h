#pragma once
// Periodic timers: each runs its callback on a thread of its own, every
// period, until it is killed.
#include <cstdint>

namespace platform {

using TimerCallback = void (*)(uint32_t id, void* user);

// Calls `proc` every `periodMs` milliseconds, the first time one period from
// now; the resolution is taken as a hint. The timer's id, or 0 when the
// period is 0 or the thread cannot start.
uint32_t SetTimerEvent(uint32_t periodMs, uint32_t resolutionMs, TimerCallback proc, void* user);
// Stops the timer; a callback that is running has returned when this does
// (unless the callback itself kills its timer). False for an unknown id.
bool KillTimerEvent(uint32_t id);

}  // namespace platform
