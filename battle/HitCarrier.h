#pragma once
// What the spawned hit-carrying objects (items, arrows, spells, skills)
// share: how they bind to their user and target, find them again, fly, and
// their message answer.
#include <cstdint>

#include "battle/BattleObject.h"

class CObject;

// Sprite messages go to the battle object; a confirmed hit shows its
// acknowledgement on the one struck.
void AnswerCarrierMessage(CBattleObject& self, CObject* sender, int code, intptr_t value0, intptr_t value1,
                          intptr_t value2);

// Draws nothing: keeps where the carrier stands on the screen, for the
// effects that show at its screen point.
void RenderCarrier(CBattleObject& self, CRC& rc, const Matrix& view);

// Starts where the user stands, bound to both sides by their battle ids and
// the target's decoy flag.
template <class Carrier>
void BindCarrier(Carrier& self, const CSelvarinActor* user, const CSelvarinActor* target) {
  if (const auto* u = dynamic_cast<const CBattleActor*>(user)) {
    self.m_pos = u->m_pos;
    self.m_userId = u->m_battleId[0];
    self.m_userIsParty = u->m_battleId[1];
    // What it fells counts for the member who used it.
    if (self.m_userIsParty == 1) self.m_ownerPosition = self.m_userId;
  }
  if (const auto* t = dynamic_cast<const CBattleActor*>(target)) {
    self.m_targetId = t->m_battleId[0];
    self.m_targetIsParty = t->m_battleId[1];
    self.m_viaDecoy = t->m_isDecoy;
  }
}

// The target by its battle ids, or the decoy it had put up when the carrier
// was aimed at that; null when either is gone.
CSelvarinActor* FindCarrierTarget(int32_t id, int32_t isParty, int32_t viaDecoy);

// Faces the target's (x, z) and steps along at the carrier's speed, unless
// the target is nearer than one step.
void StepCarrierToward(CBattleObject& self, const CSelvarinActor& target);
