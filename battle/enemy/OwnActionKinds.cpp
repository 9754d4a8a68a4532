// The own-action kinds' tables, and Gideon's burning reel.
#include "battle/enemy/OwnActionKinds.h"

#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace ownaction {

using enemyrows::Blow;
using enemyrows::kStandard;
using enemyrows::Walk;

constexpr int32_t kFlourish = 1011;
constexpr int32_t kTargetMark = 1019;
constexpr int32_t kReelBurn = 1025;

// ---- The succubus: the dancer's shape, its own picks ----

constexpr EnemyRow kSuccubusRows[] = {
    {.code = kActSpecialHit, .base = 4}, {.code = kActSpecialHit2, .base = 0}, Blow(kActSpecialHit3)};
constexpr EnemyRouteCase kSuccubusPicks[] = {{51, kActSpecialHit3}, {63, kActSpecialHit2}, {70, kActSpecialHit}};
constexpr EnemyRoute kSuccubusRoutes[] = {
    {.code = kActSpecialSkill, .cases = kSuccubusPicks, .otherwise = kActSpecialHit3, .startEffect = kFlourish}};
constexpr EnemyStrike kSuccubusStrikes[] = {
    {.code = kActSpecialHit, .start = false, .resolveAtEnd = true},
    {.code = kActSpecialHit2, .start = false, .resolveAtEnd = true},
    {.code = kActSpecialHit3, .start = false},
};

// ---- Gideon reels on its blow's row 12 from both hits ----

constexpr EnemyRow kGideonRows[] = {{.code = kActDamageHeavy, .base = 12}};

// ---- The mermaid lord: the order swings the blow and lands as it ends ----

constexpr EnemyRow kMermaidLordRows[] = {Blow(kActSpecialSkill)};
constexpr EnemyStrike kMermaidLordStrikes[] = {
    {.code = kActSpecialSkill, .resolveAtEnd = true, .end = kActIdle}};

// ---- The weapon attacks that mark their target ----

constexpr EnemyStrike kBatStrikes[] = {{.code = kActAttack,
                                        .start = false,
                                        .trail = EnemyTrail::kNone,
                                        .facing = EnemyFacing::kNone,
                                        .drift = 0.2f,
                                        .resolve = EnemyResolve::kWeapon,
                                        .targetEffect = kTargetMark}};

constexpr EnemyRow kHeapariRows[] = {Walk(kActSpecialApproach)};
constexpr EnemyStrike kHeapariStrikes[] = {{.code = kActAttack,
                                            .start = false,
                                            .trail = EnemyTrail::kNone,
                                            .facing = EnemyFacing::kNone,
                                            .resolve = EnemyResolve::kWeapon,
                                            .targetEffect = kTargetMark,
                                            .targetEffectNear = true}};

}  // namespace ownaction
}  // namespace

constinit const EnemyKindDef CBattleSacubus::kDef{.name = "서큐버스",
                                                  .rows = ownaction::kSuccubusRows,
                                                  .layout = ownaction::kStandard,
                                                  .routes = ownaction::kSuccubusRoutes,
                                                  .strikes = ownaction::kSuccubusStrikes};
constinit const EnemyKindDef CBattleGideon::kDef{.name = "기데온", .rows = ownaction::kGideonRows, .layout = ownaction::kStandard};
constinit const EnemyKindDef CBattleLittleMeamade2::kDef{
    .name = "머메이드_로드", .rows = ownaction::kMermaidLordRows, .layout = ownaction::kStandard, .strikes = ownaction::kMermaidLordStrikes};
constinit const EnemyKindDef CBattleBakGi::kDef{.name = "나선박쥐", .layout = ownaction::kStandard, .strikes = ownaction::kBatStrikes};
constinit const EnemyKindDef HeapariTable::kDef{.rows = ownaction::kHeapariRows, .layout = ownaction::kStandard, .strikes = ownaction::kHeapariStrikes};

int CBattleGideon::UpdateAction(int code) {
  if (code == kActDamageLight || code == kActDamageHeavy) SpawnEffect(ownaction::kReelBurn);
  return TableEnemy::UpdateAction(code);
}

SLV_REGISTER_ACTOR(CBattleSacubus, CBattleSacubus::kDef.name);
SLV_REGISTER_ACTOR(CBattleGideon, CBattleGideon::kDef.name);
SLV_REGISTER_ACTOR(CBattleLittleMeamade2, CBattleLittleMeamade2::kDef.name);
SLV_REGISTER_ACTOR(CBattleBakGi, CBattleBakGi::kDef.name);
SLV_REGISTER_ACTOR(CBattleHeapari1, "젤리피쉬");
SLV_REGISTER_ACTOR(CBattleHeapari2, "텐타클");
SLV_REGISTER_ACTOR(CBattleHeapari3, "크라켄");
