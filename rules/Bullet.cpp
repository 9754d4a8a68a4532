// A bow user's shot. Until arrows fly, the shot lands at once as a weapon
// hit on the shooter's target.
#include "battle/BattleObject.h"
#include "platform/DebugLog.h"
#include "session/Session.h"

void CSession::LaunchBullet(int position, bool isParty) {
  const auto* shooter = dynamic_cast<const CBattleActor*>(GetBattleActor(position, isParty));
  if (shooter == nullptr) {
    DebugLogf("CSession::LaunchBullet - no battle actor at %d", position);
    return;
  }
  if (shooter->m_target != nullptr && shooter->m_target->m_actionCode == kActRemoved) return;
  ResolveWeaponAttack(position, isParty, 1.0f);
}

// The arrow's own attack value is not read: the shooter's blow decides.
void CSession::ResolveBulletHit(int shooter, bool shooterIsParty, int target, bool targetIsParty, int /*attack*/,
                                CBattleObject* arrow, bool atDecoy) {
  if (atDecoy) return;
  auto* from = dynamic_cast<CBattleActor*>(GetBattleActor(shooter, shooterIsParty));
  auto* to = dynamic_cast<CBattleActor*>(GetBattleActor(target, targetIsParty));
  if (from == nullptr || to == nullptr) return;
  lastHitResult = RollHit(shooter, shooterIsParty, target, targetIsParty);
  if (lastHitResult == 0) {
    from->OnMessage(arrow, kMsgMissed, 0, 0, 0);
    return;
  }
  const int damage = ComputeDamage(shooter, shooterIsParty, target, targetIsParty);
  if (lastHitResult == 2) from->OnMessage(arrow, kMsgCritical, 0, 0, 0);
  if (shooterIsParty) {
    if (PlayerData* member = GetPartyMember(shooter)) member->cp = 0;
  }
  to->OnMessage(arrow, kMsgHit, damage, 0, 0);
  if (to->m_actionCode != kActDefend && to->m_actionCode != kActGuard) {
    to->SpawnDamageNumber(damage, targetIsParty ? 1 : 0, 0.0f, 0.0f, 0.0f, 0, 0);
  }
}
