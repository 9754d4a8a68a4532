// The savage gear: one special struck at once on its special sheet, every
// other walked up to.
#include "battle/enemy/EnemyKindsThird.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace savagegear {

constexpr EnemyRow kRows[] = {
    enemyrows::Walk(kActSpecialApproach2), enemyrows::Blow(kActSpecialHit2), enemyrows::kSpecialSheetStrike};
constexpr EnemyRouteCase kPicks[] = {{60, kActSpecialHit}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach2}};
constexpr EnemyApproach kApproaches[] = {{.code = kActSpecialApproach2, .next = kActSpecialHit2}};
// The rules' own checks carry a missing target on the special sheet.
constexpr EnemyStrike kStrikes[] = {
    {.code = kActSpecialHit2},
    {.code = kActSpecialHit, .facing = EnemyFacing::kNone, .needsTarget = false},
};

}  // namespace savagegear
}  // namespace

const EnemyKindDef CBattleSavageGear::kDef{
    .name = "세비지기어",
    .specialFolder = enemyrows::kBeastFolder,
    .rows = savagegear::kRows,
    .layout = enemyrows::kStandard,
    .routes = savagegear::kRoutes,
    .approaches = savagegear::kApproaches,
    .strikes = savagegear::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleSavageGear, CBattleSavageGear::kDef.name);
