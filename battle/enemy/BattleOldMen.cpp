// The six old men: one shape, told apart by the specials each has, the
// effect each casts with and one row. A cast is struck on row 16 where the
// old man stands; the old men 3 and 4 have only their cast.
#include "battle/enemy/MoreBossKinds.h"

namespace {
namespace oldmen {

using namespace bossblocks;

constexpr EnemyStrike kCast = Bare(kActSpecialHit2, kActIdle);

// 1: walks up for a skill, casts with 227.
constexpr EnemyRow kRows1[] = {Loop(kActSpecialApproach, 4), Once(kActSpecialHit, 8), Once(kActSpecialHit2, 16)};
constexpr EnemyRoute kRoutes1[] = {{.code = kActSpecialSkill, .otherwise = kActSpecialApproach},
                                   CastOrder(227, kActSpecialHit2)};
constexpr EnemyApproach kApproaches1[] = {{.code = kActSpecialApproach, .next = kActSpecialHit}};
constexpr EnemyStrike kStrikes1[] = {Strike(kActSpecialHit, kActWalkBack), kCast};

// 2: strikes at once from the order's flourish, casts with 241. Its walk
// to a fixed 10 stays, though no order of its own picks it.
constexpr EnemyRow kRows2[] = {Loop(kActSpecialApproach, 4), Once(kActSpecialHit, 8), Once(kActSpecialHit2, 16),
                               Once(kActSpecialHit3, 8)};
constexpr EnemyRouteCase kPicks2[] = {{89, kActSpecialHit}};
constexpr EnemyRoute kRoutes2[] = {AnnouncedOrder(kPicks2, kActSpecialHit3), CastOrder(241, kActSpecialHit2)};
constexpr EnemyApproach kApproaches2[] = {{.code = kActSpecialApproach, .next = kActSpecialHit, .distance = 10.0f}};
constexpr EnemyStrike kStrikes2[] = {Quiet(Strike(kActSpecialHit, kActWalkBack)), kCast,
                                     Quiet(LockedWithTarget(Strike(kActSpecialHit3, kActWalkBack)))};

// 3 and 4: the cast alone, with 258 or 210.
constexpr EnemyRow kCastRows[] = {Once(kActSpecialHit, 16)};
constexpr EnemyStrike kCastStrikes[] = {Bare(kActSpecialHit, kActIdle)};
constexpr EnemyRoute kRoutes3[] = {CastOrder(258, kActSpecialHit)};
constexpr EnemyRoute kRoutes4[] = {CastOrder(210, kActSpecialHit)};

// 5: four walks to four blows, no cast.
constexpr EnemyRow kRows5[] = {
    Loop(kActSpecialApproach, 4), Loop(kActSpecialApproach2, 4), Loop(kActSpecialApproach3, 4),
    Loop(kActSpecialApproach4, 4), Once(kActSpecialHit, 8),       Once(kActSpecialHit2, 8),
    Once(kActSpecialHit3, 8),      Once(kActSpecialHit4, 8),
};
constexpr EnemyRouteCase kPicks5[] = {
    {36, kActSpecialApproach}, {37, kActSpecialApproach2}, {34, kActSpecialApproach3}, {35, kActSpecialApproach4}};
constexpr EnemyRoute kRoutes5[] = {{.code = kActSpecialSkill, .cases = kPicks5, .otherwise = kActSpecialApproach4}};
constexpr EnemyApproach kApproaches5[] = {
    {.code = kActSpecialApproach, .next = kActSpecialHit},
    {.code = kActSpecialApproach2, .next = kActSpecialHit2},
    {.code = kActSpecialApproach3, .next = kActSpecialHit3},
    {.code = kActSpecialApproach4, .next = kActSpecialHit4},
};
constexpr EnemyStrike kStrikes5[] = {
    Strike(kActSpecialHit, kActWalkBack),
    LockedWithTarget(Strike(kActSpecialHit2, kActWalkBack)),
    Strike(kActSpecialHit3, kActWalkBack),
    Strike(kActSpecialHit4, kActWalkBack),
};

// 6: one skill from where it stands, no cast.
constexpr EnemyRow kRows6[] = {Once(kActSpecialHit, 8)};
constexpr EnemyRoute kRoutes6[] = {AnnouncedOrder({}, kActSpecialHit)};
constexpr EnemyStrike kStrikes6[] = {Quiet(LockedWithTarget(Strike(kActSpecialHit, kActWalkBack)))};

}  // namespace oldmen
}  // namespace

constinit const EnemyKindDef CBattleOldMan1::kDef = oldmen::Boss("노인1", oldmen::kRows1, oldmen::kRoutes1, oldmen::kApproaches1, oldmen::kStrikes1);
constinit const EnemyKindDef CBattleOldMan2::kDef = oldmen::Boss("노인2", oldmen::kRows2, oldmen::kRoutes2, oldmen::kApproaches2, oldmen::kStrikes2);
constinit const EnemyKindDef CBattleOldMan3::kDef = oldmen::Boss("노인3", oldmen::kCastRows, oldmen::kRoutes3, {}, oldmen::kCastStrikes);
constinit const EnemyKindDef CBattleOldMan4::kDef = oldmen::Boss("노인4", oldmen::kCastRows, oldmen::kRoutes4, {}, oldmen::kCastStrikes);
constinit const EnemyKindDef CBattleOldMan5::kDef = oldmen::Boss("노인5", oldmen::kRows5, oldmen::kRoutes5, oldmen::kApproaches5, oldmen::kStrikes5);
constinit const EnemyKindDef CBattleOldMan6::kDef = oldmen::Boss("노인6", oldmen::kRows6, oldmen::kRoutes6, {}, oldmen::kStrikes6);
SLV_REGISTER_ACTOR(CBattleOldMan1, CBattleOldMan1::kDef.name);
SLV_REGISTER_ACTOR(CBattleOldMan2, CBattleOldMan2::kDef.name);
SLV_REGISTER_ACTOR(CBattleOldMan3, CBattleOldMan3::kDef.name);
SLV_REGISTER_ACTOR(CBattleOldMan4, CBattleOldMan4::kDef.name);
SLV_REGISTER_ACTOR(CBattleOldMan5, CBattleOldMan5::kDef.name);
SLV_REGISTER_ACTOR(CBattleOldMan6, CBattleOldMan6::kDef.name);
