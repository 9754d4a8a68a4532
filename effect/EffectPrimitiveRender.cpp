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
namespace effectprimitiverender {

constexpr float kScreenRhw = 0.0999f;  // screen kinds lie in front of the scene
constexpr float kHeadHeight = 10.0f;
constexpr float kSpriteScale = 0.14285715f;

Vec3 Column(const Matrix& m, int c) { return {m.m[c], m.m[3 + c], m.m[6 + c]}; }
Vec3 Row(const Matrix& m, int r) { return {m.m[3 * r], m.m[3 * r + 1], m.m[3 * r + 2]}; }

TexturedVertex WorldVertex(const CProjector& projector, const Vec3& p, uint32_t colour, float u, float v) {
  const ProjectedPoint s = projector.Project(p);
  return TexturedVertex{s.x, s.y, 0.0f, s.rhw, colour, 0xFFFFFFFF, u, v};
}

// A layer's angle turned by the primitive's, in whole degrees.
int32_t AddAngle(int32_t layerAngle, float degrees) {
  return static_cast<int32_t>((static_cast<int64_t>(layerAngle) + CEffectPrimitive::WholeNumber(degrees)) % 360);
}

TexturedVertex ScreenVertex(float x, float y, uint32_t colour, float u, float v) {
  return TexturedVertex{x, y, 0.0f, kScreenRhw, colour, 0xFFFFFFFF, u, v};
}

// The triangles of one primitive and texture go to one list, looked up
// once; without a texture they go nowhere.
class TriangleOut {
 public:
  TriangleOut(CRC& rc, int32_t flags, CTexture* texture)
      : m_list(texture != nullptr ? &EffectTriangleList(rc, flags, texture) : nullptr) {}
  bool Active() const { return m_list != nullptr; }
  void Add(const TexturedVertex& a, const TexturedVertex& b, const TexturedVertex& c) {
    m_list->push_back(QueuedTriangle{{a, b, c}});
  }
  // Corners a (0, 0), b (1, 0), c (0, 1), d (1, 1), as two triangles.
  void AddQuad(const TexturedVertex& a, const TexturedVertex& b, const TexturedVertex& c, const TexturedVertex& d) {
    Add(a, b, c);
    Add(d, c, b);
  }

 private:
  std::vector<QueuedTriangle>* m_list;
};

void QueueWorldQuad(TriangleOut& out, const CProjector& projector, const Vec3& a, const Vec3& b, const Vec3& c,
                    const Vec3& d, uint32_t colour) {
  out.AddQuad(WorldVertex(projector, a, colour, 0, 0), WorldVertex(projector, b, colour, 1, 0),
              WorldVertex(projector, c, colour, 0, 1), WorldVertex(projector, d, colour, 1, 1));
}

// The segment angles of a ring, as the steps add up from 0 to 360 - step,
// with the end of the last; none for a step that is not positive.
struct RingAngles {
  std::vector<float> cosines, sines;
  explicit RingAngles(float step) {
    if (!(step > 0.0f)) return;
    float a = 0.0f;
    for (; a <= 360.0f - step; a += step) Add(a);
    if (!cosines.empty()) Add(a);
  }
  size_t Segments() const { return cosines.empty() ? 0 : cosines.size() - 1; }

 private:
  void Add(float degrees) {
    cosines.push_back(std::cos(degrees * kDegToRad));
    sines.push_back(std::sin(degrees * kDegToRad));
  }
};

// A ring of quads between two radii in the plane of two axes, each corner
// projected once; the outer edge moved by `lift` makes a band or a funnel.
void QueueWorldRing(TriangleOut& out, const CProjector& projector, const RingAngles& angles, const Vec3& centre,
                    const Vec3& axisA, const Vec3& axisB, float inner, float outer, uint32_t colour,
                    const Vec3& lift = Vec3{}) {
  const size_t n = angles.Segments();
  if (n == 0) return;
  auto at = [&](size_t i, float r, float v) {
    const Vec3 p = centre + axisA * (angles.cosines[i] * r) + axisB * (angles.sines[i] * r) + (v == 0.0f ? lift : Vec3{});
    return WorldVertex(projector, p, colour, static_cast<float>(i) / static_cast<float>(n), v);
  };
  TexturedVertex outerA = at(0, outer, 0.0f), innerA = at(0, inner, 1.0f);
  for (size_t i = 1; i <= n; ++i) {
    const TexturedVertex outerB = at(i, outer, 0.0f), innerB = at(i, inner, 1.0f);
    out.AddQuad(outerA, outerB, innerA, innerB);
    outerA = outerB;
    innerA = innerB;
  }
}

struct SpriteMotion {
  const ActMotion* motion = nullptr;
  const CSprRes* sprites = nullptr;
};

// The motion of the act file, the action held to the file's last, and the
// sprite file it draws from; no motion when either file is missing.
SpriteMotion FindSpriteMotion(const std::string& actName, const std::string& sprName, int32_t action,
                              int32_t motion) {
  if (actName.empty() || sprName.empty()) return {};
  CResMgr& resources = CResMgr::GetInstance();
  const auto* actions = dynamic_cast<const CActRes*>(resources.GetResStr(actName));
  const auto* sprites = dynamic_cast<const CSprRes*>(resources.GetResStr(sprName));
  if (actions == nullptr || sprites == nullptr || actions->GetActionCount() == 0) return {};
  return {actions->GetMotion(std::clamp(action, 0, actions->GetActionCount() - 1), motion), sprites};
}

}  // namespace effectprimitiverender
}  // namespace

