// Choosing participants of a battle, and how far a participant reaches.
#include <algorithm>

#include "battle/BattleObject.h"
#include "field/SelvarinActor.h"
#include "platform/Random.h"
#include "session/ITM.h"
#include "session/ItemMgr.h"
#include "session/Session.h"

PlayerData* CSession::PickRandomPartyMember() {
  const int r = battlePartyCount > 0 ? platform::Rand() % battlePartyCount : 0;
  PlayerData* first = nullptr;
  int live = 0;
  for (int p = 0; p < std::min<int>(partyCount, kMaxParty); ++p) {
    PlayerData* member = GetPartyMember(p);
    if (member == nullptr || member->battlePtr == nullptr || IsFallen(member->battlePtr)) continue;
    if (live == r) return member;
    if (first == nullptr) first = member;
    ++live;
  }
  return first;
}

namespace {

constexpr int kReachAttr = 24;
constexpr float kTenth = 0.1f;
constexpr int kNoDistance = 100000;

}  // namespace

float CSession::GetAttackReach(int position, bool isParty) const {
  if (!isParty) {
    if (position < 0 || position >= kMaxEnemies) return 0.0f;
    return static_cast<float>(enemies[static_cast<size_t>(position)].reach) * kTenth;
  }
  const PlayerData* member = GetPartyMember(position);
  const CItemMgr& items = CItemMgr::GetInstance();
  if (member == nullptr || member->weapon < 0 || member->weapon >= items.GetCount()) return 0.0f;
  return static_cast<float>(std::max(items.GetItem(member->weapon)->GetAttr(kReachAttr), 0)) * kTenth;
}

CBattleActor* CSession::FindNearestPartyMember(int position, bool isParty) const {
  const CSelvarinActor* asker = GetBattleActor(position, isParty);
  if (asker == nullptr) return nullptr;
  CBattleActor* nearest = nullptr;
  int best = kNoDistance;
  for (int p = 0; p < std::min({battlePartyCount, partyCount, kMaxParty}); ++p) {
    auto* member = dynamic_cast<CBattleActor*>(GetPartyActor(p));
    if (member == nullptr || member->m_actionCode == kActRemoved) continue;
    const int d = static_cast<int>(asker->Distance3d(member->m_pos.x, member->m_pos.y, member->m_pos.z));
    if (d < best) {
      best = d;
      nearest = member;
    }
  }
  return nearest;
}

namespace {

CBattleActor* AsBattleActor(CSelvarinActor* actor) { return dynamic_cast<CBattleActor*>(actor); }

// An enemy that can still be chosen: there, and neither dying, removed nor
// defeated.
bool InFight(const CSelvarinActor* actor) {
  return actor != nullptr && !IsSkippedByTargetPicker(actor->m_actionCode);
}

}  // namespace

CBattleActor* CSession::PickRandomEnemy(int position, bool isParty) {
  const CSelvarinActor* self = isParty ? nullptr : GetBattleActor(position, false);
  int r = 0;
  if (isParty) {
    r = enemyCount > 0 ? platform::Rand() % enemyCount : 0;
  } else if (self != nullptr && IsSkippedByTargetPicker(self->m_actionCode)) {
    r = position;
  } else if (enemyCount - 1 > 0) {
    r = platform::Rand() % (enemyCount - 1);
  }
  int counted = 0;
  for (const EnemySlot& slot : enemies) {
    if (slot.actor == nullptr || slot.actor == self || !InFight(slot.actor)) continue;
    if (counted == r) return AsBattleActor(slot.actor);
    ++counted;
  }
  for (const EnemySlot& slot : enemies) {
    if (InFight(slot.actor)) return AsBattleActor(slot.actor);
  }
  return nullptr;
}

// An enemy asking never finds itself.
CBattleActor* CSession::FindNearestEnemy(int position, bool isParty) const {
  const CSelvarinActor* asker = GetBattleActor(position, isParty);
  if (asker == nullptr) return nullptr;
  CBattleActor* nearest = nullptr;
  int best = kNoDistance;
  for (const EnemySlot& slot : enemies) {
    if (slot.actor == asker || !InFight(slot.actor)) continue;
    const Vec3& at = slot.actor->m_pos;
    const int d = static_cast<int>(asker->Distance3d(at.x, at.y, at.z));
    if (d < best) {
      best = d;
      nearest = AsBattleActor(slot.actor);
    }
  }
  return nearest;
}

CBattleActor* CSession::FindEnemyInReach(int position) const {
  const PlayerData* member = GetPartyMember(position);
  const CSelvarinActor* asker = GetBattleActor(position, true);
  CBattleActor* enemy = FindNearestEnemy(position, true);
  if (member == nullptr || asker == nullptr || enemy == nullptr) return nullptr;
  if (!(asker->DistanceXZ(enemy->m_pos.x, enemy->m_pos.z) < GetAttackReach(position, true))) return nullptr;
  const bool idle = enemy->m_actionCode == kActIdle;
  if (!idle && enemy->m_openFlag == 0) return nullptr;
  // The idle-target option: the reset sets it.
  if (idle && member->resetMark == 0) return nullptr;
  return enemy;
}
