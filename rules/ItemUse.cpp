// Items used in battle and from the field menu: the throw, the arrival by
// target scope, and one item's effect from a user on a target by its kind.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "battle/BattleItem.h"
#include "battle/BattleObject.h"
#include "field/SelvarinContext.h"
#include "platform/DebugLog.h"
#include "rules/Condition.h"
#include "rules/DamageSteps.h"
#include "rules/Fighter.h"
#include "session/ItemMgr.h"
#include "session/Session.h"

namespace {
namespace itemuse {

using damage_steps::ClampInt;
using damage_steps::RaiseCapped;

constexpr const char* kReviveHerb = "세이지";
constexpr const char* kSurgeonsGloves = "수술장갑";
constexpr const char* kLargeShield = "라지쉴드";
constexpr int kAttrBarrier = 6;
constexpr int kAttrElement = 9;
constexpr int kAttrScope = 16;
constexpr int kAttrCondition = 17;
constexpr int kAttrBaseDamage = 18;
constexpr int kAttrHp = 25;
constexpr int kHolyElement = 5;


ITM* ItemAt(int item) {
  CItemMgr& items = CItemMgr::GetInstance();
  return item >= 0 && item < items.GetCount() ? items.GetItem(item) : nullptr;
}

// The amount at a place of the kind's attribute list.
int32_t AtPlace(ITM& item, int place) { return *item.GetAttrPtr(place); }

// The condition bit an item's attribute 17 names: 1-8 only.
uint32_t ConditionBit(const ITM& item) {
  const int n = item.GetAttr(kAttrCondition);
  return n >= 1 && n <= 8 ? 1u << (n - 1) : 0u;
}

// The party members' share of a target taken out of the fight: only the
// reviving herb reaches a removed member, and nothing reaches a removed enemy.
bool MayReach(const CBattleActor* target, bool userIsParty, const ITM& item) {
  if (target == nullptr || target->m_actionCode != kActRemoved) return true;
  return userIsParty && target->m_battleId[1] == 1 && item.name == kReviveHerb;
}

using MpField = int32_t PlayerData::*;
struct MpPair {
  MpField value, maximum;
};
constexpr std::array<MpPair, 3> kMp{{{&PlayerData::mp1, &PlayerData::maxmp1},
                                     {&PlayerData::mp2, &PlayerData::maxmp2},
                                     {&PlayerData::mp3, &PlayerData::maxmp3}}};

// The named items that only members use on members; each replaces its kind.
enum class NamedEffect : uint8_t { kBarrierFifth, kBarrierFull, kMpSeventh, kMpHalfAll, kHolyWater };
struct NamedRow {
  const char* name;
  NamedEffect effect;
  int mp;                            // 0-2: MP1-MP3 for kMpSeventh
  std::array<const char*, 3> users;  // who may drink it; all empty: anyone
};
constexpr std::array<NamedRow, 8> kNamedRows{{
    {"멘딩툴", NamedEffect::kBarrierFifth, 0, {}},
    {"리페어키트", NamedEffect::kBarrierFull, 0, {}},
    {"물의비약", NamedEffect::kMpSeventh, 1, {"ai"}},
    {"땅의비약", NamedEffect::kMpSeventh, 2, {"ai", "sizz", "sizz2"}},
    {"불의비약", NamedEffect::kMpSeventh, 0, {"ai", "sizz", "sizz2"}},
    {"바람의비약", NamedEffect::kMpSeventh, 1, {"sizz", "sizz2"}},
    {"엘레멘탈챠저", NamedEffect::kMpHalfAll, 0, {}},
    {"성수", NamedEffect::kHolyWater, 0, {}},
}};

bool MayDrink(const NamedRow& row, const std::string& engname) {
  if (row.users[0] == nullptr) return true;
  return std::any_of(row.users.begin(), row.users.end(), [&](const char* u) { return u != nullptr && engname == u; });
}

// One use: the two sides, the item, and the multiplier of the user's gloves.
class ItemEffect {
 public:
  ItemEffect(CSession& session, Fighter user, Fighter target, ITM& item)
      : s(session), u(user), t(target), it(item) {
    if (u.IsParty() && CountWorn(*u.player, WornSlot::kAcc2, kSurgeonsGloves) > 0) m = 2;
  }

