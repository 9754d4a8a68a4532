#pragma once
// One enemy kind as data: the animations it enters its own codes with, where
// its special sheet lies, how its orders route by the chosen special, its
// approaches and strikes, its figure on the time-gauge bar and a periodic
// sound. TableEnemy runs every kind from its table; a new kind adds rows.
#include <cstdint>
#include <span>

#include "battle/ActionCode.h"

// Which sheet a row shows: the slot's own names, the kind's "_특수" sheet,
// or whatever it shows now.
enum class EnemySheet : uint8_t { kNormal, kSpecial, kKeep };

// The after-image a block switches on every tick it runs.
enum class EnemyTrail : uint8_t { kNone, kStrike, kApproach };

enum class EnemyFacing : uint8_t { kNone, kEveryTick, kFirstTicks };

enum class EnemyResolve : uint8_t { kSpecial, kWeapon, kNone };

// The per-tick body for the codes the kind's blocks do not name.
enum class EnemyBody : uint8_t { kForward, kSpecialApproach, kSpecialInPlace };

struct EnemyRow {
  int32_t code = 0;
  int32_t base = 0, delay = 8, mode = 0;  // the animation triple; mode 0 once, 2 loop, 3 ping-pong
  EnemySheet sheet = EnemySheet::kNormal;
  const char* wave = nullptr;  // played as the code is entered
  float hop = 0.0f;            // non-zero: thrown up with this vertical speed
  bool toBase = false;         // only the wave; the base enters the code
  int32_t evenBase = -1;       // this base instead when rand() comes out even
};

struct EnemyRouteCase {
  int32_t index = 0;  // the chosen special
  int32_t code = 0;
};

// The start's effect for one chosen special.
struct EnemyEffectCase {
  int32_t index = 0;
  int32_t effect = 0;
};

// An order code (10018, 10009) picking its next code by `m_chosenIndex`.
struct EnemyRoute {
  int32_t code = 0;
  std::span<const EnemyRouteCase> cases{};
  int32_t otherwise = kActIdle;
  int32_t startEffect = 0;  // non-zero: this effect and the dimmed pause before the pick
  int32_t startPause = 30;
  std::span<const EnemyEffectCase> startEffects{};  // by the chosen special; `startEffect` for any other
  int32_t hitLock = 0;  // non-zero: hits ignored this long, set before the pick
  int32_t choose = -1;  // 0 or more: this special, as a skill, becomes the chosen one
};

// Walking up to the target until the chosen special's distance is met.
struct EnemyApproach {
  int32_t code = 0;
  float factor = 0.7f;
  int32_t next = kActSpecialHit;
  int32_t limit = 0;  // non-zero: idle past this tick
  bool trail = true;
  int32_t arrivalEffect = 0;
  bool start = false;  // effect 1011 and the dimmed pause while the tick is at most 1
  float distance = 0.0f;  // non-zero: below this fixed distance, whatever the special
  bool reachIncluded = false;  // the fixed distance itself is near enough
  EnemyResolve arrival = EnemyResolve::kNone;  // resolved as it arrives, before `next`
  // Non-zero: on every tick that is a multiple of it, each party member
  // nearer than `sweepReach` is struck on the way.
  int32_t sweepEvery = 0;
  float sweepReach = 0.0f;
};

struct EnemyStrike {
  int32_t code = 0;
  bool start = true;  // effect 1011 and the dimmed pause while the tick is at most 1
  EnemyTrail trail = EnemyTrail::kStrike;
  EnemyFacing facing = EnemyFacing::kEveryTick;
  float drift = 0.0f;     // non-zero: this speed along the heading every tick
  int32_t hitKind = 0;    // non-zero: set before each resolution
  EnemyResolve resolve = EnemyResolve::kSpecial;
  bool resolveAtEnd = false;  // once when the animation ends, not on hit frames
  int32_t hitLock = 0;        // non-zero: hits ignored, renewed every tick
  int32_t end = kActWalkBack;
  int32_t endTick = 0;        // non-zero: ends past this tick or on landing, not with the animation
  bool needsTarget = true;    // without a target it goes idle
  bool trailOffAtEnd = true;  // false: the end code's own entry switches it off
  int32_t lateTick = 0;       // non-zero: from this tick on the hit kind is `lateHitKind`
  int32_t lateHitKind = 0;
  int32_t holdPast = 0;       // non-zero: a held last frame ends it only past this tick
  bool lockWithTarget = false;  // the lock only on ticks that have a target
  bool startWithTarget = false;  // no flourish on a first tick without a target
  bool resolveOnFirstTick = false;  // once on its first tick, in place of the hit frames
  bool endsOnLanding = true;        // with `endTick`: landing ends it too
  bool trailBeforeStart = false;    // the after-image is on before the flourish
  bool driftOnce = false;       // the drift's speed set on the first tick only
  int32_t targetEffect = 0;       // non-zero: this effect on the target before each resolution
  bool targetEffectNear = false;  // after it instead, and only within the attack reach less a fifth
};

