// The leviathan: three strikes, each where it stands.
#include "battle/enemy/EnemyKindsFourth.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace leviathan {

using namespace bossblocks;
using namespace fourthblocks;

constexpr EnemyRow kRows[] = {Once(kActSpecialHit, 8), Once(kActSpecialHit2, 0, 4), Once(kActSpecialHit3, 0, 4)};
constexpr EnemyRouteCase kPicks[] = {{90, kActSpecialHit2}, {94, kActSpecialHit3}};
constexpr EnemyRoute kRoutes[] = {
    {.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialHit, .startEffect = secondrows::kStart}};
constexpr EnemyStrike kStrikes[] = {Plain(kActSpecialHit, kActWalkBack), Trailed(kActSpecialHit2, kActWalkBack),
                                    Trailed(kActSpecialHit3, kActWalkBack)};

}  // namespace leviathan
}  // namespace

const EnemyKindDef CBattleLeviathan::kDef = leviathan::StandardKind("레비아탄", nullptr, leviathan::kRows, leviathan::kRoutes, {}, leviathan::kStrikes);
SLV_REGISTER_ACTOR(CBattleLeviathan, CBattleLeviathan::kDef.name);
