#include "field/Player.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "engine/ActRes.h"
#include "engine/Controller.h"
#include "engine/Math.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "field/PickRegionList.h"
#include "field/Selvarin3dActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/DebugLog.h"
#include "render/3dAttr.h"
#include "script/ScriptPosition.h"
#include "session/PlayerData.h"
#include "session/Session.h"

SLV_REGISTER_ACTOR(CPlayer, "player");

int32_t g_talkInProgress = 0;
int32_t g_partyRebuilt = 0;

namespace {
namespace player {

enum Code : int {
  kTalk = 0,
  kPlace = 3,
  kFaceHeading = 5,
  kFaceSender = 6,
  kHold = 12,
  kRelease = 13,
  kTurnChain = 24,
  kJump = 27,
  kClearTrail = 31,
  kFloorDamage = 32,
  kStrongFloorDamage = 33,
};

constexpr int kActionButton = 5;
constexpr int kJumpButton = 4;
constexpr int kCursorTalk = 1;
constexpr int kCursorUse = 2;
constexpr int kHitActor = 2;
constexpr int kHitProp = 3;
constexpr int32_t kNoJumpCell = 5;
constexpr int32_t kRegenerationTicks = 480;
constexpr int32_t kBlinkTicks = 40;
constexpr int32_t kStunTicks = 15;
constexpr int32_t kHitFlash = 15;
constexpr float kRadToDeg = 57.29579f;
constexpr float kGravity = 0.25f;
constexpr float kJumpSpeed = -3.0f;
constexpr float kScriptWalkSpeed = 1.2f;
constexpr float kOverLimitFactor = 0.33f;
// Landing lifts a step at a time; a point that never clears stops there.
constexpr int kMaxLandingSteps = 10000;

// The screen-relative direction of each keypad code, 1 (up) to 8.
constexpr float kPadHeadings[9] = {0.0f, 180.0f, 225.0f, 270.0f, 315.0f, 0.0f, 45.0f, 90.0f, 135.0f};

// Mouse distance bands, farthest first; the running band starts past 200,
// the others at their `from`.
struct MouseBand {
  float from;
  bool pastFrom;
  float cameraDistance;
  float speed;
  bool Holds(float d) const { return pastFrom ? d > from : d >= from; }
};
constexpr MouseBand kMouseBands[] = {
    {200.0f, true, 320.0f, 1.2f}, {100.0f, false, 300.0f, 1.0f}, {50.0f, false, 270.0f, 0.5f}};
constexpr float kNearCameraDistance = 250.0f;
constexpr float kEdgeSpeed = 0.5f;

float WrapDegrees(float a) {
  if (!std::isfinite(a)) return 0.0f;
  a = std::fmod(a, 360.0f);
  return a < 0.0f ? a + 360.0f : a;
}

// A float as the whole number it is compared as; far values stay far.
int32_t Whole(float v) {
  if (!std::isfinite(v)) return v > 0.0f ? INT_MAX / 2 : INT_MIN / 2;
  return static_cast<int32_t>(std::clamp(v, -1.0e9f, 1.0e9f));
}

int32_t PadButton(int button) {
  return g_pMainKeyPad != nullptr ? g_pMainKeyPad->m_buttons[static_cast<size_t>(button)] : kStateUp;
}

bool NewlyPressed(int button) {
  const int32_t state = PadButton(button);
  return IsNewlyPressed(state);
}

CSelvarinView* FieldView() {
  const CSelvarinFrame* frame = GetGameFrame();
  return frame != nullptr ? frame->GetView() : nullptr;
}

float CameraHeading() {
  const CSelvarinView* view = FieldView();
  return view != nullptr ? view->m_yaw : 0.0f;
}

// No steering, jumping or talking under a message window or a play lock.
bool PlayBlocked() {
  const CSelvarinFrame* frame = GetGameFrame();
  return frame != nullptr && (frame->IsMessageShowing() || frame->m_playLock != 0);
}

int32_t CursorKind() {
  const CSelvarinFrame* frame = GetGameFrame();
  return frame != nullptr ? frame->m_cursorKind : 0;
}

float GroundAt(float x, float z) {
  const CSelvarinContext* context = GetFieldContext();
  return context != nullptr && context->m_pAttr != nullptr ? context->m_pAttr->GetHeight(x, z) : 0.0f;
}

int32_t CellAt(float x, float z) {
  const CSelvarinContext* context = GetFieldContext();
  return context != nullptr && context->m_pAttr != nullptr ? context->m_pAttr->GetCellType(x, z) : 0;
}

void CountUp(int32_t& counter) {
  if (counter < INT32_MAX) ++counter;
}

void GrowCapped(int32_t& value, int32_t maximum) {
  if (value < maximum) ++value;
}

}  // namespace player
}  // namespace

