#pragma once
// The filtered lists that the menu panes and the battle sub-menus show by
// row: items, magic, skills and diary entries. Each is one process-wide
// object; a build replaces the previous content whole.
#include <string>
#include <vector>

class CItemList {
 public:
  static CItemList& GetInstance();

  // Source 0 lists the inventory, 1 the item box; the filter picks kinds.
  void Build(int filterType, int source);
  // Whether an item of `kind` passes the filter.
  static bool FilterAccepts(int filterType, int kind);

  int FilterType() const { return m_filterType; }
  int GetCount() const { return static_cast<int>(m_indexes.size()); }
  const std::vector<std::string>& Names() const { return m_names; }
  const std::vector<int>& Indexes() const { return m_indexes; }
  const std::vector<int>& Counts() const { return m_counts; }

 private:
  CItemList() = default;
  int m_filterType = -1;
  std::vector<std::string> m_names;
  std::vector<int> m_indexes;
  std::vector<int> m_counts;
};

class CMagicList {
 public:
  static CMagicList& GetInstance();

  // The learned magic of the member at the party position; false, with the
  // list as it was, when that member is no magic user or not there.
  bool Build(int filterType, int position);

  int FilterType() const { return m_filterType; }
  int GetCount() const { return static_cast<int>(m_indexes.size()); }
  const std::vector<int>& Indexes() const { return m_indexes; }

 private:
  CMagicList() = default;
  int m_filterType = -1;
  std::vector<int> m_indexes;
};

class CSkillList {
 public:
  static CSkillList& GetInstance();

  // The learned skills of the member at the party position; false, with the
  // list as it was, when that member is a magic user or not there.
  bool Build(int filterType, int position);

  int FilterType() const { return m_filterType; }
  int GetCount() const { return static_cast<int>(m_indexes.size()); }
  const std::vector<int>& Indexes() const { return m_indexes; }

 private:
  CSkillList() = default;
  int m_filterType = -1;
  std::vector<int> m_indexes;
};

class CDiaryList {
 public:
  static constexpr int kItems = 0;
  static constexpr int kMonsters = 1;
  static constexpr int kScraps = 4;

  static CDiaryList& GetInstance();

  // The entries of the table the player has met (diary level above 0) in
  // the category; a category above 4 lists them all.
  void Build(int tableType, int category);

  int TableType() const { return m_tableType; }
  int Category() const { return m_category; }
  int GetCount() const { return static_cast<int>(m_indexes.size()); }
  const std::vector<std::string>& Titles() const { return m_titles; }
  const std::vector<std::string>& Names() const { return m_names; }  // item lists only
  const std::vector<int>& Indexes() const { return m_indexes; }
  const std::vector<int>& Levels() const { return m_levels; }

 private:
  CDiaryList() = default;
  void Clear();
  void Add(const std::string& title, const std::string& name, int index, int level);

  int m_tableType = -1;
  int m_category = -1;
  std::vector<std::string> m_titles;
  std::vector<std::string> m_names;
  std::vector<int> m_indexes;
  std::vector<int> m_levels;
};
