// The casting and combo kinds' tables. A cast opens with its effect and the
// longer dimmed pause on the order's first tick and strikes bare in the
// same tick; the combo kinds' rows show the slot's sheet.
#include "battle/enemy/CastComboKinds.h"

#include "battle/enemy/BattleNinJa.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace castcombo {

using enemyrows::Blow;
using enemyrows::kStandard;
using enemyrows::OnSpecialSheet;
using enemyrows::Walk;

constexpr int32_t kCastPause = 50;
constexpr EnemyRoute Cast(int32_t effect, int32_t strike, std::span<const EnemyEffectCase> effects = {}) {
  return {.code = kActCastMagic, .otherwise = strike, .startEffect = effect, .startPause = kCastPause,
          .startEffects = effects};
}
// No flourish and no after-image.
constexpr EnemyStrike Bare(int32_t code, int32_t end) {
  return {.code = code, .start = false, .trail = EnemyTrail::kNone, .end = end};
}

// ---- The elder: every strike on its special sheet ----

constexpr EnemyRow kElderRows[] = {
    Walk(kActSpecialApproach), Walk(kActSpecialApproach2), OnSpecialSheet(kActSpecialHit),
    OnSpecialSheet(kActSpecialHit2), OnSpecialSheet(kActSpecialHit3),
};
constexpr EnemyRouteCase kElderPicks[] = {{93, kActSpecialApproach2}};
constexpr EnemyRoute kElderRoutes[] = {
    Cast(258, kActSpecialHit3),
    {.code = kActSpecialSkill, .cases = kElderPicks, .otherwise = kActSpecialApproach},
};
constexpr EnemyApproach kElderApproaches[] = {
    {.code = kActSpecialApproach, .next = kActSpecialHit},
    {.code = kActSpecialApproach2, .next = kActSpecialHit2},
};
constexpr EnemyStrike kElderStrikes[] = {
    {.code = kActSpecialHit}, {.code = kActSpecialHit2}, Bare(kActSpecialHit3, kActWalkBack)};

// ---- The cult: the believer's cast effect goes by the magic chosen ----

constexpr EnemyRow kBelieverRows[] = {Walk(kActSpecialApproach), Blow(kActSpecialHit), Blow(kActSpecialHit2)};
constexpr EnemyEffectCase kBelieverCastEffects[] = {{34, 227}};
constexpr EnemyRoute kBelieverRoutes[] = {
    Cast(241, kActSpecialHit2, kBelieverCastEffects),
    {.code = kActSpecialSkill, .otherwise = kActSpecialApproach},
};
constexpr EnemyApproach kBelieverApproaches[] = {{.code = kActSpecialApproach, .next = kActSpecialHit}};
constexpr EnemyStrike kBelieverStrikes[] = {{.code = kActSpecialHit}, Bare(kActSpecialHit2, kActIdle)};

// The priest flourishes as it sets out, not as it strikes.
constexpr EnemyRow kFathreRows[] = {
    Walk(kActSpecialApproach), Walk(kActSpecialApproach2), Blow(kActSpecialHit), Blow(kActSpecialHit2),
    {.code = kActSpecialHit3, .base = 0},
};
constexpr EnemyRouteCase kFathrePicks[] = {{82, kActSpecialApproach2}};
constexpr EnemyRoute kFathreRoutes[] = {
    Cast(241, kActSpecialHit3),
    {.code = kActSpecialSkill, .cases = kFathrePicks, .otherwise = kActSpecialApproach},
};
constexpr EnemyApproach kFathreApproaches[] = {
    {.code = kActSpecialApproach, .next = kActSpecialHit, .start = true},
    {.code = kActSpecialApproach2, .next = kActSpecialHit2, .start = true},
};
constexpr EnemyStrike kFathreStrikes[] = {
    {.code = kActSpecialHit, .start = false}, {.code = kActSpecialHit2, .start = false},
    Bare(kActSpecialHit3, kActIdle)};

// ---- The combos ----