// A run at the target until it is within `reachFactor` times the attack
// reach; blocked over 55 ticks or past tick 600 it gives up and idles.
struct EnemyRush {
  float speed = 1.5f;
  float reachFactor = 0.8f;
  int32_t next = kActSpecialHit;
  bool gaugeOnGiveUp = false;  // giving up sets the gauge to 50
  bool hop = false;            // thrown up again whenever it is on the ground
  float margin = 0.0f;         // non-zero: within the reach less this share of it, not reachFactor
  int32_t code = 0;            // the code that runs it, in a table
};

// Facing the target until the tick passes `afterTick`, then `next`.
struct EnemyWindUp {
  int32_t code = 0;
  int32_t next = 0;
  int32_t afterTick = 0;
  bool trail = false;
};

// The figure on the time-gauge bar.
struct EnemyIcon {
  int32_t sheetAction = -1;  // 0 or more: that action of the shared icon sheet
  float currentScale = 1.5f;
  bool barZoom = true;
  int32_t lower = 0;  // pixels further down
};

struct EnemyPeriodicSound {
  const char* wave = nullptr;
  int32_t every = 0;
  int32_t code = 0;  // 0: whatever the code
};

// How a kind that hits cannot move takes a hit: the gauge a hit the base
// dropped gives back, and the turn every hit leaves it with.
struct EnemyHitImmunity {
  int32_t gaugeBonus = 11;
  int32_t turn = 0;  // degrees, not wrapped
};

struct EnemyKindDef {
  const char* name = "";                 // the registration name, also the special sheet's
  const char* specialFolder = nullptr;   // null: no special sheet
  EnemyBody body = EnemyBody::kForward;
  std::span<const EnemyRow> rows{};
  std::span<const EnemyRow> layout{};  // shared rows, after the kind's own
  std::span<const EnemyRoute> routes{};
  std::span<const EnemyApproach> approaches{};
  std::span<const EnemyStrike> strikes{};
  EnemyIcon icon{};
  EnemyPeriodicSound sound{};
  std::span<const EnemyWindUp> windUps{};
  std::span<const EnemyRush> rushes{};
  // The bosses' own: idle, a blow at any member in reach for 20 of the
  // gauge; the strikes' hit locks (off for a kind that only looks like a
  // boss); the hit-immune handling's parameters.
  bool idleStrike = false;
  bool strikeLocks = true;
  EnemyHitImmunity hitImmunity{};
  // Non-zero: the idle blow goes to the nearest member instead, when it is
  // nearer than this.
  float nearestStrikeReach = 0.0f;
  int32_t startEffect = 1011;          // the flourish's effect
  const char* specialSheet = nullptr;   // the special sheet's full stem, whatever the name

  const EnemyRow* FindRow(int32_t code) const {
    const EnemyRow* row = Find(rows, code);
    return row != nullptr ? row : Find(layout, code);
  }
  const EnemyRoute* FindRoute(int32_t code) const { return Find(routes, code); }
  const EnemyApproach* FindApproach(int32_t code) const { return Find(approaches, code); }
  const EnemyStrike* FindStrike(int32_t code) const { return Find(strikes, code); }
  const EnemyWindUp* FindWindUp(int32_t code) const { return Find(windUps, code); }
  const EnemyRush* FindRush(int32_t code) const { return Find(rushes, code); }

 private:
  template <class T>
  static const T* Find(std::span<const T> items, int32_t code) {
    for (const T& item : items) {
      if (item.code == code) return &item;
    }
    return nullptr;
  }
};

// The blocks the shared bodies run, for kinds that take them as they are.
namespace enemyblocks {
inline constexpr int32_t kStartEffect = 1011;
inline constexpr EnemyRoute kSpecialOrder{kActSpecialSkill, {}, kActSpecialApproach};
inline constexpr EnemyRoute kInPlaceOrder{kActSpecialSkill, {}, kActSpecialHit, 1011};
inline constexpr EnemyApproach kApproach{kActSpecialApproach};
inline constexpr EnemyStrike kStrike{kActSpecialHit};
inline constexpr EnemyStrike kInPlaceStrike{.code = kActSpecialHit, .start = false};
}  // namespace enemyblocks
