// The savage warrior: a strike at once from its special sheet, and two
// walks up to a blow.
#include "battle/enemy/EnemyKindsFourth.h"

namespace {
namespace savagewarrior {

using namespace bossblocks;
using namespace fourthblocks;

constexpr EnemyRow kRows[] = {
    enemyrows::kSpecialSheetStrike, Once(kActSpecialHit2, 0),      Once(kActSpecialHit3, 8),
    Loop(kActSpecialApproach2, 4),  Loop(kActSpecialApproach3, 4),
};
constexpr EnemyRouteCase kPicks[] = {{56, kActSpecialApproach3}, {64, kActSpecialApproach2}, {85, kActSpecialHit}};
constexpr EnemyRoute kRoutes[] = {{.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach3}};
constexpr EnemyApproach kApproaches[] = {
    Approach(kActSpecialApproach2, 0.7f, kActSpecialHit2),
    Approach(kActSpecialApproach3, 0.7f, kActSpecialHit3),
};
constexpr EnemyStrike kStrikes[] = {
    {.code = kActSpecialHit, .trail = EnemyTrail::kNone, .end = kActIdle},
    AtEnd(Full(kActSpecialHit2, kActWalkBack)),
    Full(kActSpecialHit3, kActWalkBack),
};

}  // namespace savagewarrior
}  // namespace

const EnemyKindDef CBattleSavageWarrior::kDef =
    savagewarrior::StandardKind("세비지워리어", enemyrows::kBeastFolder, savagewarrior::kRows, savagewarrior::kRoutes, savagewarrior::kApproaches, savagewarrior::kStrikes);
SLV_REGISTER_ACTOR(CBattleSavageWarrior, CBattleSavageWarrior::kDef.name);
