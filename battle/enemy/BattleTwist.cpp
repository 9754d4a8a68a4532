// The twist: walks up to its special and drifts slowly on while it strikes.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace twist {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach), Blow(kActSpecialHit)};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit, .facing = EnemyFacing::kFirstTicks, .drift = 0.2f}};

}  // namespace twist
}  // namespace

const EnemyKindDef CBattleTwist::kDef{
    .name = "트위스트",
    .body = EnemyBody::kSpecialApproach,
    .rows = twist::kRows,
    .layout = enemyrows::kStandard,
    .strikes = twist::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleTwist, CBattleTwist::kDef.name);
