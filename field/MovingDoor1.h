#pragma once
// The jail door: a prop that slides 24.5 units toward world -x when a
// script opens it, and runs a script line after a delay counted in its own
// door ticks.
#include <cstdint>

#include "field/Selvarin3dActor.h"

class CMovingDoor1 : public CSelvarin3dActor {
  SLV_OBJECT(CMovingDoor1)
 public:
  static constexpr float kStep = 0.5f;       // toward -x, every opening tick
  static constexpr int32_t kLastTick = 48;   // passed: open

  void Init() override;
  // The due request (counted in door ticks), the door tick, then the
  // door's step. Always true.
  bool OnProcess() override;
  // 7 opens, 8 halts; the rest as any prop (17 fills the request).
  void OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) override;
  int UpdateAction(int state) override;

  int32_t m_doorState = kClosed;  // 8 closed, 7 opening, 6 open, 9 halted
  int32_t m_doorTick = 0;         // reset only by a state change

 private:
  void SetDoorState(int32_t state);
};
