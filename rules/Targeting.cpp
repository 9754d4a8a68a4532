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
