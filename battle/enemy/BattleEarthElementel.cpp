// The earth elemental's table: quick blows, and spell and special both
// struck where it stands on its special sheet, locked against hits.
#include "battle/enemy/BattleEarthElementel.h"

#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace earthelementel {

using namespace secondrows;

constexpr int32_t kEarthStart = 210;
constexpr EnemyRow kRows[] = {
    Walk(kActIdle, 0),
    Walk(kActApproach),
    Walk(kActWalkBack),
    {.code = kActAttack, .base = 8, .delay = 4},
    Blow(kActDamageLight, 12),
    {.code = kActSpecialHit, .base = 0, .delay = 4, .sheet = EnemySheet::kSpecial},
    {.code = kActSpecialHit2, .base = 0, .delay = 4, .sheet = EnemySheet::kSpecial},
};
constexpr EnemyRoute kRoutes[] = {Straight(kActCastMagic, kActSpecialHit2, kEarthStart, kCastPause),
                                  Straight(kActSpecialSkill, kActSpecialHit)};
constexpr EnemyStrike kStrikes[] = {
    {.code = kActSpecialHit, .trail = EnemyTrail::kNone, .hitLock = 3, .end = kActIdle},
    {.code = kActSpecialHit2, .start = false, .trail = EnemyTrail::kNone, .hitLock = 3, .end = kActIdle},
};

}  // namespace earthelementel
}  // namespace

const EnemyKindDef CBattleEarthElementel::kDef{
    .name = "어스엘레멘탈",
    .specialFolder = earthelementel::kBeastFolder,
    .rows = earthelementel::kRows,
    .routes = earthelementel::kRoutes,
    .strikes = earthelementel::kStrikes,
    .idleStrike = true,
};
SLV_REGISTER_ACTOR(CBattleEarthElementel, CBattleEarthElementel::kDef.name);
