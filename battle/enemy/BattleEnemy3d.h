#pragma once
// The base of the enemies drawn as vertex-animated models: their actions
// are frame ranges of the models a model text lists, stepped by the
// action's tick; they are drawn lit, tinted, faded and shaken, picked by
// the rectangle of their vertices, and share the melee, magic, special and
// fade steps the model kinds are built from.
#include <cstdint>

#include "battle/enemy/BattleEnemy.h"

class C3dAnimModelRes;
class CRmaRes;

class CBattleEnemy3d : public CBattleEnemy {
 public:
  static constexpr uint32_t kNoTint = 0xFFFFFFFFu;

  CBattleEnemy3d();

  // No model action is bound after the actor's own reset either.
  void Init() override;
  void Render(CRC& rc, const Matrix& view) override;
  int UpdateAction(int code) override;
  void UpdateFrame() override;
  void PostProcess() override;
  void SetAction(int32_t code) override;
  // 1 on an event frame of the action, once per event frame; else 0.
  int32_t CheckHitFrame() override;
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override {
    CBattleEnemy::OnMessage(sender, code, value0, value1, value2);
  }
  void DrawBattleChar(CRC& /*rc*/, int /*x*/, int /*y*/, bool /*isCurrent*/) override {}

  // Binds action i of the model text with its frame delay (at least 1) and
  // play mode; an undefined action plays the whole model.
  void SetModelAction(int32_t action, int32_t delay, int32_t mode);
  void FadeOut(int32_t step);
  // Faces the nearest member; with a gauge of 20 or more, one time in
  // eight strikes the member in reach.
  void WatchTarget();
  // The weapon attack on each event frame; whether the action has ended.
  bool StepMeleeAttack();
  void AbsorbHit(float gain, float knockBackDivisor);
  void BeginSpecial(int32_t hitLockTicks);
  void StepMagicAttack();

  // The model of the current action, borrowed; null when none.
  C3dAnimModelRes* Model() const { return m_model; }
  // Whether the action has played to its end.
  bool AnimationEnded() const { return m_holdLast != 0; }

  int32_t m_modelFrame = 0;
  C3dAnimModelRes* m_model = nullptr;   // the resource manager's
  const CRmaRes* m_actionTable = nullptr;  // likewise
  int32_t m_drawMode = 0;   // the model drawing's wobble; 1 and 2 also alternate the colour
  int32_t m_drawPhase = 0;
  int32_t m_altAlpha = 255;  // 255: no alternate colour
  int32_t m_alpha = 255;
  int32_t m_fadeStep = 3;    // alpha lost a tick while dying
  bool m_specialFlag = false;

 private:
  // The frame kept within the model action's range by the play mode.
  void KeepFrameInAction();
  void KeepFrameInModel();
  // False for a frame the model does not have.
  bool HasFrame() const;
  uint32_t Colour(int* colourOn);
  void AddModelPickRegion(CRC& rc, const Matrix& m);
  void PlaceAnchor(const CRC& rc, const Matrix& m);
};
