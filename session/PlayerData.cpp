// A character's numbers: level from experience, stats from level, worn items
// and battle modifiers.
#include "session/PlayerData.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/DebugLog.h"
#include "rules/Condition.h"
#include "session/ItemMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"

namespace {
namespace playerdata {

// The slots in the order the stats add them up, and the empty item of each.
struct WornSlot {
  int32_t PlayerData::*field;
  int32_t empty;
};
constexpr WornSlot kHelmetSlot{&PlayerData::helmet, kEmptyHelmet};
constexpr WornSlot kWeaponSlot{&PlayerData::weapon, kEmptyWeapon};
constexpr WornSlot kArmorSlot{&PlayerData::armor, kEmptyArmor};
constexpr WornSlot kShoesSlot{&PlayerData::shoes, kEmptyShoes};
constexpr WornSlot kAcc1Slot{&PlayerData::acc1, kEmptyAcc1};
constexpr WornSlot kShieldSlot{&PlayerData::shield, kEmptyShield};
constexpr WornSlot kAcc2Slot{&PlayerData::acc2, kEmptyAcc23};
constexpr WornSlot kAcc3Slot{&PlayerData::acc3, kEmptyAcc23};
constexpr WornSlot kStatSlots[8] = {kHelmetSlot, kWeaponSlot, kArmorSlot, kShoesSlot,
                                    kAcc1Slot,   kShieldSlot, kAcc2Slot,  kAcc3Slot};

enum StatIndex { kStrength = 0, kVitality, kIntelligence, kAgility, kLuck };

int32_t ClampToInt(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// The item in a slot; null (logged) for an index the item table lacks,
// which then counts as the slot's empty item and adds nothing.
ITM* WornItem(const PlayerData& player, int32_t item) {
  const CItemMgr& items = CItemMgr::GetInstance();
  if (item >= 0 && item < items.GetCount()) return items.GetItem(item);
  // Without an item table the empty items are simply absent.
  if (item >= 0 && item < kEmptyItemCount) return nullptr;
  DebugLogf("PlayerData: %s wears item %d, which the item table lacks", player.engname.c_str(), item);
  return nullptr;
}

bool IsNamed(int32_t item, const char* name) {
  const CItemMgr& items = CItemMgr::GetInstance();
  return item >= 0 && item < items.GetCount() && items.GetItem(item)->name == name;
}

}  // namespace playerdata
}  // namespace

int32_t& PlayerData::Stat(int k) {
  switch (k) {
    case playerdata::kStrength: return strength;
    case playerdata::kVitality: return vitality;
    case playerdata::kIntelligence: return intelligence;
    case playerdata::kAgility: return agility;
    default: return luck;
  }
}

void PlayerData::Recalc() {
  const CItemMgr& items = CItemMgr::GetInstance();
  CSession& session = CSession::GetInstance();
  int64_t stats[kStatCount];
  for (int k = 0; k < kStatCount; ++k) stats[k] = int64_t{levelStats[static_cast<size_t>(k)]} + extraStats[static_cast<size_t>(k)];
  int64_t barrier = 0;
  const bool twoHanded = items.IsTwoHandedWeapon(weapon);
  const bool doubleAccessory = items.IsDoubleAccessory(acc3);
  for (const playerdata::WornSlot& slot : playerdata::kStatSlots) {
    if (slot.field == playerdata::kShieldSlot.field && twoHanded) continue;
    if (slot.field == playerdata::kAcc3Slot.field && doubleAccessory) continue;
    ITM* item = playerdata::WornItem(*this, this->*slot.field);
    if (item == nullptr) continue;
    stats[playerdata::kStrength] += *item->GetAttrPtr(0);
    stats[playerdata::kVitality] += *item->GetAttrPtr(1);
    // Shoes make their wearer quicker; everything else weighs on it.
    stats[playerdata::kAgility] += slot.field == playerdata::kShoesSlot.field ? *item->GetAttrPtr(2) : -int64_t{*item->GetAttrPtr(2)};
    stats[playerdata::kIntelligence] += *item->GetAttrPtr(3);
    stats[playerdata::kLuck] += *item->GetAttrPtr(4);
    barrier += *item->GetAttrPtr(5);
  }
  if (shp > barrier) shp = playerdata::ClampToInt(barrier);
  stats[playerdata::kAgility] = std::max<int64_t>(stats[playerdata::kAgility], 0);

  if (playerdata::IsNamed(weapon, "앵거바델") && session.scriptVariables.Get("제1장끝") != 0) {
    stats[playerdata::kStrength] += 2 * int64_t{items.GetItem(weapon)->GetAttr(0)};
  }
  if (playerdata::IsNamed(armor, "아답터블아머")) {
    stats[playerdata::kVitality] += session.scriptVariables.GetCreated("__아답터블아머DEF") / 10;
    barrier += session.scriptVariables.GetCreated("__아답터블아머BAR") / 10;
  } else if (playerdata::IsNamed(armor, "포츈메일")) {
    const ITM& mail = *items.GetItem(armor);
    stats[playerdata::kVitality] += session.gold / 2500 - int64_t{mail.GetAttr(1)};
    barrier += session.gold / 5000 - int64_t{mail.GetAttr(6)};
  }
  for (int32_t ring : {acc2, acc3}) {
    if (playerdata::IsNamed(ring, "대쉬링")) stats[playerdata::kAgility] = stats[playerdata::kAgility] * 110 / 100;
  }
  for (int k = 0; k < kStatCount; ++k) {
    const int64_t v = (battleStats[static_cast<size_t>(k)] + stats[k]) * rates[static_cast<size_t>(k)] / 100;
    Stat(k) = static_cast<int32_t>(std::clamp<int64_t>(v, 0, kMaxStat));
  }
  maxshp = playerdata::ClampToInt(barrier);
}

void PlayerData::UpdateLevel() {
  CSession& session = CSession::GetInstance();
  int64_t sum = 0;
  lvl = 99;
  for (int level = 1; level <= 99; ++level) {
    sum += session.nextlevel[static_cast<size_t>(level - 1)];
    if (exp < sum) {
      lvl = level;
      break;
    }
  }
  maxhp = session.hpmax[static_cast<size_t>(lvl - 1)];
  hp = std::min(hp, maxhp);
  UpdateLevelStats();
  UpdateCapacity();
  LearnedList learned;
  session.LearnLevelMagic(*this, learned, false);
  Recalc();
}

void PlayerData::UpdateLevelStats() {
  for (int k = 0; k < kStatCount; ++k) {
    const size_t i = static_cast<size_t>(k);
    float value = static_cast<float>(statMax[i]);
    if (lvl != 99) {
      const int32_t step = std::max(statInterval[i], 1);
      const int64_t steps = std::max<int64_t>(0, int64_t{lvl} - statStart[i]) / step;
      value = static_cast<float>(statBase[i]) + statGrowth[i] * static_cast<float>(steps);
    }
    const float limit = 2.0e9f;
    const int64_t whole = std::isfinite(value) ? static_cast<int64_t>(std::clamp(value, -limit, limit)) : 0;
    levelStats[i] = playerdata::ClampToInt(whole + statBonus[i]);
  }
}

void PlayerData::UpdateCapacity() { capacity = playerdata::ClampToInt(int64_t{baseCapacity} + lvl - 1); }

void PlayerData::ResetBattleState() {
  rates.fill(100);
  battlePtr = nullptr;
  battleStats.fill(0);
  extraStats.fill(0);
  battleValues.fill(0);
  CSession::GetInstance().SetCondition(*this, kStone, false);
  Recalc();
}

void PlayerData::CopyFrom(const PlayerData& other) {
  magicFlags = other.magicFlags;
  learnList = other.learnList;
  lvl = other.lvl;
  capacity = other.capacity;
  hp = other.hp, maxhp = other.maxhp, shp = other.shp, maxshp = other.maxshp;
  mp1 = other.mp1, maxmp1 = other.maxmp1, mp2 = other.mp2, maxmp2 = other.maxmp2;
  mp3 = other.mp3, maxmp3 = other.maxmp3, cp = other.cp;
  stateid = other.stateid;
  resetMark = other.resetMark, tacticsId = other.tacticsId, customTactic = other.customTactic;
  statBonus = other.statBonus, statMax = other.statMax, statBase = other.statBase;
  statStart = other.statStart, statInterval = other.statInterval, statGrowth = other.statGrowth;
  strength = other.strength, vitality = other.vitality, intelligence = other.intelligence;
  agility = other.agility, luck = other.luck;
  levelStats = other.levelStats, extraStats = other.extraStats;
  exp = other.exp;
  bonusPercent = other.bonusPercent;
  battleStats = other.battleStats;
  rates = other.rates;
  for (const playerdata::WornSlot& slot : playerdata::kStatSlots) this->*slot.field = other.*slot.field;

  // The pieces stay with the inventory, each once (a two-handed weapon or a
  // double accessory fills two slots).
  CSession& session = CSession::GetInstance();
  const int count = CItemMgr::GetInstance().GetCount();
  for (int32_t item : WornItems(*this)) {
    if (!IsRealItem(item)) continue;
    if (item < count) {
      session.AddItem(item, 1);
    } else {
      DebugLogf("PlayerData::CopyFrom: item %d is not in the item table", item);
    }
  }
  for (const playerdata::WornSlot& slot : playerdata::kStatSlots) this->*slot.field = slot.empty;
  Recalc();
  if (engname == "maria2") {
    const int skill = CSkillMgr::GetInstance().Find("흙뿌리기");
    if (skill >= 0 && skill < kMaxMagicFlags) {
      magicFlags[static_cast<size_t>(skill)] = 0;
    } else {
      DebugLog("PlayerData::CopyFrom: no skill 흙뿌리기 to take from maria2");
    }
  }
}

void PlayerData::SetExperience(int32_t value) { exp = std::min(value, kMaxExperience); }
