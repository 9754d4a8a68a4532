// Bredan Hollow: two strikes from close in, a three-stage lunging chain and
// two blows resolved as they end.
#include "battle/enemy/BossKinds.h"

namespace {
namespace bredanhollow {

using namespace bossblocks;

constexpr EnemyRow kRows[] = {
    Loop(kActIdle, 0),         Loop(kActApproach, 4),         Loop(kActWalkBack, 4),
    Loop(kActSpecialApproach, 4), Loop(kActSpecialApproach2, 4), Loop(kActSpecialApproach3, 4),
    Loop(kActSpecialApproach5, 4), Once(kActAttack, 8),          Once(kActSpecialHit, 8),
    Once(kActSpecialHit2, 8),  Once(kActSpecialHit3, 8),      Once(kActSkillHit1, 8),
    Once(kActSkillHit2, 8),    Once(kActDamageLight, 12),     Once(kActSpecialHit4, 0, 4),
    Once(kActSpecialHit5, 0, 4),
};
constexpr EnemyRouteCase kPicks[] = {{11, kActSpecialApproach},
                                     {23, kActSpecialApproach3},
                                     {29, kActSpecialApproach2},
                                     {64, kActSpecialApproach5},
                                     {89, kActSpecialHit4}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach5}};
constexpr EnemyApproach kApproaches[] = {
    {.code = kActSpecialApproach, .next = kActSpecialHit},
    {.code = kActSpecialApproach2, .next = kActSpecialHit2},
    {.code = kActSpecialApproach3, .next = kActSpecialHit3},
    {.code = kActSpecialApproach5, .next = kActSpecialHit5},
};
constexpr EnemyStrike kStrikes[] = {
    Strike(kActSpecialHit, kActWalkBack),
    Index(Strike(kActSpecialHit2, kActWalkBack), 1),
    Lunge(Strike(kActSpecialHit3, kActSkillHit1), 0.2f),
    Chained(Lunge(Strike(kActSkillHit1, kActSkillHit2), 0.2f)),
    Chained(Lunge(Strike(kActSkillHit2, kActWalkBack), 0.2f)),
    AtEnd(Strike(kActSpecialHit4, kActWalkBack)),
    AtEnd(Strike(kActSpecialHit5, kActWalkBack)),
};

}  // namespace bredanhollow
}  // namespace

const EnemyKindDef CBattleBredanHollow::kDef{
    .name = "브레단_홀로우",
    .rows = bredanhollow::kRows,
    .routes = bredanhollow::kRoutes,
    .approaches = bredanhollow::kApproaches,
    .strikes = bredanhollow::kStrikes,
    .idleStrike = true,
};
SLV_REGISTER_ACTOR(CBattleBredanHollow, CBattleBredanHollow::kDef.name);
