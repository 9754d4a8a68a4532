// Irsa Volmay and Behrman, who cast: Irsa strikes and stays where she
// struck, her weapon blow too; Behrman strikes the nearest member from
// idle, and walks up only for the special he has no other use for.
#include "battle/enemy/MoreBossKinds.h"

namespace {
namespace irsabehrman {

using namespace bossblocks;

// Irsa has no walk-back row of her own: she never walks back.
constexpr EnemyRow kIrsaRows[] = {
    Loop(kActIdle, 0),           Loop(kActApproach, 4),       Once(kActAttack, 8, 4),
    Once(kActSpecialHit, 8, 4),  Once(kActSpecialHit2, 8, 4), Once(kActSpecialHit3, 8, 4),
    Once(kActSpecialHit4, 8, 4), Once(kActSpecialHit5, 8, 4), Once(kActDamageLight, 0),
};
constexpr EnemyRouteCase kIrsaPicks[] = {{62, kActSpecialHit3}, {66, kActSpecialHit5}, {90, kActSpecialHit2}};
constexpr EnemyRoute kIrsaRoutes[] = {CastOrder(210, kActSpecialHit4), AnnouncedOrder(kIrsaPicks, kActSpecialHit)};
constexpr EnemyStrike kIrsaStrikes[] = {
    OwnBlow(0.0f, EnemyFacing::kNone, kActIdle), Bare(kActSpecialHit, kActIdle),  Bare(kActSpecialHit2, kActIdle),
    Bare(kActSpecialHit3, kActIdle),             Bare(kActSpecialHit4, kActIdle), Bare(kActSpecialHit5, kActIdle),
};

constexpr EnemyRow kBehrmanRows[] = {
    Loop(kActSpecialApproach4, 4), Once(kActSpecialHit, 8), Once(kActSpecialHit2, 8), Once(kActSpecialHit4, 8)};
constexpr EnemyRouteCase kBehrmanPicks[] = {{89, kActSpecialHit2}};
constexpr EnemyRoute kBehrmanRoutes[] = {
    CastOrder(227, kActSpecialHit),
    {.code = kActSpecialSkill, .cases = kBehrmanPicks, .otherwise = kActSpecialApproach4},
};
constexpr EnemyApproach kBehrmanApproaches[] = {{.code = kActSpecialApproach4, .next = kActSpecialHit4}};
constexpr EnemyStrike kBehrmanStrikes[] = {
    Bare(kActSpecialHit, kActIdle),
    NoTrail(Strike(kActSpecialHit2, kActIdle)),
    LockedWithTarget(Strike(kActSpecialHit4, kActWalkBack)),
};

}  // namespace irsabehrman
}  // namespace

constinit const EnemyKindDef CBattleIrsaVolmay::kDef{
    .name = "이르사_볼메이",
    .rows = irsabehrman::kIrsaRows,
    .routes = irsabehrman::kIrsaRoutes,
    .strikes = irsabehrman::kIrsaStrikes,
    .idleStrike = true,
    .hitImmunity = {.gaugeBonus = 15},
};
SLV_REGISTER_ACTOR(CBattleIrsaVolmay, CBattleIrsaVolmay::kDef.name);

constinit const EnemyKindDef CBattleBehrman::kDef =
    irsabehrman::NearestStrike(irsabehrman::Boss("베어먼", irsabehrman::kBehrmanRows, irsabehrman::kBehrmanRoutes, irsabehrman::kBehrmanApproaches, irsabehrman::kBehrmanStrikes), 8.0f);
SLV_REGISTER_ACTOR(CBattleBehrman, CBattleBehrman::kDef.name);
