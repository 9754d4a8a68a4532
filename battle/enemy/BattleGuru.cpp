// The guru: it walks up to its target and strikes on its special sheet.
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace guru {

constexpr EnemyRow kRows[] = {
    {.code = kActSpecialApproach, .base = 4},
    enemyrows::kSpecialSheetStrike,
};

}  // namespace guru
}  // namespace

const EnemyKindDef CBattleGuru::kDef{
    .name = "구루",
    .specialFolder = enemyrows::kBeastFolder,
    .body = EnemyBody::kSpecialApproach,
    .rows = guru::kRows,
    .layout = enemyrows::kStandard,
};
SLV_REGISTER_ACTOR(CBattleGuru, CBattleGuru::kDef.name);
