// The poltergeist: two blows where it stands, and for every other special
// a walk up to a third.
#include "battle/enemy/EnemyKindsFourth.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace poltergeist {

using namespace bossblocks;
using namespace fourthblocks;

constexpr EnemyRow kRows[] = {Once(kActSpecialHit, 8), Once(kActSpecialHit2, 8), Once(kActSpecialHit3, 8),
                              Loop(kActSpecialApproach2, 4)};
constexpr EnemyRouteCase kPicks[] = {{50, kActSpecialHit}, {51, kActSpecialHit3}};
constexpr EnemyRoute kRoutes[] = {
    {.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach2, .startEffect = secondrows::kStart}};
// Its walk gives the otherwise idle third blow a way in, so that no special
// leaves it standing in the order.
constexpr EnemyApproach kApproaches[] = {Approach(kActSpecialApproach2, 0.7f, kActSpecialHit2)};
constexpr EnemyStrike kStrikes[] = {Trailed(kActSpecialHit, kActIdle), Trailed(kActSpecialHit2, kActIdle),
                                    Trailed(kActSpecialHit3, kActIdle)};

}  // namespace poltergeist
}  // namespace

const EnemyKindDef CBattlePoltergeist::kDef =
    poltergeist::StandardKind("폴터가이스트", nullptr, poltergeist::kRows, poltergeist::kRoutes, poltergeist::kApproaches, poltergeist::kStrikes);
SLV_REGISTER_ACTOR(CBattlePoltergeist, CBattlePoltergeist::kDef.name);
