#pragma once
// The item objects of the item table: the base ITM and its fifteen kinds.
// The kinds differ only in which attribute numbers their attribute list
// holds, so one table row per kind says it.
#include <array>
#include <memory>
#include <string>

enum ItemKind : int {
  kItemWeapon = 0,
  kItemShield,
  kItemArmor,
  kItemHelmet,
  kItemShoes,
  kItemAcc1,
  kItemAcc2,
  kItemFood,
  kItemRestore,
  kItemGrenade,
  kItemUpitem,
  kItemUpitem2,
  kItemDownitem,
  kItemSystem,
  kItemEvent,
  kItemKindCount
};

constexpr int kMaxItemAttrs = 11;

class ITM {
 public:
  virtual ~ITM() = default;
  // The value of attribute number `attr`; -1, logged, when the kind has none.
  virtual int GetAttr(int attr) const = 0;
  // The attribute at `position` of the kind's list; past the list, the one
  // shared scratch integer, so that writes there change no item.
  virtual int* GetAttrPtr(int position) = 0;

  std::string name;
  std::string desc;
  std::string icon;
  int kind = kItemEvent;
  int price = 0;
  int supply = 0;
  int magicOrSkill = 0;  // 0 the linked names are skills, 1 magic
  int linked1 = -1;
  int linked2 = -1;

 protected:
  std::array<int, kMaxItemAttrs> m_attrs{};
};

// The number of attributes a kind holds, and the attribute number at each
// position; 0 for a kind outside 0-14.
int ItemAttrCount(int kind);
int ItemAttrNumber(int kind, int position);

template <int Kind>
class ITMOfKind final : public ITM {
 public:
  ITMOfKind() { kind = Kind; }
  int GetAttr(int attr) const override;
  int* GetAttrPtr(int position) override;
};

extern template class ITMOfKind<kItemWeapon>;
extern template class ITMOfKind<kItemShield>;
extern template class ITMOfKind<kItemArmor>;
extern template class ITMOfKind<kItemHelmet>;
extern template class ITMOfKind<kItemShoes>;
extern template class ITMOfKind<kItemAcc1>;
extern template class ITMOfKind<kItemAcc2>;
extern template class ITMOfKind<kItemFood>;
extern template class ITMOfKind<kItemRestore>;
extern template class ITMOfKind<kItemGrenade>;
extern template class ITMOfKind<kItemUpitem>;
extern template class ITMOfKind<kItemUpitem2>;
extern template class ITMOfKind<kItemDownitem>;
extern template class ITMOfKind<kItemSystem>;
extern template class ITMOfKind<kItemEvent>;

using ITMWeapon = ITMOfKind<kItemWeapon>;
using ITMShield = ITMOfKind<kItemShield>;
using ITMArmor = ITMOfKind<kItemArmor>;
using ITMHelmet = ITMOfKind<kItemHelmet>;
using ITMShoes = ITMOfKind<kItemShoes>;
using ITMAcc1 = ITMOfKind<kItemAcc1>;
using ITMAcc2 = ITMOfKind<kItemAcc2>;
using ITMFood = ITMOfKind<kItemFood>;
using ITMRestore = ITMOfKind<kItemRestore>;
using ITMGrenade = ITMOfKind<kItemGrenade>;
using ITMUpitem = ITMOfKind<kItemUpitem>;
using ITMUpitem2 = ITMOfKind<kItemUpitem2>;
using ITMDownitem = ITMOfKind<kItemDownitem>;
using ITMSystem = ITMOfKind<kItemSystem>;
using ITMEvent = ITMOfKind<kItemEvent>;

// A new item object of the kind (0-14); null for any other kind.
std::unique_ptr<ITM> MakeItem(int kind);
