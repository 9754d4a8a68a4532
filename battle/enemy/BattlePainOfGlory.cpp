// The pain of glory: slower actions, and three specials struck where it
// stands at a frame a tick, the start given with the order.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace painofglory {

using namespace secondrows;

constexpr EnemyRow kRows[] = {
    {.code = kActIdle, .base = 0, .delay = 6, .mode = 2},
    {.code = kActApproach, .base = 4, .delay = 6, .mode = 2},
    {.code = kActWalkBack, .base = 4, .delay = 6, .mode = 2},
    {.code = kActAttack, .base = 8, .delay = 6},
    {.code = kActDamageLight, .base = 12, .delay = 6},
    {.code = kActSpecialHit, .base = 8, .delay = 1},
    {.code = kActSpecialHit2, .base = 8, .delay = 1},
    {.code = kActSpecialHit3, .base = 8, .delay = 1},
};
constexpr EnemyRouteCase kPicks[] = {{41, kActSpecialHit}, {42, kActSpecialHit2}};
constexpr EnemyRoute kRoutes[] = {
    {.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialHit3, .startEffect = kStart}};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit, .start = false},
                                    {.code = kActSpecialHit2, .start = false},
                                    {.code = kActSpecialHit3, .start = false}};

}  // namespace painofglory
}  // namespace

const EnemyKindDef CBattlePainOfGlory::kDef{
    .name = "페인오브글로리",
    .rows = painofglory::kRows,
    .routes = painofglory::kRoutes,
    .strikes = painofglory::kStrikes,
};
SLV_REGISTER_ACTOR(CBattlePainOfGlory, CBattlePainOfGlory::kDef.name);
