#pragma once
// The item table ("diary/item.txt"): every item's object, its diary entry and
// pages, and the variants that a rising diary level applies.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "session/DiaryEntry.h"
#include "session/ITM.h"

// One block of the file while it is read.
struct ItemRecord {
  std::string name;
  std::string desc;
  std::string icon;
  int kind = kItemEvent;
  int price = 0;
  int supply = 0;
  std::array<int, kMaxItemAttrs> params{};
  int magicOrSkill = 0;
  int linked1 = -1;
  int linked2 = -1;
};

// What section 1, 2 or 3 of an item's block changes; -1 keeps the item's value.
struct ItemVariant {
  ItemVariant() { params.fill(-1); }
  bool SetsAnything() const;

  int itemIndex = -1;
  int section = 0;
  int kind = -1;
  int price = -1;
  int supply = -1;
  std::array<int, kMaxItemAttrs> params{};
};

class CItemMgr {
 public:
  // What the session indexes.
  static constexpr int kMaxItems = 1000;

  static CItemMgr& GetInstance();

  // Frees the previous table and reads this one; false, with an empty table,
  // when the file cannot be read.
  bool Load(const std::string& fileName);
  void Free();

  int GetCount() const { return static_cast<int>(m_items.size()); }
  // Null, logged, for an index outside the table.
  ITM* GetItem(int index) const;
  // The first item of that exact name; -1, logged, when none.
  int Find(const std::string& name) const;
  // The first diary entry of that exact name; -1, silently, when none.
  int LookupName(const std::string& name) const;
  // The first variant of the item from section 1 up to `level`, applied.
  void ApplyVariant(int index, int level);
  bool IsTwoHandedWeapon(int index) const;
  bool IsDoubleAccessory(int index) const;

  const DiaryBook& Diary() const { return m_diary; }
  const std::vector<ItemVariant>& Variants() const { return m_variants; }

 private:
  CItemMgr() = default;
  void Build(const std::vector<ItemRecord>& records, int count);

  std::vector<std::unique_ptr<ITM>> m_items;
  std::vector<ItemVariant> m_variants;
  DiaryBook m_diary;
};
