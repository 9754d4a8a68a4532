// The ksru: one special struck where it stands, every other flown at.
#include "battle/enemy/EnemyKindsThird.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {

constexpr EnemyRow kRows[] = {
    enemyrows::Walk(kActSpecialApproach), enemyrows::Blow(kActSpecialHit), enemyrows::Blow(kActSpecialHit2)};
constexpr EnemyRouteCase kPicks[] = {{43, kActSpecialHit2}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach}};
constexpr EnemyApproach kApproaches[] = {{.code = kActSpecialApproach, .factor = 1.2f}};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit}, {.code = kActSpecialHit2}};

}  // namespace

const EnemyKindDef CBattleKsru::kDef{
    .name = "크스루",
    .rows = kRows,
    .layout = enemyrows::kStandard,
    .routes = kRoutes,
    .approaches = kApproaches,
    .strikes = kStrikes,
};
SLV_REGISTER_ACTOR(CBattleKsru, CBattleKsru::kDef.name);
