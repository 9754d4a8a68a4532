#include "field/Villager.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "platform/Random.h"

SLV_REGISTER_ACTOR(CVillager, "villager");

namespace {
namespace villager {

enum Code : int {
  kTalk = 0,
  kWalkTo = 4,
  kCall = 12,
  kRunCall = 13,
  kScriptEnds = 14,
  kDelay = 17,
  kHold = 18,
  kSetPattern = 28,
  kNoFacing = 30,
  kLongWaitCode = 47,
};

constexpr int32_t kFrameDuration = 9;
constexpr float kSpeedFactor = 2.0f;
constexpr int32_t kWanderChance = 200;  // rand() % this meets the tick
constexpr int32_t kWanderTicks = 150;
constexpr int32_t kLongWaitTicks = 10000;
constexpr float kOctantStart = 22.5f;
constexpr float kPerOctant = 0.022222223f;

// A difference in whole units, as it is compared; far values stay far.
int64_t Whole(float v) {
  if (!std::isfinite(v)) return INT_MAX;
  return static_cast<int64_t>(std::clamp(v, -1.0e9f, 1.0e9f));
}

// An angle as a whole number of degrees; what is not a number counts as 0
// and far-off angles keep their remainder, as whole turns change nothing.
int32_t WholeDegrees(float a) {
  if (!std::isfinite(a)) return 0;
  if (std::fabs(a) >= 3600.0f) a = std::fmod(a, 360.0f);
  return static_cast<int32_t>(a);
}

float TameDegrees(float a) {
  if (!std::isfinite(a)) return 0.0f;
  return std::fabs(a) >= 3600.0f ? std::fmod(a, 360.0f) : a;
}

void CountUp(int32_t& counter) {
  if (counter < INT32_MAX) ++counter;
}

}  // namespace villager
}  // namespace

CVillager::CVillager() { m_frameDuration = villager::kFrameDuration; }

bool CVillager::IsStandingState(int32_t state) { return state == kIdle || state == kCalled || state == kWait; }

bool CVillager::IsMovingState(int32_t state) {
  return state == kWander || state == kWalkToTarget || state == kLongWait;
}

bool CVillager::IsScriptAnimation(int32_t state) {
  return state == kModePlayOnce || state == kModeHoldFrame || state == kModeLoop;
}

void CVillager::Init() {
  m_action = m_motion = 0;
  m_inAir = 1;
  m_angleX = m_angle = m_angleZ = 0.0f;
  m_velocity = Vec3{};
  m_speed = villager::kSpeedFactor;
  if (m_walkLine != -1) m_nextLine = m_resumeLine = m_walkLine;
  if (m_pattern == 0 || m_pattern == 1) {
    if (const CSelvarinContext* context = GetFieldContext()) {
      m_groundHeight = context->GetStandHeight(m_pos);
      m_pos.y = m_groundHeight;
    }
  }
  m_state = m_pattern == 4 ? kLooping : kIdle;
  m_tickCount = 0;
}

bool CVillager::OnProcess() {
  if (m_state == kIdle) {
    const int32_t old = m_idleCounter;
    // 2^31 is a multiple of the gate: wrapping keeps the rhythm.
    m_idleCounter = (m_idleCounter + 1) & INT32_MAX;
    if (old % kIdleGate != 0) return true;
  } else {
    ApplyFalling(1.0f);
    if (m_state == kWander || m_state == kDrop || m_state == kWalkToTarget) StepPosition();
  }
  UpdateFrame();
  UpdateAction(m_state);
  return true;
}

void CVillager::StepPosition() {
  m_pos.x += m_velocity.x;
  m_pos.z += m_velocity.z;
  if (m_state == kWander) {
    const float left = m_homeX - m_wanderHalfX, right = m_homeX + m_wanderHalfX;
    const float near = m_homeZ - m_wanderHalfZ, far = m_homeZ + m_wanderHalfZ;
    bool clamped = false;
    if (m_pos.x < left || m_pos.x > right) {
      m_pos.x = m_pos.x < left ? left : right;
      clamped = true;
    }
    if (m_pos.z < near || m_pos.z > far) {
      m_pos.z = m_pos.z < near ? near : far;
      clamped = true;
    }
    if (clamped) {
      m_blocked = 1;
      FaceToward(m_homeX, m_homeZ);
    }
  }
  if (m_state != kDrop) m_velocity.x = m_velocity.z = 0.0f;
}

int CVillager::UpdateAction(int state) {
  switch (state) {
    case kIdle:
      if (m_walkLine != -1) {
        RunLine(m_resumeLine);
      } else if (m_pattern == 2) {
        if (platform::Rand() % villager::kWanderChance == m_tickCount) {
          m_blocked = 0;
          m_state = kWander;
          m_tickCount = 0;
          m_angle = static_cast<float>(platform::Rand() % 360);
        }
        if (m_tickCount > villager::kWanderChance) m_tickCount = 0;
      }
      break;
    case kWander:
      SetSpeed(WalkSpeed());
      if (m_tickCount > villager::kWanderTicks || m_blocked != 0) {
        m_state = kIdle;
        m_tickCount = 0;
      }
      break;
    case kWait:
      if (m_tickCount > m_waitTicks) RunLine(m_nextLine);
      break;
    case kDrop:
      if (m_inAir == 0) {
        m_pos.y = m_groundHeight;
        m_state = kIdle;
        m_tickCount = 0;
      }
      break;
    case kWalkToTarget:
      FaceToward(m_targetX, m_targetZ);
      SetSpeed(WalkSpeed());
      if (std::llabs(villager::Whole(m_targetZ - m_pos.z)) + std::llabs(villager::Whole(m_targetX - m_pos.x)) == 0) {
        m_state = kIdle;
        m_tickCount = 0;
        RunLine(m_nextLine);
      }
      break;
    case kLongWait:
      if (m_tickCount > villager::kLongWaitTicks) {
        m_state = kIdle;
        m_tickCount = 0;
        RunLine(m_nextLine);
      }
      break;
    case kModePlayOnce:
      // An action without frames has nothing left to play.
      if (m_motion >= MotionCount(CResMgr::GetInstance().GetResAs<CActRes>(m_actName), m_action) - 1) {
        m_state = kIdle;
        m_tickCount = 0;
      }
      break;
    default:
      break;
  }
  return 1;
}

