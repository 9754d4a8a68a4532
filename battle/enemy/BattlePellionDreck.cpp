// Pellion Dreck: a lunging blow of his own and four specials drawn from a
// sheet named for what he was, not for his name.
#include "battle/enemy/MoreBossKinds.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace pelliondreck {

using namespace bossblocks;
using secondrows::SpecialBlow;

constexpr EnemyRow kRows[] = {
    Loop(kActSpecialApproach, 4), Loop(kActSpecialApproach2, 4), Loop(kActSpecialApproach3, 4),
    SpecialBlow(kActSpecialHit),  SpecialBlow(kActSpecialHit2),  SpecialBlow(kActSpecialHit3),
    SpecialBlow(kActSpecialHit4),
};
constexpr EnemyRouteCase kPicks[] = {{3, kActSpecialApproach3}, {37, kActSpecialApproach2}, {89, kActSpecialHit4}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach}};
constexpr EnemyApproach kApproaches[] = {
    {.code = kActSpecialApproach, .next = kActSpecialHit},
    {.code = kActSpecialApproach2, .next = kActSpecialHit2},
    {.code = kActSpecialApproach3, .next = kActSpecialHit3},
};
constexpr EnemyStrike kStrikes[] = {
    OwnBlow(0.2f),
    Strike(kActSpecialHit, kActWalkBack),
    Strike(kActSpecialHit2, kActWalkBack),
    Strike(kActSpecialHit3, kActWalkBack),
    NoTrail(Strike(kActSpecialHit4, kActIdle)),
};

constexpr EnemyKindDef Def() {
  EnemyKindDef def = Boss("펠리온_드렉", kRows, kRoutes, kApproaches, kStrikes);
  def.specialSheet = "몬스터\\인간형\\전투\\독수약왕_특수";
  return def;
}

}  // namespace pelliondreck
}  // namespace

constinit const EnemyKindDef CBattlePellionDreck::kDef = pelliondreck::Def();
SLV_REGISTER_ACTOR(CBattlePellionDreck, CBattlePellionDreck::kDef.name);
