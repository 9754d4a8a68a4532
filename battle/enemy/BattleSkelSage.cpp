// The skeleton sage: a caster. Its magic is cast where it stands and ends
// idle; its special strikes and walks back.
#include "battle/enemy/EnemyKindsThird.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace skelsage {

constexpr int32_t kCastEffect = 258;
constexpr int32_t kCastPause = 50;
constexpr EnemyRow kRows[] = {enemyrows::Blow(kActSpecialHit), enemyrows::Blow(kActSpecialHit3)};
constexpr EnemyRoute kRoutes[] = {
    {.code = kActCastMagic, .otherwise = kActSpecialHit, .startEffect = kCastEffect, .startPause = kCastPause},
    {.code = kActSpecialSkill, .otherwise = kActSpecialHit3, .startEffect = 1011},
};
constexpr EnemyStrike kStrikes[] = {
    {.code = kActSpecialHit, .start = false, .trail = EnemyTrail::kNone, .end = kActIdle},
    {.code = kActSpecialHit3, .start = false},
};

}  // namespace skelsage
}  // namespace

const EnemyKindDef CBattleSkelSage::kDef{
    .name = "스켈세이지",
    .rows = skelsage::kRows,
    .layout = enemyrows::kStandard,
    .routes = skelsage::kRoutes,
    .strikes = skelsage::kStrikes,
};
SLV_REGISTER_ACTOR(CBattleSkelSage, CBattleSkelSage::kDef.name);
