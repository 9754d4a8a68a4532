// What the enemy kinds share: entering a code from a kind's rows with its
// sheet, the order routes, the approach to the chosen special's distance
// and the strike that resolves it, the charging kinds' wind-up, rush and
// gore, and the figures on the time-gauge bar.
#include <algorithm>
#include <array>
#include <string>

#include "battle/enemy/BattleEnemy.h"
#include "engine/ActRes.h"
#include "platform/DebugLog.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "engine/Wave.h"
#include "field/SelvarinFrame.h"
#include "platform/Random.h"
#include "render/RC.h"
#include "session/EnemySlot.h"
#include "session/Session.h"
#include "session/SkillMgr.h"

namespace {
namespace battleenemymoves {

constexpr int kDimmedPause = 10;  // the game frame's message
constexpr int32_t kSpecialStart = 1011;
constexpr int32_t kStartPause = 30;
constexpr int32_t kStrikeTrailLength = 20;
constexpr uint32_t kStrikeTrailColour = 0xFF8080FF;
constexpr int32_t kApproachTrailLength = 30;
constexpr int32_t kGiveUpBumps = 55;
constexpr int32_t kGiveUpTicks = 600;
constexpr const char* kIconSheet = "몬스터\\battleChar";

int32_t Colour(uint32_t argb) { return static_cast<int32_t>(argb); }

void DrawFigure(CRC& rc, int x, int y, const std::string& act, const std::string& spr, int32_t action, float scale,
                bool isCurrent) {
  CResMgr& res = CResMgr::GetInstance();
  const auto* actions = res.GetResAs<CActRes>(act);
  const auto* sprites = res.GetResAs<CSprRes>(spr);
  rc.DrawAction(x, y, actions, sprites, action, 0, scale, 0, isCurrent ? 0xFFFF0000u : 0xFFFFFFFFu, true);
}

}  // namespace battleenemymoves
}  // namespace

// ---- Entering a code from the rows ----

bool CBattleEnemy::EnterRow(const EnemyKindDef& def, int32_t code) {
  m_staggered = 0;
  SetAfterimage(0, kTrailLength, battleenemymoves::Colour(kTrailColour));
  const EnemyRow* row = def.FindRow(code);
  if (row == nullptr) return false;
  if (row->wave != nullptr) PlayWave(row->wave);
  if (row->toBase) return false;
  ShowSheet(def, row->sheet);
  int32_t base = row->base;
  if (row->evenBase >= 0 && platform::Rand() % 2 == 0) base = row->evenBase;
  SetAnimation(base, row->delay, row->mode);
  if (row->hop != 0.0f) {
    m_inAir = 1;
    m_velocity.y = row->hop;
  }
  CBattleObject::SetAction(code);
  return true;
}

// A released enemy keeps the names it shows; a special sheet the data lacks
// leaves the normal one, so that the strike still plays and ends.
void CBattleEnemy::ShowSheet(const EnemyKindDef& def, EnemySheet sheet) {
  if (sheet == EnemySheet::kKeep) return;
  if (m_slot != nullptr) {
    m_actName = m_slot->actName;
    m_sprName = m_slot->sprName;
  }
  if (sheet != EnemySheet::kSpecial) return;
  if (def.specialSheet == nullptr && def.specialFolder == nullptr) return;
  const std::string stem = def.specialSheet != nullptr ? std::string(def.specialSheet)
                                                       : std::string(def.specialFolder) + "\\" + def.name + "_특수";
  CResMgr& res = CResMgr::GetInstance();
  if (res.GetResAs<CActRes>(stem + ".act") == nullptr || res.GetResAs<CSprRes>(stem + ".spr") == nullptr) {
    DebugLog("CBattleEnemy :: no special sheet " + stem + "; the normal one stays");
    return;
  }
  m_actName = stem + ".act";
  m_sprName = stem + ".spr";
}

// ---- One tick from the table ----

