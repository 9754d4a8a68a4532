// The saint spirits: the start comes with the order, whatever it picks;
// both specials are struck where they stand.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace saintspirit {

using namespace secondrows;

constexpr EnemyRow kRows[] = {SpecialBlow(kActSpecialHit), SpecialBlow(kActSpecialHit2)};
constexpr EnemyRouteCase kPicks[] = {{39, kActSpecialHit}, {48, kActSpecialHit2}};
constexpr EnemyRoute kRoutes[] = {
    {.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActApproach, .startEffect = kStart}};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit, .start = false},
                                    {.code = kActSpecialHit2, .start = false}};

}  // namespace saintspirit
}  // namespace

const EnemyKindDef CBattleSaintSpirit::kDef{
    .name = "세인트스피릿츠",
    .specialFolder = saintspirit::kBeastFolder,
    .rows = saintspirit::kRows,
    .layout = enemyrows::kStandard,
    .routes = saintspirit::kRoutes,
    .strikes = saintspirit::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleSaintSpirit, CBattleSaintSpirit::kDef.name);
