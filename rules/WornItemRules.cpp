// The named items of a weapon blow, step by step.
#include "rules/WornItemRules.h"

#include <array>

#include "rules/Condition.h"
#include "session/Session.h"

namespace weapon_rules {
namespace {
namespace wornitemrules {

using enum WornSlot;
constexpr ItemTest kAny{};
constexpr ItemTest Kind(std::initializer_list<int> kinds, bool negate = false) {
  return {Ask::kOtherEnemyKind, Bits(kinds), nullptr, negate};
}
constexpr ItemTest Attribute(std::initializer_list<int> attributes, bool negate = false) {
  return {Ask::kOtherAttribute, Bits(attributes), nullptr, negate};
}
constexpr ItemTest kWindWaterOrKind3{Ask::kOtherKindOrWindWater, Bits({3})};

constexpr DecidingWeaponRow kDecidingWeaponRows[] = {
    {"레이피어", 2, false, 2},
    {"링휩", 3, true, 0},
};

constexpr DodgeRow kDodgeRows[] = {
    {kArmor, "펠류시드가브", kAny, 3},
    {kAcc1, "녹색의망토", Kind({0, 1}), 10},
    {kAcc2, "프로텍트링", kAny, 10},
};

constexpr DamageRow kAttackerAttackRows[] = {
    {kWeapon, "바리사다", kWindWaterOrKind3, Change::kPercent, 200},
    {kWeapon, "선소드", {Ask::kOtherUndead}, Change::kPercent, 200},
    {kWeapon, "듀랜달", {Ask::kAlsoWears, 0, "뿔피리"}, Change::kPercent, 200},
    {kWeapon, "오크리스트", Kind({0, 1}), Change::kPercent, 150},
    {kWeapon, "호철", Kind({4}), Change::kPercent, 200},
    {kWeapon, "호철", Kind({4}, true), Change::kPercent, 50},
    {kWeapon, "엡실론", Kind({0, 1}), Change::kPercent, 120},
    {kWeapon, "빅크로스", {Ask::kOtherEnemyUndead}, Change::kSecondAttack, 0},
    {kWeapon, "트롤스베인", Kind({0, 1}), Change::kSecondAttack, 0},
    {kWeapon, "홀리휩", Kind({0, 1}), Change::kSecondAttack, 0},
    {kAcc1, "헤르", {Ask::kOwnAttribute, Bits({3})}, Change::kPercent, 150},
    {kAcc2, "활골무", {Ask::kWearerIs, 0, "celine"}, Change::kPercent, 110},
};

constexpr DamageRow kDefenderAttackRows[] = {
    {kHelmet, "고글", Attribute({4}), Change::kPercent, 90},
    {kHelmet, "선글라스", Attribute({3}), Change::kPercent, 80},
    {kHelmet, "삿갓", Attribute({1}), Change::kPercent, 80},
    {kHelmet, "본헬름", Kind({2, 3}), Change::kPercent, 95},
    {kHelmet, "비레타", Attribute({6}), Change::kPercent, 70},
    {kHelmet, "윔플", Attribute({6}), Change::kPercent, 70},
    {kHelmet, "가시면류관", Attribute({5}), Change::kPercent, 0},
    {kHelmet, "냉기의서클릿", Attribute({3}), Change::kPercent, 50},
    {kAcc1, "묵주", Attribute({6}), Change::kPercent, 50},
    {kAcc1, "천사의브로치", Attribute({5}), Change::kPercent, 50},
};

constexpr DamageRow kDefenceRows[] = {
    {kWeapon, "바리사다", kWindWaterOrKind3, Change::kPercent, 200},
    {kShield, "카오스쉴드", Attribute({5}), Change::kPercent, 0},
    {kShield, "카오스쉴드", Attribute({5}, true), Change::kPercent, 150},
    {kShield, "오더쉴드", Attribute({6}), Change::kPercent, 0},
    {kShield, "오더쉴드", Attribute({6}, true), Change::kPercent, 150},
    {kShield, "폭동진압용방패", Attribute({1, 2, 3, 4}), Change::kPercent, 200},
    {kAcc1, "스톤이어링", kAny, Change::kPercent, 50},
};

constexpr DamageRow kDefenderDamageRows[] = {
    {kArmor, "풀플레이트아머", Attribute({3}), Change::kPercent, 70},
    {kArmor, "풀플레이트아머", Attribute({4}), Change::kPercent, 130},
    {kShoes, "본게이터", Kind({2, 3}), Change::kPercent, 150},
};

constexpr AttributeSkipRow kAttributeSkipRows[] = {
    {kArmor, "시위진압용유니폼", Attribute({1, 2, 3, 4, 7}), false},
    {kHelmet, "가시관면류", Attribute({5}), false},
    {kHelmet, "시위진압용헬멧", Attribute({1, 2, 3, 4}), true},
};

constexpr DeliveryRow kDeliveryRows[] = {
    {"집행인의검", Delivery::kSplit, 80, 20, true},
    {"진압봉", Delivery::kSplit, 0, 100, false},
    {"테일핑", Delivery::kKillUnlessBoss, 0, 0, false},
    {"브레이크블레이드", Delivery::kAttackKind, 3, 0, false},
};

constexpr DigitShare kTripleShares[] = {{33, 0, 0}, {30, -4, 2}, {30, 4, 2}};
constexpr DigitShare kNineTailShares[] = {{9, -6, 8},  {10, -6, 6}, {11, -5, 4}, {13, -3, 2}, {14, 0, 0},
                                          {13, 3, 2},  {11, 5, 4},  {10, 6, 6},  {9, 6, 8}};
constexpr DigitsRow kDigitsRows[] = {
    {"트리플대거", kTripleShares, true},
    {"아홉꼬리고양이", kNineTailShares, false},
};

constexpr WornEffectRow kWeaponConditionRows[] = {
    {kWeapon, "요르문간드", kAny, 3, Effect::kCondition, kStone},
    {kWeapon, "스턴건", kAny, 0, Effect::kStagger, 0},
    {kWeapon, "스트로판드", kAny, 0, Effect::kCondition, kPoison1},
};

constexpr WornEffectRow kAcc1HealingRows[] = {
    {kAcc1, "스톨", Attribute({6}), 0, Effect::kHealTenth, 0},
    {kAcc1, "흡혈귀의망토", Kind({2, 3}), 0, Effect::kHealTenth, 0},
};

constexpr WornEffectRow kWeaponEffectRows[] = {
    {kWeapon, "스톤대거", kAny, 0, Effect::kSpawn, 1019},
    {kWeapon, "묘르닐", kAny, 0, Effect::kSpawn, 1019},
    {kWeapon, "발뭉", kAny, 0, Effect::kSpawn, 264},
    {kWeapon, "레바틴", kAny, 0, Effect::kSpawn, 1018},
    {kWeapon, "튱클레티", kAny, 10, Effect::kCondition, kPoison2},
    {kWeapon, "클리버", kAny, 0, Effect::kHealPercent, 10},
    {kWeapon, "보형용해머", kAny, 5, Effect::kBreakBarrier, 0},
    {kWeapon, "워메이스", kAny, 0, Effect::kDrainBarrier, 0},
    {kWeapon, "랩쳐로즈", kAny, 0, Effect::kCondition, kPoison1},
    {kWeapon, "인디언피스트메이스", kAny, 3, Effect::kStagger, 0},
};

constexpr WornEffectRow kGuardingRows[] = {
    {kShield, "포이즌가드", Kind({4, 5}, true), 0, Effect::kCondition, kPoison2},
};

constexpr WornEffectRow kStruckRows[] = {
    {kArmor, "리플렉서", kAny, 0, Effect::kReflect, 20},
    {kArmor, "연위갑", kAny, 0, Effect::kReflect, 100},
    {kArmor, "아답터블아머", kAny, 0, Effect::kGrow, 3},
    {kShoes, "본게이터", Kind({2, 3}), 0, Effect::kCondition, kCurse},
};

}  // namespace wornitemrules
}  // namespace

const std::span<const DecidingWeaponRow> kDecidingWeapons = wornitemrules::kDecidingWeaponRows;
const std::span<const DodgeRow> kDodges = wornitemrules::kDodgeRows;
const std::span<const DamageRow> kAttackerAttack = wornitemrules::kAttackerAttackRows;
const std::span<const DamageRow> kDefenderAttack = wornitemrules::kDefenderAttackRows;
const std::span<const DamageRow> kDefence = wornitemrules::kDefenceRows;
const std::span<const DamageRow> kDefenderDamage = wornitemrules::kDefenderDamageRows;
const std::span<const AttributeSkipRow> kAttributeSkips = wornitemrules::kAttributeSkipRows;
const std::span<const DeliveryRow> kDeliveries = wornitemrules::kDeliveryRows;
const std::span<const DigitsRow> kDigits = wornitemrules::kDigitsRows;
const std::span<const WornEffectRow> kWeaponConditions = wornitemrules::kWeaponConditionRows;
const std::span<const WornEffectRow> kAcc1Healing = wornitemrules::kAcc1HealingRows;
const std::span<const WornEffectRow> kWeaponEffects = wornitemrules::kWeaponEffectRows;
const ParryRow kParry{"소드브레이커", 3, 20};
const std::span<const WornEffectRow> kGuarding = wornitemrules::kGuardingRows;
const std::span<const WornEffectRow> kStruck = wornitemrules::kStruckRows;

}  // namespace weapon_rules

