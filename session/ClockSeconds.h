#pragma once
// The clock of the play time and the time-attack count, in whole seconds.
#include <cstdint>

// Seconds of the platform's 64-bit monotonic clock, kept to their low 32
// bits: only differences serve, and those stay right across the wrap. Tests
// move it with a fake clock source.
int32_t GetClockSeconds();
// Seconds from `start` (an earlier GetClockSeconds) to now.
int32_t ClockSecondsSince(int32_t start);
