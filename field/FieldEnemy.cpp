#include "field/FieldEnemy.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "platform/Random.h"

SLV_REGISTER_ACTOR(CFieldEnemy, "enemy");

namespace {
namespace fieldenemy {

enum Code : int {
  kArm = 1,
  kDisarm = 2,
};

constexpr int kBattleRequest = 0;  // the frame message that starts a battle
constexpr int32_t kChangeAfter = 100;
constexpr int32_t kTurnAfter = 20;
constexpr int32_t kTicksPerFrame = 4;

// A difference in whole units, as it is compared; far values stay far.
int64_t Whole(float v) {
  if (!std::isfinite(v)) return INT_MAX;
  return static_cast<int64_t>(std::clamp(v, -1.0e9f, 1.0e9f));
}

float DistanceToPlayer(const CSelvarinActor& actor) {
  const CSelvarinContext* context = GetFieldContext();
  return context != nullptr ? context->DistanceToPlayer(actor) : std::numeric_limits<float>::max();
}

}  // namespace fieldenemy
}  // namespace

bool CFieldEnemy::OnProcess() {
  if (m_triggered != 0) return true;
  ApplyFalling(1.0f);
  UpdateFrame();
  Move();
  UpdateAction(m_state);
  if (!MayTrigger()) return true;
  GetGameFrame()->OnMessage(this, fieldenemy::kBattleRequest, 0, m_battleLine, m_eventLine);
  m_triggered = 1;
  m_visible = 0;
  return true;
}

bool CFieldEnemy::MayTrigger() const { return FieldEnemyMayTrigger(*this); }

bool FieldEnemyMayTrigger(const CSelvarinActor& enemy) {
  const CSelvarinFrame* frame = GetGameFrame();
  const CSelvarinContext* context = GetFieldContext();
  const CSelvarinActor* player = context != nullptr ? context->GetPlayer() : nullptr;
  if (frame == nullptr || player == nullptr || frame->m_transKind != 0) return false;
  if (player->m_inAir != 0 || player->m_graceTicks != 0) return false;
  if (!(context->DistanceToPlayer(enemy) < CFieldEnemy::kReach)) return false;
  if (frame->m_messageState != 0 || frame->m_choiceCount > 0 || frame->m_scriptBusy != 0) return false;
  // A battle already asked for this tick keeps its set.
  return frame->m_pendingMode != kModeBattle;
}

void CFieldEnemy::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  switch (code) {
    case fieldenemy::kArm:
      m_visible = 1;
      m_triggered = 0;
      break;
    case fieldenemy::kDisarm:
      m_visible = 0;
      m_triggered = 1;
      break;
    default:
      CSelvarinActor::OnMessage(sender, code, value0, value1, value2);
      break;
  }
}

int64_t CFieldEnemy::DistanceFromHome() const {
  return std::llabs(fieldenemy::Whole(m_pos.x - m_targetX)) + std::llabs(fieldenemy::Whole(m_pos.z - m_targetZ));
}

// Each rule that turns the enemy starts its tick counter again, so at most
// one of them fires in a call.
int CFieldEnemy::UpdateAction(int mode) {
  const bool near = fieldenemy::DistanceToPlayer(*this) < kNear;
  const CSelvarinContext* context = GetFieldContext();
  const CSelvarinActor* player = context != nullptr ? context->GetPlayer() : nullptr;
  const auto turn = [this](int32_t newMode) {
    m_state = newMode;
    m_tickCount = 0;
  };
  switch (mode) {
    case kStand:
      if (m_tickCount > fieldenemy::kChangeAfter) {
        turn(kWalk);
        m_angle = static_cast<float>(platform::Rand() % 360);
      } else if (m_tickCount > fieldenemy::kTurnAfter && near && player != nullptr) {
        turn(kWalk);
        FaceToward(player->m_pos.x, player->m_pos.z);
      }
      break;
    case kWalk:
      SetSpeed(m_speed);
      if (m_tickCount > fieldenemy::kChangeAfter) {
        turn(kStand);
      } else if (m_tickCount > fieldenemy::kTurnAfter && near && player != nullptr) {
        turn(kWalk);
        FaceToward(player->m_pos.x, player->m_pos.z);
      } else if (DistanceFromHome() > kLeash) {
        FaceToward(m_targetX, m_targetZ);
        turn(kReturnHome);
      }
      break;
    case kReturnHome:
      SetSpeed(m_speed * kHomeSpeed);
      if (DistanceFromHome() < kHomeReached) turn(kStand);
      break;
    default:
      break;
  }
  return 1;
}

void CFieldEnemy::UpdateFrame() {
  const CActRes* actions = CResMgr::GetInstance().GetResAs<CActRes>(m_actName);
  const int32_t count = actions != nullptr ? actions->GetActionCount() : 0;
  if (m_state >= kStand && m_state <= kReturnHome && count > 0) {
    const int32_t q = GetViewQuadrant(m_angle);
    const int32_t action = m_state == kStand ? q : q + 4;
    // Only the frame count comes from an action that exists.
    const int32_t frames = actions->GetMotionCount(std::clamp(action, 0, count - 1));
    // Without frames to show the enemy keeps what it shows.
    if (frames > 0) {
      m_action = action;
      m_actionBase = m_state == kStand ? 0 : 4;
      m_motion = std::max(m_tickCount, 0) / fieldenemy::kTicksPerFrame % frames;
    }
  }
  if (m_tickCount < INT32_MAX) ++m_tickCount;
  PlayActionSound(m_lastActionBase, m_lastFrame);
  m_lastActionBase = m_actionBase;
  m_lastFrame = m_motion;
}
