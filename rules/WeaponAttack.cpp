// A participant's normal attack at its hit frame: the reach test, the roll,
// the damage and its delivery, the digits, and what the attacker's weapon and
// the defender's worn items add.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "battle/BattleObject.h"
#include "platform/DebugLog.h"
#include "platform/Random.h"
#include "rules/Condition.h"
#include "rules/Fighter.h"
#include "rules/WornItemRules.h"
#include "session/Session.h"

namespace {
namespace weaponattack {

int32_t ToInt(int64_t v) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int32_t Percent(int64_t value, int percent) { return ToInt(value * percent / 100); }

bool IsGuarding(const CBattleActor& actor) {
  return actor.m_actionCode == kActDefend || actor.m_actionCode == kActGuard;
}

bool IsPartySide(const CBattleActor& actor) { return actor.m_battleId[1] == 1; }

template <typename Row>
const Row* FindRow(std::span<const Row> rows, const std::string& name) {
  for (const Row& row : rows) {
    if (name == row.name) return &row;
  }
  return nullptr;
}

void ShowDigits(CBattleActor& over, int32_t value, int32_t colour) {
  over.SpawnDamageNumber(value, colour, 0.0f, 0.0f, 0.0f, 0, 0);
}

// The numbers of a blow of w by a weapon: its shares, or w once.
void ShowWeaponDigits(CBattleActor& over, const std::string& weapon, int32_t w, int32_t colour, bool onMember) {
  const DigitsRow* row = FindRow(weapon_rules::kDigits, weapon);
  if (row == nullptr || (onMember && !row->onMembersToo)) {
    ShowDigits(over, w, onMember ? 1 : colour);
    return;
  }
  for (const DigitShare& share : row->shares) {
    over.SpawnDamageNumber(Percent(w, share.percent), colour, 0.0f, 0.0f, 0.0f, share.column, share.row);
  }
}

void Heal(Fighter& f, int64_t amount) {
  int32_t& hp = f.player != nullptr ? f.player->hp : f.enemy->hp;
  const int32_t maxhp = f.player != nullptr ? f.player->maxhp : f.enemy->maxhp;
  if (hp < maxhp) hp = ToInt(std::min<int64_t>(int64_t{hp} + std::max<int64_t>(amount, 0), maxhp));
}

// The rules of one blow, for the variants to share.
class WeaponBlow {
 public:
  WeaponBlow(CSession& session, Fighter attacker, Fighter target)
      : s(session), a(attacker), t(target), attacker(*attacker.Actor()), target(*target.Actor()) {}

  // Runs the effect rows of a step for the wearer's items against the other.
  void RunEffects(std::span<const WornEffectRow> rows, Fighter& wearer, CBattleActor& wearerActor, Fighter& other,
                  CBattleActor& otherActor, int32_t damage) {
    for (const WornEffectRow& row : rows) {
      if (!Wears(*wearer.player, row.slot, row.name) || !RowTestHolds(row.when, wearer, other)) continue;
      if (!EffectApplies(row, other, damage)) continue;
      if (row.odds > 0 && platform::Rand() % row.odds != 0) continue;
      Apply(row, wearer, wearerActor, other, otherActor, damage);
    }
  }

  void SetCondition(Fighter& f, uint32_t bit) {
    if (f.player != nullptr) {
      s.SetCondition(*f.player, bit, true);
    } else {
      s.SetEnemyCondition(*f.enemy, bit, true);
    }
  }

  CSession& s;
  Fighter a, t;
  CBattleActor& attacker;
  CBattleActor& target;

 private:
  static bool EffectApplies(const WornEffectRow& row, const Fighter& other, int32_t damage) {
    if (other.enemy == nullptr) return row.effect != Effect::kBreakBarrier && row.effect != Effect::kDrainBarrier;
    if (row.effect == Effect::kBreakBarrier) return other.enemy->shp < other.enemy->maxshp / 2;
    if (row.effect == Effect::kDrainBarrier) return other.enemy->shp >= damage / 2;
    return true;
  }

