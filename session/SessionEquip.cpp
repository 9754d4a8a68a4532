// The session's equipment slots and the cost of skills.
#include <algorithm>
#include <vector>

#include "platform/DebugLog.h"
#include "rules/SkillBook.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"

namespace {

// Slots as the equipment screen numbers them, with each slot's empty item.
struct ScreenSlot {
  int32_t PlayerData::*field;
  int32_t empty;
};
constexpr ScreenSlot kScreenSlots[8] = {
    {&PlayerData::helmet, kEmptyHelmet}, {&PlayerData::weapon, kEmptyWeapon}, {&PlayerData::armor, kEmptyArmor},
    {&PlayerData::shoes, kEmptyShoes},   {&PlayerData::acc1, kEmptyAcc1},     {&PlayerData::shield, kEmptyShield},
    {&PlayerData::acc2, kEmptyAcc23},    {&PlayerData::acc3, kEmptyAcc23},
};
constexpr int kScreenWeapon = 1;
constexpr int kScreenShield = 5;
constexpr int kScreenAcc2 = 6;
constexpr int kScreenAcc3 = 7;

// The real items a character wears, each piece once.
std::vector<int32_t> WornPieces(const PlayerData& player) {
  std::vector<int32_t> pieces = WornItems(player);
  pieces.erase(std::remove_if(pieces.begin(), pieces.end(), [](int32_t item) { return !IsRealItem(item); }),
               pieces.end());
  std::sort(pieces.begin(), pieces.end());
  return pieces;
}

// The book of a record the session holds.
CSkillBook& BookOf(CSession& session, const PlayerData& member) {
  return session.skillBooks[static_cast<size_t>(&member - session.players.data())];
}

std::vector<int32_t> Difference(const std::vector<int32_t>& a, const std::vector<int32_t>& b) {
  std::vector<int32_t> out;
  std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
  return out;
}

}  // namespace

std::vector<int32_t> WornItems(const PlayerData& player) {
  const CItemMgr& items = CItemMgr::GetInstance();
  std::vector<int32_t> worn;
  for (int s = 0; s < 8; ++s) {
    const int32_t item = player.*kScreenSlots[s].field;
    if (s == kScreenShield && item == player.weapon && items.IsTwoHandedWeapon(item)) continue;
    if (s == kScreenAcc3 && item == player.acc2 && items.IsDoubleAccessory(item)) continue;
    worn.push_back(item);
  }
  return worn;
}

std::array<int32_t, 8> WornSlotItems(const PlayerData& player) {
  return {player.weapon, player.armor, player.shield, player.helmet,
          player.shoes,  player.acc1,  player.acc2,   player.acc3};
}

void CSession::PutOnItem(int item, PlayerData& player) const {
  const CItemMgr& items = CItemMgr::GetInstance();
  const ITM* found = item >= 0 && item < items.GetCount() ? items.GetItem(item) : nullptr;
  const int kind = found != nullptr ? found->kind : -1;
  const auto clearTwoHanded = [&] {
    if (!items.IsTwoHandedWeapon(player.weapon)) return;
    player.weapon = kEmptyWeapon;
    player.shield = kEmptyShield;
  };
  switch (kind) {
    case kItemShield:
      clearTwoHanded();
      player.shield = item;
      break;
    case kItemWeapon:
      clearTwoHanded();
      player.weapon = item;
      if (items.IsTwoHandedWeapon(item)) player.shield = item;
      break;
    case kItemArmor:
      player.armor = item;
      break;
    case kItemHelmet:
      player.helmet = item;
      break;
    case kItemShoes:
      player.shoes = item;
      break;
    case kItemAcc1:
      player.acc1 = item;
      break;
    case kItemAcc2:
      if (items.IsDoubleAccessory(player.acc2)) player.acc2 = player.acc3 = kEmptyAcc23;
      if (items.IsDoubleAccessory(item)) {
        player.acc2 = player.acc3 = item;
      } else if (player.acc2 != kEmptyAcc23 && player.acc3 == kEmptyAcc23) {
        player.acc3 = item;
      } else {
        player.acc2 = item;
      }
      break;
    default:
      break;
  }
  player.Recalc();
}

// Items that leave the slots go back to the inventory, each piece once, with
// their release hooks; what comes in leaves the inventory with its use hook.
bool CSession::Equip(int position, int item) {
  PlayerData* member = GetPartyMember(position);
  if (member == nullptr || !CanEquip(member->playerId, item)) return false;
  const std::vector<int32_t> before = WornPieces(*member);
  PutOnItem(item, *member);
  const std::vector<int32_t> after = WornPieces(*member);
  const std::vector<int32_t> displaced = Difference(before, after);
  for (int32_t gone : displaced) {
    AddItem(gone, 1);
    RaiseEquipReleaseHook(member->engname, gone);
  }
  for (int32_t added : Difference(after, before)) {
    RemoveItem(added, 1);
    RaiseEquipUseHook(member->engname, added);
  }
  CSkillBook& book = BookOf(*this, *member);
  for (int32_t gone : displaced) book.ForgetWeaponSkills(member->playerId, gone);
  book.LearnWeaponSkills(member->playerId, item);
  UpdateLevelRange();
  UpdateBattleSpriteNames(member->playerId);
  return true;
}

