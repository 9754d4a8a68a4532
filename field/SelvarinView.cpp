#include "field/SelvarinView.h"

#include <algorithm>
#include <cmath>

#include "engine/Controller.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "render/2dActor.h"
#include "render/3dGround.h"
#include "render/RC.h"

SLV_REGISTER_CLASS(CSelvarinView);

namespace {

constexpr float kHudNear = 15.0f;
constexpr float kHudNearAngle = 0.6108651f;  // 35 degrees
constexpr float kHudFar = 20.0f;
constexpr float kHudFarAngle = 1.2490447f;

Matrix HudTransform(float distance, float angle) {
  // Seen from above (y points down) and in front, towards the origin.
  const Vec3 eye{0.0f, -distance * std::sin(angle), -distance * std::cos(angle)};
  Matrix m;
  m.MakeLookAt(eye, Vec3{}, Vec3{0.0f, 1.0f, 0.0f});
  return m;
}

int32_t KeyState(int button) {
  return g_pMainKeyPad != nullptr ? g_pMainKeyPad->m_buttons[static_cast<size_t>(button)] : kStateUp;
}

bool PressedOrRepeating(int button) {
  const int32_t state = KeyState(button);
  return IsNewlyPressed(state);
}

bool Down(int button) {
  const int32_t state = KeyState(button);
  return state == kStatePressed || state == kStateHeld || state == kStatePressedAgain;
}

// The step towards a target when the whole-number part of the gap is more
// than the step; else nothing.
float StepTowards(float value, float target, float step) {
  if (std::trunc(std::fabs(target - value)) > step) return value + (target > value ? step : -step);
  return value;
}

void RenderActor(CActor* actor, CRC& rc, const Matrix& view) {
  if (auto* sprite = dynamic_cast<C2dActor*>(actor)) sprite->Render(rc, view);
}

}  // namespace

CSelvarinView::CSelvarinView()
    : m_hudModelView(HudTransform(kHudNear, kHudNearAngle)), m_hudModelViewFar(HudTransform(kHudFar, kHudFarAngle)) {}

void CSelvarinView::ClampToMap(Vec3& point, float margin) const {
  const CSelvarinFrame* frame = GetGameFrame();
  if (frame == nullptr) return;
  // A map narrower than its margins keeps the look-at on its middle.
  point.x = std::min(std::max(point.x, frame->m_mapMinX + margin), frame->m_mapMaxX - margin);
  point.z = std::min(std::max(point.z, frame->m_mapMinZ + margin), frame->m_mapMaxZ - margin);
}

void CSelvarinView::TurnKeys() {
  if (m_noRotate != 0) return;
  if (PressedOrRepeating(6)) m_targetYaw += kYawKeyTurn;
  if (PressedOrRepeating(7)) m_targetYaw -= kYawKeyTurn;
}

void CSelvarinView::TickCamera() {
  // Without anyone to follow the camera stays where it looks.
  if (m_pFollow != nullptr) {
    Vec3 at = m_pFollow->m_pos;
    ClampToMap(at, kMargin);
    SetLookAt(at);
  }
  TurnKeys();
  if (m_noRotate == 0) {
    if (Down(8)) m_distance += kZoomStep;
    if (Down(9)) m_distance -= kZoomStep;
  }
  UpdateCamera();
  NormalizeAngles();
}

void CSelvarinView::FollowStep(float margin) {
  if (m_pFollow != nullptr) m_targetLookAt = m_pFollow->m_pos;
  const Vec3 gap = m_targetLookAt - m_lookAt;
  const float length = std::sqrt(gap.x * gap.x + gap.y * gap.y + gap.z * gap.z);
  if (length > 1.0f) {
    m_lookAt = m_lookAt + gap * (m_lookAtStep / length);
  } else {
    m_lookAt = m_targetLookAt;
  }
  ClampToMap(m_lookAt, margin);
  float turn = std::fmod(m_targetYaw - m_yaw, 360.0f);
  if (turn < 0.0f) turn += 360.0f;
  if (turn > 5.0f && turn < 355.0f) m_yaw += (turn < 180.0f ? m_yawStep : -m_yawStep);
  m_distance = StepTowards(m_distance, m_targetDistance, m_distanceStep);
  m_pitch = StepTowards(m_pitch, m_targetPitch, m_pitchStep);
}

void CSelvarinView::FollowTarget() {
  FollowStep(kMargin);
  NormalizeAngles();
}

void CSelvarinView::FollowTargetWide() {
  FollowStep(kWideMargin);
  UpdateCamera();
  NormalizeAngles();
}

void CSelvarinView::ClampCamera(float x, float y, float z, float distance) {
  if (m_pFollow != nullptr) {
    m_targetLookAt = m_pFollow->m_pos;
    ClampToMap(m_targetLookAt, kMargin);
  } else {
    m_targetLookAt = Vec3{x, y, z};
    if (const CSelvarinFrame* frame = GetGameFrame()) {
      m_targetLookAt.x = std::min(x, frame->m_mapMaxX - kMargin);
      m_targetLookAt.z = std::min(z, frame->m_mapMaxZ - kMargin);
    }
  }
  m_targetDistance = distance;
  TurnKeys();
  UpdateCamera();
  NormalizeAngles();
}

