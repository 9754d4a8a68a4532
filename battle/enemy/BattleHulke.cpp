// The hulk: the start with the order, then its special struck where it
// stands, without an after-image.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace hulke {

using namespace secondrows;

constexpr EnemyRow kRows[] = {SpecialBlow(kActSpecialHit)};
constexpr EnemyRoute kRoutes[] = {Straight(kActSpecialSkill, kActSpecialHit, kStart)};
constexpr EnemyStrike kStrikes[] = {
    {.code = kActSpecialHit, .start = false, .trail = EnemyTrail::kNone, .end = kActIdle}};

}  // namespace hulke
}  // namespace

const EnemyKindDef CBattleHulke::kDef{
    .name = "헐크",
    .specialFolder = hulke::kBeastFolder,
    .rows = hulke::kRows,
    .layout = enemyrows::kStandard,
    .routes = hulke::kRoutes,
    .strikes = hulke::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleHulke, CBattleHulke::kDef.name);
