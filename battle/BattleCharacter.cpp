// The scheme every character form shares: own codes and their sheets, the
// chosen skill's route, the run-in and the blows, read from the form's table.
#include <string>

#include "battle/BattleCharacters.h"
#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "engine/Wave.h"
#include "field/SelvarinFrame.h"
#include "platform/DebugLog.h"
#include "platform/Random.h"
#include "session/ITM.h"
#include "session/ItemMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"

using namespace battleform;

namespace {
namespace battlecharacter {

enum FrameMessage : int { kPauseBattle = 10 };

constexpr int32_t kTrailOffLength = 10;
constexpr int32_t kTrailOffColour = static_cast<int32_t>(0x88FFFFFFu);
constexpr int32_t kApproachColour = static_cast<int32_t>(0x88FFFFFFu);
constexpr int32_t kStartLength = 20;
constexpr int32_t kStartColour = static_cast<int32_t>(0xFF8080FFu);
constexpr int32_t kStartEffect = 1011;
constexpr int32_t kStartPause = 30;
constexpr int32_t kHeldGuard = 3;  // a special move is not broken off by blows
constexpr int32_t kStuckBumps = 55;
constexpr float kApproachSpeed = 0.7f;

template <class Row>
const Row* FindRow(std::span<const Row> rows, int32_t code) {
  for (const Row& row : rows) {
    if (row.code == code) return &row;
  }
  return nullptr;
}

bool InRanges(const std::array<IdRange, 2>& ranges, int32_t id) {
  for (const IdRange& r : ranges) {
    if (r.lo >= 0 && id >= r.lo && id <= r.hi) return true;
  }
  return false;
}

bool SheetsExist(const std::string& stem) {
  CResMgr& res = CResMgr::GetInstance();
  return res.GetResAs<CActRes>(stem + ".act") != nullptr && res.GetResAs<CSprRes>(stem + ".spr") != nullptr;
}

}  // namespace battlecharacter
}  // namespace

// ---- What the member wears and chose ----

int32_t CBattleCharacter::WeaponClass() const {
  if (m_record == nullptr) return -1;
  const CItemMgr& items = CItemMgr::GetInstance();
  const int32_t weapon = m_record->weapon;
  if (weapon < 0 || weapon >= items.GetCount()) return -1;
  const ITM& item = *items.GetItem(weapon);
  return item.kind == kItemWeapon ? item.GetAttr(7) : -1;
}

std::string CBattleCharacter::WeaponName() const {
  if (m_record == nullptr) return {};
  const CItemMgr& items = CItemMgr::GetInstance();
  const int32_t weapon = m_record->weapon;
  return weapon >= 0 && weapon < items.GetCount() ? items.GetItem(weapon)->name : std::string{};
}

std::string CBattleCharacter::ChosenSkillName() const {
  const SkillTypeInfo* skill = CSkillMgr::GetInstance().GetSkillTypeInfo(m_chosenIndex);
  return skill != nullptr ? skill->name : std::string{};
}

int32_t CBattleCharacter::RouteSkill(const Form& form) const {
  const auto matches = [this](const RouteRow& row) {
    switch (row.by) {
      case RouteBy::kSkill:
        return m_chosenIndex >= row.lo && m_chosenIndex <= row.hi;
      case RouteBy::kWeaponClass:
        return WeaponClass() == row.lo;
      case RouteBy::kWeaponName:
        return WeaponName() == row.name;
    }
    return false;
  };
  for (std::span<const RouteRow> rows : {form.route, form.groups}) {
    for (const RouteRow& row : rows) {
      if (matches(row)) return row.code;
    }
  }
  return form.routeDefault;
}

// ---- Entering a code ----

void CBattleCharacter::SetFormAction(const Form& form, int32_t code) {
  SetAfterimage(0, battlecharacter::kTrailOffLength, battlecharacter::kTrailOffColour);
  m_hitStrength = 0;
  const OwnRow* row = battlecharacter::FindRow(form.rows, code);
  if (row == nullptr) {
    UseOwnSheet();
    CBattlePlayer::SetAction(code);
    return;
  }
  if (!UseSheet(form, *row)) UseOwnSheet();
  m_gravityFactor = 1.0f;  // a hop broken off does not float on
  SetAnimation(row->base, row->delay, row->mode);
  if (row->enterSound != nullptr) PlayWave(row->enterSound);
  CBattleActor::SetAction(code);
}

