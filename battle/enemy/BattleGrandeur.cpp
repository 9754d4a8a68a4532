// Grandeur: blows from where he stands, between turns too, and five
// specials struck in place; every hit turns him a little.
#include "battle/enemy/BossKindsVerunak.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace grandeur {

using namespace bossblocks;

// The walks a special of his never starts, kept for the rows he has.
constexpr EnemyRow kRows[] = {
    Loop(kActIdle, 0),
    Once(kActAttack, 4),
    Once(kActDamageLight, 8),
    Once(kActSpecialHit, 4),
    Once(kActSpecialHit2, 4),
    Once(kActSpecialHit3, 4),
    Once(kActSpecialHit4, 4),
    Once(kActSpecialHit5, 4),
    Loop(kActSpecialApproach, 0),
    Loop(kActSpecialApproach2, 0),
    Loop(kActSpecialApproach3, 0),
    Loop(kActSpecialApproach4, 0),
    Loop(kActSpecialApproach5, 0),
};
constexpr EnemyRouteCase kPicks[] = {
    {5, kActSpecialHit}, {8, kActSpecialHit2}, {21, kActSpecialHit3}, {43, kActSpecialHit4}, {89, kActSpecialHit5}};
constexpr EnemyRoute kRoutes[] = {
    // He never walks up for a blow.
    secondrows::Straight(kActApproach, kActAttack),
    {.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialHit},
};
constexpr EnemyApproach kApproaches[] = {
    {.code = kActSpecialApproach, .next = kActSpecialHit},
    {.code = kActSpecialApproach2, .next = kActSpecialHit2},
    {.code = kActSpecialApproach3, .next = kActSpecialHit3},
    {.code = kActSpecialApproach4, .next = kActSpecialHit4},
};
constexpr EnemyStrike kStrikes[] = {
    Strike(kActSpecialHit, kActIdle),
    Strike(kActSpecialHit2, kActIdle),
    LockedWithTarget(Strike(kActSpecialHit3, kActIdle)),
    LockedWithTarget(Strike(kActSpecialHit4, kActIdle)),
    LockedWithTarget({.code = kActSpecialHit5, .trail = EnemyTrail::kNone, .hitLock = kLock, .end = kActIdle}),
};

}  // namespace grandeur
}  // namespace

const EnemyKindDef CBattleGrandeur::kDef{
    .name = "그랑데",
    .rows = grandeur::kRows,
    .routes = grandeur::kRoutes,
    .approaches = grandeur::kApproaches,
    .strikes = grandeur::kStrikes,
    .idleStrike = true,
    .hitImmunity = {.turn = 11},
};
SLV_REGISTER_ACTOR(CBattleGrandeur, CBattleGrandeur::kDef.name);
