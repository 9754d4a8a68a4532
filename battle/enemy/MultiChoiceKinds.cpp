// The multi-special kinds' tables. Unless a table says otherwise a strike
// flourishes, trails, resolves on its hit frames and walks back.
#include "battle/enemy/MultiChoiceKinds.h"

#include "battle/enemy/BossKinds.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace multichoice {

using bossblocks::Loop;
using bossblocks::Once;
using enemyrows::Blow;
using enemyrows::kStandard;
using enemyrows::OnSpecialSheet;
using enemyrows::Walk;

constexpr EnemyApproach To(int32_t code, int32_t next, float factor = 0.7f) {
  return {.code = code, .factor = factor, .next = next};
}
constexpr EnemyStrike AtEnd(int32_t code, int32_t end = kActWalkBack) {
  return {.code = code, .resolveAtEnd = true, .end = end};
}
constexpr EnemyRoute Pick(std::span<const EnemyRouteCase> cases, int32_t otherwise) {
  return {.code = kActSpecialSkill, .cases = cases, .otherwise = otherwise};
}

// Three strikes as the rule; the three-way kinds walk up to each.
constexpr EnemyStrike kThreeStrikes[] = {{.code = kActSpecialHit}, {.code = kActSpecialHit2}, {.code = kActSpecialHit3}};
constexpr EnemyApproach kThreeApproaches[] = {
    To(kActSpecialApproach, kActSpecialHit), To(kActSpecialApproach2, kActSpecialHit2),
    To(kActSpecialApproach3, kActSpecialHit3)};
constexpr EnemyRow kThreeWalksAndBlows[] = {
    Walk(kActSpecialApproach), Walk(kActSpecialApproach2), Walk(kActSpecialApproach3),
    Blow(kActSpecialHit),      Blow(kActSpecialHit2),      Blow(kActSpecialHit3),
};

// ---- The apsaras: 91 and 94 where it stands, still walking back ----

constexpr EnemyRow kAqsaladRows[] = {
    Walk(kActSpecialApproach3), Blow(kActSpecialHit), Blow(kActSpecialHit2), Blow(kActSpecialHit3)};
constexpr EnemyRouteCase kAqsaladPicks[] = {
    {40, kActSpecialApproach3}, {91, kActSpecialHit2}, {94, kActSpecialHit}};
constexpr EnemyRoute kAqsaladRoutes[] = {Pick(kAqsaladPicks, kActSpecialApproach3)};
constexpr EnemyApproach kAqsaladApproaches[] = {To(kActSpecialApproach3, kActSpecialHit3)};

// ---- The killer spider walks on row 8, attacks on 12 and reels on 4 ----

constexpr EnemyRow kKillerSpiderRows[] = {
    Loop(kActIdle, 0),         Loop(kActApproach, 8),      Loop(kActWalkBack, 8),
    Once(kActAttack, 12),      Once(kActDamageLight, 4),   Loop(kActSpecialApproach, 8),
    Loop(kActSpecialApproach2, 8), Once(kActSpecialHit, 12), Once(kActSpecialHit2, 20),
};
constexpr EnemyRouteCase kKillerSpiderPicks[] = {{4, kActSpecialApproach2}};
constexpr EnemyRoute kKillerSpiderRoutes[] = {Pick(kKillerSpiderPicks, kActSpecialApproach)};
constexpr EnemyApproach kTwoApproaches[] = {
    To(kActSpecialApproach, kActSpecialHit), To(kActSpecialApproach2, kActSpecialHit2)};
constexpr EnemyStrike kTwoStrikes[] = {{.code = kActSpecialHit}, {.code = kActSpecialHit2}};

// ---- The freeze man glides on its idle row, fast ----

constexpr float kFreezeManSpeed = 2.8f;
constexpr EnemyRow kFreezeManRows[] = {
    Loop(kActIdle, 0),          Loop(kActApproach, 0),         Loop(kActWalkBack, 0),
    Once(kActAttack, 4),        Once(kActDamageLight, 8),      Loop(kActSpecialApproach, 0),
    Loop(kActSpecialApproach2, 0), Loop(kActSpecialApproach3, 0), Once(kActSpecialHit, 4),
    Once(kActSpecialHit2, 4),   Once(kActSpecialHit3, 4),
};
constexpr EnemyRouteCase kFreezeManPicks[] = {
    {12, kActSpecialApproach}, {13, kActSpecialApproach2}, {57, kActSpecialApproach3}};
constexpr EnemyRoute kFreezeManRoutes[] = {Pick(kFreezeManPicks, kActSpecialApproach3)};
constexpr EnemyApproach kFreezeManApproaches[] = {
    To(kActSpecialApproach, kActSpecialHit, kFreezeManSpeed), To(kActSpecialApproach2, kActSpecialHit2, kFreezeManSpeed),
    To(kActSpecialApproach3, kActSpecialHit3, kFreezeManSpeed)};

// ---- The nightmare illusion ----

constexpr EnemyRouteCase kNightmarePicks[] = {
    {37, kActSpecialApproach}, {39, kActSpecialApproach2}, {43, kActSpecialApproach3}};
constexpr EnemyRoute kNightmareRoutes[] = {Pick(kNightmarePicks, kActSpecialApproach3)};

// ---- The fale hard: walks played once, held, still moving ----

constexpr EnemyRow kFaleHardRows[] = {
    Once(kActSpecialApproach, 12), Walk(kActSpecialApproach2, 0), Walk(kActSpecialApproach3, 0),
    OnSpecialSheet(kActSpecialHit), OnSpecialSheet(kActSpecialHit2), OnSpecialSheet(kActSpecialHit3),
};
constexpr EnemyRouteCase kFaleHardPicks[] = {
    {37, kActSpecialApproach2}, {38, kActSpecialApproach}, {61, kActSpecialApproach3}};
