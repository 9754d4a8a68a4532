// The party's carried items: counts kept in 0..255, the supply limit and the
// holding store.
#include <algorithm>
#include <cstdint>

#include "battle/BattleObject.h"
#include "field/SelvarinContext.h"
#include "rules/Condition.h"
#include "session/ItemMgr.h"
#include "session/Session.h"

namespace {
namespace inventory {

constexpr int kMaxCount = 255;
constexpr int64_t kFullGauge = 100;
// A fourth member in the battle is the most a revival joins.
constexpr size_t kMostRevivedAlongside = 3;

bool ValidItem(int item) { return item >= 0 && item < CSession::kItemSlots; }

int32_t ClampCount(int64_t count) { return static_cast<int32_t>(std::clamp<int64_t>(count, 0, kMaxCount)); }

// An item's volume; 0 for an index the table lacks.
int64_t Volume(int item) {
  const CItemMgr& items = CItemMgr::GetInstance();
  return item >= 0 && item < items.GetCount() ? items.GetItem(item)->supply : 0;
}

}  // namespace inventory
}  // namespace

void CSession::AddItem(int item, int n) {
  if (!IsRealItem(item)) return;
  int32_t& count = inventory[static_cast<size_t>(item)];
  if (count == inventory::kMaxCount) return;
  count = inventory::ClampCount(int64_t{count} + n);
  SetItemDiary(item, 1);
  inventoryChanged = 1;
}

void CSession::RemoveItem(int item, int n) {
  if (!inventory::ValidItem(item)) return;
  int32_t& count = inventory[static_cast<size_t>(item)];
  if (count < 0) {
    count = 0;
    return;
  }
  count = static_cast<int32_t>(std::clamp<int64_t>(int64_t{count} - n, 0, INT32_MAX));
  inventoryChanged = 1;
}

int CSession::GetItemCount(int item) {
  if (!inventory::ValidItem(item)) return 0;
  int32_t& count = inventory[static_cast<size_t>(item)];
  count = inventory::ClampCount(count);
  return count;
}

void CSession::SetItemCount(int item, int n) {
  if (!inventory::ValidItem(item)) return;
  inventory[static_cast<size_t>(item)] = n;
  inventoryChanged = 1;
  if (n != 0) SetItemDiary(item, 1);
}

int CSession::CountItemOwned(int item) const {
  if (!inventory::ValidItem(item)) return 0;
  int owned = std::clamp(inventory[static_cast<size_t>(item)], 0, inventory::kMaxCount);
  for (int p = 0; p < std::min<int>(partyCount, kMaxParty); ++p) {
    for (int32_t worn : WornSlotItems(*GetPartyMember(p))) owned += worn == item;
  }
  return owned;
}

int CSession::GetItemBoxCount(int item) const { return inventory::ValidItem(item) ? itemBox[static_cast<size_t>(item)] : 0; }

int CSession::GetPartyCapacity() const {
  int64_t capacity = 0;
  for (int p = 0; p < std::min<int>(partyCount, kMaxParty); ++p) capacity += GetPartyMember(p)->capacity;
  return static_cast<int>(std::clamp<int64_t>(capacity, INT32_MIN, INT32_MAX));
}

int CSession::GetCarriedVolume() const {
  const CItemMgr& items = CItemMgr::GetInstance();
  int64_t volume = 0;
  for (int i = 0; i < std::min(items.GetCount(), kItemSlots); ++i) {
    const int32_t count = inventory[static_cast<size_t>(i)];
    if (count < 1) continue;
    const ITM& item = *items.GetItem(i);
    // A light charm weighs 1 however many are carried.
    volume += item.kind == kItemAcc1 && item.GetAttr(7) == 3 ? 1 : count * int64_t{item.supply};
  }
  for (int p = 0; p < std::min<int>(partyCount, kMaxParty); ++p) {
    for (int32_t worn : WornSlotItems(*GetPartyMember(p))) volume += inventory::Volume(worn);
  }
  return static_cast<int>(std::clamp<int64_t>(volume, INT32_MIN, INT32_MAX));
}

bool CSession::IsOverSupplyLimit() {
  if (scriptVariables.Get("_disablesupplylimit") == 1) return false;
  if (inventoryChanged == 0) return supplyAnswer != 0;
  supplyAnswer = GetPartyCapacity() < GetCarriedVolume() ? 1 : 0;
  return supplyAnswer != 0;
}

void CSession::SaveState() {
  heldGold = gold;
  gold = 0;
  heldItems = inventory;
  inventory.fill(0);
}

void CSession::JoinState() {
  gold = static_cast<int32_t>(std::clamp<int64_t>(int64_t{gold} + heldGold, INT32_MIN, INT32_MAX));
  heldGold = 0;
  for (int i = 0; i < kItemSlots; ++i) {
    int32_t& count = inventory[static_cast<size_t>(i)];
    count = static_cast<int32_t>(std::clamp<int64_t>(int64_t{count} + heldItems[static_cast<size_t>(i)], INT32_MIN, INT32_MAX));
    heldItems[static_cast<size_t>(i)] = 0;
  }
  inventoryChanged = 1;
}

// ---- Battle: the scarab's revival and the special gauge ----

void CSession::TryAutoRevive(int position, bool isParty) {
  if (!isParty) return;
  PlayerData* member = GetPartyMember(position);
  auto* actor = member != nullptr ? dynamic_cast<CBattleObject*>(member->battlePtr) : nullptr;
  if (actor == nullptr || actor->m_actionCode != kActRemoved) return;
  const int scarab = CItemMgr::GetInstance().LookupName("스카라베");
  if (scarab < 0 || (member->acc2 != scarab && member->acc3 != scarab)) return;
  CSelvarinContext* context = GetFieldContext();
  if (context == nullptr || context->m_battleParty.size() > inventory::kMostRevivedAlongside) return;
  member->hp = 1;
  actor->SetAction(kActLying);
  SetCondition(*member, kDying, false);
  context->m_battleParty.push_back(actor);
  for (int32_t* slot : {&member->acc2, &member->acc3}) {
    if (*slot != scarab) continue;
    *slot = kEmptyAcc23;
    AddItem(scarab, 1);
  }
}

void CSession::AddSpecialGauge(int position, int n) {
  PlayerData* member = GetPartyMember(position);
  if (member == nullptr) return;
  const CItemMgr& items = CItemMgr::GetInstance();
  const bool shirt = member->armor >= 0 && member->armor < items.GetCount() && items.GetItem(member->armor)->name == "P-셔츠";
  const int64_t gain = shirt ? int64_t{n} * 2 : n;
  member->cp = static_cast<int32_t>(std::min<int64_t>(int64_t{member->cp} + gain, inventory::kFullGauge));
}
