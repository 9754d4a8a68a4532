#include "field/Birds.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/Wave.h"
#include "field/SelvarinContext.h"
#include "platform/Random.h"

SLV_REGISTER_ACTOR(CDove, "dove");
SLV_REGISTER_ACTOR(CCrow, "crow");

namespace {

constexpr int kTalk = 0;
constexpr int32_t kResting = 0;
constexpr int32_t kFlying = 1;
constexpr int32_t kFlightTicks = 500;
constexpr const char* kFlutter = "푸드덕.wav";

float DistanceToLeader(const CSelvarinActor& bird) {
  const CSelvarinContext* context = GetFieldContext();
  return context != nullptr ? context->DistanceToPlayer(bird) : std::numeric_limits<float>::max();
}

// The pose of the state seen from the camera, then the tick and the frame's
// sound. Without frames to show the bird keeps its action at frame 0.
void UpdateBirdFrame(CSelvarinActor& bird, int32_t restingBase, int32_t flyingBase) {
  if (bird.m_state == kResting || bird.m_state == kFlying) {
    const int32_t base = bird.m_state == kResting ? restingBase : flyingBase;
    const CActRes* actions = CResMgr::GetInstance().GetResAs<CActRes>(bird.m_actName);
    const int32_t count = actions != nullptr ? actions->GetActionCount() : 0;
    const int32_t index = count > 0 ? std::clamp(base + bird.GetViewQuadrant(bird.m_angle), 0, count - 1) : 0;
    const int32_t frames = MotionCount(actions, index);
    if (frames > 0) {
      bird.m_action = index;
      bird.m_actionBase = base;
      bird.m_motion = std::max(bird.m_tickCount, 0) / std::max(bird.m_frameDuration, 1) % frames;
    } else {
      bird.m_motion = 0;
    }
  }
  if (bird.m_tickCount < INT32_MAX) ++bird.m_tickCount;
  bird.PlayActionSound(bird.m_lastActionBase, bird.m_lastFrame);
  bird.m_lastActionBase = bird.m_actionBase;
  bird.m_lastFrame = bird.m_motion;
}

// Headings as they turn: whole turns change nothing, so far values are
// folded back before they lose their precision.
float Turned(float heading, float by) {
  const float h = heading + by;
  return std::fabs(h) >= 3600.0f ? std::fmod(h, 360.0f) : h;
}

}  // namespace

bool CDove::OnProcess() {
  UpdateFrame();
  return UpdateAction(m_state) != 0;
}

void CDove::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  if (code == kTalk) return;
  CVillager::OnMessage(sender, code, value0, value1, value2);
}

void CDove::UpdateFrame() { UpdateBirdFrame(*this, 0, 4); }

int CDove::UpdateAction(int state) {
  if (state == kResting) {
    if (DistanceToLeader(*this) >= kShyness) return 1;
    PlayWave(kFlutter);
    m_state = kFlying;
    m_tickCount = 0;
    m_angle = static_cast<float>(platform::Rand() % 360);
    m_speed = static_cast<float>(platform::Rand() % 10 + 5) * -0.1f;
    const float h = m_angle * kDegToRad;
    m_velocity = Vec3{std::sin(h), m_speed, -std::cos(h)};
    return 1;
  }
  if (state != kFlying) return 1;
  m_angle = Turned(m_angle, 1.0f);
  const float h = m_angle * kDegToRad;
  m_velocity = Vec3{std::sin(h), m_speed, -std::cos(h)};
  m_pos = m_pos + m_velocity;
  return m_tickCount > kFlightTicks ? 0 : 1;
}

void CCrow::Init() {
  m_inAir = 1;
  m_action = m_motion = 0;
  m_state = kResting;
  m_tickCount = 0;
  m_angleX = m_angle = m_angleZ = 0.0f;
  m_velocity = Vec3{};
  m_speed = 2.0f;
  if (m_walkLine != -1) m_nextLine = m_resumeLine = m_walkLine;
}

bool CCrow::OnProcess() {
  if (m_state == kFlying) StepPosition();
  UpdateFrame();
  return UpdateAction(m_state) != 0;
}

void CCrow::UpdateFrame() { UpdateBirdFrame(*this, 4, 8); }

int CCrow::UpdateAction(int state) {
  if (state == kResting) {
    if (m_tickCount % kTurnTicks == 0) m_angle = static_cast<float>(platform::Rand() % 360);
    if (DistanceToLeader(*this) >= kShyness) return 1;
    PlayWave(kFlutter);
    m_state = kFlying;
    m_tickCount = 0;
    m_speed = 0.5f;
    const float h = m_angle * kDegToRad;
    const auto climb = static_cast<float>(platform::Rand() % 30 + 50);
    m_velocity = Vec3{std::sin(h), -std::tan(climb * kDegToRad), -std::cos(h)};
    return 1;
  }
  if (state != kFlying) return 1;
  SetSpeed(m_speed * 0.1f);
  m_pos = m_pos + m_velocity;
  return m_tickCount > kFlightTicks ? 0 : 1;
}
