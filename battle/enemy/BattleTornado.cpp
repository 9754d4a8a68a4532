// The tornado: its rotor sounds every 30 ticks of any action; it charges
// straight on or chases its target.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace tornado {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach), Walk(kActSpecialApproach2), Blow(kActSpecialHit),
                              Blow(kActSpecialHit2)};
constexpr EnemyRouteCase kPicks[] = {{67, kActSpecialApproach}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach2}};
constexpr EnemyApproach kApproaches[] = {{.code = kActSpecialApproach, .factor = 2.8f},
                                         {.code = kActSpecialApproach2, .factor = 2.1f, .next = kActSpecialHit2}};
constexpr EnemyStrike kStrikes[] = {
    {.code = kActSpecialHit, .facing = EnemyFacing::kFirstTicks, .drift = 0.5f},
    {.code = kActSpecialHit2, .drift = 1.5f, .hitKind = 2},
};

}  // namespace tornado
}  // namespace

const EnemyKindDef CBattleTornado::kDef{
    .name = "토네이도",
    .rows = tornado::kRows,
    .layout = enemyrows::kStandard,
    .routes = tornado::kRoutes,
    .approaches = tornado::kApproaches,
    .strikes = tornado::kStrikes,
    .sound = {.wave = "토네이도.wav", .every = 30},
};
SLV_REGISTER_ACTOR(CBattleTornado, CBattleTornado::kDef.name);
