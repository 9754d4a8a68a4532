#pragma once
// A summoned creature: a participant on its summoner's side that fills its
// own gauge, picks its own target, walks up, hits every opponent near it,
// wanders off, takes hits on its own hit points and ends some time after
// dying. Recall 2 is an animated model, the others sprite creatures.
#include <cstdint>

#include "battle/BattleObject.h"

class C3dAnimModelRes;
class CRmaRes;

class CBattleRecall : public CBattleActor {
  SLV_OBJECT(CBattleRecall)
 public:
  static constexpr int32_t kRecallCount = 7;
  static constexpr int32_t kModelRecall = 2;

  CBattleRecall() = default;
  ~CBattleRecall() override;
  CBattleRecall(const CBattleRecall&) = delete;
  CBattleRecall& operator=(const CBattleRecall&) = delete;

  // Stands where the summoner stands and takes its battle id, so that every
  // lookup of the pair finds the summoner; full gauge, 100 hit points, idle.
  void Init(CSelvarinActor* summoner, CSelvarinActor* target, int32_t recall);
  using CBattleActor::Init;
  // False ends it: 181 ticks after it starts dying, or at once for a recall
  // id the table lacks.
  bool OnProcess() override;
  // 46 to the battle object; physical and magical hits cost hit points.
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;
  void Render(CRC& rc, const Matrix& view) override;
  void UpdateFrame() override;
  void PostProcess() override;
  void SetAction(int32_t code) override;
  int32_t CheckHitFrame() override;
  // Every participant of the side nearer than the radius, whatever its
  // action, takes a magical hit of the creature's strength; true when any did.
  bool HitInRadius(float radius, bool party, const CSelvarinActor* leftOut);

  int32_t m_summonerId = -1, m_summonerIsParty = 0;
  int32_t m_targetId = -1, m_targetIsParty = 0;
  int32_t m_viaDecoy = 0;
  int32_t m_recallId = -1;
  C3dAnimModelRes* m_modelAnimation = nullptr;  // locked while held
  CRmaRes* m_model = nullptr;                   // locked while held
  int32_t m_modelFrame = 0;
  int32_t m_hp = 100;

 protected:
  int32_t FrameCount() const override;

 private:
  bool ValidRecall() const { return m_recallId >= 0 && m_recallId < kRecallCount; }
  // Recall 2 with its rma, the current action's model and frames.
  bool HasModelFrames() const;
  void SetModelAnimation(int32_t action);
  void Act();
  void ActFighter();
  void ActHealer();
  void ActSwarm();
  void ActWander();
  // The strongest enemy unless the target still stands; false without one.
  bool KeepTarget();
  void SetOut();
  void StartWander();
  // A walk along the heading at a speed scaled by the summoner's bonus.
  void Walk(float speed);
  // Toward the target; idle without one. True once nearer than `within`.
  bool Approach(float speed, float within);
  void HitOpponents();
  bool Hovers() const { return m_recallId == 3 || m_recallId == 6; }
};
