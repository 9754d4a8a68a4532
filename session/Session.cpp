#include "session/Session.h"

#include <algorithm>
#include <cstdint>

#include "engine/Controller.h"
#include "field/SelvarinActor.h"
#include "platform/DebugLog.h"
#include "platform/Keys.h"
#include "platform/Random.h"
#include "session/ItemMgr.h"

namespace {

using namespace platform;

// Action buttons 4 to 9 of each layout; every layout has the cursor keys on
// buttons 0 to 3.
constexpr int kLayoutKeys[6][6] = {
    {VK_RETURN, VK_CONTROL, 'Q', 'W', 'A', 'Z'},
    {VK_SPACE, VK_CONTROL, 'Q', 'W', 'A', 'Z'},
    {VK_RETURN, VK_SPACE, VK_F3, VK_F4, VK_HOME, VK_END},
    {VK_SPACE, VK_RETURN, VK_F3, VK_F4, VK_HOME, VK_END},
    {VK_RETURN, VK_CONTROL, VK_INSERT, VK_PRIOR, VK_DELETE, VK_NEXT},
    {VK_SPACE, VK_CONTROL, VK_INSERT, VK_PRIOR, VK_DELETE, VK_NEXT},
};

constexpr int kMaxBoxCount = 255;  // a save keeps one byte a count
constexpr int32_t kActionFallen = 10027;
constexpr int32_t kActionDying = 10008;
constexpr int32_t kActionGone = 10080;

template <size_t N>
bool RemoveId(std::array<int32_t, N>& ids, int32_t& count, int id) {
  const auto end = ids.begin() + std::clamp<int32_t>(count, 0, static_cast<int32_t>(N));
  const auto it = std::find(ids.begin(), end, id);
  if (it == end) return false;
  std::copy(it + 1, end, it);
  --count;
  return true;
}

template <size_t N>
bool HoldsId(const std::array<int32_t, N>& ids, int32_t count, int id) {
  const auto end = ids.begin() + std::clamp<int32_t>(count, 0, static_cast<int32_t>(N));
  return std::find(ids.begin(), end, id) != end;
}

}  // namespace

CSession& CSession::GetInstance() {
  static CSession session;
  return session;
}

void CSession::ApplyKeyLayout() {
  if (g_pMainKeyPad == nullptr) return;
  constexpr int kCursorKeys[4] = {VK_UP, VK_LEFT, VK_RIGHT, VK_DOWN};
  for (int b = 0; b < 4; ++b) g_pMainKeyPad->BindKey(b, kCursorKeys[b]);
  for (int b = 4; b < 10; ++b) g_pMainKeyPad->BindKey(b, LayoutKey(options[kOptionKeyLayout], b));
}

int CSession::LayoutKey(int layout, int button) {
  if (button < 4 || button > 9) return 0;
  if (layout < 1 || layout > 6) layout = 1;
  return kLayoutKeys[layout - 1][button - 4];
}

bool CSession::ValidId(int id, const char* where) const {
  if (id >= 0 && id < kPlayerCount) return true;
  DebugLogf("%s: no player %d", where, id);
  return false;
}

bool CSession::IsFallen(const CSelvarinActor* actor) { return actor != nullptr && actor->m_actionCode == kActionFallen; }

// Party and inn --------------------------------------------------------------

int CSession::JoinPlayer(int id) {
  if (!ValidId(id, "CSession::JoinPlayer") || HoldsId(partyIds, partyCount, id)) return 0;
  if (partyCount >= kMaxParty) {
    DebugLog("CSession::JoinPlayer-PartyOverflow");
    return 0;
  }
  RemoveId(innIds, innCount, id);  // nobody stands in both lists
  partyIds[static_cast<size_t>(partyCount)] = id;
  ++partyCount;
  RefreshMember(partyCount - 1);
  return 1;
}

void CSession::LeavePlayer(int id) {
  if (!HoldsId(partyIds, partyCount, id)) {
    DebugLog("CSession::LeavePlayer-PlayerNotFound");
  } else if (partyCount <= 1) {
    DebugLog("CSession::LeavePlayer-MinusParty");
  } else {
    RemoveId(partyIds, partyCount, id);
  }
}

