#pragma once
// The base of every enemy on the battle screen: bound to one enemy slot of
// the session. Each enemy class is made by the name its monster record
// gives.
#include <cstdint>
#include <string>

#include "battle/BattleObject.h"

struct EnemySlot;

class CBattleEnemy : public CBattleActor {
  SLV_OBJECT(CBattleEnemy)
 public:
  EnemySlot* m_slot = nullptr;  // the session's slot; not owned
  std::string m_modelName;      // a model enemy's model file
  // Values the monster record gives the drawing.
  float m_displayFactor = 1.0f;
  float m_barZoom = 1.0f;
  int32_t m_shotHeight = 0;
  float m_shadowScale = 1.0f;
};
