// A participant's tactics: what it does when its turn comes. Until the
// tactic tables are played, every participant attacks its nearest
// opponent.
#include "battle/BattleObject.h"
#include "session/Session.h"

void CSession::RunTactics(int position, bool isParty) {
  tacticDecision = TacticDecision{};
  CBattleActor* target = isParty ? FindNearestEnemy(position, true) : FindNearestPartyMember(position, false);
  tacticDecision.target = target;
  if (target == nullptr) return;
  tacticDecision.x = target->m_pos.x;
  tacticDecision.z = target->m_pos.z;
}
