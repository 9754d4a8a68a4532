// The sprite character's motion: the step against the map and the model
// actors, the vertical axis, headings and the camera's side.
#include <algorithm>
#include <cmath>

#include "field/SelvarinActor.h"
#include "render/3dAttr.h"
#include "render/3dContext.h"

namespace {
namespace selvarinactormotion {

constexpr float kFieldLimit = 500.0f;
constexpr int32_t kSlowCell = 4;       // takes back part of every step
constexpr float kSlowWhileFalling = 0.5f;
constexpr float kSlowOnFoot = 0.75f;
constexpr float kFollowDrop = 3.0f;    // deeper drops start a fall
constexpr float kFallStart = 0.3f;     // times g: the first vertical speed of a fall
constexpr float kGravityShare = 0.25f; // times g: added each tick in the air
constexpr float kDegreesPerRadian = 57.29579f;
constexpr float kRadiansPerDegree = 0.017453289f;

// An angle difference within one turn of 0; whole turns change nothing
// that is asked of it, and what is not a number counts as 0.
float WithinATurn(float degrees) { return std::isfinite(degrees) ? std::fmod(degrees, 360.0f) : 0.0f; }

}  // namespace selvarinactormotion
}  // namespace

void CSelvarinActor::Move() {
  const C3dContext* context = CurrentContext();
  if (context == nullptr) return;
  if (!StepAgainst(*context)) m_blocked = 1;
  if (context->m_pAttr != nullptr && context->m_pAttr->GetCellType(m_pos.x, m_pos.z) == selvarinactormotion::kSlowCell) {
    const float k = m_inAir != 0 ? selvarinactormotion::kSlowWhileFalling : selvarinactormotion::kSlowOnFoot;
    m_pos.x -= m_velocity.x * k;
    m_pos.z -= m_velocity.z * k;
  }
  m_pos.x = std::clamp(m_pos.x, -selvarinactormotion::kFieldLimit, selvarinactormotion::kFieldLimit);
  m_pos.z = std::clamp(m_pos.z, -selvarinactormotion::kFieldLimit, selvarinactormotion::kFieldLimit);
  if (m_state != kModeThrown) m_velocity.x = m_velocity.z = 0.0f;
}

void CSelvarinActor::ApplyFalling(float g) {
  const C3dContext* context = CurrentContext();
  if (context == nullptr) return;
  const float ground = context->GetStandHeight(m_pos);
  m_groundHeight = ground;
  if (m_state == kModeThrown || m_inAir != 0) {
    m_pos.y += m_velocity.y;
    m_velocity.y += g * selvarinactormotion::kGravityShare;
    // Still rising: no landing yet.
    if (m_velocity.y < 0.0f || !(m_pos.y > ground)) return;
    m_pos.y = ground;
    m_inAir = 0;
    if (m_state == kModeThrown) {
      m_state = kModeStand;
      m_tickCount = 0;
    }
    return;
  }
  if (m_pos.y + selvarinactormotion::kFollowDrop > ground) {
    m_pos.y = ground;
  } else {
    m_inAir = 1;
    m_velocity.y = g * selvarinactormotion::kFallStart;
  }
}

void CSelvarinActor::FaceToward(float x, float z) {
  float heading = std::atan2(x - m_pos.x, -(z - m_pos.z)) * selvarinactormotion::kDegreesPerRadian;
  if (heading < 0.0f) {
    heading += 360.0f;
  } else if (heading >= 360.0f) {
    heading -= 360.0f;
  }
  m_angle = heading;
}

void CSelvarinActor::SetSpeed(float s) {
  const float h = m_angle * selvarinactormotion::kRadiansPerDegree;
  m_velocity.x = std::sin(h) * s;
  m_velocity.z = -std::cos(h) * s;
}

void CSelvarinActor::VelocityToward(float x, float y, float z, float length) {
  const float distance = Distance3d(x, y, z);
  if (!(distance > 0.0f)) {
    m_velocity = Vec3{};
    return;
  }
  const float k = length / distance;
  m_velocity = Vec3{(x - m_pos.x) * k, (y - m_pos.y) * k, (z - m_pos.z) * k};
}

float CSelvarinActor::DistanceXZ(float x, float z) const {
  const float dx = x - m_pos.x, dz = z - m_pos.z;
  return std::sqrt(dz * dz + dx * dx);
}

float CSelvarinActor::Distance3d(float x, float y, float z) const {
  const float dxz = DistanceXZ(x, z);
  const float dy = y - m_pos.y;
  return std::sqrt(dxz * dxz + dy * dy);
}

int32_t CSelvarinActor::GetViewQuadrant(float h) const {
  auto d = static_cast<int32_t>(selvarinactormotion::WithinATurn(CameraYaw() - h));
  d = d < 0 ? 359 - (359 - d) % 360 : d % 360;
  return d / 90;
}

int32_t CSelvarinActor::GetViewOctant(float h) const {
  float c = selvarinactormotion::WithinATurn(CameraYaw() - h);
  if (c < 0.0f) c += 360.0f;
  if (c < 22.5f || c > 337.5f) return 0;
  // At exactly 337.5 the product rounds up to 8: that is the first octant.
  return static_cast<int32_t>((c + 22.5f) * 0.022222222f) % 8;
}
