// Ulmgard: a blow of his own that lunges, a two-stage chain, a leap struck
// in the air once he is within 20 of his target, and three blows more.
#include "battle/enemy/BossKinds.h"

namespace {
namespace ulmgard {

using namespace bossblocks;

constexpr float kLeapReach = 20.0f;
constexpr float kLeapSpeed = -2.5f;  // upward

constexpr EnemyRow kRows[] = {
    Loop(kActIdle, 0),
    Loop(kActApproach, 4),
    Loop(kActWalkBack, 4),
    Loop(kActSpecialApproach, 4),
    Loop(kActSpecialApproach2, 4),
    Loop(kActSpecialApproach3, 4),
    Loop(kActSpecialApproach4, 4),
    Once(kActAttack, 8),
    Once(kActDamageLight, 16),
    Once(kActSpecialHit, 12),
    {.code = kActSpecialHit2, .base = 12, .hop = kLeapSpeed},
    Once(kActSpecialHit3, 12),
    Once(kActSpecialHit4, 12),
    Once(kActSkillHit1, 12),
    Once(kActSpecialHit5, 0),
};
constexpr EnemyRouteCase kPicks[] = {{11, kActSpecialApproach4},
                                     {16, kActSpecialApproach2},
                                     {19, kActSpecialApproach3},
                                     {22, kActSpecialApproach},
                                     {41, kActSpecialHit5}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach}};
constexpr EnemyApproach kApproaches[] = {
    {.code = kActSpecialApproach, .next = kActSpecialHit},
    {.code = kActSpecialApproach2, .next = kActSpecialHit2, .distance = kLeapReach, .reachIncluded = true},
    {.code = kActSpecialApproach3, .next = kActSpecialHit3},
    {.code = kActSpecialApproach4, .next = kActSpecialHit4},
};
constexpr EnemyStrike kStrikes[] = {
    // His own blow, not the base's: it lunges.
    OwnBlow(0.2f),
    Index(Lunge(Strike(kActSpecialHit, kActSkillHit1), 0.3f), 1),
    Chained(LockedWithTarget(Lunge(Strike(kActSkillHit1, kActWalkBack), 0.3f))),
    Index(Lunge(Strike(kActSpecialHit2, kActWalkBack), 0.7f), 2),
    Strike(kActSpecialHit3, kActWalkBack),
    Strike(kActSpecialHit4, kActWalkBack),
    Strike(kActSpecialHit5, kActIdle),
};

}  // namespace ulmgard
}  // namespace

const EnemyKindDef CBattleUlmgard::kDef{
    .name = "울름가드",
    .rows = ulmgard::kRows,
    .routes = ulmgard::kRoutes,
    .approaches = ulmgard::kApproaches,
    .strikes = ulmgard::kStrikes,
    .idleStrike = true,
};
SLV_REGISTER_ACTOR(CBattleUlmgard, CBattleUlmgard::kDef.name);
