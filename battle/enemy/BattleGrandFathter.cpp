// The grandfather: a special it walks up to, and a cast it strikes with
// where it stands.
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace grandfathter {

constexpr EnemyRow kRows[] = {
    enemyrows::kSpecialSheetStrike,
    {.code = kActSpecialHit2, .base = 0, .sheet = EnemySheet::kSpecial},
};
constexpr EnemyRoute kRoutes[] = {{.code = kActCastMagic, .otherwise = kActSpecialHit2}};
constexpr EnemyStrike kStrikes[] = {
    {.code = kActSpecialHit2,
     .start = false,
     .trail = EnemyTrail::kNone,
     .facing = EnemyFacing::kNone,
     .end = kActIdle,
     .needsTarget = false},
};

}  // namespace grandfathter
}  // namespace

const EnemyKindDef CBattleGrandFathter::kDef{
    .name = "그랜파",
    .specialFolder = enemyrows::kHumanFolder,
    .body = EnemyBody::kSpecialApproach,
    .rows = grandfathter::kRows,
    .layout = enemyrows::kStandardWalk,
    .routes = grandfathter::kRoutes,
    .strikes = grandfathter::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleGrandFathter, CBattleGrandFathter::kDef.name);
