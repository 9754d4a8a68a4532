#include "battle/enemy/BattleHedgehog.h"

namespace {
namespace hedgehog {

constexpr EnemySheet kOwn = EnemySheet::kKeep;
constexpr EnemyRow kRows[] = {
    {.code = kActIdle, .base = 0, .mode = 2, .sheet = kOwn, .evenBase = 20},
    {.code = kActAttack, .base = 16, .sheet = kOwn, .hop = -1.7f},
    {.code = kActCharge, .base = 16, .mode = 2, .sheet = kOwn, .hop = -1.0f},
    {.code = kActCurl, .base = 12, .sheet = kOwn},
    // The gore plays once, as the helmet hedgehog's: left on the rolling
    // loop it would never end, and the hedgehog would never act again.
    {.code = kActSpecialHit, .base = 16, .sheet = kOwn},
    {.code = kActDamageLight, .wave = "고슴도치데미지.wav", .toBase = true},
    {.code = kActDying, .wave = "고슴도치죽음.wav", .toBase = true},
};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .otherwise = kActCurl}};
constexpr EnemyStrike kStrikes[] = {
    {.code = kActAttack,
     .start = false,
     .trail = EnemyTrail::kNone,
     .facing = EnemyFacing::kNone,
     .drift = 1.5f,
     .resolve = EnemyResolve::kWeapon,
     .needsTarget = false},
};
constexpr EnemyWindUp kWindUps[] = {{.code = kActCurl, .next = kActCharge, .afterTick = 75}};
constexpr EnemyRush kRushes[] = {{.hop = true, .code = kActCharge}};

}  // namespace hedgehog
}  // namespace

const EnemyKindDef CBattleHedgehog::kDef{
    .name = "고슴도치",
    .rows = hedgehog::kRows,
    .routes = hedgehog::kRoutes,
    .strikes = hedgehog::kStrikes,
    .icon = {.sheetAction = 1},
    .windUps = hedgehog::kWindUps,
    .rushes = hedgehog::kRushes,
};
SLV_REGISTER_ACTOR(CBattleHedgehog, CBattleHedgehog::kDef.name);

int CBattleHedgehog::UpdateAction(int code) {
  switch (code) {
    case kActSpecialHit:
      UpdateGore(true);
      return 1;
    default:
      return TableEnemy::UpdateAction(code);
  }
}
