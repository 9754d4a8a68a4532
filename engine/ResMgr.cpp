#include "engine/ResMgr.h"

#include <filesystem>

#include "engine/FileStream.h"
#include "engine/FrameClock.h"
#include "engine/TextStream.h"
#include "engine/Tokenizer.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"

namespace {

std::string ExtensionOf(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string CurrentDirectory() {
  std::error_code ec;
  const std::filesystem::path dir = std::filesystem::current_path(ec);
  return ec ? std::string() : dir.string();
}

}  // namespace

CResMgr& CResMgr::GetInstance() {
  static CResMgr manager;
  return manager;
}

void CResMgr::RegisterType(const std::string& extension, const std::string& folder,
                           CRes* prototype) {
  std::unique_ptr<CRes> owned(prototype);
  if (!owned) return;
  if (m_prototypes.count(extension) != 0) {
    DebugLogf("CResMgr :: RegisterType - extension \"%s\" is already registered",
              extension.c_str());
    return;
  }
  m_prototypes.emplace(extension, std::move(owned));
  m_folders[extension] = folder;
}

CRes* CResMgr::GetRes(const char* name) {
  if (name == nullptr) return nullptr;
  return GetResStr(name);
}

CRes* CResMgr::GetResStr(const std::string& name) {
  // Double-byte characters stay whole: lowering a trail byte would name
  // another file.
  std::string key = name;
  LowerCaseText(key);
  const auto cached = m_cache.find(key);
  if (cached != m_cache.end()) {
    cached->second->m_lastUseTime = platform::NowMs();
    return cached->second.get();
  }
  return LoadRes(key);
}

CRes* CResMgr::LoadRes(const std::string& name) {
  const std::string extension = ExtensionOf(name);
  const auto folder = m_folders.find(extension);
  std::string directory = "\\";
  if (folder != m_folders.end()) directory += folder->second;
  SetResDirectory(directory.c_str());
  if (!FileExists(name.c_str())) {
    DebugLogf("자원 찾기 에러 : 파일 %s 은 존재하지 않습니다", name.c_str());
    return nullptr;
  }
  const auto prototype = m_prototypes.find(extension);
  if (prototype == m_prototypes.end()) {
    DebugLog("Object not found in registry");
    return nullptr;
  }
  CRes* res = prototype->second->Create();
  res->Load(name);
  m_cache[name].reset(res);
  res->m_lastUseTime = platform::NowMs();
  ResetFrameTimer();  // the load's time must not count as late frames
  return res;
}

void CResMgr::Lock(CRes* res) {
  if (res == nullptr) return;
  ++res->m_lockCount;
  res->m_lastUseTime = platform::NowMs();
}

void CResMgr::UnLock(CRes* res) {
  if (res == nullptr) return;
  if (--res->m_lockCount < 0) {
    DebugLogf("error unlocking resources %s: lock-unlock not match", GetResName(res).c_str());
  }
}

void CResMgr::Purge() {
  const uint32_t now = platform::NowMs();
  for (auto it = m_cache.begin(); it != m_cache.end();) {
    CRes* res = it->second.get();
    if (res->m_lockCount == 0 && now - res->m_lastUseTime > kResAgeLimitMs) {
      res->Reset();
      it = m_cache.erase(it);
    } else {
      ++it;
    }
  }
  m_frameVars.clear();
}

void CResMgr::MarkAll() {
  for (auto& entry : m_cache) entry.second->m_mark = 1;
}

void CResMgr::FreeUnmarked() {
  for (auto it = m_cache.begin(); it != m_cache.end();) {
    if (it->second->m_mark != 0) {
      ++it;
      continue;
    }
    if (it->second->m_lockCount != 0) {
      DebugLogf("CResMgr :: FreeUnmarked - %s is freed while locked (%d)", it->first.c_str(),
                static_cast<int>(it->second->m_lockCount));
    }
    it = m_cache.erase(it);
  }
}

CResMgr::ResTable::iterator CResMgr::Find(const CRes* res) {
  for (auto it = m_cache.begin(); it != m_cache.end(); ++it) {
    if (it->second.get() == res) return it;
  }
  return m_cache.end();
}

void CResMgr::ReleaseRes(CRes* res) {
  const auto it = Find(res);
  if (it != m_cache.end()) m_cache.erase(it);
}

std::string CResMgr::GetResName(const CRes* res) const {
  for (const auto& entry : m_cache) {
    if (entry.second.get() == res) return entry.first;
  }
  return std::string();
}

void CResMgr::UnloadResources() {
  for (auto& entry : m_cache) entry.second->Reset();
  m_cache.clear();
}

void CResMgr::UnloadAll() {
  UnloadResources();
  m_prototypes.clear();
  m_folders.clear();
  m_globalVars.clear();
  m_frameVars.clear();
}

bool CResMgr::LoadGlobalIni(const std::string& name) { return ReadList(name, true); }

bool CResMgr::LoadIni(const std::string& name) { return ReadList(name, false); }

bool CResMgr::ReadList(const std::string& name, bool global) {
  const std::string fileName = name.find(".ini") == std::string::npos ? name + ".ini" : name;
  SetResDirectory("\\");
  CTextStream stream;
  if (!stream.Open(fileName)) {
    DebugLog("File Open Error");
    DebugLog(fileName);
    DebugLog(GetResDirectory());
    DebugLog(CurrentDirectory());
    return false;
  }
  CTokenizer tokens;
  while (tokens.ReadLine(stream)) ApplyListLine(tokens, global);
  return true;
}

// A token a line lacks is reported by the tokenizer; such a line loads
// nothing, and a "set" without its value sets an empty text.
void CResMgr::ApplyListLine(const CTokenizer& tokens, bool global) {
  if (tokens.GetCount() == 0) return;
  const std::string& keyword = tokens[0];
  if (keyword == "load") {
    const std::string& file = tokens[2];
    if (tokens.GetCount() < 3) return;
    GetResStr(file);
    if (!global) m_frameVars["world"] = file.size() >= 4 ? file.substr(0, file.size() - 4) : "";
  } else if (keyword == "set") {
    const std::string& var = tokens[1];
    if (tokens.GetCount() < 2) return;
    if (global) {
      // global.ini takes a value only from a line of exactly three tokens.
      m_globalVars[var] = tokens.GetCount() == 3 ? tokens[2] : std::string();
    } else {
      m_frameVars[var] = tokens[2];
    }
  }
}

std::string CResMgr::GetValue(const std::string& name) const {
  auto it = m_frameVars.find(name);
  if (it != m_frameVars.end()) return it->second;
  it = m_globalVars.find(name);
  return it != m_globalVars.end() ? it->second : std::string();
}

bool CResMgr::HasValue(const std::string& name) const { return m_frameVars.count(name) != 0; }

std::vector<std::string> CResMgr::GetResNames() const {
  std::vector<std::string> names;
  for (const auto& entry : m_cache) names.push_back(entry.first);
  return names;
}
