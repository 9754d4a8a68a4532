#include "render/3dView.h"

#include <cmath>

#include "render/3dActor.h"
#include "render/QuadNode.h"
#include "render/RC.h"

SLV_REGISTER_CLASS(C3dView);

namespace {

// Into [low, low + 360) by whole turns. A value that is not finite has no
// angle and becomes 0; far-off values take the remainder first.
float WrapFrom(float a, float low) {
  if (!std::isfinite(a)) return 0.0f;
  if (std::fabs(a) >= 3600.0f) a = std::fmod(a, 360.0f);
  while (a < low) a += 360.0f;
  while (a >= low + 360.0f) a -= 360.0f;
  return a;
}

float Ease(float current, float target) { return current + C3dView::kEase * (target - current); }

bool AnyCornerInside(const QuadNode& node, const Vec3& normal, float d) {
  for (const Vec3& c : node.m_corners) {
    if (normal.x * c.x + normal.y * c.y + normal.z * c.z + d > 0.0f) return true;
  }
  return false;
}

}  // namespace

void C3dView::Init() {
  CView::Init();
  m_pitch = m_targetPitch = -45.0f;
  m_yaw = m_targetYaw = 0.0f;
  m_distance = m_targetDistance = 300.0f;
  m_lookAt = m_targetLookAt = Vec3{};
  m_offset = Vec3{};
  m_up = Vec3{0.0f, 1.0f, 0.0f};
  m_offsetMatrix.MakeTranslation(0.0f, 0.0f, 0.0f);
}

void C3dView::Update() {
  NormalizeAngles();
  UpdateCamera();
}

void C3dView::Render(CRC& rc) {
  rc.m_cameraPitch = m_pitch;
  rc.m_cameraDistance = m_distance;
}

void C3dView::NormalizeAngles() {
  m_targetYaw = WrapFrom(m_targetYaw, 0.0f);
  m_yaw = WrapFrom(m_yaw + kEase * WrapFrom(m_targetYaw - m_yaw, -180.0f), 0.0f);
  m_pitch = Ease(m_pitch, m_targetPitch);
  m_distance = Ease(m_distance, m_targetDistance);
  m_lookAt.x = Ease(m_lookAt.x, m_targetLookAt.x);
  m_lookAt.y = Ease(m_lookAt.y, m_targetLookAt.y);
  m_lookAt.z = Ease(m_lookAt.z, m_targetLookAt.z);
}

// The eye orbits the look-at point in x and z only: its height is the
// orbit's alone.
void C3dView::UpdateCamera() {
  Matrix r;
  r.MakeRotationX(m_pitch * kDegToRad);
  r.RotateY(m_yaw * kDegToRad);
  m_eye = Vec3{r.m[6], r.m[7], r.m[8]} * -m_distance + Vec3{r.m[9], r.m[10], r.m[11]};
  m_eye.x += m_lookAt.x;
  m_eye.z += m_lookAt.z;
  Matrix lookAt;
  lookAt.MakeLookAt(m_eye, m_lookAt, m_up);
  m_offsetMatrix.MakeTranslation(m_offset.x, m_offset.y, m_offset.z);
  Matrix::Multiply(m_viewMatrix, lookAt, m_offsetMatrix);
}

// The six planes of the view volume, taken from view space to world space.
void C3dView::CullNodes(const CRC& rc, const QuadNode& root) {
  const float tx = rc.m_cotX;
  const float ty = rc.m_cotY;
  const Plane view[6] = {{{-tx, 0, 1}, 0}, {{tx, 0, 1}, 0},  {{0, -ty, 1}, 0},
                         {{0, ty, 1}, 0},  {{0, 0, 1}, -1}, {{0, 0, -1}, kFarPlane}};
  const float* m = m_viewMatrix.m;
  Plane world[6];
  for (int i = 0; i < 6; ++i) {
    const Vec3& n = view[i].normal;
    world[i].normal = Vec3{m[0] * n.x + m[1] * n.y + m[2] * n.z, m[3] * n.x + m[4] * n.y + m[5] * n.z,
                           m[6] * n.x + m[7] * n.y + m[8] * n.z};
    world[i].d = m[9] * n.x + m[10] * n.y + m[11] * n.z + view[i].d;
  }
  CullChildren(root, 0, world);
}

void C3dView::CullChildren(const QuadNode& node, int depth, const Plane (&planes)[6]) {
  if (depth == kLeafDepth) {
    m_visibleNodes.push_back(&node);
    return;
  }
  for (const auto& child : node.m_children) {
    if (child == nullptr) continue;
    int inside = 0;
    for (const Plane& p : planes) inside += AnyCornerInside(*child, p.normal, p.d) ? 1 : 0;
    if (inside == 6) CullChildren(*child, depth + 1, planes);
  }
}

void C3dView::FlushDrawList(CRC& rc, int translucent) {
  for (const QuadNode* leaf : m_visibleNodes) {
    for (C3dActor* actor : leaf->m_objects) {
      if (actor->m_drawStamp == rc.m_frameCount) continue;
      if ((actor->m_modelAlpha == 255) != (translucent == 0)) continue;
      actor->Render(rc, m_viewMatrix);
      actor->m_drawStamp = rc.m_frameCount;
    }
  }
  if (translucent == 0) {
    rc.DrawOpaqueTextureBatches();
    rc.DrawAlphaTextureBatches();
  } else {
    rc.DrawFlaggedTextureBatches(false);
  }
}
