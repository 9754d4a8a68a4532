#include "session/MenuList.h"

#include <array>
#include <cstdint>

#include "platform/DebugLog.h"
#include "session/DataTables.h"
#include "session/Session.h"

namespace {
namespace menulist {

constexpr uint32_t Kinds(std::initializer_list<int> kinds) {
  uint32_t mask = 0;
  for (int kind : kinds) mask |= 1u << kind;
  return mask;
}

constexpr uint32_t kAllKinds = ~0u;

// The kinds each item filter lists; a filter outside the table lists all.
constexpr std::array<uint32_t, 20> kItemFilters = {
    Kinds({7, 8}),            // 0 food, restore
    Kinds({9, 10, 12}),       // 1 grenade, up item, down item
    Kinds({14}),              // 2 event
    Kinds({13}),              // 3 system
    Kinds({11}),              // 4 second up item
    ~Kinds({0, 1, 2, 3, 4, 5, 6}),  // 5 all but equipment
    Kinds({0}),               // 6 weapons
    Kinds({1, 2, 3}),         // 7 shield, armour, helmet
    Kinds({5}),               // 8 first accessory
    Kinds({4, 6}),            // 9 shoes, second accessory
    Kinds({0, 1, 2, 3, 4, 5, 6}),  // 10 all equipment
    Kinds({7, 8, 9, 10, 12}),      // 11 usable in battle
    Kinds({1, 2, 3}),         // 12 as 7
    Kinds({4}),               // 13 shoes
    Kinds({5, 6}),            // 14 accessories
    kAllKinds,                // 15
    Kinds({7}),               // 16 food
    Kinds({9}),               // 17 grenade
    Kinds({10, 11}),          // 18 up items
    Kinds({8}),               // 19 restore
};

// Which attribute each magic list type shows; 0 for every learned magic,
// -1 for none.
int MagicAttrOfType(int type) {
  constexpr int kAttrs[] = {3, 1, 4, 2, 0};
  return type >= 0 && type < 5 ? kAttrs[type] : -1;
}

// The diary's monster pages: page 2 holds two monster categories, page 4
// every category the others leave.
bool MonsterInCategory(int category, int monsterCategory) {
  switch (category) {
    case 0: return monsterCategory == 0;
    case 1: return monsterCategory == 1;
    case 2: return monsterCategory == 2 || monsterCategory == 3;
    case 3: return monsterCategory == 4;
    case 4: return monsterCategory < 0 || monsterCategory > 4;
    default: return category > 4;
  }
}

int DiaryLevel(const std::array<int32_t, CSession::kDiarySlots>& diary, int index) {
  return index >= 0 && index < CSession::kDiarySlots ? diary[static_cast<size_t>(index)] : 0;
}

}  // namespace menulist
}  // namespace

// Items ---------------------------------------------------------------------

CItemList& CItemList::GetInstance() {
  static CItemList list;
  return list;
}

bool CItemList::FilterAccepts(int filterType, int kind) {
  if (kind < 0 || kind >= 32) return false;
  const uint32_t mask =
      filterType >= 0 && filterType < static_cast<int>(menulist::kItemFilters.size()) ? menulist::kItemFilters[static_cast<size_t>(filterType)] : menulist::kAllKinds;
  return (mask & (1u << kind)) != 0;
}

void CItemList::Build(int filterType, int source) {
  m_filterType = filterType;
  m_names.clear();
  m_indexes.clear();
  m_counts.clear();
  CSession& session = CSession::GetInstance();
  const CItemMgr& items = CItemMgr::GetInstance();
  for (int i = 7; i < items.GetCount() && i < CSession::kItemSlots; ++i) {
    const int count = source == 1 ? session.GetItemBoxCount(i) : session.GetItemCount(i);
    if (count < 1) continue;
    const ITM* item = items.GetItem(i);
    if (item == nullptr || !FilterAccepts(filterType, item->kind)) continue;
    m_names.push_back(item->name);
    m_indexes.push_back(i);
    m_counts.push_back(count);
  }
}

// Magic and skills ------------------------------------------------------------

CMagicList& CMagicList::GetInstance() {
  static CMagicList list;
  return list;
}

