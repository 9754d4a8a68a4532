// The painloid: one special it walks up to, two struck at once.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace painloid {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach), SpecialBlow(kActSpecialHit), SpecialBlow(kActSpecialHit2),
                              SpecialBlow(kActSpecialHit3)};
constexpr EnemyRouteCase kPicks[] = {{8, kActSpecialApproach}, {84, kActSpecialHit2}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialHit3}};
constexpr EnemyApproach kApproaches[] = {enemyblocks::kApproach};
constexpr EnemyStrike kStrikes[] = {enemyblocks::kStrike, {.code = kActSpecialHit2, .trail = EnemyTrail::kNone},
                                    {.code = kActSpecialHit3}};

}  // namespace painloid
}  // namespace

const EnemyKindDef CBattlePainLoid::kDef{
    .name = "페인로이드",
    .specialFolder = painloid::kBeastFolder,
    .rows = painloid::kRows,
    .layout = enemyrows::kStandard,
    .routes = painloid::kRoutes,
    .approaches = painloid::kApproaches,
    .strikes = painloid::kStrikes,
};
SLV_REGISTER_ACTOR(CBattlePainLoid, CBattlePainLoid::kDef.name);
