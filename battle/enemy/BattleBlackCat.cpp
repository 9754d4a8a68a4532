// The black cat: its special is a leap at the target, a strike where it
// stands or a plain approach, by the special chosen.
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace blackcat {

constexpr EnemyRow kRows[] = {
    {.code = kActSpecialApproach, .base = 4, .mode = 2},
    {.code = kActSpecialHit, .base = 8},
    {.code = kActSpecialHit2, .base = 12},
};
constexpr EnemyRouteCase kPicks[] = {{28, kActSpecialApproach}, {47, kActSpecialHit2}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActApproach}};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit, .hitKind = 1}, {.code = kActSpecialHit2}};

}  // namespace blackcat
}  // namespace

const EnemyKindDef CBattleBlackCat::kDef{
    .name = "검은고양이",
    .body = EnemyBody::kSpecialApproach,
    .rows = blackcat::kRows,
    .layout = enemyrows::kStandard,
    .routes = blackcat::kRoutes,
    .strikes = blackcat::kStrikes,
    .icon = {.barZoom = false},
};
SLV_REGISTER_ACTOR(CBattleBlackCat, CBattleBlackCat::kDef.name);
