// Tolmir Veskaro: blows resolved as they end, one of them pushing, and a
// spell cast where he stands.
#include "battle/enemy/BossKinds.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace tolmirveskaro {

using namespace bossblocks;

constexpr EnemyRow kRows[] = {
    Loop(kActIdle, 0),         Loop(kActApproach, 4),     Loop(kActWalkBack, 4),     Loop(kActSpecialApproach, 4),
    Loop(kActSpecialApproach3, 4), Once(kActAttack, 8),   Once(kActSpecialHit, 8),   Once(kActSpecialHit2, 8),
    Once(kActSpecialHit3, 8),  Once(kActSpecialHit4, 8),  Once(kActDamageLight, 12),
};
constexpr EnemyRouteCase kPicks[] = {{11, kActSpecialApproach}, {74, kActSpecialHit2}, {82, kActSpecialApproach3}};
constexpr EnemyRoute kRoutes[] = {
    secondrows::Straight(kActCastMagic, kActSpecialHit4, secondrows::kCastStart, secondrows::kCastPause),
    {.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach},
};
constexpr EnemyApproach kApproaches[] = {
    {.code = kActSpecialApproach, .next = kActSpecialHit},
    {.code = kActSpecialApproach3, .next = kActSpecialHit3},
};
constexpr EnemyStrike kStrikes[] = {
    AtEnd(Strike(kActSpecialHit, kActWalkBack)),
    Index(AtEnd(Strike(kActSpecialHit2, kActWalkBack)), 1),
    AtEnd(Strike(kActSpecialHit3, kActWalkBack)),
    // The cast's strike: where he stands, no flourish of its own.
    AtEnd(Bare(kActSpecialHit4, kActIdle)),
};

}  // namespace tolmirveskaro
}  // namespace

const EnemyKindDef CBattleTolmirVeskaro::kDef{
    .name = "톨미르_베스카로",
    .rows = tolmirveskaro::kRows,
    .routes = tolmirveskaro::kRoutes,
    .approaches = tolmirveskaro::kApproaches,
    .strikes = tolmirveskaro::kStrikes,
    .idleStrike = true,
};
SLV_REGISTER_ACTOR(CBattleTolmirVeskaro, CBattleTolmirVeskaro::kDef.name);
