// Amon: every special a walk up to one blow, a cast struck where he stands.
#include "battle/enemy/EnemyKindsFourth.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace amon {

using namespace bossblocks;
using namespace fourthblocks;

constexpr EnemyRow kRows[] = {Once(kActSpecialHit, 0), Once(kActSpecialHit2, 8), Loop(kActSpecialApproach2, 4)};
constexpr EnemyRoute kRoutes[] = {
    secondrows::Straight(kActSpecialSkill, kActSpecialApproach2),
    secondrows::Straight(kActCastMagic, kActSpecialHit, 227, kCastPause),
};
constexpr EnemyApproach kApproaches[] = {Approach(kActSpecialApproach2, 1.7f, kActSpecialHit2)};
constexpr EnemyStrike kStrikes[] = {AtEnd(Plain(kActSpecialHit, kActIdle)), Full(kActSpecialHit2, kActWalkBack)};

}  // namespace amon
}  // namespace

const EnemyKindDef CBattleAmon::kDef = amon::StandardKind("아몬", nullptr, amon::kRows, amon::kRoutes, amon::kApproaches, amon::kStrikes);
SLV_REGISTER_ACTOR(CBattleAmon, CBattleAmon::kDef.name);
