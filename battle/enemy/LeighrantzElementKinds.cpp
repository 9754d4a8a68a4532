// Leighrantz's and the elementals' tables on the boss blocks.
#include "battle/enemy/LeighrantzElementKinds.h"

#include <array>

namespace {
namespace leighrantzelement {

using namespace bossblocks;

// ---- Leighrantz: idles at half speed, casts by the magic it casts ----

constexpr EnemyRow kLeighrantzRows[] = {
    Loop(kActIdle, 0, 16),        Once(kActAttack, 12),           Once(kActDamageLight, 16),
    Loop(kActSpecialApproach, 4), Loop(kActSpecialApproach2, 4), Once(kActSpecialHit, 8),
    Once(kActSpecialHit2, 8),     Once(kActSpecialHit3, 12),
};
constexpr EnemyRouteCase kLeighrantzPicks[] = {{90, kActSpecialApproach}};
constexpr EnemyEffectCase kLeighrantzCasts[] = {{14, 241}, {31, 210}, {58, 258}};
constexpr EnemyRoute kLeighrantzRoutes[] = {
    {.code = kActSpecialSkill, .cases = kLeighrantzPicks, .otherwise = kActSpecialApproach2},
    CastOrder(210, kActSpecialHit3, kLeighrantzCasts),
};
constexpr EnemyApproach kLeighrantzApproaches[] = {
    {.code = kActSpecialApproach, .next = kActSpecialHit},
    {.code = kActSpecialApproach2, .next = kActSpecialHit2},
};
constexpr EnemyStrike kLeighrantzStrikes[] = {
    AtEnd(Strike(kActSpecialHit, kActWalkBack)),
    AtEnd(Strike(kActSpecialHit2, kActWalkBack)),
    Bare(kActSpecialHit3, kActIdle),
};

// ---- The elementals: the flourish with a skill's order, the cast with a
// magic's, both struck on one row where they stand ----

constexpr EnemyStrike kElementalStrikes[] = {Quiet(LockedWithTarget(Strike(kActSpecialHit, kActWalkBack))),
                                             Bare(kActSpecialHit2, kActIdle)};
constexpr EnemyKindDef Elemental(const char* name, std::span<const EnemyRow> rows, std::span<const EnemyRoute> routes) {
  return Boss(name, rows, routes, {}, kElementalStrikes);
}
// The fire kind's strikes leave hits to land.
constexpr EnemyKindDef Unlocked(EnemyKindDef def) {
  def.strikeLocks = false;
  return def;
}
constexpr std::array<EnemyRoute, 2> ElementalRoutes(int32_t cast) {
  return {AnnouncedOrder({}, kActSpecialHit), CastOrder(cast, kActSpecialHit2)};
}

constexpr EnemyRow kWindRows[] = {Once(kActSpecialHit, 8), Once(kActSpecialHit2, 8)};
constexpr auto kWindRoutes = ElementalRoutes(258);

// The water kind walks on its idle row and strikes on its blow's.
constexpr EnemyRow kWaterRows[] = {
    Loop(kActApproach, 0),   Loop(kActWalkBack, 0), Once(kActAttack, 4), Once(kActDamageLight, 8),
    Once(kActSpecialHit, 4), Once(kActSpecialHit2, 4),
};
constexpr auto kWaterRoutes = ElementalRoutes(241);

// The fire kind hovers on row 4, idle or moving.
constexpr EnemyRow kFireRows[] = {Loop(kActIdle, 4), Once(kActSpecialHit, 8), Once(kActSpecialHit2, 8)};
constexpr auto kFireRoutes = ElementalRoutes(227);

}  // namespace leighrantzelement
}  // namespace

constinit const EnemyKindDef CBattleLeighrantz::kDef =
    leighrantzelement::Boss("레이그란츠", leighrantzelement::kLeighrantzRows, leighrantzelement::kLeighrantzRoutes, leighrantzelement::kLeighrantzApproaches, leighrantzelement::kLeighrantzStrikes);
constinit const EnemyKindDef CBattleWindElementel::kDef = leighrantzelement::Elemental("윈드엘레멘탈", leighrantzelement::kWindRows, leighrantzelement::kWindRoutes);
constinit const EnemyKindDef CBattleWaterElementel::kDef = leighrantzelement::Elemental("워터엘레멘탈", leighrantzelement::kWaterRows, leighrantzelement::kWaterRoutes);
constinit const EnemyKindDef CBattleFireElement::kDef = leighrantzelement::Unlocked(leighrantzelement::Elemental("화이어엘레멘탈", leighrantzelement::kFireRows, leighrantzelement::kFireRoutes));
SLV_REGISTER_ACTOR(CBattleLeighrantz, CBattleLeighrantz::kDef.name);
SLV_REGISTER_ACTOR(CBattleWindElementel, CBattleWindElementel::kDef.name);
SLV_REGISTER_ACTOR(CBattleWaterElementel, CBattleWaterElementel::kDef.name);
SLV_REGISTER_ACTOR(CBattleFireElement, CBattleFireElement::kDef.name);
