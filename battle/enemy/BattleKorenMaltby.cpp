// Koren Maltby: two specials walked up to, and a charge that strikes every
// member it passes, then runs on through its target to where it stops.
#include "battle/enemy/MoreBossKinds.h"

namespace {
namespace korenmaltby {

using namespace bossblocks;

constexpr int32_t kOwnStart = 226;
constexpr float kChargeSpeed = 1.05f;
constexpr float kChargeReach = 20.0f;  // the run through starts below it
constexpr float kPassReach = 15.0f;    // members nearer are struck in passing
constexpr int32_t kRunTicks = 60;

constexpr EnemyRow kRows[] = {
    Loop(kActSpecialApproach, 4),
    Loop(kActSpecialApproach2, 4),
    Once(kActAttack, 8, 4),
    Once(kActSpecialHit, 8, 4),
    Once(kActSpecialHit2, 8, 4),
    Once(kActSpecialHit3, 4, 4),
    Loop(kActSpecialApproach3, 4, 4),
};
constexpr EnemyRouteCase kPicks[] = {
    {27, kActSpecialApproach}, {30, kActSpecialApproach2}, {68, kActSpecialApproach3}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach3}};
constexpr EnemyApproach kApproaches[] = {
    {.code = kActSpecialApproach, .next = kActSpecialHit},
    {.code = kActSpecialApproach2, .next = kActSpecialHit2},
    // The charge never gives up.
    {.code = kActSpecialApproach3,
     .factor = kChargeSpeed,
     .next = kActSpecialHit3,
     .start = true,
     .distance = kChargeReach,
     .sweepEvery = 4,
     .sweepReach = kPassReach},
};
constexpr EnemyStrike Announced(EnemyStrike s) {
  s.trailBeforeStart = true;
  return s;
}
constexpr EnemyStrike kStrikes[] = {
    Announced(Strike(kActSpecialHit, kActWalkBack)),
    Announced(Index(Strike(kActSpecialHit2, kActWalkBack), 1)),
    // The run through: struck once as it starts, then on along the
    // heading the charge left until it stops where it is.
    {.code = kActSpecialHit3,
     .start = false,
     .facing = EnemyFacing::kNone,
     .drift = kChargeSpeed,
     .hitKind = 2,
     .hitLock = kLock,
     .end = kActIdle,
     .endTick = kRunTicks,
     .resolveOnFirstTick = true,
     .endsOnLanding = false},
};

constexpr EnemyKindDef Def() {
  EnemyKindDef def = Boss("코렌_몰트비", kRows, kRoutes, kApproaches, kStrikes);
  def.startEffect = kOwnStart;
  return def;
}

}  // namespace korenmaltby
}  // namespace

constinit const EnemyKindDef CBattleKorenMaltby::kDef = korenmaltby::Def();
SLV_REGISTER_ACTOR(CBattleKorenMaltby, CBattleKorenMaltby::kDef.name);
