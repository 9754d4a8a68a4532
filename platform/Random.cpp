#include "platform/Random.h"

#include <cstdint>
#include <deque>

namespace platform {
namespace {
uint32_t g_state = 1;
std::deque<int>& Queued() {
  static std::deque<int> queued;
  return queued;
}
}  // namespace

void Srand(unsigned int seed) { g_state = seed; }

unsigned int RandState() { return g_state; }

int Rand() {
  std::deque<int>& queued = Queued();
  if (!queued.empty()) {
    const int value = queued.front();
    queued.pop_front();
    return value;
  }
  g_state = g_state * 214013u + 2531011u;
  return static_cast<int>((g_state >> 16) & 0x7FFF);
}

void QueueRand(std::initializer_list<int> values) { Queued().insert(Queued().end(), values); }

void ClearQueuedRand() { Queued().clear(); }
}  // namespace platform
