#pragma once
// The field's sprite character, on which the player, the party, villagers,
// field enemies and most other actors stand. So far what the game frame and
// the field context ask of it.
#include <cstdint>
#include <string>

#include "render/2dActor.h"

class CSelvarinActor : public C2dActor {
  SLV_OBJECT(CSelvarinActor)
 public:
  ~CSelvarinActor() override;
  // Registers the drawn screen rectangle for mouse picking; the player's
  // flag keeps its screen anchor where it was.
  virtual void AddPickRegion(float left, float top, float right, float bottom, int32_t noAnchor);
  // After every actor's tick; the base does nothing.
  virtual void PostProcess() {}

  std::string m_name;
  int32_t m_visible = 1;
  int32_t m_drawShadow = 1;
  float m_targetX = 0.0f, m_targetZ = 0.0f;  // the walking target, or a home point
  int32_t m_initLine = -1;  // the line after its "::Init" label
  int32_t m_afterimage = 0;
  int32_t m_tickCount = 0;
};
