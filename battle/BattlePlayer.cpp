// A party member's tick, the actions it enters and its sheets.
#include "battle/BattlePlayer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "engine/Wave.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/Random.h"
#include "rules/Condition.h"
#include "session/ItemMgr.h"
#include "session/Session.h"

namespace {
namespace battleplayer {

enum FrameMessage : int { kTurnRequest = 9 };

constexpr int32_t kRevivalTick = 600;
constexpr float kFullGauge = 100.0f;
constexpr float kGaugeStep = 0.35f;
constexpr int32_t kMostCombatPoints = 100;
constexpr float kEntryFall = 0.058f;  // the entering member's own gravity
constexpr int32_t kEntryTicks = 64;
constexpr int32_t kWalkingFacings = 32;  // the field sheet's eight facings start here
constexpr int32_t kGuardText = 7;
constexpr int32_t kGaugeStart = 50;
constexpr uint32_t kAlphaMask = 0xFF000000u;
constexpr int32_t kAfterimageOffColour = static_cast<int32_t>(0x88FFFFFFu);
constexpr int32_t kAfterimageOffLength = 10;

struct Animation {
  int32_t code;
  int32_t base, delay, mode;
};

constexpr int32_t kOnce = CBattleObject::kPlayOnce;
constexpr int32_t kLoop = CBattleObject::kPlayLoop;

// The animation each action starts; what else an action sets is in
// SetAction.
constexpr std::array kAnimations{
    Animation{kActIdle, 0, 8, kLoop},           Animation{kActApproach, 4, 3, kLoop},
    Animation{kActWalkToPoint, 4, 3, kLoop},    Animation{kActWalkToActor, 4, 3, kLoop},
    Animation{kActWalkBack, 4, 3, kLoop},       Animation{kActAttack, 8, 4, kOnce},
    Animation{kActDamageLight, 12, 4, kOnce},   Animation{kActDamage, 12, 4, kOnce},
    Animation{kActDamageStrong, 12, 4, kOnce},  Animation{kActDamageHeavy, 12, 4, kOnce},
    Animation{kActDying, 64, 3, kOnce},         Animation{kActKnockedUp, 52, 8, kOnce},
    Animation{kActKnockedHigh, 52, 8, kOnce},   Animation{kActKnockedFall, 36, 8, kOnce},
    Animation{kActLying, 64, 8, kOnce},         Animation{kActLyingStill, 64, 8, kOnce},
    Animation{kActGettingUp, 72, 10, kOnce},    Animation{kActGotUp, 72, 10, kOnce},
    Animation{kActDefend, 0, 6, kLoop},         Animation{kActGuard, 16, 6, kOnce},
    Animation{kActGuardPushed, 16, 6, kOnce},   Animation{kActGuardPushedBack, 16, 6, kOnce},
    Animation{kActEnter, 39, 0, kLoop},         Animation{kActJump, 39, 0, kLoop},
    Animation{kActSlide, 20, 8, kOnce},         Animation{kActSlideOn, 20, 8, kOnce},
    Animation{kActLanding, 20, 8, kOnce},       Animation{kActLanded, 20, 8, kOnce},
    Animation{kActGuardRecover, 24, 8, kOnce},  Animation{kActPushOff, 40, 8, kOnce},
    Animation{kActPushedOff, 44, 8, kOnce},     Animation{kActDazed, 48, 8, kLoop},
    Animation{kActDazedToo, 48, 8, kLoop},      Animation{kActThrown, 56, 5, kOnce},
    Animation{kActThrownHigh, 56, 5, kOnce},    Animation{kActThrownFall, 60, 5, kOnce},
    Animation{kActThrownDown, 60, 5, kOnce},    Animation{kActCollapse, 68, 8, kOnce},
    Animation{kActCollapsed, 68, 8, kOnce},     Animation{kActCollapseEnd, 76, 10, kOnce},
    Animation{kActUse, 28, 12, kOnce},          Animation{kActUseStrong, 32, 15, kOnce},
    Animation{kActStunned, 0, 6, kLoop},        Animation{kActKnockedDown, 12, 4, kOnce},
    Animation{kActShieldGuard, 24, 8, kOnce},
};

const Animation* FindAnimation(int32_t code) {
  for (const Animation& a : kAnimations) {
    if (a.code == code) return &a;
  }
  return nullptr;
}

struct ShieldEffect {
  std::string_view shield;
  int32_t effect;
};

constexpr std::array kShieldEffects{
    ShieldEffect{"합판", 1052},       ShieldEffect{"우든쉴드", 1044},     ShieldEffect{"레더쉴드", 1035},
    ShieldEffect{"하플론", 1051},     ShieldEffect{"스큐텀", 1040},       ShieldEffect{"펠타쉴드", 1048},
    ShieldEffect{"라운드쉴드", 1032}, ShieldEffect{"소드쉴드", 1039},     ShieldEffect{"버클러", 1037},
    ShieldEffect{"아이언쉴드", 1042}, ShieldEffect{"라지쉴드", 1033},     ShieldEffect{"랜턴쉴드", 1034},
    ShieldEffect{"카이트쉴드", 1046}, ShieldEffect{"포이즌가드", 1049},   ShieldEffect{"나이트쉴드", 1031},
    ShieldEffect{"타워쉴드", 1047},   ShieldEffect{"무제의방패", 1036},   ShieldEffect{"카오스쉴드", 1045},
    ShieldEffect{"오더쉴드", 1043},   ShieldEffect{"샤먼의방패", 1038},   ShieldEffect{"아이기스", 1041},
    ShieldEffect{"폭동진압용방패", 1050},
};

constexpr std::array<const char*, 5> kGuardSounds{"방패가드1.wav", "방패가드2.wav", "방패가드3.wav", "방패가드4.wav",
                                                  "방패가드5.wav"};

uint32_t UnderOldAlpha(uint32_t old, uint32_t rgb) { return (old & kAlphaMask) | rgb; }

const CActRes* Animations(const std::string& name) {
  return name.empty() ? nullptr : dynamic_cast<const CActRes*>(CResMgr::GetInstance().GetResStr(name));
}

}  // namespace battleplayer
}  // namespace

