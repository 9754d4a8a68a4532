// Verunak: his every blow is his special 32, walked up to; a special order
// shuts hits out for the walk, each strike while it runs.
#include "battle/enemy/BossKindsVerunak.h"
#include "battle/enemy/EnemySecondRows.h"

namespace {
namespace verunak {

using namespace bossblocks;

constexpr int32_t kBlowSpecial = 32;
constexpr int32_t kOrderLock = 60;

constexpr EnemyRow kRows[] = {
    Loop(kActIdle, 0),        Loop(kActApproach, 4),     Loop(kActWalkBack, 4),   Loop(kActSpecialApproach2, 4),
    Once(kActAttack, 8),      Once(kActDamageLight, 12), Once(kActSpecialHit, 8), Once(kActSpecialHit2, 8),
    Once(kActSpecialHit3, 8),
};
constexpr EnemyRouteCase kPicks[] = {{89, kActSpecialHit}};
constexpr EnemyRoute kRoutes[] = {
    {.code = kActAttack, .otherwise = kActSpecialApproach2, .choose = kBlowSpecial},
    {.code = kActSpecialSkill, .cases = kPicks, .otherwise = kActSpecialApproach2, .hitLock = kOrderLock},
    secondrows::Straight(kActCastMagic, kActSpecialHit3, secondrows::kCastStart, secondrows::kCastPause),
};
constexpr EnemyApproach kApproaches[] = {{.code = kActSpecialApproach2, .next = kActSpecialHit2}};
constexpr EnemyStrike kStrikes[] = {
    LockedWithTarget(AtEnd(Strike(kActSpecialHit, kActWalkBack))),
    AtEnd(Strike(kActSpecialHit2, kActWalkBack)),
    LockedWithTarget(AtEnd(
        {.code = kActSpecialHit3, .start = false, .trail = EnemyTrail::kNone, .hitLock = kLock, .end = kActIdle})),
};

}  // namespace verunak
}  // namespace

const EnemyKindDef CBattleVerunak::kDef{
    .name = "베루낙", .rows = verunak::kRows, .routes = verunak::kRoutes, .approaches = verunak::kApproaches, .strikes = verunak::kStrikes};
SLV_REGISTER_ACTOR(CBattleVerunak, CBattleVerunak::kDef.name);
