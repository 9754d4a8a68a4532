// What a party member answers: hits with guard and the damage reactions,
// its own landed blows, refills, orders and the state changes the rules
// and scripts send.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "battle/BattlePlayer.h"
#include "battle/DamageSplit.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "platform/Random.h"
#include "rules/Condition.h"
#include "session/Session.h"

namespace {
namespace battleplayermessages {

enum FrameMessage : int { kFlashLater = 4 };

constexpr int32_t kCounterText = 8;
constexpr int32_t kMissText = 4;
constexpr int32_t kCriticalText = 5;
constexpr int32_t kGuardEffect = 206;
constexpr int32_t kHitGauge = 30;
constexpr int32_t kGuardGauge = 20;
constexpr int32_t kRefillBlink = 100;
constexpr int32_t kRedNumber = 1;
constexpr int32_t kCounterStance = 10058;

int32_t Int(intptr_t value) { return static_cast<int32_t>(value); }

// The reaction to a blow of damage d against T, the most hit and barrier
// points, and the push and lift it gives.
struct Reaction {
  int32_t code;
  float knockBack, lift;
};

Reaction ReactionTo(int64_t d, int64_t t) {
  if (d < t / 10) return {kActDamageLight, -1.8f, -1.3f};
  if (d < t / 5) return {kActDamage, -2.0f, -1.6f};
  if (d < t * 4 / 10) return {kActDamageStrong, -2.15f, -1.9f};
  return {kActDamageHeavy, -2.3f, -2.1f};
}

}  // namespace battleplayermessages
}  // namespace

void CBattlePlayer::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  CSession& session = CSession::GetInstance();
  switch (code) {
    case kMsgHit:
    case kMsgMagicHit:
    case kMsgHitWithNumber:
      TakeHit(sender, code, battleplayermessages::Int(value0), 0, battleplayermessages::Int(value2));
      break;
    case kMsgHitTwoParts:
      TakeHit(sender, code, battleplayermessages::Int(value0), battleplayermessages::Int(value1), 0);
      break;
    case kMsgHitConfirmed:
      if (m_actionCode == kActDying || m_actionCode == kActRemoved) break;
      m_hitStopTicks = 15;
      if (m_attackStyle == 2) SpawnBattleMsg(battleplayermessages::kCounterText, 0.0f, 0.0f, 0.0f);
      if (CSelvarinFrame* frame = GetGameFrame()) frame->OnMessage(this, battleplayermessages::kFlashLater, 3, 7, 0);
      session.SpawnHitEffect(Position(), true, dynamic_cast<CSelvarinActor*>(sender));
      break;
    case kMsgPlaceOnWalkPoint:
      m_pos.x = m_targetX;
      m_pos.z = m_targetZ;
      if (const CSelvarinContext* context = GetFieldContext()) m_pos.y = context->GetStandHeight(m_pos);
      break;
    case kMsgFullBarrier:
    case kMsgFullHp:
    case kMsgRaiseBarrier:
    case kMsgHealHp:
      Heal(code, battleplayermessages::Int(value0));
      break;
    case kMsgOrder:
      TakeOrder(sender, value0, value1, value2);
      break;
    case kMsgWalkPoint:
      if (value0 != 0 && value1 != 0) {
        m_targetX = *reinterpret_cast<const float*>(value0);
        m_targetZ = *reinterpret_cast<const float*>(value1);
      }
      break;
    case kMsgKill:
      if (IsInTerminalAction() || m_record == nullptr) break;
      m_record->hp = 0;
      m_record->shp = 0;
      SetAction(kActDying);
      break;
    case kMsgChosenIndex:
      m_chosenIndex = battleplayermessages::Int(value0);
      break;
    case kMsgMissed:
    case kMsgCritical:
      SpawnBattleMsg(code == kMsgMissed ? battleplayermessages::kMissText : battleplayermessages::kCriticalText, 0.0f, 0.0f, 0.0f);
      break;
    case kMsgNoWeapon:
      PostFrameMessage("장착된 무기가 없습니다");
      break;
    case kMsgCounterUp:
      ++m_counterHits;
      if (m_actionCode != kActIdle) break;
      if (const auto* other = dynamic_cast<const CSelvarinActor*>(sender)) FaceToward(other->m_pos.x, other->m_pos.z);
      SetAction(kActUseStrong);
      break;
    case kMsgCounterDown:
      if (--m_counterHits == 0) SetAction(battleplayermessages::kCounterStance);
      break;
    case kMsgHold:
    case kMsgVanishLight:
    case kMsgPetrify:
    case kMsgShieldGuard:
    case kMsgPartnerCast:
    case kMsgVictory: {
      if (IsInTerminalAction()) break;
      static constexpr int32_t kStates[][2] = {{kMsgHold, kActHeld},         {kMsgVanishLight, kActVanish},
                                               {kMsgPetrify, kActPetrified}, {kMsgShieldGuard, kActShieldGuard},
                                               {kMsgPartnerCast, kActPartnerCast}, {kMsgVictory, kActVictory}};
      for (const auto& row : kStates) {
        if (row[0] == code) SetAction(row[1]);
      }
      break;
    }
    case kMsgNullify:
      m_nullifyFlag = battleplayermessages::Int(value0);
      break;
    case kMsgReflect:
      m_reflectFlag = battleplayermessages::Int(value0);
      break;
    default:
      CBattleActor::OnMessage(sender, code, value0, value1, value2);
      break;
  }
}