constexpr EnemyRoute kFaleHardRoutes[] = {Pick(kFaleHardPicks, kActSpecialApproach3)};

// ---- Nosferatu ----

// Its dash, which no special picks: flourishing, below a fixed 10 to the
// strike it makes where it stands. It has no row of its own.
constexpr float kDashReach = 10.0f;
constexpr EnemyRow kNosferatuRows[] = {
    Walk(kActSpecialApproach), OnSpecialSheet(kActSpecialHit), OnSpecialSheet(kActSpecialHit2),
    Once(kActSpecialHit3, 0)};
constexpr EnemyRouteCase kNosferatuPicks[] = {
    {4, kActSpecialApproach}, {51, kActSpecialHit3}, {84, kActSpecialHit2}};
constexpr EnemyRoute kNosferatuRoutes[] = {Pick(kNosferatuPicks, kActSpecialApproach)};
constexpr EnemyApproach kNosferatuApproaches[] = {
    To(kActSpecialApproach, kActSpecialHit, 2.1f),
    {.code = kActSpecialApproach3, .next = kActSpecialHit3, .start = true, .distance = kDashReach},
};
constexpr EnemyStrike kNosferatuStrikes[] = {
    {.code = kActSpecialHit},
    {.code = kActSpecialHit2, .trail = EnemyTrail::kNone, .end = kActIdle},
    {.code = kActSpecialHit3, .start = false, .resolveAtEnd = true},
};

// ---- The balrog ----

constexpr EnemyRow kBalrogRows[] = {
    Walk(kActSpecialApproach), Walk(kActSpecialApproach2), OnSpecialSheet(kActSpecialHit),
    Once(kActSpecialHit2, 0),  Once(kActSpecialHit3, 0)};
constexpr EnemyRouteCase kBalrogPicks[] = {
    {6, kActSpecialApproach2}, {46, kActSpecialHit3}, {61, kActSpecialApproach}};
constexpr EnemyRoute kBalrogRoutes[] = {Pick(kBalrogPicks, kActSpecialApproach2)};
constexpr EnemyStrike kBalrogStrikes[] = {{.code = kActSpecialHit}, AtEnd(kActSpecialHit2), AtEnd(kActSpecialHit3)};

}  // namespace multichoice
}  // namespace

const EnemyKindDef CBattleAqsalad::kDef{.name = "압사라스",
                                        .rows = multichoice::kAqsaladRows,
                                        .layout = multichoice::kStandard,
                                        .routes = multichoice::kAqsaladRoutes,
                                        .approaches = multichoice::kAqsaladApproaches,
                                        .strikes = multichoice::kThreeStrikes};
const EnemyKindDef CBattlekillerSpider::kDef{.name = "킬러스파이더",
                                             .rows = multichoice::kKillerSpiderRows,
                                             .routes = multichoice::kKillerSpiderRoutes,
                                             .approaches = multichoice::kTwoApproaches,
                                             .strikes = multichoice::kTwoStrikes};
const EnemyKindDef CBattleFreezeMan::kDef{.name = "빙암마인",
                                          .rows = multichoice::kFreezeManRows,
                                          .routes = multichoice::kFreezeManRoutes,
                                          .approaches = multichoice::kFreezeManApproaches,
                                          .strikes = multichoice::kThreeStrikes};
const EnemyKindDef CBattleNightmareIllusion::kDef{.name = "나이트메어일루젼",
                                                  .rows = multichoice::kThreeWalksAndBlows,
                                                  .layout = multichoice::kStandard,
                                                  .routes = multichoice::kNightmareRoutes,
                                                  .approaches = multichoice::kThreeApproaches,
                                                  .strikes = multichoice::kThreeStrikes};
const EnemyKindDef CBattleFaleHard::kDef{.name = "페일하드",
                                         .specialFolder = enemyrows::kBeastFolder,
                                         .rows = multichoice::kFaleHardRows,
                                         .layout = multichoice::kStandard,
                                         .routes = multichoice::kFaleHardRoutes,
                                         .approaches = multichoice::kThreeApproaches,
                                         .strikes = multichoice::kThreeStrikes};
const EnemyKindDef CBattleNosferatu::kDef{.name = "노스페라투",
                                          .specialFolder = enemyrows::kBeastFolder,
                                          .rows = multichoice::kNosferatuRows,
                                          .layout = multichoice::kStandard,
                                          .routes = multichoice::kNosferatuRoutes,
                                          .approaches = multichoice::kNosferatuApproaches,
                                          .strikes = multichoice::kNosferatuStrikes};
const EnemyKindDef CBattleBalrog::kDef{.name = "발로그",
                                       .specialFolder = enemyrows::kBeastFolder,
                                       .rows = multichoice::kBalrogRows,
                                       .layout = multichoice::kStandard,
                                       .routes = multichoice::kBalrogRoutes,
                                       .approaches = multichoice::kTwoApproaches,
                                       .strikes = multichoice::kBalrogStrikes};

SLV_REGISTER_ACTOR(CBattleAqsalad, CBattleAqsalad::kDef.name);
SLV_REGISTER_ACTOR(CBattlekillerSpider, CBattlekillerSpider::kDef.name);
SLV_REGISTER_ACTOR(CBattleFreezeMan, CBattleFreezeMan::kDef.name);
SLV_REGISTER_ACTOR(CBattleNightmareIllusion, CBattleNightmareIllusion::kDef.name);
SLV_REGISTER_ACTOR(CBattleFaleHard, CBattleFaleHard::kDef.name);
SLV_REGISTER_ACTOR(CBattleNosferatu, CBattleNosferatu::kDef.name);
SLV_REGISTER_ACTOR(CBattleBalrog, CBattleBalrog::kDef.name);
