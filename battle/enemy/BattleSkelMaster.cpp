// The skeleton master: two strikes, each where it stands.
#include "battle/enemy/EnemyKindsFourth.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace skelmaster {

using namespace bossblocks;
using namespace fourthblocks;

constexpr EnemyRow kRows[] = {Once(kActSpecialHit, 8), Once(kActSpecialHit2, 8)};
constexpr EnemyRouteCase kPicks[] = {{89, kActSpecialHit2}};
constexpr EnemyRoute kRoutes[] = {
    {.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialHit, .startEffect = secondrows::kStart}};
constexpr EnemyStrike kStrikes[] = {Trailed(kActSpecialHit, kActIdle), Trailed(kActSpecialHit2, kActIdle)};

}  // namespace skelmaster
}  // namespace

const EnemyKindDef CBattleSkelMaster::kDef = skelmaster::StandardKind("스켈마스터", nullptr, skelmaster::kRows, skelmaster::kRoutes, {}, skelmaster::kStrikes);
SLV_REGISTER_ACTOR(CBattleSkelMaster, CBattleSkelMaster::kDef.name);
