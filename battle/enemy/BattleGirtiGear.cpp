// The guilty gear: one special it closes in on and strikes while pushing
// on, every other it casts where it stands on its special sheet.
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace girtigear {

constexpr EnemyRow kRows[] = {
    {.code = kActSpecialApproach2, .base = 4, .mode = 2},
    {.code = kActSpecialHit2, .base = 8},
    enemyrows::kSpecialSheetStrike,
};
constexpr EnemyRouteCase kPicks[] = {{60, kActSpecialApproach2}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialHit}};
constexpr EnemyApproach kApproaches[] = {{.code = kActSpecialApproach2, .next = kActSpecialHit2}};
constexpr EnemyStrike kStrikes[] = {
    {.code = kActSpecialHit2, .drift = 0.3f},
    {.code = kActSpecialHit,
     .trail = EnemyTrail::kNone,
     .facing = EnemyFacing::kNone,
     .end = kActIdle,
     .needsTarget = false},
};

}  // namespace girtigear
}  // namespace

const EnemyKindDef CBattleGirtiGear::kDef{
    .name = "길티기어",
    .specialFolder = enemyrows::kBeastFolder,
    .rows = girtigear::kRows,
    .layout = enemyrows::kStandard,
    .routes = girtigear::kRoutes,
    .approaches = girtigear::kApproaches,
    .strikes = girtigear::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleGirtiGear, CBattleGirtiGear::kDef.name);
