// Lilith: two strikes where she stands and one after a walk, each landing
// as its row ends.
#include "battle/enemy/EnemyKindsFourth.h"

namespace {
namespace lilith {

using namespace bossblocks;
using namespace fourthblocks;

constexpr EnemyRow kRows[] = {Once(kActSpecialHit, 0), Once(kActSpecialHit2, 0), Once(kActSpecialHit3, 0),
                              Loop(kActSpecialApproach2, 4)};
constexpr EnemyRouteCase kPicks[] = {{51, kActSpecialHit3}, {66, kActSpecialHit}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach2}};
constexpr EnemyApproach kApproaches[] = {Approach(kActSpecialApproach2, 1.5f, kActSpecialHit2)};
constexpr EnemyStrike kStrikes[] = {AtEnd(Full(kActSpecialHit, kActIdle)), AtEnd(Full(kActSpecialHit2, kActWalkBack)),
                                    AtEnd(Full(kActSpecialHit3, kActIdle))};

}  // namespace lilith
}  // namespace

const EnemyKindDef CBattleLilith::kDef = lilith::StandardKind("릴리스", nullptr, lilith::kRows, lilith::kRoutes, lilith::kApproaches, lilith::kStrikes);
SLV_REGISTER_ACTOR(CBattleLilith, CBattleLilith::kDef.name);