void CSession::Unequip(int position, int slot) {
  PlayerData* member = GetPartyMember(position);
  if (member == nullptr || slot < 0 || slot >= 8) return;
  const int32_t item = member->*kScreenSlots[slot].field;
  if (!IsRealItem(item)) return;
  const CItemMgr& items = CItemMgr::GetInstance();
  const std::vector<int32_t> before = WornPieces(*member);
  member->*kScreenSlots[slot].field = kScreenSlots[slot].empty;
  if ((slot == kScreenWeapon || slot == kScreenShield) && items.IsTwoHandedWeapon(item)) {
    member->weapon = kEmptyWeapon;
    member->shield = kEmptyShield;
  }
  if ((slot == kScreenAcc2 || slot == kScreenAcc3) && items.IsDoubleAccessory(item)) {
    member->acc2 = member->acc3 = kEmptyAcc23;
  }
  const std::vector<int32_t> removed = Difference(before, WornPieces(*member));
  for (int32_t gone : removed) {
    AddItem(gone, 1);
    RaiseEquipReleaseHook(member->engname, gone);
  }
  member->Recalc();
  for (int32_t gone : removed) BookOf(*this, *member).ForgetWeaponSkills(member->playerId, gone);
}

bool CSession::HasEquipped(int id, const std::string& itemName) const {
  if (!ValidId(id, "CSession::HasEquipped")) return false;
  const CItemMgr& items = CItemMgr::GetInstance();
  const PlayerData& player = players[static_cast<size_t>(id)];
  for (const ScreenSlot& slot : kScreenSlots) {
    const int32_t item = player.*slot.field;
    if (item >= 0 && item < items.GetCount() && items.GetItem(item)->name == itemName) return true;
  }
  return false;
}

void CSession::RefreshMember(int position) {
  PlayerData* member = GetPartyMember(position);
  if (member == nullptr) return;
  member->Recalc();
  UpdateBattleSpriteNames(member->playerId);
  for (int32_t item : WornSlotItems(*member)) BookOf(*this, *member).LearnWeaponSkills(member->playerId, item);
}

int CSession::CostPercent(int id, int index, bool isMagic) const {
  if (!ValidId(id, "CSession::CostPercent")) return 100;
  int levelClass = 0;
  if (isMagic) {
    const MagicTypeInfo* magic = CMagicMgr::GetInstance().GetMagicTypeInfo(index);
    if (magic == nullptr) return 100;
    levelClass = magic->level;
  } else {
    const SkillTypeInfo* skill = CSkillMgr::GetInstance().GetSkillTypeInfo(index);
    if (skill == nullptr) return 100;
    levelClass = skill->level;
  }
  const int d = (players[static_cast<size_t>(id)].lvl - 1) / 10 - levelClass;
  return d >= 0 && d <= 8 ? 90 - 10 * d : 100;
}

namespace {

// The part of a skill's cost a member pays, in percent.
int SkillCostRate(const CSession& session, const PlayerData& member, int skill) {
  const int ring = CItemMgr::GetInstance().LookupName("스피리츄얼링");
  const bool worn = ring >= 0 && (member.acc2 == ring || member.acc3 == ring);
  return (worn ? 66 : 100) * session.CostPercent(member.playerId, skill, false) / 100;
}

}  // namespace

bool CSession::CanPaySkillCost(int position, int skill) const {
  const PlayerData* member = GetPartyMember(position);
  const SkillTypeInfo* info = CSkillMgr::GetInstance().GetSkillTypeInfo(skill);
  if (member == nullptr || info == nullptr) return false;
  const int p = SkillCostRate(*this, *member, skill);
  const int32_t mp[3] = {member->mp1, member->mp2, member->mp3};
  for (int k = 0; k < 3; ++k) {
    if (mp[k] < p * info->cost[k] / 100) return false;
  }
  return true;
}

void CSession::PaySkillCost(int position, int skill) {
  PlayerData* member = GetPartyMember(position);
  const SkillTypeInfo* info = CSkillMgr::GetInstance().GetSkillTypeInfo(skill);
  if (member == nullptr || info == nullptr) return;
  if (member->ismagicman == 1) {
    DebugLog("this player is not skill man");
    return;
  }
  const int p = SkillCostRate(*this, *member, skill);
  int32_t* mp[3] = {&member->mp1, &member->mp2, &member->mp3};
  for (int k = 0; k < 3; ++k) *mp[k] -= p * info->cost[k] / 100;
}

std::array<CSession::CostDue, 3> CSession::SkillDues(int position, int skill) const {
  std::array<CostDue, 3> dues{};
  const PlayerData* member = GetPartyMember(position);
  const SkillTypeInfo* info = CSkillMgr::GetInstance().GetSkillTypeInfo(skill);
  if (member == nullptr || info == nullptr) return dues;
  const int p = SkillCostRate(*this, *member, skill);
  const int32_t mp[3] = {member->mp1, member->mp2, member->mp3};
  for (size_t k = 0; k < 3; ++k) dues[k] = {p * info->cost[k] / 100, mp[k]};
  return dues;
}
