// The sylph: a spell or a special, each with its own start, struck where
// she stands.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace silpe {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Blow(kActSpecialHit, 4)};
constexpr EnemyRoute kRoutes[] = {Straight(kActCastMagic, kActSpecialHit, kCastStart, kCastPause),
                                  Straight(kActSpecialSkill, kActSpecialHit, kStart)};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit, .start = false, .end = kActIdle}};

}  // namespace silpe
}  // namespace

const EnemyKindDef CBattleSilpe::kDef{
    .name = "실프",
    .rows = silpe::kRows,
    .layout = silpe::kStill,
    .routes = silpe::kRoutes,
    .strikes = silpe::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleSilpe, CBattleSilpe::kDef.name);
