// The jack-a-lantern: every special a short hop up to one blow, a cast
// struck where it stands.
#include "battle/enemy/EnemyKindsFourth.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace jackalantern {

using namespace bossblocks;
using namespace fourthblocks;

constexpr EnemyRow kRows[] = {Once(kActSpecialHit, 8), Once(kActSpecialHit3, 8), Once(kActSpecialApproach3, 4)};
constexpr EnemyRoute kRoutes[] = {
    secondrows::Straight(kActSpecialSkill, kActSpecialApproach3, secondrows::kStart),
    secondrows::Straight(kActCastMagic, kActSpecialHit, 227, kCastPause),
};
constexpr EnemyApproach kApproaches[] = {Approach(kActSpecialApproach3, 0.7f, kActSpecialHit3)};
constexpr EnemyStrike kStrikes[] = {Plain(kActSpecialHit, kActIdle), Plain(kActSpecialHit3, kActIdle)};

}  // namespace jackalantern
}  // namespace

const EnemyKindDef CBattleJackALantern::kDef = jackalantern::StandardKind("잭어랜턴", nullptr, jackalantern::kRows, jackalantern::kRoutes, jackalantern::kApproaches, jackalantern::kStrikes);
SLV_REGISTER_ACTOR(CBattleJackALantern, CBattleJackALantern::kDef.name);
