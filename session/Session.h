#pragma once
// The one game session: everything a saved game keeps about the player's side.
class CSession {
 public:
  static CSession& GetInstance();

  // Resets the session and loads the new-game tables.
  void Init();
  // Binds the main keypad for the session's key layout (1 to 6).
  void ApplyKeyLayout();

  int m_keyLayout = 1;

 private:
  CSession() = default;
};
