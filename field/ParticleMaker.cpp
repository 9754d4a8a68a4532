#include "field/ParticleMaker.h"

#include <climits>
#include <cmath>
#include <cstdio>

#include "field/ParticleEffect.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "platform/Random.h"
#include "render/Projection.h"
#include "render/TgaTextureMgr.h"

SLV_REGISTER_ACTOR(CParticleMaker, "particle");

namespace {
namespace particlemaker {

enum Code : int {
  kActivate = 1,
  kDeactivate = 2,
  kHeading = 5,
  kBurst = 9,
  kStart = 11,
  kPassOn = 46,
};

constexpr float kHalfSize = 0.14285715f;

float Jitter(int32_t range, float step, float offset) {
  return static_cast<float>(platform::Rand() % range) * step - offset;
}

}  // namespace particlemaker
}  // namespace

CParticleEffect* CParticleMaker::Make(int32_t type, const char* texture, int32_t size) {
  auto* particle = new CParticleEffect;
  particle->m_type = type;
  particle->m_texture = texture;
  particle->m_width = particle->m_height = size;
  particle->m_pos = m_pos;
  particle->m_origin = m_pos;
  particle->m_rotation = platform::Rand() % 360;
  particle->m_owner = this;
  return particle;
}

bool CParticleMaker::OnProcess() {
  const CSelvarinContext* context = GetFieldContext();
  const bool active = m_visible != 0 || m_burst != 0;
  if (active && context != nullptr && context->DistanceXZToPlayer(*this) <= kReach) {
    RunKind();
    m_tick = m_tick == INT_MAX ? 0 : m_tick + 1;
  }
  if (m_burst != 0) m_burst = m_visible = 0;
  return true;
}

void CParticleMaker::Splashes() {
  for (int k = 0; k < 9; ++k) {
    CParticleEffect::Spawn(MakeDrifting(0, "물튀기.tga", 16, 0.005f, 0.25f, -0.7f));
  }
  CParticleEffect* ripple = Make(2, "물파동.tga", 32);
  ripple->m_pos.y += 4.0f;
  ripple->m_origin = ripple->m_pos;
  ripple->m_rotation = 0;
  CParticleEffect::Spawn(ripple);
}

void CParticleMaker::Stream(const char* texture, float speed, float vy, int32_t size) {
  CParticleEffect* particle = Make(0, texture, size);
  const float h = m_angle * kDegToRad;
  particle->m_velocity = Vec3{std::sin(h) * speed, vy, -std::cos(h) * speed};
  CParticleEffect::Spawn(particle);
}

CParticleEffect* CParticleMaker::MakeDrifting(int32_t type, const char* texture, int32_t size, float step, float offset,
                                              float vy) {
  CParticleEffect* particle = Make(type, texture, size);
  particle->m_velocity.x = particlemaker::Jitter(100, step, offset);
  particle->m_velocity.z = particlemaker::Jitter(100, step, offset);
  particle->m_velocity.y = vy;
  return particle;
}

void CParticleMaker::Puff(int32_t type, float scale) {
  CParticleEffect* puff = MakeDrifting(type, "연기.tga", 32, 0.001f, 0.05f, -0.15f);
  puff->m_scale = scale;
  CParticleEffect::Spawn(puff);
}