int CBattleEnemy::UpdateFromDef(const EnemyKindDef& def, int code) {
  const EnemyPeriodicSound& sound = def.sound;
  if (sound.wave != nullptr && sound.every > 0 && (sound.code == 0 || sound.code == code) &&
      m_tickCount % sound.every == 0) {
    PlayWave(sound.wave);
  }
  if (code == kActIdle && def.idleStrike) {
    UpdateIdleStrike(def.nearestStrikeReach);
  } else if (const EnemyRoute* route = def.FindRoute(code)) {
    RunRoute(*route);
  } else if (const EnemyApproach* approach = def.FindApproach(code)) {
    RunApproach(*approach, def.startEffect);
  } else if (const EnemyStrike* strike = def.FindStrike(code)) {
    RunStrike(*strike, def.strikeLocks, def.startEffect);
  } else if (const EnemyWindUp* windUp = def.FindWindUp(code)) {
    if (windUp->trail) SwitchTrail(EnemyTrail::kApproach);
    UpdateWindUp(windUp->next, windUp->afterTick);
  } else if (const EnemyRush* rush = def.FindRush(code)) {
    UpdateRush(*rush);
  } else {
    switch (def.body) {
      case EnemyBody::kSpecialApproach:
        return UpdateSpecialApproach(code);
      case EnemyBody::kSpecialInPlace:
        return UpdateSpecialInPlace(code);
      case EnemyBody::kForward:
        return UpdateActionForward(code);
    }
  }
  return 1;
}

int CBattleEnemy::UpdateSpecialApproach(int code) {
  switch (code) {
    case kActSpecialSkill:
      RunRoute(enemyblocks::kSpecialOrder);
      return 1;
    case kActSpecialApproach:
      RunApproach(enemyblocks::kApproach);
      return 1;
    case kActSpecialHit:
      RunStrike(enemyblocks::kStrike);
      return 1;
    default:
      return CBattleEnemy::UpdateAction(code);
  }
}

int CBattleEnemy::UpdateSpecialInPlace(int code) {
  switch (code) {
    case kActSpecialSkill:
      RunRoute(enemyblocks::kInPlaceOrder);
      return 1;
    case kActSpecialHit:
      RunStrike(enemyblocks::kInPlaceStrike);
      return 1;
    default:
      return CBattleEnemy::UpdateAction(code);
  }
}

void CBattleEnemy::RunRoute(const EnemyRoute& route) {
  if (route.startEffect != 0 && m_tickCount <= 1) {
    int32_t effect = route.startEffect;
    for (const EnemyEffectCase& c : route.startEffects) {
      if (c.index == m_chosenIndex) {
        effect = c.effect;
        break;
      }
    }
    StartSpecial(effect, route.startPause);
  }
  if (route.hitLock > 0) m_hitGuardTicks = route.hitLock;
  if (route.choose >= 0) {
    m_chosenIndex = route.choose;
    m_useSpecial = true;
  }
  int32_t next = route.otherwise;
  for (const EnemyRouteCase& c : route.cases) {
    if (c.index == m_chosenIndex) {
      next = c.code;
      break;
    }
  }
  SetAction(next);
}

// Without a skill record there is no distance to meet.
void CBattleEnemy::RunApproach(const EnemyApproach& approach, int32_t startEffect) {
  if (approach.start && m_tickCount <= 1) StartSpecial(startEffect, battleenemymoves::kStartPause);
  if (approach.trail) SwitchTrail(EnemyTrail::kApproach);
  if (m_target == nullptr) {
    GoIdle();
    return;
  }
  // Facing and speed come first, as for a fixed distance.
  FaceTarget();
  SetSpeed(ScaledSpeed(approach.factor));
  if (approach.sweepEvery > 0 && m_tickCount % approach.sweepEvery == 0 && !SweepParty(approach.sweepReach)) {
    GoIdle();
    return;
  }
  const SkillTypeInfo* skill = nullptr;
  if (approach.distance <= 0.0f) {
    skill = CSkillMgr::GetInstance().GetSkillTypeInfo(m_chosenIndex);
    if (skill == nullptr) {
      DebugLogf("CBattleEnemy :: no skill %d to approach for", m_chosenIndex);
      GoIdle();
      return;
    }
  }
  const float distance = DistanceXZ(m_target->m_pos.x, m_target->m_pos.z);
  const auto d = skill != nullptr ? static_cast<float>(skill->duration) : 0.0f;
  const bool near = skill != nullptr          ? distance <= d - d * 0.2f
                    : approach.reachIncluded ? distance <= approach.distance
                                             : distance < approach.distance;
  if (near) {
    if (approach.arrivalEffect != 0) SpawnEffect(approach.arrivalEffect);
    if (approach.arrival != EnemyResolve::kNone) Resolve(approach.arrival);
    SetAction(approach.next);
    return;
  }
  if (approach.limit > 0 && m_tickCount > approach.limit) GoIdle();
}

