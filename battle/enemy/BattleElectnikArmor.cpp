// The electric armour: one special struck at once, every other rushed up
// to, giving up after 300 ticks.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace electnikarmor {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach2), SpecialBlow(kActSpecialHit), Blow(kActSpecialHit2)};
constexpr EnemyRouteCase kPicks[] = {{59, kActSpecialHit}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach2}};
constexpr EnemyApproach kApproaches[] = {
    {.code = kActSpecialApproach2, .factor = 2.8f, .next = kActSpecialHit2, .limit = 300}};
// The idle the first strike ends in switches its after-image off.
constexpr EnemyStrike kStrikes[] = {
    {.code = kActSpecialHit, .trail = EnemyTrail::kApproach, .end = kActIdle, .trailOffAtEnd = false},
    {.code = kActSpecialHit2, .hitKind = 2},
};

}  // namespace electnikarmor
}  // namespace

const EnemyKindDef CBattleElectnikArmor::kDef{
    .name = "일렉트릭아머",
    .specialFolder = electnikarmor::kBeastFolder,
    .rows = electnikarmor::kRows,
    .layout = enemyrows::kStandard,
    .routes = electnikarmor::kRoutes,
    .approaches = electnikarmor::kApproaches,
    .strikes = electnikarmor::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleElectnikArmor, CBattleElectnikArmor::kDef.name);
