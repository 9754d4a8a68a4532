// The enemy's action machine: what entering an action sets, one tick of
// each action, the rewards and the release of its slot, and the pieces of
// the per-tick driver that the ground and flying bases share.
#include "battle/enemy/BattleEnemy.h"

#include <algorithm>

#include "field/SelvarinFrame.h"
#include "platform/Random.h"
#include "rules/Condition.h"
#include "session/Session.h"

namespace {
namespace battleenemy {

constexpr int kTurnRequest = 9;  // the game frame's message
constexpr float kGaugeFull = 100.0f;
constexpr float kGaugeStep = 0.35f;
constexpr int32_t kGaugeStart = 50;
constexpr uint32_t kFadedIn = 0xFFFFFFFF;
constexpr uint32_t kInvisibleWhite = 0x00FFFFFF;
constexpr int32_t kFlashForever = -1;  // the counter's largest unsigned value
constexpr uint32_t kDyingRed = 0xFFFF0000;
constexpr uint32_t kVanishYellow = 0xFFFFFF00;
constexpr int32_t kDeathCloud = 205;
constexpr int32_t kRecoilEffect = 1022;
constexpr int kTargetPhaseFirst = 2, kTargetPhaseLast = 3;

bool Passed(int32_t tick, int32_t limit) { return tick > limit; }

// Half-open: -99..-50 or 50..99.
float WanderOffset() {
  const int r = platform::Rand() % 100 - 50;
  return static_cast<float>(r < 0 ? r - 49 : r + 50);
}

}  // namespace battleenemy
}  // namespace

// ---- Entering an action ----

void CBattleEnemy::SetAction(int32_t code) {
  m_gravityFactor = 1.0f;
  m_velocity.y = 0.0f;
  m_inAir = 0;
  m_shakeTicks = 0;
  m_staggered = 0;
  SetAfterimage(0, kTrailLength, static_cast<int32_t>(kTrailColour));
  switch (code) {
    case kActIdle:
    case kActDefend:
    case kActDazed:
      SetAnimation(0, 8, kPlayLoop);
      break;
    case kActApproach:
    case kActWalkBack:
      SetAnimation(8, 6, kPlayLoop);
      if (code == kActWalkBack) {
        m_returnPoint = m_pos;
        if (m_target != nullptr) {
          const Vec3& t = m_target->m_pos;
          m_returnPoint = Vec3{m_pos.x + 2.0f * (m_pos.x - t.x), m_pos.y + 2.0f * (m_pos.y - t.y),
                               m_pos.z + 2.0f * (m_pos.z - t.z)};
        }
      }
      break;
    case kActAttack:
      SetAnimation(8, 8, kPlayOnce);
      break;
    case kActDamageLight:
    case kActDamageHeavy:
      SetAnimation(4, 6, kPlayOnce);
      EnterStaggered();
      break;
    case kActDying:
      EnterDying();
      break;
    case kActWalkToPoint:
    case kActWander:
    case kActWalkToActor:
      SetAnimation(8, 8, kPlayLoop);
      break;
    case kActGuard:
      SetAnimation(0, 8, kPlayOnce);
      m_holdLast = 1;
      break;
    case kActRemoved:
      ReleaseSlot();
      break;
    case kActFadeIn:
      SetAnimation(0, 8, kPlayLoop);
      m_tint = battleenemy::kInvisibleWhite;
      m_drawShadow = 0;
      m_timeGauge = static_cast<float>(platform::Rand() % battleenemy::kGaugeStart);
      break;
    case kActFrozen:
      m_holdLast = 1;
      m_playMode = kPlayOnce;
      m_tint = 0xEE0033FF;
      m_shakeTicks = 1200;
      break;
    case kActStunned:
      SetAnimation(0, 6, kPlayLoop);
      m_shakeTicks = 1200;
      break;
    case kActKnockedDown:
      SetAnimation(4, 6, kPlayOnce);
      m_shakeTicks = 1200;
      break;
    case kActHeld:
    case kActPetrified:
      m_holdLast = 1;
      m_playMode = kPlayOnce;
      if (code == kActPetrified) m_tint = 0xEE665051;
      break;
    case kActDefeated:
      CreditRewards();
      m_visible = 0;
      break;
    default:
      break;
  }
  CBattleActor::SetAction(code);
}

