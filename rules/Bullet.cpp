// A bow user's shot and where its arrow lands.
#include "battle/BattleObject.h"
#include "field/SelvarinContext.h"
#include "platform/DebugLog.h"
#include "session/Session.h"

void CSession::LaunchBullet(int position, bool isParty) {
  auto* shooter = dynamic_cast<CBattleActor*>(GetBattleActor(position, isParty));
  if (shooter == nullptr) {
    DebugLogf("CSession::LaunchBullet - no battle actor at %d", position);
    return;
  }
  CBattleActor* target = shooter->m_target;
  // Nothing to aim at: an arrow without a target would only end unseen.
  if (target == nullptr || target->m_actionCode == kActRemoved) return;
  if (CSelvarinContext* context = GetFieldContext()) context->MakeBattleBullet(shooter, target, shooter->m_bulletKind);
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
