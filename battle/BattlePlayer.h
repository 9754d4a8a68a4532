#pragma once
// A party member's battle actor, bound to the member's record in the
// session: it fills the member's gauge and asks for turns, carries out
// orders, takes hits with guard, knock-back and the damage reactions, falls
// and is revived. The character classes that fight derive from it and are
// made by "battle" followed by the character's English name.
#include <cstdint>

#include "battle/BattleObject.h"

struct PlayerData;

class CBattlePlayer : public CBattleActor {
  SLV_OBJECT(CBattlePlayer)
 public:
  bool OnProcess() override;
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;
  // Drawn while visible; a target to pick while the player picks one.
  void Render(CRC& rc, const Matrix& view) override;
  // One tick of the current action; 0 ends the actor's place in the
  // party (it fell).
  int UpdateAction(int code) override;
  // Entering: the walking sheet's facing of the eight follows the heading.
  void UpdateFrame() override;
  void PostProcess() override;
  void SetAction(int32_t code) override;
  // The sheets the record names for battle.
  const CSprRes* GetSprite() override;

  bool IsInPinchHP() const;
  bool IsInPinchBP() const;
  // The saved action is one a member does not go back into.
  bool IsResumeDisabled() const;
  // The worn shield's guard effect and one of the guard sounds.
  void GuardWithShield();

  int32_t m_playerId = -1;
  int32_t m_menuIndex = 0;  // the command menu that opens for the member
  int32_t m_counterHits = 0;
  int32_t m_hpFlashTicks = 0, m_bpFlashTicks = 0;  // the HUD blinks while they run
  // 0 ordinary attack, 1 quick attack from idle, 2 counter from defence;
  // the attack style is the base's.
  int32_t m_attackMode = 0;
  float m_entrySpeed = 0.0f;
  PlayerData* m_record = nullptr;  // points back at this actor while bound
  int32_t m_selfActing = 0;        // takes its turns without the player
  int32_t m_hitStrength = 0;       // 0-2, read by the hit rules; every action clears it

 protected:
  int Position() const { return m_battleId[0]; }
  // Faces the point and runs at the speed scaled by the member's bonus.
  void RunToward(float x, float z, float speed);
  void RunningSound(const char* wave, int32_t every) const;
  // The saved action again, at its tick.
  void Resume();
  // The member's own battle sheets, named in its record.
  void UseOwnSheet();

 private:
  void CountDown();
  void FillGauge();
  void FallWhileEntering();
  void TakeHit(CObject* sender, int code, int32_t barrierPart, int32_t hpPart, int32_t style);
  // Blows a defender takes: guarded outright, or half taken.
  bool TakeGuardedHit(CBattleActor* hitter, int32_t barrierPart, int32_t hpPart);
  // The barrier first, the shortfall off the hit points; the fall at 0.
  void TakeDamage(int32_t barrierPart, int32_t hpPart);
  void FaceHitter(CBattleActor* hitter);
  void TakeOrder(CObject* sender, intptr_t target, intptr_t kind, intptr_t special);
  void Heal(int code, int32_t amount);
  bool UpdateKnockBack(int32_t code);
  bool UpdateMoving(int32_t code);
  bool UpdateTimed(int32_t code);
  void UpdateIdle();
  void UpdateDefending();
  void UpdateEntering();
  void WalkTo(float x, float z, float within);
};
