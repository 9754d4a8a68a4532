// The golden guard: five runs, one to a strong blow from its special sheet
// after which it stays, one to a four-link chain it slides on through.
#include "battle/enemy/EnemyKindsFourth.h"

namespace {
namespace goldenguard {

using namespace bossblocks;
using namespace fourthblocks;

constexpr float kRun = 3.0f;
constexpr float kSlide = 0.5f;

constexpr EnemyRow kRows[] = {
    enemyrows::kSpecialSheetStrike, Once(kActSpecialHit2, 8),      Once(kActSpecialHit3, 8),
    Once(kActSpecialHit4, 8),       Once(kActSpecialHit5, 8),      Once(kActSkillHit1, 8),
    Once(kActSkillHit2, 8),         Once(kActSkillHit3, 8),        Loop(kActSpecialApproach, 4),
    Loop(kActSpecialApproach2, 4),  Loop(kActSpecialApproach3, 4), Loop(kActSpecialApproach4, 4),
    Loop(kActSpecialApproach5, 4),
};
constexpr EnemyRouteCase kPicks[] = {{17, kActSpecialApproach},
                                     {20, kActSpecialApproach2},
                                     {22, kActSpecialApproach3},
                                     {27, kActSpecialApproach4},
                                     {30, kActSpecialApproach5}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach}};
constexpr EnemyApproach kApproaches[] = {
    Approach(kActSpecialApproach, kRun, kActSpecialHit),   Approach(kActSpecialApproach2, kRun, kActSpecialHit2),
    Approach(kActSpecialApproach3, kRun, kActSpecialHit3), Approach(kActSpecialApproach4, kRun, kActSpecialHit4),
    Approach(kActSpecialApproach5, kRun, kActSpecialHit5),
};
constexpr EnemyStrike kStrikes[] = {
    Index({.code = kActSpecialHit, .trail = EnemyTrail::kNone, .end = kActIdle}, 2),
    Full(kActSpecialHit2, kActWalkBack),
    ChainHead(Lunge(Full(kActSpecialHit3, kActSkillHit1), kSlide)),
    Chained(Lunge(Full(kActSkillHit1, kActSkillHit2), kSlide)),
    Chained(Lunge(Full(kActSkillHit2, kActSkillHit3), kSlide)),
    Chained(Lunge(Full(kActSkillHit3, kActWalkBack), kSlide)),
    Full(kActSpecialHit4, kActWalkBack),
    Index(Full(kActSpecialHit5, kActWalkBack), 1),
};

}  // namespace goldenguard
}  // namespace

const EnemyKindDef CBattleGoldenGuard::kDef =
    goldenguard::StandardKind("골든가드", enemyrows::kBeastFolder, goldenguard::kRows, goldenguard::kRoutes, goldenguard::kApproaches, goldenguard::kStrikes);
SLV_REGISTER_ACTOR(CBattleGoldenGuard, CBattleGoldenGuard::kDef.name);