void CSelvarinView::SetLookAt(const Vec3& position) {
  m_lookAt = position;
  m_targetLookAt = position;
}

void CSelvarinView::SaveCamera() {
  m_saved = SavedCamera{m_pitch,       m_yaw,       m_distance,       m_lookAt,
                        m_targetPitch, m_targetYaw, m_targetDistance, m_targetLookAt};
}

void CSelvarinView::RestoreCamera() {
  m_pitch = m_saved.pitch;
  m_yaw = m_saved.yaw;
  m_distance = m_saved.distance;
  m_lookAt = m_saved.lookAt;
  m_targetPitch = m_saved.targetPitch;
  m_targetYaw = m_saved.targetYaw;
  m_targetDistance = m_saved.targetDistance;
  m_targetLookAt = m_saved.targetLookAt;
}

void CSelvarinView::SetCamera(float pitch, float yaw, float distance) {
  m_pitch = m_targetPitch = pitch;
  m_yaw = m_targetYaw = yaw;
  m_distance = m_targetDistance = distance;
}

void CSelvarinView::MoveCamera(float pitch, float yaw, float distance) {
  m_targetPitch = pitch;
  m_targetYaw = yaw;
  m_targetDistance = distance;
}

void CSelvarinView::SetCameraPos(const Vec3& lookAt) { m_lookAt = m_targetLookAt = lookAt; }

void CSelvarinView::MoveCameraPos(const Vec3& lookAt) {
  m_targetLookAt = lookAt;
  m_pFollow = nullptr;
}

void CSelvarinView::HoldCameraPos() {
  m_lookAt = m_targetLookAt;
  m_pFollow = nullptr;
}

void CSelvarinView::SetFollowSpeeds(float lookAt, float yaw, float pitch, float distance) {
  m_lookAtStep = lookAt;
  m_yawStep = yaw;
  m_pitchStep = pitch;
  m_distanceStep = distance;
}

void CSelvarinView::Render(CRC& rc) {
  RenderScene(rc, true, [](CRC& r, const CSelvarinContext& context, const Matrix& view) {
    for (CActor* actor : context.m_liveActors) RenderActor(actor, r, view);
    for (CSelvarinActor* effect : context.m_effects) RenderActor(effect, r, view);
  });
}

void CSelvarinView::RenderMacroScene(CRC& rc) {
  RenderScene(rc, true, [](CRC& r, const CSelvarinContext& context, const Matrix& view) {
    for (CSelvarinActor* actor : context.m_macroActors) RenderActor(actor, r, view);
    for (CSelvarinActor* effect : context.m_effects) RenderActor(effect, r, view);
  });
}

void CSelvarinView::RenderSceneNoEffects(CRC& rc) {
  RenderScene(rc, true, [](CRC& r, const CSelvarinContext& context, const Matrix& view) {
    for (CActor* actor : context.m_liveActors) RenderActor(actor, r, view);
  });
}

void CSelvarinView::RenderBattleScene(CRC& rc) {
  const CSelvarinFrame* frame = GetGameFrame();
  m_groundCursor = frame != nullptr && frame->m_groundSelect != 0;
  if (m_groundCursor) {
    m_groundCellX = frame->m_groundCursor.cellX;
    m_groundCellZ = frame->m_groundCursor.cellZ;
  }
  RenderScene(rc, false, [](CRC& r, const CSelvarinContext& context, const Matrix& view) {
    for (CActor* actor : context.m_battleObjects) RenderActor(actor, r, view);
    for (CSelvarinActor* effect : context.m_effects) RenderActor(effect, r, view);
  });
  m_groundCursor = false;
}

void CSelvarinView::RenderScene(CRC& rc, bool fog, const DrawStep& draw) {
  const CSelvarinContext* context = GetFieldContext();
  if (context != nullptr) {
    CullNodes(rc, context->m_tree);
    if (fog) rc.ApplyFog();
    FlushDrawList(rc, 0);
    if (context->m_pGround != nullptr) {
      if (m_groundCursor) {
        context->m_pGround->Render(rc, m_viewMatrix, 0.0f, context->m_waterLevel, m_waterSet, m_waveWater, m_extendClip,
                                   &m_groundPicks, m_groundCellX, m_groundCellZ);
      } else {
        context->m_pGround->Render(rc, m_viewMatrix, 0.0f, context->m_waterLevel, m_waterSet, m_waveWater, m_extendClip, nullptr, -1, -1);
      }
    }
    rc.DrawOpaqueTextureBatches();
    rc.DrawAlphaTextureBatches();
    rc.DrawFlaggedTextureBatches(true);
    draw(rc, *context, m_viewMatrix);
    rc.FlushQuads();
    rc.FlushTrisZLess();
    rc.FlushEffectQuads();
    rc.FlushAlphaTestTris();
    rc.FlushQuadsA();
    rc.FlushQuadsB();
    rc.FlushSpriteQuads();
    FlushDrawList(rc, 1);
    rc.FlushBlendTris();
    rc.FlushBlendTrisTested();
    rc.FlushAdditiveTris();
    rc.FlushTrisZLessEqual();
    rc.FlushTrisNoDepthTest();
    rc.FlushOverlayQuads();
  }
  C3dView::Render(rc);
  m_visibleNodes.clear();
}
