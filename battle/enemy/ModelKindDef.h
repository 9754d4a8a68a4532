#pragma once
// One model kind as constant data (Kind::kDef, run by TableEnemy3d): the
// model action each code plays, its constructor values, and what it does
// per tick: idle, the specials it knows by name, approaches, strikes,
// chains and the lunge. Codes it has no entry for are the base's.
#include <array>
#include <cstdint>
#include <span>

#include "battle/ActionCode.h"

// A model action as bound: index, frame delay, play mode (0 once, 2 loop,
// 3 ping-pong).
struct ModelPick {
  int32_t action = 0, delay = 1, mode = 0;
};

// kNone: 10001 leaves the return point where it was.
enum class ModelReturn : uint8_t { kJitter, kOwn, kNone };

struct ModelRow {
  int32_t code = 0;
  // More than one pick: rand() % pickCount chooses, before anything else.
  std::array<ModelPick, 4> picks{};
  int32_t pickCount = 1;
  ModelReturn back = ModelReturn::kJitter;  // read on 10001 only
  bool strikePending = false;                // the lunges' m_specialFlag
  int32_t entries = 1;                       // times the bases enter the code
  float takeOff = 0.0f;                      // non-zero: leaves the ground at this vertical speed
};

// A name of the chosen skill (or magic) and the code it plays.
struct ModelName {
  const char* name = nullptr;
  int32_t code = kActIdle;
};

struct ModelApproach {
  int32_t code = 0, next = 0;
  float reachFactor = 0.4f;
  float reachBonus = 0.0f;  // added to the reach before the factor
};

struct ModelFootsteps {
  const char* right = nullptr;
  int32_t rightFrame = -1;
  const char* left = nullptr;
  int32_t leftFrame = -1;
};

struct ModelStrike {
  int32_t code = 0;
  int32_t hitKind = 0;
  int32_t hardAbove = -1;  // >= 0: hitKind 2 while the model frame is above it
  float charge = 0.0f;     // non-zero: runs along its heading at this speed, not turning
  int32_t next = kActIdle;  // a chain's next link
  int32_t hardOn = -1;      // >= 0: hitKind 2 on the ticks the model frame is this one
  float leap = 0.0f;        // non-zero: flies on along its heading at this speed, strikes once landed
};

struct ModelLunge {
  int32_t code = 0;
  int32_t startFrame = 0, endFrame = 0;
  float keepMoving = 0.0f;
};

struct ModelKindDef {
  const char* name = nullptr;
  std::span<const ModelRow> rows = {};
  int32_t fadeStep = 3;
  float walkSpeed = 0.0f;  // non-zero: the speed it walks back at
  float absorbGain = 15.0f, absorbDivisor = 30.0f;
  bool watch = false;  // 10000 watches for a member in reach
  // The special order (10018): the hit lock of its close-up and the names.
  int32_t specialLock = 0;
  std::span<const ModelName> specials = {};
  std::span<const ModelName> magics = {};  // the magic order (10009)
  int32_t plainAtLeast = -1;  // >= 0: rand() % 10 at or above it plays 10001 instead
  int32_t castMagic = -1;     // >= 0: 10018 is its strike, casting this magic at the target
  std::span<const ModelApproach> approaches = {};
  ModelFootsteps footsteps = {};
  std::span<const ModelStrike> strikes = {};
  std::span<const ModelLunge> lunges = {};
  bool entranceEnds = false;     // 10031 goes idle once its model action ends
  int32_t skillAfterMelee = -1;  // >= 0: a weapon attack is followed by this skill on 10065
  int32_t drawMode = 0, altAlpha = 255;  // as the model enemy draws them
  int32_t magicLock = 0;  // > 0: the magic order ignores hits this long, without a close-up
  // A special or magic order it has no handler for runs on in the base,
  // which leaves it in that order; false: it goes idle.
  bool ordersWithoutHandlerStay = false;

  const ModelRow* FindRow(int32_t code) const {
    for (const ModelRow& r : rows) {
      if (r.code == code) return &r;
    }
    return nullptr;
  }
};

namespace modelrows {

constexpr int32_t kOnce = 0, kLoop = 2, kPingPong = 3;

constexpr ModelRow Row(int32_t code, int32_t action, int32_t delay, int32_t mode) {
  ModelRow row;
  row.code = code;
  row.picks[0] = ModelPick{action, delay, mode};
  return row;
}
// One of `count` model actions from `first` on, drawn as the code is entered.
constexpr ModelRow Drawn(int32_t code, int32_t first, int32_t count, int32_t delay, int32_t mode) {
  ModelRow row = Row(code, first, delay, mode);
  for (int32_t i = 1; i < count; ++i) row.picks[static_cast<size_t>(i)] = ModelPick{first + i, delay, mode};
  row.pickCount = count;
  return row;
}

}  // namespace modelrows

namespace modelrows {

// The rows most model kinds share, by what the model does: `walk` serves
// every walking code (10001, 10003, 10010, 10032), `hurt` both hits.
struct Layout {
  ModelPick idle, walk;
  ModelRow attack;
  ModelPick wander, hurt, dying, entrance;
  ModelReturn back = ModelReturn::kJitter;
  bool walkBack = true;  // false: 10003 binds nothing, the model plays on
};

constexpr ModelRow Row(int32_t code, ModelPick pick) { return Row(code, pick.action, pick.delay, pick.mode); }

// The shared rows, then the kind's own. Without a walk back the slot of
// 10003 repeats 10010, which the first 10010 row shadows.
template <size_t N>
constexpr std::array<ModelRow, 11 + N> Laid(const Layout& l, const std::array<ModelRow, N>& own) {
  ModelRow approach = Row(kActApproach, l.walk);
  approach.back = l.back;
  ModelRow attack = l.attack;
  attack.code = kActAttack;
  std::array<ModelRow, 11 + N> rows{Row(kActIdle, l.idle),
                                    approach,
                                    attack,
                                    Row(kActWalkToPoint, l.walk),
                                    Row(kActWalkToActor, l.walk),
                                    Row(kActWander, l.wander),
                                    Row(kActDamageLight, l.hurt),
                                    Row(kActDamage, l.hurt),
                                    Row(kActDying, l.dying),
                                    Row(kActFadeIn, l.entrance),
                                    Row(l.walkBack ? kActWalkBack : kActWalkToPoint, l.walk)};
  for (size_t i = 0; i < N; ++i) rows[11 + i] = own[i];
  return rows;
}

}  // namespace modelrows
