#include "engine/ResMgr.h"

CResMgr& CResMgr::GetInstance() {
  static CResMgr manager;
  return manager;
}

bool CResMgr::LoadIni(const std::string& name) { return false; }
