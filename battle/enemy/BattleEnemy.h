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
#include "battle/enemy/EnemyKindDef.h"

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

  // The per-tick bodies many kinds share: the special with an approach
  // (10018, 10073, 10065), the special where the enemy stands (10018,
  // 10065), and none of its own. Every other code is the base's.
  int UpdateSpecialApproach(int code);
  int UpdateSpecialInPlace(int code);
  int UpdateActionForward(int code) { return CBattleEnemy::UpdateAction(code); }

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
  // Action k of the shared icon sheet, unzoomed.
  void DrawSheetIcon(CRC& rc, int x, int y, bool isCurrent, int32_t k) const;
  void DrawIcon(const EnemyIcon& icon, CRC& rc, int x, int y, bool isCurrent) const;

  // The pieces a kind's table is run with (TableEnemy). EnterRow runs the
  // kind's short common step and enters the code when a row names it;
  // false leaves the code to the base.
  bool EnterRow(const EnemyKindDef& def, int32_t code);
  int UpdateFromDef(const EnemyKindDef& def, int code);
  void RunRoute(const EnemyRoute& route);
  void RunApproach(const EnemyApproach& approach, int32_t startEffect = enemyblocks::kStartEffect);
  void RunStrike(const EnemyStrike& strike, bool locks = true, int32_t startEffect = enemyblocks::kStartEffect);
  bool SweepParty(float reach);
  bool TargetWithinReachLessAFifth() const;
  void ShowSheet(const EnemyKindDef& def, EnemySheet sheet);
  void SwitchTrail(EnemyTrail trail);
  // The flourish before a special: the effect, and the game frame pauses the
  // battle, dimmed, on this enemy.
  virtual void StartSpecial(int32_t effect, int32_t pause);
  // The chosen special as a skill or as a magic, by `m_useSpecial`.
  void ResolveSpecial();
  // Every resolution a block makes goes through here.
  virtual void Resolve(EnemyResolve how);
  // The wind-up, rush and gore of the kinds that charge their special:
  // the wind-up faces the target and moves on after `afterTick`; the gore
  // leaps, and resolves on its hit frames or once as it lands.
  void UpdateWindUp(int32_t next, int32_t afterTick);
  void UpdateRush(const EnemyRush& rush);
  void UpdateGore(bool resolveOnHitFrames);
  // The bosses' idle: facing the target, and with 20 in the gauge a blow
  // at a member in reach for them, or at the nearest member when it is
  // nearer than `nearestReach` (non-zero). After a hit the base took or dropped,
  // a hit-immune kind stands where and as it stood.
  void UpdateIdleStrike(float nearestReach = 0.0f);
  CBattleActor* NearestMemberWithin(float reach) const;
  void StandAfterHit(const EnemyHitImmunity& how, int32_t savedGauge, int32_t savedHeading);

  // The pieces of the per-tick driver the two bases share. False from the
  // countdown: the hit-stop holds everything else this tick.
  bool CountDownTimers();
  void ProcessStatus();
  // True when it asked the game frame for the turn.
  bool FillTimeGauge();
  // The frame, the step and the action's tick.
  bool FinishTick();

  bool IsStopped() const { return m_hitGuardTicks > 0 || IsInTerminalAction(); }
  int Slot() const { return m_battleId[0]; }
  float ScaledSpeed(float s) const;
  void GoIdle() { SetAction(kActIdle); }
  void FaceTarget();
  void FaceNearestPartyMember();
  // Up to the target within the attack reach, then `next`; giving up
  // after 600 ticks or 55 blocked ones leaves the gauge at 50.
  void UpdateApproach(int32_t next);

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
