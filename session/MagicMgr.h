#pragma once
// The magic table ("diary/magic.txt").
#include <string>
#include <vector>

struct MagicTypeInfo {
  std::string name;
  std::string secondName;
  std::string desc;
  int attr = 0;
  int targetType = 0;
  int power = 0;
  int powerAbsolute = 0;
  int magicAttr = 0;
  int cost[4] = {};  // "#cost" values 1, 2, 4, 3 in this order
  int useType = 0;
  int magicClass = 0;
  int level = 0;
  int enlevel = 0;
  int stateMask = 0;
  int restoreStateMask = 0;
  char key[4] = {};
  int effect[6] = {};
};

class CMagicMgr {
 public:
  static CMagicMgr& GetInstance();

  // Reads the table; a second load says so and replaces the first. False,
  // with an empty table, when the file cannot be read.
  bool Load(const std::string& fileName);
  void Free() { m_records.clear(); }

  int GetCount() const { return static_cast<int>(m_records.size()); }
  // Null, logged, for an index outside the table.
  const MagicTypeInfo* GetMagicTypeInfo(int index) const;
  // The first record of that exact name; -1, logged, when none.
  int Find(const std::string& name) const;
  // Whether a record has that exact name; never logged.
  bool Contains(const std::string& name) const;
  // Whether the magic's first cost and the cost the fourth value fills are
  // both set; false for an index outside the table.
  bool TestMagic(int index) const;

 private:
  CMagicMgr() = default;
  std::vector<MagicTypeInfo> m_records;
};
