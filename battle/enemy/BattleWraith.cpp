// The wraith: its special is an approach, a strike where it stands or a
// plain approach, by the special chosen.
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace wraith {

constexpr EnemyRow kRows[] = {
    enemyrows::kStrikeOnBlow,
    {.code = kActSpecialHit2, .base = 8},
};
constexpr EnemyRouteCase kPicks[] = {{5, kActSpecialApproach}, {39, kActSpecialHit2}, {47, kActSpecialHit2}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActApproach}};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit2}};

}  // namespace wraith
}  // namespace

const EnemyKindDef CBattleWraith::kDef{
    .name = "레이스",
    .body = EnemyBody::kSpecialApproach,
    .rows = wraith::kRows,
    .layout = enemyrows::kStandardWalk,
    .routes = wraith::kRoutes,
    .strikes = wraith::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleWraith, CBattleWraith::kDef.name);
