#include "battle/enemy/BattleSpider.h"

namespace {
namespace spider {

// Its dying is a row of its own: no death hook, no count.
constexpr EnemyRow kRows[] = {
    {.code = kActDamageLight, .base = 4, .mode = 2},
    {.code = kActDying, .base = 4, .mode = 2},
    {.code = kActSpecialApproach, .base = 8, .mode = 2},
    {.code = kActCrouch, .base = 12, .delay = 4},
    {.code = kActPounce, .base = 16, .hop = -1.2f},
    {.code = kActSpecialHit, .base = 16, .delay = 4, .hop = -1.2f},
};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .otherwise = kActSpecialApproach}};
constexpr EnemyApproach kApproaches[] = {{.code = kActSpecialApproach, .arrivalEffect = 1011}};
constexpr int32_t kLeapTicks = 22;
constexpr EnemyStrike kStrikes[] = {
    {.code = kActSpecialHit, .start = false, .facing = EnemyFacing::kNone, .endTick = kLeapTicks},
    {.code = kActPounce,
     .start = false,
     .trail = EnemyTrail::kNone,
     .facing = EnemyFacing::kNone,
     .drift = 1.5f,
     .resolve = EnemyResolve::kWeapon,
     .endTick = kLeapTicks,
     .needsTarget = false},
};

}  // namespace spider
}  // namespace

const EnemyKindDef CBattleSpider::kDef{
    .name = "독거미",
    .rows = spider::kRows,
    .routes = spider::kRoutes,
    .approaches = spider::kApproaches,
    .strikes = spider::kStrikes,
    .icon = {.sheetAction = 3},
};
SLV_REGISTER_ACTOR(CBattleSpider, CBattleSpider::kDef.name);

int CBattleSpider::UpdateAction(int code) {
  switch (code) {
    case kActApproach:
      UpdateApproach(kActCrouch);
      return 1;
    case kActCrouch:
      if (m_holdLast != 0) SetAction(kActPounce);
      return 1;
    default:
      return TableEnemy::UpdateAction(code);
  }
}
