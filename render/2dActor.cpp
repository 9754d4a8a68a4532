#include "render/2dActor.h"

#include <algorithm>
#include <cmath>

#include "engine/ActRes.h"
#include "engine/FrameMgr.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/3dContext.h"
#include "render/3dView.h"
#include "render/Projection.h"
#include "render/RC.h"

SLV_REGISTER_ACTOR(C2dActor, "2dActor");

namespace {

constexpr float kHeadHeight = 10.0f;   // the second depth's point above the foot
constexpr float kSpriteScale = 0.14285715f;
constexpr float kSectorWidth = 0.022222223f;  // 1 / 45 degrees
// From here on a step of 1.0 no longer changes a float.
constexpr float kExactLimit = 16777216.0f;

const C3dView* CurrentView() {
  return g_pCurrentFrame != nullptr ? dynamic_cast<const C3dView*>(g_pCurrentFrame->m_pView) : nullptr;
}

// A non-finite angle counts as 0; a far-off one takes its remainder first,
// so that whole turns bring it home in a few steps.
float TameAngle(float a) {
  if (!std::isfinite(a)) return 0.0f;
  return std::fabs(a) >= 3600.0f ? std::fmod(a, 360.0f) : a;
}

struct Projected {
  float x, y;      // the anchor on screen
  float scale;     // of the sprite's pixels
  float rhwFoot;   // 1 / (depth - 2) at the foot
  float rhwHead;   // and at the point above it
};

Projected Project(const CRC& rc, const Matrix& view, const Vec3& p) {
  const CProjector projector(rc, view, kSpriteDepthRule);
  const ProjectedPoint foot = projector.Project(p);
  return {foot.x, foot.y, foot.rhw * rc.m_focalX * kSpriteScale, foot.rhw,
          projector.Rhw({p.x, p.y - kHeadHeight, p.z})};
}

}  // namespace

void C2dActor::Init() {
  m_pos = Vec3{};
  m_angleX = m_angle = m_angleZ = 0.0f;
  m_velocity = Vec3{};
  m_action = m_motion = 0;
  m_inAir = 1;  // a new actor first falls onto the ground
  m_state = m_stateParam0 = m_stateParam1 = 0;
}

bool C2dActor::OnProcess() {
  FallStep();
  UpdateFrame();
  MoveStep();
  return UpdateAction(m_state) != 0;
}

void C2dActor::FallStep() {
  const C3dContext* context = CurrentContext();
  if (context == nullptr) return;
  if (m_inAir != 0) {
    m_pos.y += m_velocity.y;
    m_velocity.y += kGravity;
    if (m_velocity.y >= 0.0f && context->CheckHeight(m_pos.x, m_pos.y, m_pos.z) != 0) {
      m_inAir = 0;
      LiftOut(*context);
    }
    return;
  }
  const float height = context->GetStandHeight(m_pos);
  if (height >= m_pos.y + kFallDrop) {
    m_inAir = 1;
    m_velocity.y = kGravity;
  } else {
    m_pos.y = height;
  }
}

void C2dActor::LiftOut(const C3dContext& context) {
  while (context.CheckHeight(m_pos.x, m_pos.y, m_pos.z) != 0) {
    // Steps of 1.0 would never end: stand on the ground at once.
    if (!(std::fabs(m_pos.y) < kExactLimit)) {
      m_pos.y = context.GetStandHeight(m_pos);
      return;
    }
    m_pos.y -= 1.0f;
  }
}

void C2dActor::UpdateFrame() {
  const C3dView* view = CurrentView();
  if (view == nullptr) return;
  float a = TameAngle(view->m_yaw - m_angle);
  while (a < 22.5f) a += 360.0f;
  while (a > 382.5f) a -= 360.0f;
  int s = static_cast<int>((a - 22.5f) * kSectorWidth);
  if (s > 7) s -= 8;
  m_action = 0;
  m_motion = 7 - s;
}

const C3dContext* C2dActor::CurrentContext() {
  return g_pCurrentFrame != nullptr ? dynamic_cast<const C3dContext*>(g_pCurrentFrame->m_pContext) : nullptr;
}

float C2dActor::CameraYaw() {
  const C3dView* view = CurrentView();
  return view != nullptr ? view->m_yaw : 0.0f;
}

void C2dActor::MoveStep() {
  const C3dContext* context = CurrentContext();
  if (context == nullptr) return;
  StepAgainst(*context);
  if (m_inAir == 0) m_velocity.x = m_velocity.z = 0.0f;
}

bool C2dActor::StepAgainst(const C3dContext& context) {
  const Vec3 old = m_pos;
  m_pos.x += m_velocity.x;
  m_pos.z += m_velocity.z;
  const Vec3 test{m_pos.x, m_pos.y - (m_inAir != 0 ? 0.5f : 1.0f), m_pos.z};
  const int r = context.CheckMove(test.x, test.y, test.z);
  if (r == 1) {
    m_pos = old;
    return false;
  }
  if (r != 2 && r != 3) return true;
  Vec3 moved = test;
  if (r == 2) {
    context.PushOutOfActors(moved);
  } else {
    context.PushOutNearestAxis(moved);
  }
  if (context.CheckMove(moved.x, moved.y, moved.z) != 0) {
    m_pos = old;
    return false;
  }
  m_pos.x = moved.x;
  m_pos.z = moved.z;
  m_pos.y += moved.y - test.y;
  return true;
}

void C2dActor::Render(CRC& rc, const Matrix& view) {
  if (m_actName.empty() || m_sprName.empty()) return;
  CResMgr& resources = CResMgr::GetInstance();
  const auto* actions = dynamic_cast<const CActRes*>(resources.GetResStr(m_actName));
  const auto* sprites = dynamic_cast<const CSprRes*>(resources.GetResStr(m_sprName));
  if (actions == nullptr || sprites == nullptr) return;
  const ActMotion* motion = actions->GetMotion(m_action, m_motion);
  if (motion == nullptr) return;
  const Projected p = Project(rc, view, m_pos);
  const float width = static_cast<float>(rc.ViewWidth());
  const float height = static_cast<float>(rc.ViewHeight());
  for (const ActLayer& layer : motion->layers) {
    // The queue carries palette images only.
    const SprImage* image = layer.kind == 0 ? sprites->GetImage(layer.sprite) : nullptr;
    if (image == nullptr) continue;
    const float ox = static_cast<float>(layer.x), oy = static_cast<float>(layer.y);
    const float top = p.y + p.scale * oy;
    const float bottom = p.y + p.scale * (oy + static_cast<float>(image->height));
    const float outer = p.x - p.scale * (ox + static_cast<float>(image->width));
    const float inner = p.x - p.scale * ox;
    if (!(top < height && bottom > 0.0f && outer < width && inner > 0.0f)) continue;
    QueuedEffectQuad quad{};
    quad.top = top;
    quad.bottom = bottom;
    // Mirrored about the anchor as stored; the mirror flag turns it back.
    quad.left = layer.mirror != 0 ? outer : inner;
    quad.right = layer.mirror != 0 ? inner : outer;
    quad.rhwBottom = p.rhwFoot;
    quad.rhwTop = p.rhwHead;
    quad.angle = 0;
    quad.silhouette = 0;
    quad.color = 0xFFFFFFFF;
    quad.image = image;
    rc.m_effectQuads.push_back(quad);
  }
}
