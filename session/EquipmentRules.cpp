// What each character may wear, and the battle sprite its weapon gives it.
#include <initializer_list>
#include <string>

#include "platform/DebugLog.h"
#include "session/ItemMgr.h"
#include "session/Session.h"

namespace {
namespace equipmentrules {

// The classes (attribute 7) one item kind allows.
struct Classes {
  Classes(std::initializer_list<int> classes) {
    for (int c : classes) mask |= 1u << c;
  }
  static Classes Any() {
    Classes all{};
    all.any = true;
    return all;
  }
  bool Allows(int c) const { return any || (c >= 0 && c < 32 && (mask & (1u << c)) != 0); }

  bool any = false;
  uint32_t mask = 0;
};

const Classes kNone{};

struct Permission {
  const char* names[2];
  Classes kinds[7];  // weapon, shield, armour, helmet, shoes, first and second accessory
};

const Permission kPermissions[] = {
    {{"sizz"}, {{1, 5, 10}, kNone, {0, 2, 3}, {0, 2}, {0, 2}, {0, 2, 3}, {0, 1, 3, 5}}},
    {{"sizz2"}, {{0, 1, 12}, kNone, {0, 2, 3}, {0, 2}, {0, 2}, {0, 2, 3}, {0, 1, 3, 5}}},
    {{"maria", "maria2"}, {{0, 2, 4, 5}, Classes::Any(), {0, 1, 2}, {0, 1, 2}, {0, 1, 2}, {0, 2, 3}, {0, 1, 3, 5}}},
    {{"elluard", "elluard2"}, {{0, 4, 5, 6}, Classes::Any(), {0, 1}, {0, 1}, {0, 1}, {0, 1}, {0, 1, 2, 4}}},
    {{"tenzi"}, {{7, 8, 9}, Classes::Any(), {0, 1}, {0, 1}, {0, 1}, {0, 1, 3}, {0, 1, 2, 4}}},
    {{"celine"}, {{11}, Classes::Any(), {0, 2}, {0, 2}, {0, 2}, {0, 2, 3}, {0, 1, 3, 5}}},
    {{"peach"}, {{1}, Classes::Any(), {0, 2}, {0, 2}, {0, 2}, {0, 2, 3}, {0, 1, 3, 5}}},
    {{"carrot"}, {{1}, Classes::Any(), {0, 2}, {0, 2}, {0, 2}, {0, 2, 3}, {0, 1, 3, 5}}},
    {{"kreutzer"}, {{0, 2, 3, 4, 5}, Classes::Any(), {0, 1}, {0, 1}, {0, 1}, {0, 1, 3}, {0, 1, 2, 4}}},
    {{"ai"}, {{12, 13}, kNone, {0, 3}, {0, 2}, {0, 2}, {0, 2, 3}, {0, 1, 3, 5}}},
};

const Permission* FindPermission(const std::string& engname) {
  for (const Permission& row : kPermissions) {
    for (const char* name : row.names) {
      if (name != nullptr && engname == name) return &row;
    }
  }
  return nullptr;
}

// The battle sprite's weapon picture per weapon class, and the weapons that
// show their own.
struct WeaponClass {
  const char* suffix;
  std::initializer_list<const char*> ownNames;
};

const WeaponClass kWeaponClasses[14] = {
    {"_검", {"잉어의혀", "네이건", "어척검"}},
    {"_단검", {"더크"}},
    {"_양손검", {"프람베르그"}},
    {"_도", {}},
    {"_도끼", {"트러스팅액스", "도로이어"}},
    {"_메이스", {"테부쩨"}},
    {"_채찍", {}},
    {"_창", {"튱클레티"}},
    {"_봉", {}},
    {"_폴암", {"핼버드", "보울즈"}},
    {"_완드", {}},
    {"_강한활", {}},
    {"_너클", {}},
    {"_성화령", {}},
};
constexpr int kBowClass = 11;

// The weapon picture of a character holding nothing.
struct Unarmed {
  const char* engname;
  const char* suffix;
};
const Unarmed kUnarmed[] = {
    {"sizz", "_완드"},   {"sizz2", "_검"},    {"maria", "_검"},  {"maria2", "_검"},
    {"elluard", "_검"},  {"elluard2", "_검"}, {"kreutzer", "_검"}, {"tenzi", "_창"},
    {"celine", "_보통활"}, {"ai", "_너클"},     {"peach", "_단검"}, {"carrot", "_단검"},
};

std::string WeaponSuffix(int weaponClass, const std::string& name) {
  if (weaponClass < 0 || weaponClass >= 14) {
    DebugLog("잘못된 무기 클래스");
    return "";
  }
  if (weaponClass == kBowClass) return name == "숏보우" || name == "유엽전" ? "_보통활" : "_강한활";
  const WeaponClass& row = kWeaponClasses[weaponClass];
  for (const char* own : row.ownNames) {
    if (name == own) return "_" + name;
  }
  return row.suffix;
}

}  // namespace equipmentrules
}  // namespace

bool CSession::CanEquip(int id, int item) const {
  if (id < 0 || id >= kPlayerCount) return false;
  const CItemMgr& items = CItemMgr::GetInstance();
  if (item < 0 || item >= items.GetCount()) return false;
  const ITM& found = *items.GetItem(item);
  if (found.kind < kItemWeapon || found.kind > kItemAcc2) return false;
  const equipmentrules::Permission* row = equipmentrules::FindPermission(players[static_cast<size_t>(id)].engname);
  return row != nullptr && row->kinds[found.kind].Allows(found.GetAttr(7));
}

void CSession::UpdateBattleSpriteNames(int id) {
  if (!ValidId(id, "CSession::UpdateBattleSpriteNames")) return;
  PlayerData& player = players[static_cast<size_t>(id)];
  const CItemMgr& items = CItemMgr::GetInstance();
  int32_t weapon = player.weapon;
  if (weapon < 0 || weapon >= items.GetCount()) {
    DebugLogf("CSession::UpdateBattleSpriteNames: weapon %d is not in the item table", weapon);
    weapon = kEmptyWeapon;
  }
  const ITM* held = weapon < items.GetCount() ? items.GetItem(weapon) : nullptr;
  const std::string name = held != nullptr ? held->name : "(무기없음)";
  std::string suffix = held != nullptr ? equipmentrules::WeaponSuffix(held->GetAttr(7), name) : "";
  if (name == "(무기없음)") {
    bool known = false;
    for (const equipmentrules::Unarmed& row : equipmentrules::kUnarmed) {
      if (player.engname == row.engname) suffix = row.suffix, known = true;
    }
    if (!known) DebugLog("잘못된 player engName");
  }
  const std::string stem = "주연급\\전투\\기본형\\" + player.engname + "_기본전투" + suffix;
  player.battlesprname = stem + ".spr";
  player.battleactname = stem + ".act";
}
