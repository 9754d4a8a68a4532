#pragma once
// The base of every enemy on the battle screen: bound to one enemy slot of
// the session, it runs the enemy's action machine (SetAction enters an
// action, UpdateAction runs one tick of it) and answers the hits, orders and
// state messages. Each enemy class is made by the name its monster record
// gives, and derives from the ground or the flying base, which add the
// per-tick driver.
#include <cstdint>
#include <string>

#include "battle/BattleObject.h"

class CRC;
struct EnemySlot;

class CBattleEnemy : public CBattleActor {
 public:
  static constexpr uint32_t kTrailColour = 0x88FFFFFF;
  static constexpr int32_t kTrailLength = 10;

  bool OnProcess() override = 0;
  void SetAction(int32_t code) override;
  // One tick of the current action; 0 when the enemy has finished with the
  // battle (it leaves the enemy list), else 1.
  int UpdateAction(int code) override;
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;
  // The body, the shadow at its own scale, and the target rectangle while
  // the player picks a target.
  void Render(CRC& rc, const Matrix& view) override;
  // The enemy's small figure on the time-gauge bar; nothing here.
  virtual void DrawBattleChar(CRC& /*rc*/, int /*x*/, int /*y*/, bool /*isCurrent*/) {}

  bool IsHpBelowQuarter() const;
  bool IsBpBelowQuarter() const;
  // The action a hit interrupted is one the enemy does not go back to.
  bool IsInterruptibleState() const;

  EnemySlot* m_slot = nullptr;  // the session's slot; not owned; null once released
  std::string m_modelName;      // a model enemy's model file
  float m_displayFactor = 1.0f;
  float m_barZoom = 1.0f;  // its figure's scale on the time-gauge bar
  float m_wanderX = 0.0f, m_wanderZ = 0.0f;
  int32_t m_flying = 0;  // also spares it the magics that spare flyers
  bool m_useSpecial = false;
  int32_t m_shotHeight = 0;  // the recoil effect rises by this less 15
  float m_shadowScale = 1.0f;
  int32_t m_deathCount = 0;  // times it entered dying

 protected:
  // The figure most classes show on the bar: the first frame of the idle
  // action of the sheet it shows now, at the bar zoom; larger and red for
  // the participant whose turn it is.
  void DrawOwnIcon(CRC& rc, int x, int y, bool isCurrent) const;

  // The pieces of the per-tick driver the two bases share. False from the
  // countdown: the hit-stop holds everything else this tick.
  bool CountDownTimers();
  void ProcessStatus();
  void FillTimeGauge();
  // The frame, the step and the action's tick.
  bool FinishTick();

  bool IsStopped() const { return m_hitGuardTicks > 0 || IsInTerminalAction(); }
  int Slot() const { return m_battleId[0]; }
  float ScaledSpeed(float s) const;
  void GoIdle() { SetAction(kActIdle); }
  void FaceTarget();
  void FaceNearestPartyMember();

 private:
  void EnterStaggered();
  void EnterDying();
  void ReleaseSlot();
  void CreditRewards();
  int UpdateDying();
  int UpdateLeaving();
  void UpdateWalkTo(float x, float z);
  void UpdateWander();
  void UpdateStaggered(int code);

  // Messages.
  void TakeHit(CObject* sender, int code, int32_t damage, int32_t kind);
  void TakeSplitHit(CObject* sender, int32_t barrierPart, int32_t hpPart);
  // What every hit that lands starts with; `showNumber` floats the damage.
  void ReactToHit(CObject* sender, int32_t damage, bool showNumber);
  // After the points were taken: UNDEAD keeps 1 HP; at 0 the finishing
  // attacker is noted and the enemy dies.
  void SettleHp(CObject* sender, bool wasDying);
  void TakeOrder(intptr_t target, intptr_t kind);
};
