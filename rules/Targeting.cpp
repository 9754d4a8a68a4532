// Choosing participants of a battle, and how far a participant reaches.
#include <algorithm>
#include <cstdint>
#include <string>

#include "battle/BattleObject.h"
#include "field/SelvarinActor.h"
#include "platform/Random.h"
#include "session/ITM.h"
#include "session/ItemMgr.h"
#include "session/Session.h"

namespace {

constexpr int kReachAttr = 24;
constexpr float kTenth = 0.1f;
constexpr int kNoDistance = 100000;

CBattleActor* AsBattleActor(CSelvarinActor* actor) { return dynamic_cast<CBattleActor*>(actor); }

// Out of the fight: no actor, or removed; an enemy also dying or defeated.
bool OutOfFight(const CSelvarinActor* actor, bool isParty) {
  if (actor == nullptr) return true;
  return isParty ? actor->m_actionCode == kActRemoved : IsSkippedByTargetPicker(actor->m_actionCode);
}

int TruncatedDistance(const CSelvarinActor& from, const CSelvarinActor& to) {
  return static_cast<int>(from.Distance3d(to.m_pos.x, to.m_pos.y, to.m_pos.z));
}

// 100 for a full (or empty-maximum) value, down to 0 for none left.
int64_t PercentLeft(int32_t value, int32_t maximum) {
  return maximum == 0 ? 100 : int64_t{100} * value / maximum;
}

}  // namespace

int CSession::BattlePartySize() const { return std::min<int>({battlePartyCount, partyCount, kMaxParty}); }

bool CSession::NamesParticipant(int position, bool isParty) const {
  return isParty ? position >= 0 && position < std::min<int>(partyCount, kMaxParty)
                 : position >= 0 && position < kMaxEnemies;
}

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

float CSession::GetAttackReach(int position, bool isParty) const {
  if (!NamesParticipant(position, isParty)) return 0.0f;
  if (!isParty) return static_cast<float>(enemies[static_cast<size_t>(position)].reach) * kTenth;
  const PlayerData* member = GetPartyMember(position);
  const CItemMgr& items = CItemMgr::GetInstance();
  if (member == nullptr || member->weapon < 0 || member->weapon >= items.GetCount()) return 0.0f;
  return static_cast<float>(std::max(items.GetItem(member->weapon)->GetAttr(kReachAttr), 0)) * kTenth;
}

CBattleActor* CSession::PickRandomEnemy(int position, bool isParty) {
  if (!NamesParticipant(position, isParty)) return nullptr;
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
    if (slot.actor == self || OutOfFight(slot.actor, false)) continue;
    if (counted == r) return AsBattleActor(slot.actor);
    ++counted;
  }
  for (const EnemySlot& slot : enemies) {
    if (!OutOfFight(slot.actor, false)) return AsBattleActor(slot.actor);
  }
  return nullptr;
}

CBattleActor* CSession::FindBusiest(int range, int position, bool isParty, bool amongParty) const {
  const CSelvarinActor* asker = NamesParticipant(position, isParty) ? GetBattleActor(position, isParty) : nullptr;
  if (asker == nullptr) return nullptr;
  CBattleActor* busiest = nullptr;
  float best = 0.0f;
  const int count = amongParty ? BattlePartySize() : kMaxEnemies;
  for (int i = 0; i < count; ++i) {
    CSelvarinActor* actor = GetBattleActor(i, amongParty);
    CBattleActor* candidate = OutOfFight(actor, amongParty) ? nullptr : AsBattleActor(actor);
    if (candidate == nullptr || TruncatedDistance(*asker, *candidate) >= range) continue;
    if (candidate->m_timeGauge > best) {
      best = candidate->m_timeGauge;
      busiest = candidate;
    }
  }
  return busiest;
}

CBattleActor* CSession::FindBusiestEnemyNear(int range, int position, bool isParty) const {
  return FindBusiest(range, position, isParty, false);
}

CBattleActor* CSession::FindBusiestPartyMemberNear(int range, int position, bool isParty) const {
  return FindBusiest(range, position, isParty, true);
}

CBattleActor* CSession::FindNearest(int position, bool isParty, bool amongParty) const {
  const CSelvarinActor* asker = NamesParticipant(position, isParty) ? GetBattleActor(position, isParty) : nullptr;
  if (asker == nullptr) return nullptr;
  CBattleActor* nearest = nullptr;
  int best = kNoDistance;
  const int count = amongParty ? BattlePartySize() : kMaxEnemies;
  for (int i = 0; i < count; ++i) {
    CSelvarinActor* actor = GetBattleActor(i, amongParty);
    CBattleActor* candidate = OutOfFight(actor, amongParty) || actor == asker ? nullptr : AsBattleActor(actor);
    if (candidate == nullptr) continue;
    const int d = TruncatedDistance(*asker, *candidate);
    if (d < best) {
      best = d;
      nearest = candidate;
    }
  }
  return nearest;
}

