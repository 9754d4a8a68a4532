// The snow man: it walks up to its target and keeps pushing toward it while
// it strikes on its special sheet.
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace snowman {

constexpr EnemyRow kRows[] = {
    {.code = kActIdle, .base = 0, .mode = 2},
    {.code = kActApproach, .base = 0, .mode = 2},
    {.code = kActWalkBack, .base = 0, .mode = 2},
    {.code = kActSpecialApproach, .base = 0, .mode = 2},
    {.code = kActAttack, .base = 4},
    {.code = kActDamageLight, .base = 8},
    enemyrows::kSpecialSheetStrike,
};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit, .drift = 0.3f}};

}  // namespace snowman
}  // namespace

const EnemyKindDef CBattleSnowMan::kDef{
    .name = "스노우맨",
    .specialFolder = enemyrows::kBeastFolder,
    .body = EnemyBody::kSpecialApproach,
    .rows = snowman::kRows,
    .strikes = snowman::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleSnowMan, CBattleSnowMan::kDef.name);
