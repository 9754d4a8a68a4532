#pragma once
// How one playable character form fights, as data read by the one scheme
// every form shares (CBattleCharacter): the sheets of its own codes, how the
// chosen skill turns into a code, how it runs in and how each blow goes.
// A second form runs the codes it leaves silent as its first form does;
// no form runs another character's rows.
#include <array>
#include <cstdint>
#include <span>

class CBattleCharacter;

namespace battleform {

enum class Sheet : uint8_t { kOwn, kMove, kPose };

// One own code: its sheet and animation; a second pose is picked by an
// even rand().
struct OwnRow {
  int32_t code;
  Sheet sheet = Sheet::kOwn;
  const char* name = nullptr;
  const char* secondPose = nullptr;
  bool byWeapon = false;  // the form's suffix for the worn weapon's class follows the name
  int32_t base = 0, delay = 0, mode = 0;
  const char* enterSound = nullptr;  // played as the code is entered
};

constexpr OwnRow Own(int32_t code, int32_t base, int32_t delay, int32_t mode) {
  return {code, Sheet::kOwn, nullptr, nullptr, false, base, delay, mode, nullptr};
}
constexpr OwnRow Move(int32_t code, const char* name, int32_t base, int32_t delay, int32_t mode) {
  return {code, Sheet::kMove, name, nullptr, false, base, delay, mode, nullptr};
}
constexpr OwnRow ByWeapon(OwnRow row) {
  row.byWeapon = true;
  return row;
}
constexpr OwnRow Sounded(OwnRow row, const char* sound) {
  row.enterSound = sound;
  return row;
}
// The victory pose, code 10083.
constexpr OwnRow Pose(const char* first, const char* second = nullptr) {
  return {10083, Sheet::kPose, first, second, false, 0, 8, 0, nullptr};
}

enum class RouteBy : uint8_t { kSkill, kWeaponClass, kWeaponName };

// Skill ids lo-hi, a weapon class lo or a weapon's name, to the code.
struct RouteRow {
  RouteBy by;
  int32_t lo, hi;
  const char* name;
  int32_t code;
};

constexpr RouteRow Skills(int32_t lo, int32_t hi, int32_t code) { return {RouteBy::kSkill, lo, hi, nullptr, code}; }
constexpr RouteRow Skill(int32_t id, int32_t code) { return Skills(id, id, code); }
constexpr RouteRow WeaponClass(int32_t weaponClass, int32_t code) {
  return {RouteBy::kWeaponClass, weaponClass, weaponClass, nullptr, code};
}
constexpr RouteRow WeaponNamed(const char* name, int32_t code) { return {RouteBy::kWeaponName, 0, 0, name, code}; }

enum class Goal : uint8_t { kNone, kTarget, kWalkPoint };

struct IdRange {
  int32_t lo = -1, hi = -1;
};

// A run toward the goal until within reach of it, then the hit code.
struct ApproachRow {
  int32_t code;
  Goal goal;
  int32_t hitCode;
  float within = 10.0f;
  // Another reach for the chosen skills in these ranges or of this name.
  float otherWithin = 0.0f;
  std::array<IdRange, 2> otherSkills{};
  const char* otherSkillName = nullptr;
  int32_t giveUpAfter = 300;
  int32_t giveUpCode = 10000;
  float giveUpGauge = -1.0f;  // the gauge on giving up; below 0 as it is
  bool stuckGivesUp = false;  // bumping on for long gives up too
  int32_t soundEvery = 0;     // 0: the form's period
  // Trail of this length on every tick instead of the form's.
  int32_t trailEveryTick = 0;
  const char* atOnceFor = nullptr;  // this chosen skill sets the hit code without running
};

// How the form runs in, for every approach.
struct ApproachStyle {
  const char* sound = nullptr;
  int32_t soundEvery = 20;
  int32_t trailLength = 20;
  bool trailEveryTick = false;
};

enum class Resolve : uint8_t { kNone, kSkill, kWeapon, kMagic, kArrow };
enum class When : uint8_t { kHitFrame, kEnd, kTick, kFrame, kAfterTick };
enum class End : uint8_t { kReturn, kIdle, kDefend, kNext };

// The blow's strength: low before tick `from`, high from it; only the low
// one for the named skill (any skill without a name). low < 0 keeps the
// strength the hit frame gave.
struct Strength {
  int32_t low = -1, high = -1, from = 0;
  const char* onlyFor = nullptr;
};

constexpr Strength Fixed(int32_t s) { return {s, s, 0, nullptr}; }
constexpr Strength ByTick(int32_t low, int32_t high, int32_t from) { return {low, high, from, nullptr}; }

// One tick of a hit code, first tick to its end.
struct HitRow {
  int32_t code;
  // First tick.
  bool start = false;      // trail, effect 1011 and the battle's short pause
  bool trailOn = false;    // the trail alone
  Goal faceFirst = Goal::kNone;
  float hopSpeed = 0.0f;   // upward speed (negative); 0 stays on the ground
  float hopGravity = 1.0f;
  const char* caption = nullptr;
  int32_t firstEffect = 0;
  int32_t firstPause = 0;  // the battle's short pause, in ticks
  // Every tick.
  Goal face = Goal::kNone;
  float run = 0.0f;  // toward the faced goal, or the target
  bool runAfterEnd = false;
  std::array<IdRange, 2> runOnlyFor{};  // when set, the other chosen skills stand
  const char* tickSound = nullptr;
  int32_t soundTick = 0;
  int32_t soundEvery = 0;  // the tick sound again every so many ticks
  int32_t lateStart = 0;   // the special start at this tick instead of the first
  // The blow.
  Resolve resolve = Resolve::kSkill;
  When resolveAt = When::kHitFrame;
  int32_t resolveTick = 0;  // the tick or frame of kTick and kFrame
  Strength strength{};
  float reach = 1.0f;      // of a weapon blow
  int32_t skillId = -1;    // the skill the blow resolves, when not the chosen one
  // The named chosen skill strikes again every so many ticks.
  int32_t repeatEvery = 0;
  const char* repeatFor = nullptr;
  int32_t trailOffAfter = -1;
  // The end.
  When endAt = When::kEnd;
  int32_t endTick = 0;
  End end = End::kReturn;
  int32_t next = 0;
  const char* idleFor = nullptr;  // this chosen skill ends idle
  int32_t idleAfter = 0;          // gives up, idle, after so many ticks; 0 never
  bool spell = false;  // no guard while it runs, and no target needed
};

// An order kind (and the special flag, -1 any) to the code entered.
struct OrderRow {
  int32_t kind;
  int32_t flag = -1;
  int32_t guardTicks = -1;  // below 0 as they are
  bool clearCombatPoints = false;
  int32_t code = 0;
};

struct WeaponSuffix {
  int32_t weaponClass;
  const char* suffix;
  const char* poseSuffix = nullptr;  // the pose's, when it differs
};

struct Form {
  int32_t menuIndex = 0;
  std::span<const OwnRow> rows{};
  std::span<const RouteRow> route{};
  std::span<const RouteRow> groups{};
  int32_t routeDefault = 10001;
  std::span<const ApproachRow> approaches{};
  ApproachStyle approach{};
  std::span<const HitRow> hits{};
  std::span<const OrderRow> orders{};
  const char* suffix = nullptr;  // after every special sheet's name
  std::span<const WeaponSuffix> weaponSuffixes{};
  const char* noWeaponSheet = nullptr;  // logged for a weapon without sheets
  bool routeStarts = false;  // effect 1011 and the short pause as the skill is chosen
  // What no row says; true when it took the tick.
  bool (*hook)(CBattleCharacter& self, int32_t code) = nullptr;
  bool shootsArrows = false;  // the strike shoots instead of striking
  const Form* base = nullptr;  // the first form of a second form
};

extern const Form kSizz, kSizz2, kMaria, kMaria2, kAi, kKreutzer, kElluard, kElluard2, kTenzi, kCeline, kCarrot,
    kPeach;

}  // namespace battleform
