// The burning vampire: it walks up to its target and strikes on its special
// sheet.
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace burningvampire {

constexpr EnemyRow kRows[] = {
    enemyrows::kSpecialSheetStrike,
};

}  // namespace burningvampire
}  // namespace

const EnemyKindDef CBattleBurningVampire::kDef{
    .name = "버닝뱀프",
    .specialFolder = enemyrows::kBeastFolder,
    .body = EnemyBody::kSpecialApproach,
    .rows = burningvampire::kRows,
    .layout = enemyrows::kStandardWalk,
};
SLV_REGISTER_ACTOR(CBattleBurningVampire, CBattleBurningVampire::kDef.name);
