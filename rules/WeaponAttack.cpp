// A participant's normal attack at its hit frame: the reach test, then the
// blow for the base damage of attack and level against defence and level.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "battle/BattleObject.h"
#include "platform/DebugLog.h"
#include "platform/Random.h"
#include "session/Session.h"

namespace {

// Who fights, as the rules see it: its actor and its record's values.
struct Fighter {
  CBattleActor* actor = nullptr;
  bool isParty = false;
  int32_t attack = 0, defence = 0, level = 0;
};

Fighter FighterAt(CSession& session, int position, bool isParty) {
  Fighter f;
  f.isParty = isParty;
  f.actor = dynamic_cast<CBattleActor*>(session.GetBattleActor(position, isParty));
  if (isParty) {
    if (const PlayerData* member = session.GetPartyMember(position)) {
      f.attack = member->strength;
      f.defence = member->vitality;
      f.level = member->lvl;
    }
  } else if (position >= 0 && position < CSession::kMaxEnemies) {
    const EnemySlot& slot = session.enemies[static_cast<size_t>(position)];
    f.attack = slot.phyAtk;
    f.defence = slot.phyDef;
    f.level = slot.level;
  }
  return f;
}

int32_t ToInt(int64_t v) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

void CSession::ResolveWeaponAttack(int position, bool isParty, float reachFactor) {
  const Fighter attacker = FighterAt(*this, position, isParty);
  if (attacker.actor == nullptr) {
    DebugLogf("CSession::ResolveWeaponAttack: no actor at %d", position);
    return;
  }
  CBattleActor* target = attacker.actor->m_target;
  if (target == nullptr || target->m_actionCode == kActRemoved) return;
  const float reach = GetAttackReach(position, isParty) * reachFactor;
  if (!(target->DistanceXZ(attacker.actor->m_pos.x, attacker.actor->m_pos.z) < reach) || target->m_outOfReach != 0) {
    attacker.actor->OnMessage(nullptr, kMsgMissed, 0, 0, 0);
    return;
  }
  const Fighter defender = FighterAt(*this, target->m_battleId[0], target->m_battleId[1] == 1);
  const int damage =
      BaseDamage(attacker.attack, attacker.level, defender.defence, defender.level, isParty, defender.isParty);
  target->OnMessage(attacker.actor, kMsgHit, damage, attacker.actor->m_attackStyle, attacker.actor->m_hitKind);
}

int CSession::BaseDamage(int attack, int attackerLevel, int defence, int targetLevel, bool attackerIsParty,
                         bool targetIsParty) const {
  int64_t a = attack;
  const int64_t c = defence, b = attackerLevel, d = targetLevel;
  if (attackerIsParty == targetIsParty) {
    a -= c;
  } else if (attackerIsParty) {
    a -= a * c / 500;
    a -= (d - b) * a / 22;
  } else {
    a -= a * c / 900;
    a -= b >= d ? (b - d) * a / 33 : (d - b) * a / 40;
    a = static_cast<int64_t>(static_cast<double>(ToInt(a)) * 0.8);
  }
  if (a <= 0) return platform::Rand() % 5 + 1;
  return ToInt(a);
}