bool CVillager::ChoosePose(Pose* pose) const {
  float r = villager::TameDegrees(CameraYaw() - m_angle);
  if (r < 0.0f) r += 360.0f;
  const bool standing = IsStandingState(m_state), moving = IsMovingState(m_state);
  *pose = Pose{m_action, m_actionBase, true};
  switch (m_pattern) {
    case 0:
    case 2: {
      // Angles below zero are left by a heading past a whole turn.
      const int32_t q = (villager::WholeDegrees(r) / 90) & 3;
      if (standing) *pose = Pose{q, 0, true};
      if (moving) *pose = Pose{q + 4, 4, true};
      return true;
    }
    case 1:
    case 3:
    case 5: {
      const int32_t o = static_cast<int32_t>(std::trunc((r - villager::kOctantStart) * villager::kPerOctant)) & 7;
      if (standing) *pose = Pose{o, 0, m_pattern != 5};
      if (moving) *pose = Pose{o + 8, 8, true};
      return true;
    }
    case 4:
      *pose = Pose{0, 0, true};
      return true;
    default:
      return false;
  }
}

void CVillager::UpdateFrame() {
  const CActRes* actions = CResMgr::GetInstance().GetResAs<CActRes>(m_actName);
  if (IsScriptAnimation(m_state)) {
    UpdateScriptFrame();
  } else {
    Pose pose{};
    const int32_t frames = ChoosePose(&pose) ? MotionCount(actions, pose.action) : 0;
    // Without frames to show the villager keeps what it shows.
    if (frames > 0) {
      m_action = pose.action;
      m_actionBase = pose.base;
      m_motion = pose.animated ? std::max(m_tickCount, 0) / std::max(m_frameDuration, 1) % frames : 0;
    }
  }
  const int32_t frames = MotionCount(actions, m_action);
  if (frames > 0 && m_motion >= frames) m_motion = frames - 1;
  villager::CountUp(m_tickCount);
  PlayActionSound(m_lastActionBase, m_lastFrame);
  m_lastActionBase = m_actionBase;
  m_lastFrame = m_motion;
}

void CVillager::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  const auto a = static_cast<int32_t>(value0);
  const auto b = static_cast<int32_t>(value1);
  const auto c = static_cast<int32_t>(value2);
  const bool animating = m_state == kDrop || IsScriptAnimation(m_state);
  switch (code) {
    case villager::kTalk:
      Talk(sender);
      break;
    case villager::kWalkTo:
      m_targetX = static_cast<float>(a);
      m_targetZ = static_cast<float>(b);
      m_nextLine = c;
      if (m_inTalk == 0) m_resumeLine = c - 1;
      m_state = kWalkToTarget;
      m_tickCount = 0;
      break;
    case villager::kCall:
      m_callLine = a;
      if (!animating) {
        m_state = kCalled;
        m_tickCount = 0;
      }
      break;
    case villager::kRunCall:
      RunLine(m_callLine);
      break;
    case villager::kScriptEnds:
      if (m_holdOnce != 0) {
        m_holdOnce = 0;
        break;
      }
      if (m_inTalk != 0) {
        m_inTalk = 0;
      } else {
        m_nextLine = m_resumeLine = m_walkLine;
      }
      if (!animating) {
        m_state = kIdle;
        m_tickCount = 0;
      }
      break;
    case villager::kDelay:
      m_waitTicks = a;
      m_nextLine = b;
      m_state = kWait;
      m_tickCount = 0;
      break;
    case villager::kHold:
      if (m_state == kIdle) {
        m_state = kWalkToTarget;
        m_tickCount = 0;
      }
      m_inTalk = 0;
      m_holdOnce = 1;
      break;
    case villager::kSetPattern:
      m_pattern = a;
      break;
    case villager::kNoFacing:
      m_faceTalker = 0;
      break;
    case villager::kLongWaitCode:
      m_nextLine = a;
      if (m_inTalk == 0) m_resumeLine = a - 1;
      m_state = kLongWait;
      m_tickCount = 0;
      break;
    default:
      CSelvarinActor::OnMessage(sender, code, value0, value1, value2);
      break;
  }
}

void CVillager::Talk(CObject* talker) {
  if (m_visible == 0 || m_talkLine == -1) return;
  m_inTalk = 1;
  if (m_faceTalker != 0) {
    if (const auto* actor = dynamic_cast<const C2dActor*>(talker)) FaceToward(actor->m_pos.x, actor->m_pos.z);
    UpdateFrame();
  }
  const CSelvarinFrame* frame = GetGameFrame();
  if (frame == nullptr || frame->m_messageState != 0 || frame->m_choiceCount > 0) return;
  g_scriptObjectName = m_name;
  RunLine(m_talkLine);
}

void CVillager::RunLine(int32_t line) {
  if (line == -1) return;
  if (CSelvarinFrame* frame = GetGameFrame()) frame->RunEventScript(line, m_name, m_scriptStack);
}
