#include "session/ItemMgr.h"

#include "engine/Tokenizer.h"
#include "platform/DebugLog.h"
#include "session/SkillMgr.h"
#include "session/TableReader.h"

namespace {
namespace itemmgr {

constexpr TableFormat kItemFormat{"#item", "Syntax Error In Item.txt", CItemMgr::kMaxItems, false};

// The weapon's tenth "#param" value is its reach, written as a decimal.
constexpr int kReachParam = 9;

// The item table's blocks into records, diary entries, pages and variants.
class ItemLoader final : public CTableBlockSink {
 public:
  ItemLoader(DiaryBook& diary, std::vector<ItemVariant>& variants) : m_diary(diary), m_variants(variants) {}

  void OpenBlock(int index, const CTokenizer& tokens) override;
  void BlockLine(int index, const CTokenizer& tokens, const std::string& line) override;
  void CloseBlock(int index) override;

  std::vector<ItemRecord> records;
  int closed = 0;

 private:
  // Keys that a section sends to its variant; false for any other key.
  bool ApplyValueKey(const CTokenizer& tokens, ItemRecord& record);
  bool ApplySectionKey(const CTokenizer& tokens, ItemVariant& variant);
  bool ApplyItemKey(const CTokenizer& tokens, ItemRecord& record);

  DiaryBook& m_diary;
  std::vector<ItemVariant>& m_variants;
  ItemVariant m_sections[3];
  CDiaryPager m_pager;
};

void ItemLoader::OpenBlock(int index, const CTokenizer& tokens) {
  records.resize(static_cast<size_t>(index) + 1);
  const NameGroups groups = ReadNameGroups(tokens, 2);
  DiaryEntry entry{groups.first, groups.second, IntAt(tokens, groups.next, 0),
                   TextAt(tokens, groups.next + 1, "")};
  records.back().name = entry.name;
  m_diary.SetEntry(index, std::move(entry));
}

void ItemLoader::BlockLine(int index, const CTokenizer& tokens, const std::string& line) {
  ItemRecord& record = records[static_cast<size_t>(index)];
  const std::string& key = tokens[0];
  if (const int starts = SectionKey(key); starts != 0) {
    m_pager.StartSection(starts);
    return;
  }
  const int section = m_pager.Section();
  const bool known = section != 0 ? ApplySectionKey(tokens, m_sections[section - 1]) || ApplyItemKey(tokens, record)
                                  : ApplyValueKey(tokens, record) || ApplyItemKey(tokens, record);
  if (known) return;
  if (!key.empty() && key[0] == '#') DebugLog("Unknown Key In Item.txt : " + key);
  m_pager.AddLine(line);
}

bool ItemLoader::ApplyValueKey(const CTokenizer& tokens, ItemRecord& record) {
  const std::string& key = tokens[0];
  if (key == "#type") {
    record.kind = IntAt(tokens, 1, kItemEvent);
  } else if (key == "#price") {
    record.price = IntAt(tokens, 1, 0);
  } else if (key == "#supply") {
    record.supply = IntAt(tokens, 1, 0);
  } else if (key == "#param") {
    for (int i = 0; i < kMaxItemAttrs; ++i) {
      const bool reach = record.kind == kItemWeapon && i == kReachParam;
      record.params[static_cast<size_t>(i)] = reach ? HundredthsAt(tokens, i + 1) : IntAt(tokens, i + 1, 0);
    }
  } else {
    return false;
  }
  return true;
}

bool ItemLoader::ApplySectionKey(const CTokenizer& tokens, ItemVariant& variant) {
  const std::string& key = tokens[0];
  if (key == "#type") {
    variant.kind = IntAt(tokens, 1, -1);
  } else if (key == "#price") {
    variant.price = IntAt(tokens, 1, -1);
  } else if (key == "#supply") {
    variant.supply = IntAt(tokens, 1, -1);
  } else if (key == "#param") {
    DebugLog("#param level != 0");
    for (int i = 0; i < kMaxItemAttrs; ++i) variant.params[static_cast<size_t>(i)] = IntAt(tokens, i + 1, -1);
  } else {
    return false;
  }
  return true;
}

bool ItemLoader::ApplyItemKey(const CTokenizer& tokens, ItemRecord& record) {
  const std::string& key = tokens[0];
  if (key == "#sprname") {
    record.icon = TextAt(tokens, 1, "null2.ico");
  } else if (key == "#desc") {
    record.desc = TextAt(tokens, 1, "");
  } else if (key == "#magicskillname" || key == "#magicskillname2") {
    const std::string name = TextAt(tokens, 1, "없음");
    if (name == "없음") return true;
    int& linked = key == "#magicskillname" ? record.linked1 : record.linked2;
    LinkSkillOrMagic(name, &record.magicOrSkill, &linked);
  } else {
    return false;
  }
  return true;
}

void ItemLoader::CloseBlock(int index) {
  m_diary.SetPages(index, m_pager.EndBlock());
  for (int s = 0; s < 3; ++s) {
    ItemVariant& variant = m_sections[s];
    if (variant.SetsAnything()) {
      variant.itemIndex = index;
      variant.section = s + 1;
      m_variants.push_back(variant);
    }
    variant = ItemVariant();
  }
  closed = index + 1;
}

}  // namespace itemmgr
}  // namespace

