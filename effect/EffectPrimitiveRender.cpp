// What each primitive kind queues on the render context, and where.
#include <algorithm>
#include <cmath>

#include "effect/EffectPrimitive.h"
#include "effect/EffectPrimitiveQueue.h"
#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/Projection.h"
#include "render/RC.h"
#include "render/SprDevice.h"

using platform::TexturedVertex;

namespace {

constexpr float kScreenRhw = 0.0999f;  // screen kinds lie in front of the scene
constexpr float kHeadHeight = 10.0f;
constexpr float kSpriteScale = 0.14285715f;

Vec3 Column(const Matrix& m, int c) { return {m.m[c], m.m[3 + c], m.m[6 + c]}; }
Vec3 Row(const Matrix& m, int r) { return {m.m[3 * r], m.m[3 * r + 1], m.m[3 * r + 2]}; }

struct Corner {
  Vec3 p;
  float u, v;
};

TexturedVertex WorldVertex(const CProjector& projector, const Corner& c, uint32_t colour) {
  const ProjectedPoint s = projector.Project(c.p);
  return TexturedVertex{s.x, s.y, 0.0f, s.rhw, colour, 0xFFFFFFFF, c.u, c.v};
}

TexturedVertex ScreenVertex(float x, float y, uint32_t colour, float u, float v) {
  return TexturedVertex{x, y, 0.0f, kScreenRhw, colour, 0xFFFFFFFF, u, v};
}

void QueueWorldTriangle(CRC& rc, int32_t flags, CTexture* texture, const CProjector& projector, const Corner& a,
                        const Corner& b, const Corner& c, uint32_t colour) {
  QueuedTriangle t{{WorldVertex(projector, a, colour), WorldVertex(projector, b, colour),
                    WorldVertex(projector, c, colour)}};
  QueueEffectTriangle(rc, flags, texture, t);
}

// Corners a (0, 0), b (1, 0), c (0, 1), d (1, 1).
void QueueWorldQuad(CRC& rc, int32_t flags, CTexture* texture, const CProjector& projector, const Vec3& a,
                    const Vec3& b, const Vec3& c, const Vec3& d, uint32_t colour) {
  QueueWorldTriangle(rc, flags, texture, projector, {a, 0, 0}, {b, 1, 0}, {c, 0, 1}, colour);
  QueueWorldTriangle(rc, flags, texture, projector, {d, 1, 1}, {c, 0, 1}, {b, 1, 0}, colour);
}

// A ring of quads between two radii in the plane of two axes, one quad per
// step; a step that is not positive draws nothing.
void QueueWorldRing(CRC& rc, int32_t flags, CTexture* texture, const CProjector& projector, const Vec3& centre,
                    const Vec3& axisA, const Vec3& axisB, float inner, float outer, float step, uint32_t colour) {
  if (!(step > 0.0f)) return;
  auto at = [&](float degrees, float r) {
    const float a = degrees * kDegToRad;
    return centre + axisA * (std::cos(a) * r) + axisB * (std::sin(a) * r);
  };
  for (float a = 0.0f; a <= 360.0f - step; a += step) {
    const float b = a + step;
    QueueWorldQuad(rc, flags, texture, projector, at(a, outer), at(b, outer), at(a, inner), at(b, inner), colour);
  }
}

}  // namespace

void CEffectPrimitive::RenderSpriteFrames(CRC& rc, const Matrix& view) {
  if (m_actName.empty() || m_sprName.empty()) return;
  CResMgr& resources = CResMgr::GetInstance();
  const auto* actions = dynamic_cast<const CActRes*>(resources.GetResStr(m_actName));
  const auto* sprites = dynamic_cast<const CSprRes*>(resources.GetResStr(m_sprName));
  if (actions == nullptr || sprites == nullptr || actions->GetActionCount() == 0) return;
  const ActMotion* motion = actions->GetMotion(std::clamp(m_action, 0, actions->GetActionCount() - 1), m_motion);
  if (motion == nullptr) return;
  const CProjector projector(rc, view, kSpriteDepthRule);
  const int32_t count = std::clamp(m_trailCount, 1, kMaxTrail);
  for (int32_t k = 0; k < count; ++k) {
    const TrailSlot& slot = m_trail[static_cast<size_t>(k)];
    const ProjectedPoint foot = projector.Project(slot.position);
    const float head = projector.Rhw({slot.position.x, slot.position.y - kHeadHeight, slot.position.z});
    const float scale = foot.rhw * projector.FocalX() * kSpriteScale * slot.size;
    for (const ActLayer& layer : motion->layers) {
      QueueEffectSpriteLayer(rc, m_primitiveFlags, *sprites, layer,
                             {foot.x, foot.y, scale, foot.rhw, head,
                              layer.value2 + static_cast<int32_t>(m_angle), slot.packedColour});
    }
  }
}

