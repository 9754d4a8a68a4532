// The human-faced bird: it flies at its target, strikes once and leaves
// the battle, its rewards credited.
#include "battle/enemy/EnemyKindsThird.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace scalgi {

constexpr EnemyRow kRows[] = {enemyrows::Walk(kActSpecialApproach), enemyrows::Blow(kActSpecialHit)};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .otherwise = kActSpecialApproach}};
constexpr EnemyApproach kApproaches[] = {{.code = kActSpecialApproach, .factor = 1.5f}};
// A strike that ends early holds its last frame until the bird may go.
constexpr int32_t kLeaveAfter = 60;
constexpr EnemyStrike kStrikes[] = {
    {.code = kActSpecialHit, .trail = EnemyTrail::kNone, .end = kActDefeated, .holdPast = kLeaveAfter}};

}  // namespace scalgi
}  // namespace

const EnemyKindDef CBattleScalGi::kDef{
    .name = "인면조",
    .rows = scalgi::kRows,
    .layout = enemyrows::kStandard,
    .routes = scalgi::kRoutes,
    .approaches = scalgi::kApproaches,
    .strikes = scalgi::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleScalGi, CBattleScalGi::kDef.name);