void CBattleEnemy::RunStrike(const EnemyStrike& strike, bool locks, int32_t startEffect) {
  if (strike.trailBeforeStart) SwitchTrail(strike.trail);
  if (strike.start && m_tickCount <= 1 && (!strike.startWithTarget || m_target != nullptr)) {
    StartSpecial(startEffect, battleenemymoves::kStartPause);
  }
  if (!strike.trailBeforeStart) SwitchTrail(strike.trail);
  const bool lock = locks && strike.hitLock > 0;
  if (lock && !strike.lockWithTarget) m_hitGuardTicks = strike.hitLock;
  if (strike.facing == EnemyFacing::kFirstTicks && m_tickCount <= 1) FaceTarget();
  if (strike.needsTarget && m_target == nullptr) {
    GoIdle();
    return;
  }
  if (lock && strike.lockWithTarget && m_target != nullptr) m_hitGuardTicks = strike.hitLock;
  if (strike.facing == EnemyFacing::kEveryTick) FaceTarget();
  if (strike.drift != 0.0f && (!strike.driftOnce || m_tickCount <= 1)) SetSpeed(ScaledSpeed(strike.drift));
  const bool held = m_holdLast != 0 && (strike.holdPast == 0 || m_tickCount > strike.holdPast);
  const bool ended =
      strike.endTick > 0 ? m_tickCount > strike.endTick || (strike.endsOnLanding && m_inAir == 0) : held;
  const bool resolves = strike.resolveOnFirstTick ? m_tickCount == 1 : strike.resolveAtEnd ? ended : CheckHitFrame() != 0;
  if (resolves) {
    if (strike.hitKind != 0) m_hitKind = strike.hitKind;
    if (strike.lateTick > 0 && m_tickCount >= strike.lateTick) m_hitKind = strike.lateHitKind;
    if (strike.targetEffect != 0 && !strike.targetEffectNear) m_target->SpawnEffect(strike.targetEffect);
    Resolve(strike.resolve);
    if (strike.targetEffect != 0 && strike.targetEffectNear && TargetWithinReachLessAFifth()) {
      m_target->SpawnEffect(strike.targetEffect);
    }
  }
  if (!ended) return;
  if (strike.trail != EnemyTrail::kNone && strike.trailOffAtEnd) SetAfterimage(0, kTrailLength, battleenemymoves::Colour(kTrailColour));
  SetAction(strike.end);
}

// A target the resolution took away is no target.
bool CBattleEnemy::TargetWithinReachLessAFifth() const {
  if (m_target == nullptr) return false;
  const float reach = CSession::GetInstance().GetAttackReach(Slot(), false);
  return DistanceXZ(m_target->m_pos.x, m_target->m_pos.z) <= reach - reach * 0.2f;
}

// Every member in party order with an actor nearer than `reach`, struck
// with the strong knock-back; then the target as it was, looked up again
// by its ids. False when that target is gone.
bool CBattleEnemy::SweepParty(float reach) {
  constexpr int32_t kStrongKnockBack = 2;
  CSession& session = CSession::GetInstance();
  const std::array<int32_t, 2> kept = m_target->m_battleId;
  const int members = std::min<int>({session.battlePartyCount, session.partyCount, CSession::kMaxParty});
  for (int p = 0; p < members; ++p) {
    auto* member = dynamic_cast<CBattleActor*>(session.GetPartyActor(p));
    if (member == nullptr || !(DistanceXZ(member->m_pos.x, member->m_pos.z) < reach)) continue;
    m_hitKind = kStrongKnockBack;
    m_target = member;
    Resolve(EnemyResolve::kSpecial);
  }
  m_target = dynamic_cast<CBattleActor*>(session.GetBattleActor(kept[0], kept[1] == 1));
  return m_target != nullptr;
}

void CBattleEnemy::SwitchTrail(EnemyTrail trail) {
  switch (trail) {
    case EnemyTrail::kStrike:
      SetAfterimage(1, battleenemymoves::kStrikeTrailLength, battleenemymoves::Colour(battleenemymoves::kStrikeTrailColour));
      break;
    case EnemyTrail::kApproach:
      SetAfterimage(1, battleenemymoves::kApproachTrailLength, battleenemymoves::Colour(kTrailColour));
      break;
    case EnemyTrail::kNone:
      break;
  }
}

