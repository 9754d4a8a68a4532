// The session's save files.
#include "engine/FrameMgr.h"
#include "engine/Wave.h"
#include "field/PlayerStart.h"
#include "platform/DebugLog.h"
#include "platform/FileOperations.h"
#include "session/SaveFile.h"
#include "session/SaveStream.h"
#include "session/Session.h"

bool CSession::Save(const std::string& path) {
  platform::FileOperations files;
  return Save(path, files);
}

bool CSession::Save(const std::string& path, platform::FileOperations& files) {
  const std::vector<uint8_t> content = savefile::Build(*this);
  if (content.empty()) return false;
  CSaveWriter writer(files);
  writer.Open(path);
  writer.Write(content.data(), static_cast<int32_t>(content.size()));
  if (!writer.Close()) {
    DebugLog("CSession::Save: the save was not written: " + path);
    return false;
  }
  PlayWave("세이브되었을때나오는효과음.wav");
  return true;
}

bool CSession::Load(const std::string& path) {
  CSaveReader reader;
  if (!reader.Open(path)) {
    DebugLog("세이브 파일 이상! " + path);
    return false;
  }
  std::vector<uint8_t> content(static_cast<size_t>(reader.RawLength()));
  if (reader.Read(content.data(), reader.RawLength()) != reader.RawLength()) {
    DebugLog("세이브 파일 이상! (the stream is corrupt) " + path);
    return false;
  }
  return savefile::Apply(*this, content);
}

void CSession::EnterSavedPlace() {
  g_playerStart = PlayerStart{posX, -1.0f, posZ, static_cast<float>(facing)};
  CFrameMgr::GetInstance().ChangeFrame(placeName);
}