// A special sheet or pose the data lacks is logged and the row plays on the
// own sheet, so that a once-row still ends.
bool CBattleCharacter::UseSheet(const Form& form, const OwnRow& row) {
  if (row.sheet == Sheet::kOwn || row.name == nullptr) return false;
  std::string name = row.name;
  if (row.sheet == Sheet::kPose && row.secondPose != nullptr && platform::Rand() % 2 == 0) name = row.secondPose;
  if (row.byWeapon) {
    const int32_t weaponClass = WeaponClass();
    const WeaponSuffix* found = nullptr;
    for (const WeaponSuffix& s : form.weaponSuffixes) {
      if (s.weaponClass == weaponClass) found = &s;
    }
    if (found == nullptr) {
      if (form.noWeaponSheet != nullptr) {
        DebugLog(form.noWeaponSheet);
      } else {
        DebugLogf("CBattleCharacter::SetAction - no sheet %s for weapon class %d", row.name, weaponClass);
      }
      return false;
    }
    name += row.sheet == Sheet::kPose && found->poseSuffix != nullptr ? found->poseSuffix : found->suffix;
  }
  if (row.sheet == Sheet::kMove && form.suffix != nullptr) name += form.suffix;
  const std::string stem =
      std::string(row.sheet == Sheet::kPose ? "주연급\\승리포즈\\" : "주연급\\전투\\특수동작\\") + name;
  if (!battlecharacter::SheetsExist(stem)) {
    DebugLog("CBattleCharacter::SetAction - no sheet " + stem);
    return false;
  }
  m_actName = stem + ".act";
  m_sprName = stem + ".spr";
  return true;
}

// ---- Orders ----

bool CBattleCharacter::TakeFormOrder(const Form& form, int code, intptr_t target, intptr_t kind, intptr_t flag) {
  if (code != kMsgOrder) return false;
  for (const OrderRow& row : form.orders) {
    if (row.kind != kind || (row.flag >= 0 && row.flag != flag)) continue;
    if (auto* given = dynamic_cast<CBattleActor*>(reinterpret_cast<CObject*>(target))) m_target = given;
    m_timeGauge = 0.0f;
    m_tickCount = 0;
    if (row.guardTicks >= 0) m_hitGuardTicks = row.guardTicks;
    if (row.clearCombatPoints && m_record != nullptr) m_record->cp = 0;
    SetAction(row.code);
    return true;
  }
  return false;
}

// ---- One tick ----

int CBattleCharacter::UpdateFormAction(const Form& form, int32_t code) {
  for (const Form* f = &form; f != nullptr; f = f->base) {
    if (f->hook != nullptr && f->hook(*this, code)) return 1;
  }
  if (code == kActAttack) {
    Strike(form);
    return 1;
  }
  if (code == kActSpecialSkill) {
    if (form.routeStarts) {
      SpawnEffect(battlecharacter::kStartEffect);
      PauseBattle(battlecharacter::kStartPause);
    }
    SetAction(RouteSkill(form));
    return 1;
  }
  // The nearest form that names the code says how it goes: a run-in in one
  // form may be a standing blow in another.
  for (const Form* f = &form; f != nullptr; f = f->base) {
    if (const ApproachRow* row = battlecharacter::FindRow(f->approaches, code)) {
      Approach(form, *row);
      return 1;
    }
    if (const HitRow* row = battlecharacter::FindRow(f->hits, code)) {
      Hit(*row);
      return 1;
    }
  }
  return CBattlePlayer::UpdateAction(code);
}

// The strike hits on its hit frame and ends by the attack mode.
void CBattleCharacter::Strike(const Form& form) {
  if (m_target == nullptr) {
    SetAction(kActIdle);
    return;
  }
  FaceToward(m_target->m_pos.x, m_target->m_pos.z);
  if (CheckHitFrame() != 0) ResolveBlow(form.shootsArrows ? Resolve::kArrow : Resolve::kWeapon, 1.0f);
  if (m_holdLast == 0) return;
  SetAction(m_attackMode == 0 ? kActWalkBack : m_attackMode == 1 ? kActIdle : kActDefend);
}

