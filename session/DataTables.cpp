#include "session/DataTables.h"

// The records of each table are read by its own reader, still to come; the
// manager only remembers what it was asked to load.
bool CTableMgrBase::Load(const std::string& fileName) {
  m_loadedFrom = fileName;
  return false;
}

CItemMgr& CItemMgr::GetInstance() {
  static CItemMgr mgr;
  return mgr;
}
CMagicMgr& CMagicMgr::GetInstance() {
  static CMagicMgr mgr;
  return mgr;
}
CSkillMgr& CSkillMgr::GetInstance() {
  static CSkillMgr mgr;
  return mgr;
}
CMonsterMgr& CMonsterMgr::GetInstance() {
  static CMonsterMgr mgr;
  return mgr;
}
CScrapMgr& CScrapMgr::GetInstance() {
  static CScrapMgr mgr;
  return mgr;
}
