#pragma once
// The cut-scene actor of a model ("macroactor3d"): the field model's
// behaviour on the cut-scene actor base, for the script mode.
#include <cstdint>

#include "field/ModelBehaviour.h"
#include "script/MacroActor.h"

class CMacroActor3d : public CMacroActor {
  SLV_OBJECT(CMacroActor3d)
 public:
  bool OnProcess() override;
  // 11 runs Init and resets the turn, and goes no further; the behaviour's
  // codes; the rest as any cut-scene actor.
  void OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) override;
  void Render(CRC& rc, const Matrix& view) override { m_model.Render(rc, view); }
  int UpdateAction(int state) override { return m_model.UpdateAction(state); }
  void UpdateFrame() override { m_model.UpdateFrame(); }

  CModelBehaviour m_model{*this};
};
