#include "battle/SpawnedBattleObjects.h"

void CBattleBoundObject::Bind(CSelvarinActor* user, CSelvarinActor* target, int32_t kind) {
  m_user = user;
  m_target = target;
  m_kind = kind;
  if (user == nullptr) return;
  m_pos = user->m_pos;
  if (const auto* owner = dynamic_cast<const CBattleObject*>(user)) m_ownerPosition = owner->m_ownerPosition;
}
