#include "battle/enemy/BattleNinJa.h"

namespace {
namespace ninja {

using ninjablocks::Cut;

constexpr EnemySheet kOwn = EnemySheet::kKeep;
constexpr EnemyRow kRows[] = {
    {.code = kActIdle, .base = 0, .mode = 2, .sheet = kOwn},
    {.code = kActApproach, .base = 4, .mode = 2, .sheet = kOwn},
    {.code = kActWalkBack, .base = 4, .mode = 2, .sheet = kOwn},
    {.code = kActSpecialApproach2, .base = 4, .mode = 2},
    {.code = kActSpecialApproach3, .base = 4, .mode = 2},
    {.code = kActAttack, .base = 8, .sheet = kOwn},
    {.code = kActDamageLight, .base = 12, .sheet = kOwn},
    {.code = kActSpecialHit, .base = 8},
    {.code = kActSpecialHit2, .base = 0, .delay = 16},
    {.code = kActSpecialHit3, .base = 8},
    {.code = kActSpecialHit4, .base = 8},
    {.code = kActSpecialHit5, .base = 8},
};
constexpr EnemyRouteCase kPicks[] = {
    {23, kActSpecialApproach3}, {69, kActSpecialHit}, {76, kActSpecialApproach2}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach2}};
constexpr EnemyApproach kApproaches[] = {
    ninjablocks::kApproach,
    {.code = kActSpecialApproach2, .factor = 1.0f, .next = kActSpecialHit2},
    {.code = kActSpecialApproach3, .next = kActSpecialHit3, .distance = ninjablocks::kCloseIn},
};
constexpr EnemyStrike kStrikes[] = {
    ninjablocks::kLunge,
    {.code = kActSpecialHit, .trail = EnemyTrail::kNone},
    // The finishing strike lands as its last frame holds.
    {.code = kActSpecialHit2, .resolveAtEnd = true},
    Cut(kActSpecialHit3, kActSpecialHit4),
    Cut(kActSpecialHit4, kActSpecialHit5),
    Cut(kActSpecialHit5, kActWalkBack),
};

}  // namespace ninja
}  // namespace

const EnemyKindDef CBattleNinJa::kDef{
    .name = "닌자", .rows = ninja::kRows, .routes = ninja::kRoutes, .approaches = ninja::kApproaches, .strikes = ninja::kStrikes};
SLV_REGISTER_ACTOR(CBattleNinJa, CBattleNinJa::kDef.name);