CPlayer::~CPlayer() {
  if (m_follower != nullptr) m_follower->m_leader = nullptr;
}

int32_t CPlayer::PartySize() {
  const CSelvarinContext* context = GetFieldContext();
  if (context == nullptr || context->m_partyChain.empty()) return 1;
  return static_cast<int32_t>(context->m_partyChain.size());
}

bool CPlayer::OnProcess() {
  if (m_stunTicks != 0) {
    if (m_stunTicks == 1) m_hitFlash = 0;
    --m_stunTicks;
    return true;
  }
  if (m_graceTicks > 0) --m_graceTicks;
  TickBlink();
  Regenerate();
  if (!player::PlayBlocked() && !Interact()) return false;
  CheckFloor();
  MoveVertically();
  UpdateFrame();
  Move();
  if (m_scriptHold != 0) return true;
  // A party of one has nobody to replay the trail.
  if ((m_inAir != 0 || m_state != kStand) && m_follower != nullptr) PushTrail();
  UpdateAction(m_state);
  return true;
}

bool CPlayer::Interact() {
  if (player::NewlyPressed(player::kActionButton)) {
    const CSelvarinContext* context = GetFieldContext();
    CSelvarinActor* other = context != nullptr ? context->FindActorInFront(*this) : nullptr;
    if (other != nullptr && !TalkTo(other)) return false;
    CSelvarin3dActor* prop = context != nullptr ? context->FindPropInFront(*this) : nullptr;
    if (prop != nullptr && !TalkTo(prop)) return false;
  }
  const CMouse& mouse = CMouse::GetInstance();
  const int32_t cursor = player::CursorKind();
  if (mouse.m_mouseButtons[0] != kStatePressed || (cursor != player::kCursorTalk && cursor != player::kCursorUse)) return true;
  CSelvarinActor* actor = nullptr;
  CSelvarin3dActor* model = nullptr;
  const int hit = g_pickRegionList.HitTest(mouse.m_x, mouse.m_y, &actor, &model);
  if (cursor == player::kCursorTalk && hit == player::kHitActor && actor != nullptr) return TalkTo(actor);
  if (cursor == player::kCursorUse && hit == player::kHitProp && model != nullptr) return TalkTo(model);
  return true;
}

bool CPlayer::TalkTo(CActor* other) {
  OnMessage(other, player::kTurnChain, 0, 0, 0);
  g_talkInProgress = 1;
  other->OnMessage(this, player::kTalk, 0, 0, 0);
  g_talkInProgress = 0;
  if (g_partyRebuilt == 0) return true;
  g_partyRebuilt = 0;
  return false;
}

void CPlayer::CheckFloor() {
  if (m_inAir != 0) return;
  const int32_t type = player::CellAt(m_pos.x, m_pos.z);
  if (type == 2) OnMessage(this, player::kFloorDamage, 0, 0, 0);
  if (type == 3) OnMessage(this, player::kStrongFloorDamage, 0, 0, 0);
}

void CPlayer::MoveVertically() {
  const CSelvarinContext* context = GetFieldContext();
  if (context == nullptr) return;
  const float ground = player::GroundAt(m_pos.x, m_pos.z);
  m_groundHeight = ground;
  if (m_inAir == 0) {
    if (ground >= m_pos.y + 3.0f) {
      m_inAir = 1;
      m_velocity.y = player::kGravity;
    } else {
      m_pos.y = ground;
    }
    return;
  }
  m_pos.y += m_velocity.y;
  m_velocity.y += player::kGravity;
  if (m_velocity.y >= 0.0f) {
    if (context->CheckHeight(m_pos.x, m_pos.y, m_pos.z) == 0) return;
    m_inAir = 0;
    for (int k = 0; k < player::kMaxLandingSteps && context->CheckHeight(m_pos.x, m_pos.y, m_pos.z) != 0; ++k) m_pos.y -= 1.0f;
  } else if (context->CheckHeight(m_pos.x, m_pos.y - 1.5f, m_pos.z) != 0) {
    m_pos.y -= 2.0f * m_velocity.y;
    m_velocity.y = 0.0f;
  }
}

