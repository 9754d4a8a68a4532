// The shared steps of the kinds hits cannot move, and the bosses' paid
// blow from idle.
#include "battle/enemy/BattleHitImmuneEnemy.h"

#include <algorithm>

#include "session/Session.h"

namespace {

constexpr float kGaugeMax = 100.0f;
constexpr float kKnockBackShare = 0.33333334f;
constexpr float kIdleStrikeCost = 20.0f;

}  // namespace

// The gauge comes back only for a hit the base dropped without locking.
void CBattleEnemy::StandAfterHit(const EnemyHitImmunity& how, int32_t savedGauge, int32_t savedHeading) {
  if (m_hitGuardTicks == 0) m_timeGauge = static_cast<float>(savedGauge + how.gaugeBonus);
  m_timeGauge = std::min(m_timeGauge, kGaugeMax);
  m_velocity.y = 0.0f;
  m_inAir = 0;
  m_angle = static_cast<float>(savedHeading + how.turn);
  m_knockBack *= kKnockBackShare;
}

// The nearest member counts only standing and nearer than the reach.
CBattleActor* CBattleEnemy::NearestMemberWithin(float reach) const {
  CBattleActor* member = CSession::GetInstance().FindNearestPartyMember(Slot(), false);
  if (member == nullptr) return nullptr;
  const int32_t action = member->m_actionCode;
  if (action == kActDying || action == kActRemoved || action == kActDefeated) return nullptr;
  return DistanceXZ(member->m_pos.x, member->m_pos.z) < reach ? member : nullptr;
}

void CBattleEnemy::UpdateIdleStrike(float nearestReach) {
  FaceTarget();
  if (m_timeGauge < kIdleStrikeCost) return;
  CBattleActor* member = nearestReach > 0.0f ? NearestMemberWithin(nearestReach)
                                             : CSession::GetInstance().FindPartyMemberInReach(Slot());
  if (member == nullptr) return;
  m_target = member;
  SetAction(kActAttack);
  m_timeGauge -= kIdleStrikeCost;
}
