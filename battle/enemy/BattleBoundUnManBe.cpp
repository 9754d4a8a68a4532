// The bound woman-bee: two specials she flies up to.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace boundunmanbe {

using namespace secondrows;

constexpr EnemyRow kRows[] = {
    Blow(kActSpecialApproach, 0), Blow(kActSpecialApproach2, 0), SpecialBlow(kActSpecialHit),
    Blow(kActSpecialHit2, 4),
};
constexpr EnemyRouteCase kPicks[] = {{4, kActSpecialApproach}, {37, kActSpecialApproach2}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActApproach}};
constexpr EnemyApproach kApproaches[] = {enemyblocks::kApproach,
                                         {.code = kActSpecialApproach2, .next = kActSpecialHit2}};
constexpr EnemyStrike kStrikes[] = {enemyblocks::kStrike, {.code = kActSpecialHit2}};

}  // namespace boundunmanbe
}  // namespace

const EnemyKindDef CBattleBoundUnManBe::kDef{
    .name = "바운드우먼비",
    .specialFolder = boundunmanbe::kBeastFolder,
    .rows = boundunmanbe::kRows,
    .layout = boundunmanbe::kStill,
    .routes = boundunmanbe::kRoutes,
    .approaches = boundunmanbe::kApproaches,
    .strikes = boundunmanbe::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleBoundUnManBe, CBattleBoundUnManBe::kDef.name);