void CSession::WaitPlayer(int id) {
  if (innCount >= kPlayerCount) {
    DebugLog("CSession::WaitPlayer-InnPartyOverflow");
    return;
  }
  const int32_t before = partyCount;
  LeavePlayer(id);
  if (partyCount == before) return;
  innIds[static_cast<size_t>(innCount)] = id;
  ++innCount;
}

int CSession::GetupPlayer(int id) {
  if (!HoldsId(innIds, innCount, id)) {
    DebugLog("CSession::GetupPlayer-PlayerNotFoundFromInn");
    return 0;
  }
  if (partyCount >= kMaxParty) {
    DebugLog("CSession::GetupPlayer-PartyFull");
    return 0;
  }
  RemoveId(innIds, innCount, id);
  return JoinPlayer(id);
}

void CSession::SwapPositions(int a, int b) {
  if (a == b || !ValidPosition(a) || !ValidPosition(b)) return;
  std::swap(partyIds[static_cast<size_t>(a)], partyIds[static_cast<size_t>(b)]);
}

void CSession::MakeLeader(int n) { SwapPositions(0, n); }
void CSession::MoveToBack(int n) { SwapPositions(n, partyCount - 1); }
void CSession::SwapPartyUp(int n) { SwapPositions(n - 1, n); }
void CSession::SwapPartyDown(int n) { SwapPositions(n, n + 1); }

int CSession::GetPartyId(int id) const {
  for (int n = 0; n < std::min<int>(partyCount, kMaxParty); ++n) {
    if (partyIds[static_cast<size_t>(n)] == id) return n;
  }
  DebugLog("CSession::GetPartyId(int playerId)- Invalid playerId");
  return -1;
}

int CSession::FindPlayer(const std::string& engname) const {
  for (int id = 0; id < kPlayerCount; ++id) {
    if (players[static_cast<size_t>(id)].engname == engname) return id;
  }
  return -1;
}

int CSession::GetPlayerId(const std::string& engname) const {
  const int id = FindPlayer(engname);
  if (id < 0) DebugLog("Invalid player engName In int\t\tCSession :: GetPlayerId(string name)");
  return id;
}

PlayerData* CSession::GetPartyMember(int n) {
  return const_cast<PlayerData*>(static_cast<const CSession*>(this)->GetPartyMember(n));
}

const PlayerData* CSession::GetPartyMember(int n) const {
  if (!ValidPosition(n)) {
    DebugLogf("CSession: no party member at %d", n);
    return nullptr;
  }
  const int id = partyIds[static_cast<size_t>(n)];
  return id >= 0 && id < kPlayerCount ? &players[static_cast<size_t>(id)] : nullptr;
}

bool CSession::IsInParty(const std::string& engname) const {
  for (int n = 0; n < std::min<int>(partyCount, kMaxParty); ++n) {
    if (GetPartyMember(n)->engname == engname) return true;
  }
  return false;
}

bool CSession::IsMemberAlive(const std::string& engname) const {
  for (int n = 0; n < std::min<int>(partyCount, kMaxParty); ++n) {
    const PlayerData* member = GetPartyMember(n);
    if (member->engname == engname && !IsFallen(member->battlePtr)) return true;
  }
  return false;
}

void CSession::HealAll() {
  for (int n = 0; n < std::min<int>(partyCount, kMaxParty); ++n) {
    PlayerData& member = *GetPartyMember(n);
    member.hp = member.maxhp;
    member.shp = member.maxshp;
    member.mp1 = member.maxmp1;
    member.mp2 = member.maxmp2;
    member.mp3 = member.maxmp3;
    member.stateid &= ~0xFF;
  }
}

// Money and items --------------------------------------------------------------

void CSession::AddGold(int n) {
  gold = static_cast<int32_t>(std::clamp<int64_t>(int64_t{gold} + n, 0, kMaxGold));
}

void CSession::dropgold(int n) {
  const int64_t left = int64_t{gold} - n;
  if (left < 0) DebugLog("Session::dropgold-minus count");
  gold = static_cast<int32_t>(std::clamp<int64_t>(left, 0, kMaxGold));
}