int CPlayer::UpdateAction(int state) {
  float s = SteeringSpeed();
  m_targetHeading = player::WrapDegrees(m_targetHeading);
  TurnFacing();
  if (CSession::GetInstance().IsOverSupplyLimit()) s *= player::kOverLimitFactor;
  const float t = m_targetHeading * kDegToRad;
  switch (state) {
    case kStand:
      m_velocity.x = m_velocity.z = 0.0f;
      if (s > 0.0f) {
        m_state = kWalk;
        m_tickCount = 0;
        m_angle = m_facing;
        m_angleX = m_angleZ = 0.0f;
        m_velocity.x = std::sin(t) * s;
        m_velocity.z = -std::cos(t) * s;
      }
      break;
    case kWalk:
      if (s != 0.0f) {
        m_angle = m_facing;
        m_angleX = m_angleZ = 0.0f;
      } else {
        m_state = kStand;
        m_tickCount = 0;
      }
      m_velocity.x = std::sin(t) * s;
      m_velocity.z = -std::cos(t) * s;
      break;
    case kModeWalkToTarget:
      FaceToward(m_targetX, m_targetZ);
      SetSpeed(player::kScriptWalkSpeed);
      if (std::abs(player::Whole(m_targetZ - m_pos.z)) + std::abs(player::Whole(m_targetX - m_pos.x)) < 1) {
        m_state = kStand;
        m_tickCount = 0;
      }
      break;
    default:
      break;
  }
  if (state == kStand || state == kWalk) TryJump();
  return 1;
}

float CPlayer::SteeringSpeed() {
  if (player::PlayBlocked()) return 0.0f;
  const int32_t cursor = player::CursorKind();
  const bool mouseSteers = CMouse::GetInstance().m_mouseButtons[0] == kStateHeld && cursor != player::kCursorTalk &&
                           cursor != player::kCursorUse;
  float s = 0.0f;
  if (mouseSteers) {
    s = MouseSpeed();
  } else {
    const int32_t direction = g_pMainKeyPad != nullptr ? g_pMainKeyPad->m_direction : 0;
    if (direction < 1 || direction > 8) return 0.0f;
    m_inputHeading = player::kPadHeadings[direction];
    s = 1.0f;
  }
  if (s != 0.0f) m_targetHeading = std::ceil(player::CameraHeading() - m_inputHeading);
  return s;
}

float CPlayer::MouseSpeed() {
  const CMouse& mouse = CMouse::GetInstance();
  const auto dx = static_cast<float>(g_leaderAnchor.x - mouse.m_x);
  const auto dy = static_cast<float>(mouse.m_y - g_leaderAnchor.y);
  m_inputHeading = std::atan2(dx, dy) * player::kRadToDeg;
  const float distance = std::sqrt(dy * dy + dx * dx);
  float camera = player::kNearCameraDistance;
  float s = 0.0f;
  const player::MouseBand* band = std::find_if(std::begin(player::kMouseBands), std::end(player::kMouseBands),
                                      [&](const player::MouseBand& b) { return b.Holds(distance); });
  if (band != std::end(player::kMouseBands)) {
    camera = band->cameraDistance;
    s = band->speed;
  } else if (mouse.m_x == mouse.m_viewWidth - 1) {
    m_inputHeading = 270.0f;
    s = player::kEdgeSpeed;
  } else if (mouse.m_x == 0) {
    m_inputHeading = 90.0f;
    s = player::kEdgeSpeed;
  } else if (mouse.m_y == mouse.m_viewHeight - 1) {
    m_inputHeading = 0.0f;
    s = player::kEdgeSpeed;
  } else if (mouse.m_y == 0) {
    m_inputHeading = 180.0f;
    s = player::kEdgeSpeed;
  }
  CSelvarinView* view = player::FieldView();
  if (view != nullptr) view->m_targetDistance = camera;
  // Over the party box the cursor selects members rather than steers.
  const CSelvarinFrame* frame = GetGameFrame();
  const bool inBox = 20 < mouse.m_x && mouse.m_x < 105 && 120 < mouse.m_y && mouse.m_y < 165;
  if (inBox && frame != nullptr && frame->m_compassOn != 0 && (view == nullptr || view->m_noRotate == 0)) s = 0.0f;
  return s;
}