  void Apply(const WornEffectRow& row, Fighter& wearer, CBattleActor& wearerActor, Fighter& other, CBattleActor& otherActor,
             int32_t damage) {
    switch (row.effect) {
      case Effect::kCondition: SetCondition(other, static_cast<uint32_t>(row.value)); break;
      case Effect::kStagger: otherActor.SetAction(kActDamageHeavy); break;
      case Effect::kSpawn: otherActor.SpawnEffect(row.value); break;
      case Effect::kHealPercent: Heal(wearer, int64_t{damage} * row.value / 100); break;
      case Effect::kHealTenth: Heal(wearer, damage / 10); break;
      case Effect::kBreakBarrier: other.enemy->shp = 0; break;
      case Effect::kDrainBarrier: other.enemy->shp -= damage / 2; break;
      case Effect::kReflect: Reflect(wearerActor, otherActor, Percent(damage, row.value)); break;
      case Effect::kGrow: Grow(*wearer.player, row.value); break;
    }
  }

  static void Reflect(CBattleActor& defender, CBattleActor& attackerActor, int32_t amount) {
    attackerActor.OnMessage(&defender, kMsgHit, amount, 0, attackerActor.m_hitKind);
    if (!IsGuarding(attackerActor)) ShowDigits(attackerActor, amount, IsPartySide(attackerActor) ? 1 : 0);
  }

  // The growing armour's two variables, held so that the armour's defence
  // and barrier with their growth stay within 400 and 200.
  void Grow(PlayerData& wearer, int step) {
    ScriptVariables& vars = s.scriptVariables;
    int64_t def = int64_t{vars.Get("__아답터블아머DEF")} + step;
    int64_t bar = int64_t{vars.Get("__아답터블아머BAR")} + step;
    const int64_t defence = ItemAttr(wearer.armor, 1), barrier = ItemAttr(wearer.armor, 6);
    if (defence + def / 10 > 400) def = 4000 - defence * 10;
    if (barrier + bar / 10 > 200) bar = 2000 - barrier * 10;
    vars.Set("__아답터블아머DEF", ToInt(def));
    vars.Set("__아답터블아머BAR", ToInt(bar));
    wearer.Recalc();
  }
};

// Both sides with their actors, or nothing: a position or side naming
// nobody ends the rule.
bool Bind(CSession& session, int attacker, bool attackerIsParty, int target, bool targetIsParty, Fighter* a,
          Fighter* t) {
  *a = FighterAt(session, attacker, attackerIsParty);
  *t = FighterAt(session, target, targetIsParty);
  return a->Exists() && t->Exists() && a->Actor() != nullptr && t->Actor() != nullptr;
}

// A member's roll and damage: attack kind 2 halves the blow and turns most
// criticals into hits, after the damage kept the bonus. 0 on a miss.
int32_t MemberBlow(CSession& s, WeaponBlow& blow, int position, int target, bool targetIsParty) {
  s.lastHitResult = s.RollHit(position, true, target, targetIsParty);
  if (s.lastHitResult == 0) {
    blow.attacker.OnMessage(&blow.target, kMsgMissed, 0, 0, 0);
    return 0;
  }
  int32_t w = s.ComputeDamage(position, true, target, targetIsParty);
  if (blow.attacker.m_attackStyle == 2) {
    w = std::max(w / 2, 1);
    if (platform::Rand() % 3 != 0) s.lastHitResult = 1;
  }
  if (s.lastHitResult == 2) {
    blow.a.player->cp = 0;
    blow.attacker.OnMessage(&blow.target, kMsgCritical, 0, 0, 0);
  }
  return w;
}

}  // namespace weaponattack
}  // namespace

void CSession::ResolveWeaponAttack(int position, bool isParty, float reachFactor) {
  auto* attacker = dynamic_cast<CBattleActor*>(GetBattleActor(position, isParty));
  if (attacker == nullptr) {
    DebugLogf("CSession::ResolveWeaponAttack: no actor at %d", position);
    return;
  }
  CBattleActor* target = attacker->m_target;
  if (target == nullptr) return;
  if (target->m_isDecoy != 0 || (!isParty && target->m_secondDirectHit != 0)) {
    const int damage = GetDirectHitDamage(position, isParty);
    target->OnMessage(attacker, kMsgHit, damage, 0, 0);
    if (!weaponattack::IsGuarding(*target)) weaponattack::ShowDigits(*target, damage, weaponattack::IsPartySide(*target) ? 1 : 0);
    return;
  }
  if (target->m_actionCode == kActRemoved) return;
  const int targetPosition = target->m_battleId[0];
  const bool targetIsParty = weaponattack::IsPartySide(*target);
  const float reach = GetAttackReach(position, isParty) * reachFactor;
  if (!(target->DistanceXZ(attacker->m_pos.x, attacker->m_pos.z) < reach) || target->m_outOfReach != 0) {
    attacker->OnMessage(target, kMsgMissed, 0, 0, 0);
  } else if (isParty) {
    targetIsParty ? AttackPartyToParty(position, targetPosition) : AttackPartyToEnemy(position, targetPosition);
  } else {
    targetIsParty ? AttackEnemyToParty(position, targetPosition) : AttackEnemyToEnemy(position, targetPosition);
  }
  if (!isParty) return;
  const Fighter member = FighterAt(*this, position, true);
  const Fighter struck = FighterAt(*this, targetPosition, targetIsParty);
  if (member.Exists() && struck.Exists()) RaiseItemAttackHook(struck.Name(), ItemName(member.player->weapon));
}

