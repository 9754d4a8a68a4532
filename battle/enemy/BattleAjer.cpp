// The ajer: its special is struck at once where it hovers; the walk row
// only sets the animation.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach), SpecialBlow(kActSpecialHit)};
constexpr EnemyRoute kRoutes[] = {Straight(kActSpecialSkill, kActSpecialHit)};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit, .end = kActIdle}};

}  // namespace

const EnemyKindDef CBattleAjer::kDef{
    .name = "아져",
    .specialFolder = kBeastFolder,
    .rows = kRows,
    .layout = enemyrows::kStandard,
    .routes = kRoutes,
    .strikes = kStrikes,
};
SLV_REGISTER_ACTOR(CBattleAjer, CBattleAjer::kDef.name);