// ---- The tick ----

bool CBattlePlayer::OnProcess() {
  CSession& session = CSession::GetInstance();
  if (m_actionCode == kActRemoved) {
    PostProcess();
    if (++m_tickCount == battleplayer::kRevivalTick) session.TryAutoRevive(Position(), true);
    return true;
  }
  if (m_shakeTicks > 0) --m_shakeTicks;
  if (m_hitFlash > 0) --m_hitFlash;
  if (m_hitStopTicks >= 1) {
    --m_hitStopTicks;
    return true;
  }
  CountDown();
  if (m_record != nullptr) m_record->cp = std::min(m_record->cp, battleplayer::kMostCombatPoints);
  session.ProcessException(Position(), true);
  FillGauge();
  if (m_actionCode == kActEnter) {
    FallWhileEntering();
    m_pos.x += m_velocity.x;
    m_pos.z += m_velocity.z;
    m_velocity.x = m_velocity.z = 0.0f;
  } else {
    if (m_actionCode != kActPushOff) ApplyGravity(m_gravityFactor);
    ApplyVelocity();
  }
  UpdateFrame();
  return UpdateAction(m_actionCode) != 0;
}

void CBattlePlayer::CountDown() {
  for (int32_t* ticks : {&m_hitGuardTicks, &m_hpFlashTicks, &m_bpFlashTicks}) {
    if (*ticks > 0) --*ticks;
  }
}

// The turn hook goes up on the tick before the gauge is full, so once a
// turn.
void CBattlePlayer::FillGauge() {
  const int32_t code = m_actionCode;
  if (m_gaugeRunning == 0 || (code != kActIdle && code != kActDefend && code != kActGuard)) return;
  CSession& session = CSession::GetInstance();
  const float step = session.ScaleByBonus(battleplayer::kGaugeStep, Position(), true);
  m_timeGauge += step;
  if (m_timeGauge < battleplayer::kFullGauge && m_timeGauge + step >= battleplayer::kFullGauge) {
    ++m_turnCount;
    if (m_record != nullptr) session.RaiseTurnHook(m_record->engname, m_turnCount);
  }
  m_timeGauge = std::min(m_timeGauge, battleplayer::kFullGauge);
  if (m_timeGauge == battleplayer::kFullGauge && code == kActIdle) {
    if (CSelvarinFrame* frame = GetGameFrame()) frame->OnMessage(this, battleplayer::kTurnRequest, Position(), 1, 0);
  }
}

