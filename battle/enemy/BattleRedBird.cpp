// The red bird: one special struck where it stands, every other flown at.
#include "battle/enemy/EnemyKindsThird.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace redbird {

constexpr EnemyRow kRows[] = {
    enemyrows::Walk(kActSpecialApproach2), enemyrows::Blow(kActSpecialHit), enemyrows::Blow(kActSpecialHit2)};
constexpr EnemyRouteCase kPicks[] = {{89, kActSpecialHit}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach2}};
constexpr EnemyApproach kApproaches[] = {{.code = kActSpecialApproach2, .next = kActSpecialHit2}};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit}, {.code = kActSpecialHit2}};

}  // namespace redbird
}  // namespace

const EnemyKindDef CBattleRedBird::kDef{
    .name = "적조",
    .rows = redbird::kRows,
    .layout = enemyrows::kStandard,
    .routes = redbird::kRoutes,
    .approaches = redbird::kApproaches,
    .strikes = redbird::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleRedBird, CBattleRedBird::kDef.name);
