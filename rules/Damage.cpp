// The damage of a weapon blow: levels, attack and defence with the worn
// items, the attribute table and the height of the blow. Worked in 64 bits
// and clamped to int: table values may be any 32-bit numbers.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "battle/BattleObject.h"
#include "platform/Random.h"
#include "rules/Condition.h"
#include "rules/DamageSteps.h"
#include "rules/Fighter.h"
#include "rules/WornItemRules.h"
#include "session/Session.h"

namespace damage_steps {

int ClampInt(int64_t v) {
  return static_cast<int>(
      std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

void RaiseCapped(int32_t& value, int64_t amount, int32_t maximum) {
  value = ClampInt(std::min<int64_t>(int64_t{value} + amount, maximum));
}

int64_t GapFactor(const CSession& session, int64_t gap) {
  return 100 + int64_t{session.levelFactor[static_cast<size_t>(std::min<int64_t>(gap - 1, 24))]};
}

int FinishDamage(CSession& session, int64_t d, const DamageSides& sides, int64_t finalFactor) {
  const int64_t f = CSession::ApplyHeightFactor(ClampInt(d), session.GetActorHeight(sides.a, sides.aIsParty),
                                                session.GetActorHeight(sides.t, sides.tIsParty));
  const int64_t r = f / 5 > 0 ? platform::Rand() % (f / 5) : 0;
  int64_t value = (f - f / 10 + r) * finalFactor / 100;
  if (!sides.aIsParty) {
    value /= 3;
    if (!sides.tIsParty) value *= 3;
  }
  // A negative level-gap entry could make a blow heal: a blow deals at least 1.
  return ClampInt(std::max<int64_t>(value, 1));
}

}  // namespace damage_steps

using damage_steps::ClampInt;
using damage_steps::DamageSides;
using damage_steps::FinishDamage;
using damage_steps::GapFactor;

namespace {

constexpr int kAttributeTable[7][9] = {
    {100, 10, 100, 200, 50, 50, 50, 100, 50},      // 1
    {100, 100, 100, 50, 50, 50, 50, 100, 70},      // 2
    {100, 10, 150, 10, 100, 50, 50, 100, 50},      // 3
    {100, 200, 50, 100, 10, 50, 50, 100, 100},     // 4
    {100, 100, 150, 100, 100, 100, 100, 150, 150},  // 5
    {100, 100, 150, 100, 100, 100, 100, 150, 150},  // 6
    {100, 100, 100, 100, 100, 50, 50, 50, 50},      // 7
};

int HeightFactor(int value, float attackerHeight, float targetHeight, int percent) {
  const float diff = attackerHeight - targetHeight;
  const int64_t v = value;
  if (diff >= 10.0f) return ClampInt(v + v * percent / 100);
  if (diff <= -10.0f) return ClampInt(v - v * percent / 100);
  return value;
}

// Runs a step's rows for the items the wearer has on.
int64_t ApplyRows(std::span<const DamageRow> rows, const Fighter& wearer, const Fighter& other, int64_t value) {
  for (const DamageRow& row : rows) {
    if (!RowTestHolds(row.when, wearer, other)) continue;
    for (int n = CountWorn(*wearer.player, row.slot, row.name); n > 0; --n) {
      value = ClampInt(ApplyDamageRow(row, wearer, value));
    }
  }
  return value;
}

bool SkipsAttributeStep(const Fighter& defender, const Fighter& attacker) {
  for (const AttributeSkipRow& row : weapon_rules::kAttributeSkips) {
    if (!Wears(*defender.player, row.slot, row.name) || !RowTestHolds(row.when, defender, attacker)) continue;
    if (!row.coin || platform::Rand() % 2 == 0) return true;
  }
  return false;
}

}  // namespace

int CSession::ApplyAttributeFactor(int damage, int attackAttribute, int defenceAttribute) {
  if (attackAttribute < 1 || attackAttribute > 7 || defenceAttribute < 0 || defenceAttribute > 8) return damage;
  return ClampInt(int64_t{damage} * kAttributeTable[attackAttribute - 1][defenceAttribute] / 100);
}

int CSession::ApplyHeightFactor(int value, float attackerHeight, float targetHeight) {
  return HeightFactor(value, attackerHeight, targetHeight, 10);
}

int CSession::ApplyHeightFactor20(int value, float attackerHeight, float targetHeight) {
  return HeightFactor(value, attackerHeight, targetHeight, 20);
}

int CSession::GetBattleLevel(int position, bool isParty) const { return FighterAt(*this, position, isParty).Level(); }

int CSession::GetAttackAttribute(int position, bool isParty) const {
  return FighterAt(*this, position, isParty).AttackAttribute();
}

int CSession::GetDefenceAttribute(int position, bool isParty) const {
  const Fighter f = FighterAt(*this, position, isParty);
  if (!f.IsParty()) return f.AttackAttribute();
  const int attribute = ItemAttr(f.player->shield, 9);
  return attribute == 0 ? 2 : attribute;
}

int CSession::GetDefence(int position, bool isParty) const {
  const Fighter f = FighterAt(*this, position, isParty);
  int64_t value = f.IsParty() ? f.player->vitality : f.enemy != nullptr ? f.enemy->phyDef : 0;
  const int32_t conditions = f.Conditions();
  if ((conditions & kCurse) != 0) value /= 2;
  if ((conditions & kPoison2) != 0) value = value * 2 / 3;
  if ((conditions & kPoison3) != 0) value = value * 2 / 3;
  return ClampInt(value);
}

int CSession::GetDirectHitDamage(int position, bool isParty) {
  const Fighter f = FighterAt(*this, position, isParty);
  int64_t m = f.IsParty() ? f.player->strength : f.enemy != nullptr ? f.enemy->phyAtk : 0;
  // A negative attack gets no bonus: its draw would divide by zero or less.
  if (lastHitResult == 2 && m / 2 + 1 > 0) m += m / 2 + platform::Rand() % (m / 2 + 1);
  if ((f.Conditions() & kCurse) != 0) m /= 2;
  return ClampInt(m);
}

float CSession::GetActorHeight(int position, bool isParty) const {
  const CSelvarinActor* actor = GetBattleActor(position, isParty);
  return actor != nullptr ? actor->m_pos.y : 0.0f;
}

bool CSession::IsSplashWeapon(int item) const {
  for (int32_t listed : splashWeapon) {
    if (listed == 0) break;
    if (listed == item) return true;
  }
  return false;
}

int CSession::ComputeDamage(int attacker, bool attackerIsParty, int target, bool targetIsParty) {
  const Fighter a = FighterAt(*this, attacker, attackerIsParty);
  const Fighter t = FighterAt(*this, target, targetIsParty);
  if (!a.Exists() || !t.Exists()) return 1;
  const int64_t la = a.Level(), lt = t.Level();
  int64_t l = 100, h = 100;
  if (!a.IsParty() && t.IsParty() && la > lt) l = GapFactor(*this, la - lt);
  if (a.IsParty() && !t.IsParty() && lt > la) h = GapFactor(*this, lt - la);

  int64_t m = GetDirectHitDamage(attacker, attackerIsParty);
  if (a.IsParty()) m = ApplyRows(weapon_rules::kAttackerAttack, a, t, m);
  if (!a.IsParty() && t.IsParty()) m = ApplyRows(weapon_rules::kDefenderAttack, t, a, m);

  int64_t b = ClampInt(h * GetDefence(target, targetIsParty) / 100);
  if (t.IsParty()) b = ApplyRows(weapon_rules::kDefence, t, a, b);

  int64_t d = std::max(BaseDamage(ClampInt(m), a.Level(), ClampInt(b), t.Level(), a.IsParty(), t.IsParty()), 0);
  if (t.IsParty()) d = ApplyRows(weapon_rules::kDefenderDamage, t, a, d);

  if (!t.IsParty() || !SkipsAttributeStep(t, a)) {
    const int attackAttribute = a.AttackAttribute();
    d = ApplyAttributeFactor(ClampInt(d), attackAttribute, GetDefenceAttribute(target, targetIsParty));
    if (t.IsParty() && attackAttribute == 3 && t.player->battleValues[0] != 0) d /= 2;
  }

  return FinishDamage(*this, d, {attacker, attackerIsParty, target, targetIsParty}, l);
}