void CBattleCharacter::Approach(const Form& form, const ApproachRow& row) {
  float x = 0.0f, z = 0.0f;
  if (!GoalPoint(row.goal, &x, &z)) {
    SetAction(kActIdle);
    return;
  }
  const ApproachStyle& style = form.approach;
  const int32_t trail = row.trailEveryTick > 0 ? row.trailEveryTick : style.trailLength;
  if (row.trailEveryTick > 0 || style.trailEveryTick) {
    KeepTrail(trail);
  } else if (m_tickCount == 1) {
    SetAfterimage(1, trail, battlecharacter::kApproachColour);
  }
  const int32_t every = row.soundEvery > 0 ? row.soundEvery : style.soundEvery;
  if (style.sound != nullptr && every > 0 && m_tickCount % every == 0) PlayWave(style.sound);
  if (row.atOnceFor != nullptr && ChosenSkillName() == row.atOnceFor) {
    SetAction(row.hitCode);
    return;
  }
  RunToward(x, z, battlecharacter::kApproachSpeed);
  const bool other = battlecharacter::InRanges(row.otherSkills, m_chosenIndex) ||
                     (row.otherSkillName != nullptr && ChosenSkillName() == row.otherSkillName);
  if (DistanceXZ(x, z) < (other ? row.otherWithin : row.within)) {
    SetAction(row.hitCode);
    return;
  }
  if (m_tickCount > row.giveUpAfter || (row.stuckGivesUp && m_bumpTicks > battlecharacter::kStuckBumps)) {
    if (row.giveUpGauge >= 0.0f) m_timeGauge = row.giveUpGauge;
    SetAction(row.giveUpCode);
  }
}

void CBattleCharacter::Hit(const HitRow& row) {
  if (!row.spell) {
    m_hitGuardTicks = battlecharacter::kHeldGuard;
    if (m_target == nullptr) {
      SetAction(kActIdle);
      return;
    }
  }
  if (m_tickCount == 1) FirstTickOfHit(row);
  if (row.lateStart > 0 && m_tickCount == row.lateStart) SpecialStart();
  if (row.tickSound != nullptr &&
      (row.soundEvery > 0 ? m_tickCount % row.soundEvery == 0 : m_tickCount == row.soundTick)) {
    PlayWave(row.tickSound);
  }
  FaceGoal(row.face);
  const bool runs = row.runOnlyFor[0].lo < 0 || battlecharacter::InRanges(row.runOnlyFor, m_chosenIndex);
  if (row.run > 0.0f && runs && (!row.runAfterEnd || m_holdLast != 0)) {
    float x = 0.0f, z = 0.0f;
    if (GoalPoint(row.face == Goal::kNone ? Goal::kTarget : row.face, &x, &z)) RunToward(x, z, row.run);
  }
  const bool atEnd = m_holdLast != 0;
  const bool atFrame = m_motion >= row.resolveTick || atEnd;
  bool resolve = false;
  switch (row.resolveAt) {
    case When::kHitFrame:
      resolve = row.resolve != Resolve::kNone && CheckHitFrame() != 0;
      break;
    case When::kEnd:
      resolve = atEnd;
      break;
    case When::kTick:
      resolve = m_tickCount == row.resolveTick;
      break;
    case When::kFrame:
      resolve = atFrame && !m_blowDone;
      break;
    case When::kAfterTick:
      resolve = m_tickCount > row.resolveTick;
      break;
  }
  if (row.repeatEvery > 0 && row.repeatFor != nullptr && m_tickCount % row.repeatEvery == 0 &&
      ChosenSkillName() == row.repeatFor) {
    resolve = true;
  }
  if (resolve && row.resolve != Resolve::kNone) {
    m_blowDone = true;
    Blow(row);
  }
  if (row.trailOffAfter >= 0 && m_tickCount > row.trailOffAfter) SetAfterimage(0, battlecharacter::kTrailOffLength, battlecharacter::kTrailOffColour);
  bool ends = false;
  switch (row.endAt) {
    case When::kEnd:
      ends = atEnd;
      break;
    case When::kAfterTick:
      ends = m_tickCount > row.endTick;
      break;
    case When::kFrame:
      ends = m_motion >= row.endTick || atEnd;
      break;
    default:
      ends = m_tickCount == row.endTick;
      break;
  }
  if (ends) {
    EndHit(row);
  } else if (row.idleAfter > 0 && m_tickCount > row.idleAfter) {
    SetAction(kActIdle);
  }
}

