// The efreet: it rushes up to either special and cannot be hit while it
// strikes; its bar figure hangs lower.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace eprite {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach, 0), Walk(kActSpecialApproach2, 0),
                              SpecialBlow(kActSpecialHit), Blow(kActSpecialHit2, 4)};
constexpr EnemyRouteCase kPicks[] = {{11, kActSpecialApproach}, {82, kActSpecialApproach2}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActApproach}};
constexpr EnemyApproach kApproaches[] = {{.code = kActSpecialApproach, .factor = 2.1f},
                                         {.code = kActSpecialApproach2, .factor = 2.1f, .next = kActSpecialHit2}};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit, .hitLock = 3},
                                    {.code = kActSpecialHit2, .trail = EnemyTrail::kNone, .hitLock = 3}};

}  // namespace eprite
}  // namespace

const EnemyKindDef CBattleEprite::kDef{
    .name = "이프리트",
    .specialFolder = eprite::kBeastFolder,
    .rows = eprite::kRows,
    .layout = eprite::kStill,
    .routes = eprite::kRoutes,
    .approaches = eprite::kApproaches,
    .strikes = eprite::kStrikes,
    .icon = {.lower = 20},
};
SLV_REGISTER_ACTOR(CBattleEprite, CBattleEprite::kDef.name);
