#include "rules/Fighter.h"

#include "battle/BattleObject.h"
#include "platform/DebugLog.h"
#include "session/ItemMgr.h"
#include "session/Session.h"

int32_t Fighter::Conditions() const { return player != nullptr ? player->stateid : enemy != nullptr ? enemy->stateid : 0; }

int Fighter::Level() const { return player != nullptr ? player->lvl : enemy != nullptr ? enemy->level : 0; }

int Fighter::Kind() const { return enemy != nullptr ? enemy->type : -1; }

int Fighter::AttackAttribute() const {
  return player != nullptr ? ItemAttr(player->weapon, 9) : enemy != nullptr ? enemy->attr : 0;
}

const std::string& Fighter::Name() const {
  static const std::string kNobody;
  return player != nullptr ? player->engname : enemy != nullptr ? enemy->name : kNobody;
}

CBattleActor* Fighter::Actor() const {
  CSelvarinActor* actor = player != nullptr ? player->battlePtr : enemy != nullptr ? enemy->actor : nullptr;
  return dynamic_cast<CBattleActor*>(actor);
}

int32_t& Fighter::Hp() const { return player != nullptr ? player->hp : enemy->hp; }

int32_t Fighter::MaxHp() const { return player != nullptr ? player->maxhp : enemy != nullptr ? enemy->maxhp : 0; }

void SetConditions(CSession& session, const Fighter& f, uint32_t bits, bool set) {
  for (uint32_t bit = 1; bit != 0 && bit <= bits; bit <<= 1) {
    if ((bits & bit) == 0) continue;
    if (f.player != nullptr) session.SetCondition(*f.player, bit, set);
    if (f.enemy != nullptr) session.SetEnemyCondition(*f.enemy, bit, set);
  }
}

// A record's masks hold the eight conditions in their low byte.
void ChangeConditions(CSession& session, const Fighter& f, uint32_t inflict, uint32_t cure) {
  SetConditions(session, f, inflict & 0xFFu, true);
  SetConditions(session, f, cure & 0xFFu, false);
}

Fighter FighterAt(CSession& session, int position, bool isParty) {
  Fighter f;
  if (isParty) {
    f.player = position >= 0 && position < session.partyCount ? session.GetPartyMember(position) : nullptr;
  } else if (position >= 0 && position < CSession::kMaxEnemies) {
    f.enemy = &session.enemies[static_cast<size_t>(position)];
  }
  if (!f.Exists()) DebugLogf("Weapon rules: nobody at position %d of side %d", position, isParty ? 1 : 0);
  return f;
}

Fighter FighterAt(const CSession& session, int position, bool isParty) {
  return FighterAt(const_cast<CSession&>(session), position, isParty);
}

const std::string& ItemName(int item) {
  static const std::string kNone;
  const CItemMgr& items = CItemMgr::GetInstance();
  return item >= 0 && item < items.GetCount() ? items.GetItem(item)->name : kNone;
}

int ItemAttr(int item, int attr) {
  const CItemMgr& items = CItemMgr::GetInstance();
  return item >= 0 && item < items.GetCount() ? items.GetItem(item)->GetAttr(attr) : 0;
}

int32_t WornIndex(const PlayerData& player, WornSlot slot) {
  switch (slot) {
    case WornSlot::kWeapon: return player.weapon;
    case WornSlot::kArmor: return player.armor;
    case WornSlot::kShield: return player.shield;
    case WornSlot::kHelmet: return player.helmet;
    case WornSlot::kShoes: return player.shoes;
    case WornSlot::kAcc1: return player.acc1;
    case WornSlot::kAcc2: return player.acc2;
  }
  return -1;
}

int CountWorn(const PlayerData& player, WornSlot slot, const char* name) {
  int n = ItemName(WornIndex(player, slot)) == name ? 1 : 0;
  // Each of the two places counts, whatever fills it.
  if (slot == WornSlot::kAcc2 && ItemName(player.acc3) == name) ++n;
  return n;
}
