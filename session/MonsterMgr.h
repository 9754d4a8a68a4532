#pragma once
// The monster table ("diary/monster.txt"): the enemies' records with their
// diary entries and pages.
#include <string>
#include <vector>

#include "session/DiaryEntry.h"

// The defaults are those a block starts from.
struct MonsterTypeInfo {
  std::string name;
  int type = 0;
  int level = 0;
  int is3d = 0;
  std::string desc;
  std::string sprName;
  std::string actName;
  std::string rmaName;
  int hp = 0;
  int shp = 0;
  int attr = 0;
  int stateId = 0;
  int phyAtk = 0;
  int phyDef = 0;
  int magDef = 0;
  int spd = 0;
  int luck = 0;
  int duration = 0;  // hundredths
  int magDefRate = 0;
  int abilityIsMagic[5] = {};
  int ability[5] = {-1, -1, -1, -1, -1};
  int expGain = 0;
  int goldGain = 0;
  int tactics[4] = {0, 1, 2, 3};
  float captionZoom = 1.0f;
  float apCaptionZoom = 1.0f;
  int stunEffectDeltaY = 0;
  float shadowZoom = 1.0f;
  float radius = 0.0f;
};

class CMonsterMgr {
 public:
  static CMonsterMgr& GetInstance();

  // Frees the previous table and reads this one; false, with an empty table,
  // when the file cannot be read.
  bool Load(const std::string& fileName);
  void Free();

  int GetCount() const { return static_cast<int>(m_records.size()); }
  // A copy of the record; a default record, logged, for an index outside
  // the table.
  MonsterTypeInfo GetMonsterTypeInfo(int index) const;
  // The first record of that exact name; -1, logged, when none.
  int Find(const std::string& name) const;
  // The first diary entry of that exact name; -1, silently, when none.
  int LookupName(const std::string& name) const;
  const DiaryBook& Diary() const { return m_diary; }

 private:
  CMonsterMgr() = default;
  std::vector<MonsterTypeInfo> m_records;
  DiaryBook m_diary;
};