void CParticleMaker::RunKind() {
  switch (m_kind) {
    case 0:
      if (m_tick % 67 == 0) Splashes();
      break;
    case 1:
      if (m_tick % 50 == 0) {
        CParticleEffect* puff = MakeDrifting(1, "연기.tga", 32, 0.001f, 0.05f, -0.15f);
        puff->m_colour = 0xFF000000u;
        CParticleEffect::Spawn(puff);
      }
      break;
    case 4:
      if (m_tick == 0) CParticleEffect::Spawn(Make(11, "b_particle.tga", 6));
      break;
    case 5:
      if (m_tick % 10 == 0 && BelowLimit()) {
        CParticleEffect* puff = MakeDrifting(4, "연기.tga", 8, 0.001f, 0.05f, -0.125f);
        puff->m_colour = 0x66FF7766u;
        CParticleEffect::Spawn(puff);
      }
      break;
    case 6:
      if (BelowLimit()) {
        CParticleEffect* drop = MakeDrifting(0, "물튀기.tga", 32, 0.02f, 1.0f, -0.525f);
        drop->m_colour = 0xFF8888FFu;
        CParticleEffect::Spawn(drop);
      }
      break;
    case 7:
      if (Even()) Stream("분수.tga", 0.34f, -0.23f, 16);
      break;
    case 8:
      if (Even()) Stream("m_particle.tga", 0.6f, 0.0f, 10);
      break;
    case 9:
      if (m_tick % 30 == 0 && BelowLimit()) {
        CParticleEffect* spark = Make(6, "b_particle.tga", 6);
        spark->m_pos.x += particlemaker::Jitter(300, 0.01f, 1.5f);
        spark->m_pos.y += particlemaker::Jitter(300, 0.01f, 1.5f);
        spark->m_pos.z += particlemaker::Jitter(300, 0.01f, 1.5f);
        CParticleEffect::Spawn(spark);
      }
      break;
    case 10:
    case 11:
      if (m_tick == 0) {
        CParticleEffect* still = Make(7, "", 32);
        still->m_texMode = m_kind == 10 ? CParticleEffect::kSmoke : CParticleEffect::kCore;
        CParticleEffect::Spawn(still);
      }
      break;
    case 12:
      if (m_tick <= 2) CParticleEffect::Spawn(Make(8, "b_particle.tga", 6));
      break;
    case 13:
      if (m_tick % 90 == 0) {
        CParticleEffect* drop = Make(9, "b_particle.tga", 6);
        drop->m_falling = 1;
        CParticleEffect::Spawn(drop);
      }
      break;
    case 14:
      if (Even()) Stream("m_particle.tga", 0.6f, 0.0f, 64);
      break;
    case 15:
      if (m_tick % 90 == 0) Puff(10, 1.7f);
      break;
    case 16:
      if (m_tick % 70 == 0) Puff(1, 1.5f);
      break;
    case 30:
      if (m_tick % 8 == 0) SpawnEffect(1001);
      break;
    case 31:
      if (m_tick % 5 == 0) SpawnEffect(1002);
      break;
    default:  // 2 and 3 only draw their fire
      break;
  }
}

void CParticleMaker::QueueBillboard(CRC& rc, const Matrix& view, const char* texture, float halfSize,
                                    uint32_t colour) const {
  const CProjector projector(rc, view, kSpriteDepthRule);
  const ProjectedPoint at = projector.Project(m_pos);
  const float half = halfSize * projector.FocalX() * at.rhw * particlemaker::kHalfSize;
  QueuedQuad quad{at.y - half, at.x - half, at.y + half, at.x + half, at.rhw, 0, colour, nullptr};
  if (quad.right < 0.0f || quad.bottom < 0.0f || quad.left > static_cast<float>(rc.ViewWidth()) ||
      quad.top > static_cast<float>(rc.ViewHeight())) {
    return;
  }
  quad.texture = CTgaTextureMgr::GetInstance().GetTexture(texture);
  rc.m_quadsA.push_back(quad);
}

void CParticleMaker::Render(CRC& rc, const Matrix& view) {
  const bool white = m_kind == 2 || m_kind == 3;
  if (m_visible == 0 || (!white && m_kind != 5)) return;
  char name[32];
  std::snprintf(name, sizeof name, white ? "fire_w0%d.tga" : "fire_r0%d.tga", m_tick / 3 % 10);
  QueueBillboard(rc, view, name, 32.0f, white ? 0xFFFFFFFFu : 0xAAFFFFFFu);
  if (white && platform::Rand() % 4 != 0) {
    QueueBillboard(rc, view, "lens.tga", static_cast<float>(100 + platform::Rand() % 40), 0xFFFFFFFFu);
  }
}

void CParticleMaker::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  switch (code) {
    case particlemaker::kActivate:
      m_visible = 1;
      break;
    case particlemaker::kDeactivate:
      m_visible = 0;
      break;
    case particlemaker::kHeading:
      m_angle = static_cast<float>(static_cast<int32_t>(value0));
      break;
    case particlemaker::kBurst:
      m_burst = 1;
      break;
    case particlemaker::kStart:
      if (m_initLine != -1) {
        if (CSelvarinFrame* frame = GetGameFrame()) frame->RunEventScript(m_initLine, m_name, m_scriptStack);
      }
      break;
    case CParticleEffect::kBorn:
      if (m_liveCount < INT_MAX) ++m_liveCount;
      break;
    case CParticleEffect::kGone:
      if (m_liveCount > 0) --m_liveCount;
      break;
    case particlemaker::kPassOn:
      CSelvarinActor::OnMessage(sender, code, value0, value1, value2);
      break;
    default:
      break;
  }
}