void CEffectPrimitive::RenderSpriteFrames(CRC& rc, const Matrix& view) {
  const effectprimitiverender::SpriteMotion found = effectprimitiverender::FindSpriteMotion(m_actName, m_sprName, m_action, m_motion);
  if (found.motion == nullptr) return;
  const CProjector projector(rc, view, kSpriteDepthRule);
  const int32_t count = std::clamp(m_trailCount, 1, kMaxTrail);
  for (int32_t k = 0; k < count; ++k) {
    const TrailSlot& slot = m_trail[static_cast<size_t>(k)];
    const ProjectedPoint foot = projector.Project(slot.position);
    const float head = projector.Rhw({slot.position.x, slot.position.y - effectprimitiverender::kHeadHeight, slot.position.z});
    const float scale = foot.rhw * projector.FocalX() * effectprimitiverender::kSpriteScale * slot.size;
    for (const ActLayer& layer : found.motion->layers) {
      QueueEffectSpriteLayer(rc, m_primitiveFlags, *found.sprites, layer,
                             {foot.x, foot.y, scale, foot.rhw, head,
                              effectprimitiverender::AddAngle(layer.value2, m_angle), slot.packedColour});
    }
  }
}

void CEffectPrimitive::RenderScreenSprite(CRC& rc, const Matrix& view) {
  const effectprimitiverender::SpriteMotion found = effectprimitiverender::FindSpriteMotion(m_actName, m_sprName, m_action, m_motion);
  if (found.motion == nullptr) return;
  for (const ActLayer& layer : found.motion->layers) {
    QueueEffectSpriteLayer(rc, m_primitiveFlags, *found.sprites, layer,
                           {m_pos.x, m_pos.y, m_size, effectprimitiverender::kScreenRhw, effectprimitiverender::kScreenRhw,
                            effectprimitiverender::AddAngle(layer.value2, m_yaw), m_packedColour});
  }
}

