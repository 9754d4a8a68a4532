// The ajer: its special is struck at once where it hovers; the walk row
// only sets the animation.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace ajer {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach), SpecialBlow(kActSpecialHit)};
constexpr EnemyRoute kRoutes[] = {Straight(kActSpecialSkill, kActSpecialHit)};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit, .end = kActIdle}};

}  // namespace ajer
}  // namespace

const EnemyKindDef CBattleAjer::kDef{
    .name = "아져",
    .specialFolder = ajer::kBeastFolder,
    .rows = ajer::kRows,
    .layout = enemyrows::kStandard,
    .routes = ajer::kRoutes,
    .strikes = ajer::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleAjer, CBattleAjer::kDef.name);
