#pragma once
// The twelve playable characters in battle, one class per character form;
// a second form derives from its first. Each is made by "battle" followed
// by the character's English name. What sets them apart is their form's
// table (battle/BattleForm.h), which their own SetAction, UpdateAction and
// OnMessage hand to the one scheme here.
#include <cstdint>
#include <string>

#include "battle/BattleForm.h"
#include "battle/BattlePlayer.h"

class CBattleCharacter : public CBattlePlayer {
 public:
  // The worn weapon's class (-1 without a weapon) and name.
  int32_t WeaponClass() const;
  std::string WeaponName() const;
  // The chosen skill's name; empty without such a skill.
  std::string ChosenSkillName() const;
  // The code the chosen skill (or the weapon) leads to.
  int32_t RouteSkill(const battleform::Form& form) const;

 protected:
  CBattleCharacter() = default;

  // Every code switches the trail off and clears the strength; an own code
  // gets its sheet, the rest the own sheet and the party member's action.
  void SetFormAction(const battleform::Form& form, int32_t code);
  int UpdateFormAction(const battleform::Form& form, int32_t code);
  // An order the form takes; false hands it on.
  bool TakeFormOrder(const battleform::Form& form, int code, intptr_t target, intptr_t kind, intptr_t flag);
  // The blow itself; the tests listen here.
  virtual void ResolveBlow(battleform::Resolve kind, float reach);

 public:
  // The battle stands still for the ticks, dimmed, with the member shown.
  void PauseBattle(int32_t ticks);

 private:
  bool UseSheet(const battleform::Form& form, const battleform::OwnRow& row);
  void Strike(const battleform::Form& form);
  void Approach(const battleform::Form& form, const battleform::ApproachRow& row);
  void Hit(const battleform::HitRow& row);
  void FirstTickOfHit(const battleform::HitRow& row);
  void EndHit(const battleform::HitRow& row);
  void Blow(const battleform::HitRow& row);
  void SpecialStart();
  void KeepTrail(int32_t length);
  bool GoalPoint(battleform::Goal goal, float* x, float* z) const;
  void FaceGoal(battleform::Goal goal);

  bool m_blowDone = false;  // a blow at a frame comes once
};

// One class per form, with its own three members.
#define SLV_BATTLE_CHARACTER(Class, Base)                                                          \
  class Class : public Base {                                                                      \
    SLV_OBJECT(Class)                                                                              \
   public:                                                                                         \
    Class();                                                                                       \
    void SetAction(int32_t code) override;                                                         \
    int UpdateAction(int code) override;                                                           \
    void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override; \
  }

SLV_BATTLE_CHARACTER(CBattleSizz, CBattleCharacter);
SLV_BATTLE_CHARACTER(CBattleSizz2, CBattleSizz);
SLV_BATTLE_CHARACTER(CBattleMaria, CBattleCharacter);
SLV_BATTLE_CHARACTER(CBattleMaria2, CBattleMaria);
SLV_BATTLE_CHARACTER(CBattleElluard, CBattleCharacter);
SLV_BATTLE_CHARACTER(CBattleElluard2, CBattleElluard);
SLV_BATTLE_CHARACTER(CBattleAi, CBattleCharacter);
SLV_BATTLE_CHARACTER(CBattleTenzi, CBattleCharacter);
SLV_BATTLE_CHARACTER(CBattleCeline, CBattleCharacter);
SLV_BATTLE_CHARACTER(CBattleCarrot, CBattleCharacter);
SLV_BATTLE_CHARACTER(CBattlePeach, CBattleCharacter);
SLV_BATTLE_CHARACTER(CBattleKreutzer, CBattleCharacter);

#undef SLV_BATTLE_CHARACTER
