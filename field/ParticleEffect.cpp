#include "field/ParticleEffect.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "field/SelvarinContext.h"
#include "platform/Random.h"
#include "render/3dAttr.h"
#include "render/Projection.h"
#include "render/TgaTextureMgr.h"

SLV_REGISTER_ACTOR(CParticleEffect, "particleeffect");

namespace {
namespace particleeffect {

constexpr uint32_t kWhite = 0x00FFFFFFu;
constexpr uint32_t kOpaque = 0xFF000000u;
constexpr float kHalfSize = 0.14285715f;
constexpr int32_t kCoreFrames = 14;
constexpr float kSpiralRadius = 7.5f;

float Sin(float degrees) { return std::sin(degrees * kDegToRad); }
float Cos(float degrees) { return std::cos(degrees * kDegToRad); }

// The alpha of the smoke-like types: in over 40 ticks, held, out from 51.
uint32_t PuffAlpha(int32_t tick) {
  if (tick < 40) return CParticleEffect::Alpha16(static_cast<float>(tick) * 0.025f);
  if (tick <= 50) return 0xFF;
  return CParticleEffect::Alpha16(static_cast<float>(100 - tick) * 0.02f);
}

}  // namespace particleeffect
}  // namespace

uint32_t CParticleEffect::Alpha16(float v) {
  const float sixteenths = std::trunc(16.0f * v);
  if (!std::isfinite(sixteenths) || std::fabs(sixteenths) > 1.0e6f) return 0;
  return static_cast<uint32_t>(16 * static_cast<int64_t>(sixteenths)) & 0xFFu;
}

void CParticleEffect::Spawn(CParticleEffect* particle) {
  CSelvarinContext* context = GetFieldContext();
  if (context == nullptr) {
    delete particle;
    return;
  }
  context->m_effects.push_front(particle);
  if (particle->m_owner != nullptr) particle->m_owner->OnMessage(nullptr, kBorn, 0, 0, 0);
}

void CParticleEffect::AddSnowFlake(const Vec3& at, float fallSpeed) {
  CSelvarinContext* context = GetFieldContext();
  if (context == nullptr) return;
  auto* flake = new CParticleEffect;
  flake->m_type = 5;
  flake->m_texture = "눈.tga";
  flake->m_width = flake->m_height = 4;
  flake->m_scale = 3.0f;
  flake->m_pos = flake->m_origin = at;
  flake->m_velocity.y = fallSpeed;
  context->m_effects.push_back(flake);
}

CParticleEffect* CParticleEffect::Child(int32_t type) const {
  auto* child = new CParticleEffect;
  child->m_type = type;
  child->m_texture = m_texture;
  child->m_pos = m_pos;
  child->m_origin = m_pos;
  child->m_width = m_width;
  child->m_height = m_height;
  child->m_owner = m_owner;
  child->m_rotation = platform::Rand() % 360;
  return child;
}

void CParticleEffect::ApplyTextureMode() {
  if (m_texMode == kSmoke) {
    m_texture = "연기.tga";
    m_colour = 0xAAFFFFFFu;
    m_rotation = m_tick % 360;
  } else if (m_texMode == kCore) {
    const int32_t n = (m_tick / 2) % particleeffect::kCoreFrames;
    char name[32];
    std::snprintf(name, sizeof name, n <= 9 ? "core000%d.tga" : "core00%d.tga", n);
    m_texture = name;
    m_colour = 0xAAFFFFFFu;
    m_scale = 3.4f;
  }
}

void CParticleEffect::FadeBy(uint32_t step) {
  const uint32_t alpha = m_colour >> 24;
  SetAlpha(alpha > step ? alpha - step : 0);
}

bool CParticleEffect::OnProcess() {
  ApplyTextureMode();
  if (!Step()) {
    if (m_owner != nullptr) m_owner->OnMessage(nullptr, kGone, 0, 0, 0);
    return false;
  }
  if (m_tick < INT32_MAX) ++m_tick;
  return true;
}

