#include "field/ModelBehaviour.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/ResMgr.h"
#include "field/ModelDraw.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/Truncation.h"
#include "platform/DebugLog.h"
#include "render/3dAnimModelRes.h"

namespace {
namespace modelbehaviour {

float FloatAt(intptr_t p) { return *reinterpret_cast<const float*>(p); }

// An angle from a script: above 359 it loses whole turns until it is not,
// then below 0 it gains them (so 359.5 stays); what is not finite is 0.
// The remainder stands for the counting loop, which a huge value would hang.
float NormalizedTarget(float a) {
  if (!std::isfinite(a)) return 0.0f;
  if (a > 359.0f) {
    a = std::fmod(a, 360.0f);
    if (a > 359.0f) a -= 360.0f;
  }
  if (a < 0.0f) {
    a = std::fmod(a, 360.0f);
    if (a < 0.0f) a += 360.0f;
  }
  return a;
}

// One step of an angle toward its target.
float TurnToward(float angle, float target, float speed) {
  if (angle == target) return angle;
  const int32_t step = TruncateClamped(speed);
  const int32_t gap = TruncateClamped(static_cast<double>(angle) - target);
  if (std::abs(static_cast<int64_t>(step)) < std::abs(static_cast<int64_t>(gap))) {
    return angle > target ? angle - std::fabs(speed) : angle + std::fabs(speed);
  }
  return target;
}

float Wrapped(float a) {
  if (a > 359.0f) return a - 360.0f;
  if (a < 0.0f) return a + 360.0f;
  return a;
}

}  // namespace modelbehaviour
}  // namespace

CModelBehaviour::~CModelBehaviour() { SetModel(nullptr); }

void CModelBehaviour::SetModel(const std::string& fileName) {
  auto* model = dynamic_cast<C3dAnimModelRes*>(CResMgr::GetInstance().GetResStr(fileName));
  if (model == nullptr) DebugLog("CModelBehaviour :: no model " + fileName);
  SetModel(model);
}

void CModelBehaviour::SetModel(C3dAnimModelRes* model) {
  CResMgr& resources = CResMgr::GetInstance();
  if (model != nullptr) resources.Lock(model);
  if (m_model != nullptr) resources.UnLock(m_model);
  m_model = model;
}

int32_t CModelBehaviour::FrameCount() const { return m_model != nullptr ? m_model->m_numFrames : 0; }

Vec3 CModelBehaviour::Angles() const { return Vec3{m_actor.m_angleX, m_actor.m_angle, m_actor.m_angleZ}; }

void CModelBehaviour::SetAngles(const Vec3& angles) {
  m_actor.m_angleX = angles.x;
  m_actor.m_angle = angles.y;
  m_actor.m_angleZ = angles.z;
}

void CModelBehaviour::Start() {
  m_rotTarget = Angles();
  m_rotSpeed = Vec3{1.0f, 1.0f, 1.0f};
  m_actor.m_state = 0;
  m_actor.m_tickCount = 0;
}

bool CModelBehaviour::OnMessage(int code, intptr_t a, intptr_t b, intptr_t c) {
  const int32_t a32 = static_cast<int32_t>(std::clamp<intptr_t>(a, INT32_MIN, INT32_MAX));
  // Codes that read floats through their values ignore null pointers.
  const bool floatsGiven = a != 0;
  const bool threeGiven = a != 0 && b != 0 && c != 0;
  switch (code) {
    case 19: {
      const auto it = m_actions.find(a32);
      if (it == m_actions.end()) {
        DebugLog("만들어진 액션이 없음");
        m_action = -1;
        return true;
      }
      m_action = a32;
      m_animating = 1;
      m_actor.m_tickCount = 0;
      m_frame = it->second.first;
      return true;
    }
    case 34: {
      if (!floatsGiven) return true;
      const float* p = reinterpret_cast<const float*>(a);
      const Vec3 target{p[0], p[1], p[2]};
      m_actor.VelocityToward(target.x, target.y, target.z, p[4]);
      m_accel = m_actor.m_velocity;
      m_actor.VelocityToward(target.x, target.y, target.z, p[3]);
      m_moveTarget = target;
      m_actor.m_state = kMoving;
      m_actor.m_tickCount = 0;
      return true;
    }
    case 35:
      if (threeGiven) {
        SetAngles(Vec3{modelbehaviour::FloatAt(a), modelbehaviour::FloatAt(b), modelbehaviour::FloatAt(c)});
        m_rotTarget = Angles();
      }
      return true;
    case 36:
      if (threeGiven) m_rotSpeed = Vec3{modelbehaviour::FloatAt(a), modelbehaviour::FloatAt(b), modelbehaviour::FloatAt(c)};
      return true;
    case 37:
      if (threeGiven) {
        m_rotTarget = Vec3{modelbehaviour::NormalizedTarget(modelbehaviour::FloatAt(a)), modelbehaviour::NormalizedTarget(modelbehaviour::FloatAt(b)), modelbehaviour::NormalizedTarget(modelbehaviour::FloatAt(c))};
      }
      return true;
    case 38:
      m_spin = 0;
      return true;
    case 39:
      m_spin = 1;
      return true;
    case 40: {
      const int32_t last = FrameCount() - 1;
      int32_t first = static_cast<int32_t>(std::clamp<intptr_t>(b, INT32_MIN, INT32_MAX));
      int32_t end = static_cast<int32_t>(std::clamp<intptr_t>(c, INT32_MIN, INT32_MAX));
      if (first < 0 || first > last) {
        DebugLog("Invalid startFrame");
        first = 0;
      }
      if (end < 0 || end > last) {
        DebugLog("Invalid endFrame");
        end = last;
      }
      m_actions[a32] = {first, end};
      return true;
    }
    case 41:
      m_frameDelay = a32 != 0 ? a32 : 1;
      return true;
    case 48:
      if (a32 < 0 || a32 >= FrameCount()) {
        DebugLog("Error SetFrame!!");
        return true;
      }
      m_frame = a32;
      m_animating = 0;
      return true;
    case 49:
      m_animating = 0;
      return true;
    case 50:
      m_loop = a32;
      return true;
    case 52:
      m_physics = 1;
      return true;
    case 53:
      m_physics = 0;
      return true;
    case 54:
      if (floatsGiven) m_fall = modelbehaviour::FloatAt(a);
      return true;
    case 55:
      if (floatsGiven) {
        const float* p = reinterpret_cast<const float*>(a);
        m_actor.m_velocity = Vec3{p[0], p[1], p[2]};
      }
      return true;
    case 56:
      if (floatsGiven) m_bounce = modelbehaviour::FloatAt(a);
      return true;
    case 57:
      if (floatsGiven) m_friction = modelbehaviour::FloatAt(a);
      return true;
    case 58:
      m_wobble = a32;
      return true;
    case 59:
      m_alpha = a32;
      if (a32 < 0 || a32 > 255) DebugLog("Invalid Range");
      return true;
    default:
      return false;
  }
}