void CSession::AttackPartyToEnemy(int position, int slot) {
  Fighter a, t;
  if (!weaponattack::Bind(*this, position, true, slot, false, &a, &t)) return;
  weaponattack::WeaponBlow blow(*this, a, t);
  CBattleActor& attacker = blow.attacker;
  CBattleActor& target = blow.target;
  const int32_t w = weaponattack::MemberBlow(*this, blow, position, slot, false);
  if (w == 0) return;
  const std::string& weapon = ItemName(a.player->weapon);
  const DeliveryRow* delivery = weaponattack::FindRow(weapon_rules::kDeliveries, weapon);
  const bool split = delivery != nullptr && delivery->delivery == Delivery::kSplit;
  if (split) {
    target.OnMessage(&attacker, kMsgHitTwoParts, weaponattack::Percent(w, delivery->a), weaponattack::Percent(w, delivery->b), 0);
  } else {
    const bool breaker = delivery != nullptr && delivery->delivery == Delivery::kAttackKind;
    target.OnMessage(&attacker, kMsgHit, w, breaker ? delivery->a : attacker.m_attackStyle, attacker.m_hitKind);
    if (delivery != nullptr && delivery->delivery == Delivery::kKillUnlessBoss && !IsBossEnemy(slot)) {
      target.OnMessage(&attacker, kMsgKill, 0, 0, 0);
    }
  }
  if (!weaponattack::IsGuarding(target)) {
    weaponattack::ShowWeaponDigits(target, weapon, w, 0, false);
    blow.RunEffects(weapon_rules::kWeaponConditions, blow.a, attacker, blow.t, target, w);
    blow.RunEffects(weapon_rules::kAcc1Healing, blow.a, attacker, blow.t, target, w);
  }
  blow.RunEffects(weapon_rules::kWeaponEffects, blow.a, attacker, blow.t, target, w);

  if (IsSplashWeapon(a.player->weapon)) {
    const float reach = GetAttackReach(position, true);
    for (int other = 0; other < kMaxEnemies; ++other) {
      auto* splashed = dynamic_cast<CBattleActor*>(enemies[static_cast<size_t>(other)].actor);
      if (other == slot || splashed == nullptr) continue;
      if (!(splashed->DistanceXZ(attacker.m_pos.x, attacker.m_pos.z) < reach)) continue;
      const int32_t s = weaponattack::ToInt(int64_t{ComputeDamage(position, true, slot, false)} * 2 / 3);
      if (split) {
        splashed->OnMessage(&attacker, kMsgHitTwoParts, weaponattack::Percent(s, delivery->a), weaponattack::Percent(s, delivery->b), 0);
      } else {
        splashed->OnMessage(&attacker, kMsgHit, s, attacker.m_attackStyle, attacker.m_hitKind);
      }
      if (!weaponattack::IsGuarding(*splashed)) weaponattack::ShowDigits(*splashed, w, 0);
    }
  }
  if (ItemAttr(a.player->weapon, 9) == 5 && (t.Conditions() & kUndead) != 0) target.OnMessage(&attacker, kMsgKill, 0, 0, 0);
}

void CSession::AttackPartyToParty(int position, int targetPosition) {
  Fighter a, t;
  if (!weaponattack::Bind(*this, position, true, targetPosition, true, &a, &t)) return;
  weaponattack::WeaponBlow blow(*this, a, t);
  CBattleActor& attacker = blow.attacker;
  CBattleActor& target = blow.target;
  const int32_t w = weaponattack::MemberBlow(*this, blow, position, targetPosition, true);
  if (w == 0) return;
  const std::string& weapon = ItemName(a.player->weapon);
  const DeliveryRow* delivery = weaponattack::FindRow(weapon_rules::kDeliveries, weapon);
  if (delivery != nullptr && delivery->onMembersToo) {
    target.OnMessage(&attacker, kMsgHitTwoParts, weaponattack::Percent(w, delivery->a), weaponattack::Percent(w, delivery->b), 0);
  } else {
    target.OnMessage(&attacker, kMsgHit, w, attacker.m_attackStyle, attacker.m_hitKind);
  }
  if (!weaponattack::IsGuarding(target)) weaponattack::ShowWeaponDigits(target, weapon, w, 0, true);
  if (ItemAttr(a.player->weapon, 9) == 5 && (t.Conditions() & kUndead) != 0) target.OnMessage(&attacker, kMsgKill, 0, 0, 0);
}

