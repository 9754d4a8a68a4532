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