void CBattleCharacter::FirstTickOfHit(const HitRow& row) {
  m_blowDone = false;
  FaceGoal(row.faceFirst);
  if (row.hopSpeed != 0.0f) {
    m_velocity.y = row.hopSpeed;
    m_inAir = 1;
    m_gravityFactor = row.hopGravity;
  }
  if (row.trailOn) SetAfterimage(1, battlecharacter::kStartLength, battlecharacter::kStartColour);
  if (row.start) SpecialStart();
  if (row.caption != nullptr) PostFrameMessage(row.caption);
  if (row.firstEffect != 0) SpawnEffect(row.firstEffect);
  if (row.firstPause != 0) PauseBattle(row.firstPause);
}

void CBattleCharacter::Blow(const HitRow& row) {
  if (row.skillId >= 0) m_chosenIndex = row.skillId;
  const Strength& s = row.strength;
  if (s.low >= 0) {
    const bool lowApplies = s.onlyFor == nullptr || ChosenSkillName() == s.onlyFor;
    m_hitStrength = lowApplies && m_tickCount < s.from ? s.low : s.high;
    // The hit rules read the strength as the hit's kind.
    m_hitKind = m_hitStrength;
  }
  ResolveBlow(row.resolve, row.reach);
}

void CBattleCharacter::EndHit(const HitRow& row) {
  if (row.hopSpeed != 0.0f) {
    m_gravityFactor = 1.0f;
    m_inAir = 0;
    m_velocity.y = 0.0f;
  }
  if (row.idleFor != nullptr && ChosenSkillName() == row.idleFor) {
    SetAction(kActIdle);
    return;
  }
  switch (row.end) {
    case End::kReturn:
      SetAction(kActWalkBack);
      break;
    case End::kIdle:
      SetAction(kActIdle);
      break;
    case End::kDefend:
      SetAction(kActDefend);
      break;
    case End::kNext:
      SetAction(row.next);
      break;
  }
}

void CBattleCharacter::ResolveBlow(Resolve kind, float reach) {
  CSession& session = CSession::GetInstance();
  switch (kind) {
    case Resolve::kSkill:
      session.ResolveSkill(Position(), true);
      break;
    case Resolve::kWeapon:
      session.ResolveWeaponAttack(Position(), true, reach);
      break;
    case Resolve::kMagic:
      session.ResolveMagic(Position(), true);
      break;
    case Resolve::kArrow:
      session.LaunchBullet(Position(), true);
      break;
    case Resolve::kNone:
      break;
  }
}

void CBattleCharacter::SpecialStart() {
  SetAfterimage(1, battlecharacter::kStartLength, battlecharacter::kStartColour);
  SpawnEffect(battlecharacter::kStartEffect);
  PauseBattle(battlecharacter::kStartPause);
}

// Kept on every tick, its sound only when it comes on.
void CBattleCharacter::KeepTrail(int32_t length) {
  if (m_afterimage == 0 || m_afterimageLength != length || m_afterimageColour != battlecharacter::kApproachColour) {
    SetAfterimage(1, length, battlecharacter::kApproachColour);
  }
}

void CBattleCharacter::PauseBattle(int32_t ticks) {
  if (CSelvarinFrame* frame = GetGameFrame()) frame->OnMessage(this, battlecharacter::kPauseBattle, ticks, 0, 0);
}

bool CBattleCharacter::GoalPoint(Goal goal, float* x, float* z) const {
  switch (goal) {
    case Goal::kTarget:
      if (m_target == nullptr) return false;
      *x = m_target->m_pos.x;
      *z = m_target->m_pos.z;
      return true;
    case Goal::kWalkPoint:
      *x = m_targetX;
      *z = m_targetZ;
      return true;
    case Goal::kNone:
      break;
  }
  return false;
}

void CBattleCharacter::FaceGoal(Goal goal) {
  float x = 0.0f, z = 0.0f;
  if (GoalPoint(goal, &x, &z)) FaceToward(x, z);
}
