#include "battle/BattleObject.h"

#include "engine/ResMgr.h"

void CBattleObject::SetAction(int32_t code) {
  m_actionCode = code;
  m_tickCount = 0;
}

bool CBattleObject::GetSprite() {
  CResMgr& resources = CResMgr::GetInstance();
  const bool sprite = resources.GetRes(m_sprName.c_str()) != nullptr;
  const bool animation = resources.GetRes(m_actName.c_str()) != nullptr;
  return sprite && animation;
}
