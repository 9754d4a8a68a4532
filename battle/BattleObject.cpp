#include "battle/BattleObject.h"

#include <algorithm>
#include <cmath>

#include "battle/BattleText.h"
#include "battle/SpawnedBattleObjects.h"
#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"

namespace {
namespace battleobject {

constexpr int kForgetEffect = 46;
constexpr int kSpawnEffect = 51;
constexpr int kShowBattleText = 3;
constexpr int32_t kLandingDust = 1009;
constexpr float kGravityStep = 0.2f;   // times the factor, each tick in the air
constexpr float kFollowDrop = 3.0f;    // deeper drops start a fall
constexpr float kShadowLift = 0.05f;

const CActRes* FindAnimation(const std::string& name) {
  return name.empty() ? nullptr : dynamic_cast<const CActRes*>(CResMgr::GetInstance().GetResStr(name));
}

const CSprRes* FindSprite(const std::string& name) {
  return name.empty() ? nullptr : dynamic_cast<const CSprRes*>(CResMgr::GetInstance().GetResStr(name));
}

// Less the radius, never below 0.
float Outside(float distance, float radius) { return std::max(distance - radius, 0.0f); }

uint32_t AddChannel(uint32_t argb, int shift, int32_t delta) {
  const auto value = static_cast<int32_t>((argb >> shift) & 0xFFu);
  const auto sum = static_cast<uint32_t>(std::clamp(value + delta, 0, 255));
  return (argb & ~(0xFFu << shift)) | (sum << shift);
}

}  // namespace battleobject
}  // namespace

// ---- CBattleObject ----

CBattleObject::~CBattleObject() {
  CSelvarinContext* context = GetFieldContext();
  if (context != nullptr) {
    CSelvarinActor* self = this;
    for (CActor* object : context->m_battleObjects) {
      if (auto* text = dynamic_cast<CBattleMsg*>(object); text != nullptr && text->m_owner == this) text->m_owner = nullptr;
      if (auto* decoy = dynamic_cast<CBattleIllusion*>(object); decoy != nullptr && decoy->m_source == self) {
        decoy->m_source = nullptr;
      }
      auto* bound = dynamic_cast<CBattleBoundObject*>(object);
      if (bound == nullptr || object == this) continue;
      if (bound->m_user == self) bound->m_user = nullptr;
      if (bound->m_target == self) bound->m_target = nullptr;
    }
  }
  CSelvarinFrame* frame = GetGameFrame();
  if (frame == nullptr) return;
  const CActor* me = this;
  for (CActor** held : {&frame->m_pCurrentBattleActor, &frame->m_lookTarget, &frame->m_commandActor,
                              &frame->m_lastEnemyTarget, &frame->m_lastAllyTarget, &frame->m_partner}) {
    if (*held == me) *held = nullptr;
  }
  for (auto& queue : frame->m_orderQueues) std::erase(queue, me);
  for (CActor*& listed : frame->m_targetList) {
    if (listed == me) listed = nullptr;
  }
  // Neither the script's speaker nor the view's focus names a deleted one.
  if (frame->m_pBattleSpeaker == me) frame->m_pBattleSpeaker = nullptr;
  if (CSelvarinView* view = frame->GetView(); view != nullptr && view->m_pFocus == me) view->m_pFocus = nullptr;
}

void CBattleObject::SetAnimation(int32_t base, int32_t frameDelay, int32_t playMode) {
  m_actionBase = base;
  m_action = base;
  m_frameDuration = frameDelay;
  m_playMode = playMode;
  m_motion = 0;
  m_delayTick = 0;
  m_holdLast = 0;
  m_holdTicks = 0;
  m_hitDelay = 0;
  m_hitFrame = -1;
}

void CBattleObject::SetAction(int32_t code) {
  m_actionCode = code;
  m_tickCount = 0;
}

uint32_t CBattleObject::AddTint(int32_t alpha, int32_t red, int32_t green, int32_t blue) {
  m_tint = battleobject::AddChannel(m_tint, 24, alpha);
  m_tint = battleobject::AddChannel(m_tint, 16, red);
  m_tint = battleobject::AddChannel(m_tint, 8, green);
  m_tint = battleobject::AddChannel(m_tint, 0, blue);
  return m_tint;
}

float CBattleObject::DistanceXZ(float x, float z) const { return battleobject::Outside(CSelvarinActor::DistanceXZ(x, z), m_radius); }

float CBattleObject::Distance3d(float x, float y, float z) const {
  const float dx = x - m_pos.x, dy = y - m_pos.y, dz = z - m_pos.z;
  return battleobject::Outside(std::sqrt(dx * dx + dy * dy + dz * dz), m_radius);
}

// Both are fetched, so that the battle's clean-up finds both loaded.
const CSprRes* CBattleObject::GetSprite() {
  const CActRes* actions = battleobject::FindAnimation(m_actName);
  const CSprRes* sprites = battleobject::FindSprite(m_sprName);
  return actions != nullptr ? sprites : nullptr;
}

void CBattleObject::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  if (code == battleobject::kForgetEffect || code == battleobject::kSpawnEffect) CSelvarinActor::OnMessage(sender, code, value0, value1, value2);
}

