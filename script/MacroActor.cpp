#include "script/MacroActor.h"

SLV_REGISTER_ACTOR(CMacroActor, "macroactor");

CMacroActor::CMacroActor() {
  m_visible = 1;
  m_speed = 1.0f;
  m_frameDuration = kFrameDelay;
}

void CMacroActor::OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) {
  if (code == 6) {
    if (const auto* other = dynamic_cast<const C2dActor*>(sender)) FaceToward(other->m_pos.x, other->m_pos.z);
    return;
  }
  CSelvarinActor::OnMessage(sender, code, a, b, c);
}
