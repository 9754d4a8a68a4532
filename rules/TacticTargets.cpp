// The target pickers only the tactics use: the most exposed member, the
// weakest defences, the hurt, the undead and the healthy, any enemy, and
// the enemy straying from the battle's station point.
#include <cmath>

#include "field/SelvarinContext.h"
#include "rules/Condition.h"
#include "rules/TacticHelpers.h"

using tactics::LiveEnemyActor;
using tactics::LiveMemberActor;

namespace {

constexpr int kNoValue = 100000;
constexpr float kStationReach = 55.0f;

// The live member or enemy for which `better` holds against all found
// before it; the walks go in party order and slot order.
template <class Better>
CBattleActor* BestMember(const CSession& session, Better better) {
  CBattleActor* found = nullptr;
  for (int p = 0; p < tactics::BattlePositions(session); ++p) {
    const PlayerData* member = session.GetPartyMember(p);
    CBattleActor* actor = LiveMemberActor(member);
    if (actor != nullptr && better(*member)) found = actor;
  }
  return found;
}

template <class Better>
CBattleActor* BestEnemy(const CSession& session, Better better) {
  CBattleActor* found = nullptr;
  for (const EnemySlot& slot : session.enemies) {
    CBattleActor* actor = LiveEnemyActor(slot);
    if (actor != nullptr && better(slot)) found = actor;
  }
  return found;
}

}  // namespace

CBattleActor* CSession::FindMostExposedPartyMember() const {
  if (enemyCount <= 0) return nullptr;
  float best = 10000.0f;
  return BestMember(*this, [&](const PlayerData& member) {
    const CSelvarinActor* self = member.battlePtr;
    float sum = 0.0f;
    for (const EnemySlot& slot : enemies) {
      if (slot.actor != nullptr) sum += self->DistanceXZ(slot.actor->m_pos.x, slot.actor->m_pos.z);
    }
    const float average = sum / static_cast<float>(enemyCount);
    if (!(average < best)) return false;
    best = average;
    return true;
  });
}

CBattleActor* CSession::FindLowestDefencePartyMember() const {
  int best = kNoValue;
  return BestMember(*this, [&](const PlayerData& member) {
    if (member.vitality >= best) return false;
    best = member.vitality;
    return true;
  });
}

CBattleActor* CSession::FindLowestDefenceEnemy() const {
  int best = kNoValue;
  return BestEnemy(*this, [&](const EnemySlot& slot) {
    if (slot.phyDef >= best) return false;
    best = slot.phyDef;
    return true;
  });
}

CBattleActor* CSession::FindHurtMember(bool isParty) const {
  int best = kNoValue;
  const auto fewer = [&best](int hp, int maxhp) {
    if (!(static_cast<double>(hp) < 0.8 * maxhp) || hp >= best) return false;
    best = hp;
    return true;
  };
  if (isParty) return BestMember(*this, [&](const PlayerData& member) { return fewer(member.hp, member.maxhp); });
  return BestEnemy(*this, [&](const EnemySlot& slot) { return fewer(slot.hp, slot.maxhp); });
}

CBattleActor* CSession::FindUndeadPartyMember() const {
  return BestMember(*this, [](const PlayerData& member) { return (member.stateid & kUndead) != 0; });
}

CBattleActor* CSession::FindHealthyPartyMember() const {
  return BestMember(*this, [](const PlayerData& member) { return member.stateid == 0; });
}

CBattleActor* CSession::FindHealthyEnemy() const {
  return BestEnemy(*this, [](const EnemySlot& slot) { return slot.stateid == 0; });
}

bool CSession::IsAwayFromStation(int slot) const {
  if (slot < 0 || slot >= kMaxEnemies) return false;
  const CSelvarinActor* actor = enemies[static_cast<size_t>(slot)].actor;
  const CSelvarinContext* context = GetFieldContext();
  if (actor == nullptr || context == nullptr) return false;
  float x = 0.0f, z = 0.0f;
  context->GetStationPoint(&x, &z);
  return std::fabs(actor->m_pos.x - x) > kStationReach || std::fabs(actor->m_pos.z - z) > kStationReach;
}

// Every occupied slot counts, live or not; only a live enemy is taken.
CBattleActor* CSession::PickAnyEnemy() const {
  const int r = enemyCount > 0 ? platform::Rand() % enemyCount : 0;
  int counted = 0;
  for (const EnemySlot& slot : enemies) {
    if (slot.actor == nullptr) continue;
    if (counted == r && LiveEnemyActor(slot) != nullptr) return LiveEnemyActor(slot);
    ++counted;
  }
  for (const EnemySlot& slot : enemies) {
    if (CBattleActor* actor = LiveEnemyActor(slot)) return actor;
  }
  return nullptr;
}
