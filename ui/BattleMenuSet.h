#pragma once
// The contents of every battle command menu as plain records, one per menu
// key: the nine main menus built once at start-up, and the magic, skill,
// equipment, item and tactics sub-menus built afresh from the session each
// time one opens. The battle widgets fill their menus from these records.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct BattleMenuEntry {
  std::string name;     // code page 949
  uint8_t hotkey = 0;   // virtual-key code polled while the menu has hotkeys
  int32_t index = -1;   // row in the menu, and the value sent with the command
  int32_t command = -1;
  int32_t disabled = 0;
  int32_t subMenuKey = -1;  // opened by command 6
};

struct BattleMenuRecord {
  int32_t hotkeysEnabled = 0;
  int32_t key = -1;
  int32_t tabPage = -1;  // -1: no tab
  std::array<int32_t, 4> pageKeys{-1, -1, -1, -1};
  std::vector<BattleMenuEntry> entries;
};

class CBattleMenuSet {
 public:
  // Menu keys.
  static constexpr int kMagicPage = 9;  // 9-12
  static constexpr int kSkills = 13;
  static constexpr int kEquipPage = 14;  // 14-17
  static constexpr int kTactics = 18;
  static constexpr int kItemPage = 19;  // 19-22

  // Entry commands.
  enum Command {
    kNone = -1,
    kAttack = 0,
    kDefend = 1,
    kMove = 2,
    kUseItem = 3,
    kFlee = 4,
    kChooseTactics = 5,
    kOpenSubMenu = 6,
    kPlaceholder = 7,
    kEquipItem = 8,
    kCastMagic = 9,
    kUseSkill = 10,
  };

  static CBattleMenuSet& GetInstance();

  // The nine main menus, keys 0 to 8; a second call starts again.
  void Build();
  void Destroy();
  // In the record of `key`, the entry of `index` gives way to a new enabled
  // one; rows are placed by index, so the visible order stays.
  void ReplaceEntry(int key, const std::string& name, int hotkey, int index, int command, int subMenuKey);
  // The same, the new entry keeping the old one's command and sub-menu.
  void RemoveItem(int key, const std::string& name, int hotkey, int index);
  // Rebuilds the sub-menu `key` (9-22) for the party member at `character`
  // and gives its record's position; -1, logged, for another key or a
  // position outside the party.
  int BuildSubMenu(int key, int character);
  // The position of the first record of the key; -1 when there is none.
  int FindRecord(int key) const;

  int GetRecordCount() const { return static_cast<int>(m_records.size()); }
  // Null for a position outside the set.
  const BattleMenuRecord* GetRecord(int position) const;
  bool IsBuilt() const { return m_built; }

 private:
  CBattleMenuSet() = default;
  void AddMainMenu(int key);
  void FillMagicPage(BattleMenuRecord& record, int character);
  void FillSkills(BattleMenuRecord& record, int character);
  void FillEquipPage(BattleMenuRecord& record, int character);
  void FillItemPage(BattleMenuRecord& record);
  static void FillTactics(BattleMenuRecord& record);

  std::vector<BattleMenuRecord> m_records;
  bool m_built = false;
};