  void Run() {
    if (u.IsParty() && t.IsParty() && RunNamed()) return;
    switch (it.kind) {
      case kItemFood: t.IsParty() ? FoodOnMember() : FoodOnEnemy(); break;
      case kItemRestore: Restore(); break;
      case kItemGrenade: Grenade(); break;
      case kItemUpitem: t.IsParty() ? StatsOnMember(m, false) : StatsOnEnemy(kUpAttrs, m); break;
      case kItemUpitem2:
        SetCondition(false);
        t.IsParty() ? StatsOnMember(m, true) : StatsOnEnemy(kUp2Attrs, m);
        break;
      case kItemDownitem: t.IsParty() ? StatsOnMember(-1, false) : StatsOnEnemy(kUpAttrs, -1); break;
      default: break;
    }
  }

 private:
  // Attack, defence, speed and accuracy amounts of the two up kinds.
  static constexpr std::array<int, 4> kUpAttrs{0, 1, 3, 19};
  static constexpr std::array<int, 4> kUp2Attrs{23, 20, 22, 5};

  bool RunNamed() {
    const auto row = std::find_if(kNamedRows.begin(), kNamedRows.end(), [&](const NamedRow& r) { return it.name == r.name; });
    if (row == kNamedRows.end()) return false;
    PlayerData& p = *t.player;
    switch (row->effect) {
      case NamedEffect::kBarrierFifth: RaiseCapped(p.shp, p.maxshp / 5, p.maxshp); break;
      case NamedEffect::kBarrierFull: RaiseCapped(p.shp, p.maxshp, p.maxshp); break;
      case NamedEffect::kMpSeventh:
        if (MayDrink(*row, p.engname)) RaiseMp(p, row->mp, int64_t{p.*kMp[static_cast<size_t>(row->mp)].maximum} * 7 / 10);
        break;
      case NamedEffect::kMpHalfAll:
        for (int k = 0; k < 3; ++k) RaiseMp(p, k, p.*kMp[static_cast<size_t>(k)].maximum / 2);
        break;
      case NamedEffect::kHolyWater:
        s.SetCondition(p, kCurse, false);
        s.SetCondition(p, kPanic, false);
        break;
    }
    return true;
  }

  static void RaiseMp(PlayerData& p, int k, int64_t amount) {
    const MpPair& mp = kMp[static_cast<size_t>(k)];
    RaiseCapped(p.*mp.value, amount, p.*mp.maximum);
  }

  // Food's places 1-3 feed a magic user's MP, 4-6 anyone else's.
  void FoodOnMember() {
    PlayerData& p = *t.player;
    if (u.IsParty() && s.HasCondition(p, kDying)) return;
    RaiseCapped(p.shp, int64_t{m} * it.GetAttr(kAttrBarrier), p.maxshp);
    const int first = p.ismagicman != 0 ? 1 : 4;
    for (int k = 0; k < 3; ++k) RaiseMp(p, k, int64_t{m} * AtPlace(it, first + k));
    RaiseCapped(p.hp, int64_t{m} * it.GetAttr(kAttrHp), p.maxhp);
  }

  void FoodOnEnemy() {
    EnemySlot& e = *t.enemy;
    RaiseCapped(e.shp, int64_t{m} * it.GetAttr(kAttrBarrier), e.maxshp);
    RaiseCapped(e.hp, int64_t{m} * it.GetAttr(kAttrHp), e.maxhp);
  }

  // A member's restore gives one who is no magic user places 2-4 as MP.
  void Restore() {
    SetCondition(false);
    if (!u.IsParty() || !t.IsParty() || t.player->ismagicman != 0) return;
    for (int k = 0; k < 3; ++k) RaiseMp(*t.player, k, int64_t{m} * AtPlace(it, 2 + k));
  }

