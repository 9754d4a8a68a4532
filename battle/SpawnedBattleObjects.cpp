#include "battle/SpawnedBattleObjects.h"

void CBattleBoundObject::Bind(CSelvarinActor* user, CSelvarinActor* target, int32_t kind) {
  m_user = user;
  m_target = target;
  m_kind = kind;
  if (user == nullptr) return;
  m_pos = user->m_pos;
  if (const auto* owner = dynamic_cast<const CBattleObject*>(user)) m_ownerPosition = owner->m_ownerPosition;
}

void CBattleMagic::Init(CSelvarinActor* caster, CSelvarinActor* target, int32_t type) {
  Bind(caster, target, type);
  m_type = type;
  if (const auto* from = dynamic_cast<const CBattleActor*>(caster)) {
    m_casterId = from->m_battleId[0];
    m_casterIsParty = from->m_battleId[1];
  }
  if (const auto* to = dynamic_cast<const CBattleActor*>(target)) {
    m_targetId = to->m_battleId[0];
    m_targetIsParty = to->m_battleId[1];
    m_viaDecoy = to->m_isDecoy;
  }
}
