// The evil lord: two specials it walks up to, on its special sheet.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace evillode {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach), Walk(kActSpecialApproach2), SpecialBlow(kActSpecialHit),
                              SpecialBlow(kActSpecialHit2)};
constexpr EnemyRouteCase kPicks[] = {{25, kActSpecialApproach}, {27, kActSpecialApproach2}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActApproach}};
constexpr EnemyApproach kApproaches[] = {enemyblocks::kApproach,
                                         {.code = kActSpecialApproach2, .next = kActSpecialHit2}};
constexpr EnemyStrike kStrikes[] = {enemyblocks::kStrike, {.code = kActSpecialHit2}};

}  // namespace evillode
}  // namespace

const EnemyKindDef CBattleEvilLode::kDef{
    .name = "이블로드",
    .specialFolder = evillode::kBeastFolder,
    .rows = evillode::kRows,
    .layout = enemyrows::kStandard,
    .routes = evillode::kRoutes,
    .approaches = evillode::kApproaches,
    .strikes = evillode::kStrikes,
    .icon = {.lower = 10},
};
SLV_REGISTER_ACTOR(CBattleEvilLode, CBattleEvilLode::kDef.name);
