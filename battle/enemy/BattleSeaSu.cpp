// The sea su: it walks up to its target and strikes on its special sheet.
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace seasu {

constexpr EnemyRow kRows[] = {
    enemyrows::kSpecialSheetStrike,
};

}  // namespace seasu
}  // namespace

const EnemyKindDef CBattleSeaSu::kDef{
    .name = "세스",
    .specialFolder = enemyrows::kBeastFolder,
    .body = EnemyBody::kSpecialApproach,
    .rows = seasu::kRows,
    .layout = enemyrows::kStandardWalk,
};
SLV_REGISTER_ACTOR(CBattleSeaSu, CBattleSeaSu::kDef.name);
