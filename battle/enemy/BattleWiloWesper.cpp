// The will-o'-the-wisp: spell and special both struck where it floats,
// without an after-image; its bar figure hangs lowest.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace wilowesper {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach), Blow(kActSpecialHit), Blow(kActSpecialHit2)};
constexpr EnemyRoute kRoutes[] = {Straight(kActCastMagic, kActSpecialHit2, kCastStart, kCastPause),
                                  Straight(kActSpecialSkill, kActSpecialHit)};
constexpr EnemyStrike kStrikes[] = {
    {.code = kActSpecialHit, .trail = EnemyTrail::kNone},
    {.code = kActSpecialHit2, .start = false, .trail = EnemyTrail::kNone, .end = kActIdle},
};

}  // namespace wilowesper
}  // namespace

const EnemyKindDef CBattleWiloWesper::kDef{
    .name = "윌오브위스퍼",
    .rows = wilowesper::kRows,
    .layout = enemyrows::kStandard,
    .routes = wilowesper::kRoutes,
    .strikes = wilowesper::kStrikes,
    .icon = {.lower = 40},
};
SLV_REGISTER_ACTOR(CBattleWiloWesper, CBattleWiloWesper::kDef.name);
