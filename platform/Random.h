#pragma once
// The C runtime's generator of the original: 15-bit results from
// x = x * 214013 + 2531011, result (x >> 16) & 0x7FFF. The one source of
// random numbers for game code.
namespace platform {
void Srand(unsigned int seed);
int Rand();
}  // namespace platform
