// The single-special kinds. All walk up on row 4 and strike through the
// shared approach body; those with a second strike route one chosen special
// straight to it.
#include "battle/enemy/SingleStrikeKinds.h"

#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace singlestrike {

using enemyrows::kSpecialSheetStrike;
using enemyrows::kStrikeOnBlow;

constexpr EnemyRow kSecondOnSpecialSheet{.code = kActSpecialHit2, .base = 0, .sheet = EnemySheet::kSpecial};

// One chosen special goes straight to the strike where the enemy stands.
template <int32_t Index>
constexpr EnemyRouteCase kStraightPick[] = {{Index, kActSpecialHit2}};
template <int32_t Index>
constexpr EnemyRoute kStraightRoute[] = {
    {.code = kActSpecialSkill, .cases = kStraightPick<Index>, .otherwise = kActSpecialApproach}};

// The second strike stays where it struck, with or without its after-image.
constexpr EnemyStrike kStayingStrike[] = {{.code = kActSpecialHit2, .end = kActIdle}};
constexpr EnemyStrike kBareStayingStrike[] = {
    {.code = kActSpecialHit2, .trail = EnemyTrail::kNone, .end = kActIdle}};

constexpr EnemyApproach kFastApproach[] = {{.code = kActSpecialApproach, .factor = 2.8f}};
constexpr EnemyApproach kGigantesApproach[] = {{.code = kActSpecialApproach, .factor = 1.5f}};

constexpr EnemyKindDef Kind(const char* name, std::span<const EnemyRow> rows) {
  return {.name = name,
          .specialFolder = enemyrows::kBeastFolder,
          .body = EnemyBody::kSpecialApproach,
          .rows = rows,
          .layout = enemyrows::kStandardWalk};
}

constexpr EnemyKindDef WithSecond(EnemyKindDef def, std::span<const EnemyRoute> routes,
                                   std::span<const EnemyStrike> strikes) {
  def.routes = routes;
  def.strikes = strikes;
  return def;
}

constexpr EnemyKindDef Approaching(EnemyKindDef def, std::span<const EnemyApproach> approaches) {
  def.approaches = approaches;
  return def;
}

constexpr EnemyRow kSimurghRows[] = {kSpecialSheetStrike, kSecondOnSpecialSheet};
constexpr EnemyStrike kSimurghStrikes[] = {{.code = kActSpecialHit2}};  // walks back as after the first
constexpr EnemyRow kGarudaRows[] = {kSpecialSheetStrike};
constexpr EnemyRow kIronScorpionRows[] = {kStrikeOnBlow, {.code = kActSpecialHit2, .base = 4}};
constexpr EnemyRow kOnBlowRows[] = {kStrikeOnBlow};
constexpr EnemyRow kSaramandaRows[] = {kStrikeOnBlow, kSecondOnSpecialSheet};
constexpr EnemyRow kKelberosMasterRows[] = {kSpecialSheetStrike, {.code = kActSpecialHit2, .base = 0}};
constexpr EnemyRow kMadrakeRows[] = {kSpecialSheetStrike, kSecondOnSpecialSheet};
constexpr EnemyRow kGigantesRows[] = {{.code = kActSpecialHit, .base = 12}};

}  // namespace singlestrike
}  // namespace

const EnemyKindDef CBattleSimurgh::kDef = singlestrike::WithSecond(singlestrike::Kind("시무르그", singlestrike::kSimurghRows), singlestrike::kStraightRoute<74>, singlestrike::kSimurghStrikes);
const EnemyKindDef CBattleGaruda::kDef = singlestrike::Kind("가루다", singlestrike::kGarudaRows);
const EnemyKindDef CBattleIronScorpion::kDef =
    singlestrike::WithSecond(singlestrike::Kind("아이언스콜피온", singlestrike::kIronScorpionRows), singlestrike::kStraightRoute<41>, singlestrike::kStayingStrike);
const EnemyKindDef CBattleMasterofDesert::kDef = singlestrike::Kind("마스터오브데저트", singlestrike::kOnBlowRows);
const EnemyKindDef CBattleSaramanda::kDef = singlestrike::Approaching(
    singlestrike::WithSecond(singlestrike::Kind("사라만다", singlestrike::kSaramandaRows), singlestrike::kStraightRoute<74>, singlestrike::kBareStayingStrike), singlestrike::kFastApproach);
const EnemyKindDef CBattleSkelBrood::kDef = singlestrike::Approaching(singlestrike::Kind("스켈블러드", singlestrike::kOnBlowRows), singlestrike::kFastApproach);
const EnemyKindDef CBattleKelberosMaster::kDef = singlestrike::Approaching(
    singlestrike::WithSecond(singlestrike::Kind("켈베로스마스터", singlestrike::kKelberosMasterRows), singlestrike::kStraightRoute<89>, singlestrike::kStayingStrike), singlestrike::kFastApproach);
const EnemyKindDef CBattleMadrake::kDef =
    singlestrike::WithSecond(singlestrike::Kind("만드레이크", singlestrike::kMadrakeRows), singlestrike::kStraightRoute<81>, singlestrike::kBareStayingStrike);
const EnemyKindDef CBattleGigantes::kDef = singlestrike::Approaching(singlestrike::Kind("기간테스", singlestrike::kGigantesRows), singlestrike::kGigantesApproach);

SLV_REGISTER_ACTOR(CBattleSimurgh, CBattleSimurgh::kDef.name);
SLV_REGISTER_ACTOR(CBattleGaruda, CBattleGaruda::kDef.name);
SLV_REGISTER_ACTOR(CBattleIronScorpion, CBattleIronScorpion::kDef.name);
SLV_REGISTER_ACTOR(CBattleMasterofDesert, CBattleMasterofDesert::kDef.name);
SLV_REGISTER_ACTOR(CBattleSaramanda, CBattleSaramanda::kDef.name);
SLV_REGISTER_ACTOR(CBattleSkelBrood, CBattleSkelBrood::kDef.name);
SLV_REGISTER_ACTOR(CBattleKelberosMaster, CBattleKelberosMaster::kDef.name);
SLV_REGISTER_ACTOR(CBattleMadrake, CBattleMadrake::kDef.name);
SLV_REGISTER_ACTOR(CBattleGigantes, CBattleGigantes::kDef.name);
