// The Arbiters' Heritage: the head's table, which its subordinate shares
// without the boss's blocks, and the illusion's rows. The three never
// refer to one another; a battle set places them together.
#include "battle/enemy/BossKinds.h"

namespace {
namespace arbitersheritage {

using namespace bossblocks;

constexpr EnemyRow kRows[] = {
    Loop(kActIdle, 0, 16),     Loop(kActApproach, 4),        Loop(kActWalkBack, 4),
    Loop(kActSpecialApproach, 4), Loop(kActSpecialApproach2, 4), Loop(kActSpecialApproach3, 4),
    Once(kActAttack, 8),       Once(kActSpecialHit2, 8),     Once(kActSpecialHit3, 8),
    Once(kActSpecialHit4, 8),  Once(kActSpecialHit5, 8),     Once(kActSkillHit1, 8),
    Once(kActSkillHit2, 8),    Once(kActSkillHit3, 8),       Once(kActDamageLight, 16),
    Once(kActSpecialHit, 12),
};
constexpr EnemyRouteCase kPicks[] = {
    {22, kActSpecialApproach2}, {23, kActSpecialApproach3}, {76, kActSpecialApproach}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach}};
constexpr EnemyApproach kApproaches[] = {
    {.code = kActSpecialApproach, .next = kActSpecialHit},
    {.code = kActSpecialApproach2, .next = kActSpecialHit2},
    {.code = kActSpecialApproach3, .next = kActSpecialHit3},
};
// The first special is not locked: a hit breaks it.
constexpr EnemyStrike kStrikes[] = {
    {.code = kActSpecialHit, .resolveAtEnd = true},
    Lunge(Strike(kActSpecialHit2, kActSkillHit1), 0.3f),
    Chained(LockedWithTarget(Lunge(Strike(kActSkillHit1, kActSkillHit2), 0.3f))),
    Chained(LockedWithTarget(Lunge(Strike(kActSkillHit2, kActSkillHit3), 0.3f))),
    Chained(LockedWithTarget(Lunge(Strike(kActSkillHit3, kActWalkBack), 0.3f))),
    Lunge(Strike(kActSpecialHit3, kActSpecialHit4), 0.2f),
    Chained(Lunge(Strike(kActSpecialHit4, kActSpecialHit5), 0.2f)),
    Chained(Lunge(Strike(kActSpecialHit5, kActWalkBack), 0.2f)),
};
constexpr EnemyKindDef kHead{
    .name = "아비터스_헤리티지_두목",
    .rows = kRows,
    .routes = kRoutes,
    .approaches = kApproaches,
    .strikes = kStrikes,
    .idleStrike = true,
};

constexpr EnemyRow kIllusionRows[] = {
    Loop(kActIdle, 0, 16), Loop(kActApproach, 4), Loop(kActWalkBack, 4), Once(kActAttack, 8), Once(kActDamageLight, 16),
};

}  // namespace arbitersheritage
}  // namespace

const EnemyKindDef CBattleArbitersHeritage01::kDef = arbitersheritage::kHead;
const EnemyKindDef CBattleArbitersHeritage02::kDef = arbitersheritage::WithoutBossBlocks(arbitersheritage::kHead, "아비터스_헤리티지_부하");
const EnemyKindDef CBattleArbitersHeritage03::kDef{.name = "아비터스_헤리티지_환영", .rows = arbitersheritage::kIllusionRows};
SLV_REGISTER_ACTOR(CBattleArbitersHeritage01, CBattleArbitersHeritage01::kDef.name);
SLV_REGISTER_ACTOR(CBattleArbitersHeritage02, CBattleArbitersHeritage02::kDef.name);
SLV_REGISTER_ACTOR(CBattleArbitersHeritage03, CBattleArbitersHeritage03::kDef.name);
