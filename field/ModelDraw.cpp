#include "field/ModelDraw.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "field/SelvarinFrame.h"
#include "field/Truncation.h"
#include "platform/DebugLog.h"
#include "render/3dAnimModelRes.h"
#include "render/RC.h"
#include "render/Texture.h"

ProjectedModelVertex g_modelVertices[MAX_VERTEX_PER_MESH];

namespace {
namespace modeldraw {

constexpr float kNearDepth = 10.0f;

// Textures whose pictures must not scroll with the wobble.
bool ScrollsWithWobble(const CTexture& texture) {
  return texture.m_name != "캐릭터\\line-07.bmp" && texture.m_name != "캐릭터\\chang-001.bmp";
}

uint32_t CornerColour(int alpha, uint32_t colour, uint32_t corner) {
  if (alpha == 0) return (corner & 0xFFFFFFu) | 0xFF000000u;
  if ((colour & 0xFFFFFFu) != 0) return colour & corner;
  return colour + (corner & 0xFFFFFFu);
}

struct NodeDraw {
  CRC& rc;
  int alpha;
  uint32_t colour;
  int outline;
  float scroll;  // the wobble's texture offset, 0 without one
  bool wobble;

  void Face(const C3dAnimModelNode& node, const ModelFace& face, size_t faceIndex, const ModelTexVertex* tex) const;
};

void NodeDraw::Face(const C3dAnimModelNode& node, const ModelFace& face, size_t faceIndex,
                    const ModelTexVertex* tex) const {
  const ProjectedModelVertex& p0 = g_modelVertices[face.vertex[0]];
  const ProjectedModelVertex& p1 = g_modelVertices[face.vertex[1]];
  const ProjectedModelVertex& p2 = g_modelVertices[face.vertex[2]];
  const bool front = (p2.x - p0.x) * (p1.y - p0.y) > (p1.x - p0.x) * (p2.y - p0.y);
  if (!front && face.twoSided == 0) return;
  CTexture* texture = node.textures[face.texture % node.textures.size()];
  if (texture == nullptr) return;  // its picture did not load
  const float offset = wobble && ScrollsWithWobble(*texture) ? scroll : 0.0f;
  // A face seen from behind keeps its front winding for the device.
  static constexpr int kFront[3] = {0, 1, 2};
  static constexpr int kBack[3] = {0, 2, 1};
  const int* order = front ? kFront : kBack;
  platform::TexturedVertex v[3];
  for (int k = 0; k < 3; ++k) {
    const int corner = order[k];
    const ProjectedModelVertex& p = g_modelVertices[face.vertex[corner]];
    const ModelTexVertex& t = tex[face.texVertex[corner]];
    float u = t.u + offset, w = t.v + offset;
    if (wobble) {
      if (u > 1.0f) u -= 1.0f;
      if (w > 1.0f) w -= 1.0f;
    }
    const uint32_t lit = node.colors.size() > faceIndex * 3 + 2 ? node.colors[faceIndex * 3 + corner] : 0xFFFFFFFFu;
    v[k] = platform::TexturedVertex{p.x, p.y, 0.0f, p.rhw, CornerColour(alpha, colour, lit), 0, u, w};
  }
  if (alpha != 0) {
    rc.m_blendTris[texture].push_back(QueuedTriangle{{v[0], v[1], v[2]}});
  } else {
    rc.m_alphaTestTris[texture].push_back(QueuedTriangleEx{{v[0], v[1], v[2]}, 0});
  }
  if (outline == 0) return;
  auto flat = std::make_unique<QueuedColorTriangle>();
  for (int k = 0; k < 3; ++k) flat->v[k] = platform::ColoredVertex{v[k].x, v[k].y, 0.0f, v[k].rhw, colour, 0};
  rc.m_additiveUntexTris.push_back(std::move(flat));
}

}  // namespace modeldraw
}  // namespace

float ApplyModelWobble(Vec3& vertex, int wobble, int32_t tick) {
  const double t = tick;
  double factor;
  if (wobble == 1) {
    const int32_t k = TruncateClamped(vertex.y * 0.018181818);
    factor = (std::sin(t * 0.16666667 + vertex.y * 0.5) * (std::abs(static_cast<double>(k)) + 1.0) + 23.0) *
             0.043478260869565216;
  } else if (wobble == 2) {
    const double angle = t * 0.18181819 + vertex.y * 0.23;
    const double turns = angle / 18.849552;
    const double r = turns - std::trunc(turns);
    const double s = r > -0.16666667 && r < 0.16666667 ? std::sin(angle) : 0.0;
    factor = (s * 2.3 + 23.0) * 0.043478260869565216;
  } else {
    return 0.0f;
  }
  vertex.x = static_cast<float>(vertex.x * factor);
  vertex.z = static_cast<float>(vertex.z * factor);
  return static_cast<float>((tick / 3) % 120) * 0.004166667f;
}

