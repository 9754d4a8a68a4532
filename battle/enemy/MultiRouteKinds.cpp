// The several-route kinds' tables. Every row not marked for the special
// sheet shows the slot's own.
#include "battle/enemy/MultiRouteKinds.h"

#include "battle/enemy/BattleNinJa.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace multiroute {

using enemyrows::Blow;
using enemyrows::kSpecialSheetStrike;
using enemyrows::kStandard;
using enemyrows::Walk;

// A strike ending where it began.
constexpr EnemyStrike Staying(int32_t code) { return {.code = code, .end = kActIdle}; }

// ---- The assassin ----

// The dash: no trail, no hit frame; the special lands as it comes within 10.
constexpr float kDashReach = 10.0f;
constexpr EnemyRow kAssassinRows[] = {
    {.code = kActSpecialApproach, .base = 4, .delay = 4, .mode = 2},
    Walk(kActSpecialApproach2), Walk(kActSpecialApproach3), Walk(kActSpecialApproach4),
    Blow(kActSpecialHit2),      Blow(kActSpecialHit3),      Blow(kActSpecialHit4),
};
constexpr EnemyRouteCase kAssassinPicks[] = {
    {27, kActSpecialApproach2}, {69, kActSpecialHit3}, {77, kActSpecialApproach4}};
constexpr EnemyRoute kAssassinRoutes[] = {
    {.code = kActSpecialSkill, .cases = kAssassinPicks, .otherwise = kActSpecialApproach}};
constexpr EnemyApproach kAssassinApproaches[] = {
    ninjablocks::kApproach,
    {.code = kActSpecialApproach,
     .next = kActWalkBack,
     .trail = false,
     .start = true,
     .distance = kDashReach,
     .arrival = EnemyResolve::kSpecial},
    {.code = kActSpecialApproach2, .next = kActSpecialHit2},
    {.code = kActSpecialApproach4, .next = kActSpecialHit4},
};
constexpr EnemyStrike kAssassinStrikes[] = {
    ninjablocks::kLunge,
    // It leaves the battle unpaid...
    {.code = kActSpecialHit2, .end = kActLeave},
    {.code = kActSpecialHit3, .trail = EnemyTrail::kNone},
    // ...or, holding its last frame past tick 60, falls and pays.
    {.code = kActSpecialHit4, .end = kActDefeated, .holdPast = 60},
};

// ---- The evil sage: fast walks, strikes on its special sheet ----

constexpr EnemyRow kEvilSageRows[] = {
    kSpecialSheetStrike,
    {.code = kActSpecialHit2, .base = 0, .sheet = EnemySheet::kSpecial},
    {.code = kActSpecialHit3, .base = 4},
    Walk(kActSpecialApproach),
    Walk(kActSpecialApproach2),
};
constexpr EnemyRouteCase kEvilSagePicks[] = {
    {25, kActSpecialApproach}, {27, kActSpecialApproach2}, {43, kActSpecialHit3}};
constexpr EnemyRoute kEvilSageRoutes[] = {
    {.code = kActSpecialSkill, .cases = kEvilSagePicks, .otherwise = kActSpecialApproach}};
constexpr float kSageSpeed = 2.1f;
constexpr EnemyApproach kEvilSageApproaches[] = {
    {.code = kActSpecialApproach, .factor = kSageSpeed, .next = kActSpecialHit},
    {.code = kActSpecialApproach2, .factor = kSageSpeed, .next = kActSpecialHit2},
};
constexpr EnemyStrike kEvilSageStrikes[] = {{.code = kActSpecialHit}, {.code = kActSpecialHit2}, Staying(kActSpecialHit3)};

// ---- The death master ----

constexpr EnemyRow kDeathMasterRows[] = {
    Walk(kActSpecialApproach2), Walk(kActSpecialApproach3), Blow(kActSpecialHit), Blow(kActSpecialHit2),
    Blow(kActSpecialHit3),
};
constexpr EnemyRouteCase kDeathMasterPicks[] = {
    {25, kActSpecialApproach3}, {27, kActSpecialApproach2}, {44, kActSpecialHit}};
constexpr EnemyRoute kDeathMasterRoutes[] = {
    {.code = kActSpecialSkill, .cases = kDeathMasterPicks, .otherwise = kActSpecialApproach3}};
constexpr EnemyApproach kDeathMasterApproaches[] = {
    {.code = kActSpecialApproach2, .next = kActSpecialHit2},
    {.code = kActSpecialApproach3, .next = kActSpecialHit3},
};
constexpr EnemyStrike kDeathMasterStrikes[] = {
    Staying(kActSpecialHit), {.code = kActSpecialHit2}, {.code = kActSpecialHit3}};

// ---- The hyper stone: it charges through its strikes ----