  void Grenade() {
    CBattleActor* userActor = u.Actor();
    CBattleActor* target = t.Actor();
    const int defence = t.IsParty() ? 0 : t.enemy->attr;
    int d = CSession::ApplyAttributeFactor(it.GetAttr(kAttrBaseDamage), it.GetAttr(kAttrElement), defence);
    d = CSession::ApplyHeightFactor20(d, HeightOf(userActor), HeightOf(target));
    if (target != nullptr) {
      if (u.IsParty() && t.IsParty() && Wears(*t.player, WornSlot::kShield, kLargeShield)) {
        target->OnMessage(userActor, kActLeave, 0, 0, 0);
      } else {
        target->OnMessage(userActor, kMsgHit, d, 0, 0);
        if (target->m_actionCode != kActDefend && target->m_actionCode != kActGuard) {
          target->SpawnDamageNumber(d, t.IsParty() ? 1 : 0, 0.0f, 0.0f, 0.0f, 0, 0);
        }
      }
      if (u.IsParty() && it.GetAttr(kAttrElement) == kHolyElement && (t.Conditions() & kUndead) != 0) {
        target->OnMessage(userActor, kMsgKill, 0, 0, 0);
      }
    }
    SetCondition(true);
  }

  static float HeightOf(const CBattleActor* actor) { return actor != nullptr ? actor->m_pos.y : 0.0f; }

  // Places 0-4 on strength, vitality, intelligence, agility and luck: the
  // second up kind for good, the others for the battle.
  void StatsOnMember(int factor, bool lasting) {
    PlayerData& p = *t.player;
    std::array<int32_t, 5>& stats = lasting ? p.statBonus : p.extraStats;
    for (int k = 0; k < 5; ++k) {
      int32_t& v = stats[static_cast<size_t>(k)];
      v = ClampInt(int64_t{v} + int64_t{factor} * AtPlace(it, k));
    }
    lasting ? p.UpdateLevel() : p.Recalc();
  }

  // Lowered values stop at 0.
  void StatsOnEnemy(const std::array<int, 4>& attrs, int factor) {
    EnemySlot& e = *t.enemy;
    const std::array<int32_t*, 4> values{&e.phyAtk, &e.phyDef, &e.spd, &e.luck};
    for (size_t k = 0; k < values.size(); ++k) {
      const int64_t v = int64_t{*values[k]} + int64_t{factor} * it.GetAttr(attrs[k]);
      *values[k] = ClampInt(factor < 0 ? std::max<int64_t>(v, 0) : v);
    }
  }

  void SetCondition(bool set) {
    const uint32_t bit = ConditionBit(it);
    if (bit == 0) return;
    t.IsParty() ? s.SetCondition(*t.player, bit, set) : s.SetEnemyCondition(*t.enemy, bit, set);
  }

  CSession& s;
  Fighter u, t;
  ITM& it;
  int m = 1;
};

bool Occupied(const CSession& s, int slot) { return s.enemies[static_cast<size_t>(slot)].actor != nullptr; }

}  // namespace itemuse
}  // namespace

void CSession::ApplyItem(int user, bool userIsParty, int target, bool targetIsParty, int item) {
  ITM* it = itemuse::ItemAt(item);
  const Fighter u = FighterAt(*this, user, userIsParty);
  const Fighter t = FighterAt(*this, target, targetIsParty);
  if (it == nullptr || !u.Exists() || !t.Exists()) return;
  itemuse::ItemEffect(*this, u, t, *it).Run();
}

void CSession::UseItemPartyToParty(int from, int to, int item) { ApplyItem(from, true, to, true, item); }
void CSession::UseItemPartyToEnemy(int from, int slot, int item) { ApplyItem(from, true, slot, false, item); }
void CSession::UseItemEnemyToParty(int slot, int to, int item) { ApplyItem(slot, false, to, true, item); }
void CSession::UseItemEnemyToEnemy(int slot, int targetSlot, int item) { ApplyItem(slot, false, targetSlot, false, item); }

void CSession::UseItemPartyToAllParty(int from, int item) {
  for (int n = 0; n < std::min<int>(partyCount, kMaxParty); ++n) UseItemPartyToParty(from, n, item);
}

