// The ice golem: it walks up and strikes on its special sheet, harder from
// the strike's thirtieth tick.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach), SpecialBlow(kActSpecialHit)};
constexpr EnemyRoute kRoutes[] = {Straight(kActSpecialSkill, kActSpecialApproach)};
constexpr EnemyApproach kApproaches[] = {enemyblocks::kApproach};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit, .hitKind = 1, .lateTick = 30, .lateHitKind = 2}};

}  // namespace

const EnemyKindDef CBattleIceGolem::kDef{
    .name = "아이스고렘",
    .specialFolder = kBeastFolder,
    .rows = kRows,
    .layout = enemyrows::kStandard,
    .routes = kRoutes,
    .approaches = kApproaches,
    .strikes = kStrikes,
};
SLV_REGISTER_ACTOR(CBattleIceGolem, CBattleIceGolem::kDef.name);
