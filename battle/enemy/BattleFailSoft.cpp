// The failsoft: walks up to its special and strikes on its special sheet.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach), SpecialBlow(kActSpecialHit)};

}  // namespace

const EnemyKindDef CBattleFailSoft::kDef{
    .name = "페일소프트",
    .specialFolder = kBeastFolder,
    .body = EnemyBody::kSpecialApproach,
    .rows = kRows,
    .layout = enemyrows::kStandard,
};
SLV_REGISTER_ACTOR(CBattleFailSoft, CBattleFailSoft::kDef.name);
