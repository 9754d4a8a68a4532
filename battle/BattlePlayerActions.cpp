// One tick of a party member's action: idle and defending with their quick
// attacks, approach and return, the knock-back chains, lying, getting up and
// the timed states.
#include <array>

#include "battle/BattlePlayer.h"
#include "effect/SelvarinEffect.h"
#include "engine/Wave.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/Random.h"
#include "session/Session.h"

namespace {
namespace battleplayeractions {

constexpr const char* kRunning = "달리기.wav";
constexpr int32_t kRunningEvery = 20;
constexpr int32_t kQuickEvery = 5;
constexpr float kQuickCost = 25.0f;
constexpr float kQuickFrom = 25.0f, kQuickTo = 75.0f;
constexpr float kGiveUpGauge = 50.0f;
constexpr int32_t kStuckBumps = 55;
constexpr int32_t kGiveUpTick = 300;
constexpr float kFullGauge = 100.0f;
constexpr float kSlowing = 0.952381f;
constexpr float kSlowingFast = 0.9090909f;
constexpr int32_t kDazedEffect = 1022;
constexpr float kDazedEffectOffset = -15.0f;
// The counter stance's end, when the last counter hit is gone.
constexpr int32_t kActCounterEnd = 10058;

// After the tick count, the next action.
struct Step {
  int32_t code, after, next;
};

// Actions that only wait their ticks and go on.
constexpr std::array kTimedSteps{
    Step{kActLying, 60, kActGettingUp},          Step{kActLyingStill, 30, kActGotUp},
    Step{kActGettingUp, 15, kActDazed},          Step{kActGotUp, 15, kActIdle},
    Step{kActCollapse, 60, kActCollapseEnd},     Step{kActCollapsed, 30, kActCollapseEnd},
    Step{kActCollapseEnd, 20, kActIdle},         Step{kActUseStrong, 150, kActIdle},
    Step{kActCounterEnd, 5, kActIdle},       Step{kActFrozen, 1200, kActIdle},
    Step{kActPetrified, 1200, kActIdle},         Step{kActDazed, 300, kActIdle},
};

}  // namespace battleplayeractions
}  // namespace

int CBattlePlayer::UpdateAction(int code) {
  if (UpdateKnockBack(code) || UpdateMoving(code) || UpdateTimed(code)) return 1;
  switch (code) {
    case kActIdle:
      UpdateIdle();
      break;
    case kActDefend:
      UpdateDefending();
      break;
    case kActEnter:
      UpdateEntering();
      break;
    case kActDying:
      if (m_tickCount >= 20 && m_inAir == 0 && m_gaugeRunning != 0) SetAction(kActDefeated);
      break;
    case kActJump:
      if (m_inAir == 0) SetAction(kActIdle);
      break;
    case kActUse:
      if (m_target != nullptr) FaceToward(m_target->m_pos.x, m_target->m_pos.z);
      if (CheckHitFrame() != 0 && CSession::GetInstance().GetItemCount(m_chosenIndex) > 0) {
        CSession::GetInstance().LaunchItem(Position(), true);
      }
      if (m_holdLast != 0) SetAction(kActIdle);
      break;
    case kActHeld:
      m_shakeTicks = 2;
      if (m_tickCount >= 300) {
        SetAction(kActIdle);
        m_shakeTicks = 0;
      }
      break;
    case kActVanish:
      if (m_tickCount == 1) {
        m_hitFlash = 1;
        m_tint = (m_tint & 0xFF000000u) | 0xFFFF00u;
      }
      m_scaleY *= 1.019f;
      AddTint(-6, 0, 0, 0);
      if (m_tickCount >= 120) {
        SetAction(kActDefeated);
        m_visible = 0;
      }
      break;
    case kActDefeated:
      if (m_gaugeRunning != 0 && m_tickCount >= 24) {
        SetAction(kActRemoved);
        return 0;
      }
      break;
    case kActShieldGuard:
      if (m_tickCount >= 45) Resume();
      break;
    default:
      break;
  }
  return 1;
}