void CBattleEnemy::EnterStaggered() {
  m_staggered = 1;
  if (m_actionCode == kActAttack) m_actionCode = kActIdle;
  m_resumeAction = m_actionCode;
  m_resumeTick = m_tickCount;
  if (m_slot != nullptr) CSession::GetInstance().SetEnemyCondition(*m_slot, kPanic, false);
}

void CBattleEnemy::EnterDying() {
  m_scaleX = m_scaleY = 1.0f;
  if (m_deathCount == 0 && m_slot != nullptr) CSession::GetInstance().RaiseDeathHook(m_slot->name);
  ++m_deathCount;
}

// Once only: a released enemy has no slot to give back.
void CBattleEnemy::ReleaseSlot() {
  if (m_slot == nullptr) return;
  CSession& session = CSession::GetInstance();
  session.enemyCount = std::max(session.enemyCount - 1, 0);
  m_slot->actor = nullptr;
  m_slot = nullptr;
  session.UpdateLevelRange();
}

void CBattleEnemy::CreditRewards() {
  CSelvarinFrame* frame = GetGameFrame();
  if (m_slot == nullptr || frame == nullptr) return;
  BattleResult& result = frame->m_battleResult;
  result.totalExp += m_slot->exp;
  result.money += m_slot->money;
  result.battleLevel = m_slot->level;
}

// ---- One tick of an action ----

float CBattleEnemy::ScaledSpeed(float s) const { return CSession::GetInstance().ScaleByBonus(s, Slot(), false); }

void CBattleEnemy::FaceTarget() {
  if (m_target != nullptr) FaceToward(m_target->m_pos.x, m_target->m_pos.z);
}

void CBattleEnemy::FaceNearestPartyMember() {
  m_target = CSession::GetInstance().FindNearestPartyMember(Slot(), false);
  FaceTarget();
}

