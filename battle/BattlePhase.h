#pragma once
// The steps of a battle as `CSelvarinFrame::m_battlePhase` holds them.
#include <cstdint>

enum BattlePhase : int32_t {
  kPhaseRunning = 0,
  kPhaseCommandMenu = 1,
  kPhaseAttackTarget = 2,
  kPhaseAllyTarget = 3,
  kPhaseGroundPoint = 4,
  kPhaseOpening = 5,
  kPhaseScriptEnded = 6,
  kPhasePause = 7,
  kPhaseRunningAway = 8,
  kPhaseEscaped = 9,
};
