// The kelberos knight: it walks up to its target and strikes on its special
// sheet.
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {

constexpr EnemyRow kRows[] = {
    enemyrows::kSpecialSheetStrike,
};

}  // namespace

const EnemyKindDef CBattleKelberosKnight::kDef{
    .name = "켈베로스나이트",
    .specialFolder = enemyrows::kBeastFolder,
    .body = EnemyBody::kSpecialApproach,
    .rows = kRows,
    .layout = enemyrows::kStandardWalk,
};
SLV_REGISTER_ACTOR(CBattleKelberosKnight, CBattleKelberosKnight::kDef.name);
