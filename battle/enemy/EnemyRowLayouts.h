#pragma once
// Rows and folders many kinds share; a kind's own rows come before these.
#include "battle/enemy/EnemyKindDef.h"

namespace enemyrows {

inline constexpr const char* kBeastFolder = "몬스터\\괴물형\\전투";
inline constexpr const char* kHumanFolder = "몬스터\\인간형\\전투";

// Idle 0, walking 4, the blow 8 and the reel 12, from the slot's sheet.
inline constexpr EnemyRow kStandard[] = {
    {.code = kActIdle, .base = 0, .mode = 2},   {.code = kActApproach, .base = 4, .mode = 2},
    {.code = kActWalkBack, .base = 4, .mode = 2}, {.code = kActAttack, .base = 8},
    {.code = kActDamageLight, .base = 12},
};

// kStandard, walking up to a special as to a blow.
inline constexpr EnemyRow kStandardWalk[] = {
    {.code = kActIdle, .base = 0, .mode = 2},      {.code = kActApproach, .base = 4, .mode = 2},
    {.code = kActWalkBack, .base = 4, .mode = 2},  {.code = kActSpecialApproach, .base = 4, .mode = 2},
    {.code = kActAttack, .base = 8},               {.code = kActDamageLight, .base = 12},
};

inline constexpr EnemyRow kSpecialSheetStrike{.code = kActSpecialHit, .base = 0, .sheet = EnemySheet::kSpecial};
inline constexpr EnemyRow kStrikeOnBlow{.code = kActSpecialHit, .base = 8};

}  // namespace enemyrows

namespace enemyrows {

// kStandard on whatever sheet the enemy shows: the kinds with no special sheet.
inline constexpr EnemyRow kStandardKept[] = {
    {.code = kActIdle, .base = 0, .mode = 2, .sheet = EnemySheet::kKeep},
    {.code = kActApproach, .base = 4, .mode = 2, .sheet = EnemySheet::kKeep},
    {.code = kActWalkBack, .base = 4, .mode = 2, .sheet = EnemySheet::kKeep},
    {.code = kActAttack, .base = 8, .sheet = EnemySheet::kKeep},
    {.code = kActDamageLight, .base = 12, .sheet = EnemySheet::kKeep},
};

// An own approach walks as kStandard walks, an own strike swings its blow.
constexpr EnemyRow Walk(int32_t code, int32_t mode = 2) { return {.code = code, .base = 4, .mode = mode}; }
constexpr EnemyRow Blow(int32_t code) { return {.code = code, .base = 8}; }

}  // namespace enemyrows

namespace enemyrows {

// A kind that is its rows, then the layout's, on one of the shared bodies.
constexpr EnemyKindDef OnBody(EnemyBody body, const char* name, std::span<const EnemyRow> rows,
                              std::span<const EnemyRow> layout = {}) {
  return {.name = name, .body = body, .rows = rows, .layout = layout};
}

}  // namespace enemyrows
