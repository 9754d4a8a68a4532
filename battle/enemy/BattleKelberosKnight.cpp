// The kelberos knight: it walks up to its target and strikes on its special
// sheet.
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace kelberosknight {

constexpr EnemyRow kRows[] = {
    enemyrows::kSpecialSheetStrike,
};

}  // namespace kelberosknight
}  // namespace

const EnemyKindDef CBattleKelberosKnight::kDef{
    .name = "켈베로스나이트",
    .specialFolder = enemyrows::kBeastFolder,
    .body = EnemyBody::kSpecialApproach,
    .rows = kelberosknight::kRows,
    .layout = enemyrows::kStandardWalk,
};
SLV_REGISTER_ACTOR(CBattleKelberosKnight, CBattleKelberosKnight::kDef.name);