void CBattleObject::PostFrameMessage(const char* text) {
  if (CSelvarinFrame* frame = GetGameFrame()) frame->OnMessage(this, battleobject::kShowBattleText, reinterpret_cast<intptr_t>(text), 0, 0);
}

int32_t CBattleObject::FrameCount() const {
  const CActRes* actions = battleobject::FindAnimation(m_actName);
  const ActAction* action = actions != nullptr ? actions->GetAction(m_action) : nullptr;
  return action != nullptr ? static_cast<int32_t>(action->motions.size()) : 0;
}

void CBattleObject::ClampToAct() {
  const CActRes* actions = battleobject::FindAnimation(m_actName);
  if (actions == nullptr) return;
  const int32_t last = std::max(actions->GetActionCount() - 1, 0);
  m_action = std::clamp(m_actionBase + GetViewQuadrant(m_angle), 0, last);
  m_motion = std::clamp(m_motion, 0, std::max(FrameCount() - 1, 0));
}

bool CBattleObject::HasSheets() const {
  return battleobject::FindAnimation(m_actName) != nullptr && battleobject::FindSprite(m_sprName) != nullptr;
}

void CBattleObject::UpdateFrame() {
  // Without sheets there is no frame to step, but timed actions go on.
  if (!HasSheets()) {
    ++m_tickCount;
    return;
  }
  if (m_actionCode == kActScriptOnce || m_actionCode == kActScriptLoop || m_actionCode == kActScriptFixed) {
    ScriptFrame();
    return;
  }
  StepAnimation();
  ClampToAct();
  PlayActionSound(m_lastActionBase, m_lastFrame);
  m_lastActionBase = m_actionBase;
  m_lastFrame = m_motion;
}

// The script's frames count the action's ticks; a fixed frame stays as the
// script set it.
void CBattleObject::ScriptFrame() {
  ++m_tickCount;
  if (m_actionCode == kActScriptFixed) return;
  const int32_t frames = FrameCount();
  if (m_frameDuration <= 0 || frames == 0) {
    m_motion = 0;
    return;
  }
  const int32_t frame = m_tickCount / m_frameDuration;
  m_motion = m_actionCode == kActScriptOnce ? std::min(frame, frames - 1) : frame % frames;
}

void CBattleObject::StepAnimation() {
  ++m_tickCount;
  if (m_holdLast != 0) {
    ++m_holdTicks;
    return;
  }
  // A delay of 0 is a still frame.
  if (m_frameDuration <= 0 || ++m_delayTick < m_frameDuration) return;
  m_delayTick = 0;
  m_motion += m_pingPongBack != 0 ? -1 : 1;
  const int32_t last = FrameCount() - 1;
  if (m_motion >= 0 && m_motion <= last) return;
  switch (m_playMode) {
    case kPlayLoop:
      m_motion = 0;
      break;
    case kPlayPingPong:
      m_motion = m_pingPongBack != 0 ? 0 : std::max(last, 0);
      m_pingPongBack = m_pingPongBack != 0 ? 0 : 1;
      break;
    default:
      m_motion = std::max(last, 0);
      m_holdLast = 1;
      break;
  }
}

void CBattleObject::ApplyGravity(float factor) { StepFall(battleobject::kGravityStep * factor); }

void CBattleObject::StepFall(float gravity) {
  const CSelvarinContext* context = GetFieldContext();
  if (context == nullptr) return;
  const float ground = context->GetStandHeight(m_pos);
  m_groundHeight = ground;
  if (m_inAir != 0) {
    m_pos.y += m_velocity.y;
    m_velocity.y += gravity;
    // Rising: no landing yet.
    if (m_velocity.y < 0.0f || context->CheckHeight(m_pos.x, m_pos.y, m_pos.z) == 0) return;
    m_inAir = 0;
    SpawnEffect(battleobject::kLandingDust);
    m_pos.y = ground;
    return;
  }
  if (ground - battleobject::kFollowDrop >= m_pos.y) {
    m_inAir = 1;
    m_velocity.y = gravity;
  } else {
    m_pos.y = ground;
  }
}

void CBattleObject::ApplyVelocity() {
  m_pos.x += m_velocity.x;
  m_pos.y += m_velocity.y;
  m_pos.z += m_velocity.z;
}

void CBattleObject::RenderBody(CRC& rc, const Matrix& view) {
  LayerStyle style;
  style.tint = m_tint;
  style.scaleX = m_scaleX;
  style.scaleY = m_scaleY;
  style.headDepth = false;
  style.flashInColour = true;
  style.flash = m_hitFlash;
  style.allSolid = m_alwaysFull != 0;
  style.lonelyLayerOffScreenHides = false;
  style.who = "CBattleActor::Render";
  if (m_shakeTicks != 0) {
    m_shakePhase = (m_tickCount / 2) % 2;
    style.shiftX = m_shakePhase != 0 ? 1.0f : -1.0f;
  }
  ScreenRect drawn;
  QueueLayers(rc, view, style, &drawn);
}

void CBattleObject::RenderShadow(CRC& rc, const Matrix& view, float scale) {
  if (m_drawShadow != 0) QueueShadow(rc, view, m_groundHeight - battleobject::kShadowLift, scale, m_tint);
}
