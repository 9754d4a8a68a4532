// The session's save files.
#include "engine/FrameMgr.h"
#include "field/PlayerStart.h"
#include "platform/DebugLog.h"
#include "session/Session.h"

// The save streams come with the save screens.
bool CSession::Save(const std::string& path) {
  DebugLog("CSession::Save: saving is not built yet: " + path);
  return false;
}

bool CSession::Load(const std::string& path) {
  DebugLog("CSession::Load: loading is not built yet: " + path);
  return false;
}

void CSession::EnterSavedPlace() {
  g_playerStart = PlayerStart{posX, -1.0f, posZ, static_cast<float>(facing)};
  CFrameMgr::GetInstance().ChangeFrame(placeName);
}
