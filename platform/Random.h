#pragma once
// The C runtime's generator of the original: 15-bit results from
// x = x * 214013 + 2531011, result (x >> 16) & 0x7FFF. The one source of
// random numbers for game code.
#include <initializer_list>

namespace platform {
void Srand(unsigned int seed);
int Rand();

// The generator's state, for tests that put it back (Srand takes it).
unsigned int RandState();

// For tests: the next Rand() calls answer these values in order, then the
// generator takes over again where it stood. Queued values are kept until
// used or cleared.
void QueueRand(std::initializer_list<int> values);
void ClearQueuedRand();
}  // namespace platform
