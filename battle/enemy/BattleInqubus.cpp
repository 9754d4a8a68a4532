// The incubus: two specials it flies up to; the first lands once, as its
// animation ends.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace inqubus {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach), Walk(kActSpecialApproach2), Blow(kActSpecialHit, 0),
                              SpecialBlow(kActSpecialHit2)};
constexpr EnemyRouteCase kPicks[] = {{40, kActSpecialApproach}, {83, kActSpecialApproach2}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActApproach}};
constexpr EnemyApproach kApproaches[] = {enemyblocks::kApproach,
                                         {.code = kActSpecialApproach2, .next = kActSpecialHit2}};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit, .resolveAtEnd = true}, {.code = kActSpecialHit2}};

}  // namespace inqubus
}  // namespace

const EnemyKindDef CBattleInqubus::kDef{
    .name = "인큐버스",
    .specialFolder = inqubus::kBeastFolder,
    .rows = inqubus::kRows,
    .layout = enemyrows::kStandard,
    .routes = inqubus::kRoutes,
    .approaches = inqubus::kApproaches,
    .strikes = inqubus::kStrikes,
    .icon = {.lower = 20},
};
SLV_REGISTER_ACTOR(CBattleInqubus, CBattleInqubus::kDef.name);
