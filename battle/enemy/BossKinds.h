#pragma once
// The bosses from Bredan Hollow to Ulmgard, among them the Arbiters'
// Heritage: the head a boss, the subordinate its look-alike that hits break,
// the illusion its figure with the plain actions alone. Each is its table;
// the blocks the boss strikes are made of stand below for the kinds to come.
#include "battle/enemy/BattleGroundEnemy.h"
#include "battle/enemy/BattleHitImmuneEnemy.h"
#include "battle/enemy/TableEnemy.h"

#define SLV_HIT_IMMUNE_ENEMY(Class)                  \
  class Class : public HitImmuneEnemy<Class> {      \
    SLV_OBJECT(Class)                               \
   public:                                          \
    static const EnemyKindDef kDef;                 \
  }

SLV_HIT_IMMUNE_ENEMY(CBattleBredanHollow);
SLV_HIT_IMMUNE_ENEMY(CBattleArbitersHeritage01);
SLV_TABLE_ENEMY(CBattleArbitersHeritage02, CBattleGroundEnemy);
SLV_TABLE_ENEMY(CBattleArbitersHeritage03, CBattleGroundEnemy);
SLV_HIT_IMMUNE_ENEMY(CBattleTolmirVeskaro);
SLV_HIT_IMMUNE_ENEMY(CBattleUlmgard);

namespace bossblocks {

// Hits are dropped while a locked strike runs and for three ticks after.
inline constexpr int32_t kLock = 3;

// The flourish, the lock renewed every tick, the after-image, facing the
// target, resolved on the hit frames.
constexpr EnemyStrike Strike(int32_t code, int32_t end) { return {.code = code, .hitLock = kLock, .end = end}; }
// Resolved once, as the row ends.
constexpr EnemyStrike AtEnd(EnemyStrike s) {
  s.resolveAtEnd = true;
  return s;
}
// Turned at the target on the first tick, then carried along that heading.
constexpr EnemyStrike Lunge(EnemyStrike s, float speed) {
  s.facing = EnemyFacing::kFirstTicks;
  s.drift = speed;
  return s;
}
// A stage after the first of a chain: no flourish.
constexpr EnemyStrike Chained(EnemyStrike s) {
  s.start = false;
  return s;
}
// The first stage of a chain: its flourish only at a target it has.
constexpr EnemyStrike ChainHead(EnemyStrike s) {
  s.startWithTarget = true;
  return s;
}
// Locked only on ticks that have a target.
constexpr EnemyStrike LockedWithTarget(EnemyStrike s) {
  s.lockWithTarget = true;
  return s;
}
// Its hits go out with this knock-back kind.
constexpr EnemyStrike Index(EnemyStrike s, int32_t hitKind) {
  s.hitKind = hitKind;
  return s;
}

// The look-alike of a boss: its rows and specials, but no blow from idle
// and no strike locked.
constexpr EnemyKindDef WithoutBossBlocks(EnemyKindDef def, const char* name) {
  def.name = name;
  def.idleStrike = false;
  def.strikeLocks = false;
  return def;
}

// The kind's own weapon attack: resolved as the base's on the hit frames,
// no flourish and no after-image.
constexpr EnemyStrike OwnBlow(float lunge, EnemyFacing facing = EnemyFacing::kEveryTick, int32_t end = kActWalkBack) {
  return {.code = kActAttack,
          .start = false,
          .trail = EnemyTrail::kNone,
          .facing = facing,
          .drift = lunge,
          .resolve = EnemyResolve::kWeapon,
          .end = end};
}
// No flourish of its own: the order gave it, or nobody does.
constexpr EnemyStrike Quiet(EnemyStrike s) {
  s.start = false;
  return s;
}
constexpr EnemyStrike NoTrail(EnemyStrike s) {
  s.trail = EnemyTrail::kNone;
  return s;
}
// Struck where it stands without show: no flourish, no after-image,
// locked while it has a target.
constexpr EnemyStrike Bare(int32_t code, int32_t end) { return LockedWithTarget(Quiet(NoTrail(Strike(code, end)))); }

constexpr EnemyRow Loop(int32_t code, int32_t base, int32_t delay = 8) {
  return {.code = code, .base = base, .delay = delay, .mode = 2};
}
constexpr EnemyRow Once(int32_t code, int32_t base, int32_t delay = 8) { return {.code = code, .base = base, .delay = delay}; }

}  // namespace bossblocks
