// The ice golem: it walks up and strikes on its special sheet, harder from
// the strike's thirtieth tick.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace icegolem {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach), SpecialBlow(kActSpecialHit)};
constexpr EnemyRoute kRoutes[] = {Straight(kActSpecialSkill, kActSpecialApproach)};
constexpr EnemyApproach kApproaches[] = {enemyblocks::kApproach};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit, .hitKind = 1, .lateTick = 30, .lateHitKind = 2}};

}  // namespace icegolem
}  // namespace

const EnemyKindDef CBattleIceGolem::kDef{
    .name = "아이스고렘",
    .specialFolder = icegolem::kBeastFolder,
    .rows = icegolem::kRows,
    .layout = enemyrows::kStandard,
    .routes = icegolem::kRoutes,
    .approaches = icegolem::kApproaches,
    .strikes = icegolem::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleIceGolem, CBattleIceGolem::kDef.name);