// A link is a ninja's cut drifting at 0.2; the first flourishes, and only
// at a target it has.
constexpr EnemyStrike Link(int32_t code, int32_t next) {
  EnemyStrike link = ninjablocks::Cut(code, next);
  link.drift = 0.2f;
  return link;
}
constexpr EnemyStrike FirstLink(int32_t code, int32_t next) {
  EnemyStrike link = Link(code, next);
  link.start = true;
  link.startWithTarget = true;
  return link;
}
constexpr EnemyRouteCase kComboPicks[] = {{41, kActSpecialHit}};
constexpr EnemyRoute kComboRoutes[] = {
    {.code = kActSpecialSkill, .cases = kComboPicks, .otherwise = kActSpecialApproach2}};
constexpr EnemyApproach kComboApproaches[] = {{.code = kActSpecialApproach2, .next = kActSpecialHit2}};

constexpr EnemyRow kGuardRows[] = {
    Walk(kActSpecialApproach2), Blow(kActSpecialHit), Blow(kActSpecialHit2), Blow(kActSpecialHit3),
    Blow(kActSpecialHit4),
};
constexpr EnemyStrike kGuardStrikes[] = {
    {.code = kActSpecialHit, .end = kActIdle},
    FirstLink(kActSpecialHit2, kActSpecialHit3),
    Link(kActSpecialHit3, kActSpecialHit4),
    Link(kActSpecialHit4, kActWalkBack),
};

constexpr EnemyRow kSwordRows[] = {
    Walk(kActSpecialApproach2), Blow(kActSpecialHit),  Blow(kActSpecialHit2), Blow(kActSpecialHit3),
    Blow(kActSpecialHit4),      Blow(kActSpecialHit5),
};
constexpr EnemyStrike kSwordStrikes[] = {
    {.code = kActSpecialHit},
    FirstLink(kActSpecialHit2, kActSpecialHit3),
    Link(kActSpecialHit3, kActSpecialHit4),
    Link(kActSpecialHit4, kActSpecialHit5),
    Link(kActSpecialHit5, kActWalkBack),
};

}  // namespace castcombo
}  // namespace

const EnemyKindDef CBattleElder::kDef{.name = "장로",
                                      .specialFolder = enemyrows::kHumanFolder,
                                      .rows = castcombo::kElderRows,
                                      .layout = castcombo::kStandard,
                                      .routes = castcombo::kElderRoutes,
                                      .approaches = castcombo::kElderApproaches,
                                      .strikes = castcombo::kElderStrikes};
const EnemyKindDef CBattleGreetismBeliever::kDef{.name = "그리트교교도",
                                                 .rows = castcombo::kBelieverRows,
                                                 .layout = castcombo::kStandard,
                                                 .routes = castcombo::kBelieverRoutes,
                                                 .approaches = castcombo::kBelieverApproaches,
                                                 .strikes = castcombo::kBelieverStrikes};
const EnemyKindDef CBattleGreetismFathre::kDef{.name = "그리트교신관",
                                               .rows = castcombo::kFathreRows,
                                               .layout = castcombo::kStandard,
                                               .routes = castcombo::kFathreRoutes,
                                               .approaches = castcombo::kFathreApproaches,
                                               .strikes = castcombo::kFathreStrikes};
const EnemyKindDef CBattleLeighrantzRoyalGuard::kDef{.name = "레이그란츠근위병",
                                                     .rows = castcombo::kGuardRows,
                                                     .layout = castcombo::kStandard,
                                                     .routes = castcombo::kComboRoutes,
                                                     .approaches = castcombo::kComboApproaches,
                                                     .strikes = castcombo::kGuardStrikes};
const EnemyKindDef CBattleDevilSword::kDef{.name = "데빌소드",
                                           .rows = castcombo::kSwordRows,
                                           .layout = castcombo::kStandard,
                                           .routes = castcombo::kComboRoutes,
                                           .approaches = castcombo::kComboApproaches,
                                           .strikes = castcombo::kSwordStrikes};

SLV_REGISTER_ACTOR(CBattleElder, CBattleElder::kDef.name);
SLV_REGISTER_ACTOR(CBattleGreetismBeliever, CBattleGreetismBeliever::kDef.name);
SLV_REGISTER_ACTOR(CBattleGreetismFathre, CBattleGreetismFathre::kDef.name);
SLV_REGISTER_ACTOR(CBattleLeighrantzRoyalGuard, CBattleLeighrantzRoyalGuard::kDef.name);
SLV_REGISTER_ACTOR(CBattleDevilSword, CBattleDevilSword::kDef.name);
