// The walking model enemy's tick and its default actions.
#include "battle/enemy/BattleGroundEnemy3d.h"

#include "field/SelvarinFrame.h"
#include "session/EnemySlot.h"
#include "session/Session.h"

namespace {
namespace battlegroundenemy3d {

constexpr int kScreenFlash = 4;  // the game frame's message
constexpr int32_t kDeathSkill = 184;
constexpr int32_t kDeathEffects[] = {1017, 213};
constexpr int32_t kDyingHitLock = 5;
constexpr int32_t kDeathsBeforeHurry = 3;
constexpr float kReachShare = 0.4f;
constexpr int32_t kGiveUpTicks = 600;
constexpr int32_t kGiveUpBlocked = 55;
constexpr float kGiveUpGauge = 50.0f;
constexpr int32_t kReturnTicks = 35;
constexpr float kReturnNear = 5.0f;
constexpr int32_t kReactionTicks = 35;

}  // namespace battlegroundenemy3d
}  // namespace

// As the sprite enemy's tick, but the tick that asks for the turn neither
// moves nor animates.
bool CBattleGroundEnemy3d::OnProcess() {
  if (m_actionCode == kActRemoved) return true;
  if (m_shakeTicks > 0) --m_shakeTicks;
  if (m_hitFlash > 0) --m_hitFlash;
  if (m_hitStopTicks >= 1) {
    --m_hitStopTicks;
    return true;
  }
  if (m_hitGuardTicks > 0) --m_hitGuardTicks;
  ProcessStatus();
  if (FillTimeGauge()) return true;
  ApplyGravity(m_gravityFactor);
  return FinishTick();
}

int CBattleGroundEnemy3d::UpdateAction(int code) {
  switch (code) {
    case kActIdle:
      FaceTarget();
      return 1;
    case kActApproach:
      StepApproach(ScaledSpeed(1.0f), battlegroundenemy3d::kReachShare, kActAttack);
      return 1;
    case kActAttack:
      if (CheckHitFrame() != 0) Resolve(EnemyResolve::kWeapon);
      if (AnimationEnded()) GoIdle();
      return 1;
    case kActWalkBack:
      UpdateReturn();
      return 1;
    case kActDamageLight:
    case kActDamage:
      SetSpeed(m_knockBack);
      if (AnimationEnded() || ReactionOverdue()) GoIdle();
      return 1;
    case kActDying:
      return UpdateDying();
    default:
      return CBattleEnemy3d::UpdateAction(code);
  }
}

// Close enough strikes; the give-up still comes on the same tick.
void CBattleGroundEnemy3d::StepApproach(float speed, float reachShare, int32_t next, float reachBonus) {
  const float reach = CSession::GetInstance().GetAttackReach(Slot(), false) + reachBonus;
  const float distance = m_target != nullptr ? m_target->DistanceXZ(m_pos.x, m_pos.z) : 0.0f;
  FaceTarget();
  SetSpeed(speed);
  if (reach * reachShare > distance) SetAction(next);
  GiveUpIfStuck();
}

void CBattleGroundEnemy3d::GiveUpIfStuck() {
  if (m_bumpTicks > battlegroundenemy3d::kGiveUpBlocked || m_tickCount > battlegroundenemy3d::kGiveUpTicks) {
    m_timeGauge = battlegroundenemy3d::kGiveUpGauge;
    GoIdle();
  }
}

// A kind without a reaction row of its own reels on the model action it
// played, which may loop for ever: it reels as long as a sprite enemy does.
bool CBattleGroundEnemy3d::ReactionOverdue() const {
  return (m_playMode == kPlayLoop || m_playMode == kPlayPingPong) && m_tickCount > battlegroundenemy3d::kReactionTicks;
}

void CBattleGroundEnemy3d::UpdateReturn() {
  FaceToward(m_returnPoint.x, m_returnPoint.z);
  SetSpeed(ScaledSpeed(m_speed));
  if (m_tickCount > battlegroundenemy3d::kReturnTicks || DistanceXZ(m_returnPoint.x, m_returnPoint.z) < battlegroundenemy3d::kReturnNear) GoIdle();
}

// The rewards come once: the hurried end after the third death is only
// taken while the enemy is still dying.
int CBattleGroundEnemy3d::UpdateDying() {
  m_hitGuardTicks = battlegroundenemy3d::kDyingHitLock;
  if (m_gaugeRunning == 0) {
    m_tickCount = 0;
    return 1;
  }
  if (m_tickCount == 1) {
    m_chosenIndex = battlegroundenemy3d::kDeathSkill;
    m_target = m_slot != nullptr ? dynamic_cast<CBattleActor*>(m_slot->actor) : nullptr;
    CSession::GetInstance().ResolveSkill(Slot(), false);
    for (int32_t effect : battlegroundenemy3d::kDeathEffects) SpawnEffect(effect);
  }
  FadeOut(m_fadeStep);
  if (AnimationEnded()) {
    if (CSelvarinFrame* frame = GetGameFrame()) frame->OnMessage(this, battlegroundenemy3d::kScreenFlash, 5, 1, 2);
    SetAction(kActDefeated);
  }
  if (m_deathCount > battlegroundenemy3d::kDeathsBeforeHurry && m_actionCode == kActDying) SetAction(kActDefeated);
  return 1;
}
