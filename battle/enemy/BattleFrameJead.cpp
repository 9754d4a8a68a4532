// The flame jade: walks up to its special and strikes.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace framejead {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach), Blow(kActSpecialHit)};

}  // namespace framejead
}  // namespace

const EnemyKindDef CBattleFrameJead::kDef{
    .name = "프레임제이드",
    .body = EnemyBody::kSpecialApproach,
    .rows = framejead::kRows,
    .layout = enemyrows::kStandard,
};
SLV_REGISTER_ACTOR(CBattleFrameJead, CBattleFrameJead::kDef.name);
