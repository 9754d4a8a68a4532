// The fire bat: a flyer that closes in and strikes without an after-image;
// its bar figure hangs lower.
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace firebat {

constexpr EnemyRow kRows[] = {
    enemyrows::kStrikeOnBlow,
};
constexpr EnemyApproach kApproaches[] = {{.code = kActSpecialApproach, .trail = false}};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit, .trail = EnemyTrail::kNone}};

}  // namespace firebat
}  // namespace

const EnemyKindDef CBattleFireBat::kDef{
    .name = "불박쥐",
    .body = EnemyBody::kSpecialApproach,
    .rows = firebat::kRows,
    .layout = enemyrows::kStandardWalk,
    .approaches = firebat::kApproaches,
    .strikes = firebat::kStrikes,
    .icon = {.lower = 40},
};
SLV_REGISTER_ACTOR(CBattleFireBat, CBattleFireBat::kDef.name);
