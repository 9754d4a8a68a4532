// Dornkeshattal: walks up close as the ninja does and leaps at his target
// with his own blow; five specials, one of them struck where he stands.
#include "battle/enemy/MoreBossKinds.h"
#include "battle/enemy/BattleNinJa.h"

namespace {
namespace dornkeshattal {

using namespace bossblocks;

constexpr float kHop = -2.5f;  // upward

// However long it takes, up to 15 and no further.
constexpr EnemyApproach WalkUp() {
  EnemyApproach a = ninjablocks::kApproach;
  a.distance = 15.0f;
  a.reachIncluded = true;
  return a;
}

constexpr EnemyRow kRows[] = {
    Loop(kActSpecialApproach, 4),
    Loop(kActSpecialApproach2, 4),
    Loop(kActSpecialApproach3, 4),
    Loop(kActSpecialApproach4, 4),
    {.code = kActAttack, .base = 8, .hop = kHop},
    Once(kActSpecialHit, 8),
    Once(kActSpecialHit2, 8),
    Once(kActSpecialHit3, 8),
    Once(kActSpecialHit4, 8),
    Once(kActSpecialHit5, 0),
};
constexpr EnemyRouteCase kPicks[] = {{25, kActSpecialApproach},
                                     {27, kActSpecialApproach2},
                                     {13, kActSpecialApproach3},
                                     {16, kActSpecialApproach4},
                                     {89, kActSpecialHit5}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach}};
constexpr EnemyApproach kApproaches[] = {
    WalkUp(),
    {.code = kActSpecialApproach, .next = kActSpecialHit},
    {.code = kActSpecialApproach2, .next = kActSpecialHit2},
    {.code = kActSpecialApproach3, .next = kActSpecialHit3},
    {.code = kActSpecialApproach4, .next = kActSpecialHit4},
};
constexpr EnemyStrike kStrikes[] = {
    OwnBlow(0.7f, EnemyFacing::kFirstTicks),
    Strike(kActSpecialHit, kActWalkBack),
    LockedWithTarget(Strike(kActSpecialHit2, kActWalkBack)),
    Strike(kActSpecialHit3, kActWalkBack),
    Index(Strike(kActSpecialHit4, kActWalkBack), 2),
    LockedWithTarget(Strike(kActSpecialHit5, kActWalkBack)),
};

}  // namespace dornkeshattal
}  // namespace

constinit const EnemyKindDef CBattleDornkeshattal::kDef = dornkeshattal::Boss("도른_케시_아탈", dornkeshattal::kRows, dornkeshattal::kRoutes, dornkeshattal::kApproaches, dornkeshattal::kStrikes);
SLV_REGISTER_ACTOR(CBattleDornkeshattal, CBattleDornkeshattal::kDef.name);
