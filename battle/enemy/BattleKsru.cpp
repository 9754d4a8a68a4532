// The ksru: one special struck where it stands, every other flown at.
#include "battle/enemy/EnemyKindsThird.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace ksru {

constexpr EnemyRow kRows[] = {
    enemyrows::Walk(kActSpecialApproach), enemyrows::Blow(kActSpecialHit), enemyrows::Blow(kActSpecialHit2)};
constexpr EnemyRouteCase kPicks[] = {{43, kActSpecialHit2}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach}};
constexpr EnemyApproach kApproaches[] = {{.code = kActSpecialApproach, .factor = 1.2f}};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit}, {.code = kActSpecialHit2}};

}  // namespace ksru
}  // namespace

const EnemyKindDef CBattleKsru::kDef{
    .name = "크스루",
    .rows = ksru::kRows,
    .layout = enemyrows::kStandard,
    .routes = ksru::kRoutes,
    .approaches = ksru::kApproaches,
    .strikes = ksru::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleKsru, CBattleKsru::kDef.name);