void CEffectPrimitive::RenderScreenSprite(CRC& rc, const Matrix& view) {
  if (m_actName.empty() || m_sprName.empty()) return;
  CResMgr& resources = CResMgr::GetInstance();
  const auto* actions = dynamic_cast<const CActRes*>(resources.GetResStr(m_actName));
  const auto* sprites = dynamic_cast<const CSprRes*>(resources.GetResStr(m_sprName));
  if (actions == nullptr || sprites == nullptr || actions->GetActionCount() == 0) return;
  const ActMotion* motion = actions->GetMotion(std::clamp(m_action, 0, actions->GetActionCount() - 1), m_motion);
  if (motion == nullptr) return;
  for (const ActLayer& layer : motion->layers) {
    QueueEffectSpriteLayer(rc, m_primitiveFlags, *sprites, layer,
                           {m_pos.x, m_pos.y, m_size, kScreenRhw, kScreenRhw,
                            layer.value2 + static_cast<int32_t>(m_yaw), m_packedColour});
  }
}

void CEffectPrimitive::RenderScreenBlade(CRC& rc, const Matrix& view) {
  CTexture* texture = m_textures.empty() ? nullptr : m_textures[0];
  const float h = std::max(m_height * 0.5f, 1.0f);
  const float w = m_width * 0.5f;
  const float a = m_angle * kDegToRad;
  const float c = std::cos(a), s = std::sin(a);
  auto at = [&](float lx, float ly, float u, float v) {
    return ScreenVertex(m_pos.x + lx * c - ly * s, m_pos.y + lx * s + ly * c, m_packedColour, u, v);
  };
  const float tip = 0.8333333f * w - w;
  QueuedTriangle first{{at(-h, tip, 0.0f, 0.5f), at(0.0f, w, 1.0f, 1.0f), at(0.0f, -w, 1.0f, 0.0f)}};
  QueuedTriangle second{{at(-h, -tip, 0.0f, 0.5f), at(0.0f, -w, 1.0f, 0.0f), at(0.0f, w, 1.0f, 1.0f)}};
  QueueEffectTriangle(rc, m_primitiveFlags, texture, first);
  QueueEffectTriangle(rc, m_primitiveFlags, texture, second);
}

void CEffectPrimitive::RenderScreenRay(CRC& rc, const Matrix& view) {
  CTexture* texture = m_textures.empty() ? nullptr : m_textures[0];
  const float a = (m_yaw - m_segmentStep) * kDegToRad;
  const float b = (m_yaw + m_segmentStep) * kDegToRad;
  QueuedTriangle t{{ScreenVertex(m_pos.x, m_pos.y, m_packedColour, 0.0f, 0.5f),
                    ScreenVertex(m_pos.x + std::cos(a) * m_width, m_pos.y - std::sin(a) * m_width, m_packedColour,
                                 1.0f, 0.0f),
                    ScreenVertex(m_pos.x + std::cos(b) * m_width, m_pos.y - std::sin(b) * m_width, m_packedColour,
                                 1.0f, 1.0f)}};
  QueueEffectTriangle(rc, m_primitiveFlags, texture, t);
}

void CEffectPrimitive::RenderScreenRing(CRC& rc, const Matrix& view) {
  const float step = m_segmentStep;
  if (!(step > 0.0f)) return;
  CTexture* texture = m_textures.empty() ? nullptr : m_textures[0];
  const float inner = m_radius - m_size;
  const float outer = m_radius;
  auto at = [&](float degrees, float r, float v) {
    const float a = degrees * kDegToRad;
    return ScreenVertex(m_pos.x + std::cos(a) * r, m_pos.y - std::sin(a) * r, m_packedColour, degrees / 360.0f, v);
  };
  for (float a = 0.0f; a <= 360.0f - step; a += step) {
    const float b = a + step;
    QueuedTriangle first{{at(a, outer, 0.0f), at(b, outer, 0.0f), at(a, inner, 1.0f)}};
    QueuedTriangle second{{at(b, inner, 1.0f), at(a, inner, 1.0f), at(b, outer, 0.0f)}};
    QueueEffectTriangle(rc, m_primitiveFlags, texture, first);
    QueueEffectTriangle(rc, m_primitiveFlags, texture, second);
  }
}

