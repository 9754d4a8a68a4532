// The undine: two specials she walks up to, the second with its start on
// the way, and one struck at once.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace undinea {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach2), Walk(kActSpecialApproach3), Blow(kActSpecialHit),
                              Blow(kActSpecialHit2), Blow(kActSpecialHit3)};
constexpr EnemyRouteCase kPicks[] = {{13, kActSpecialApproach2}, {40, kActSpecialApproach3}, {89, kActSpecialHit}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActApproach}};
constexpr EnemyApproach kApproaches[] = {{.code = kActSpecialApproach2, .next = kActSpecialHit2},
                                         {.code = kActSpecialApproach3, .next = kActSpecialHit3, .start = true}};
constexpr EnemyStrike kStrikes[] = {enemyblocks::kStrike, {.code = kActSpecialHit2},
                                    {.code = kActSpecialHit3, .start = false}};

}  // namespace undinea
}  // namespace

const EnemyKindDef CBattleUndinea::kDef{
    .name = "운디네",
    .rows = undinea::kRows,
    .layout = enemyrows::kStandard,
    .routes = undinea::kRoutes,
    .approaches = undinea::kApproaches,
    .strikes = undinea::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleUndinea, CBattleUndinea::kDef.name);