void CEffectPrimitive::RenderScreenBlade(CRC& rc, const Matrix& view) {
  CTexture* texture = m_textures.empty() ? nullptr : m_textures[0];
  const float h = std::max(m_height * 0.5f, 1.0f);
  const float w = m_width * 0.5f;
  const float a = m_angle * kDegToRad;
  const float c = std::cos(a), s = std::sin(a);
  auto at = [&](float lx, float ly, float u, float v) {
    return effectprimitiverender::ScreenVertex(m_pos.x + lx * c - ly * s, m_pos.y + lx * s + ly * c, m_packedColour, u, v);
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
  QueuedTriangle t{{effectprimitiverender::ScreenVertex(m_pos.x, m_pos.y, m_packedColour, 0.0f, 0.5f),
                    effectprimitiverender::ScreenVertex(m_pos.x + std::cos(a) * m_width, m_pos.y - std::sin(a) * m_width, m_packedColour,
                                 1.0f, 0.0f),
                    effectprimitiverender::ScreenVertex(m_pos.x + std::cos(b) * m_width, m_pos.y - std::sin(b) * m_width, m_packedColour,
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
    return effectprimitiverender::ScreenVertex(m_pos.x + std::cos(a) * r, m_pos.y - std::sin(a) * r, m_packedColour, degrees / 360.0f, v);
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
  effectprimitiverender::TriangleOut out(rc, m_primitiveFlags, m_textures.empty() ? nullptr : m_textures[0]);
  if (!out.Active()) return;
  const CProjector projector(rc, view, kSpriteDepthRule);
  const int32_t count = std::clamp(m_trailCount, 1, kMaxTrail);
  for (int32_t k = 0; k < count; ++k) {
    const TrailSlot& s = m_trail[static_cast<size_t>(k)];
    const TexturedVertex p1 = effectprimitiverender::WorldVertex(projector, s.p1, s.packedColour, 0, 1);
    const TexturedVertex p2 = effectprimitiverender::WorldVertex(projector, s.p2, s.packedColour, 1, 1);
    const TexturedVertex p3 = effectprimitiverender::WorldVertex(projector, s.p3, s.packedColour, 0, 0);
    const TexturedVertex p4 = effectprimitiverender::WorldVertex(projector, s.p4, s.packedColour, 1, 0);
    out.Add(p1, p2, p3);
    out.Add(p4, p3, p2);
  }
}

void CEffectPrimitive::RenderSweepRing(CRC& rc, const Matrix& view) {
  effectprimitiverender::TriangleOut out(rc, m_primitiveFlags, m_textures.empty() ? nullptr : m_textures[0]);
  if (!out.Active()) return;
  const CProjector projector(rc, view, kSpriteDepthRule);
  const effectprimitiverender::RingAngles angles(m_segmentStep);
  const int32_t count = std::clamp(m_trailCount, 1, kMaxTrail);
  for (int32_t k = 0; k < count; ++k) {
    const TrailSlot& s = m_trail[static_cast<size_t>(k)];
    effectprimitiverender::QueueWorldRing(out, projector, angles, s.position, effectprimitiverender::Column(s.matrix, 0), effectprimitiverender::Column(s.matrix, 1), s.radius,
                   s.size + s.radius, s.packedColour);
  }
}

void CEffectPrimitive::RenderSwirlRing(CRC& rc, const Matrix& view) {
  effectprimitiverender::TriangleOut out(rc, m_primitiveFlags, CurrentTexture());
  if (!out.Active()) return;
  const CProjector projector(rc, view, kSpriteDepthRule);
  // The width raises the outer edge against the second axis: a ring of
  // equal radii stands as a band, wider ones open as a funnel.
  effectprimitiverender::QueueWorldRing(out, projector, effectprimitiverender::RingAngles(m_segmentStep), m_pos, effectprimitiverender::Column(m_matrix, 0), effectprimitiverender::Column(m_matrix, 2),
                 m_innerRingRadius, m_outerRingRadius, m_packedColour, effectprimitiverender::Column(m_matrix, 1) * -m_width);
}

// A closed shell: the point at the radius along the forward axis of each
// yaw and pitch of the grid, each projected once.
void CEffectPrimitive::RenderDome(CRC& rc, const Matrix& view) {
  effectprimitiverender::TriangleOut out(rc, m_primitiveFlags, m_textures.empty() ? nullptr : m_textures[0]);
  const effectprimitiverender::RingAngles angles(m_segmentStep);
  const size_t n = angles.Segments();
  if (!out.Active() || n == 0) return;
  const CProjector projector(rc, view, kSpriteDepthRule);
  std::vector<float> degrees;
  for (float a = 0.0f; degrees.size() <= n; a += m_segmentStep) degrees.push_back(a);
  std::vector<TexturedVertex> grid;
  grid.reserve((n + 1) * (n + 1));
  for (float yaw : degrees) {
    for (float pitch : degrees) {
      const Vec3 p = m_pos + effectprimitiverender::Column(YawPitch(yaw, pitch), 2) * m_radius;
      grid.push_back(effectprimitiverender::WorldVertex(projector, p, m_packedColour, 0, 0));
    }
  }
  auto corner = [&](size_t i, size_t j, float u, float v) {
    TexturedVertex vertex = grid[i * (n + 1) + j];
    vertex.u = u;
    vertex.v = v;
    return vertex;
  };
  for (size_t i = 0; i < n; ++i) {
    for (size_t j = 0; j < n; ++j) {
      out.AddQuad(corner(i, j, 0, 0), corner(i, j + 1, 1, 0), corner(i + 1, j, 0, 1), corner(i + 1, j + 1, 1, 1));
    }
  }
}

// FlatQuad and TumbleQuad: ±width along the plane's second axis, ±height
// along its third.
void CEffectPrimitive::RenderPlaneQuad(CRC& rc, const Matrix& view) {
  effectprimitiverender::TriangleOut out(rc, m_primitiveFlags, CurrentTexture());
  if (!out.Active()) return;
  const CProjector projector(rc, view, kSpriteDepthRule);
  const Vec3 w = effectprimitiverender::Column(m_planeMatrix, 1) * m_width;
  const Vec3 h = effectprimitiverender::Column(m_planeMatrix, 2) * m_height;
  effectprimitiverender::QueueWorldQuad(out, projector, m_pos - w - h, m_pos + w - h, m_pos - w + h, m_pos + w + h, m_packedColour);
}

void CEffectPrimitive::RenderCrossQuad(CRC& rc, const Matrix& view) {
  effectprimitiverender::TriangleOut out(rc, m_primitiveFlags, CurrentTexture());
  if (!out.Active()) return;
  const CProjector projector(rc, view, kSpriteDepthRule);
  const Vec3 x = effectprimitiverender::Row(m_matrix, 0) * m_width;
  const Vec3 y = effectprimitiverender::Row(m_matrix, 1) * m_width;
  const Vec3 z = effectprimitiverender::Row(m_matrix, 2) * m_height;
  effectprimitiverender::QueueWorldQuad(out, projector, m_pos - x - z, m_pos + x - z, m_pos - x + z, m_pos + x + z, m_packedColour);
  effectprimitiverender::QueueWorldQuad(out, projector, m_pos - y - z, m_pos + y - z, m_pos - y + z, m_pos + y + z, m_packedColour);
}