bool CBattlePlayer::UpdateTimed(int32_t code) {
  for (const battleplayeractions::Step& step : battleplayeractions::kTimedSteps) {
    if (step.code != code) continue;
    if (code == kActDazed && m_tickCount == 1) {
      SpawnEffect(battleplayeractions::kDazedEffect);
      if (!m_effects.empty()) m_effects.back()->m_spriteOffset.y = battleplayeractions::kDazedEffectOffset;
    }
    if (m_tickCount >= step.after) SetAction(step.next);
    return true;
  }
  switch (code) {
    case kActStunned:
    case kActKnockedDown:
      m_timeGauge = 1.0f;
      if (m_tickCount >= (code == kActStunned ? 500 : 60)) SetAction(code == kActStunned ? kActIdle : kActStunned);
      return true;
    default:
      return false;
  }
}

// The quick attack: every 5 ticks after a first turn, with the gauge
// between a quarter and three quarters, at an enemy in reach.
void CBattlePlayer::UpdateIdle() {
  CSession& session = CSession::GetInstance();
  if (CBattleActor* nearest = session.FindNearestEnemy(Position(), true)) {
    m_target = nearest;
    FaceToward(nearest->m_pos.x, nearest->m_pos.z);
  }
  if (m_tickCount % battleplayeractions::kQuickEvery != 0 || m_turnCount < 1 || m_timeGauge < battleplayeractions::kQuickFrom || m_timeGauge > battleplayeractions::kQuickTo) return;
  CBattleActor* enemy = session.FindEnemyInReach(Position());
  if (enemy == nullptr) return;
  m_target = enemy;
  m_attackMode = 1;
  m_attackStyle = 2;
  m_timeGauge -= battleplayeractions::kQuickCost;
  SetAction(kActAttack);
}

void CBattlePlayer::UpdateDefending() {
  CSession& session = CSession::GetInstance();
  CBattleActor* enemy = nullptr;
  if (m_tickCount % battleplayeractions::kQuickEvery == 0 && m_timeGauge >= battleplayeractions::kQuickCost) enemy = session.FindEnemyInReach(Position());
  if (enemy != nullptr) {
    m_target = enemy;
    m_attackMode = 2;
    m_attackStyle = 2;
    m_timeGauge -= battleplayeractions::kQuickCost;
    SetAction(kActAttack);
    return;
  }
  if (const CBattleActor* nearest = session.FindNearestEnemy(Position(), true)) {
    FaceToward(nearest->m_pos.x, nearest->m_pos.z);
  }
  if (m_timeGauge >= battleplayeractions::kFullGauge) SetAction(kActIdle);
}

void CBattlePlayer::UpdateEntering() {
  if (DistanceXZ(m_targetX, m_targetZ) > m_entrySpeed) {
    FaceToward(m_targetX, m_targetZ);
    SetSpeed(m_entrySpeed);
  }
  if (m_inAir != 0) m_motion = m_velocity.y < -1.0f ? 0 : (m_velocity.y <= 0.3f ? 1 : 2);
  m_hitGuardTicks = 2;
  if (m_inAir != 0 || m_tickCount <= 64) return;
  if (CSelvarinFrame* frame = GetGameFrame()) {
    if (CSelvarinView* view = frame->GetView()) view->m_pFocus = nullptr;
  }
  SetAction(kActIdle);
}

// Idle on arrival, or when stuck against something.
void CBattlePlayer::WalkTo(float x, float z, float within) {
  if (DistanceXZ(x, z) < within || m_bumpTicks > battleplayeractions::kStuckBumps || (m_tickCount > battleplayeractions::kGiveUpTick && m_bumped != 0)) {
    SetAction(kActIdle);
    return;
  }
  RunToward(x, z, 0.7f);
}

bool CBattlePlayer::UpdateMoving(int32_t code) {
  CSession& session = CSession::GetInstance();
  switch (code) {
    case kActApproach:
      if (m_target == nullptr) {
        SetAction(kActIdle);
        return true;
      }
      RunningSound(battleplayeractions::kRunning, battleplayeractions::kRunningEvery);
      if (m_bumpTicks > battleplayeractions::kStuckBumps || (m_tickCount > battleplayeractions::kGiveUpTick && m_bumped != 0)) {
        m_timeGauge = battleplayeractions::kGiveUpGauge;
        SetAction(kActIdle);
        return true;
      }
      RunToward(m_target->m_pos.x, m_target->m_pos.z, 0.7f);
      if (DistanceXZ(m_target->m_pos.x, m_target->m_pos.z) < 0.8f * session.GetAttackReach(Position(), true)) {
        SetAction(kActAttack);
      }
      return true;
    case kActWalkBack:
      if (m_tickCount <= 35 && DistanceXZ(m_returnPoint.x, m_returnPoint.z) >= 5.0f) {
        RunningSound(battleplayeractions::kRunning, battleplayeractions::kRunningEvery);
        RunToward(m_returnPoint.x, m_returnPoint.z, 0.8f);
        return true;
      }
      SetAction(kActIdle);
      if (m_target != nullptr) FaceToward(m_target->m_pos.x, m_target->m_pos.z);
      return true;
    case kActWalkToPoint:
      RunningSound(battleplayeractions::kRunning, battleplayeractions::kRunningEvery);
      WalkTo(m_targetX, m_targetZ, 2.0f + static_cast<float>(platform::Rand() % 100) * 0.01f);
      return true;
    case kActWalkToActor:
      if (m_walkToActor == nullptr) {
        SetAction(kActIdle);
        return true;
      }
      WalkTo(m_walkToActor->m_pos.x, m_walkToActor->m_pos.z, 2.0f);
      return true;
    default:
      return false;
  }
}

