#include <algorithm>
#include <cmath>

#include "engine/Math.h"
#include "field/Player.h"
#include "field/SelvarinContext.h"
#include "render/3dAttr.h"
#include "script/ScriptPosition.h"

SLV_REGISTER_ACTOR(CPartyPlayer, "partyplayer");

namespace {

constexpr int kPlace = 3;
constexpr float kFollowDistance = 0.8f;
constexpr int32_t kTrailBase = 18;  // minus two per party member

// Truncated toward zero; what does not fit stays where it is.
int32_t WholeCoordinate(float v) {
  if (!std::isfinite(v)) return 0;
  return static_cast<int32_t>(std::clamp(v, -1.0e9f, 1.0e9f));
}

// The ground under a point, never above the point itself.
float GroundNotAbove(float x, float y, float z) {
  const CSelvarinContext* context = GetFieldContext();
  const float ground = context != nullptr && context->m_pAttr != nullptr ? context->m_pAttr->GetHeight(x, z) : y;
  return std::max(ground, y);
}

// The step towards a goal that far away.
float StepFor(float distance) {
  if (distance >= 1.2f) return 1.2f;
  if (distance >= 1.0f) return 1.0f;
  if (distance >= 0.5f) return 0.5f;
  return 0.0f;
}

}  // namespace

CPartyPlayer::~CPartyPlayer() {
  if (m_leader != nullptr && m_leader->m_follower == this) m_leader->m_follower = nullptr;
}

bool CPartyPlayer::OnProcess() {
  if (g_actionMode != 0) {
    m_visible = 0;
    if (m_leader != nullptr) {
      m_pos = m_leader->m_pos;
      m_leader->m_trail.clear();
    }
    return true;
  }
  if (m_leader != nullptr && !m_leader->m_trail.empty()) {
    const PlayerTrailRecord record = m_leader->m_trail.back();
    const auto spacing = static_cast<size_t>(std::max(kTrailBase - 2 * PartySize(), 0));
    if (m_leader->m_trail.size() > spacing || record.falling != 0) {
      FollowRecord(record);
      m_leader->m_trail.pop_back();
      if (m_follower != nullptr && (m_inAir != 0 || m_state != kStand)) PushTrail();
    } else {
      m_inAir = 0;
      m_state = kStand;
      m_tickCount = 0;
    }
  } else {
    StandOnGround();
  }
  TickBlink();
  Regenerate();
  UpdateFrame();
  m_velocity = Vec3{};
  return true;
}

void CPartyPlayer::FollowRecord(const PlayerTrailRecord& record) {
  const float h = record.angle * kDegToRad;
  const float goalX = record.x - std::sin(h) * kFollowDistance;
  const float goalZ = record.z + std::cos(h) * kFollowDistance;
  const float dx = goalX - m_pos.x, dz = goalZ - m_pos.z;
  const float distance = std::sqrt(dx * dx + dz * dz);
  const float step = StepFor(distance);
  if (step > 0.0f) {
    m_pos.x += dx / distance * step;
    m_pos.z += dz / distance * step;
  }
  m_pos.y = record.y;
  m_angleX = record.angleX;
  m_angle = record.angle;
  m_angleZ = record.angleZ;
  m_velocity = Vec3{record.vx, record.vy, record.vz};
  m_state = record.state;
  m_tickCount = record.tick;
  m_targetHeading = record.targetHeading;
  m_facing = record.facing;
  m_inAir = record.falling;
  m_groundHeight = GroundNotAbove(m_pos.x, m_pos.y, m_pos.z);
  if (m_inAir == 0) m_pos.y = m_groundHeight;
}

void CPartyPlayer::StandOnGround() {
  m_groundHeight = GroundNotAbove(m_pos.x, m_pos.y, m_pos.z);
  m_inAir = 0;
  m_pos.y = m_groundHeight;
  m_state = kStand;
  m_tickCount = 0;
}

void CPartyPlayer::UpdateFrame() { ChooseFrame(false); }

void CPartyPlayer::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  if (code != kPlace) {
    CPlayer::OnMessage(sender, code, value0, value1, value2);
    return;
  }
  if (m_leader != nullptr) m_angle = m_leader->m_angle;
  const float h = m_angle * kDegToRad;
  const int32_t x = WholeCoordinate(static_cast<float>(value0) - std::sin(h) * kFollowDistance);
  const int32_t z = WholeCoordinate(static_cast<float>(value1) + std::cos(h) * kFollowDistance);
  Place(x, z, static_cast<int32_t>(value2));
  if (m_follower != nullptr) m_follower->OnMessage(this, kPlace, x, z, value2);
}