void CPlayer::TurnFacing() {
  m_facing = std::ceil(player::WrapDegrees(m_angle));
  float e = m_facing - m_targetHeading;
  if (e < -180.0f) e += 360.0f;
  if (e > 180.0f) e -= 360.0f;
  float step = 15.0f;
  if (e > 100.0f) {
    step = -15.0f;
  } else if (e > 45.0f) {
    step = -7.0f;
  } else if (e > 22.0f) {
    step = -3.0f;
  } else if (e > 0.0f) {
    step = -1.0f;
  } else if (e > -22.0f) {
    step = 1.0f;
  } else if (e > -45.0f) {
    step = 3.0f;
  }
  m_facing = std::fabs(e) >= 2.0f ? m_facing + step : m_targetHeading;
  m_facing = player::WrapDegrees(m_facing);
}

void CPlayer::TryJump() {
  const CSelvarinFrame* frame = GetGameFrame();
  if (frame != nullptr && frame->m_playLock != 0) return;
  const CMouse& mouse = CMouse::GetInstance();
  const bool asked = player::NewlyPressed(player::kJumpButton) ||
                     (mouse.m_mouseButtons[0] != kStateUp && mouse.m_mouseButtons[1] == kStatePressed);
  if (!asked || m_inAir != 0 || player::CellAt(m_pos.x, m_pos.z) == player::kNoJumpCell) return;
  m_velocity.y = player::kJumpSpeed;
  m_inAir = 1;
}

void CPlayer::UpdateFrame() { ChooseFrame(true); }

void CPlayer::ChooseFrame(bool turningWalk) {
  const CActRes* actions = CResMgr::GetInstance().GetResAs<CActRes>(m_actName);
  if (!UpdateScriptFrame()) {
    const int32_t dir = GetViewOctant(m_facing);
    int32_t d = player::Whole(player::WrapDegrees(m_targetHeading) - player::WrapDegrees(m_facing));
    if (d >= 180) d -= 360;
    if (d < -180) d += 360;
    int32_t base = -1, frame = 0;
    if (m_inAir != 0) {
      base = 32;
      frame = m_velocity.y < -0.5f ? 0 : (m_velocity.y > 1.0f ? 2 : 1);
    } else if (m_state == kStand) {
      base = 0;
      frame = d >= 46 ? 4 : d >= 23 ? 3 : d >= -21 ? 0 : d < -44 ? 2 : 1;
    } else if (m_state == kWalk || m_state == kModeWalkToTarget) {
      base = !turningWalk ? 8 : d < -22 ? 16 : d < 23 ? 8 : 24;
      frame = std::max(m_tickCount, 0) / 4 % 8;
    }
    // Without frames to show the actor keeps what it shows.
    if (base >= 0 && MotionCount(actions, dir + base) > 0) {
      m_action = dir + base;
      m_actionBase = base;
      m_motion = frame;
    }
  }
  const int32_t frames = MotionCount(actions, m_action);
  if (frames > 0 && m_motion >= frames) m_motion = frames - 1;
  player::CountUp(m_tickCount);
  PlayActionSound(m_lastActionBase, m_lastFrame);
  m_lastActionBase = m_actionBase;
  m_lastFrame = m_motion;
}

void CPlayer::AddPickRegion(float left, float top, float right, float bottom, int32_t noAnchor) {
  g_pickRegionList.Add(PickEdge(left), PickEdge(right), PickEdge(top), PickEdge(bottom), 1, this);
  if (noAnchor != 0) return;
  g_leaderAnchor.x = PickEdge((left + right) * 0.5f);
  g_leaderAnchor.y = PickEdge(bottom);
}

