// The soldiers' and the bandit's tables.
#include "battle/enemy/SoldierKinds.h"

#include "battle/enemy/MoreBossKinds.h"

namespace {
namespace soldier {

using bossblocks::Loop;
using bossblocks::Once;

constexpr int32_t kDelay = 6;

constexpr EnemyRow kDelay6Rows[] = {
    Loop(kActIdle, 0, kDelay),   Loop(kActApproach, 4, kDelay),     Loop(kActWalkBack, 4, kDelay),
    Once(kActAttack, 8, kDelay), Once(kActDamageLight, 12, kDelay),
};

// ---- The officer: the plain special, its strike locked ----

constexpr EnemyRow kOfficerRows[] = {Loop(kActSpecialApproach, 4, kDelay), Once(kActSpecialHit, 8, kDelay)};
constexpr EnemyRoute kOfficerRoutes[] = {enemyblocks::kSpecialOrder};
constexpr EnemyApproach kOfficerApproaches[] = {enemyblocks::kApproach};
constexpr EnemyStrike kOfficerStrikes[] = {bossblocks::Strike(kActSpecialHit, kActWalkBack)};

// ---- The bandit: three walks to three blows ----

constexpr EnemyRow kBanditRows[] = {
    Loop(kActSpecialApproach, 4, kDelay), Loop(kActSpecialApproach2, 4, kDelay), Loop(kActSpecialApproach3, 4, kDelay),
    Once(kActSpecialHit, 8, kDelay),      Once(kActSpecialHit2, 8, kDelay),      Once(kActSpecialHit3, 8, kDelay),
};
constexpr EnemyRouteCase kBanditPicks[] = {
    {76, kActSpecialApproach}, {36, kActSpecialApproach2}, {57, kActSpecialApproach3}};
constexpr EnemyRoute kBanditRoutes[] = {
    {.code = kActSpecialSkill, .cases = kBanditPicks, .otherwise = kActSpecialApproach3}};
constexpr EnemyApproach kBanditApproaches[] = {
    {.code = kActSpecialApproach, .next = kActSpecialHit},
    {.code = kActSpecialApproach2, .next = kActSpecialHit2},
    {.code = kActSpecialApproach3, .next = kActSpecialHit3},
};
constexpr EnemyStrike kBanditStrikes[] = {{.code = kActSpecialHit}, {.code = kActSpecialHit2}, {.code = kActSpecialHit3}};

}  // namespace soldier
}  // namespace

constinit const EnemyKindDef Delay6Table::kDef{.rows = soldier::kDelay6Rows};
constinit const EnemyKindDef CBattleEmpireWomanOfficer::kDef{.name = "왕국여장교",
                                                             .rows = soldier::kOfficerRows,
                                                             .layout = soldier::kDelay6Rows,
                                                             .routes = soldier::kOfficerRoutes,
                                                             .approaches = soldier::kOfficerApproaches,
                                                             .strikes = soldier::kOfficerStrikes};
constinit const EnemyKindDef CBattleOvrelTimbanesFamily::kDef{.name = "도적단원",
                                                              .rows = soldier::kBanditRows,
                                                              .layout = soldier::kDelay6Rows,
                                                              .routes = soldier::kBanditRoutes,
                                                              .approaches = soldier::kBanditApproaches,
                                                              .strikes = soldier::kBanditStrikes};
SLV_REGISTER_ACTOR(CBattleEmpireWomanOfficer, CBattleEmpireWomanOfficer::kDef.name);
SLV_REGISTER_ACTOR(CBattleOvrelTimbanesFamily, CBattleOvrelTimbanesFamily::kDef.name);
SLV_REGISTER_ACTOR(CBattleWistenKreutzerOne, "위스텐_크로이체르_");
SLV_REGISTER_ACTOR(CBattleWistenKreutzerTwo, "위스텐_크로이체르__");
SLV_REGISTER_ACTOR(CBattleEmpireSoldierNewbie, "제국병사신참");
