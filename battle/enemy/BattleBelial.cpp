// Belial: a strike at once from its special sheet, a three-link chain it
// slides on through, and two walks, one flourishing as it sets out.
#include "battle/enemy/EnemyKindsFourth.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace belial {

using namespace bossblocks;
using namespace fourthblocks;

constexpr float kWalk = 1.5f;
constexpr float kSlide = 0.3f;

constexpr EnemyRow kRows[] = {
    Once(kActSpecialHit, 8),
    Once(kActSkillHit1, 8),
    Once(kActSpecialHit5, 8),
    Once(kActSpecialHit2, 0),
    secondrows::SpecialBlow(kActSpecialHit3),
    Once(kActSpecialHit4, 0, 4),
    Loop(kActSpecialApproach, 4),
    Loop(kActSpecialApproach2, 4),
    Loop(kActSpecialApproach4, 4),
};
constexpr EnemyRouteCase kPicks[] = {
    {23, kActSpecialApproach}, {24, kActSpecialApproach2}, {56, kActSpecialApproach4}, {85, kActSpecialHit3}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach4}};
constexpr EnemyApproach kApproaches[] = {
    Approach(kActSpecialApproach, kWalk, kActSpecialHit),
    Approach(kActSpecialApproach2, kWalk, kActSpecialHit2),
    {.code = kActSpecialApproach4, .factor = kWalk, .next = kActSpecialHit4, .start = true},
};
constexpr EnemyStrike kStrikes[] = {
    ChainHead(Lunge(Full(kActSpecialHit, kActSpecialHit5), kSlide)),
    Chained(Lunge(Full(kActSpecialHit5, kActSkillHit1), kSlide)),
    Chained(Lunge(Full(kActSkillHit1, kActWalkBack), kSlide)),
    AtEnd(Full(kActSpecialHit2, kActWalkBack)),
    Plain(kActSpecialHit3, kActIdle),
    AtEnd(Trailed(kActSpecialHit4, kActWalkBack)),
};

}  // namespace belial
}  // namespace

const EnemyKindDef CBattleBelial::kDef =
    belial::StandardKind("베리얼", enemyrows::kBeastFolder, belial::kRows, belial::kRoutes, belial::kApproaches, belial::kStrikes);
SLV_REGISTER_ACTOR(CBattleBelial, CBattleBelial::kDef.name);
