#include "field/MacroActor3d.h"

SLV_REGISTER_ACTOR(CMacroActor3d, "macroactor3d");

bool CMacroActor3d::OnProcess() {
  m_model.Process();
  return true;
}

void CMacroActor3d::OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) {
  if (code == 11) {
    Init();
    m_model.Start();
    return;
  }
  if (m_model.OnMessage(code, a, b, c)) return;
  CMacroActor::OnMessage(sender, code, a, b, c);
}
