#include "battle/enemy/BattleArmoredBeasts.h"

namespace {
namespace armoredbeasts {

// The three blows: the start on the first only, each turned to the target
// once, pushing on, each hit frame resolving.
constexpr EnemyStrike Blow(int32_t code, int32_t next) {
  return {.code = code,
          .start = code == kActSpecialHit2,
          .facing = EnemyFacing::kFirstTicks,
          .drift = 0.2f,
          .end = next};
}
constexpr EnemyApproach kApproaches[] = {{.code = kActSpecialApproach2, .next = kActSpecialHit2}};
constexpr EnemyStrike kStrikes[] = {
    {.code = kActSpecialHit},
    Blow(kActSpecialHit2, kActSpecialHit3),
    Blow(kActSpecialHit3, kActSpecialHit4),
    Blow(kActSpecialHit4, kActWalkBack),
};
// Both charges stop within the reach less a fifth of it.
constexpr float kChargeMargin = 0.2f;

constexpr EnemyRow kBoarRows[] = {
    {.code = kActIdle, .base = 0, .mode = 2},
    {.code = kActApproach, .base = 8, .mode = 2},
    {.code = kActWalkBack, .base = 8, .mode = 2},
    {.code = kActSpecialApproach2, .base = 8, .mode = 2},
    {.code = kActRunUp, .base = 8, .mode = 2, .sheet = EnemySheet::kKeep},
    {.code = kActAttack, .base = 16},
    {.code = kActDamageLight, .base = 4, .wave = "멧돼지데미지.wav"},
    {.code = kActDying, .wave = "멧돼지죽음.wav", .toBase = true},
    {.code = kActSpecialHit, .base = 20, .hop = -1.7f},
    {.code = kActSpecialHit2, .base = 20},
    {.code = kActSpecialHit3, .base = 20},
    {.code = kActSpecialHit4, .base = 20},
    {.code = kActDig, .base = 12, .mode = 2, .wave = "멧돼지땅파기.wav"},
    {.code = kActCharge, .base = 16, .mode = 2, .wave = "멧돼지돌격.wav"},
};
constexpr EnemyRouteCase kBoarPicks[] = {{23, kActSpecialApproach2}};
constexpr EnemyRoute kBoarRoutes[] = {{.code = kActSpecialSkill, .cases = kBoarPicks, .otherwise = kActDig}};
constexpr EnemyWindUp kBoarWindUps[] = {{.code = kActDig, .next = kActRunUp, .afterTick = 95, .trail = true}};
constexpr EnemyRush kBoarRushes[] = {
    {.speed = 1.2f, .reachFactor = 2.0f, .next = kActCharge, .gaugeOnGiveUp = true, .code = kActRunUp},
    {.margin = kChargeMargin, .code = kActCharge},
};

constexpr EnemySheet kOwn = EnemySheet::kKeep;
constexpr EnemyRow kHedgehogRows[] = {
    {.code = kActIdle, .base = 0, .mode = 2, .sheet = kOwn, .evenBase = 20},
    {.code = kActApproach, .base = 8, .mode = 2, .sheet = kOwn},
    {.code = kActWalkBack, .base = 8, .mode = 2, .sheet = kOwn},
    {.code = kActAttack, .base = 16, .sheet = kOwn, .hop = -1.7f},
    {.code = kActDamageLight, .base = 4, .sheet = kOwn, .wave = "고슴도치데미지.wav"},
    {.code = kActDying, .wave = "고슴도치죽음.wav", .toBase = true},
    {.code = kActSpecialHit, .base = 16, .hop = -1.7f},
    {.code = kActSpecialHit2, .base = 16, .hop = -1.7f},
    {.code = kActSpecialHit3, .base = 16, .hop = -1.7f},
    {.code = kActSpecialHit4, .base = 16, .hop = -1.7f},
    {.code = kActSpecialApproach2, .base = 8},
    {.code = kActCharge, .base = 16, .mode = 2, .hop = -1.0f},
    {.code = kActCurl, .base = 12},
};
constexpr EnemyRouteCase kHedgehogPicks[] = {{24, kActCurl}};
constexpr EnemyRoute kHedgehogRoutes[] = {
    {.code = kActSpecialSkill, .cases = kHedgehogPicks, .otherwise = kActSpecialApproach2}};
constexpr EnemyWindUp kHedgehogWindUps[] = {{.code = kActCurl, .next = kActCharge, .afterTick = 75}};
constexpr EnemyRush kHedgehogRushes[] = {{.hop = true, .margin = kChargeMargin, .code = kActCharge}};

}  // namespace armoredbeasts
}  // namespace

const EnemyKindDef CBattleArmorBoar::kDef{
    .name = "갑옷멧돼지",
    .rows = armoredbeasts::kBoarRows,
    .routes = armoredbeasts::kBoarRoutes,
    .approaches = armoredbeasts::kApproaches,
    .strikes = armoredbeasts::kStrikes,
    .windUps = armoredbeasts::kBoarWindUps,
    .rushes = armoredbeasts::kBoarRushes,
};
const EnemyKindDef CBattleHelmetHedgehog::kDef{
    .name = "투구고슴도치",
    .rows = armoredbeasts::kHedgehogRows,
    .routes = armoredbeasts::kHedgehogRoutes,
    .approaches = armoredbeasts::kApproaches,
    .strikes = armoredbeasts::kStrikes,
    .windUps = armoredbeasts::kHedgehogWindUps,
    .rushes = armoredbeasts::kHedgehogRushes,
};
SLV_REGISTER_ACTOR(CBattleArmorBoar, CBattleArmorBoar::kDef.name);
SLV_REGISTER_ACTOR(CBattleHelmetHedgehog, CBattleHelmetHedgehog::kDef.name);
