// The sylph: a spell or a special, each with its own start, struck where
// she stands.
#include "battle/enemy/EnemyKindsSecond.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {

using namespace secondrows;

constexpr EnemyRow kRows[] = {Blow(kActSpecialHit, 4)};
constexpr EnemyRoute kRoutes[] = {Straight(kActCastMagic, kActSpecialHit, kCastStart, kCastPause),
                                  Straight(kActSpecialSkill, kActSpecialHit, kStart)};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit, .start = false, .end = kActIdle}};

}  // namespace

const EnemyKindDef CBattleSilpe::kDef{
    .name = "실프",
    .rows = kRows,
    .layout = kStill,
    .routes = kRoutes,
    .strikes = kStrikes,
};
SLV_REGISTER_ACTOR(CBattleSilpe, CBattleSilpe::kDef.name);
