#include "field/3dFieldModel.h"

#include <cmath>
#include <cstdlib>

#include "field/FieldEnemy.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/Truncation.h"
#include "platform/Random.h"
#include "render/3dGround.h"

SLV_REGISTER_ACTOR(C3dFieldModel, "3dmodel");
SLV_REGISTER_ACTOR(C3dFieldEnemy, "3denemy");

namespace {
namespace fieldmodel3d {

constexpr int kStartMessage = 11;
constexpr float kShadowLift = 0.05f;
constexpr int32_t kWanderTicks = 100;
constexpr int32_t kNoticeTicks = 20;
constexpr int32_t kLeash = 120;    // city-block units from home
constexpr float kHomeNear = 30.0f;
constexpr float kReturnSpeed = 1.2f;

// |a - b| + |c - d|.
float CityBlock(float a, float b, float c, float d) { return std::fabs(a - b) + std::fabs(c - d); }

}  // namespace fieldmodel3d
}  // namespace

C3dFieldModel::C3dFieldModel() { m_drawShadow = 0; }

bool C3dFieldModel::OnProcess() {
  m_model.Process();
  const CSelvarinContext* context = GetFieldContext();
  if (context != nullptr && context->m_pGround != nullptr) {
    m_shadowGround = context->m_pGround->GetHeight(m_pos.x, m_pos.z);
  }
  return true;
}

void C3dFieldModel::OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) {
  if (code == fieldmodel3d::kStartMessage) {
    m_model.Start();
    CSelvarinActor::OnMessage(sender, code, a, b, c);
    return;
  }
  if (m_model.OnMessage(code, a, b, c)) return;
  CSelvarinActor::OnMessage(sender, code, a, b, c);
}

void C3dFieldModel::Render(CRC& rc, const Matrix& view) {
  if (m_visible == 0) return;
  m_model.Render(rc, view);
  if (m_drawShadow != 0) QueueShadow(rc, view, m_shadowGround - fieldmodel3d::kShadowLift);
}

void C3dFieldEnemy::UpdateFrame() {
  ++m_tickCount;
  int32_t& frame = m_model.m_frame;
  if (m_tickCount % m_model.m_frameDelay == 0) ++frame;
  int32_t first = 0, last = m_model.FrameCount() - 1;
  if (m_state == kWander) {
    first = m_idleStart;
    last = m_idleEnd;
  } else if (m_state == kChase || m_state == kReturn) {
    first = m_walkStart;
    last = m_walkEnd;
  }
  if (frame > last) frame = first;
}

int C3dFieldEnemy::UpdateAction(int state) {
  const CSelvarinContext* context = GetFieldContext();
  const CSelvarinActor* player = context != nullptr ? context->GetPlayer() : nullptr;
  const float distance = context != nullptr ? context->DistanceToPlayer(*this) : INFINITY;
  switch (state) {
    case kWander:
      if (m_tickCount > fieldmodel3d::kWanderTicks) {
        m_state = kChase;
        m_tickCount = 0;
        m_angle = static_cast<float>(platform::Rand() % 360);
      }
      if (m_tickCount > fieldmodel3d::kNoticeTicks && distance < kNotice && m_speed > 0.0f && player != nullptr) {
        m_state = kChase;
        m_tickCount = 0;
        FaceToward(player->m_pos.x, player->m_pos.z);
      }
      break;
    case kChase:
      if (m_speed > 0.0f) {
        if (player != nullptr) FaceToward(player->m_pos.x, player->m_pos.z);
        SetSpeed(m_speed);
      }
      if (TruncateClamped(fieldmodel3d::CityBlock(m_pos.x, m_targetX, m_pos.z, m_targetZ)) > fieldmodel3d::kLeash) {
        FaceToward(m_targetX, m_targetZ);
        m_state = kReturn;
        m_tickCount = 0;
      }
      break;
    case kReturn:
      SetSpeed(fieldmodel3d::kReturnSpeed * m_speed);
      if (fieldmodel3d::CityBlock(m_pos.z, m_targetZ, m_pos.x, m_targetX) < fieldmodel3d::kHomeNear) {
        m_state = kWander;
        m_tickCount = 0;
      }
      break;
    case CModelBehaviour::kMoving:
      m_state = kWander;
      m_tickCount = 0;
      break;
    default:
      break;
  }
  return 1;
}

bool C3dFieldEnemy::OnProcess() {
  if (m_triggered != 0) return true;
  ApplyFalling(1.0f);
  UpdateFrame();
  Move();
  UpdateAction(m_state);
  if (!FieldEnemyMayTrigger(*this)) return true;
  GetGameFrame()->OnMessage(this, 0, 0, m_battleLine, m_eventLine);
  m_triggered = 1;
  m_visible = 0;
  return true;
}