// An asker never finds itself.
CBattleActor* CSession::FindNearestEnemy(int position, bool isParty) const { return FindNearest(position, isParty, false); }

CBattleActor* CSession::FindNearestPartyMember(int position, bool isParty) const {
  return FindNearest(position, isParty, true);
}

CBattleActor* CSession::FindWeakestPartyMember() const {
  CBattleActor* weakest = nullptr;
  int64_t best = 0;
  for (int p = 0; p < BattlePartySize(); ++p) {
    const PlayerData* member = GetPartyMember(p);
    CBattleActor* actor = member == nullptr || OutOfFight(member->battlePtr, true) ? nullptr : AsBattleActor(member->battlePtr);
    if (actor == nullptr) continue;
    const int64_t weakness = 200 - PercentLeft(member->hp, member->maxhp) - PercentLeft(member->shp, member->maxshp);
    const bool take = weakest == nullptr ? weakness >= best
                                         : weakness > best || (weakness == best && (platform::Rand() & 1) != 0);
    if (take) {
      best = weakness;
      weakest = actor;
    }
  }
  return weakest;
}

CBattleActor* CSession::FindStrongestEnemy() const {
  CBattleActor* strongest = nullptr;
  int64_t best = 0;
  for (const EnemySlot& slot : enemies) {
    if (OutOfFight(slot.actor, false)) continue;
    const int64_t strength = int64_t{slot.hp} + slot.shp;
    if (strength > best) {
      best = strength;
      strongest = AsBattleActor(slot.actor);
    }
  }
  return strongest;
}

// Out-of-fight actors count as attackers too: a dying one may still be
// swinging.
bool CSession::IsUnderAttack(int position, bool isParty) const {
  const CSelvarinActor* asker = NamesParticipant(position, isParty) ? GetBattleActor(position, isParty) : nullptr;
  if (asker == nullptr) return false;
  const auto attacks = [asker](const CSelvarinActor* actor) {
    const auto* other = dynamic_cast<const CBattleActor*>(actor);
    return other != nullptr && other->m_target == asker && other->m_actionCode != kActIdle && other->m_openFlag == 0;
  };
  for (int p = 0; p < BattlePartySize(); ++p) {
    if (attacks(GetPartyActor(p))) return true;
  }
  return std::any_of(enemies.begin(), enemies.end(), [&](const EnemySlot& slot) { return attacks(slot.actor); });
}

CBattleActor* CSession::FindEnemyInReach(int position) const {
  const PlayerData* member = NamesParticipant(position, true) ? GetPartyMember(position) : nullptr;
  const CSelvarinActor* asker = member != nullptr ? member->battlePtr : nullptr;
  CBattleActor* enemy = FindNearestEnemy(position, true);
  if (asker == nullptr || enemy == nullptr) return nullptr;
  if (!(asker->DistanceXZ(enemy->m_pos.x, enemy->m_pos.z) < GetAttackReach(position, true))) return nullptr;
  if (OutOfFight(enemy, false)) return nullptr;
  const bool idle = enemy->m_actionCode == kActIdle;
  if (!idle && enemy->m_openFlag == 0) return nullptr;
  // The idle-target option: the reset sets it.
  if (idle && member->resetMark == 0) return nullptr;
  return enemy;
}

CBattleActor* CSession::FindPartyMemberInReach(int slot) const {
  const CSelvarinActor* asker = NamesParticipant(slot, false) ? GetBattleActor(slot, false) : nullptr;
  CBattleActor* member = FindNearestPartyMember(slot, false);
  if (asker == nullptr || member == nullptr) return nullptr;
  if (!(asker->DistanceXZ(member->m_pos.x, member->m_pos.z) < GetAttackReach(slot, false))) return nullptr;
  if (IsSkippedByTargetPicker(member->m_actionCode)) return nullptr;
  return member->m_openFlag != 0 || member->m_actionCode == kActIdle ? member : nullptr;
}

CBattleActor* CSession::FindPartnerActor(const CActor* actor) const {
  if (actor == nullptr) return nullptr;
  const PlayerData* member = nullptr;
  for (int p = 0; p < std::min<int>(partyCount, kMaxParty) && member == nullptr; ++p) {
    const PlayerData* candidate = GetPartyMember(p);
    if (candidate != nullptr && candidate->battlePtr == actor) member = candidate;
  }
  if (member == nullptr) return nullptr;
  std::string partner;
  if (member->engname == "sizz" || member->engname == "sizz2") {
    partner = "ai";
  } else if (member->engname == "ai") {
    partner = scriptVariables.Get("제1장끝") != 0 ? "sizz2" : "sizz";
  } else {
    return nullptr;
  }
  for (int p = 0; p < std::min<int>(partyCount, kMaxParty); ++p) {
    const PlayerData* candidate = GetPartyMember(p);
    if (candidate != nullptr && candidate->engname == partner) return AsBattleActor(candidate->battlePtr);
  }
  return nullptr;
}
