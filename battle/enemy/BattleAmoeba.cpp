// The amoeba: it creeps up to its target and strikes with its blow.
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace amoeba {

constexpr EnemyRow kRows[] = {
    enemyrows::kStrikeOnBlow,
};

}  // namespace amoeba
}  // namespace

const EnemyKindDef CBattleAmoeba::kDef{
    .name = "아메바",
    .body = EnemyBody::kSpecialApproach,
    .rows = amoeba::kRows,
    .layout = enemyrows::kStandardWalk,
};
SLV_REGISTER_ACTOR(CBattleAmoeba, CBattleAmoeba::kDef.name);
