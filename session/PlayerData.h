#pragma once
// One of the 32 characters of the game session, addressed by player id.
// So far the fields the field game and the menus read.
#include <cstdint>
#include <string>

struct PlayerData {
  std::string name;     // shown to the player
  std::string engname;  // the character's identifier in scripts and rules
  std::string sprname;  // field sprite and animation file names
  std::string actname;
  int32_t playerId = 0;  // own index 0-31
  int32_t hp = 0;        // hit points and their maximum
  int32_t maxhp = 0;
  int32_t customTactic = 0;  // four action bytes, row 0 in the top byte
};
