// The bosses that strike where they stand, the order giving the flourish:
// Quorra Belling walks back afterwards, Aronemile and Cuscoemile stay.
// Aronemile strikes the nearest member from idle; Cuscoemile's specials
// land as their rows end, and its reel loops until the base ends it.
#include "battle/enemy/MoreBossKinds.h"

namespace {
namespace inplacebosses {

using namespace bossblocks;

constexpr EnemyRow kQuorraRows[] = {
    Once(kActSpecialHit, 8), Once(kActSpecialHit2, 8), Once(kActSpecialHit3, 8), Once(kActDamageLight, 0)};
constexpr EnemyRouteCase kQuorraPicks[] = {{45, kActSpecialHit2}, {94, kActSpecialHit2}};
constexpr EnemyRoute kQuorraRoutes[] = {AnnouncedOrder(kQuorraPicks, kActSpecialHit)};
constexpr EnemyStrike Kept(int32_t code) { return Quiet(LockedWithTarget(Strike(code, kActWalkBack))); }
// No order of its own picks 10067; the strike is there all the same.
constexpr EnemyStrike kQuorraStrikes[] = {Kept(kActSpecialHit), Kept(kActSpecialHit2), Kept(kActSpecialHit3)};

constexpr EnemyRow kAronRows[] = {Once(kActAttack, 8, 2), Once(kActSpecialHit, 8, 2)};
constexpr EnemyRoute kAronRoutes[] = {AnnouncedOrder({}, kActSpecialHit)};
constexpr EnemyStrike kAronStrikes[] = {Index(Bare(kActSpecialHit, kActIdle), 2)};

constexpr EnemyRow kCuscoRows[] = {
    Once(kActAttack, 8, 2),        Loop(kActDamageLight, 16),     Once(kActSpecialHit, 12, 4),
    Once(kActSpecialHit2, 12, 4), Once(kActSpecialHit3, 12, 4),
};
constexpr EnemyRouteCase kCuscoPicks[] = {{47, kActSpecialHit2}, {48, kActSpecialHit3}, {89, kActSpecialHit}};
constexpr EnemyRoute kCuscoRoutes[] = {AnnouncedOrder(kCuscoPicks, kActSpecialHit)};
constexpr EnemyStrike kCuscoStrikes[] = {AtEnd(Bare(kActSpecialHit, kActIdle)), AtEnd(Bare(kActSpecialHit2, kActIdle)),
                                         AtEnd(Bare(kActSpecialHit3, kActIdle))};

}  // namespace inplacebosses
}  // namespace

constinit const EnemyKindDef CBattleQuorraBelling::kDef = inplacebosses::Boss("쿠오라_벨링", inplacebosses::kQuorraRows, inplacebosses::kQuorraRoutes, {}, inplacebosses::kQuorraStrikes);
SLV_REGISTER_ACTOR(CBattleQuorraBelling, CBattleQuorraBelling::kDef.name);

constinit const EnemyKindDef CBattleAronemile::kDef = inplacebosses::NearestStrike(inplacebosses::Boss("아론_에밀", inplacebosses::kAronRows, inplacebosses::kAronRoutes, {}, inplacebosses::kAronStrikes), 12.0f);
SLV_REGISTER_ACTOR(CBattleAronemile, CBattleAronemile::kDef.name);

constinit const EnemyKindDef CBattleCuscoemile::kDef = inplacebosses::Boss("쿠스코_에밀", inplacebosses::kCuscoRows, inplacebosses::kCuscoRoutes, {}, inplacebosses::kCuscoStrikes);
SLV_REGISTER_ACTOR(CBattleCuscoemile, CBattleCuscoemile::kDef.name);
