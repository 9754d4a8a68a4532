// The scorpion and the kinds built as it is: one special they close in on
// for their own, every other through the second approach.
#include "battle/enemy/EnemyKindsThird.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {
namespace scorpion {

using enemyrows::Blow;
using enemyrows::Walk;

constexpr EnemyRow kRows[] = {
    Walk(kActSpecialApproach), Walk(kActSpecialApproach2), Blow(kActSpecialHit), Blow(kActSpecialHit2)};
// The poison cold's approaches play once and hold.
constexpr EnemyRow kOnceRows[] = {Walk(kActSpecialApproach, 0), Walk(kActSpecialApproach2, 0),
                                  Blow(kActSpecialHit), Blow(kActSpecialHit2)};
constexpr EnemyApproach kApproaches[] = {
    {.code = kActSpecialApproach, .next = kActSpecialHit},
    {.code = kActSpecialApproach2, .next = kActSpecialHit2},
};
constexpr EnemyStrike kStrikes[] = {{.code = kActSpecialHit}, {.code = kActSpecialHit2}};

template <int32_t Own>
constexpr EnemyRouteCase kPicks[] = {{Own, kActSpecialApproach}};
template <int32_t Own>
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks<Own>, .otherwise = kActSpecialApproach2}};

template <int32_t Own>
constexpr EnemyKindDef AsScorpion(const char* name, std::span<const EnemyRow> rows = kRows) {
  return EnemyKindDef{
      .name = name,
      .rows = rows,
      .layout = enemyrows::kStandard,
      .routes = kRoutes<Own>,
      .approaches = kApproaches,
      .strikes = kStrikes,
  };
}

}  // namespace scorpion
}  // namespace

const EnemyKindDef CBattleScorpion::kDef = scorpion::AsScorpion<4>("레드스콜피온");
const EnemyKindDef CBattleCobra::kDef = scorpion::AsScorpion<3>("코브라");
const EnemyKindDef CBattleMirra::kDef = scorpion::AsScorpion<8>("미이라");
const EnemyKindDef CBattleMami::kDef = scorpion::AsScorpion<8>("마미");
const EnemyKindDef CBattlePoisonCold::kDef = scorpion::AsScorpion<4>("포이즌콜드", scorpion::kOnceRows);
const EnemyKindDef CBattleBloodAmoeba::kDef = scorpion::AsScorpion<26>("블러드아메바");
const EnemyKindDef CBattleSkelpoison::kDef = scorpion::AsScorpion<4>("스켈포이즌");
SLV_REGISTER_ACTOR(CBattleScorpion, CBattleScorpion::kDef.name);
SLV_REGISTER_ACTOR(CBattleCobra, CBattleCobra::kDef.name);
SLV_REGISTER_ACTOR(CBattleMirra, CBattleMirra::kDef.name);
SLV_REGISTER_ACTOR(CBattleMami, CBattleMami::kDef.name);
SLV_REGISTER_ACTOR(CBattlePoisonCold, CBattlePoisonCold::kDef.name);
SLV_REGISTER_ACTOR(CBattleBloodAmoeba, CBattleBloodAmoeba::kDef.name);
SLV_REGISTER_ACTOR(CBattleSkelpoison, CBattleSkelpoison::kDef.name);