void CBattlePlayer::FallWhileEntering() { StepFall(battleplayer::kEntryFall); }

// A member without its sheets still counts its ticks, and its one-shot
// actions end at once, so no action waits for an animation forever.
void CBattlePlayer::UpdateFrame() {
  if (!HasSheets()) {
    ++m_tickCount;
    if (m_playMode == kPlayOnce) m_holdLast = 1;
    return;
  }
  CBattleActor::UpdateFrame();
  if (m_actionCode == kActEnter) {
    const CActRes* actions = battleplayer::Animations(m_actName);
    const int32_t last = actions != nullptr ? std::max(actions->GetActionCount() - 1, 0) : 0;
    m_action = std::clamp(battleplayer::kWalkingFacings + GetViewOctant(m_angle), 0, last);
    m_motion = std::clamp(m_motion, 0, std::max(FrameCount() - 1, 0));
  }
}

void CBattlePlayer::PostProcess() {
  CBattleActor::PostProcess();
  if (m_actionCode == kActEnter && HasSheets()) {
    const CActRes* actions = battleplayer::Animations(m_actName);
    m_action = std::clamp(battleplayer::kWalkingFacings + GetViewOctant(m_angle), 0, std::max(actions->GetActionCount() - 1, 0));
  }
}

void CBattlePlayer::Render(CRC& rc, const Matrix& view) {
  if (m_visible == 0) return;
  CBattleActor::Render(rc, view);
  const CSelvarinFrame* frame = GetGameFrame();
  if (frame != nullptr && (frame->m_battlePhase == 2 || frame->m_battlePhase == 3)) AddTargetPickRegion(rc, view);
}

// Both are fetched, so that the battle's clean-up finds both loaded.
const CSprRes* CBattlePlayer::GetSprite() {
  if (m_record == nullptr) return CBattleActor::GetSprite();
  const CActRes* actions = battleplayer::Animations(m_record->battleactname);
  const auto* sprites = m_record->battlesprname.empty()
                            ? nullptr
                            : dynamic_cast<const CSprRes*>(CResMgr::GetInstance().GetResStr(m_record->battlesprname));
  return actions != nullptr ? sprites : nullptr;
}

void CBattlePlayer::UseOwnSheet() {
  if (m_record == nullptr) return;
  m_sprName = m_record->battlesprname;
  m_actName = m_record->battleactname;
}

// ---- Actions ----

