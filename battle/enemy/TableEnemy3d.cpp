// The model kinds' one pattern, run from each kind's table.
#include "battle/enemy/TableEnemy3d.h"

#include <string_view>

#include "engine/Wave.h"
#include "platform/Random.h"
#include "session/MagicMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"

namespace {

constexpr float kSpecialApproachSpeed = 1.25f;
constexpr float kLungeSpeed = 4.5f;
constexpr float kLungeStrikeDistance = 20.0f;
constexpr float kLungeTickMargin = 5.0f;
constexpr int32_t kReturnJitter = 20;
constexpr int32_t kAttackLockSpan = 15, kAttackLockLeast = 5;
constexpr int32_t kStrongHit = 2;

}  // namespace

// The pick draws first, then the return point (z before x), then the hit
// lock: a fixed sequence of draws replays.
void CBattleGroundEnemy3d::EnterModelRow(const ModelKindDef& def, int32_t code) {
  m_holdLast = 0;
  m_staggered = 0;
  m_drawShadow = 0;
  const ModelRow* row = def.FindRow(code);
  if (row != nullptr) {
    const ModelPick& pick = row->picks[row->pickCount > 1 ? platform::Rand() % row->pickCount : 0];
    if (code == kActDamageLight || code == kActDamage) {
      AbsorbHit(def.absorbGain, def.absorbDivisor);
      m_resumeAction = kActIdle;
      m_resumeTick = m_tickCount;
      m_staggered = 1;
    }
    SetModelAction(pick.action, pick.delay, pick.mode);
    if (code == kActApproach && row->back == ModelReturn::kOwn) {
      m_returnPoint = m_pos;
    } else if (code == kActApproach && row->back == ModelReturn::kJitter) {
      const int32_t dz = platform::Rand() % kReturnJitter - kReturnJitter / 2;
      const int32_t dx = platform::Rand() % kReturnJitter - kReturnJitter / 2;
      m_returnPoint = Vec3{m_pos.x + static_cast<float>(dx), 0.0f, m_pos.z + static_cast<float>(dz)};
    }
    if (code == kActAttack) m_hitGuardTicks = platform::Rand() % kAttackLockSpan + kAttackLockLeast;
    if (row->strikePending) m_specialFlag = true;
    if (row->takeOff != 0.0f) {
      m_inAir = 1;
      m_velocity.y = row->takeOff;
    }
    for (int32_t i = 1; i < row->entries; ++i) CBattleEnemy3d::SetAction(code);
  }
  CBattleEnemy3d::SetAction(code);
}

// Orders a kind cannot carry out, and names it does not know, go idle
// rather than leave it standing in the order.
int CBattleGroundEnemy3d::UpdateFromModelDef(const ModelKindDef& def, int code) {
  m_hitKind = 0;
  if (code == kActIdle && def.watch) {
    WatchTarget();
    return 1;
  }
  if (code == kActSpecialSkill) {
    if (def.castMagic >= 0) {
      CastAtTarget(def.castMagic, def.specialLock);
      return 1;
    }
    if (def.plainAtLeast >= 0 && platform::Rand() % 10 >= def.plainAtLeast) {
      SetAction(kActApproach);
      return 1;
    }
    if (def.specials.empty()) {
      if (def.ordersWithoutHandlerStay) return CBattleGroundEnemy3d::UpdateAction(code);
      GoIdle();
      return 1;
    }
    BeginSpecial(def.specialLock);
    const SkillTypeInfo* skill = CSkillMgr::GetInstance().GetSkillTypeInfo(m_chosenIndex);
    Dispatch(def.specials, skill != nullptr ? &skill->name : nullptr);
    return 1;
  }
  if (code == kActCastMagic && def.magics.empty() && def.ordersWithoutHandlerStay) {
    return CBattleGroundEnemy3d::UpdateAction(code);
  }
  if (code == kActCastMagic) {
    if (def.magicLock > 0) m_hitGuardTicks = def.magicLock;
    const MagicTypeInfo* magic = CMagicMgr::GetInstance().GetMagicTypeInfo(m_chosenIndex);
    Dispatch(def.magics, magic != nullptr ? &magic->name : nullptr);
    return 1;
  }
  if (code == kActFadeIn && def.entranceEnds) {
    if (AnimationEnded()) GoIdle();
    return 1;
  }
  if (code == kActAttack && def.skillAfterMelee >= 0) {
    if (StepMeleeAttack()) {
      m_chosenIndex = def.skillAfterMelee;
      m_useSpecial = true;
      SetAction(kActSpecialHit);
    }
    return 1;
  }
  for (const ModelApproach& a : def.approaches) {
    if (a.code != code) continue;
    RunModelApproach(def, a);
    return 1;
  }
  for (const ModelStrike& s : def.strikes) {
    if (s.code != code) continue;
    RunModelStrike(s);
    return 1;
  }
  for (const ModelLunge& l : def.lunges) {
    if (l.code != code) continue;
    RunLunge(l);
    return 1;
  }
  return CBattleGroundEnemy3d::UpdateAction(code);
}

