#pragma once
// The clock of the play time and the time-attack count, in whole seconds.
#include <cstdint>

// Seconds of the platform clock, so tests move it with a fake clock source.
int32_t GetClockSeconds();