int CBattleEnemy::UpdateAction(int code) {
  CSession& session = CSession::GetInstance();
  switch (code) {
    case kActIdle:
      FaceTarget();
      break;
    case kActApproach:
      UpdateApproach(kActAttack);
      break;
    case kActAttack:
      if (m_target == nullptr) {
        GoIdle();
        break;
      }
      if (CheckHitFrame() != 0) session.ResolveWeaponAttack(Slot(), m_battleId[1] == 1, 1.0f);
      if (m_holdLast != 0) SetAction(kActWalkBack);
      break;
    case kActWalkBack:
      FaceToward(m_returnPoint.x, m_returnPoint.z);
      SetSpeed(ScaledSpeed(0.8f));
      if (battleenemy::Passed(m_tickCount, 35) || DistanceXZ(m_returnPoint.x, m_returnPoint.z) < 5.0f) {
        GoIdle();
        FaceTarget();
      }
      break;
    case kActDamageLight:
    case kActDamageHeavy:
      UpdateStaggered(code);
      break;
    case kActDying:
      return UpdateDying();
    case kActWalkToPoint:
      UpdateWalkTo(m_targetX, m_targetZ);
      break;
    case kActDefend:
      FaceNearestPartyMember();
      if (m_timeGauge == battleenemy::kGaugeFull) GoIdle();
      break;
    case kActGuard:
      if (battleenemy::Passed(m_tickCount, 23)) GoIdle();
      break;
    case kActWander:
      UpdateWander();
      break;
    case kActFadeIn:
      FaceNearestPartyMember();
      AddTint(4, 0, 0, 0);
      if (battleenemy::Passed(m_tickCount, 64)) {
        m_tint = battleenemy::kFadedIn;
        m_drawShadow = 1;
        GoIdle();
      }
      break;
    case kActWalkToActor:
      if (m_walkToActor == nullptr) {
        GoIdle();
        break;
      }
      UpdateWalkTo(m_walkToActor->m_pos.x, m_walkToActor->m_pos.z);
      break;
    case kActDazed:
      if (m_tickCount == 1) {
        const float y = m_pos.y;
        m_pos.y -= static_cast<float>(m_shotHeight - 15);
        SpawnEffect(battleenemy::kRecoilEffect);
        m_pos.y = y;
      }
      if (battleenemy::Passed(m_tickCount, 300)) GoIdle();
      break;
    case kActFrozen:
    case kActPetrified:
      if (battleenemy::Passed(m_tickCount, 1200)) GoIdle();
      break;
    case kActStunned:
      m_timeGauge = 1.0f;
      if (battleenemy::Passed(m_tickCount, 500)) GoIdle();
      break;
    case kActKnockedDown:
      m_timeGauge = 1.0f;
      if (battleenemy::Passed(m_tickCount, 60)) SetAction(kActStunned);
      break;
    case kActLeave:
      return UpdateLeaving();
    case kActHeld:
      m_shakeTicks = 2;
      if (battleenemy::Passed(m_tickCount, 300)) {
        GoIdle();
        m_shakeTicks = 0;
      }
      break;
    case kActVanish:
      if (battleenemy::Passed(m_tickCount, 120)) SetAction(kActDefeated);
      if (m_tickCount < 2) {
        m_hitFlash = battleenemy::kFlashForever;
        m_tint = battleenemy::kVanishYellow;
      } else {
        m_scaleY *= 1.019f;
        AddTint(-6, 0, 0, 0);
      }
      break;
    case kActDefeated:
      if (m_gaugeRunning == 1 && battleenemy::Passed(m_tickCount, 23)) {
        SetAction(kActRemoved);
        return 0;
      }
      break;
    case kActAttackStart:
      SetAction(kActApproach);
      break;
    default:
      break;
  }
  return 1;
}

void CBattleEnemy::UpdateApproach(int32_t next) {
  const float speed = ScaledSpeed(0.7f);
  const float reach = CSession::GetInstance().GetAttackReach(Slot(), false);
  const float distance = m_target != nullptr ? DistanceXZ(m_target->m_pos.x, m_target->m_pos.z) : 0.0f;
  FaceTarget();
  SetSpeed(speed);
  if (reach - 0.2f * reach > distance) SetAction(next);
  if (m_bumpTicks > 55 || battleenemy::Passed(m_tickCount, 600)) {
    m_timeGauge = 50.0f;
    GoIdle();
  }
}

void CBattleEnemy::UpdateStaggered(int code) {
  m_knockBack *= 0.952381f;
  SetSpeed(m_knockBack);
  if (!battleenemy::Passed(m_tickCount, 35)) return;
  if (IsInterruptibleState()) {
    GoIdle();
  } else {
    const int32_t tick = m_resumeTick;
    SetAction(m_resumeAction);
    m_tickCount = tick;
  }
  if (code == kActDamageHeavy) SetAction(kActDazed);
}

// The credit comes once: the fourth death only hurries a death not yet
// credited.
int CBattleEnemy::UpdateDying() {
  if (m_gaugeRunning == 0) {
    m_tickCount = 0;
    return 1;
  }
  if (m_tickCount == 6) {
    m_hitFlash = battleenemy::kFlashForever;
    m_tint = battleenemy::kDyingRed;
  }
  if (m_tickCount >= 7 && m_tickCount <= 54) {
    m_scaleX *= 1.02f;
    m_scaleY *= 1.02f;
    AddTint(-6, 0, 0, 0);
    if (m_tickCount == 35) SpawnEffect(battleenemy::kDeathCloud);
  }
  if (m_tickCount >= 55) SetAction(kActDefeated);
  if (m_deathCount > 3 && m_actionCode == kActDying) SetAction(kActDefeated);
  return 1;
}

