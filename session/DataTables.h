#pragma once
// The game's data tables: items, magic, skills, monsters and scraps. Each
// manager loads its table from the file (or folder) it is given and frees it.
#include <string>

// The shared shape of a table manager until its records are read.
class CTableMgrBase {
 public:
  bool Load(const std::string& fileName);
  void Free() { m_loadedFrom.clear(); }
  const std::string& LoadedFrom() const { return m_loadedFrom; }

 private:
  std::string m_loadedFrom;
};

class CItemMgr : public CTableMgrBase {
 public:
  static CItemMgr& GetInstance();
};
class CMagicMgr : public CTableMgrBase {
 public:
  static CMagicMgr& GetInstance();
};
class CSkillMgr : public CTableMgrBase {
 public:
  static CSkillMgr& GetInstance();
};
class CMonsterMgr : public CTableMgrBase {
 public:
  static CMonsterMgr& GetInstance();
};
class CScrapMgr : public CTableMgrBase {
 public:
  static CScrapMgr& GetInstance();
};
