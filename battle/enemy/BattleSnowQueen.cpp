// The snow queen: she casts her special where she stands, on her special
// sheet, and goes idle when it has played.
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace snowqueen {

constexpr EnemyRow kRows[] = {enemyrows::kSpecialSheetStrike};
constexpr EnemyStrike kStrikes[] = {
    {.code = kActSpecialHit, .start = false, .trail = EnemyTrail::kApproach, .end = kActIdle},
};

}  // namespace snowqueen
}  // namespace

const EnemyKindDef CBattleSnowQueen::kDef{
    .name = "스노우퀸",
    .specialFolder = enemyrows::kBeastFolder,
    .body = EnemyBody::kSpecialInPlace,
    .rows = snowqueen::kRows,
    .layout = enemyrows::kStandard,
    .strikes = snowqueen::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleSnowQueen, CBattleSnowQueen::kDef.name);
