// Princess Airin: she walks up to her target and strikes on her special
// sheet; her bar figure grows less when her turn comes.
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace princessairin {

constexpr EnemyRow kRows[] = {
    {.code = kActSpecialApproach, .base = 4},
    enemyrows::kSpecialSheetStrike,
};

}  // namespace princessairin
}  // namespace

const EnemyKindDef CBattlePrincessAirin::kDef{
    .name = "프린세스아이린",
    .specialFolder = enemyrows::kBeastFolder,
    .body = EnemyBody::kSpecialApproach,
    .rows = princessairin::kRows,
    .layout = enemyrows::kStandard,
    .icon = {.currentScale = 1.3f},
};
SLV_REGISTER_ACTOR(CBattlePrincessAirin, CBattlePrincessAirin::kDef.name);
