#include "field/SelvarinActor.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "effect/SelvarinEffect.h"
#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/Wave.h"
#include "field/EffectSpr.h"
#include "field/PickRegionList.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SysexCrowd.h"
#include "platform/DebugLog.h"
#include "platform/Random.h"

SLV_REGISTER_ACTOR(CSelvarinActor, "selvarinactor");

namespace {
namespace selvarinactor {

enum Code : int {
  kShow = 1,
  kHide = 2,
  kPlace = 3,
  kWalkTo = 4,
  kSetHeading = 5,
  kFaceSender = 6,
  kStart = 11,
  kSetSpeed = 15,
  kSetSolid = 16,
  kPlayAction = 19,
  kHoldAction = 20,
  kBalloon = 21,
  kSetShadow = 23,
  kChangeSprite = 25,
  kRestoreSprite = 26,
  kThrow = 27,
  kEnd = 29,
  kCrowd = 42,
  kAfterimage = 43,
  kForgetEffect = 46,
  kScripted = 47,
  kSpawnEffect = 51,
  kDetach = 10044,
};

constexpr float kHundredth = 0.01f;
constexpr float kDegreesPerRadian = 57.29579f;
constexpr int kCrowdX = 320, kCrowdY = 240;

}  // namespace selvarinactor
}  // namespace

CSelvarinActor::CSelvarinActor() : m_random(platform::Rand()) {}

CSelvarinActor::~CSelvarinActor() {
  ForgetPickedActor(this);
  // Each answer clears the pointer it came through; the lists are taken
  // first so that no answer changes what is being walked.
  if (m_balloon != nullptr) m_balloon->OnMessage(this, selvarinactor::kEnd, 0, 0, 0);
  if (m_crowd != nullptr) m_crowd->OnMessage(this, selvarinactor::kEnd, 0, 0, 0);
  m_balloon = nullptr;
  m_crowd = nullptr;
  const std::list<CSelvarinEffect*> effects = std::move(m_effects);
  m_effects.clear();
  for (CSelvarinEffect* effect : effects) effect->OnMessage(this, selvarinactor::kDetach, 0, 0, 0);
}

void CSelvarinActor::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  const auto a = static_cast<int32_t>(value0);
  const auto b = static_cast<int32_t>(value1);
  switch (code) {
    case selvarinactor::kShow:
      m_visible = 1;
      break;
    case selvarinactor::kHide:
      m_visible = 0;
      break;
    case selvarinactor::kPlace:
      Place(value0, value1, value2);
      break;
    case selvarinactor::kWalkTo:
      m_targetX = static_cast<float>(a);
      m_targetZ = static_cast<float>(b);
      SetMode(kModeWalkToTarget);
      break;
    case selvarinactor::kSetHeading:
      m_angle = static_cast<float>(a);
      break;
    case selvarinactor::kFaceSender:
      if (const auto* actor = dynamic_cast<const C2dActor*>(sender)) {
        FaceToward(actor->m_pos.x, actor->m_pos.z);
      } else {
        DebugLog("볼 액터가 없습니다.");
      }
      break;
    case selvarinactor::kStart:
      if (m_initLine != -1) {
        if (CSelvarinFrame* frame = GetGameFrame()) frame->RunEventScript(m_initLine, m_name, m_scriptStack);
      }
      if (const CSelvarinContext* context = GetFieldContext()) m_groundHeight = context->GetStandHeight(m_pos);
      break;
    case selvarinactor::kSetSpeed:
      m_speed = static_cast<float>(a) * selvarinactor::kHundredth;
      break;
    case selvarinactor::kSetSolid:
      m_solid = a;
      break;
    case selvarinactor::kPlayAction:
      m_action = a;
      m_motion = 0;
      SetMode(b == 1 ? kModeLoop : kModePlayOnce);
      break;
    case selvarinactor::kHoldAction:
      m_action = a;
      m_motion = b;
      SetMode(kModeHoldFrame);
      break;
    case selvarinactor::kBalloon:
      ShowBalloon(value0, value1);
      break;
    case selvarinactor::kSetShadow:
      m_drawShadow = a;
      break;
    case selvarinactor::kChangeSprite:
      ChangeSprite(reinterpret_cast<const char*>(value0), value1, value2);
      break;
    case selvarinactor::kRestoreSprite:
      m_sprName = m_savedSprite;
      m_actName = m_savedAnimation;
      SetMode(kModeStand);
      break;
    case selvarinactor::kThrow:
      m_inAir = 1;
      SetMode(kModeThrown);
      m_velocity = Vec3{static_cast<float>(a) * selvarinactor::kHundredth, -static_cast<float>(value2) * selvarinactor::kHundredth,
                        static_cast<float>(b) * selvarinactor::kHundredth};
      m_angle = std::atan2(m_velocity.x, -m_velocity.z) * selvarinactor::kDegreesPerRadian;
      break;
    case selvarinactor::kCrowd:
      ShowCrowd(reinterpret_cast<const char*>(value0), value1, value2);
      break;
    case selvarinactor::kAfterimage:
      SetAfterimage(a, b != 0 ? b : m_afterimageLength,
                    value2 != 0 ? static_cast<int32_t>(value2) : m_afterimageColour);
      break;
    case selvarinactor::kForgetEffect:
      m_effects.remove_if([sender](const CSelvarinEffect* effect) { return effect == sender; });
      break;
    case selvarinactor::kScripted:
      SetMode(kModeScripted);
      break;
    case selvarinactor::kSpawnEffect:
      SpawnEffect(a);
      break;
    default:
      break;
  }
}

void CSelvarinActor::SetMode(int32_t mode) {
  m_state = mode;
  m_tickCount = 0;
}

