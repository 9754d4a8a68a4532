#pragma once
// The ninja: a lunging blow from close in, and by the special chosen a
// single cut where it stands, a dash to one finishing strike, or a dash to
// a three-cut combo. Its blocks are here for the kinds that move as it does.
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/TableEnemy.h"

SLV_TABLE_ENEMY(CBattleNinJa, CBattleGroundEnemy);

namespace ninjablocks {

inline constexpr float kCloseIn = 40.0f;
// Walking up to a fixed distance, however long it takes.
inline constexpr EnemyApproach kApproach{
    .code = kActApproach, .next = kActAttack, .trail = false, .distance = kCloseIn};
// The blow carries it on along the heading it came with.
inline constexpr EnemyStrike kLunge{.code = kActAttack,
                                    .start = false,
                                    .trail = EnemyTrail::kNone,
                                    .facing = EnemyFacing::kNone,
                                    .drift = 0.7f,
                                    .resolve = EnemyResolve::kWeapon};
// One cut of a combo: turned once, drifting forward, each hit frame resolving.
constexpr EnemyStrike Cut(int32_t code, int32_t next) {
  return {.code = code, .start = false, .facing = EnemyFacing::kFirstTicks, .drift = 0.4f, .end = next};
}

}  // namespace ninjablocks