namespace {
namespace modeldraw {

int32_t WobbleTick() {
  const CSelvarinFrame* frame = GetGameFrame();
  return frame != nullptr ? frame->m_modeTick : 0;
}

}  // namespace modeldraw
}  // namespace

float ApplyModelWobble(Vec3& vertex, int wobble) { return ApplyModelWobble(vertex, wobble, modeldraw::WobbleTick()); }

void DrawModelNode(CRC& rc, const Matrix& m, int frame, const C3dAnimModelNode* node, int alpha, uint32_t colour,
                   int outline, int xOffset1, int wobble, int xOffset2, int yOffset, float xScale, float yScale) {
  if (node == nullptr) return;
  if (node->m_numVertices > MAX_VERTEX_PER_MESH) {
    DebugLog("node->m_numVertices > MAX_VERTEX_PER_MESH");
    return;
  }
  // Frames a world record asks for are not checked on the way here.
  const int clamped = node->m_numFrames > 0 ? std::clamp(frame, 0, node->m_numFrames - 1) : 0;
  const Vec3* vertices = node->FrameVertices(clamped);
  const ModelTexVertex* tex = node->FrameTexVertices(clamped);
  const int32_t tick = wobble != 0 ? modeldraw::WobbleTick() : 0;
  Vec3 probe;
  const float scroll = ApplyModelWobble(probe, wobble, tick);
  if (vertices != nullptr && tex != nullptr) {
    const float cx = static_cast<float>(rc.m_centerX), cy = static_cast<float>(rc.m_halfHeight);
    const float dx = static_cast<float>(xOffset2 + xOffset1), dy = static_cast<float>(yOffset);
    for (int32_t i = 0; i < node->m_numVertices; ++i) {
      Vec3 vertex = vertices[i];
      ApplyModelWobble(vertex, wobble, tick);
      const Vec3 p = m.TransformPoint(vertex);
      const float depth = p.z >= modeldraw::kNearDepth ? p.z : modeldraw::kNearDepth;  // not a number too
      ProjectedModelVertex& out = g_modelVertices[i];
      out.x = p.x * rc.m_focalX / depth * xScale + cx + dx;
      out.y = p.y / depth * yScale * rc.m_focalY + cy + dy;
      out.rhw = 1.0f / depth;
    }
    if (!node->textures.empty()) {
      const modeldraw::NodeDraw draw{rc, alpha, colour, outline, scroll, wobble != 0};
      for (size_t f = 0; f < node->faces.size(); ++f) draw.Face(*node, node->faces[f], f, tex);
    }
  }
  for (const C3dAnimModelNode* child : node->children) {
    DrawModelNode(rc, m, frame, child, alpha, colour, outline, xOffset1, wobble, xOffset2, yOffset, xScale, yScale);
  }
}

void LightModelOnce(C3dAnimModelRes& model, const Matrix& m, int frame) {
  if (model.m_lit != 0 || model.m_nodes.empty() || model.m_numFrames <= 0) return;
  const Vec3 light = Vec3{1.0f, 1.0f, 0.0f}.Normalize();
  model.m_nodes.front()->ComputeLighting(m, std::clamp(frame, 0, model.m_numFrames - 1), light, Vec3{1.0f, 1.0f, 1.0f},
                                         Vec3{0.45f, 0.45f, 0.45f}, model.m_shadeType, model.m_alpha);
  model.m_lit = 1;
}

Matrix PlacedModelMatrix(const C3dAnimModelRes& model, const Vec3& pos, const Vec3& angles, const Matrix& view) {
  const float s = model.m_scale;
  Matrix m;
  m.MakeScale(s, s, s);
  m.Translate(model.m_offset);
  m.RotateY(angles.y * kDegToRad);
  m.RotateX(angles.x * kDegToRad);
  m.RotateZ(angles.z * kDegToRad);
  m.Translate(pos);
  Matrix::Multiply(m, m, view);
  return m;
}

void DrawPlacedModel(CRC& rc, const Matrix& view, C3dAnimModelRes& model, int frame, const Vec3& pos,
                     const Vec3& angles, int alpha, uint32_t colour, int wobble) {
  if (model.m_nodes.empty() || model.m_numFrames <= 0) return;
  const Matrix m = PlacedModelMatrix(model, pos, angles, view);
  LightModelOnce(model, m, frame);
  DrawModelNode(rc, m, frame, model.m_nodes.front().get(), alpha, colour, 0, 0, wobble, 0, 0, 1.0f, 1.0f);
}