void CSession::GiveItem(int item, int n) {
  AddItem(item, n);
  SetItemDiary(item, 1);
}

int CSession::dropitem(int item, int n) {
  if (!IsRealItem(item)) return 0;
  if (n < 0) {
    DebugLog("Session::dropitem-minus count");
    return GetItemCount(item);
  }
  RemoveItem(item, n);
  return GetItemCount(item);
}

void CSession::additembox(int item, int n) {
  if (!IsRealItem(item)) return;
  if (n < 0) {
    DebugLog("Session::additembox-minus count");
    return;
  }
  const int moved = std::max(0, std::min({n, GetItemCount(item), kMaxBoxCount - itemBox[static_cast<size_t>(item)]}));
  RemoveItem(item, moved);
  itemBox[static_cast<size_t>(item)] += moved;
}

void CSession::getitembox(int item, int n) {
  if (!IsRealItem(item)) return;
  if (n < 0) {
    DebugLog("Session::getitembox-minus count");
    return;
  }
  const int moved = std::max(0, std::min({n, itemBox[static_cast<size_t>(item)], kMaxBoxCount - GetItemCount(item)}));
  itemBox[static_cast<size_t>(item)] -= moved;
  inventory[static_cast<size_t>(item)] += moved;
  inventoryChanged = 1;
}

void CSession::SetItemDiary(int item, int level) {
  if (item >= 0 && item < kEmptyItemCount) return;
  if (item < 0 || item >= kDiarySlots) {
    DebugLogf("CSession::SetItemDiary: no item %d", item);
    return;
  }
  int32_t& stored = itemDiary[static_cast<size_t>(item)];
  stored = std::max(stored, level);
  CItemMgr::GetInstance().ApplyVariant(item, stored);
}

void CSession::SetMonsterDiary(int monster, int level) {
  if (monster < 0 || monster >= kDiarySlots) {
    DebugLogf("CSession::SetMonsterDiary: no monster %d", monster);
    return;
  }
  monsterDiary[static_cast<size_t>(monster)] = std::max(monsterDiary[static_cast<size_t>(monster)], level);
}

void CSession::SetScrapDiary(int scrap, int level) {
  if (scrap < 0 || scrap >= kDiarySlots) {
    DebugLogf("CSession::SetScrapDiary: no scrap %d", scrap);
    return;
  }
  scrapDiary[static_cast<size_t>(scrap)] = std::max(scrapDiary[static_cast<size_t>(scrap)], level);
}

int CSession::FindItem(const std::string& name) const {
  const CItemMgr& items = CItemMgr::GetInstance();
  for (int i = 0; i < items.GetCount(); ++i) {
    if (items.GetItem(i)->name == name) return i;
  }
  DebugLog("Invalid Item Name");
  return -1;
}

// Battle participants ------------------------------------------------------------

float CSession::ScaleByBonus(float value, int index, bool isParty) const {
  int32_t bonus = 0;
  if (isParty) {
    if (const PlayerData* member = GetPartyMember(index)) bonus = member->bonusPercent;
  } else if (index >= 0 && index < kMaxEnemies) {
    bonus = enemies[static_cast<size_t>(index)].bonusPercent;
  }
  return value * (1.0f + static_cast<float>(bonus) * 0.01f);
}

CSelvarinActor* CSession::GetBattleActor(int index, bool isParty) const {
  if (isParty) return GetPartyActor(index);
  return index >= 0 && index < kMaxEnemies ? enemies[static_cast<size_t>(index)].actor : nullptr;
}

CSelvarinActor* CSession::GetPartyActor(int n) const {
  const PlayerData* member = GetPartyMember(n);
  return member != nullptr ? member->battlePtr : nullptr;
}

CSelvarinActor* CSession::FindBattleActor(const std::string& name) const {
  for (int n = 0; n < std::min<int>(partyCount, kMaxParty); ++n) {
    const PlayerData* member = GetPartyMember(n);
    if (member->engname == name) return member->battlePtr;
  }
  for (const EnemySlot& enemy : enemies) {
    if (enemy.actor != nullptr && enemy.name == name) return enemy.actor;
  }
  return nullptr;
}

