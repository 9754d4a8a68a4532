// The scorpion and the kinds built as it is: one special they close in on
// for their own, every other through the second approach.
#include "battle/enemy/EnemyKindsThird.h"
#include "battle/enemy/EnemyRowLayouts.h"

namespace {

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
constexpr EnemyKindSpec AsScorpion(const char* name, std::span<const EnemyRow> rows = kRows) {
  return EnemyKindSpec{
      .name = name,
      .rows = rows,
      .layout = enemyrows::kStandard,
      .routes = kRoutes<Own>,
      .approaches = kApproaches,
      .strikes = kStrikes,
  };
}

}  // namespace

const EnemyKindSpec CBattleScorpion::kSpec = AsScorpion<4>("레드스콜피온");
const EnemyKindSpec CBattleCobra::kSpec = AsScorpion<3>("코브라");
const EnemyKindSpec CBattleMirra::kSpec = AsScorpion<8>("미이라");
const EnemyKindSpec CBattleMami::kSpec = AsScorpion<8>("마미");
const EnemyKindSpec CBattlePoisonCold::kSpec = AsScorpion<4>("포이즌콜드", kOnceRows);
const EnemyKindSpec CBattleBloodAmoeba::kSpec = AsScorpion<26>("블러드아메바");
const EnemyKindSpec CBattleSkelpoison::kSpec = AsScorpion<4>("스켈포이즌");
SLV_REGISTER_ACTOR(CBattleScorpion, CBattleScorpion::kSpec.name);
SLV_REGISTER_ACTOR(CBattleCobra, CBattleCobra::kSpec.name);
SLV_REGISTER_ACTOR(CBattleMirra, CBattleMirra::kSpec.name);
SLV_REGISTER_ACTOR(CBattleMami, CBattleMami::kSpec.name);
SLV_REGISTER_ACTOR(CBattlePoisonCold, CBattlePoisonCold::kSpec.name);
SLV_REGISTER_ACTOR(CBattleBloodAmoeba, CBattleBloodAmoeba::kSpec.name);
SLV_REGISTER_ACTOR(CBattleSkelpoison, CBattleSkelpoison::kSpec.name);