bool CBattlePlayer::UpdateKnockBack(int32_t code) {
  const auto slide = [this](float slowing) {
    m_knockBack *= slowing;
    SetSpeed(m_knockBack);
  };
  const auto bumpedOff = [this]() {
    if (m_bumped == 0) return false;
    SetAction(kActPushOff);
    return true;
  };
  const int32_t tick = m_tickCount;
  switch (code) {
    case kActDamageLight:
    case kActDamage:
    case kActDamageStrong:
    case kActDamageHeavy: {
      slide(battleplayeractions::kSlowing);
      const int32_t saved = m_resumeAction;
      const bool fromFall = (saved >= kActDamageLight && saved <= kActDamageHeavy) ||
                            (saved >= kActSlide && saved <= kActLanding);
      if ((tick == 1 || m_bumped != 0) && fromFall) {
        SetAction(kActLanding);
        m_inAir = 1;
      } else if (code == kActDamageLight && tick >= 20) {
        if (IsResumeDisabled()) {
          SetAction(kActIdle);
        } else {
          Resume();
        }
      } else if ((code == kActDamage || code == kActDamageStrong) && tick >= 20) {
        SetAction(code == kActDamage ? kActSlide : kActSlideOn);
      } else if (code == kActDamageHeavy && tick >= 10) {
        // The record's fall flag is never set: a heavy blow always lands.
        SetAction(kActLanding);
      }
      return true;
    }
    case kActKnockedUp:
    case kActKnockedHigh:
    case kActKnockedFall:
      SetSpeed(m_knockBack);
      if (bumpedOff()) return true;
      if (m_inAir == 0) {
        SetAction(code == kActKnockedUp ? kActLying : code == kActKnockedHigh ? kActLyingStill : kActKnockedUp);
      }
      return true;
    case kActGuard:
    case kActGuardPushed:
    case kActGuardPushedBack:
      slide(battleplayeractions::kSlowing);
      if (code == kActGuard && tick >= 15) SetAction(kActGuardRecover);
      if (code == kActGuardPushed && tick >= 15) SetAction(kActLanded);
      if (code == kActGuardPushedBack && tick >= 18) SetAction(kActKnockedHigh);
      return true;
    case kActSlide:
    case kActSlideOn:
      slide(battleplayeractions::kSlowingFast);
      if (bumpedOff()) return true;
      if (code == kActSlide && tick >= 20) SetAction(kActIdle);
      if (code == kActSlideOn && tick >= 12) SetAction(kActThrown);
      return true;
    case kActLanding:
    case kActLanded:
      slide(battleplayeractions::kSlowingFast);
      if (bumpedOff()) return true;
      if (m_velocity.y >= 0.0f) SetAction(code == kActLanding ? kActKnockedFall : kActThrownHigh);
      return true;
    case kActGuardRecover:
      slide(battleplayeractions::kSlowing);
      if (tick >= 20) SetAction(kActIdle);
      return true;
    case kActPushOff:
      if (tick >= 10) {
        m_knockBack *= 1.2f;
        SetAction(kActPushedOff);
      }
      return true;
    case kActPushedOff:
      slide(battleplayeractions::kSlowing);
      if (tick >= 10) SetAction(kActThrownDown);
      return true;
    case kActThrown:
    case kActThrownHigh:
    case kActThrownFall:
    case kActThrownDown:
      slide(battleplayeractions::kSlowingFast);
      if (tick >= 10) SetAction(code + 2);
      return true;
    default:
      return false;
  }
}