// A blow without a sender (a script, a condition) turns nobody and answers
// nobody.
void CBattlePlayer::TakeHit(CObject* sender, int code, int32_t barrierPart, int32_t hpPart, int32_t style) {
  if (m_record == nullptr || IsInTerminalAction() || m_hitGuardTicks > 0) return;
  if (code == kMsgHitWithNumber && m_actionCode == kActDying) return;
  auto* hitter = dynamic_cast<CBattleActor*>(sender);
  if (hitter == this) hitter = nullptr;
  const bool physical = code == kMsgHit || code == kMsgHitTwoParts;
  if (physical && (m_actionCode == kActDefend || m_actionCode == kActGuard)) {
    TakeGuardedHit(hitter, barrierPart, hpPart);
    return;
  }
  CSession& session = CSession::GetInstance();
  const int64_t d = int64_t{barrierPart} + hpPart;
  const int64_t t = int64_t{m_record->maxhp} + m_record->maxshp;
  session.SetCondition(*m_record, kPanic, false);
  m_hitFlash = 10;
  m_hitStopTicks = 15;
  m_hitGuardTicks = 1;
  if (code == kMsgMagicHit || code == kMsgHitWithNumber) {
    SpawnDamageNumber(static_cast<int32_t>(std::clamp<int64_t>(d, INT32_MIN, INT32_MAX)), battleplayermessages::kRedNumber, 0.0f, 0.0f,
                      0.0f, 0, 0);
  }
  FaceHitter(hitter);
  const battleplayermessages::Reaction reaction = battleplayermessages::ReactionTo(d, t);
  SetAction(reaction.code);
  m_knockBack = reaction.knockBack;
  m_velocity.y = reaction.lift;
  if (reaction.code == kActDamageLight) {
    m_resumeAction = kActIdle;
    m_resumeTick = 0;
  }
  if (style == 1 && physical) m_knockBack = 0.0f;
  if (style == 2) {
    m_knockBack = -5.0f;
    m_hitStopTicks = 0;
  }
  if (hitter != nullptr) hitter->OnMessage(this, kMsgHitConfirmed, static_cast<intptr_t>(d), 0, 0);
  TakeDamage(barrierPart, hpPart);
  m_hpFlashTicks = 0;
  m_bpFlashTicks = 0;
  session.AddSpecialGauge(Position(), battleplayermessages::kHitGauge);
  if (code == kMsgMagicHit) {
    m_shakeTicks = 30;
    m_hitStopTicks = 30;
    m_hitGuardTicks = 1;
  }
}

