#include "render/3dActor.h"

#include <algorithm>

#include "engine/ResMgr.h"
#include "platform/DebugLog.h"
#include "render/ModelLighting.h"
#include "render/RC.h"

SLV_REGISTER_ACTOR(C3dActor, "3dActor");

namespace {
namespace actor3d {

constexpr float kNearDepth = 10.0f;
constexpr float kBoundsStart = 100000.0f;

// The corners of a box, -x before +x, then -y before +y around, then -z
// before +z.
std::array<Vec3, 8> BoxCorners(const Vec3& lo, const Vec3& hi) {
  return {Vec3{lo.x, lo.y, lo.z}, Vec3{hi.x, lo.y, lo.z}, Vec3{hi.x, hi.y, lo.z}, Vec3{lo.x, hi.y, lo.z},
          Vec3{lo.x, lo.y, hi.z}, Vec3{hi.x, lo.y, hi.z}, Vec3{hi.x, hi.y, hi.z}, Vec3{lo.x, hi.y, hi.z}};
}

}  // namespace actor3d
}  // namespace

bool C3dActor::Mirrored() const {
  const int negative = (m_scale.x < 0.0f ? 1 : 0) + (m_scale.y < 0.0f ? 1 : 0) + (m_scale.z < 0.0f ? 1 : 0);
  return negative % 2 != 0;
}

void C3dActor::SetPlacement(float rx, float ry, float rz, float px, float py, float pz, float sx, float sy,
                            float sz) {
  m_rotation = Vec3{rx, ry, rz};
  m_pos = Vec3{px, py, pz};
  m_scale = Vec3{sx, sy, sz};
  m_world.MakeRotationY(ry * kDegToRad);
  m_world.RotateX(rx * kDegToRad);
  m_world.RotateZ(rz * kDegToRad);
  m_world.Translate(m_pos);
  m_world.Scale(sx, sy, sz);
  Matrix::Inverse(m_worldInv, m_world);
}

void C3dActor::SetModel(const C3dModelNode* node) {
  ReleaseInstance();
  if (node == nullptr) return;
  m_model = node->owner;
  CResMgr::GetInstance().Lock(m_model);
  m_instance = std::make_unique<C3dModelInstance>(*node, this, nullptr);
  m_faceRecords.Allocate(m_instance->FaceCount(), m_instance->LargestVertexCount());
  m_instance->AssignRecords(m_faceRecords.Records(0), 0);
  m_posKeys = node->posKeys;
  m_modelAlpha = node->alpha;
  ComputeBounds();
}

void C3dActor::ComputeBounds() {
  m_modelMin = Vec3{actor3d::kBoundsStart, actor3d::kBoundsStart, actor3d::kBoundsStart};
  m_modelMax = Vec3{-actor3d::kBoundsStart, -actor3d::kBoundsStart, -actor3d::kBoundsStart};
  m_instance->ExtendBounds(Matrix{}, m_modelMin, m_modelMax);
  m_centre = Vec3{-(m_modelMin.x + m_modelMax.x) / 2.0f, -m_modelMax.y, -(m_modelMin.z + m_modelMax.z) / 2.0f};
  m_corners = actor3d::BoxCorners(m_modelMin + m_centre, m_modelMax + m_centre);
  m_worldMin = Vec3{actor3d::kBoundsStart, actor3d::kBoundsStart, actor3d::kBoundsStart};
  m_worldMax = Vec3{-actor3d::kBoundsStart, -actor3d::kBoundsStart, -actor3d::kBoundsStart};
  for (const Vec3& corner : m_corners) {
    const Vec3 p = m_world.TransformPoint(corner);
    m_worldMin = Vec3{std::min(m_worldMin.x, p.x), std::min(m_worldMin.y, p.y), std::min(m_worldMin.z, p.z)};
    m_worldMax = Vec3{std::max(m_worldMax.x, p.x), std::max(m_worldMax.y, p.y), std::max(m_worldMax.z, p.z)};
  }
}

void C3dActor::CopyNodeRecords(const std::vector<ModelBox>& boxes) {
  for (const ModelBox& record : boxes) {
    CollisionBox box;
    box.halfExtents = record.halfExtents;
    box.position = record.position;
    box.rotation = record.rotation;
    box.flag = record.flag;
    m_boxes.push_back(box);
  }
}

