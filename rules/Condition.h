#pragma once
// The status conditions of party members and enemies: bits 0-7 of their
// condition set, and the names of the hooks they raise.
#include <cstdint>

enum Condition : uint32_t {
  kPoison1 = 1,
  kPoison2 = 2,
  kPoison3 = 4,
  kPanic = 8,
  kCurse = 16,
  kStone = 32,
  kUndead = 64,
  kDying = 128,
};

// Index 0 "NOTHING", index n the condition of bit n-1.
extern const char* const kConditionNames[9];

// The index of a single condition bit (1-8), 0 for any other value.
int ConditionIndex(uint32_t bit);
