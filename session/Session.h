#pragma once
// The one game session: everything a saved game keeps about the player's side.
#include <array>
#include <cstdint>
#include <string>

#include "session/PlayerData.h"

class CSession {
 public:
  static CSession& GetInstance();

  // Resets the session and loads the new-game tables.
  void Init();
  // Binds the main keypad for the session's key layout (1 to 6).
  void ApplyKeyLayout();

  static constexpr int kPlayerCount = 32;
  static constexpr int kMaxParty = 6;

  int m_keyLayout = 1;
  std::array<PlayerData, kPlayerCount> players;  // by player id
  std::array<int32_t, kMaxParty> partyIds{};     // player ids; position 0 leads
  int32_t partyCount = 0;
  // Where the player last was: the frame, the player's x and z and the
  // camera's yaw in whole degrees.
  std::string lastPlace;
  float lastX = 0.0f, lastZ = 0.0f;
  int32_t lastYaw = 0;
  // Play time in seconds of GetClockSeconds: counted up to playTimeStart.
  int32_t playTimeStart = 0;
  int32_t playTime = 0;

 private:
  CSession() = default;
};
