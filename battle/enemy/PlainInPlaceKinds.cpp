// The plain, in-place and table-only kinds. All rows show the slot's sheet.
#include "battle/enemy/PlainInPlaceKinds.h"

#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace plaininplace {

using enemyrows::Blow;
using enemyrows::kStandard;
using enemyrows::kStandardWalk;
using enemyrows::kStrikeOnBlow;

constexpr EnemyRow kStrikeOnBlowRows[] = {kStrikeOnBlow};

constexpr EnemyKindDef Plain(const char* name, std::span<const EnemyRow> rows,
                             std::span<const EnemyRow> layout = kStandardWalk) {
  return enemyrows::OnBody(EnemyBody::kSpecialApproach, name, rows, layout);
}
constexpr EnemyKindDef InPlace(const char* name, std::span<const EnemyRow> rows) {
  return enemyrows::OnBody(EnemyBody::kSpecialInPlace, name, rows, kStandard);
}

// The chimera: special 89 where it stands, staying; any other walked up to,
// without knock-back, and walked back from.
constexpr EnemyRow kKimairaRows[] = {kStrikeOnBlow, Blow(kActSpecialHit2), enemyrows::Walk(kActSpecialApproach2)};
constexpr EnemyRouteCase kKimairaPicks[] = {{89, kActSpecialHit}};
constexpr EnemyRoute kKimairaRoutes[] = {
    {.code = kActSpecialSkill, .cases = kKimairaPicks, .otherwise = kActSpecialApproach2}};
constexpr EnemyApproach kKimairaApproaches[] = {{.code = kActSpecialApproach2, .next = kActSpecialHit2}};
constexpr EnemyStrike kKimairaStrikes[] = {{.code = kActSpecialHit, .end = kActIdle},
                                           {.code = kActSpecialHit2, .hitKind = 1}};

// The dragonfly walks on row 8, attacks on 12 and reels on 4.
constexpr EnemyRow kDragonsFlyRows[] = {
    {.code = kActIdle, .base = 0, .mode = 2},         {.code = kActApproach, .base = 8, .mode = 2},
    {.code = kActWalkBack, .base = 8, .mode = 2},     {.code = kActAttack, .base = 12},
    {.code = kActDamageLight, .base = 4},             {.code = kActSpecialHit, .base = 12},
    {.code = kActSpecialApproach, .base = 8, .mode = 2},
};

// The puppet's attack and strike run at delay 6, the strike on row 4.
constexpr EnemyRow kKillingPuppetRows[] = {
    {.code = kActAttack, .base = 8, .delay = 6},
    {.code = kActSpecialHit, .base = 4, .delay = 6},
};

// Twice as fast as the blow.
constexpr EnemyRow kImperialRows[] = {{.code = kActSpecialHit, .base = 8, .delay = 4}};

}  // namespace plaininplace
}  // namespace

const EnemyKindDef CBattlekimaira::kDef{.name = "키마이라",
                                        .rows = plaininplace::kKimairaRows,
                                        .layout = plaininplace::kStandard,
                                        .routes = plaininplace::kKimairaRoutes,
                                        .approaches = plaininplace::kKimairaApproaches,
                                        .strikes = plaininplace::kKimairaStrikes};
const EnemyKindDef CBattleFrameBat::kDef = plaininplace::Plain("프레임벳", plaininplace::kStrikeOnBlowRows);
const EnemyKindDef CBattleJusticeofDeth::kDef = plaininplace::InPlace("저스티스오브데스", plaininplace::kStrikeOnBlowRows);
const EnemyKindDef CBattleSandMan::kDef{.name = "샌드맨", .rows = plaininplace::kStandard};
const EnemyKindDef CBattleDragonsFly::kDef = plaininplace::Plain("드래곤플라이", plaininplace::kDragonsFlyRows, {});
const EnemyKindDef CBattleKillingPuppet::kDef = plaininplace::InPlace("킬링퍼펫", plaininplace::kKillingPuppetRows);
const EnemyKindDef CBattleEmpireOfficer::kDef = plaininplace::Plain("제국장교", plaininplace::kImperialRows);
const EnemyKindDef CBattleLeighrantzSoldier01::kDef = plaininplace::Plain("정부군_", plaininplace::kImperialRows);
const EnemyKindDef CBattleLeighrantzSoldier02::kDef = plaininplace::Plain("정부군__", plaininplace::kImperialRows);

SLV_REGISTER_ACTOR(CBattlekimaira, CBattlekimaira::kDef.name);
SLV_REGISTER_ACTOR(CBattleFrameBat, CBattleFrameBat::kDef.name);
SLV_REGISTER_ACTOR(CBattleJusticeofDeth, CBattleJusticeofDeth::kDef.name);
SLV_REGISTER_ACTOR(CBattleSandMan, CBattleSandMan::kDef.name);
SLV_REGISTER_ACTOR(CBattleDragonsFly, CBattleDragonsFly::kDef.name);
SLV_REGISTER_ACTOR(CBattleKillingPuppet, CBattleKillingPuppet::kDef.name);
SLV_REGISTER_ACTOR(CBattleEmpireOfficer, CBattleEmpireOfficer::kDef.name);
SLV_REGISTER_ACTOR(CBattleLeighrantzSoldier01, CBattleLeighrantzSoldier01::kDef.name);
SLV_REGISTER_ACTOR(CBattleLeighrantzSoldier02, CBattleLeighrantzSoldier02::kDef.name);
