#include "ui/BattleMenuSet.h"

#include <algorithm>

#include "platform/DebugLog.h"
#include "session/DataTables.h"
#include "session/MenuList.h"
#include "session/Session.h"

namespace {
namespace battlemenuset {

constexpr int kMainKeyOrder[] = {0, 1, 2, 3, 4, 7, 6, 5, 8};
constexpr uint8_t kNoHotkey = ' ';

struct MainEntry {
  const char* name;
  char hotkey;
  int command;
  int subMenuKey;
};

// Row 2 differs by menu key: see MagicOrSkillEntry.
constexpr MainEntry kMainEntries[] = {
    {"공격(A)", 'A', CBattleMenuSet::kAttack, -1},
    {"방어(D)", 'D', CBattleMenuSet::kDefend, -1},
    {"마법(T)", 'T', CBattleMenuSet::kOpenSubMenu, CBattleMenuSet::kMagicPage},
    {"아이템(I)", 'I', CBattleMenuSet::kOpenSubMenu, CBattleMenuSet::kItemPage},
    {"장비(E)", 'E', CBattleMenuSet::kOpenSubMenu, CBattleMenuSet::kEquipPage},
    {"자동전투(U)", 'U', CBattleMenuSet::kOpenSubMenu, CBattleMenuSet::kTactics},
    {"이동(M)", 'M', CBattleMenuSet::kMove, -1},
    {"도주(F)", 'F', CBattleMenuSet::kFlee, -1},
};

// The main menus of keys 0 and 8 belong to the magic users.
MainEntry MagicOrSkillEntry(int key) {
  if (key == 0 || key == 8) return kMainEntries[2];
  return {"스킬(T)", 'T', CBattleMenuSet::kOpenSubMenu, CBattleMenuSet::kSkills};
}

constexpr int kEquipFilters[] = {6, 12, 13, 14};
constexpr int kItemFilters[] = {16, 17, 18, 19};
constexpr const char* kTacticsNames[] = {"열혈공격", "공격우선", "도망우선", "공격지원", "커스텀"};

// A table row's "#key": its first byte, a letter upper-cased, since the
// lower-case codes are other keys; anything but a letter or digit gives 0,
// a key never down.
uint8_t HotkeyOf(const char key[4]) {
  const char c = key[0];
  if (c >= 'a' && c <= 'z') return static_cast<uint8_t>(c - 'a' + 'A');
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<uint8_t>(c);
  return 0;
}

void AddEntry(BattleMenuRecord& record, std::string name, uint8_t hotkey, int command, bool disabled) {
  BattleMenuEntry entry;
  entry.name = std::move(name);
  entry.hotkey = hotkey;
  entry.index = static_cast<int32_t>(record.entries.size());
  entry.command = command;
  entry.disabled = disabled ? 1 : 0;
  record.entries.push_back(std::move(entry));
}

// An empty list still shows one greyed row that cannot be chosen.
void AddPlaceholderIfEmpty(BattleMenuRecord& record, const char* text) {
  if (record.entries.empty()) AddEntry(record, text, kNoHotkey, CBattleMenuSet::kPlaceholder, true);
}

void SetTabs(BattleMenuRecord& record, int firstKey) {
  record.tabPage = record.key - firstKey;
  for (int i = 0; i < 4; ++i) record.pageKeys[static_cast<size_t>(i)] = firstKey + i;
}

// An item row: its name and count, however long the name.
std::string CountedName(const std::string& name, int count) { return name + " x " + std::to_string(count); }

}  // namespace battlemenuset
}  // namespace

CBattleMenuSet& CBattleMenuSet::GetInstance() {
  static CBattleMenuSet set;
  return set;
}

void CBattleMenuSet::Build() {
  Destroy();
  for (int key : battlemenuset::kMainKeyOrder) AddMainMenu(key);
  m_built = true;
}

void CBattleMenuSet::AddMainMenu(int key) {
  BattleMenuRecord record;
  record.hotkeysEnabled = 1;
  record.key = key;
  for (int i = 0; i < 8; ++i) {
    const battlemenuset::MainEntry e = i == 2 ? battlemenuset::MagicOrSkillEntry(key) : battlemenuset::kMainEntries[i];
    BattleMenuEntry entry;
    entry.name = e.name;
    entry.hotkey = static_cast<uint8_t>(e.hotkey);
    entry.index = i;
    entry.command = e.command;
    entry.subMenuKey = e.subMenuKey;
    record.entries.push_back(std::move(entry));
  }
  m_records.push_back(std::move(record));
}

void CBattleMenuSet::Destroy() {
  m_records.clear();
  m_built = false;
}

int CBattleMenuSet::FindRecord(int key) const {
  for (size_t i = 0; i < m_records.size(); ++i) {
    if (m_records[i].key == key) return static_cast<int>(i);
  }
  return -1;
}

const BattleMenuRecord* CBattleMenuSet::GetRecord(int position) const {
  return position >= 0 && position < GetRecordCount() ? &m_records[static_cast<size_t>(position)] : nullptr;
}

void CBattleMenuSet::ReplaceEntry(int key, const std::string& name, int hotkey, int index, int command,
                                  int subMenuKey) {
  const int position = FindRecord(key);
  if (position < 0) {
    DebugLogf("CBattleMenuSet : no menu %d", key);
    return;
  }
  auto& entries = m_records[static_cast<size_t>(position)].entries;
  entries.erase(std::remove_if(entries.begin(), entries.end(), [index](const BattleMenuEntry& e) { return e.index == index; }),
                entries.end());
  BattleMenuEntry entry;
  entry.name = name;
  entry.hotkey = static_cast<uint8_t>(hotkey);
  entry.index = index;
  entry.command = command;
  entry.subMenuKey = subMenuKey;
  entries.push_back(std::move(entry));
}

