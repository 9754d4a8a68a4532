// The hulk: the start with the order, then its special struck where it
// stands, without an after-image.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {

using namespace secondrows;

constexpr EnemyRow kRows[] = {SpecialBlow(kActSpecialHit)};
constexpr EnemyRoute kRoutes[] = {Straight(kActSpecialSkill, kActSpecialHit, kStart)};
constexpr EnemyStrike kStrikes[] = {
    {.code = kActSpecialHit, .start = false, .trail = EnemyTrail::kNone, .end = kActIdle}};

}  // namespace

const EnemyKindDef CBattleHulke::kDef{
    .name = "헐크",
    .specialFolder = kBeastFolder,
    .rows = kRows,
    .layout = enemyrows::kStandard,
    .routes = kRoutes,
    .strikes = kStrikes,
};
SLV_REGISTER_ACTOR(CBattleHulke, CBattleHulke::kDef.name);
