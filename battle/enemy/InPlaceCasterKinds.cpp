// The in-place casters' and the imp's tables. Every row shows the slot's
// sheet; every strike stays where it struck but the imp's walked-up one.
#include "battle/enemy/InPlaceCasterKinds.h"

#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace inplacecaster {

using enemyrows::Blow;
using enemyrows::kStandard;

constexpr int32_t kFlourish = 1011;
// The flourish comes with the order; the strikes have none of their own.
constexpr EnemyStrike Staying(int32_t code, bool atEnd = false) {
  return {.code = code, .start = false, .resolveAtEnd = atEnd, .end = kActIdle};
}

// ---- The veil dancer: two of its strikes land as their rows end ----

constexpr EnemyRow kDancerRows[] = {
    {.code = kActSpecialHit, .base = 4}, {.code = kActSpecialHit2, .base = 0}, Blow(kActSpecialHit3)};
constexpr EnemyRouteCase kDancerPicks[] = {{51, kActSpecialHit3}, {63, kActSpecialHit2}};
constexpr EnemyRoute kDancerRoutes[] = {
    {.code = kActSpecialSkill, .cases = kDancerPicks, .otherwise = kActSpecialHit, .startEffect = kFlourish}};
constexpr EnemyStrike kDancerStrikes[] = {
    Staying(kActSpecialHit, true), Staying(kActSpecialHit2, true), Staying(kActSpecialHit3)};

// ---- The revenant ----

constexpr EnemyRow kRevenantRows[] = {Blow(kActSpecialHit), Blow(kActSpecialHit2)};
constexpr EnemyRouteCase kRevenantPicks[] = {{47, kActSpecialHit2}};
constexpr EnemyRoute kRevenantRoutes[] = {
    {.code = kActSpecialSkill, .cases = kRevenantPicks, .otherwise = kActSpecialHit, .startEffect = kFlourish}};
constexpr EnemyStrike kRevenantStrikes[] = {Staying(kActSpecialHit), Staying(kActSpecialHit2)};

// ---- The imp flies on its idle row and attacks on row 4 ----

constexpr EnemyRow kImpRows[] = {
    {.code = kActSpecialApproach2, .base = 0, .mode = 2},
    {.code = kActSpecialHit, .base = 4},
    {.code = kActSpecialHit2, .base = 4},
};
constexpr EnemyRoute kImpRoutes[] = {
    {.code = kActCastMagic, .otherwise = kActSpecialHit, .startEffect = 258, .startPause = 50},
    {.code = kActSpecialSkill, .otherwise = kActSpecialApproach2},
};
constexpr EnemyApproach kImpApproaches[] = {{.code = kActSpecialApproach2, .next = kActSpecialHit2, .trail = false}};
constexpr EnemyStrike kImpStrikes[] = {
    {.code = kActSpecialHit, .start = false, .trail = EnemyTrail::kNone, .end = kActIdle},
    {.code = kActSpecialHit2, .trail = EnemyTrail::kNone},
};

}  // namespace inplacecaster
}  // namespace

const EnemyKindDef CBattleBDancer::kDef{.name = "베일댄서",
                                        .rows = inplacecaster::kDancerRows,
                                        .layout = inplacecaster::kStandard,
                                        .routes = inplacecaster::kDancerRoutes,
                                        .strikes = inplacecaster::kDancerStrikes};
const EnemyKindDef CBattleRevenant::kDef{.name = "레브넌트",
                                         .rows = inplacecaster::kRevenantRows,
                                         .layout = inplacecaster::kStandard,
                                         .routes = inplacecaster::kRevenantRoutes,
                                         .strikes = inplacecaster::kRevenantStrikes};
const EnemyKindDef CBattleImp::kDef{.name = "임프",
                                    .rows = inplacecaster::kImpRows,
                                    .layout = enemyrows::kHover,
                                    .routes = inplacecaster::kImpRoutes,
                                    .approaches = inplacecaster::kImpApproaches,
                                    .strikes = inplacecaster::kImpStrikes};

SLV_REGISTER_ACTOR(CBattleBDancer, CBattleBDancer::kDef.name);
SLV_REGISTER_ACTOR(CBattleRevenant, CBattleRevenant::kDef.name);
SLV_REGISTER_ACTOR(CBattleImp, CBattleImp::kDef.name);