// BeamQuad and RingWall: one segment per trail slot.
void CEffectPrimitive::RenderBeam(CRC& rc, const Matrix& view) {
  CTexture* texture = m_textures.empty() ? nullptr : m_textures[0];
  const CProjector projector(rc, view, kSpriteDepthRule);
  const int32_t count = std::clamp(m_trailCount, 1, kMaxTrail);
  for (int32_t k = 0; k < count; ++k) {
    const TrailSlot& s = m_trail[static_cast<size_t>(k)];
    QueueWorldTriangle(rc, m_primitiveFlags, texture, projector, {s.p1, 0, 1}, {s.p2, 1, 1}, {s.p3, 0, 0},
                       s.packedColour);
    QueueWorldTriangle(rc, m_primitiveFlags, texture, projector, {s.p4, 1, 0}, {s.p3, 0, 0}, {s.p2, 1, 1},
                       s.packedColour);
  }
}

void CEffectPrimitive::RenderSweepRing(CRC& rc, const Matrix& view) {
  CTexture* texture = m_textures.empty() ? nullptr : m_textures[0];
  const CProjector projector(rc, view, kSpriteDepthRule);
  const int32_t count = std::clamp(m_trailCount, 1, kMaxTrail);
  for (int32_t k = 0; k < count; ++k) {
    const TrailSlot& s = m_trail[static_cast<size_t>(k)];
    QueueWorldRing(rc, m_primitiveFlags, texture, projector, s.position, Column(s.matrix, 0), Column(s.matrix, 1),
                   s.radius, s.size + s.radius, m_segmentStep, s.packedColour);
  }
}

void CEffectPrimitive::RenderSwirlRing(CRC& rc, const Matrix& view) {
  const CProjector projector(rc, view, kSpriteDepthRule);
  QueueWorldRing(rc, m_primitiveFlags, CurrentTexture(), projector, m_pos, Column(m_matrix, 0),
                 Column(m_matrix, 2), m_innerRingRadius, m_outerRingRadius, m_segmentStep, m_packedColour);
}

void CEffectPrimitive::RenderDome(CRC& rc, const Matrix& view) {
  const float step = m_segmentStep;
  if (!(step > 0.0f)) return;
  CTexture* texture = m_textures.empty() ? nullptr : m_textures[0];
  const CProjector projector(rc, view, kSpriteDepthRule);
  auto at = [&](float yaw, float pitch) { return m_pos + Column(YawPitch(yaw, pitch), 2) * m_radius; };
  for (float a = 0.0f; a <= 360.0f - step; a += step) {
    for (float b = 0.0f; b <= 360.0f - step; b += step) {
      QueueWorldQuad(rc, m_primitiveFlags, texture, projector, at(a, b), at(a, b + step), at(a + step, b),
                     at(a + step, b + step), m_packedColour);
    }
  }
}

// FlatQuad and TumbleQuad: ±width along the plane's second axis, ±height
// along its third.
void CEffectPrimitive::RenderPlaneQuad(CRC& rc, const Matrix& view) {
  const CProjector projector(rc, view, kSpriteDepthRule);
  const Vec3 w = Column(m_planeMatrix, 1) * m_width;
  const Vec3 h = Column(m_planeMatrix, 2) * m_height;
  QueueWorldQuad(rc, m_primitiveFlags, CurrentTexture(), projector, m_pos - w - h, m_pos + w - h, m_pos - w + h,
                 m_pos + w + h, m_packedColour);
}

void CEffectPrimitive::RenderCrossQuad(CRC& rc, const Matrix& view) {
  const CProjector projector(rc, view, kSpriteDepthRule);
  CTexture* texture = CurrentTexture();
  const Vec3 x = Row(m_matrix, 0) * m_width;
  const Vec3 y = Row(m_matrix, 1) * m_width;
  const Vec3 z = Row(m_matrix, 2) * m_height;
  QueueWorldQuad(rc, m_primitiveFlags, texture, projector, m_pos - x - z, m_pos + x - z, m_pos - x + z,
                 m_pos + x + z, m_packedColour);
  QueueWorldQuad(rc, m_primitiveFlags, texture, projector, m_pos - y - z, m_pos + y - z, m_pos - y + z,
                 m_pos + y + z, m_packedColour);
}
