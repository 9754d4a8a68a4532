#pragma once
// The bosses from Pellion Dreck to Behrman, Dornkeshattal and the six old
// men: hits cannot move any of them, each strikes back from idle, and each
// is its table on the boss blocks. Aronemile and Behrman strike the nearest
// member instead; Koren Maltby's charge strikes every member it passes.
#include "battle/enemy/BossKinds.h"

SLV_HIT_IMMUNE_ENEMY(CBattlePellionDreck);
SLV_HIT_IMMUNE_ENEMY(CBattleKorenMaltby);
SLV_HIT_IMMUNE_ENEMY(CBattleQuorraBelling);
SLV_HIT_IMMUNE_ENEMY(CBattleAronemile);
SLV_HIT_IMMUNE_ENEMY(CBattleCuscoemile);
SLV_HIT_IMMUNE_ENEMY(CBattleIrsaVolmay);
SLV_HIT_IMMUNE_ENEMY(CBattleBehrman);
SLV_HIT_IMMUNE_ENEMY(CBattleDornkeshattal);
SLV_HIT_IMMUNE_ENEMY(CBattleOldMan1);
SLV_HIT_IMMUNE_ENEMY(CBattleOldMan2);
SLV_HIT_IMMUNE_ENEMY(CBattleOldMan3);
SLV_HIT_IMMUNE_ENEMY(CBattleOldMan4);
SLV_HIT_IMMUNE_ENEMY(CBattleOldMan5);
SLV_HIT_IMMUNE_ENEMY(CBattleOldMan6);

namespace bossblocks {

// The rows most of these bosses share; a kind's own row for the same code
// comes first.
inline constexpr EnemyRow kBossRows[] = {
    Loop(kActIdle, 0), Loop(kActApproach, 4), Loop(kActWalkBack, 4), Once(kActAttack, 8), Once(kActDamageLight, 12),
};

// A boss of this group on the shared rows, with the blow from idle.
constexpr EnemyKindDef Boss(const char* name, std::span<const EnemyRow> rows, std::span<const EnemyRoute> routes,
                            std::span<const EnemyApproach> approaches, std::span<const EnemyStrike> strikes) {
  return {.name = name,
          .rows = rows,
          .layout = kBossRows,
          .routes = routes,
          .approaches = approaches,
          .strikes = strikes,
          .idleStrike = true};
}
// Striking the nearest member from idle when it is nearer than `reach`.
constexpr EnemyKindDef NearestStrike(EnemyKindDef def, float reach) {
  def.nearestStrikeReach = reach;
  return def;
}

// The order's own flourish before it picks, as the in-place bosses give it.
constexpr EnemyRoute AnnouncedOrder(std::span<const EnemyRouteCase> cases, int32_t otherwise) {
  return {.code = kActSpecialSkill, .cases = cases, .otherwise = otherwise, .startEffect = enemyblocks::kStartEffect};
}
// The cast: its effect, or the one its magic names, and the long dimmed
// pause, then the strike.
constexpr EnemyRoute CastOrder(int32_t effect, int32_t strike, std::span<const EnemyEffectCase> effects = {}) {
  return {.code = kActCastMagic, .otherwise = strike, .startEffect = effect, .startPause = 50, .startEffects = effects};
}

}  // namespace bossblocks