void CBattlePlayer::SetAction(int32_t code) {
  SetAfterimage(0, battleplayer::kAfterimageOffLength, battleplayer::kAfterimageOffColour);
  m_gravityFactor = 1.0f;
  m_shakeTicks = 0;
  m_hitStrength = 0;
  CSession& session = CSession::GetInstance();
  // Steps taken before the animation starts.
  switch (code) {
    case kActWalkBack:
      m_returnPoint = m_target != nullptr ? m_pos + (m_pos - m_target->m_pos) * 2.0f : m_pos;
      break;
    case kActDamageLight:
    case kActDamage:
    case kActDamageStrong:
    case kActDamageHeavy:
    case kActShieldGuard:
      if (m_actionCode != kActEnter || code == kActShieldGuard) {
        m_resumeAction = m_actionCode;
        m_resumeTick = m_tickCount;
      }
      break;
    case kActDying:
      if (m_record != nullptr) session.RaiseDeathHook(m_record->engname);
      break;
    case kActGuard:
      GuardWithShield();
      SpawnBattleMsg(battleplayer::kGuardText, 0.0f, 0.0f, 0.0f);
      break;
    case kActEnter:
    case kActJump:
      if (m_record != nullptr) {
        m_sprName = "주연급\\필드\\" + m_record->engname + ".spr";
        m_actName = "주연급\\필드\\" + m_record->engname + ".act";
      }
      break;
    case kActDefeated:
      if (m_record != nullptr) session.SetCondition(*m_record, kDying, true);
      session.UpdateLevelRange();
      break;
    default:
      break;
  }
  if (const battleplayer::Animation* a = battleplayer::FindAnimation(code)) SetAnimation(a->base, a->delay, a->mode);
  // Steps taken after it.
  switch (code) {
    case kActIdle:
      m_staggered = 0;
      break;
    case kActDamageLight:
    case kActDamage:
    case kActDamageStrong:
    case kActDamageHeavy:
      m_staggered = 1;
      m_inAir = 1;
      break;
    case kActKnockedUp:
      m_velocity.y = -2.0f;
      m_inAir = 1;
      m_knockBack = m_knockBack * 2.0f / 3.0f;
      break;
    case kActGuard:
      m_knockBack = -1.0f;
      m_velocity.y = -0.5f;
      m_inAir = 1;
      break;
    case kActGuardPushed:
      m_knockBack = -2.0f;
      m_velocity.y = -1.2f;
      m_inAir = 1;
      break;
    case kActGuardPushedBack:
      m_knockBack = -2.1f;
      m_velocity.y = -2.1f;
      m_inAir = 1;
      break;
    case kActEnter:
      m_entrySpeed = DistanceXZ(m_targetX, m_targetZ) / static_cast<float>(battleplayer::kEntryTicks);
      m_target = session.PickRandomEnemy(Position(), true);
      m_inAir = 1;
      m_velocity.y = -2.1f;
      m_hitGuardTicks = 2;
      m_timeGauge = static_cast<float>(platform::Rand() % battleplayer::kGaugeStart);
      FaceToward(m_targetX, m_targetZ);
      break;
    case kActJump:
    case kActPushedOff:
      m_inAir = 1;
      break;
    case kActGuardRecover:
    case kActKnockedDown:
      m_staggered = 1;
      if (code == kActKnockedDown) m_shakeTicks = 1200;
      break;
    case kActFrozen:
      m_playMode = kPlayOnce;
      m_holdLast = 1;
      m_shakeTicks = 1200;
      m_tint = battleplayer::UnderOldAlpha(m_tint, 0x0033FF);
      break;
    case kActStunned:
      m_shakeTicks = 500;
      break;
    case kActHeld:
    case kActPetrified:
      m_playMode = kPlayOnce;
      m_holdLast = 1;
      if (code == kActPetrified) m_tint = battleplayer::UnderOldAlpha(m_tint, 0x665051);
      break;
    case kActShieldGuard:
      GuardWithShield();
      SpawnBattleMsg(battleplayer::kGuardText, 0.0f, 0.0f, 0.0f);
      m_knockBack = -1.0f;
      m_velocity.y = -0.5f;
      m_inAir = 1;
      break;
    default:
      break;
  }
  CBattleActor::SetAction(code);
}

bool CBattlePlayer::IsInPinchHP() const { return IsHpBelowQuarter(m_record); }

bool CBattlePlayer::IsInPinchBP() const { return IsBpBelowQuarter(m_record); }

bool CBattlePlayer::IsResumeDisabled() const { return IsNotResumedAfterHit(m_resumeAction); }

void CBattlePlayer::GuardWithShield() {
  if (m_record != nullptr) {
    const CItemMgr& items = CItemMgr::GetInstance();
    const int32_t shield = m_record->shield;
    if (shield >= 0 && shield < items.GetCount()) {
      const std::string& name = items.GetItem(shield)->name;
      for (const battleplayer::ShieldEffect& row : battleplayer::kShieldEffects) {
        if (name == row.shield) SpawnEffect(row.effect);
      }
    }
  }
  PlayWave(battleplayer::kGuardSounds[static_cast<size_t>(platform::Rand() % 5)]);
}

void CBattlePlayer::RunToward(float x, float z, float speed) {
  FaceToward(x, z);
  SetSpeed(CSession::GetInstance().ScaleByBonus(speed, Position(), true));
}

void CBattlePlayer::RunningSound(const char* wave, int32_t every) const {
  if (m_tickCount == 1 || m_tickCount % every == 0) PlayWave(wave);
}

void CBattlePlayer::Resume() {
  const int32_t tick = m_resumeTick;
  SetAction(m_resumeAction);
  m_tickCount = tick;
}
