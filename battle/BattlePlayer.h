#pragma once
// A party member's battle actor, bound to the member's record in the
// session; the character classes that fight derive from it and are made by
// "battle" followed by the character's English name.
#include <cstdint>

#include "battle/BattleObject.h"

struct PlayerData;

class CBattlePlayer : public CBattleActor {
  SLV_OBJECT(CBattlePlayer)
 public:
  int32_t m_playerId = -1;
  int32_t m_menuIndex = 0;   // the command menu that opens for the member
  int32_t m_selfActing = 0;  // takes its turns without the player
  PlayerData* m_record = nullptr;  // points back at this actor while bound
};
