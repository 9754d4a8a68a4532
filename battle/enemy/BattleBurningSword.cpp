// The burning sword: a flyer that closes in and strikes with its blow.
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace burningsword {

constexpr EnemyRow kRows[] = {
    enemyrows::kStrikeOnBlow,
};

}  // namespace burningsword
}  // namespace

const EnemyKindDef CBattleBurningSword::kDef{
    .name = "버닝소드",
    .body = EnemyBody::kSpecialApproach,
    .rows = burningsword::kRows,
    .layout = enemyrows::kStandardWalk,
};
SLV_REGISTER_ACTOR(CBattleBurningSword, CBattleBurningSword::kDef.name);