void CBattleEnemy::StartSpecial(int32_t effect, int32_t pause) {
  SpawnEffect(effect);
  if (CSelvarinFrame* frame = GetGameFrame()) frame->OnMessage(this, battleenemymoves::kDimmedPause, pause, 0, 0);
}

void CBattleEnemy::ResolveSpecial() {
  CSession& session = CSession::GetInstance();
  if (m_useSpecial) {
    session.ResolveSkill(Slot(), false);
  } else {
    session.ResolveMagic(Slot(), false);
  }
}

void CBattleEnemy::Resolve(EnemyResolve how) {
  switch (how) {
    case EnemyResolve::kSpecial:
      ResolveSpecial();
      break;
    case EnemyResolve::kWeapon:
      CSession::GetInstance().ResolveWeaponAttack(Slot(), false, 1.0f);
      break;
    case EnemyResolve::kNone:
      break;
  }
}

// ---- Wind-up, rush and gore ----

void CBattleEnemy::UpdateWindUp(int32_t next, int32_t afterTick) {
  if (m_target == nullptr) {
    GoIdle();
    return;
  }
  FaceTarget();
  if (m_tickCount > afterTick) SetAction(next);
}

void CBattleEnemy::UpdateRush(const EnemyRush& rush) {
  SwitchTrail(EnemyTrail::kApproach);
  if (m_target == nullptr) {
    GoIdle();
    return;
  }
  FaceTarget();
  SetSpeed(ScaledSpeed(rush.speed));
  const float reach = CSession::GetInstance().GetAttackReach(Slot(), false);
  const float within = rush.margin != 0.0f ? reach - reach * rush.margin : rush.reachFactor * reach;
  if (DistanceXZ(m_target->m_pos.x, m_target->m_pos.z) < within) {
    SetAction(rush.next);
    return;
  }
  if (m_bumpTicks > battleenemymoves::kGiveUpBumps || m_tickCount > battleenemymoves::kGiveUpTicks) {
    if (rush.gaugeOnGiveUp) m_timeGauge = 50.0f;
    GoIdle();
    return;
  }
  if (rush.hop && m_inAir == 0) {
    m_inAir = 1;
    m_velocity.y = -1.0f;
  }
}

void CBattleEnemy::UpdateGore(bool resolveOnHitFrames) {
  SwitchTrail(EnemyTrail::kStrike);
  if (m_tickCount <= 1) {
    m_velocity.y = -1.0f;
    m_inAir = 1;
    m_gravityFactor = 0.1f;
    StartSpecial(battleenemymoves::kSpecialStart, battleenemymoves::kStartPause);
    FaceTarget();
  }
  if (m_target == nullptr) {
    GoIdle();
    return;
  }
  if (resolveOnHitFrames && CheckHitFrame() != 0) Resolve(EnemyResolve::kSpecial);
  if (m_holdLast == 0) return;
  if (!resolveOnHitFrames) Resolve(EnemyResolve::kSpecial);
  m_gravityFactor = 1.0f;
  m_inAir = 0;
  m_velocity.y = 0.0f;
  SetAfterimage(0, kTrailLength, battleenemymoves::Colour(kTrailColour));
  SetAction(kActWalkBack);
}

// ---- Figures on the time-gauge bar ----

void CBattleEnemy::DrawOwnIcon(CRC& rc, int x, int y, bool isCurrent) const { DrawIcon(EnemyIcon{}, rc, x, y, isCurrent); }

void CBattleEnemy::DrawSheetIcon(CRC& rc, int x, int y, bool isCurrent, int32_t k) const {
  const std::string sheet = battleenemymoves::kIconSheet;
  battleenemymoves::DrawFigure(rc, x, y, sheet + ".act", sheet + ".spr", k, isCurrent ? 1.5f : 1.0f, isCurrent);
}

void CBattleEnemy::DrawIcon(const EnemyIcon& icon, CRC& rc, int x, int y, bool isCurrent) const {
  y += icon.lower;
  if (icon.sheetAction >= 0) {
    DrawSheetIcon(rc, x, y, isCurrent, icon.sheetAction);
    return;
  }
  const float zoom = icon.barZoom ? m_barZoom : 1.0f;
  battleenemymoves::DrawFigure(rc, x, y, m_actName, m_sprName, 0, isCurrent ? zoom * icon.currentScale : zoom, isCurrent);
}