int CBattleEnemy::UpdateLeaving() {
  AddTint(-6, 0, 0, 0);
  if (!battleenemy::Passed(m_tickCount, 120)) return 1;
  m_actionCode = kActRemoved;
  m_visible = 0;
  ReleaseSlot();
  return 0;
}

void CBattleEnemy::UpdateWalkTo(float x, float z) {
  FaceToward(x, z);
  SetSpeed(ScaledSpeed(0.7f));
  if (DistanceXZ(x, z) < 2.0f || m_bumpTicks > 55 || battleenemy::Passed(m_tickCount, 600)) GoIdle();
}

void CBattleEnemy::UpdateWander() {
  if (m_tickCount % 3 == 0) {
    m_wanderX = battleenemy::WanderOffset();
    m_wanderZ = battleenemy::WanderOffset();
  }
  FaceToward(m_pos.x + m_wanderX, m_pos.z + m_wanderZ);
  SetSpeed(ScaledSpeed(0.5f));
  if (battleenemy::Passed(m_tickCount, 150)) {
    m_timeGauge = 0.0f;
    GoIdle();
  }
}

// ---- The per-tick driver's shared pieces ----

bool CBattleEnemy::CountDownTimers() {
  if (m_shakeTicks > 0) --m_shakeTicks;
  if (m_hitFlash != 0) m_hitFlash = static_cast<int32_t>(static_cast<uint32_t>(m_hitFlash) - 1u);
  if (m_hitStopTicks > 0) {
    --m_hitStopTicks;
    return false;
  }
  if (m_hitGuardTicks > 0) --m_hitGuardTicks;
  return true;
}

void CBattleEnemy::ProcessStatus() { CSession::GetInstance().ProcessException(Slot(), false); }

bool CBattleEnemy::FillTimeGauge() {
  if (m_gaugeRunning != 1 || m_actionCode != kActIdle) return false;
  const float step = ScaledSpeed(battleenemy::kGaugeStep);
  m_timeGauge += step;
  if (m_timeGauge + step >= battleenemy::kGaugeFull && m_timeGauge < battleenemy::kGaugeFull) {
    ++m_turnCount;
    if (m_slot != nullptr) CSession::GetInstance().RaiseTurnHook(m_slot->name, m_turnCount);
  }
  m_timeGauge = std::min(m_timeGauge, battleenemy::kGaugeFull);
  if (m_timeGauge != battleenemy::kGaugeFull || m_actionCode != kActIdle) return false;
  if (CSelvarinFrame* frame = GetGameFrame()) frame->OnMessage(this, battleenemy::kTurnRequest, Slot(), 0, 0);
  return true;
}

bool CBattleEnemy::FinishTick() {
  UpdateFrame();
  ApplyVelocity();
  return UpdateAction(m_actionCode) != 0;
}

// ---- Drawing and the HUD's questions ----

void CBattleEnemy::Render(CRC& rc, const Matrix& view) {
  if (m_visible == 0) return;
  RenderBody(rc, view);
  RenderShadow(rc, view, m_shadowScale);
  const CSelvarinFrame* frame = GetGameFrame();
  if (frame != nullptr && frame->m_battlePhase >= battleenemy::kTargetPhaseFirst && frame->m_battlePhase <= battleenemy::kTargetPhaseLast) {
    AddTargetPickRegion(rc, view);
  }
}

bool CBattleEnemy::IsHpBelowQuarter() const { return ::IsHpBelowQuarter(m_slot); }

bool CBattleEnemy::IsBpBelowQuarter() const { return ::IsBpBelowQuarter(m_slot); }

// An approach is chosen afresh rather than taken up again.
bool CBattleEnemy::IsInterruptibleState() const {
  return m_resumeAction == kActApproach || IsNotResumedAfterHit(m_resumeAction);
}
