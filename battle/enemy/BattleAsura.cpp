// Asura: the ninja's close-in walk and lunging blow, a strike where it
// stands, and two runs, one ending in a push forward.
#include "battle/enemy/BattleNinJa.h"
#include "battle/enemy/EnemyKindsFourth.h"

namespace {
namespace asura {

using namespace bossblocks;
using namespace fourthblocks;

constexpr EnemyRow kRows[] = {
    Once(kActSpecialHit, 0, 4),    Once(kActSpecialHit2, 8),      Once(kActSpecialHit3, 4, 4),
    Loop(kActSpecialApproach2, 4), Loop(kActSpecialApproach3, 4),
};
constexpr EnemyRouteCase kPicks[] = {{27, kActSpecialApproach2}, {89, kActSpecialHit}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach3}};
constexpr EnemyApproach kApproaches[] = {
    ninjablocks::kApproach,
    Approach(kActSpecialApproach2, 2.8f, kActSpecialHit2),
    Approach(kActSpecialApproach3, 2.1f, kActSpecialHit3),
};
constexpr EnemyStrike Push(EnemyStrike s) {
  s.drift = 0.7f;
  s.driftOnce = true;
  return s;
}
constexpr EnemyStrike kStrikes[] = {
    ninjablocks::kLunge,
    AtEnd(Full(kActSpecialHit, kActWalkBack)),
    Full(kActSpecialHit2, kActWalkBack),
    Push(AtEnd(Full(kActSpecialHit3, kActWalkBack))),
};

}  // namespace asura
}  // namespace

const EnemyKindDef CBattleAsura::kDef = asura::StandardKind("아수라", nullptr, asura::kRows, asura::kRoutes, asura::kApproaches, asura::kStrikes);
SLV_REGISTER_ACTOR(CBattleAsura, CBattleAsura::kDef.name);
