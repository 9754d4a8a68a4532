// The lich: one special it floats up to, one struck at once.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace rich {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach, 0), Blow(kActSpecialHit, 4), Blow(kActSpecialHit2, 4)};
constexpr EnemyRouteCase kPicks[] = {{5, kActSpecialApproach}, {39, kActSpecialHit2}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActApproach}};
constexpr EnemyApproach kApproaches[] = {enemyblocks::kApproach};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit, .end = kActIdle},
                                    {.code = kActSpecialHit2, .trail = EnemyTrail::kNone, .end = kActIdle}};

}  // namespace rich
}  // namespace

const EnemyKindDef CBattleRich::kDef{
    .name = "리치",
    .rows = rich::kRows,
    .layout = rich::kStill,
    .routes = rich::kRoutes,
    .approaches = rich::kApproaches,
    .strikes = rich::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleRich, CBattleRich::kDef.name);