void CSession::UseItemEnemyToAllParty(int slot, int item) {
  for (int n = 0; n < std::min<int>(partyCount, kMaxParty); ++n) UseItemEnemyToParty(slot, n, item);
}

void CSession::UseItemPartyToAllEnemies(int from, int item) {
  for (int e = 0; e < kMaxEnemies; ++e) {
    if (itemuse::Occupied(*this, e)) UseItemPartyToEnemy(from, e, item);
  }
}

void CSession::UseItemEnemyToAllEnemies(int slot, int item) {
  for (int e = 0; e < kMaxEnemies; ++e) {
    if (itemuse::Occupied(*this, e)) UseItemEnemyToEnemy(slot, e, item);
  }
}

void CSession::UseItemPartyToArea(int from, int item, float x, float z) {
  DebugLogf("CSession::UseItemPartyToArea - %d %d (%g, %g)", from, item, static_cast<double>(x), static_cast<double>(z));
}

void CSession::UseItemPartyToUnspecified(int from, int item) {
  DebugLogf("CSession::UseItemPartyToUnspecified - %d %d", from, item);
}

void CSession::UseItemPartyToEnvironment(int from, int item) {
  DebugLogf("CSession::UseItemPartyToEnvironment - %d %d", from, item);
}

void CSession::UseItemEnemyToArea(int slot, int item) {
  static_cast<void>(slot);
  static_cast<void>(item);
}

void CSession::ResolveItemUse(int user, bool userIsParty, int target, bool targetIsParty, int item, CActor* object,
                              int status) {
  static_cast<void>(object);
  ITM* it = itemuse::ItemAt(item);
  if (status != 0 || it == nullptr) return;
  const Fighter u = FighterAt(*this, user, userIsParty);
  const Fighter t = FighterAt(*this, target, targetIsParty);
  const auto* userActor = dynamic_cast<const CBattleActor*>(GetBattleActor(user, userIsParty));
  if (!u.Exists() || userActor == nullptr) return;
  if (!userIsParty && userActor->m_target == nullptr) return;
  if (!itemuse::MayReach(userActor->m_target, userIsParty, *it)) return;
  switch (it->GetAttr(itemuse::kAttrScope)) {
    case 0:
    case 2: ApplyItem(user, userIsParty, target, targetIsParty, item); break;
    case 1: userIsParty ? UseItemPartyToAllParty(user, item) : UseItemEnemyToAllParty(user, item); break;
    case 3: userIsParty ? UseItemPartyToAllEnemies(user, item) : UseItemEnemyToAllEnemies(user, item); break;
    case 4:
      userIsParty ? UseItemPartyToArea(user, item, userActor->m_targetX, userActor->m_targetZ)
                  : UseItemEnemyToArea(user, item);
      break;
    case 5:
      if (userIsParty) UseItemPartyToUnspecified(user, item);
      break;
    case 6:
      if (userIsParty) UseItemPartyToEnvironment(user, item);
      break;
    default: break;
  }
  RaiseItemUseHook(u.Name(), it->name);
  if (it->kind == kItemGrenade) RaiseItemAttackHook(t.Name(), it->name);
}

// Only the party's own pieces come out of the inventory: an enemy's throw
// would otherwise spend the party's items.
void CSession::LaunchItem(int position, bool isParty) {
  auto* user = dynamic_cast<CBattleActor*>(GetBattleActor(position, isParty));
  if (user == nullptr) {
    DebugLog("CSession::LaunchItem - no user");
    return;
  }
  const int item = user->m_chosenIndex;
  const ITM* it = itemuse::ItemAt(item);
  if (it == nullptr) {
    DebugLogf("CSession::LaunchItem - no item %d", item);
    return;
  }
  if (!itemuse::MayReach(user->m_target, isParty, *it)) return;
  CSelvarinContext* context = GetFieldContext();
  if (context == nullptr) return;
  if (isParty) RemoveItem(item, 1);
  context->MakeBattleItem(user, user->m_target, item);
  user->PostFrameMessage(it->name.c_str());
}