bool ItemVariant::SetsAnything() const {
  if (kind != -1 || price != -1 || supply != -1) return true;
  for (int value : params) {
    if (value != -1) return true;
  }
  return false;
}

CItemMgr& CItemMgr::GetInstance() {
  static CItemMgr mgr;
  return mgr;
}

void CItemMgr::Free() {
  m_items.clear();
  m_variants.clear();
  m_diary.Clear();
}

bool CItemMgr::Load(const std::string& fileName) {
  Free();
  std::string bytes;
  if (!ReadTableFile(fileName, &bytes)) return false;
  itemmgr::ItemLoader loader(m_diary, m_variants);
  ReadTableBlocks(bytes, itemmgr::kItemFormat, loader);
  Build(loader.records, loader.closed);
  // A block the file leaves open is no item.
  m_diary.Truncate(loader.closed);
  return true;
}

void CItemMgr::Build(const std::vector<ItemRecord>& records, int count) {
  for (int i = 0; i < count; ++i) {
    const ItemRecord& record = records[static_cast<size_t>(i)];
    std::unique_ptr<ITM> item = MakeItem(record.kind);
    if (!item) {
      DebugLogf("Item %d (%s) has no kind %d; it stands as an event item", i, record.name.c_str(), record.kind);
      item = MakeItem(kItemEvent);
    }
    item->name = record.name;
    item->desc = record.desc;
    item->icon = record.icon;
    item->price = record.price;
    item->supply = record.supply;
    item->magicOrSkill = record.magicOrSkill;
    item->linked1 = record.linked1;
    item->linked2 = record.linked2;
    for (int p = 0; p < ItemAttrCount(item->kind); ++p) *item->GetAttrPtr(p) = record.params[static_cast<size_t>(p)];
    m_items.push_back(std::move(item));
  }
}

ITM* CItemMgr::GetItem(int index) const {
  if (index < 0 || index >= GetCount()) {
    DebugLog("Error In ITM* CItemMgr :: GetItem(int index)");
    return nullptr;
  }
  return m_items[static_cast<size_t>(index)].get();
}

int CItemMgr::Find(const std::string& name) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (m_items[static_cast<size_t>(i)]->name == name) return i;
  }
  DebugLog("Item Not Found");
  return -1;
}

int CItemMgr::LookupName(const std::string& name) const {
  for (const auto& [index, entry] : m_diary.Entries()) {
    if (entry.name == name) return index;
  }
  return -1;
}

void CItemMgr::ApplyVariant(int index, int level) {
  if (index < 0 || index >= GetCount()) return;
  ITM& item = *m_items[static_cast<size_t>(index)];
  for (int section = 1; section <= level && section <= 3; ++section) {
    for (const ItemVariant& variant : m_variants) {
      if (variant.itemIndex != index || variant.section != section) continue;
      for (int p = 0; p < kMaxItemAttrs; ++p) {
        const int value = variant.params[static_cast<size_t>(p)];
        if (value != -1) *item.GetAttrPtr(p) = value;
      }
      // The object stays of its kind; a kind outside the table would send the
      // menus and rules past theirs.
      if (variant.kind >= 0 && variant.kind < kItemKindCount) item.kind = variant.kind;
      if (variant.price != -1) item.price = variant.price;
      if (variant.supply != -1) item.supply = variant.supply;
      return;
    }
  }
}

bool CItemMgr::IsTwoHandedWeapon(int index) const {
  if (index < 0 || index >= GetCount()) return false;
  const ITM& item = *m_items[static_cast<size_t>(index)];
  if (item.kind != kItemWeapon) return false;
  switch (item.GetAttr(7)) {
    case 2: case 3: case 7: case 8: case 9: case 11: case 12: case 13:
      return true;
    default:
      return false;
  }
}

bool CItemMgr::IsDoubleAccessory(int index) const {
  if (index < 0 || index >= GetCount()) return false;
  const ITM& item = *m_items[static_cast<size_t>(index)];
  if (item.kind != kItemAcc2) return false;
  const int form = item.GetAttr(7);
  return form == 1 || form == 4 || form == 5;
}
