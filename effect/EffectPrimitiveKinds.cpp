// One tick of each primitive kind. Angles are degrees; the forward axis is a
// matrix's third column; y points down.
#include <algorithm>
#include <cmath>

#include "effect/EffectPrimitive.h"
#include "effect/SelvarinEffect.h"
#include "platform/Random.h"

namespace {
namespace effectprimitivekinds {

constexpr int32_t kStopFlag2 = 2;
constexpr int32_t kBurstTurnAge = 65;
constexpr float kBrake = -0.71428573f;

Vec3 Column(const Matrix& m, int c) { return {m.m[c], m.m[3 + c], m.m[6 + c]}; }
Vec3 Forward(const Matrix& m) { return Column(m, 2); }

// Frames left, at least 1: the rates divided by it stay finite.
float FramesLeft(int32_t lifetime, int32_t age) { return static_cast<float>(std::max(lifetime - age, 1)); }

}  // namespace effectprimitivekinds
}  // namespace

Matrix CEffectPrimitive::YawPitch(float yaw, float pitch) {
  Matrix m;
  m.MakeRotationY(yaw * kDegToRad);
  m.RotateX(pitch * kDegToRad);
  return m;
}

bool CEffectPrimitive::UpdateScreenSprite() {
  m_speed += m_accel;
  m_size += m_sizeSpeed;
  const float a = m_yaw * kDegToRad;
  m_offset.x += m_speed * std::cos(a);
  m_offset.y -= m_speed * std::sin(a);
  m_pos.x = m_offset.x + m_anchor.x;
  m_pos.y = m_offset.y + m_anchor.y;
  AdvanceFade();
  AdvanceAnimation();
  return true;
}

bool CEffectPrimitive::UpdateScreenBlade() {
  m_height += m_heightSpeed;
  m_width += m_widthSpeed;
  if (m_tickCount == m_eventFrames[0]) m_heightSpeed = -m_heightSpeed;
  const float a = m_yaw * kDegToRad;
  m_offset.x += std::sin(a) * m_speed;
  m_offset.y -= std::cos(a) * m_speed;
  m_pos.x = m_anchor.x + m_offset.x;
  m_pos.y = m_anchor.y + m_offset.y;
  return true;
}

bool CEffectPrimitive::UpdateScreenRay() {
  m_pos = m_effect->m_pos + m_baseOffset;
  m_yaw += m_yawSpeed;
  AdvanceFade();
  return true;
}

bool CEffectPrimitive::UpdateScreenRing() {
  m_pos = m_effect->m_pos + m_baseOffset;
  m_radius += m_radiusSpeed;
  m_size += m_sizeSpeed;
  if ((m_primitiveFlags & kMotionFlag) != 0) m_size = m_radius;
  AdvanceFade();
  return true;
}

bool CEffectPrimitive::UpdateSpriteFlight() {
  m_anchor = m_effect->m_ownerPos + m_baseOffset;
  if ((m_primitiveFlags & kMotionFlag) != 0 && m_tickCount > m_startFrame) {
    m_speed += m_accel;
    m_sizeSpeed += m_sizeAccel;
    m_velocity = effectprimitivekinds::Forward(m_matrix) * m_speed;
    m_offset = m_offset + m_velocity;
    m_angle += m_yawSpeed;
    m_size += m_sizeSpeed;
  }
  Wander(12, 8);
  m_pos = m_anchor + m_offset;
  if ((m_primitiveFlags & kStopFlag4) != 0 && BelowGround()) return false;
  FaceCamera();
  if ((m_primitiveFlags & kCameraQuadrantFlag) != 0) {
    // Just in front of the owner as it turns, and 5 higher.
    m_matrix.MakeRotationY(m_effect->m_ownerHeading * kDegToRad);
    m_baseOffset = effectprimitivekinds::Forward(m_matrix) * -5.0f;
    m_baseOffset.y -= 5.0f;
  }
  AdvanceFade();
  ShiftTrail();
  AdvanceAnimation();
  return true;
}

