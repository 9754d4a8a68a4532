#include "battle/enemy/BattleGroundEnemy.h"

bool CBattleGroundEnemy::OnProcess() {
  if (m_actionCode == kActRemoved) return true;
  if (!CountDownTimers()) return true;
  ProcessStatus();
  FillTimeGauge();
  ApplyGravity(m_gravityFactor);
  return FinishTick();
}