// A ninja's cut with the flourish: turned once, flying on at 0.4.
constexpr EnemyStrike Charging(int32_t code, int32_t hitKind = 0) {
  EnemyStrike strike = ninjablocks::Cut(code, kActWalkBack);
  strike.start = true;
  strike.hitKind = hitKind;
  return strike;
}
constexpr EnemyRow kHyperStonRows[] = {
    Walk(kActSpecialApproach),
    Walk(kActSpecialApproach2),
    {.code = kActSpecialHit, .base = 8, .delay = 4},
    {.code = kActSpecialHit2, .base = 8, .delay = 4},
};
constexpr EnemyRouteCase kHyperStonPicks[] = {{10, kActSpecialApproach2}};
constexpr EnemyRoute kHyperStonRoutes[] = {
    {.code = kActSpecialSkill, .cases = kHyperStonPicks, .otherwise = kActSpecialApproach}};
constexpr EnemyApproach kHyperStonApproaches[] = {
    {.code = kActSpecialApproach, .next = kActSpecialHit},
    {.code = kActSpecialApproach2, .next = kActSpecialHit2},
};
constexpr EnemyStrike kHyperStonStrikes[] = {Charging(kActSpecialHit), Charging(kActSpecialHit2, 1)};

// ---- The queen bee: it flies on its idle row and attacks on row 4 ----

constexpr EnemyRow kQueenBeeRows[] = {
    Walk(kActSpecialApproach),
    {.code = kActSpecialApproach2, .base = 0, .mode = 2},
    kSpecialSheetStrike,
    {.code = kActSpecialHit2, .base = 4},
};
constexpr EnemyRouteCase kQueenBeePicks[] = {{89, kActSpecialHit2}};
constexpr EnemyRoute kQueenBeeRoutes[] = {
    {.code = kActSpecialSkill, .cases = kQueenBeePicks, .otherwise = kActSpecialApproach}};
constexpr EnemyApproach kQueenBeeApproaches[] = {{.code = kActSpecialApproach, .next = kActSpecialHit}};
constexpr EnemyStrike kQueenBeeStrikes[] = {{.code = kActSpecialHit}, Staying(kActSpecialHit2)};

}  // namespace multiroute
}  // namespace

const EnemyKindDef CBattleAssassin::kDef{.name = "어세신",
                                         .rows = multiroute::kAssassinRows,
                                         .layout = multiroute::kStandard,
                                         .routes = multiroute::kAssassinRoutes,
                                         .approaches = multiroute::kAssassinApproaches,
                                         .strikes = multiroute::kAssassinStrikes};
const EnemyKindDef CBattleEvilSage::kDef{.name = "이블세이지",
                                         .specialFolder = enemyrows::kBeastFolder,
                                         .rows = multiroute::kEvilSageRows,
                                         .layout = multiroute::kStandard,
                                         .routes = multiroute::kEvilSageRoutes,
                                         .approaches = multiroute::kEvilSageApproaches,
                                         .strikes = multiroute::kEvilSageStrikes};
const EnemyKindDef CBattleDeathMaster::kDef{.name = "사신",
                                            .rows = multiroute::kDeathMasterRows,
                                            .layout = multiroute::kStandard,
                                            .routes = multiroute::kDeathMasterRoutes,
                                            .approaches = multiroute::kDeathMasterApproaches,
                                            .strikes = multiroute::kDeathMasterStrikes};
const EnemyKindDef CBattleHyperSton::kDef{.name = "하이퍼스톤",
                                          .rows = multiroute::kHyperStonRows,
                                          .layout = multiroute::kStandard,
                                          .routes = multiroute::kHyperStonRoutes,
                                          .approaches = multiroute::kHyperStonApproaches,
                                          .strikes = multiroute::kHyperStonStrikes};
const EnemyKindDef CBattleQueenBee::kDef{.name = "여왕벌",
                                         .specialFolder = enemyrows::kBeastFolder,
                                         .rows = multiroute::kQueenBeeRows,
                                         .layout = enemyrows::kHover,
                                         .routes = multiroute::kQueenBeeRoutes,
                                         .approaches = multiroute::kQueenBeeApproaches,
                                         .strikes = multiroute::kQueenBeeStrikes};

SLV_REGISTER_ACTOR(CBattleAssassin, CBattleAssassin::kDef.name);
SLV_REGISTER_ACTOR(CBattleEvilSage, CBattleEvilSage::kDef.name);
SLV_REGISTER_ACTOR(CBattleDeathMaster, CBattleDeathMaster::kDef.name);
SLV_REGISTER_ACTOR(CBattleHyperSton, CBattleHyperSton::kDef.name);
SLV_REGISTER_ACTOR(CBattleQueenBee, CBattleQueenBee::kDef.name);
