#pragma once
// The twelve playable characters in battle, one class per character form;
// a second form derives from its first. Each is made by "battle" followed
// by the character's English name. What sets them apart so far is data: the
// command menu, their own idle and strike animations and whether the
// strike shoots an arrow; the special moves grow on these classes.
#include <cstdint>

#include "battle/BattlePlayer.h"

// How one character class differs from the others.
struct BattleCharacterRow {
  struct Animation {
    int32_t base = -1;  // -1: the party member's own
    int32_t delay = 0, mode = 0;
  };
  int32_t menuIndex = 0;
  Animation idle, strike;
  bool shootsArrows = false;
};

class CBattleCharacter : public CBattlePlayer {
 public:
  // Its own animations on its own battle sheet; everything else as any
  // party member, the sheet put back first.
  void SetAction(int32_t code) override;
  // The strike: faces the target, hits on the hit frame and ends by the
  // attack mode; without a target, idle.
  int UpdateAction(int code) override;

 protected:
  explicit CBattleCharacter(const BattleCharacterRow& row);

 private:
  const BattleCharacterRow* m_row;
};

// One class per form; the constructor taking a row is the second form's.
#define SLV_BATTLE_CHARACTER(Class, Base)                               \
  class Class : public Base {                                           \
    SLV_OBJECT(Class)                                                   \
   public:                                                              \
    Class();                                                            \
                                                                        \
   protected:                                                           \
    explicit Class(const BattleCharacterRow& row) : Base(row) {}        \
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