bool CBattlePlayer::TakeGuardedHit(CBattleActor* hitter, int32_t barrierPart, int32_t hpPart) {
  CSession& session = CSession::GetInstance();
  const int64_t d = int64_t{barrierPart} + hpPart;
  const int64_t t = int64_t{m_record->maxhp} + m_record->maxshp;
  if (d < t * 3 / 10) {
    if (hitter != nullptr) {
      m_target = hitter;
      FaceHitter(hitter);
    }
    m_hitStopTicks = 10;
    m_hitGuardTicks = 1;
    session.AddSpecialGauge(Position(), battleplayermessages::kGuardGauge);
    SetAction(kActGuard);
    if (hitter != nullptr) hitter->OnMessage(this, kMsgRecoil, 0, 0, 0);
    SpawnEffect(battleplayermessages::kGuardEffect);
    return true;
  }
  session.SetCondition(*m_record, kPanic, false);
  m_hitFlash = 10;
  m_hitStopTicks = 15;
  m_hitGuardTicks = 1;
  FaceHitter(hitter);
  const int32_t halfBarrier = barrierPart / 2, halfHp = hpPart / 2;
  const int64_t half = int64_t{halfBarrier} + halfHp;
  SetAction(half >= t * 4 / 10 ? kActGuardPushedBack : kActGuardPushed);
  if (hitter != nullptr) hitter->OnMessage(this, kMsgHitConfirmed, static_cast<intptr_t>(d), 0, 0);
  TakeDamage(halfBarrier, halfHp);
  m_hpFlashTicks = 0;
  m_bpFlashTicks = 0;
  session.AddSpecialGauge(Position(), battleplayermessages::kHitGauge);
  SpawnEffect(battleplayermessages::kGuardEffect);
  return true;
}

void CBattlePlayer::TakeDamage(int32_t barrierPart, int32_t hpPart) {
  PlayerData& record = *m_record;
  ApplyDamageSplit(record.hp, record.shp, barrierPart, hpPart);
  if ((static_cast<uint32_t>(record.stateid) & kUndead) != 0) record.hp = std::max(record.hp, 1);
  if (record.hp < 1) {
    record.hp = 0;
    SetAction(kActDying);
  }
}

void CBattlePlayer::FaceHitter(CBattleActor* hitter) {
  if (hitter == nullptr) return;
  FaceToward(hitter->m_pos.x, hitter->m_pos.z);
  float angle = std::fmod(m_angle + static_cast<float>(platform::Rand() % 80 - 40), 360.0f);
  if (angle < 0.0f) angle += 360.0f;
  m_angle = angle;
}

void CBattlePlayer::Heal(int code, int32_t amount) {
  if (m_record == nullptr) return;
  PlayerData& record = *m_record;
  const auto raise = [amount](int32_t& value, int32_t most) {
    value = static_cast<int32_t>(std::min<int64_t>(int64_t{value} + amount, most));
  };
  switch (code) {
    case kMsgFullBarrier:
      record.shp = record.maxshp;
      m_bpFlashTicks = battleplayermessages::kRefillBlink;
      break;
    case kMsgFullHp:
      record.hp = record.maxhp;
      m_hpFlashTicks = battleplayermessages::kRefillBlink;
      break;
    case kMsgRaiseBarrier:
      if (int64_t{record.shp} + amount > record.maxshp) m_bpFlashTicks = battleplayermessages::kRefillBlink;
      raise(record.shp, record.maxshp);
      break;
    default:
      if (record.hp < record.maxhp) {
        raise(record.hp, record.maxhp);
      } else {
        raise(record.shp, record.maxshp);
      }
      break;
  }
}

void CBattlePlayer::TakeOrder(CObject* sender, intptr_t target, intptr_t kind, intptr_t special) {
  if (auto* given = dynamic_cast<CBattleActor*>(reinterpret_cast<CObject*>(target))) m_target = given;
  m_timeGauge = 0.0f;
  m_tickCount = 0;
  CSession& session = CSession::GetInstance();
  switch (kind) {
    case 0:
      if (!session.HasWeaponEquipped(Position())) {
        SetAction(kActIdle);
        OnMessage(this, kMsgNoWeapon, 0, 0, 0);
        break;
      }
      if (special != 0) {
        PostFrameMessage("필살공격");
        if (m_record != nullptr) m_record->cp = 0;
      }
      m_attackMode = 0;
      m_attackStyle = 0;
      SetAction(kActApproach);
      break;
    case 1:
      m_timeGauge = 50.0f;
      SetAction(kActDefend);
      break;
    case 2:
      SetAction(kActWalkToPoint);
      break;
    case 3:
      SetAction(kActUse);
      break;
    case 4:
    case 5:
      break;
    default:
      CBattleActor::OnMessage(sender, kMsgOrder, target, kind, special);
      break;
  }
}
