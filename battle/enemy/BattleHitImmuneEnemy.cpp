#include "battle/enemy/BattleHitImmuneEnemy.h"

#include <algorithm>

#include "session/Session.h"

namespace {

constexpr float kGaugeMax = 100.0f;
constexpr float kGaugeForADroppedHit = 11.0f;
constexpr float kKnockBackShare = 0.33333334f;

}  // namespace

void CBattleHitImmuneEnemy::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1,
                                      intptr_t value2) {
  switch (code) {
    case kMsgHit:
    case kMsgMagicHit:
    case kMsgHitWithNumber:
    case kMsgHitTwoParts:
      TakeHitStanding(sender, code, value0, value1, value2);
      break;
    case kMsgVanishLight:
      break;  // it cannot be knocked out
    default:
      CBattleGroundEnemy::OnMessage(sender, code, value0, value1, value2);
      break;
  }
}

// The base takes the hit whole; then the lift, the turn and most of the
// push are undone.
void CBattleHitImmuneEnemy::TakeHitStanding(CObject* sender, int code, intptr_t value0, intptr_t value1,
                                            intptr_t value2) {
  m_savedGauge = static_cast<int32_t>(m_timeGauge);
  m_savedHeading = static_cast<int32_t>(m_angle);
  CBattleGroundEnemy::OnMessage(sender, code, value0, value1, value2);
  if (m_hitGuardTicks == 0) m_timeGauge = static_cast<float>(m_savedGauge) + kGaugeForADroppedHit;
  m_timeGauge = std::min(m_timeGauge, kGaugeMax);
  m_velocity.y = 0.0f;
  m_inAir = 0;
  m_angle = static_cast<float>(m_savedHeading);
  m_knockBack *= kKnockBackShare;
}

void CBattleHitImmuneEnemy::UpdateIdleAttack() {
  FaceTarget();
  if (m_timeGauge < kIdleAttackCost) return;
  CBattleActor* member = CSession::GetInstance().FindPartyMemberInReach(Slot());
  if (member == nullptr) return;
  m_target = member;
  SetAction(kActAttack);
  m_timeGauge -= kIdleAttackCost;
}