void CBattleMenuSet::RemoveItem(int key, const std::string& name, int hotkey, int index) {
  const int position = FindRecord(key);
  int command = kNone;
  int subMenuKey = -1;
  if (position >= 0) {
    for (const BattleMenuEntry& entry : m_records[static_cast<size_t>(position)].entries) {
      if (entry.index != index) continue;
      command = entry.command;
      subMenuKey = entry.subMenuKey;
    }
  }
  ReplaceEntry(key, name, hotkey, index, command, subMenuKey);
}

int CBattleMenuSet::BuildSubMenu(int key, int character) {
  if (key < kMagicPage || key > kItemPage + 3) {
    DebugLogf("CBattleMenuSet : no sub-menu %d", key);
    return -1;
  }
  if (CSession::GetInstance().GetPartyMember(character) == nullptr) {
    DebugLogf("CBattleMenuSet : sub-menu %d for no party member (%d)", key, character);
    return -1;
  }
  BattleMenuRecord record;
  record.key = key;
  if (key < kSkills) {
    FillMagicPage(record, character);
  } else if (key == kSkills) {
    FillSkills(record, character);
  } else if (key < kTactics) {
    FillEquipPage(record, character);
  } else if (key == kTactics) {
    FillTactics(record);
  } else {
    FillItemPage(record);
  }
  const int old = FindRecord(key);
  if (old >= 0) m_records.erase(m_records.begin() + old);
  m_records.push_back(std::move(record));
  return GetRecordCount() - 1;
}

// A member who uses no magic keeps the list of whoever asked before, so its
// rows would be another's: the page shows none.
void CBattleMenuSet::FillMagicPage(BattleMenuRecord& record, int character) {
  battlemenuset::SetTabs(record, kMagicPage);
  CMagicList& list = CMagicList::GetInstance();
  if (list.Build(record.key - kMagicPage, character)) {
    CSession& session = CSession::GetInstance();
    for (int magic : list.Indexes()) {
      const MagicTypeInfo* info = CMagicMgr::GetInstance().GetMagicTypeInfo(magic);
      int reason = 0;  // the menu only greys the row
      const bool usable = session.CanCastMagic(character, magic, &reason);
      battlemenuset::AddEntry(record, info->name, battlemenuset::HotkeyOf(info->key), kCastMagic, !usable);
    }
  }
  battlemenuset::AddPlaceholderIfEmpty(record, "마법이 없음");
}

void CBattleMenuSet::FillSkills(BattleMenuRecord& record, int character) {
  CSkillList& list = CSkillList::GetInstance();
  if (list.Build(3, character)) {
    const CSession& session = CSession::GetInstance();
    for (int skill : list.Indexes()) {
      const SkillTypeInfo* info = CSkillMgr::GetInstance().GetSkillTypeInfo(skill);
      battlemenuset::AddEntry(record, info->name, battlemenuset::HotkeyOf(info->key), kUseSkill, !session.CanPaySkillCost(character, skill));
    }
  }
  battlemenuset::AddPlaceholderIfEmpty(record, "스킬이 없음");
}

// The pages list what is carried: equipping takes the item from there.
void CBattleMenuSet::FillEquipPage(BattleMenuRecord& record, int character) {
  battlemenuset::SetTabs(record, kEquipPage);
  CItemList& list = CItemList::GetInstance();
  list.Build(battlemenuset::kEquipFilters[record.key - kEquipPage], 0);
  const CSession& session = CSession::GetInstance();
  const int id = session.partyIds[static_cast<size_t>(character)];
  for (int row = 0; row < list.GetCount(); ++row) {
    const int item = list.Indexes()[static_cast<size_t>(row)];
    battlemenuset::AddEntry(record, battlemenuset::CountedName(list.Names()[static_cast<size_t>(row)], list.Counts()[static_cast<size_t>(row)]), battlemenuset::kNoHotkey,
             kEquipItem, !session.CanEquip(id, item));
  }
  battlemenuset::AddPlaceholderIfEmpty(record, "장비가 없음");
}

void CBattleMenuSet::FillItemPage(BattleMenuRecord& record) {
  battlemenuset::SetTabs(record, kItemPage);
  CItemList& list = CItemList::GetInstance();
  list.Build(battlemenuset::kItemFilters[record.key - kItemPage], 0);
  for (int row = 0; row < list.GetCount(); ++row) {
    battlemenuset::AddEntry(record, battlemenuset::CountedName(list.Names()[static_cast<size_t>(row)], list.Counts()[static_cast<size_t>(row)]), battlemenuset::kNoHotkey,
             kUseItem, false);
  }
  battlemenuset::AddPlaceholderIfEmpty(record, "아이템이 없음");
}

void CBattleMenuSet::FillTactics(BattleMenuRecord& record) {
  for (int i = 0; i < 5; ++i) {
    const char digit = static_cast<char>('1' + i);
    battlemenuset::AddEntry(record, std::string(battlemenuset::kTacticsNames[i]) + "(" + digit + ")", static_cast<uint8_t>(digit), kChooseTactics, false);
  }
}