PlayerTrailRecord CPlayer::Record() const {
  return PlayerTrailRecord{m_pos.x,      m_pos.y,    m_pos.z,      m_angleX,       m_angle,
                           m_angleZ,     m_velocity.x, m_velocity.y, m_velocity.z, m_tickCount,
                           m_state,      m_targetHeading, m_facing,  m_groundHeight, m_inAir};
}

void CPlayer::Place(int32_t x, int32_t z, int32_t y) {
  m_pos.x = static_cast<float>(x);
  m_pos.z = static_cast<float>(z);
  if (y == -1) {
    m_groundHeight = player::GroundAt(m_pos.x, m_pos.z);
    m_pos.y = m_groundHeight;
  } else {
    m_pos.y = static_cast<float>(y);
  }
  m_trail.clear();
}

void CPlayer::FaceSender(const CObject* sender) {
  Vec3 at;
  if (const auto* actor = dynamic_cast<const C2dActor*>(sender)) {
    at = actor->m_pos;
  } else if (const auto* prop = dynamic_cast<const C3dActor*>(sender)) {
    at = prop->m_pos;  // where the prop was placed
  } else {
    return;
  }
  m_targetHeading = std::atan2(at.x - m_pos.x, -(at.z - m_pos.z)) * player::kRadToDeg;
}

void CPlayer::ApplyFacingRule() {
  float d = m_facing - m_targetHeading;
  if (d >= 180.0f) d -= 360.0f;
  if (d < -180.0f) d += 360.0f;
  if (d > 112.5f) m_facing = m_targetHeading + 90.0f;
  if (d < -112.5f) m_facing = m_targetHeading - 90.0f;
  m_facing = player::WrapDegrees(m_facing);
}

void CPlayer::TickBlink() {
  if (m_blinkTicks == 0) return;
  m_visible = (m_blinkTicks / 2) % 2 != 0 || m_blinkTicks == 1 ? 1 : 0;
  --m_blinkTicks;
}

void CPlayer::Regenerate() {
  if (m_playerData == nullptr || m_tickCount % player::kRegenerationTicks != 0) return;
  player::GrowCapped(m_playerData->shp, m_playerData->maxshp);
  player::GrowCapped(m_playerData->mp1, m_playerData->maxmp1);
  player::GrowCapped(m_playerData->mp2, m_playerData->maxmp2);
  player::GrowCapped(m_playerData->mp3, m_playerData->maxmp3);
}

void CPlayer::TakeFloorDamage(int32_t divisor) {
  if (m_blinkTicks != 0 || m_playerData == nullptr) return;
  m_playerData->hp /= divisor;
  if (m_playerData->hp <= 0) m_playerData->hp = 1;
  m_blinkTicks = player::kBlinkTicks;
  m_hitFlash = player::kHitFlash;
  m_stunTicks = player::kStunTicks;
}

void CPlayer::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  const auto a = static_cast<int32_t>(value0);
  const auto b = static_cast<int32_t>(value1);
  const auto c = static_cast<int32_t>(value2);
  switch (code) {
    case player::kPlace:
      Place(a, b, c);
      if (m_follower != nullptr) m_follower->OnMessage(this, player::kPlace, a, b, c);
      break;
    case player::kFaceHeading:
      m_targetHeading = static_cast<float>(a);
      ApplyFacingRule();
      break;
    case player::kFaceSender:
      FaceSender(sender);
      ApplyFacingRule();
      break;
    case player::kHold:
      m_state = kStand;
      m_tickCount = 0;
      m_scriptHold = 1;
      break;
    case player::kRelease:
      m_scriptHold = 0;
      break;
    case player::kTurnChain:
      FaceSender(sender);
      ApplyFacingRule();
      if (m_follower != nullptr) m_follower->OnMessage(sender, player::kTurnChain, a, b, c);
      break;
    case player::kJump:
      DebugLog("Player cannot Jump!!!");
      break;
    case player::kClearTrail:
      m_trail.clear();
      break;
    case player::kFloorDamage:
      TakeFloorDamage(2);
      break;
    case player::kStrongFloorDamage:
      TakeFloorDamage(4);
      break;
    default:
      CSelvarinActor::OnMessage(sender, code, value0, value1, value2);
      break;
  }
}
