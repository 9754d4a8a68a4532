#pragma once
// A scriptable 3-D model on the field ("3dmodel"): it plays numbered frame
// ranges of an animated model, turns, spins, moves to points, falls and
// bounces, as script messages ask; and the 3-D field enemy ("3denemy") that
// wanders about its home, chases the player and asks for a battle on
// contact.
#include <cstdint>

#include "field/ModelBehaviour.h"
#include "field/SelvarinActor.h"

class C3dFieldModel : public CSelvarinActor {
  SLV_OBJECT(C3dFieldModel)
 public:
  C3dFieldModel();

  // The behaviour's tick, then the ground height under it for the shadow.
  bool OnProcess() override;
  // 11 resets the turn and runs "::Init"; the behaviour's codes; the rest
  // as any field character.
  void OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) override;
  // The model, then its shadow when it has one.
  void Render(CRC& rc, const Matrix& view) override;
  int UpdateAction(int state) override { return m_model.UpdateAction(state); }
  void UpdateFrame() override { m_model.UpdateFrame(); }

  CModelBehaviour m_model{*this};
  float m_shadowGround = 0.0f;  // the ground height under it
};

class C3dFieldEnemy : public C3dFieldModel {
  SLV_OBJECT(C3dFieldEnemy)
 public:
  enum State : int32_t { kWander = 0, kChase = 1, kReturn = 2 };
  static constexpr float kNotice = 30.0f;

  // Once it has asked for its battle it only stands.
  bool OnProcess() override;
  // The frame of its state's range, every frame-delay-th tick.
  void UpdateFrame() override;
  int UpdateAction(int state) override;

  int32_t m_triggered = 0;
  int32_t m_idleStart = 0, m_idleEnd = 0, m_walkStart = 0, m_walkEnd = 0;
  int32_t m_battleLine = -1, m_eventLine = -1;  // after "::Battle" and "::Event"
};
