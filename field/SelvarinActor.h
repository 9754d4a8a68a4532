#pragma once
// The field's sprite character, on which the player, the party, villagers,
// field enemies and most other actors stand. So far what the game frame and
// the field context ask of it.
#include <cstdint>
#include <list>
#include <string>

#include "render/2dActor.h"

class CSelvarinEffect;

class CSelvarinActor : public C2dActor {
  SLV_OBJECT(CSelvarinActor)
 public:
  CSelvarinActor() = default;
  // Lets go of the effects it spawned: each ends on its next tick.
  ~CSelvarinActor() override;
  CSelvarinActor(const CSelvarinActor&) = delete;
  CSelvarinActor& operator=(const CSelvarinActor&) = delete;

  // So far the effect codes: 46 forgets the sending effect, 51 spawns one.
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;
  // After every actor's tick; the base does nothing.
  virtual void PostProcess() {}
  // A new effect of the number owned by this actor, in the field context's
  // effect list; nothing without a field context.
  void SpawnEffect(int32_t effectId);

  std::string m_name;
  int32_t m_visible = 1;
  int32_t m_drawShadow = 1;
  float m_targetX = 0.0f, m_targetZ = 0.0f;  // the walking target, or a home point
  int32_t m_initLine = -1;  // the line after its "::Init" label
  int32_t m_afterimage = 0;
  int32_t m_tickCount = 0;
  int32_t m_actionCode = 0;  // a battle actor's current ActionCode
  int32_t m_screenX = 0, m_screenY = 0;  // where the last drawing put the actor
  std::list<CSelvarinEffect*> m_effects;  // spawned by this actor; the context owns them
};
