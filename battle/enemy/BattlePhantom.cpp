// The phantom: three specials it floats up to, on its special sheet.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace phantom {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach),  Walk(kActSpecialApproach2), Walk(kActSpecialApproach3),
                              SpecialBlow(kActSpecialHit), SpecialBlow(kActSpecialHit2), SpecialBlow(kActSpecialHit3)};
constexpr EnemyRouteCase kPicks[] = {{3, kActSpecialApproach}, {7, kActSpecialApproach2}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach3}};
constexpr EnemyApproach kApproaches[] = {enemyblocks::kApproach,
                                         {.code = kActSpecialApproach2, .next = kActSpecialHit2},
                                         {.code = kActSpecialApproach3, .next = kActSpecialHit3}};
constexpr EnemyStrike kStrikes[] = {enemyblocks::kStrike, {.code = kActSpecialHit2}, {.code = kActSpecialHit3}};

}  // namespace phantom
}  // namespace

const EnemyKindDef CBattlePhantom::kDef{
    .name = "펜텀",
    .specialFolder = phantom::kBeastFolder,
    .rows = phantom::kRows,
    .layout = enemyrows::kStandard,
    .routes = phantom::kRoutes,
    .approaches = phantom::kApproaches,
    .strikes = phantom::kStrikes,
};
SLV_REGISTER_ACTOR(CBattlePhantom, CBattlePhantom::kDef.name);
