#pragma once
// One of the 32 characters of the game session, addressed by player id.
// So far the fields the field game reads to make the party's actors.
#include <cstdint>
#include <string>

struct PlayerData {
  std::string name;     // shown to the player
  std::string engname;  // the character's identifier in scripts and rules
  std::string sprname;  // field sprite and animation file names
  std::string actname;
  int32_t playerId = 0;  // own index 0-31
};
