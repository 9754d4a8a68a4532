// What an enemy answers: the hits it takes (dodged, reeled from, absorbed by
// its barrier), its own blow landing or dodged, the orders of the battle
// mode and the messages that kill it or knock it down.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "battle/enemy/BattleEnemy.h"
#include "engine/Wave.h"
#include "field/SelvarinFrame.h"
#include "platform/Random.h"
#include "rules/Condition.h"
#include "session/Session.h"

namespace {
namespace battleenemymessages {

enum FrameMessage : int { kFlashAfter = 4, kCountHit = 5 };
constexpr int32_t kDodgeEffect = 206;
constexpr int32_t kKindGuardBreaker = 3;  // a weapon hit no stance dodges
constexpr int32_t kTextMissed = 3, kTextCritical = 6;

int32_t Int(intptr_t value) { return static_cast<int32_t>(value); }

int32_t ToInt(int64_t v) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

float Wrapped(float degrees) {
  while (degrees < 0.0f) degrees += 360.0f;
  while (degrees >= 360.0f) degrees -= 360.0f;
  return degrees;
}

}  // namespace battleenemymessages
}  // namespace

void CBattleEnemy::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  switch (code) {
    case kMsgHit:
    case kMsgMagicHit:
    case kMsgHitWithNumber:
      TakeHit(sender, code, battleenemymessages::Int(value0), battleenemymessages::Int(value2));
      break;
    case kMsgHitTwoParts:
      TakeSplitHit(sender, battleenemymessages::Int(value0), battleenemymessages::Int(value1));
      break;
    case kMsgHitConfirmed:
      m_hitStopTicks = 15;
      CSession::GetInstance().SpawnHitEffect(Slot(), false, dynamic_cast<CSelvarinActor*>(sender));
      if (CSelvarinFrame* frame = GetGameFrame()) frame->OnMessage(this, battleenemymessages::kFlashAfter, 3, 7, 1);
      break;
    case kMsgRecoil:
      if (IsStopped() || m_actionCode == kActDying) break;
      m_hitStopTicks = 25;
      m_knockBack = -1.5f;
      PlayWave("물리데미지1.wav");
      break;
    case kMsgFullHp:
      if (m_slot != nullptr) m_slot->hp = m_slot->maxhp;
      break;
    case kMsgKnockIntoWander:
      if (m_hitGuardTicks > 0 || IsInTerminalAction() || m_actionCode == kActDying) break;
      SetAction(kActWander);
      m_hitStopTicks = 15;
      m_hitGuardTicks = 1;
      break;
    case kMsgOrder:
      TakeOrder(value0, value1);
      break;
    case kMsgWalkPoint:
      if (value0 != 0) m_targetX = *reinterpret_cast<const float*>(value0);
      if (value1 != 0) m_targetZ = *reinterpret_cast<const float*>(value1);
      break;
    case kMsgKill:
      if (IsInTerminalAction()) break;
      if (m_slot != nullptr) m_slot->shp = m_slot->hp = 0;
      SetAction(kActDying);
      break;
    case kMsgChosenIndex:
      m_chosenIndex = battleenemymessages::Int(value0);
      break;
    case kMsgMissed:
    case kMsgCritical:
      SpawnBattleMsg(code == kMsgMissed ? battleenemymessages::kTextMissed : battleenemymessages::kTextCritical, 0.0f, 0.0f, 0.0f);
      break;
    case kMsgHold:
    case kMsgVanishLight:
    case kMsgPetrify:
      if (IsInTerminalAction()) break;
      SetAction(code == kMsgHold ? kActHeld : code == kMsgVanishLight ? kActVanish : kActPetrified);
      break;
    case kMsgNullify:
      m_nullifyFlag = 1;
      break;
    case kMsgReflect:
      m_reflectFlag = 1;
      break;
    default:
      CBattleActor::OnMessage(sender, code, value0, value1, value2);
      break;
  }
}