// The first name equal in full, byte for byte, decides.
void CBattleGroundEnemy3d::Dispatch(std::span<const ModelName> names, const std::string* chosen) {
  int32_t next = kActIdle;
  for (const ModelName& n : names) {
    if (chosen == nullptr || *chosen != std::string_view(n.name)) continue;
    next = n.code;
    break;
  }
  SetAction(next);
}

void CBattleGroundEnemy3d::RunModelApproach(const ModelKindDef& def, const ModelApproach& approach) {
  const ModelFootsteps& steps = def.footsteps;
  if (steps.right != nullptr && m_modelFrame == steps.rightFrame) PlayWave(steps.right);
  if (steps.left != nullptr && m_modelFrame == steps.leftFrame) PlayWave(steps.left);
  StepApproach(ScaledSpeed(kSpecialApproachSpeed), approach.reachFactor, approach.next, approach.reachBonus);
}

// The leap's strike waits for the landing; until then it flies on.
void CBattleGroundEnemy3d::RunModelStrike(const ModelStrike& strike) {
  const bool hard = (strike.hardAbove >= 0 && m_modelFrame > strike.hardAbove) ||
                    (strike.hardOn >= 0 && m_modelFrame == strike.hardOn);
  m_hitKind = hard ? kStrongHit : strike.hitKind;
  if (strike.leap != 0.0f) {
    SetSpeed(ScaledSpeed(strike.leap));
    if (m_inAir != 0) return;
  }
  if (strike.charge == 0.0f && strike.next == kActIdle) {
    StepMagicAttack();
    return;
  }
  if (m_target == nullptr) {
    GoIdle();
    return;
  }
  if (strike.charge != 0.0f) {
    SetSpeed(ScaledSpeed(strike.charge));
  } else {
    FaceTarget();
  }
  if (CheckHitFrame() != 0) Resolve(EnemyResolve::kSpecial);
  if (AnimationEnded()) SetAction(strike.next);
}

// At most one blow: the pending flag is spent by it. Without a target the
// blow lands on no one.
void CBattleGroundEnemy3d::RunLunge(const ModelLunge& lunge) {
  const float speed = m_modelFrame < lunge.startFrame ? 0.0f : ScaledSpeed(kLungeSpeed);
  const float distance = m_target != nullptr ? m_target->DistanceXZ(m_pos.x, m_pos.z) : 0.0f;
  FaceTarget();
  if (m_modelFrame == lunge.endFrame) m_holdLast = 1;
  if (distance > lunge.keepMoving) SetSpeed(speed);
  if (distance < kLungeStrikeDistance && static_cast<float>(m_tickCount) >= distance + kLungeTickMargin &&
      m_specialFlag) {
    m_specialFlag = false;
    m_holdLast = 0;
    m_hitKind = kStrongHit;
    if (m_target != nullptr) Resolve(EnemyResolve::kSpecial);
  }
  if (AnimationEnded()) GoIdle();
  GiveUpIfStuck();
}

// The kind's own magic at the target's feet, cast as a magic whatever the
// order was.
void CBattleGroundEnemy3d::CastAtTarget(int32_t magic, int32_t hitLock) {
  BeginSpecial(hitLock);
  if (m_target == nullptr) {
    GoIdle();
    return;
  }
  FaceTarget();
  if (CheckHitFrame() != 0) {
    m_chosenIndex = magic;
    m_targetX = m_target->m_pos.x;
    m_targetZ = m_target->m_pos.z;
    m_useSpecial = false;
    Resolve(EnemyResolve::kSpecial);
  }
  if (AnimationEnded()) GoIdle();
}