bool CEffectPrimitive::UpdateSpriteSpiral() {
  m_anchor = m_effect->m_ownerPos + m_baseOffset;
  const EffectId id = m_effect->GetEffectId();
  const int32_t age = m_tickCount;
  const int32_t turn = m_eventFrames[0];
  if (id == 243 || id == 244) {
    if (age == turn) {
      const float d = effectprimitivekinds::FramesLeft(m_lifetime, age);
      if (id == 243) {
        m_radiusSpeed = 0.4f;
        m_riseSpeed = -1.5f;
        m_yawSpeed *= 2.0f;
        m_yawAccel = -m_yawSpeed / d;
        m_radiusAccel = -0.4f / d;
        m_riseAccel = 6.0f / d;
      } else {
        m_yawSpeed = 0.0f;
        m_radiusSpeed = 0.6f;
        m_riseSpeed = -1.8f;
        m_radiusAccel = -0.6f / d;
        m_riseAccel = 7.2f / d;
      }
    }
    m_yawSpeed += m_yawAccel;
    m_radiusSpeed += m_radiusAccel;
    m_riseSpeed += m_riseAccel;
    m_radius += m_radiusSpeed;
    m_yaw += m_yawSpeed;
    if (age < turn) {
      m_baseOffset.y += m_riseSpeed;
    } else {
      m_wanderDrift.y += m_riseSpeed;
    }
    m_matrix.MakeRotationY(m_yaw * kDegToRad);
    m_pos = m_anchor + m_baseOffset + effectprimitivekinds::Forward(m_matrix) * m_radius + m_wanderDrift;
    if (age >= turn) Bounce();
  } else if ((m_primitiveFlags & kMotionFlag) != 0) {
    m_yawSpeed += m_yawAccel;
    m_radiusSpeed += m_radiusAccel;
    m_riseSpeed += m_riseAccel;
    m_radius = std::max(m_radius + m_radiusSpeed, m_minRadius);
    m_yaw += m_yawSpeed;
    m_baseOffset.y += m_riseSpeed;
    m_matrix.MakeRotationY(m_yaw * kDegToRad);
    m_pos = m_anchor + m_baseOffset + effectprimitivekinds::Forward(m_matrix) * m_radius;
  }
  m_size += m_sizeSpeed;
  AdvanceFade();
  ShiftTrail();
  AdvanceAnimation();
  return true;
}

bool CEffectPrimitive::UpdateSpriteBurst() {
  m_anchor = m_effect->m_ownerPos + m_baseOffset;
  if (m_pitch > 89.0f && m_pitch <= 90.0f) m_pitchSpeed = 0.0f;
  const int32_t age = m_tickCount;
  if (age < effectprimitivekinds::kBurstTurnAge) {
    m_yaw += m_yawSpeed;
    m_pitch += m_pitchSpeed;
    m_matrix = YawPitch(m_yaw, m_pitch);
    m_offset = effectprimitivekinds::Forward(m_matrix) * m_radius;
    m_offset.x *= 0.625f;
    m_offset.z *= 0.625f;
    m_pos = m_anchor + m_offset;
  } else if (age == effectprimitivekinds::kBurstTurnAge) {
    // The burst falls apart: each piece flies off and bounces.
    m_matrix.MakeRotationY(static_cast<float>(platform::Rand() % 360) * kDegToRad);
    m_baseOffset = m_offset;
    m_offset = Vec3{};
    const float d = effectprimitivekinds::FramesLeft(m_lifetime, age);
    m_speed = static_cast<float>(platform::Rand() % 40 + 10) * 0.01f;
    m_accel = m_speed / d * effectprimitivekinds::kBrake;
    m_kind = SpriteBounce;
    m_riseSpeed = -static_cast<float>(platform::Rand() % 30 + 30) * 0.01f;
    m_riseAccel = m_riseSpeed / d * -8.0f;
  }
  m_size += m_sizeSpeed;
  AdvanceFade();
  ShiftTrail();
  AdvanceAnimation();
  return true;
}

bool CEffectPrimitive::UpdateSpriteBounce() {
  m_anchor = m_effect->m_ownerPos + m_baseOffset;
  m_speed = std::max(m_speed + m_accel, 0.0f);
  m_riseSpeed += m_riseAccel;
  m_offset = m_offset + effectprimitivekinds::Forward(m_matrix) * m_speed;
  m_offset.y += m_riseSpeed;
  m_pos = m_anchor + m_offset;
  m_size += m_sizeSpeed;
  Bounce();
  AdvanceFade();
  ShiftTrail();
  AdvanceAnimation();
  return true;
}

// Yaw then pitch turned about the axis by the roll; the centre lies radius
// ahead of the anchor, lowered along the roll's second column by half the
// radius's vertical share.
Vec3 CEffectPrimitive::OrbitCentre(float pitch) {
  const Matrix r1 = YawPitch(m_yaw, pitch);
  const float h = m_radius * r1.m[5] * 0.5f;
  Matrix r2;
  r2.SetRotationAxis(m_axis, m_roll * kDegToRad);
  Matrix::Multiply(m_matrix, r2, r1);
  return m_anchor + effectprimitivekinds::Forward(m_matrix) * m_radius - effectprimitivekinds::Column(r2, 1) * h;
}

bool CEffectPrimitive::UpdateBeamQuad() {
  m_pitch += m_pitchSpeed;
  const Vec3 centre = OrbitCentre(m_pitch);
  m_p3 = centre - m_velocity;
  m_p4 = centre + m_velocity;
  const Matrix kept = m_matrix;
  m_pos = OrbitCentre(m_pitch + m_pitchSpeed);
  m_matrix = kept;
  m_p1 = m_pos - m_velocity;
  m_p2 = m_pos + m_velocity;
  AdvanceFade();
  ShiftTrail();
  return true;
}