void CModelBehaviour::UpdateFrame() {
  if (m_animating == 0) return;
  ++m_actor.m_tickCount;
  if (m_actor.m_tickCount % m_frameDelay == 0) ++m_frame;
  const auto it = m_actions.find(m_action);
  if (it == m_actions.end()) {
    m_frame = 0;
    return;
  }
  if (m_frame <= it->second.second) return;
  if (m_loop != 0) {
    m_frame = it->second.first;
  } else {
    m_frame = it->second.second;
    m_animating = 0;
  }
}

void CModelBehaviour::Turn() {
  Vec3 a = Angles();
  if (m_spin != 0) {
    a = a + m_rotSpeed;
  } else {
    a = Vec3{modelbehaviour::TurnToward(a.x, m_rotTarget.x, m_rotSpeed.x), modelbehaviour::TurnToward(a.y, m_rotTarget.y, m_rotSpeed.y),
             modelbehaviour::TurnToward(a.z, m_rotTarget.z, m_rotSpeed.z)};
  }
  SetAngles(Vec3{modelbehaviour::Wrapped(a.x), modelbehaviour::Wrapped(a.y), modelbehaviour::Wrapped(a.z)});
}

void CModelBehaviour::Physics() {
  if (m_physics == 0 || m_actor.m_state == kMoving) return;
  Vec3& v = m_actor.m_velocity;
  const Vec3 old = m_actor.m_pos;
  m_actor.m_pos.x += v.x;
  m_actor.m_pos.z += v.z;
  const CSelvarinContext* context = GetFieldContext();
  if (context != nullptr && context->CheckMove(m_actor.m_pos.x, m_actor.m_pos.y, m_actor.m_pos.z) == 3) {
    m_actor.m_pos = old;
  }
  v = v + m_accel;
  m_actor.ApplyFalling(m_fall);
  if (m_actor.m_inAir != 0 || !(v.y > 0.5f)) return;
  m_actor.m_inAir = 1;
  v.y = -0.5f * m_bounce * v.y;
  // Dividing by 0 would make the position not a number.
  const float friction = m_friction != 0.0f ? m_friction : 1.0f;
  v.x /= 1.5f * friction;
  v.z /= 1.5f * friction;
}

int CModelBehaviour::UpdateAction(int state) {
  if (state != kMoving) return 1;
  const Vec3 t = m_moveTarget;
  const float before = m_actor.Distance3d(t.x, t.y, t.z);
  m_actor.m_pos = m_actor.m_pos + m_actor.m_velocity;
  m_actor.m_velocity = m_actor.m_velocity + m_accel;
  if (m_actor.Distance3d(t.x, t.y, t.z) > before) {
    m_actor.m_state = 0;
    m_actor.m_tickCount = 0;
  }
  return 1;
}

void CModelBehaviour::Process() {
  m_actor.UpdateFrame();
  Turn();
  Physics();
  m_actor.UpdateAction(m_actor.m_state);
}

void CModelBehaviour::Render(CRC& rc, const Matrix& view) {
  if (m_actor.m_visible == 0) return;
  // A model missing, without nodes or without frames draws nothing and is
  // never lit.
  if (m_model == nullptr || m_model->m_nodes.empty() || m_model->m_numFrames <= 0) return;
  int alpha = m_model->m_alpha != 255 ? 1 : 0;
  uint32_t colour = 0xFFFFFFFFu;
  if (m_wobble == 1 || m_wobble == 2) {
    m_blink ^= 1;
    if (m_blink == 0) {
      alpha = m_alpha != 255 ? 1 : 0;
      colour = m_alpha == 255 ? 0xFFFFFFFFu : static_cast<uint32_t>(m_alpha) << 24;
    }
  }
  DrawPlacedModel(rc, view, *m_model, m_frame, m_actor.m_pos, Angles(), alpha, colour, m_wobble);
}