void C3dActor::SetAnimFrame(int frame) {
  if (frame < 0 || frame >= m_animLen) {
    DebugLog("anim range error");
    DebugLogf("name == %s, framepos == %d, m_animLen = %d", m_name.c_str(), frame, m_animLen);
    frame = 0;
  }
  UpdatePositionTrack(frame);
  Matrix centring;
  centring.MakeTranslation(m_centre.x, m_centre.y, m_centre.z);
  Matrix::Multiply(m_nodeMatrix, m_anim, m_world);
  Matrix::Multiply(m_drawMatrix, centring, m_nodeMatrix);
  if (m_instance != nullptr) m_instance->SetAnimFrame(frame);
}

// A frame before the first key takes the first key; one after the last
// keeps the matrix as it stands.
void C3dActor::UpdatePositionTrack(int frame) {
  if (m_posKeys.empty()) {
    m_anim.MakeIdentity();
    return;
  }
  const auto next =
      std::find_if(m_posKeys.begin(), m_posKeys.end(), [frame](const PosKey& key) { return key.frame > frame; });
  if (next == m_posKeys.end()) return;
  Vec3 pos = next->pos;
  if (next != m_posKeys.begin()) {
    const PosKey& previous = *(next - 1);
    const float t = KeyWeight(frame, previous.frame, next->frame);
    pos = previous.pos * (1.0f - t) + next->pos * t;
  }
  m_anim.MakeTranslation(pos.x, pos.y, pos.z);
}

void C3dActor::UpdateNodeMatrices(const Vec3& light, const Vec3& diffuse, const Vec3& ambient) {
  if (m_instance != nullptr) {
    const Vec3 direction = Mirrored() ? light * -1.0f : light;
    m_instance->ComputeLighting(m_drawMatrix, ModelLight{direction, diffuse, ambient}, m_shade);
  }
  for (CollisionBox& box : m_boxes) {
    box.box.MakeRotationX(box.rotation.x * kDegToRad);
    box.box.RotateY(box.rotation.y * kDegToRad);
    box.box.RotateZ(box.rotation.z * kDegToRad);
    box.box.Translate(box.position);
    Matrix::Inverse(box.inverse, box.box);
    Matrix toWorld;
    Matrix::Multiply(toWorld, box.box, m_world);
    const Vec3& e = box.halfExtents;
    const std::array<Vec3, 8> corners = actor3d::BoxCorners(e * -1.0f, e);
    for (size_t i = 0; i < corners.size(); ++i) box.corners[i] = toWorld.TransformPoint(corners[i]);
  }
}

void C3dActor::Render(CRC& rc, const Matrix& view) {
  if (m_instance == nullptr) return;
  ScreenCorners corners;
  if (!ProjectCorners(rc, view, corners)) {
    // Records an earlier draw left in undrawn chains leave them.
    m_faceRecords.Unlink();
    return;
  }
  DrawInstance(rc, view);
}

bool C3dActor::ProjectCorners(const CRC& rc, const Matrix& view, ScreenCorners& out) const {
  Matrix m;
  Matrix::Multiply(m, m_nodeMatrix, view);
  const float cx = static_cast<float>(rc.m_centerX), cy = static_cast<float>(rc.m_halfHeight);
  const float width = static_cast<float>(rc.m_width), height = static_cast<float>(rc.m_height);
  int left = 0, above = 0, right = 0, below = 0, behind = 0;
  for (size_t i = 0; i < m_corners.size(); ++i) {
    const Vec3 p = m.TransformPoint(m_corners[i]);
    behind += p.z <= 0.0f ? 1 : 0;
    const float z = p.z >= actor3d::kNearDepth ? p.z : actor3d::kNearDepth;
    const float x = cx + rc.m_focalX * p.x / z;
    const float y = cy + rc.m_focalY * p.y / z;
    out[i] = ScreenCorner{x, y};
    left += x <= 0.0f ? 1 : 0;
    above += y <= 0.0f ? 1 : 0;
    right += x >= width ? 1 : 0;
    below += y >= height ? 1 : 0;
  }
  // Raising depths to the near depth would put a model wholly behind the
  // eye onto the screen.
  return !(left == 8 || above == 8 || right == 8 || below == 8 || behind == 8);
}

void C3dActor::DrawInstance(CRC& rc, const Matrix& view) {
  // Records an earlier draw left in undrawn chains leave them first.
  m_faceRecords.Unlink();
  if (m_instance == nullptr) return;
  Matrix drawView;
  Matrix::Multiply(drawView, m_drawMatrix, view);
  m_instance->Render(rc, drawView, Mirrored());
}

void C3dActor::ReleaseInstance() {
  m_faceRecords.Free();
  m_instance.reset();
  if (m_model != nullptr) CResMgr::GetInstance().UnLock(m_model);
  m_model = nullptr;
}

void C3dActor::FreeModel() {
  ReleaseInstance();
  m_boxes.clear();
}