int CSession::FindEnemySlot(const std::string& name) const {
  for (int i = 0; i < kMaxEnemies; ++i) {
    const EnemySlot& enemy = enemies[static_cast<size_t>(i)];
    if (enemy.actor != nullptr && enemy.name == name) return i;
  }
  DebugLog("Invalid Enemy Name");
  return -1;
}

bool CSession::FindLiveEnemy(int* index) const {
  for (int i = 0; i < kMaxEnemies; ++i) {
    const CSelvarinActor* actor = enemies[static_cast<size_t>(i)].actor;
    if (actor != nullptr && actor->m_actionCode != kActionDying && actor->m_actionCode != kActionGone) {
      *index = i;
      return true;
    }
  }
  *index = kMaxEnemies;
  return false;
}

bool CSession::CheckScarabLimit(int n) const {
  const int scarab = CItemMgr::GetInstance().LookupName("스카라베");
  int fallen = 0;
  for (int p = 0; p < std::min<int>(partyCount, kMaxParty); ++p) {
    const PlayerData* member = GetPartyMember(p);
    if (scarab >= 0 && IsFallen(member->battlePtr) && (member->acc2 == scarab || member->acc3 == scarab)) ++fallen;
  }
  return n + fallen < 4;
}

bool CSession::RollEscape() const {
  const CItemMgr& items = CItemMgr::GetInstance();
  int64_t partySum = 0;
  for (int p = 0; p < std::min<int>({battlePartyCount, partyCount, kMaxParty}); ++p) {
    const PlayerData* member = GetPartyMember(p);
    if (member == nullptr || member->battlePtr == nullptr || IsFallen(member->battlePtr)) continue;
    const ITM* weapon = member->weapon >= 0 && member->weapon < items.GetCount() ? items.GetItem(member->weapon) : nullptr;
    partySum += member->luck + member->intelligence + member->agility + (weapon != nullptr ? weapon->GetAttr(5) : 0);
  }
  int64_t enemySum = 0;
  for (const EnemySlot& enemy : enemies) {
    if (enemy.actor != nullptr) enemySum += enemy.spd + enemy.luck;
  }
  return platform::Rand() % 100 < partySum * 100 / std::max<int64_t>(enemySum, 1);
}

void CSession::GetMpKindNames(const std::string& engname, std::string* out1, std::string* out2,
                              std::string* out3) const {
  if (engname == "sizz" || engname == "sizz2") {
    *out1 = "Fire", *out2 = "Wind", *out3 = "Earth";
  } else if (engname == "ai") {
    *out1 = "Fire", *out2 = "Water", *out3 = "Earth";
  } else {
    *out1 = "I.S.P", *out2 = "E.S.P", *out3 = "P.S.P";
  }
}

// Hooks ------------------------------------------------------------------------

void CSession::RaiseTurnHook(const std::string& name, int n) { hooks.Set("__turn" + name + std::to_string(n), 1); }
void CSession::RaiseDeathHook(const std::string& name) { hooks.Set("__death" + name, 1); }
void CSession::RaiseMagicAttackHook(const std::string& a, const std::string& b) { hooks.Set("__magicattack" + a + b, 1); }
void CSession::RaiseSkillAttackHook(const std::string& a, const std::string& b) { hooks.Set("__skillattack" + a + b, 1); }
void CSession::RaiseItemUseHook(const std::string& a, const std::string& b) { hooks.Set("__itemuse" + a + b, 1); }
void CSession::RaiseItemAttackHook(const std::string& a, const std::string& b) { hooks.Set("__itemattack" + a + b, 1); }

void CSession::RaiseEquipUseHook(const std::string& engname, int item) {
  hooks.Set("__equipuse" + engname + std::to_string(item), 1);
  hooks.Set("__equiprelease" + engname + std::to_string(item), 0);
}

void CSession::RaiseEquipReleaseHook(const std::string& engname, int item) {
  hooks.Set("__equiprelease" + engname + std::to_string(item), 1);
  hooks.Set("__equipuse" + engname + std::to_string(item), 0);
}