bool CMagicList::Build(int filterType, int position) {
  const PlayerData* player = CSession::GetInstance().GetPartyMember(position);
  if (player == nullptr) return false;
  if (player->ismagicman != 1) {
    DebugLogf("CMagicList : %s is not magic man", player->engname.c_str());
    return false;
  }
  m_filterType = filterType;
  m_indexes.clear();
  const int attr = menulist::MagicAttrOfType(filterType);
  if (attr < 0) return true;
  const CMagicMgr& magic = CMagicMgr::GetInstance();
  for (int i = 0; i < magic.GetCount() && i < kMaxMagicFlags; ++i) {
    if (player->magicFlags[static_cast<size_t>(i)] == 0) continue;
    const MagicTypeInfo* info = magic.GetMagicTypeInfo(i);
    if (info != nullptr && (attr == 0 || info->magicAttr == attr)) m_indexes.push_back(i);
  }
  return true;
}

CSkillList& CSkillList::GetInstance() {
  static CSkillList list;
  return list;
}

bool CSkillList::Build(int filterType, int position) {
  const PlayerData* player = CSession::GetInstance().GetPartyMember(position);
  if (player == nullptr) return false;
  if (player->ismagicman != 0) {
    DebugLogf("CSkillList : %s is not skill man", player->engname.c_str());
    return false;
  }
  m_filterType = filterType;
  m_indexes.clear();
  if (filterType < 0 || filterType > 3) return true;
  const CSkillMgr& skills = CSkillMgr::GetInstance();
  for (int i = 0; i < skills.GetCount() && i < kMaxMagicFlags; ++i) {
    if (player->magicFlags[static_cast<size_t>(i)] == 0) continue;
    const SkillTypeInfo* info = skills.GetSkillTypeInfo(i);
    if (info != nullptr && (filterType == 3 || info->cost[filterType] != 0)) m_indexes.push_back(i);
  }
  return true;
}

// Diary -----------------------------------------------------------------------

CDiaryList& CDiaryList::GetInstance() {
  static CDiaryList list;
  return list;
}

void CDiaryList::Clear() {
  m_titles.clear();
  m_names.clear();
  m_indexes.clear();
  m_levels.clear();
}

void CDiaryList::Add(const std::string& title, const std::string& name, int index, int level) {
  m_titles.push_back(title);
  m_names.push_back(name);
  m_indexes.push_back(index);
  m_levels.push_back(level);
}

void CDiaryList::Build(int tableType, int category) {
  m_tableType = tableType;
  m_category = category;
  Clear();
  const CSession& session = CSession::GetInstance();
  const bool anyCategory = category > 4;
  if (tableType == kItems) {
    const CItemMgr& items = CItemMgr::GetInstance();
    for (int i = 0; i < items.GetCount(); ++i) {
      const int level = menulist::DiaryLevel(session.itemDiary, i);
      const DiaryEntry* entry = items.Diary().GetEntry(i);
      if (level == 0 || entry == nullptr || (!anyCategory && entry->category != category)) continue;
      Add(entry->title, entry->name, i, level);
    }
  } else if (tableType == kMonsters) {
    const CMonsterMgr& monsters = CMonsterMgr::GetInstance();
    for (int i = 0; i < monsters.GetCount(); ++i) {
      const int level = menulist::DiaryLevel(session.monsterDiary, i);
      const DiaryEntry* entry = monsters.Diary().GetEntry(i);
      if (level == 0 || entry == nullptr || !menulist::MonsterInCategory(category, entry->category)) continue;
      Add(entry->title, "", i, level);
    }
  } else if (tableType == kScraps) {
    const CScrapMgr& scraps = CScrapMgr::GetInstance();
    for (int i = 0; i < scraps.GetCount(); ++i) {
      const int level = menulist::DiaryLevel(session.scrapDiary, i);
      const DiaryEntry* entry = scraps.Diary().GetEntry(i);
      if (level == 0 || entry == nullptr || (!anyCategory && entry->category != category)) continue;
      Add(entry->title, "", i, level);
    }
  } else if (tableType == 2) {
    DebugLog("buildList event : obsolete!");
  } else if (tableType == 3) {
    DebugLog("buildList map : obsolete!");
  }
}