void CSession::AttackEnemyToEnemy(int slot, int targetSlot) {
  Fighter a, t;
  if (!weaponattack::Bind(*this, slot, false, targetSlot, false, &a, &t)) return;
  CBattleActor& attacker = *a.Actor();
  CBattleActor& target = *t.Actor();
  lastHitResult = RollHit(slot, false, targetSlot, false);
  if (lastHitResult == 0) {
    attacker.OnMessage(&target, kMsgMissed, 0, 0, 0);
    return;
  }
  const int32_t damage = ComputeDamage(slot, false, targetSlot, false);
  target.OnMessage(&attacker, kMsgHit, damage, 0, attacker.m_hitKind);
  if (!weaponattack::IsGuarding(target)) weaponattack::ShowDigits(target, damage, 0);
  if (lastHitResult == 2) attacker.OnMessage(&target, kMsgCritical, 0, 0, 0);
}

void CSession::AttackEnemyToParty(int slot, int position) {
  Fighter a, t;
  if (!weaponattack::Bind(*this, slot, false, position, true, &a, &t)) return;
  weaponattack::WeaponBlow blow(*this, a, t);
  CBattleActor& attacker = blow.attacker;
  CBattleActor& defender = blow.target;
  lastHitResult = RollHit(slot, false, position, true);
  if (lastHitResult == 0) {
    attacker.OnMessage(&defender, kMsgMissed, 0, 0, 0);
    return;
  }
  const int32_t m = ComputeDamage(slot, false, position, true);
  const ParryRow& parry = weapon_rules::kParry;
  if (Wears(*t.player, WornSlot::kWeapon, parry.name) && platform::Rand() % parry.odds == 0) {
    defender.m_target = &attacker;
    defender.FaceToward(attacker.m_pos.x, attacker.m_pos.z);
    defender.m_angle = std::fmod(defender.m_angle + static_cast<float>(platform::Rand() % 80 - 40) + 360.0f, 360.0f);
    defender.m_tickCount = 10;
    defender.m_outOfReach = defender.m_parryOutOfReach = 1;
    AddSpecialGauge(position, parry.gauge);
    defender.SetAction(kActGuard);
    attacker.OnMessage(&defender, kMsgRecoil, 0, 0, 0);
  } else {
    defender.OnMessage(&attacker, kMsgHit, m, 0, attacker.m_hitKind);
    if (weaponattack::IsGuarding(defender)) {
      blow.RunEffects(weapon_rules::kGuarding, blow.t, defender, blow.a, attacker, m);
    } else {
      weaponattack::ShowDigits(defender, m, 1);
      blow.RunEffects(weapon_rules::kStruck, blow.t, defender, blow.a, attacker, m);
    }
    if (lastHitResult == 2) attacker.OnMessage(&defender, kMsgCritical, 0, 0, 0);
  }
  if (a.AttackAttribute() == 5 && (t.Conditions() & kUndead) != 0) defender.OnMessage(&attacker, kMsgKill, 0, 0, 0);
}

int CSession::BaseDamage(int attack, int attackerLevel, int defence, int targetLevel, bool attackerIsParty,
                         bool targetIsParty) const {
  // Each step is kept within int, so the next product stays inside 64 bits.
  int64_t a = attack;
  const int64_t c = defence, b = attackerLevel, d = targetLevel;
  if (attackerIsParty == targetIsParty) {
    a = weaponattack::ToInt(a - c);
  } else if (attackerIsParty) {
    a = weaponattack::ToInt(a - a * c / 500);
    a = weaponattack::ToInt(a - (d - b) * a / 22);
  } else {
    a = weaponattack::ToInt(a - a * c / 900);
    a = weaponattack::ToInt(a - (b >= d ? (b - d) * a / 33 : (d - b) * a / 40));
    a = static_cast<int64_t>(static_cast<double>(a) * 0.8);
  }
  if (a <= 0) return platform::Rand() % 5 + 1;
  return weaponattack::ToInt(a);
}
