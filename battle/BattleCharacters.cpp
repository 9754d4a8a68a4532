// The twelve form classes: each hands its form's table to the scheme.
#include "battle/BattleCharacters.h"

using namespace battleform;

SLV_REGISTER_ACTOR(CBattleSizz, "battlesizz");
SLV_REGISTER_ACTOR(CBattleSizz2, "battlesizz2");
SLV_REGISTER_ACTOR(CBattleMaria, "battlemaria");
SLV_REGISTER_ACTOR(CBattleMaria2, "battlemaria2");
SLV_REGISTER_ACTOR(CBattleElluard, "battleelluard");
SLV_REGISTER_ACTOR(CBattleElluard2, "battleelluard2");
SLV_REGISTER_ACTOR(CBattleAi, "battleai");
SLV_REGISTER_ACTOR(CBattleTenzi, "battletenzi");
SLV_REGISTER_ACTOR(CBattleCeline, "battleceline");
SLV_REGISTER_ACTOR(CBattleCarrot, "battlecarrot");
SLV_REGISTER_ACTOR(CBattlePeach, "battlepeach");
SLV_REGISTER_ACTOR(CBattleKreutzer, "battlekreutzer");

// An order the form does not take goes to the base class.
#define SLV_BATTLE_CHARACTER_MEMBERS(Class, Base, form)                                            \
  Class::Class() { m_menuIndex = (form).menuIndex; }                                               \
  void Class::SetAction(int32_t code) { SetFormAction(form, code); }                               \
  int Class::UpdateAction(int code) { return UpdateFormAction(form, code); }                       \
  void Class::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) { \
    if (!TakeFormOrder(form, code, value0, value1, value2)) Base::OnMessage(sender, code, value0, value1, value2); \
  }

SLV_BATTLE_CHARACTER_MEMBERS(CBattleSizz, CBattleCharacter, kSizz)
SLV_BATTLE_CHARACTER_MEMBERS(CBattleSizz2, CBattleSizz, kSizz2)
SLV_BATTLE_CHARACTER_MEMBERS(CBattleMaria, CBattleCharacter, kMaria)
SLV_BATTLE_CHARACTER_MEMBERS(CBattleMaria2, CBattleMaria, kMaria2)
SLV_BATTLE_CHARACTER_MEMBERS(CBattleElluard, CBattleCharacter, kElluard)
SLV_BATTLE_CHARACTER_MEMBERS(CBattleElluard2, CBattleElluard, kElluard2)
SLV_BATTLE_CHARACTER_MEMBERS(CBattleAi, CBattleCharacter, kAi)
SLV_BATTLE_CHARACTER_MEMBERS(CBattleTenzi, CBattleCharacter, kTenzi)
SLV_BATTLE_CHARACTER_MEMBERS(CBattleCeline, CBattleCharacter, kCeline)
SLV_BATTLE_CHARACTER_MEMBERS(CBattleCarrot, CBattleCharacter, kCarrot)
SLV_BATTLE_CHARACTER_MEMBERS(CBattlePeach, CBattleCharacter, kPeach)
SLV_BATTLE_CHARACTER_MEMBERS(CBattleKreutzer, CBattleCharacter, kKreutzer)

#undef SLV_BATTLE_CHARACTER_MEMBERS
