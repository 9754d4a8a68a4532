#include "session/Session.h"

#include "engine/Controller.h"
#include "platform/Keys.h"
#include "session/ClockSeconds.h"

namespace {

using namespace platform;

// Action buttons 4 to 9 of each layout; every layout has the cursor keys on
// buttons 0 to 3.
constexpr int kLayoutKeys[6][6] = {
    {VK_RETURN, VK_CONTROL, 'Q', 'W', 'A', 'Z'},
    {VK_SPACE, VK_CONTROL, 'Q', 'W', 'A', 'Z'},
    {VK_RETURN, VK_SPACE, VK_F3, VK_F4, VK_HOME, VK_END},
    {VK_SPACE, VK_RETURN, VK_F3, VK_F4, VK_HOME, VK_END},
    {VK_RETURN, VK_CONTROL, VK_INSERT, VK_PRIOR, VK_DELETE, VK_NEXT},
    {VK_SPACE, VK_CONTROL, VK_INSERT, VK_PRIOR, VK_DELETE, VK_NEXT},
};

}  // namespace

CSession& CSession::GetInstance() {
  static CSession session;
  return session;
}

// A party of one, player 0, until the new-game tables fill the session.
void CSession::Init() {
  m_keyLayout = 1;
  for (int id = 0; id < kPlayerCount; ++id) {
    players[static_cast<size_t>(id)] = PlayerData{};
    players[static_cast<size_t>(id)].playerId = id;
  }
  partyIds.fill(0);
  partyCount = 1;
  lastPlace.clear();
  lastX = lastZ = 0.0f;
  lastYaw = 0;
  playTimeStart = GetClockSeconds();
  playTime = 0;
}

void CSession::ApplyKeyLayout() {
  if (g_pMainKeyPad == nullptr) return;
  const int layout = (m_keyLayout >= 1 && m_keyLayout <= 6) ? m_keyLayout : 1;
  constexpr int kCursorKeys[4] = {VK_UP, VK_LEFT, VK_RIGHT, VK_DOWN};
  for (int b = 0; b < 4; ++b) g_pMainKeyPad->BindKey(b, kCursorKeys[b]);
  for (int b = 0; b < 6; ++b) g_pMainKeyPad->BindKey(4 + b, kLayoutKeys[layout - 1][b]);
}
