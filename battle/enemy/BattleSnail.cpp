// Eddie the snail: walks up to its special and strikes.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace snail {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach), Blow(kActSpecialHit)};

}  // namespace snail
}  // namespace

const EnemyKindDef CBattleSnail::kDef{
    .name = "에디스네일",
    .body = EnemyBody::kSpecialApproach,
    .rows = snail::kRows,
    .layout = enemyrows::kStandard,
};
SLV_REGISTER_ACTOR(CBattleSnail, CBattleSnail::kDef.name);
