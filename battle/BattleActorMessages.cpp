// The script codes and battle messages every participant answers. Orders
// that move or animate it are refused while it leaves the battle.
#include <algorithm>
#include <cmath>

#include "battle/BattleObject.h"
#include "field/SelvarinContext.h"
#include "field/SysexCrowd.h"
#include "platform/DebugLog.h"
#include "session/Session.h"

namespace {
namespace battleactormessages {

constexpr int kOwnTarget = 22;
constexpr int kBalloon = 21;  // the sprite actor's codes
constexpr int kCrowd = 42;
constexpr int kEnd = 29;
constexpr float kHundredth = 0.01f;
constexpr float kDegreesPerRadian = 57.29579f;

int32_t Int(intptr_t value) { return static_cast<int32_t>(value); }
float Float(intptr_t value) { return static_cast<float>(static_cast<int32_t>(value)); }

}  // namespace battleactormessages
}  // namespace

bool CBattleActor::IsLiveOrder(int code) {
  switch (code) {
    case kMsgWalkToPoint:
    case kMsgWalkToActor:
    case kMsgJump:
    case kMsgWarp:
    case kMsgLookAtSender:
    case kMsgScriptMotion:
    case kMsgScriptAction:
    case kMsgChangeSprite:
    case kMsgFreeze:
    case kMsgStun:
    case kMsgKill:  // one that has left the battle does not die again
      return true;
    default:
      return false;
  }
}

void CBattleActor::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  if (IsLiveOrder(code) && IsInTerminalAction()) return;
  switch (code) {
    case battleactormessages::kOwnTarget:
      if (battleactormessages::Int(value0) == 1 || battleactormessages::Int(value0) == 2) m_target = this;
      break;
    case kMsgHitStop:
      m_hitStopTicks = battleactormessages::Int(value0);
      break;
    case kMsgWalkToPoint:
      m_targetX = battleactormessages::Float(value0);
      m_targetZ = battleactormessages::Float(value1);
      SetAction(kActWalkToPoint);
      break;
    case kMsgToIdle:
      SetAction(kActIdle);
      break;
    case kMsgHitGuard:
      m_hitGuardTicks = battleactormessages::Int(value0);
      break;
    case kMsgWalkToActor:
      m_walkToActor = dynamic_cast<CBattleActor*>(reinterpret_cast<CObject*>(value0));
      SetAction(kActWalkToActor);
      break;
    case kMsgJump:
      Jump(value0, value1, value2);
      break;
    case kMsgWarp:
      Warp(value0, value1, value2);
      break;
    case kMsgLookAtSender:
      if (const auto* actor = dynamic_cast<const C2dActor*>(sender)) {
        FaceToward(actor->m_pos.x, actor->m_pos.z);
      } else {
        DebugLog("액터가 없습니다.");
      }
      break;
    case kMsgShow:
      m_visible = 1;
      break;
    case kMsgHide:
      m_visible = 0;
      break;
    case kMsgScriptMotion:
      ScriptAnimation(kActScriptFixed, battleactormessages::Int(value0), battleactormessages::Int(value1));
      break;
    case kMsgScriptAction:
      ScriptAnimation(battleactormessages::Int(value1) == 1 ? kActScriptLoop : kActScriptOnce, battleactormessages::Int(value0), 0);
      break;
    case kMsgChangeSprite:
      ChangeBattleSprite(reinterpret_cast<const char*>(value0), battleactormessages::Int(value1), battleactormessages::Int(value2));
      break;
    case kMsgShadow:
      m_drawShadow = battleactormessages::Int(value0);
      break;
    case kMsgHeading:
      m_angle = battleactormessages::Float(value0);
      break;
    case kMsgEmotion:
      CSelvarinActor::OnMessage(sender, battleactormessages::kBalloon, value0, value1, 0);
      break;
    case kMsgCrowd:
      CSelvarinActor::OnMessage(sender, battleactormessages::kCrowd, value0, value1, value2);
      break;
    case kMsgStopGauge:
      m_gaugeRunning = 0;
      break;
    case kMsgRunGauge:
      m_gaugeRunning = 1;
      break;
    case kMsgDropCrowd:
      if (m_crowd != nullptr) m_crowd->OnMessage(this, battleactormessages::kEnd, 0, 0, 0);
      m_crowd = nullptr;
      break;
    case kMsgKill:
      Kill();
      break;
    case kMsgFreeze:
      SetAction(kActFrozen);
      break;
    case kMsgStun:
      SetAction(kActStunned);
      m_timeGauge = 0.0f;
      break;
    default:
      CBattleObject::OnMessage(sender, code, value0, value1, value2);
      break;
  }
}

void CBattleActor::Jump(intptr_t vx, intptr_t vz, intptr_t vy) {
  m_inAir = 1;
  m_velocity = Vec3{battleactormessages::Float(vx) * battleactormessages::kHundredth, -battleactormessages::Float(vy) * battleactormessages::kHundredth, battleactormessages::Float(vz) * battleactormessages::kHundredth};
  m_angle = std::atan2(m_velocity.x, -m_velocity.z) * battleactormessages::kDegreesPerRadian;
  SetAction(kActJump);
}

// -1 for the height stands the participant on what lies there.
void CBattleActor::Warp(intptr_t x, intptr_t z, intptr_t y) {
  m_pos.x = battleactormessages::Float(x);
  m_pos.z = battleactormessages::Float(z);
  if (battleactormessages::Int(y) != -1) {
    m_pos.y = battleactormessages::Float(y);
    return;
  }
  const CSelvarinContext* context = GetFieldContext();
  m_groundHeight = context != nullptr ? context->GetStandHeight(m_pos) : 0.0f;
  m_pos.y = m_groundHeight;
}

void CBattleActor::ScriptAnimation(int32_t code, int32_t action, int32_t frame) {
  SetAction(code);
  m_action = action;
  m_motion = frame;
}

void CBattleActor::ChangeBattleSprite(const char* sprite, int32_t action, int32_t frame) {
  if (sprite == nullptr) return;
  m_sprName = sprite;
  m_actName = AnimationNameFor(m_sprName);
  ScriptAnimation(kActScriptFixed, action, frame);
}

// The record is found by the participant's binding: its party position or
// its enemy slot, and only while that still names it.
void CBattleActor::Kill() {
  CSession& session = CSession::GetInstance();
  const int32_t index = m_battleId[0];
  if (m_battleId[1] == 1 && index >= 0 && index < std::min<int>(session.partyCount, CSession::kMaxParty)) {
    PlayerData* member = session.GetPartyMember(index);
    if (member != nullptr && member->battlePtr == this) member->hp = member->shp = 0;
  } else if (m_battleId[1] == 0 && index >= 0 && index < CSession::kMaxEnemies) {
    EnemySlot& enemy = session.enemies[static_cast<size_t>(index)];
    if (enemy.actor == this) enemy.hp = enemy.shp = 0;
  }
  SetAction(kActDying);
}
