#pragma once
// What a won battle brings: the battle mode and the enemies fill it, the
// result screen reads it.
#include <array>
#include <cstdint>

struct BattleResult {
  std::array<int32_t, 10> items{};  // the drops' item indexes
  int32_t itemCount = 0;
  int32_t totalExp = 0;
  int32_t money = 0;  // already added by the battle mode
  int32_t memberCount = 0;
  std::array<int32_t, 4> memberIds{};
  int32_t mvpId = -1;  // the player id of the finishing attacker
  int32_t skipResult = 0;  // the party fled
  int32_t battleLevel = 0;  // the level of the enemy defeated last
};
