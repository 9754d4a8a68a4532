#include "script/MacroActor.h"

#include <cmath>
#include <string>

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "field/Truncation.h"
#include "platform/DebugLog.h"

SLV_REGISTER_ACTOR(CMacroActor, "macroactor");

namespace {
namespace macroactor {

constexpr int kLookAtSender = 6;
constexpr int kChangeSprite = 25;
constexpr float kDegreesPerRadian = 57.29579f;
constexpr int32_t kCounterEnd = 10000;
constexpr int32_t kWalkFrameTicks = 8, kFrameTicks = 4;

float Wrap360(float degrees) {
  float a = std::fmod(degrees, 360.0f);
  if (a < 0.0f) a += 360.0f;
  return a;
}

float Wrap180(float degrees) {
  float a = Wrap360(degrees);
  if (a > 180.0f) a -= 360.0f;
  return a;
}

}  // namespace macroactor
}  // namespace

CMacroActor::CMacroActor() {
  m_visible = 1;
  m_speed = 1.0f;
  m_frameDuration = kFrameDelay;
}

bool CMacroActor::OnProcess() {
  if (m_state == kModeThrown || m_state == kModeWalkToTarget) {
    m_pos.x += m_velocity.x;
    m_pos.z += m_velocity.z;
  }
  if (m_state != kModeStand) ApplyFalling(1.0f);
  UpdateFrame();
  UpdateAction(m_state);
  return true;
}

void CMacroActor::OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) {
  if (code == macroactor::kChangeSprite && a != 0) {
    // Shown at once, and kept for the context's refresh, so the sprite
    // stands whatever the scene does to the actor's sprite meanwhile.
    m_reloadSprite = reinterpret_cast<const char*>(a);
    m_reload = 1;
  }
  if (code != macroactor::kLookAtSender) {
    CSelvarinActor::OnMessage(sender, code, a, b, c);
    return;
  }
  if (const auto* other = dynamic_cast<const C2dActor*>(sender)) {
    if (m_lookMode == 1) {
      const float bearing = std::atan2(other->m_pos.x - m_pos.x, -(other->m_pos.z - m_pos.z)) * macroactor::kDegreesPerRadian;
      m_angle = TurnToward(m_angle, bearing);
    } else {
      FaceToward(other->m_pos.x, other->m_pos.z);
    }
  }
  m_state = kModeStand;
  m_actionCounter = 0;
}

float CMacroActor::TurnToward(float heading, float bearing) {
  const float off = macroactor::Wrap180(bearing - heading);
  if (off > kFarOff) return macroactor::Wrap360(bearing - 90.0f);
  if (off < -kFarOff) return macroactor::Wrap360(bearing + 90.0f);
  return heading;
}

int CMacroActor::UpdateAction(int state) {
  switch (state) {
    case kModeWalkToTarget: {
      const float dx = m_targetX - m_pos.x, dz = m_targetZ - m_pos.z;
      if (TruncateClamped(dx) == 0 && TruncateClamped(dz) == 0) {
        m_state = kModeStand;
        m_velocity.x = m_velocity.z = 0.0f;
        m_targetHeading = m_keptHeading = m_angle;
        break;
      }
      FaceToward(m_targetX, m_targetZ);
      const float step = kWalkStep * m_speedFactor;
      // A step longer than the way left lands on the point rather than
      // overshooting it back and forth.
      if (step * step >= dx * dx + dz * dz) {
        m_velocity.x = dx;
        m_velocity.z = dz;
      } else {
        SetSpeed(step);
      }
      break;
    }
    case kModeScripted:
      if (++m_actionCounter > macroactor::kCounterEnd) m_state = kModeStand;
      break;
    case kModePlayOnce: {
      const int frames = MotionCount(CResMgr::GetInstance().GetResAs<CActRes>(m_actName), m_action);
      if (m_motion >= frames - 1) m_state = 3;
      break;
    }
    case kModeLoop: {
      const int frames = MotionCount(CResMgr::GetInstance().GetResAs<CActRes>(m_actName), m_action);
      if (m_motion >= frames - 1) m_actionCounter = 0;
      break;
    }
    default:
      break;
  }
  return 1;
}

int32_t CMacroActor::FacingFrame(int32_t degrees) {
  if (degrees >= 180) degrees -= 360;
  if (degrees < -180) degrees += 360;
  if (degrees < -44) return 2;
  if (degrees <= -22) return 3;
  if (degrees <= 22) return 0;
  if (degrees <= 45) return 3;
  return 4;
}

void CMacroActor::UpdateFrame() {
  if (UpdateScriptFrame()) return;
  if (m_state != kModeStand && m_state != kModeWalkToTarget && m_state != kModeScripted) return;
  const int32_t off = TruncateClamped(m_targetHeading - m_keptHeading);
  if (m_state == kModeStand) {
    m_motion = FacingFrame(off);
    return;
  }
  ++m_tickCount;
  const int32_t ticks = m_state == kModeWalkToTarget ? macroactor::kWalkFrameTicks : macroactor::kFrameTicks;
  if (m_tickCount % ticks != 0) return;
  const int frames = MotionCount(CResMgr::GetInstance().GetResAs<CActRes>(m_actName), m_action);
  const int32_t next = m_motion + 1;
  if (next > frames) {
    DebugLog("CMacroActor : action " + std::to_string(m_action) + " has " + std::to_string(frames) +
             " frames, frame " + std::to_string(next) + " shows 0");
    m_motion = 0;
  } else {
    m_motion = next == frames ? 0 : next;
  }
}