namespace {
namespace wornitemrules {

bool InMask(uint32_t mask, int value) { return value >= 0 && value < 32 && (mask >> value & 1u) != 0; }

bool Holds(const ItemTest& test, const Fighter& wearer, const Fighter& other) {
  switch (test.ask) {
    case Ask::kAlways: return true;
    case Ask::kOtherEnemyKind: return InMask(test.mask, other.Kind());
    case Ask::kOtherKindOrWindWater: {
      const std::string& id = other.Name();
      return other.IsParty() ? id == "sizz" || id == "sizz2" || id == "ai" : InMask(test.mask, other.Kind());
    }
    case Ask::kOtherUndead: return (other.Conditions() & kUndead) != 0;
    case Ask::kOtherEnemyUndead: return !other.IsParty() && (other.Conditions() & kUndead) != 0;
    case Ask::kOtherAttribute: return InMask(test.mask, other.AttackAttribute());
    case Ask::kOwnAttribute: return InMask(test.mask, wearer.AttackAttribute());
    case Ask::kAlsoWears: return wearer.IsParty() && CSession::GetInstance().HasEquipped(wearer.player->playerId, test.name);
    case Ask::kWearerIs: return wearer.Name() == test.name;
  }
  return false;
}

}  // namespace wornitemrules
}  // namespace

bool RowTestHolds(const ItemTest& test, const Fighter& wearer, const Fighter& other) {
  // A kind test is about an enemy: a member is of no kind, either way.
  if (test.negate) return (test.ask != Ask::kOtherEnemyKind || !other.IsParty()) && !wornitemrules::Holds(test, wearer, other);
  return wornitemrules::Holds(test, wearer, other);
}

int64_t ApplyDamageRow(const DamageRow& row, const Fighter& wearer, int64_t value) {
  if (row.change == Change::kSecondAttack) return wearer.IsParty() ? wearer.player->intelligence : value;
  return value * row.percent / 100;
}
