#pragma once
// The skill table ("diary/skill.txt").
#include <string>
#include <vector>

struct SkillTypeInfo {
  std::string name;
  std::string secondName;
  std::string desc;
  int targetType = 0;
  int power = 0;
  int powerAbsolute = 0;
  int cost[3] = {};  // one per MP kind
  char key[4] = {};
  int useType = 0;
  int level = 0;
  int classType = 0;
  int duration = 0;
  int splash = 0;
  int enlevel = 0;
  int probability = 0;
  int attr = 0;
  int stateMask = 0;
  int restoreStateMask = 0;
  int effect[6] = {};
};

class CSkillMgr {
 public:
  static CSkillMgr& GetInstance();

  // Reads the table; a second load says so and replaces the first. False,
  // with an empty table, when the file cannot be read.
  bool Load(const std::string& fileName);
  void Free() { m_records.clear(); }

  int GetCount() const { return static_cast<int>(m_records.size()); }
  // Null, logged, for an index outside the table.
  const SkillTypeInfo* GetSkillTypeInfo(int index) const;
  // The first record of that exact name; -1, logged, when none.
  int Find(const std::string& name) const;
  bool Contains(const std::string& name) const;

 private:
  CSkillMgr() = default;
  int IndexOf(const std::string& name) const;

  std::vector<SkillTypeInfo> m_records;
};

// What an item or a monster names as its magic or skill: a skill of that
// name first (flag 0 and the skill's index), else the magic (flag 1 and the
// magic's index, -1 and logged when there is none).
void LinkSkillOrMagic(const std::string& name, int* isMagic, int* index);
