#include "battle/enemy/BattleFlyingEnemy.h"

#include <cmath>

#include "field/SelvarinContext.h"

namespace {
namespace battleflyingenemy {

constexpr float kFallStep = 0.1f;
constexpr float kWeakRebound = -0.6f;
constexpr float kHoverBand = 0.2f;
constexpr float kHoverSpeed = 0.35f;
constexpr float kMaxFall = 2.0f;
constexpr float kMaxRise = -1.0f;
constexpr int32_t kLandingDust = 1009;
// A climb out of the ground gives up after this many steps of 1.0.
constexpr int kMaxClimbSteps = 10000;

}  // namespace battleflyingenemy
}  // namespace

CBattleFlyingEnemy::CBattleFlyingEnemy() {
  m_inAir = 1;
  m_flying = 1;
}

bool CBattleFlyingEnemy::OnProcess() {
  if (m_actionCode == kActRemoved) return true;
  if (!CountDownTimers()) return true;
  if (m_fallTimer > 0) --m_fallTimer;
  ProcessStatus();
  FillTimeGauge();
  Hover();
  return FinishTick();
}

void CBattleFlyingEnemy::SetAction(int32_t code) {
  if (code == kActFrozen || code == kActPetrified) m_fallTimer = kKnockDownFall;
  CBattleEnemy::SetAction(code);
}

void CBattleFlyingEnemy::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  switch (code) {
    case kMsgKnockIntoWander:
      if (IsInTerminalAction() || m_hitGuardTicks > 0 || m_actionCode == kActDying) return;
      SetAction(kActWander);
      m_hitStopTicks = 15;
      m_hitGuardTicks = 1;
      m_fallTimer = 1;
      return;
    case kMsgHit:
    case kMsgMagicHit:
    case kMsgHitWithNumber:
    case kMsgHitTwoParts:
      m_fallTimer = kHitFall;
      break;
    default:
      break;
  }
  CBattleEnemy::OnMessage(sender, code, value0, value1, value2);
}

void CBattleFlyingEnemy::Hover() {
  const CSelvarinContext* context = GetFieldContext();
  if (context == nullptr) return;
  const float ground = context->GetStandHeight(m_pos);
  m_groundHeight = ground;
  float& vy = m_velocity.y;
  if (m_fallTimer != 0) {
    vy += battleflyingenemy::kFallStep;
    if (context->CheckHeight(m_pos.x, m_pos.y, m_pos.z) != 0) {
      SpawnEffect(battleflyingenemy::kLandingDust);
      if (!std::isfinite(m_pos.y)) m_pos.y = ground;
      for (int i = 0; i < battleflyingenemy::kMaxClimbSteps && context->CheckHeight(m_pos.x, m_pos.y, m_pos.z) != 0; ++i) m_pos.y -= 1.0f;
      vy = -vy;
      if (vy > battleflyingenemy::kWeakRebound) vy = 0.0f;
    }
  } else {
    const float target = ground - m_hoverHeight;
    if (m_pos.y > target + battleflyingenemy::kHoverBand) {
      vy = -battleflyingenemy::kHoverSpeed;
    } else if (m_pos.y < target - battleflyingenemy::kHoverBand) {
      vy = battleflyingenemy::kHoverSpeed;
    } else {
      vy = 0.0f;
    }
  }
  if (vy >= battleflyingenemy::kMaxFall) vy = battleflyingenemy::kMaxFall;
  if (vy <= battleflyingenemy::kMaxRise) vy = battleflyingenemy::kMaxRise;
  m_pos.y += vy;
}