// The values are whole units; -1 for the height stands the actor on what
// lies there.
void CSelvarinActor::Place(intptr_t x, intptr_t z, intptr_t y) {
  m_pos.x = static_cast<float>(static_cast<int32_t>(x));
  m_pos.z = static_cast<float>(static_cast<int32_t>(z));
  if (static_cast<int32_t>(y) != -1) {
    m_pos.y = static_cast<float>(static_cast<int32_t>(y));
    return;
  }
  const CSelvarinContext* context = GetFieldContext();
  m_groundHeight = context != nullptr ? context->GetStandHeight(Vec3{m_pos.x, m_pos.y, m_pos.z}) : 0.0f;
  m_pos.y = m_groundHeight;
}

void CSelvarinActor::ShowBalloon(intptr_t action, intptr_t lifetime) {
  CSelvarinContext* context = GetFieldContext();
  if (context == nullptr) return;
  if (m_balloon != nullptr) m_balloon->OnMessage(this, selvarinactor::kEnd, 0, 0, 0);
  auto* balloon = new CEffectSpr;
  balloon->Init(this, "system/emotion.spr", "system/emotion.act", static_cast<int32_t>(action));
  if (static_cast<int32_t>(lifetime) != 0) balloon->m_lifetime = static_cast<int32_t>(lifetime);
  context->m_effects.push_back(balloon);
  m_balloon = balloon;
}

void CSelvarinActor::ShowCrowd(const char* text, intptr_t value, intptr_t lifetime) {
  CSelvarinContext* context = GetFieldContext();
  CSelvarinFrame* frame = GetGameFrame();
  if (text == nullptr || context == nullptr || frame == nullptr) return;
  if (m_crowd != nullptr) m_crowd->OnMessage(this, selvarinactor::kEnd, 0, 0, 0);
  auto* crowd = new CSysexCrowd;
  crowd->Init(text, selvarinactor::kCrowdX, selvarinactor::kCrowdY, this, static_cast<int32_t>(value));
  if (static_cast<int32_t>(lifetime) != 0) crowd->m_lifetime = static_cast<int32_t>(lifetime);
  context->m_effects.push_back(crowd);
  frame->m_speechCaptions.push_back(crowd);
  m_crowd = crowd;
}

void CSelvarinActor::ChangeSprite(const char* sprite, intptr_t action, intptr_t frame) {
  if (sprite == nullptr) return;
  m_sprName = sprite;
  m_actName = AnimationNameFor(m_sprName);
  m_action = static_cast<int32_t>(action);
  m_motion = static_cast<int32_t>(frame);
  SetMode(kModeHoldFrame);
}

std::string CSelvarinActor::AnimationNameFor(const std::string& sprite) {
  return sprite.substr(0, sprite.find('.')) + ".act";
}

void CSelvarinActor::SetAfterimage(int32_t on, int32_t length, int32_t colour) {
  if (on != 0) PlayWave("잔상남는소리.wav");
  m_afterimage = on;
  m_afterimageLength = length;
  m_afterimageColour = colour;
}

void CSelvarinActor::SpawnEffect(int32_t effectId) {
  DebugLogf("EffectId == %d, %d\n", effectId, 270);
  CSelvarinContext* context = GetFieldContext();
  if (context == nullptr) return;
  auto* effect = new CSelvarinEffect;
  effect->Init(this, effectId);
  context->m_effects.push_back(effect);
  m_effects.push_back(effect);
}

const char* CSelvarinActor::CurrentEvent() const {
  const CActRes* actions = CResMgr::GetInstance().GetResAs<CActRes>(m_actName);
  const ActMotion* motion = actions != nullptr ? actions->GetMotion(m_action, m_motion) : nullptr;
  if (motion == nullptr || motion->eventIndex < 0) return nullptr;
  return actions->GetEventName(motion->eventIndex);
}

int32_t CSelvarinActor::GetAttackTimeEvent() const {
  const char* event = CurrentEvent();
  if (event == nullptr) return 0;
  if (std::strcmp(event, "attacktime.atk") == 0) return 1;
  if (std::strcmp(event, "attacktime.not") == 0) return 2;
  if (std::strcmp(event, "attacktime.far") == 0) return 3;
  return 0;
}

void CSelvarinActor::PlayActionSound(int32_t previousBase, int32_t previousFrame) {
  const char* event = CurrentEvent();
  if (event == nullptr || (m_actionBase == previousBase && m_motion == previousFrame)) return;
  if (std::strstr(event, ".wav") != nullptr) PlayWave(event);
}

bool CSelvarinActor::UpdateScriptFrame() {
  if (m_state != kModePlayOnce && m_state != kModeHoldFrame && m_state != kModeLoop) return false;
  if (m_state == kModeHoldFrame) return true;
  const int32_t frame = std::max(m_tickCount, 0) / std::max(m_frameDuration, 1);
  const CActRes* actions = CResMgr::GetInstance().GetResAs<CActRes>(m_actName);
  const int32_t count = actions != nullptr ? actions->GetActionCount() : 0;
  if (count == 0) {
    m_motion = 0;
    return true;
  }
  if (m_state == kModePlayOnce) m_action = std::clamp(m_action, 0, count - 1);
  const int32_t frames = actions->GetMotionCount(m_action);
  if (frames == 0) {
    m_motion = 0;
  } else if (m_state == kModePlayOnce) {
    m_motion = std::min(frame, frames - 1);
  } else {
    m_motion = frame % frames;
  }
  return true;
}

void CSelvarinActor::AddPickRegion(float left, float top, float right, float bottom, int32_t /*noAnchor*/) {
  g_pickRegionList.Add(PickEdge(left), PickEdge(right), PickEdge(top), PickEdge(bottom), 2, this);
}
