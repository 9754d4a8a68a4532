// The alien gilan: one special it walks up to, one it strikes at once.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace aliengilan {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Walk(kActSpecialApproach), SpecialBlow(kActSpecialHit), SpecialBlow(kActSpecialHit2)};
constexpr EnemyRouteCase kPicks[] = {{26, kActSpecialApproach}, {81, kActSpecialHit2}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActApproach}};
constexpr EnemyApproach kApproaches[] = {enemyblocks::kApproach};
constexpr EnemyStrike kStrikes[] = {enemyblocks::kStrike,
                                    {.code = kActSpecialHit2, .trail = EnemyTrail::kNone, .end = kActIdle}};

}  // namespace aliengilan
}  // namespace

const EnemyKindDef CBattleAlienGilan::kDef{
    .name = "에어리언길란",
    .specialFolder = aliengilan::kBeastFolder,
    .rows = aliengilan::kRows,
    .layout = enemyrows::kStandard,
    .routes = aliengilan::kRoutes,
    .approaches = aliengilan::kApproaches,
    .strikes = aliengilan::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleAlienGilan, CBattleAlienGilan::kDef.name);
