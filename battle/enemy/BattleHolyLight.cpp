// The holy light: the start with the order, then one of two specials
// struck where it stands.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace holylight {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Blow(kActSpecialHit), Blow(kActSpecialHit2)};
constexpr EnemyRouteCase kPicks[] = {{54, kActSpecialHit}};
constexpr EnemyRoute kRoutes[] = {
    {.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialHit2, .startEffect = kStart}};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit, .start = false, .trail = EnemyTrail::kNone},
                                    {.code = kActSpecialHit2, .start = false}};

}  // namespace holylight
}  // namespace

const EnemyKindDef CBattleHolyLight::kDef{
    .name = "홀리라이트",
    .rows = holylight::kRows,
    .layout = enemyrows::kStandard,
    .routes = holylight::kRoutes,
    .strikes = holylight::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleHolyLight, CBattleHolyLight::kDef.name);
