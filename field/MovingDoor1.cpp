#include "field/MovingDoor1.h"

SLV_REGISTER_ACTOR(CMovingDoor1, "movingdoor1");

void CMovingDoor1::Init() {
  CSelvarin3dActor::Init();
  SetDoorState(kClosed);
}

void CMovingDoor1::SetDoorState(int32_t state) {
  m_doorState = state;
  m_doorTick = 0;
}

bool CMovingDoor1::OnProcess() {
  // A request sent to a door that has stood still long is due at once.
  if (m_delayed.pending != 0 && m_delayed.delay < m_doorTick) {
    m_delayed.pending = 0;
    RunScript(m_delayed.line);
  }
  ++m_doorTick;
  UpdateAction(m_doorState);
  return true;
}

void CMovingDoor1::OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) {
  if (code == 7) {
    SetDoorState(kOpening);
  } else if (code == 8) {
    SetDoorState(kClosing);
  } else {
    CSelvarin3dActor::OnMessage(sender, code, a, b, c);
  }
}

int CMovingDoor1::UpdateAction(int state) {
  if (state != kOpening) return 1;
  if (m_doorTick > kLastTick) SetDoorState(kOpen);
  // The last tick moves too: 49 steps in all. World -x, however it is turned.
  m_pos.x -= kStep;
  SetPlacement(m_rotation.x, m_rotation.y, m_rotation.z, m_pos.x, m_pos.y, m_pos.z, m_scale.x, m_scale.y, m_scale.z);
  SetAnimFrame(0);
  return 1;
}
