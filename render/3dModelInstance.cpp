#include "render/3dModelInstance.h"

#include <algorithm>
#include <cmath>

#include "render/3dActor.h"
#include "render/3dModelRes.h"
#include "render/ModelLighting.h"
#include "render/RC.h"
#include "render/Texture.h"

namespace {

constexpr float kNearDepth = 10.0f;

// The rotation of a track at the frame; false when no key lies after it.
bool TrackRotation(const std::vector<QuatKey>& keys, int frame, Matrix& rotation) {
  const auto next =
      std::find_if(keys.begin(), keys.end(), [frame](const QuatKey& key) { return key.frame > frame; });
  if (next == keys.end()) return false;
  rotation.MakeIdentity();
  if (next == keys.begin()) {
    rotation.SetRotationQuat(next->q);
    return true;
  }
  const QuatKey& previous = *(next - 1);
  if (previous.q.w == 1.0f && next->q.w == 1.0f) return true;
  const float t = KeyWeight(frame, previous.frame, next->frame);
  rotation.SetRotationQuat(Slerp(previous.q, next->q, t));
  return true;
}

void Widen(const Vec3& p, Vec3& lo, Vec3& hi) {
  lo = Vec3{std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
  hi = Vec3{std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
}

}  // namespace

C3dModelInstance::C3dModelInstance(const C3dModelNode& node, C3dActor* owner, C3dModelInstance* parent)
    : m_name(node.name),
      m_alpha(node.alpha),
      m_textures(node.textures),
      m_mesh(&node.mesh),
      m_transform(node.local),
      m_transformIsIdentity(node.local.IsIdentity()),
      m_rotKeys(node.rotKeys),
      m_colors(node.mesh.faces.size() * 3, static_cast<uint32_t>(node.alpha) << 24 | 0xFFFFFF),
      m_parent(parent),
      m_owner(owner) {
  m_offset.MakeTranslation(node.position.x, node.position.y, node.position.z);
  m_rotation.SetRotationAxis(node.rotAxis, node.rotAngle);
  m_rotation.Scale(node.scale.x, node.scale.y, node.scale.z);
  m_local.MultiplyRotation(m_rotation, m_offset);
  for (const C3dModelNode* child : node.children) {
    m_children.push_back(std::make_unique<C3dModelInstance>(*child, owner, this));
  }
}

void C3dModelInstance::SetAnimFrame(int frame) {
  if (TrackRotation(m_rotKeys, frame, m_rotation)) m_local.MultiplyRotation(m_rotation, m_offset);
  for (const auto& child : m_children) child->SetAnimFrame(frame);
}

Matrix C3dModelInstance::VertexMatrix(const Matrix& parent, Matrix& childParent) const {
  Matrix::Multiply(childParent, m_local, parent);
  if (m_transformIsIdentity) return childParent;
  Matrix v;
  Matrix::Multiply(v, m_transform, childParent);
  return v;
}

void C3dModelInstance::ComputeLighting(const Matrix& parent, const ModelLight& light, int shadeType) {
  Matrix childParent;
  const Matrix v = VertexMatrix(parent, childParent);
  LightModelFaces(v, m_mesh->vertices.data(), m_mesh->vertices.size(), m_mesh->faces, m_mesh->texVertices.data(),
                  light, shadeType, m_alpha, m_colors);
  for (const auto& child : m_children) child->ComputeLighting(childParent, light, shadeType);
}

void C3dModelInstance::ExtendBounds(const Matrix& parent, Vec3& lo, Vec3& hi) const {
  Matrix childParent;
  const Matrix v = VertexMatrix(parent, childParent);
  for (const Vec3& vertex : m_mesh->vertices) Widen(v.TransformPoint(vertex), lo, hi);
  for (const auto& child : m_children) child->ExtendBounds(childParent, lo, hi);
}

void C3dModelInstance::Render(CRC& rc, const Matrix& parent, bool mirror) {
  Matrix childParent;
  const Matrix v = VertexMatrix(parent, childParent);
  if (!m_textures.empty()) RenderFaces(rc, v, mirror);
  for (const auto& child : m_children) child->Render(rc, childParent, mirror);
}

void C3dModelInstance::RenderFaces(CRC& rc, const Matrix& v, bool mirror) {
  std::vector<ProjectedVertex>& points = m_owner->m_faceRecords.Scratch();
  const float cx = static_cast<float>(rc.m_centerX), cy = static_cast<float>(rc.m_halfHeight);
  const float width = static_cast<float>(rc.m_width), height = static_cast<float>(rc.m_height);
  for (size_t i = 0; i < m_mesh->vertices.size(); ++i) {
    const Vec3 p = v.TransformPoint(m_mesh->vertices[i]);
    const float z = p.z >= kNearDepth ? p.z : kNearDepth;  // not a number goes near too
    const float rhw = 1.0f / z;
    ProjectedVertex& out = points[i];
    out.x = cx + rc.m_focalX * p.x * rhw;
    out.y = cy + rc.m_focalY * p.y * rhw;
    out.rhw = rhw;
    out.finite = std::isfinite(out.x) && std::isfinite(out.y);
  }
  for (size_t f = 0; f < m_mesh->faces.size(); ++f) {
    const ModelFace& face = m_mesh->faces[f];
    CTexture* texture = m_textures[face.texture % m_textures.size()];
    if (texture == nullptr) continue;
    const ProjectedVertex& a = points[face.vertex[0]];
    const ProjectedVertex& b = points[face.vertex[1]];
    const ProjectedVertex& c = points[face.vertex[2]];
    if (!a.finite || !b.finite || !c.finite) continue;
    if (a.y < 0 && b.y < 0 && c.y < 0) continue;
    if (a.y > height && b.y > height && c.y > height) continue;
    if (a.x < 0 && b.x < 0 && c.x < 0) continue;
    if (a.x > width && b.x > width && c.x > width) continue;
    const bool front = (c.x - a.x) * (b.y - a.y) > (c.y - a.y) * (b.x - a.x);
    if (face.twoSided == 0 && front == mirror) continue;
    TriangleBatch& record = m_records[f];
    const ProjectedVertex* corners[3] = {&a, &b, &c};
    for (int k = 0; k < 3; ++k) {
      const ModelTexVertex& tv = m_mesh->texVertices[face.texVertex[k]];
      record.v[k] = platform::TexturedVertex{corners[k]->x, corners[k]->y, 0.0f, corners[k]->rhw,
                                             m_colors[f * 3 + k], 0, tv.u, tv.v};
    }
    m_owner->m_faceRecords.Link(record, texture);
  }
}

size_t C3dModelInstance::AssignRecords(TriangleBatch* records, size_t first) {
  m_records = records + first;
  size_t next = first + m_mesh->faces.size();
  for (const auto& child : m_children) next = child->AssignRecords(records, next);
  return next;
}

size_t C3dModelInstance::FaceCount() const {
  size_t count = m_mesh->faces.size();
  for (const auto& child : m_children) count += child->FaceCount();
  return count;
}

size_t C3dModelInstance::LargestVertexCount() const {
  size_t largest = m_mesh->vertices.size();
  for (const auto& child : m_children) largest = std::max(largest, child->LargestVertexCount());
  return largest;
}
