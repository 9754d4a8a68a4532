// Ovrel Timbane: five walks up to a strike each, one of them a chain he
// slides on through, another knocking hard on every hit frame; blows from
// idle for his gauge.
#include "battle/enemy/BossKindsVerunak.h"

namespace {
namespace ovreltimbane {

using namespace bossblocks;

constexpr float kSlide = 0.2f;

constexpr EnemyRow kRows[] = {
    Loop(kActIdle, 0),
    Loop(kActApproach, 4),
    Loop(kActWalkBack, 4),
    Once(kActAttack, 8),
    Once(kActDamageLight, 12),
    Once(kActSpecialHit, 4, 4),
    Once(kActSpecialHit5, 4, 4),
    Once(kActSpecialHit2, 8, 4),
    Once(kActSkillHit1, 8, 4),
    Once(kActSkillHit2, 8, 4),
    Once(kActSpecialHit3, 8),
    Once(kActSpecialHit4, 0, 4),
    Loop(kActSpecialApproach, 4),
    Loop(kActSpecialApproach2, 4),
    Loop(kActSpecialApproach3, 4),
    Loop(kActSpecialApproach4, 4),
    Loop(kActSpecialApproach5, 4),
};
constexpr EnemyRouteCase kPicks[] = {{16, kActSpecialApproach3},
                                     {23, kActSpecialApproach2},
                                     {36, kActSpecialApproach4},
                                     {57, kActSpecialApproach5},
                                     {76, kActSpecialApproach}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach5}};
constexpr EnemyApproach kApproaches[] = {
    {.code = kActSpecialApproach, .next = kActSpecialHit},   {.code = kActSpecialApproach2, .next = kActSpecialHit2},
    {.code = kActSpecialApproach3, .next = kActSpecialHit3}, {.code = kActSpecialApproach4, .next = kActSpecialHit4},
    {.code = kActSpecialApproach5, .next = kActSpecialHit5},
};
constexpr EnemyStrike kStrikes[] = {
    // His first strike alone leaves him open.
    AtEnd({.code = kActSpecialHit}),
    ChainHead(Lunge(Strike(kActSpecialHit2, kActSkillHit1), kSlide)),
    Chained(Lunge(Strike(kActSkillHit1, kActSkillHit2), kSlide)),
    Chained(Lunge(Strike(kActSkillHit2, kActWalkBack), kSlide)),
    Index(Strike(kActSpecialHit3, kActWalkBack), 2),
    AtEnd(Strike(kActSpecialHit4, kActWalkBack)),
    AtEnd(Strike(kActSpecialHit5, kActWalkBack)),
};

}  // namespace ovreltimbane
}  // namespace

const EnemyKindDef CBattleOvrelTimbane::kDef{
    .name = "오브렐_팀베인",
    .rows = ovreltimbane::kRows,
    .routes = ovreltimbane::kRoutes,
    .approaches = ovreltimbane::kApproaches,
    .strikes = ovreltimbane::kStrikes,
    .idleStrike = true,
};
SLV_REGISTER_ACTOR(CBattleOvrelTimbane, CBattleOvrelTimbane::kDef.name);
