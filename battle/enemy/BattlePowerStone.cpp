// The power stone: a flyer whose blow carries it on at its target.
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace powerstone {

constexpr EnemyRow kRows[] = {
    {.code = kActSpecialApproach, .base = 8, .mode = 2},
    enemyrows::kStrikeOnBlow,
};
constexpr EnemyStrike kStrikes[] = {
    {.code = kActAttack,
     .start = false,
     .trail = EnemyTrail::kNone,
     .facing = EnemyFacing::kFirstTicks,
     .drift = 0.7f,
     .resolve = EnemyResolve::kWeapon},
};

}  // namespace powerstone
}  // namespace

const EnemyKindDef CBattlePowerStone::kDef{
    .name = "파워스톤",
    .body = EnemyBody::kSpecialApproach,
    .rows = powerstone::kRows,
    .layout = enemyrows::kStandard,
    .strikes = powerstone::kStrikes,
};
SLV_REGISTER_ACTOR(CBattlePowerStone, CBattlePowerStone::kDef.name);