// A hit without a sender is taken whole: nobody to face, dodge or tell.
void CBattleEnemy::TakeHit(CObject* sender, int code, int32_t damage, int32_t kind) {
  if (IsStopped() || (code == kMsgHitWithNumber && m_actionCode == kActDying)) return;
  const bool stance = m_actionCode == kActDefend || m_actionCode == kActGuard;
  if (sender != nullptr && stance && code == kMsgHit && kind != battleenemymessages::kKindGuardBreaker) {
    if (auto* from = dynamic_cast<CBattleActor*>(sender)) m_target = from;
    if (const auto* from = dynamic_cast<const C2dActor*>(sender)) FaceToward(from->m_pos.x, from->m_pos.z);
    m_angle = battleenemymessages::Wrapped(m_angle + static_cast<float>(platform::Rand() % 80 - 40));
    m_hitStopTicks = 10;
    m_hitGuardTicks = 1;
    SetAction(kActGuard);
    if (auto* to = dynamic_cast<CActor*>(sender)) to->OnMessage(this, kMsgRecoil, 0, 0, 0);
    SpawnEffect(battleenemymessages::kDodgeEffect);
    return;
  }
  const bool wasDying = m_actionCode == kActDying;
  ReactToHit(sender, damage, code != kMsgHit);
  const bool weaponKind1 = code == kMsgHit && kind == 1;
  if (weaponKind1) {
    m_knockBack = 0.0f;
  } else if (code == kMsgHit && kind == 2) {
    m_knockBack = -5.0f;
    m_hitStopTicks = 0;
  } else {
    m_knockBack = -2.5f;
  }
  m_inAir = 1;
  m_velocity.y = code == kMsgMagicHit && kind != 0 ? -1.5f * static_cast<float>(kind) : -1.5f;
  if (weaponKind1) {
    m_velocity.y = 0.0f;
    m_inAir = 0;
  }
  SetAction(kActDamageLight);
  if (auto* to = dynamic_cast<CActor*>(sender)) to->OnMessage(this, kMsgHitConfirmed, damage, 0, 0);
  if (m_slot != nullptr) {
    EnemySlot& s = *m_slot;
    if (s.shp == 0) {
      s.hp = battleenemymessages::ToInt(int64_t{s.hp} - damage);
    } else {
      const int64_t left = int64_t{s.shp} - damage;
      s.shp = battleenemymessages::ToInt(std::max<int64_t>(left, 0));
      if (left < 0) s.hp = battleenemymessages::ToInt(s.hp + left);
    }
    SettleHp(sender, wasDying);
  }
  if (code == kMsgMagicHit) {
    m_hitGuardTicks = 1;
    m_shakeTicks = 30;
    m_hitStopTicks = 30;
  }
}

// The first part against the barrier, the second straight to HP; a first
// part that empties the barrier exactly spends the whole hit.
void CBattleEnemy::TakeSplitHit(CObject* sender, int32_t barrierPart, int32_t hpPart) {
  if (IsStopped()) return;
  const bool wasDying = m_actionCode == kActDying;
  ReactToHit(sender, 0, false);
  m_inAir = 1;
  SetAction(kActDamageLight);
  if (auto* to = dynamic_cast<CActor*>(sender)) to->OnMessage(this, kMsgHitConfirmed, battleenemymessages::ToInt(int64_t{barrierPart} + hpPart), 0, 0);
  if (m_slot == nullptr) return;
  EnemySlot& s = *m_slot;
  if (s.shp == 0) {
    s.hp = battleenemymessages::ToInt(int64_t{s.hp} - barrierPart - hpPart);
  } else {
    const int64_t left = int64_t{s.shp} - barrierPart;
    if (left > 0) {
      s.shp = battleenemymessages::ToInt(left);
      s.hp = battleenemymessages::ToInt(int64_t{s.hp} - hpPart);
    } else {
      s.shp = 0;
      if (left < 0) s.hp = battleenemymessages::ToInt(int64_t{s.hp} + left - hpPart);
    }
  }
  SettleHp(sender, wasDying);
}

void CBattleEnemy::ReactToHit(CObject* sender, int32_t damage, bool showNumber) {
  if (m_slot != nullptr) CSession::GetInstance().SetEnemyCondition(*m_slot, kPanic, false);
  m_hitGuardTicks = 1;
  m_scaleX = m_scaleY = 1.0f;
  m_hitFlash = 15;
  m_hitStopTicks = 15;
  if (CSelvarinFrame* frame = GetGameFrame()) frame->OnMessage(this, battleenemymessages::kCountHit, 100, 0, 0);
  if (showNumber) SpawnDamageNumber(damage, 0, 0.0f, 0.0f, 0.0f, 0, 0);
  if (const auto* from = dynamic_cast<const C2dActor*>(sender)) FaceToward(from->m_pos.x, from->m_pos.z);
  m_angle = battleenemymessages::Wrapped(m_angle + static_cast<float>(platform::Rand() % 80 - 40));
}

// The finishing attacker counts only for a party position the party has.
void CBattleEnemy::SettleHp(CObject* sender, bool wasDying) {
  CSession& session = CSession::GetInstance();
  EnemySlot& s = *m_slot;
  if (session.HasEnemyCondition(s, kUndead) && s.hp < 1) s.hp = 1;
  if (s.hp > 0) return;
  const auto* from = dynamic_cast<const CBattleObject*>(sender);
  const int32_t position = from != nullptr ? from->m_ownerPosition : -1;
  if (!wasDying && position >= 0 && position < std::min(session.partyCount, CSession::kMaxParty)) {
    if (CSelvarinFrame* frame = GetGameFrame()) {
      frame->m_battleResult.mvpId = session.partyIds[static_cast<size_t>(position)];
    }
  }
  s.hp = 0;
  SetAction(kActDying);
}

void CBattleEnemy::TakeOrder(intptr_t target, intptr_t kind) {
  m_timeGauge = 0.0f;
  if (target != 0) m_target = dynamic_cast<CBattleActor*>(reinterpret_cast<CObject*>(target));
  switch (kind) {
    case 0:
      SetAction(kActAttackStart);
      break;
    case 1:
      SetAction(kActDefend);
      m_timeGauge = 50.0f;
      break;
    case 2:
      SetAction(kActWalkToPoint);
      break;
    case 4:
      SetAction(kActLeave);
      break;
    case 9:
      m_useSpecial = false;
      SetAction(kActCastMagic);
      break;
    case 10:
      m_useSpecial = true;
      SetAction(kActSpecialSkill);
      break;
    default:
      break;
  }
}
