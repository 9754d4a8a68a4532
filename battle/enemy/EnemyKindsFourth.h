#pragma once
// The kinds from the jack-a-lantern to the skeleton master, the two that
// strike in moving chains and the three dragons. Each is its table; the
// dragons share one maker of theirs. The boss blocks serve them too:
// resolved at the end, a forced hit kind, a lunge, a chained link.
#include <span>

#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/BossKinds.h"
#include "battle/enemy/EnemyRowLayouts.h"
#include "battle/enemy/TableEnemy.h"

SLV_TABLE_ENEMY(CBattleJackALantern, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleEternalBurn, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattlePoltergeist, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleAsura, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleSavageWarrior, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleLeviathan, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleLilith, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleAmon, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleSkelMaster, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleGoldenGuard, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleBelial, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleGoldDragon, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleWhiteDragon, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleBlackDragon, CBattleGroundEnemy);

namespace fourthblocks {

// A strike with neither flourish nor after-image.
constexpr EnemyStrike Plain(int32_t code, int32_t end) {
  return {.code = code, .start = false, .trail = EnemyTrail::kNone, .end = end};
}
// The flourish and the after-image, resolved on the hit frames.
constexpr EnemyStrike Full(int32_t code, int32_t end) { return {.code = code, .end = end}; }
// The after-image alone.
constexpr EnemyStrike Trailed(int32_t code, int32_t end) { return {.code = code, .start = false, .end = end}; }
constexpr EnemyApproach Approach(int32_t code, float factor, int32_t next) {
  return {.code = code, .factor = factor, .next = next};
}

// A kind on the standard rows after its own; `folder` null: no special sheet.
constexpr EnemyKindDef StandardKind(const char* name, const char* folder, std::span<const EnemyRow> rows,
                                    std::span<const EnemyRoute> routes, std::span<const EnemyApproach> approaches,
                                    std::span<const EnemyStrike> strikes) {
  return {.name = name,
          .specialFolder = folder,
          .rows = rows,
          .layout = enemyrows::kStandard,
          .routes = routes,
          .approaches = approaches,
          .strikes = strikes};
}

// The casting start of the kinds that answer a cast order where they stand.
inline constexpr int32_t kCastPause = 50;

}  // namespace fourthblocks
