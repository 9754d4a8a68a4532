// The poison amoeba: walks up to its special and strikes.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace poisonamoeba {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach), Blow(kActSpecialHit)};

}  // namespace poisonamoeba
}  // namespace

const EnemyKindDef CBattlePoisonAmoeba::kDef{
    .name = "포이즌아메바",
    .body = EnemyBody::kSpecialApproach,
    .rows = poisonamoeba::kRows,
    .layout = enemyrows::kStandard,
};
SLV_REGISTER_ACTOR(CBattlePoisonAmoeba, CBattlePoisonAmoeba::kDef.name);
