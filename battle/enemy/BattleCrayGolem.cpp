// The clay golem: walks up to its special and strikes.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace craygolem {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach, 0), Blow(kActSpecialHit, 4)};

}  // namespace craygolem
}  // namespace

const EnemyKindDef CBattleCrayGolem::kDef{
    .name = "크레이고렘",
    .body = EnemyBody::kSpecialApproach,
    .rows = craygolem::kRows,
    .layout = craygolem::kStill,
};
SLV_REGISTER_ACTOR(CBattleCrayGolem, CBattleCrayGolem::kDef.name);
