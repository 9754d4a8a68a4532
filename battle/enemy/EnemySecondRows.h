#pragma once
// The row layouts the second group of kinds shares, and the rows a kind
// adds for its own approaches and strikes.
#include "battle/enemy/EnemyRowLayouts.h"

namespace secondrows {

using enemyrows::kBeastFolder;

// Idle and walking on the first action, the blow 4 and the reel 8.
inline constexpr EnemyRow kStill[] = {
    {.code = kActIdle, .base = 0, .mode = 2},     {.code = kActApproach, .base = 0, .mode = 2},
    {.code = kActWalkBack, .base = 0, .mode = 2}, {.code = kActAttack, .base = 4},
    {.code = kActDamageLight, .base = 8},
};

// The standard rows on whatever sheet the enemy shows.
inline constexpr EnemyRow kKeepSheet[] = {
    {.code = kActIdle, .base = 0, .mode = 2, .sheet = EnemySheet::kKeep},
    {.code = kActApproach, .base = 4, .mode = 2, .sheet = EnemySheet::kKeep},
    {.code = kActWalkBack, .base = 4, .mode = 2, .sheet = EnemySheet::kKeep},
    {.code = kActAttack, .base = 8, .sheet = EnemySheet::kKeep},
    {.code = kActDamageLight, .base = 12, .sheet = EnemySheet::kKeep},
};

inline constexpr EnemyRow Walk(int32_t code, int32_t base = 4) { return {.code = code, .base = base, .mode = 2}; }
inline constexpr EnemyRow Blow(int32_t code, int32_t base = 8) { return {.code = code, .base = base}; }
inline constexpr EnemyRow SpecialBlow(int32_t code) {
  return {.code = code, .base = 0, .sheet = EnemySheet::kSpecial};
}

inline constexpr EnemyRoute Straight(int32_t code, int32_t next, int32_t startEffect = 0, int32_t pause = 30) {
  return {.code = code, .otherwise = next, .startEffect = startEffect, .startPause = pause};
}
inline constexpr int32_t kStart = 1011;
inline constexpr int32_t kCastStart = 258;
inline constexpr int32_t kCastPause = 50;

}  // namespace secondrows