bool CParticleEffect::Step() {
  const auto t = static_cast<float>(m_tick);
  switch (m_type) {
    case 0:
      m_pos = m_pos + m_velocity;
      m_velocity.y += 0.05f;
      return m_tick <= 100;
    case 1:
      m_pos = m_pos + m_velocity;
      if (m_tick % 3 == 0) ++m_rotation;
      m_colour = particleeffect::PuffAlpha(m_tick) << 24 | particleeffect::kWhite;
      return m_tick <= 100;
    case 2:
      m_width = m_height = m_tick + 10;
      m_colour = (m_tick <= 25 ? 0xFFu : Alpha16((100.0f - t) * 0.04f)) << 24 | particleeffect::kWhite;
      return m_tick <= 50;
    case 3:
      m_rotation = (m_rotation + 1) % 360;
      if (m_tick < 32) m_width = m_height = 2 * m_tick + 12;
      if (m_tick > 60) {
        m_width = m_height = (98 - m_tick) * 2;
        FadeBy(8);
      }
      return m_tick <= 90;
    case 4:
      m_pos = m_pos + m_velocity;
      FadeBy(4);
      if (m_tick % 3 == 0) {
        ++m_width;
        ++m_height;
      }
      return m_tick <= 60;
    case 5:
      m_colour |= particleeffect::kOpaque;
      m_pos.x += static_cast<float>(platform::Rand() % 3) * 0.02f;
      m_pos.y += static_cast<float>(platform::Rand() % 3) * 0.04f;
      m_pos = m_pos + m_velocity;
      return m_pos.y <= 0.0f;
    case 6:
      m_colour = Alpha16((100.0f - t) * 0.04f) << 24 | particleeffect::kWhite;
      return m_tick <= 50;
    case 8: {
      m_angle1 += static_cast<float>(platform::Rand() % 500) * 0.033333335f;
      m_angle2 += static_cast<float>(platform::Rand() % 500) * 0.033333335f;
      m_radius = 6.0f + static_cast<float>(platform::Rand() % 300) * 0.01f;
      const float s = particleeffect::Sin(m_angle1) * m_radius;
      m_pos = m_origin + Vec3{s * particleeffect::Sin(m_angle2), m_radius * particleeffect::Cos(m_angle1), s * particleeffect::Cos(m_angle2)};
      return true;
    }
    case 9:
      m_pos = m_pos + m_velocity;
      m_velocity.y += 0.1f;
      if (const CSelvarinContext* context = GetFieldContext(); context != nullptr && context->m_pAttr != nullptr) {
        if (context->m_pAttr->GetHeight(m_pos.x, m_pos.z) < m_pos.y) {
          Burst();
          return false;
        }
      }
      return true;
    case 10:
      m_pos = m_pos + m_velocity;
      ++m_rotation;
      m_colour = particleeffect::PuffAlpha(m_tick) << 24 | 0x222222u;
      return m_tick <= 100;
    case 11: {
      m_angle1 += 0.6f;
      m_angle2 += 1.2f;
      const float s = particleeffect::Sin(m_angle1);
      m_pos = m_origin + Vec3{particleeffect::Sin(m_angle2) * s, particleeffect::Cos(m_angle1), s * particleeffect::Cos(m_angle2)} * particleeffect::kSpiralRadius;
      const int32_t phase = m_tick % 32;
      SetAlpha(phase <= 15 ? static_cast<uint32_t>(16 * phase) : static_cast<uint32_t>(0xFF - 16 * (phase - 16)));
      if (m_tick % 8 == 0) Spawn(Child(12));
      return true;
    }
    case 12:
      m_colour = static_cast<uint32_t>(std::max(0xFF - 16 * m_tick, 0)) << 24 | particleeffect::kWhite;
      return m_tick % 16 != 15;
    default:  // 7 stands still
      return true;
  }
}

void CParticleEffect::Burst() {
  for (int k = 0; k < 9; ++k) {
    CParticleEffect* splash = Child(0);
    const float heading = static_cast<float>(40 * k + platform::Rand() % 21 - 10);
    splash->m_velocity = Vec3{particleeffect::Sin(heading) * 0.25f, m_velocity.y * -0.33333334f, -particleeffect::Cos(heading) * 0.25f};
    splash->m_width = m_width * 2 / 3;
    splash->m_height = m_height * 2 / 3;
    splash->m_falling = 1;
    Spawn(splash);
  }
}

void CParticleEffect::Render(CRC& rc, const Matrix& view) {
  if (m_tick == 0 || m_visible == 0) return;
  const CProjector projector(rc, view, kSpriteDepthRule);
  const ProjectedPoint at = projector.Project(m_pos);
  const float f = projector.FocalX() * at.rhw;
  const float halfW = static_cast<float>(m_width) * m_scale * f * particleeffect::kHalfSize;
  const float halfH = static_cast<float>(m_height) * m_scale * f * particleeffect::kHalfSize;
  QueuedQuad quad{at.y - halfH, at.x - halfW, at.y + halfH, at.x + halfW, at.rhw, m_rotation, m_colour, nullptr};
  if (quad.right < 0.0f || quad.bottom < 0.0f || quad.left > static_cast<float>(rc.ViewWidth()) ||
      quad.top > static_cast<float>(rc.ViewHeight())) {
    return;
  }
  if (m_type == 3) quad.color |= particleeffect::kOpaque;
  quad.texture = CTgaTextureMgr::GetInstance().GetTexture(m_texture.c_str());
  rc.m_quadsA.push_back(quad);
}