bool CEffectPrimitive::UpdateRingWall() {
  m_yaw += m_yawSpeed;
  m_anchor.y += m_width;
  const float a = m_yaw * kDegToRad;
  const float b = (m_yaw + m_yawSpeed) * kDegToRad;
  m_p1 = m_anchor + Vec3{std::sin(a) * m_radius, 0.0f, -std::cos(a) * m_radius};
  m_p2 = m_anchor + Vec3{std::sin(b) * m_radius, m_width, -std::cos(b) * m_radius};
  m_p3 = m_p1 - Vec3{0.0f, m_size, 0.0f};
  m_p4 = m_p2 - Vec3{0.0f, m_size, 0.0f};
  AdvanceFade();
  ShiftTrail();
  return true;
}

bool CEffectPrimitive::UpdateSweepRing() {
  m_anchor = m_effect->m_ownerPos + m_baseOffset;
  m_speed += m_accel;
  m_radiusSpeed += m_radiusAccel;
  m_yaw += m_yawSpeed;
  m_radius += m_radiusSpeed;
  m_matrix = YawPitch(m_yaw, m_pitch);
  m_offset = m_offset + effectprimitivekinds::Forward(m_matrix) * m_speed;
  m_pos = m_anchor + m_offset;
  if ((m_primitiveFlags & kMotionFlag) != 0) {
    m_size = -m_radius;
    if (m_tickCount == m_eventFrames[0]) m_radiusSpeed = 0.0f;
  }
  AdvanceFade();
  ShiftTrail();
  return true;
}

bool CEffectPrimitive::UpdateSwirlRing() {
  m_anchor = m_effect->m_ownerPos + m_baseOffset;
  const int32_t age = m_tickCount;
  m_speed += m_accel;
  m_ringSpeed += m_ringAccel;
  m_widthSpeed += m_widthAccel;
  m_matrix = YawPitch(m_yaw, m_pitch);
  m_offset = m_offset - effectprimitivekinds::Column(m_matrix, 1) * m_speed;
  if ((m_primitiveFlags & 8) != 0) {
    Wander(4, 4);
    if (m_eventFrames[0] > 0 && age % m_eventFrames[0] == 0) m_ringSpeed = -m_ringSpeed;
  }
  m_pos = m_anchor + m_offset;
  m_yaw += m_yawSpeed;
  m_outerRingRadius += m_ringSpeed;
  m_innerRingRadius += m_ringSpeed;
  m_width += m_widthSpeed;
  if ((m_primitiveFlags & kMotionFlag) != 0 && age == m_eventFrames[0]) m_widthSpeed = 0.0f;
  if (age == m_eventFrames[1]) {
    const float left = static_cast<float>(std::max(m_lifetime - age + 1, 1));
    if ((m_primitiveFlags & effectprimitivekinds::kStopFlag2) != 0) m_ringSpeed = -m_outerRingRadius / left;
    if ((m_primitiveFlags & kStopFlag4) != 0) m_widthSpeed = -m_width / left;
  }
  AdvanceFade();
  AdvanceAnimation();
  return true;
}

bool CEffectPrimitive::UpdateDome() {
  m_anchor = m_effect->m_ownerPos + m_baseOffset;
  m_pos = m_anchor;
  m_radius += m_radiusSpeed;
  AdvanceFade();
  return true;
}

bool CEffectPrimitive::UpdateFlatQuad() {
  m_anchor = m_effect->m_ownerPos + m_baseOffset;
  m_heightSpeed += m_heightAccel;
  m_widthSpeed += m_widthAccel;
  m_speed += m_accel;
  m_offset = m_offset + effectprimitivekinds::Forward(m_matrix) * m_speed;
  m_pos = m_anchor + m_offset;
  m_height += m_heightSpeed;
  m_width += m_widthSpeed;
  if ((m_primitiveFlags & effectprimitivekinds::kStopFlag2) != 0 && m_tickCount == m_eventFrames[0]) m_speed = 0.0f;
  if ((m_primitiveFlags & kStopFlag4) != 0 && BelowGround()) return false;
  AdvanceFade();
  AdvanceAnimation();
  return true;
}

bool CEffectPrimitive::UpdateTumbleQuad() {
  m_heightSpeed += m_heightAccel;
  m_widthSpeed += m_widthAccel;
  m_pitch += m_pitchSpeed;
  m_roll += m_rollSpeed;
  m_height += m_heightSpeed;
  m_width += m_widthSpeed;
  m_pos = OrbitCentre(m_pitch);
  m_planeMatrix = m_matrix;
  AdvanceFade();
  AdvanceAnimation();
  return true;
}

bool CEffectPrimitive::UpdateSpriteOrbit() {
  m_pitch += m_pitchSpeed;
  m_pos = OrbitCentre(m_pitch);
  ShiftTrail();
  AdvanceAnimation();
  return true;
}
