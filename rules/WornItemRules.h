#pragma once
// The weapon rules' named items as data: each step of a blow has its own row
// type and one interpreter (in the rules that run the step). Names are the
// items' exact names; a row applies to the item worn in its slot.
#include <cstdint>
#include <initializer_list>
#include <span>

#include "rules/Fighter.h"

constexpr uint32_t Bits(std::initializer_list<int> values) {
  uint32_t mask = 0;
  for (int v : values) mask |= 1u << v;
  return mask;
}

// What a row asks of the blow, seen from the wearer: "other" is the other
// side of the blow.
enum class Ask : uint8_t {
  kAlways,
  kOtherEnemyKind,            // the other is an enemy whose kind is in the mask
  kOtherKindOrWindWater,      // ... or a member "sizz", "sizz2" or "ai"
  kOtherUndead,               // either side
  kOtherEnemyUndead,
  kOtherAttribute,            // the other's attack attribute is in the mask
  kOwnAttribute,              // the wearer's attack attribute is in the mask
  kAlsoWears,                 // the wearer wears `name` anywhere
  kWearerIs,                  // the wearer's identifier is `name`
};

struct ItemTest {
  Ask ask = Ask::kAlways;
  uint32_t mask = 0;
  const char* name = nullptr;
  bool negate = false;  // the test must fail (an enemy other only, for kinds)
};

// How a damage row changes the value.
enum class Change : uint8_t { kPercent, kSecondAttack };

struct DamageRow {
  WornSlot slot;
  const char* name;
  ItemTest when;
  Change change;
  int percent;
};

// The hit roll's weapons that decide at once: rand() % modulus compared with
// 0 (equal when `onZero`) gives `result`.
struct DecidingWeaponRow {
  const char* name;
  int modulus;
  bool onZero;
  int result;
};

// A party target's worn item that turns a hit into a miss, 1 in `odds`.
struct DodgeRow {
  WornSlot slot;
  const char* name;
  ItemTest when;
  int odds;
};

// Worn items that keep the attribute step (and the guard halving) away;
// `coin` adds a 1 in 2 draw.
struct AttributeSkipRow {
  WornSlot slot;
  const char* name;
  ItemTest when;
  bool coin;
};

// How a weapon delivers its blow to an enemy.
enum class Delivery : uint8_t { kSplit, kKillUnlessBoss, kAttackKind };
struct DeliveryRow {
  const char* name;
  Delivery delivery;
  int a, b;            // split percentages (barrier, hit points), or the attack kind
  bool onMembersToo;   // also when the target is a party member
};

// A number of a several-number weapon: percent of the damage at a place.
struct DigitShare {
  int percent;
  int column, row;
};
struct DigitsRow {
  const char* name;
  std::span<const DigitShare> shares;
  bool onMembersToo;  // also over a party member (in the enemies' colour)
};

// What a weapon or worn item does beyond the damage.
enum class Effect : uint8_t {
  kCondition,     // value: the condition bit, on the other
  kStagger,       // the other's SetAction 10007
  kSpawn,         // value: the effect number, on the other
  kHealPercent,   // the wearer heals value percent of the damage
  kHealTenth,     // the wearer heals a tenth of the damage
  kBreakBarrier,  // barrier below half its maximum becomes 0
  kDrainBarrier,  // barrier of at least half the damage loses that half
  kReflect,       // value percent of the damage back to the attacker
  kGrow,          // the growing armour
};
struct WornEffectRow {
  WornSlot slot;
  const char* name;
  ItemTest when;
  int odds;  // 1 in odds; 0 always
  Effect effect;
  int value;
};

struct ParryRow {
  const char* name;
  int odds;
  int gauge;
};

namespace weapon_rules {
extern const std::span<const DecidingWeaponRow> kDecidingWeapons;
extern const std::span<const DodgeRow> kDodges;
extern const std::span<const DamageRow> kAttackerAttack;   // party attacker's m
extern const std::span<const DamageRow> kDefenderAttack;   // party target's gear on an enemy's m
extern const std::span<const DamageRow> kDefence;          // party target's B
extern const std::span<const DamageRow> kDefenderDamage;   // party target's gear on D
extern const std::span<const AttributeSkipRow> kAttributeSkips;
extern const std::span<const DeliveryRow> kDeliveries;
extern const std::span<const DigitsRow> kDigits;
extern const std::span<const WornEffectRow> kWeaponConditions;  // after the digits
extern const std::span<const WornEffectRow> kAcc1Healing;
extern const std::span<const WornEffectRow> kWeaponEffects;     // also when the digits were skipped
extern const ParryRow kParry;
extern const std::span<const WornEffectRow> kGuarding;          // the defender guards: on the attacker
extern const std::span<const WornEffectRow> kStruck;            // the defender was struck
}  // namespace weapon_rules

// Whether a row's test holds for a wearer against the other side.
bool RowTestHolds(const ItemTest& test, const Fighter& wearer, const Fighter& other);
// A damage row's change of the value (the wearer's second attack for kSecondAttack).
int64_t ApplyDamageRow(const DamageRow& row, const Fighter& wearer, int64_t value);
