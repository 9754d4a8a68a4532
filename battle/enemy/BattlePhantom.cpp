// The phantom: three specials it floats up to, on its special sheet.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach),  Walk(kActSpecialApproach2), Walk(kActSpecialApproach3),
                              SpecialBlow(kActSpecialHit), SpecialBlow(kActSpecialHit2), SpecialBlow(kActSpecialHit3)};
constexpr EnemyRouteCase kPicks[] = {{3, kActSpecialApproach}, {7, kActSpecialApproach2}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach3}};
constexpr EnemyApproach kApproaches[] = {enemyblocks::kApproach,
                                         {.code = kActSpecialApproach2, .next = kActSpecialHit2},
                                         {.code = kActSpecialApproach3, .next = kActSpecialHit3}};
constexpr EnemyStrike kStrikes[] = {enemyblocks::kStrike, {.code = kActSpecialHit2}, {.code = kActSpecialHit3}};

}  // namespace

const EnemyKindDef CBattlePhantom::kDef{
    .name = "펜텀",
    .specialFolder = kBeastFolder,
    .rows = kRows,
    .layout = enemyrows::kStandard,
    .routes = kRoutes,
    .approaches = kApproaches,
    .strikes = kStrikes,
};
SLV_REGISTER_ACTOR(CBattlePhantom, CBattlePhantom::kDef.name);
