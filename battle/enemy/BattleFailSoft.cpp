// The failsoft: walks up to its special and strikes on its special sheet.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace failsoft {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach), SpecialBlow(kActSpecialHit)};

}  // namespace failsoft
}  // namespace

const EnemyKindDef CBattleFailSoft::kDef{
    .name = "페일소프트",
    .specialFolder = failsoft::kBeastFolder,
    .body = EnemyBody::kSpecialApproach,
    .rows = failsoft::kRows,
    .layout = enemyrows::kStandard,
};
SLV_REGISTER_ACTOR(CBattleFailSoft, CBattleFailSoft::kDef.name);
