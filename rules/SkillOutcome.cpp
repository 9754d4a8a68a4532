// What a skill object does when it reaches its target: the skill damage, the
// hit the skill's row names, then its outcome row. Both are tables: a hit
// kind, and an operation with its ordered rolls.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "battle/BattleObject.h"
#include "platform/Random.h"
#include "rules/Condition.h"
#include "rules/Fighter.h"
#include "rules/SkillTheft.h"
#include "session/MonsterMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"

namespace {
namespace skilloutcome {

constexpr char kBloodletting[] = "사혈_삼릉침술(瀉血_三稜針術)";
constexpr int kNoDamageClass = 2;
constexpr int kEmotionStruck = 12;
constexpr int kUndeadAttribute = 6;
constexpr int kHolyAttribute = 5;
constexpr int64_t kNearDeathPercent = 40;

// ---- The hit ----

enum class Hit : uint8_t {
  kNone,
  kDamage,      // 10002 with n
  kDrain,       // 10002 with n; an enemy user regains n + 1
  kKnockDown,   // 10061 with n
  kPlain,       // 10002 with the plain damage
  kHeavy,       // 10002 with n, then action 10007
  kMercy,       // action 10008 under 40 % HP
  kOnUndead,    // 10002 with n on an undead-attribute enemy only
  kUndeadBane,  // action 10008 on an undead-attribute enemy, else 10002
  kStagger,     // action 10007
  kBalance,     // the side with fewer HP falls DYING
  kSpare,       // action 10008, bosses and big kinds spared
  kCoinHeavy,   // 10002 with n, then 10007 on an odd draw
};

struct HitRange {
  int first, last;
  Hit hit;
};

constexpr HitRange kHits[] = {
    {0, 0, Hit::kNone},          {34, 46, Hit::kNone},        {48, 52, Hit::kNone},       {55, 56, Hit::kNone},
    {60, 67, Hit::kNone},        {69, 70, Hit::kNone},        {73, 73, Hit::kNone},       {76, 76, Hit::kNone},
    {89, 94, Hit::kNone},        {106, 108, Hit::kNone},      {112, 124, Hit::kNone},     {131, 131, Hit::kNone},
    {133, 133, Hit::kNone},      {139, 139, Hit::kNone},      {169, 184, Hit::kNone},     {187, 187, Hit::kNone},
    {26, 26, Hit::kDrain},       {27, 27, Hit::kKnockDown},   {101, 101, Hit::kKnockDown}, {147, 148, Hit::kKnockDown},
    {28, 30, Hit::kPlain},       {84, 84, Hit::kPlain},       {136, 136, Hit::kPlain},    {47, 47, Hit::kHeavy},
    {57, 57, Hit::kHeavy},       {81, 81, Hit::kHeavy},       {134, 134, Hit::kMercy},    {135, 135, Hit::kOnUndead},
    {145, 145, Hit::kUndeadBane}, {150, 150, Hit::kStagger},  {154, 154, Hit::kBalance},  {159, 159, Hit::kSpare},
    {186, 186, Hit::kCoinHeavy},
};

Hit HitOf(int skill) {
  for (const HitRange& row : kHits) {
    if (skill >= row.first && skill <= row.last) return row.hit;
  }
  return Hit::kDamage;
}

// ---- The outcome ----

enum class Op : uint8_t {
  kNone,
  kGaugeZero,
  kGaugeScale,     // a: percent
  kStun,           // 10054, then the gauge halves
  kSideGaugeZero,  // every live member of the target's side
  kLevelDrain,     // a: a member's level; b: 1 recomputes the level range
  kLevelHalve,     // a: 1 spares bosses; b: 1 recomputes the level range
  kStats,          // a, b: a member's rates (-1 kept); c, d: an enemy's percents
  kStatZero,       // the first stat 0, then the struck look
  kHealPercent,    // a: percent of the current HP
  kFull,           // HP and BP to their maxima
  kSurgery,        // a quarter of the maximum, twice with the gloves
  kDrainBp,
  kClear,          // a: the condition bits
  kCure,           // the cure rule with the skill id
  kStruckCure,     // the struck look, then the cure rule
  kGuardFlag,      // a: which flag; then the struck look
  kFinish,         // action 10008; bosses and big kinds spared
  kKindGate,       // the rolls only on a member or an enemy of kind 0-3
  kPickpocket,
  kTheft,
};

// A chance of kSure draws nothing.
constexpr int kSure = -1;

struct Roll {
  int chance;
  uint32_t bit;
};

struct OutcomeRow {
  int skill;
  Op op;
  int chance;  // the operation's own, before it runs
  int a, b, c, d;
  std::array<Roll, 3> rolls;
  bool orElse;  // the second roll only when the first fails
};

constexpr Roll R(int chance, uint32_t bit) { return {chance, bit}; }
constexpr OutcomeRow Rolls(int skill, Roll r1, Roll r2 = {}, Roll r3 = {}) {
  return {skill, Op::kNone, kSure, 0, 0, 0, 0, {r1, r2, r3}, false};
}
constexpr OutcomeRow Do(int skill, Op op, int a = 0, int b = 0, int c = 0, int d = 0) {
  return {skill, op, kSure, a, b, c, d, {}, false};
}
constexpr OutcomeRow Maybe(int chance, int skill, Op op, int a = 0, int b = 0) {
  return {skill, op, chance, a, b, 0, 0, {}, false};
}

constexpr uint32_t kPoisons = kPoison1 | kPoison2 | kPoison3;

const OutcomeRow kOutcomes[] = {
    Do(0, Op::kGaugeZero), Do(57, Op::kGaugeZero), Do(67, Op::kGaugeZero), Do(69, Op::kGaugeZero),
    Do(186, Op::kGaugeZero),
    Rolls(3, R(15, kPoison1)), Rolls(34, R(20, kPoison1)), Rolls(35, R(30, kPoison1)), Rolls(61, R(50, kPoison1)),
    Rolls(4, R(15, kPoison2)), Rolls(36, R(20, kPoison2)), Rolls(37, R(30, kPoison2)), Rolls(88, R(30, kPoison2)),
    Rolls(187, R(70, kPoison2)), Rolls(38, R(30, kPoison3)),
    Rolls(6, R(10, kPanic)), Rolls(40, R(20, kPanic)), Rolls(169, R(20, kPanic)), Rolls(70, R(25, kPanic)),
    Rolls(66, R(40, kPanic)),
    Rolls(5, R(10, kCurse)), Rolls(39, R(20, kCurse)), Rolls(71, R(20, kCurse)), Rolls(55, R(25, kCurse)),
    Rolls(7, R(20, kStone)), Rolls(170, R(20, kStone)), Rolls(41, R(25, kStone)),
    Rolls(8, R(10, kUndead)), Rolls(42, R(20, kUndead)), Rolls(63, R(30, kUndead)),
    Rolls(43, R(10, kDying)), Rolls(44, R(20, kDying)), Rolls(45, R(30, kDying)),
    Rolls(48, R(10, kCurse), R(10, kPanic)), Rolls(74, R(10, kCurse), R(10, kPanic)),
    Rolls(75, R(10, kUndead), R(10, kPanic)), Rolls(49, R(10, kPanic), R(10, kPoison1)),
    Rolls(50, R(10, kPoison1), R(5, kCurse), R(5, kUndead)), Rolls(51, R(10, kPoison2), R(5, kUndead), R(5, kPanic)),
    Rolls(62, R(10, kPanic), R(10, kCurse)),
    {65, Op::kNone, kSure, 0, 0, 0, 0, {R(20, kDying), R(20, kPoison2), {}}, true},
    {73, Op::kLevelDrain, 50, 70, 0, 0, 0, {R(50, kPoison1), {}, {}}, false},
    Rolls(106, R(kSure, kPanic)), Rolls(188, R(kSure, kPanic)), Rolls(173, R(kSure, kPanic)),
    Rolls(107, R(kSure, kStone)), Rolls(183, R(kSure, kStone)), Rolls(115, R(kSure, kPoison3)),
    {112, Op::kKindGate, kSure, 0, 0, 0, 0, {R(kSure, kPoison1), {}, {}}, false},
    Rolls(153, R(kSure, kCurse)), Rolls(182, R(kSure, kCurse)), Rolls(175, R(kSure, kPoison2)),
    Maybe(20, 21, Op::kLevelDrain, 50, 1), Maybe(50, 46, Op::kLevelDrain, 70, 0),
    Do(172, Op::kLevelHalve, 0, 0), Do(174, Op::kLevelHalve, 1, 1),
    Maybe(50, 47, Op::kGaugeZero), Do(52, Op::kGaugeScale, 30), Do(68, Op::kGaugeScale, 50), Do(60, Op::kStun),
    Do(162, Op::kSideGaugeZero),
    Do(56, Op::kStats, 150, 150, 150, 150), Do(64, Op::kStats, 200, 70, 200, 70), Do(131, Op::kStats, 110, -1, 100, 100),
    Maybe(20, 171, Op::kStatZero),
    Do(89, Op::kHealPercent, 30), Do(90, Op::kHealPercent, 50), Do(91, Op::kHealPercent, 80),
    Do(92, Op::kHealPercent, 40), Do(93, Op::kHealPercent, 70),
    Do(108, Op::kFull), Do(135, Op::kSurgery), Do(138, Op::kDrainBp),
    Do(94, Op::kClear, static_cast<int>(kPoisons | kPanic | kCurse | kStone | kUndead)),
    Do(113, Op::kClear, static_cast<int>(kPoisons)),
    Do(116, Op::kCure), Do(117, Op::kCure), Do(118, Op::kCure), Do(119, Op::kCure), Do(123, Op::kCure),
    Do(121, Op::kStruckCure), Do(122, Op::kGuardFlag, 0), Do(120, Op::kGuardFlag, 1),
    Do(139, Op::kFinish), Do(76, Op::kPickpocket), Do(124, Op::kTheft),
};

const OutcomeRow* OutcomeOf(int skill) {
  for (const OutcomeRow& row : kOutcomes) {
    if (row.skill == skill) return &row;
  }
  return nullptr;
}

// The skills after which an undead target falls DYING.
constexpr int kRestoring[] = {89, 90, 91, 92, 93, 108, 119};

bool Succeeds(int chance) { return chance == kSure || platform::Rand() % 100 < chance; }

bool IsGuarding(const CBattleActor& actor) {
  return actor.m_actionCode == kActDefend || actor.m_actionCode == kActGuard;
}

// One use of a skill on one target, as the outcome steps see it.
struct SkillUse {
  CSession& session;
  CBattleActor& user;
  Fighter userSide;
  int userPos;
  bool userIsParty;
  int target;
  bool targetIsParty;
  CBattleActor& targetActor;
  Fighter targetSide;
  int skill;
  CBattleObject* object;

  bool IsSmallKind(int most) const { return targetSide.Kind() >= 0 && targetSide.Kind() <= most; }
  bool SparedEnemy() const { return session.IsBossEnemy(target); }
  bool NearDeath() const {
    const int64_t hp = targetSide.Hp();
    return hp < int64_t{targetSide.MaxHp()} * kNearDeathPercent / 100;
  }

  void Message(int code, intptr_t value = 0) const {
    targetActor.OnMessage(object, code, value, 0, user.m_hitKind);
  }
  void Strike(int code, int value) const {
    Message(code, value);
    if (!IsGuarding(targetActor)) targetActor.SpawnDamageNumber(value, targetIsParty ? 1 : 0, 0.0f, 0.0f, 0.0f, 0, 0);
  }
  void Struck() const { targetActor.OnMessage(object, kMsgEmotion, kEmotionStruck, 0, 0); }
  void Finish() const { targetActor.SetAction(kActDying); }
};

void Balance(CSession& session) {
  int64_t partyHp = 0, enemyHp = 0;
  for (int p = 0; p < CSession::kMaxParty; ++p) {
    const PlayerData* member = session.GetPartyMember(p);
    if (member != nullptr && member->battlePtr != nullptr && member->hp > 0) partyHp += member->hp;
  }
  for (const EnemySlot& slot : session.enemies) {
    if (slot.actor != nullptr) enemyHp += slot.hp;
  }
  if (partyHp == enemyHp) return;
  const bool partyFalls = partyHp < enemyHp;
  for (int p = 0; partyFalls && p < CSession::kMaxParty; ++p) {
    PlayerData* member = session.GetPartyMember(p);
    if (member != nullptr && member->battlePtr != nullptr && member->hp > 0) session.SetCondition(*member, kDying, true);
  }
  for (EnemySlot& slot : session.enemies) {
    if (!partyFalls && slot.actor != nullptr && slot.hp > 0) session.SetEnemyCondition(slot, kDying, true);
  }
}

void ApplyHit(const SkillUse& use, int n) {
  const bool enemyTarget = !use.targetSide.IsParty();
  switch (HitOf(use.skill)) {
    case Hit::kNone: break;
    case Hit::kDamage: use.Strike(kMsgHit, n); break;
    case Hit::kDrain:
      use.Strike(kMsgHit, n);
      if (use.userSide.enemy != nullptr) {
        EnemySlot& self = *use.userSide.enemy;
        self.hp = static_cast<int32_t>(std::min<int64_t>(int64_t{self.hp} + n + 1, self.maxhp));
      }
      break;
    case Hit::kKnockDown: use.Strike(kActKnockedDown, n); break;
    case Hit::kPlain:
      use.Strike(kMsgHit,
                 use.session.ComputeSkillDamagePlain(use.userPos, use.userIsParty, use.target, use.targetIsParty, use.skill));
      break;
    case Hit::kHeavy:
      use.Strike(kMsgHit, n);
      use.targetActor.SetAction(kActDamageHeavy);
      break;
    case Hit::kMercy:
      if (enemyTarget ? !use.SparedEnemy() && use.targetSide.Kind() >= 2 && use.IsSmallKind(3) && use.NearDeath()
                      : use.targetSide.Hp() > 0 && use.NearDeath()) {
        use.Finish();
      }
      break;
    case Hit::kOnUndead:
      if (enemyTarget && use.targetSide.AttackAttribute() == kUndeadAttribute) use.Strike(kMsgHit, n);
      break;
    case Hit::kUndeadBane:
      if (enemyTarget && use.targetSide.AttackAttribute() == kUndeadAttribute) {
        use.Finish();
      } else {
        use.Strike(kMsgHit, n);
      }
      break;
    case Hit::kStagger: use.targetActor.SetAction(kActDamageHeavy); break;
    case Hit::kBalance: Balance(use.session); break;
    case Hit::kSpare:
      if (!enemyTarget || (!use.SparedEnemy() && use.IsSmallKind(3))) use.Finish();
      break;
    case Hit::kCoinHeavy:
      use.Strike(kMsgHit, n);
      if (platform::Rand() % 2 == 1) use.targetActor.SetAction(kActDamageHeavy);
      break;
  }
}

void RecalcMember(const Fighter& f) {
  if (f.player != nullptr) f.player->Recalc();
}

void DrainLevel(const SkillUse& use, const OutcomeRow& row) {
  const Fighter& t = use.targetSide;
  if (t.player != nullptr) {
    t.player->lvl = row.a;
    t.player->Recalc();
  } else if (!use.SparedEnemy()) {
    t.enemy->level = static_cast<int32_t>(int64_t{t.enemy->level} * 70 / 100);
  }
  if (row.b != 0) use.session.UpdateLevelRange();
}

// Half of the monster record's level below it; an enemy the monster table
// lacks keeps its level.
void HalveLevel(const SkillUse& use, const OutcomeRow& row) {
  const Fighter& t = use.targetSide;
  if (t.player != nullptr) {
    t.player->lvl = 50;
    t.player->Recalc();
  } else if (row.a == 0 || !use.SparedEnemy()) {
    const CMonsterMgr& monsters = CMonsterMgr::GetInstance();
    const int index = monsters.Find(t.enemy->name);
    if (index >= 0) {
      const int level = monsters.GetMonsterTypeInfo(index).level;
      t.enemy->level = level - level / 2;
    }
  }
  if (row.b != 0) use.session.UpdateLevelRange();
}

void SetStats(const Fighter& t, const OutcomeRow& row) {
  if (t.player != nullptr) {
    if (row.a >= 0) t.player->rates[0] = row.a;
    if (row.b >= 0) t.player->rates[1] = row.b;
    t.player->Recalc();
    return;
  }
  t.enemy->phyAtk = static_cast<int32_t>(int64_t{t.enemy->phyAtk} * row.c / 100);
  t.enemy->phyDef = static_cast<int32_t>(int64_t{t.enemy->phyDef} * row.d / 100);
}

void Heal(const Fighter& t, int64_t amount) {
  int32_t& hp = t.Hp();
  hp = static_cast<int32_t>(std::min<int64_t>(int64_t{hp} + amount, t.MaxHp()));
}

void ZeroSideGauges(const SkillUse& use) {
  const int count = use.targetIsParty ? CSession::kMaxParty : CSession::kMaxEnemies;
  for (int n = 0; n < count; ++n) {
    auto* actor = dynamic_cast<CBattleActor*>(use.session.GetBattleActor(n, use.targetIsParty));
    const Fighter f = actor != nullptr ? FighterAt(use.session, n, use.targetIsParty) : Fighter{};
    if (f.Exists() && f.Hp() > 0) actor->m_timeGauge = 0.0f;
  }
}

// False when the rolls are not to run.
bool RunOp(const SkillUse& use, const OutcomeRow& row) {
  const Fighter& t = use.targetSide;
  float& gauge = use.targetActor.m_timeGauge;
  switch (row.op) {
    case Op::kNone: break;
    case Op::kGaugeZero: gauge = 0.0f; break;
    case Op::kGaugeScale: gauge *= static_cast<float>(row.a) / 100.0f; break;
    case Op::kStun:
      use.targetActor.OnMessage(use.object, kMsgStun, 0, 0, 0);
      gauge *= 0.5f;
      break;
    case Op::kSideGaugeZero: ZeroSideGauges(use); break;
    case Op::kLevelDrain: DrainLevel(use, row); break;
    case Op::kLevelHalve: HalveLevel(use, row); break;
    case Op::kStats: SetStats(t, row); break;
    case Op::kStatZero:
      if (t.player != nullptr) t.player->rates[0] = 0;
      if (t.enemy != nullptr) t.enemy->phyAtk = 0;
      RecalcMember(t);
      use.Struck();
      break;
    case Op::kHealPercent: Heal(t, int64_t{std::max(t.Hp(), 0)} * row.a / 100); break;
    case Op::kFull:
      t.Hp() = t.MaxHp();
      if (t.player != nullptr) t.player->shp = t.player->maxshp;
      if (t.enemy != nullptr) t.enemy->shp = t.enemy->maxshp;
      break;
    case Op::kSurgery:
      if (t.IsParty() || (use.targetSide.Kind() >= 2 && use.IsSmallKind(3))) {
        const int64_t quarter = t.MaxHp() / 4;
        Heal(t, t.player != nullptr && Wears(*t.player, WornSlot::kAcc2, "수술장갑") ? quarter * 2 : quarter);
      }
      break;
    case Op::kDrainBp:
      if (t.player != nullptr) t.player->shp = 0;
      if (t.enemy != nullptr && use.targetSide.Kind() >= 2 && use.IsSmallKind(3)) t.enemy->shp = t.enemy->maxshp = 0;
      break;
    case Op::kClear: SetConditions(use.session, t, static_cast<uint32_t>(row.a), false); break;
    case Op::kCure: use.session.UseSkillOnParty(use.target, use.targetIsParty, use.skill); break;
    case Op::kStruckCure:
      use.Struck();
      use.session.UseSkillOnParty(use.target, use.targetIsParty, use.skill);
      break;
    case Op::kGuardFlag:
      if (t.player != nullptr) t.player->battleValues[static_cast<size_t>(row.a)] = 1;
      use.Struck();
      break;
    case Op::kFinish:
      if (t.IsParty() ? t.Hp() > 0 : !use.SparedEnemy() && use.IsSmallKind(3)) use.Finish();
      break;
    case Op::kKindGate: return t.IsParty() || use.IsSmallKind(3);
    case Op::kPickpocket: skill_theft::Pickpocket(use.session, use.user, t); break;
    case Op::kTheft: skill_theft::Steal(use.session, use.user, t); break;
  }
  return true;
}

void ApplyOutcome(const SkillUse& use) {
  const OutcomeRow* row = OutcomeOf(use.skill);
  if (row == nullptr) return;
  if (!Succeeds(row->chance)) return;
  if (!RunOp(use, *row)) return;
  for (size_t i = 0; i < row->rolls.size(); ++i) {
    const Roll& roll = row->rolls[i];
    if (roll.bit == 0) break;
    const bool hit = Succeeds(roll.chance);
    if (hit) SetConditions(use.session, use.targetSide, roll.bit, true);
    if (row->orElse && hit) break;
  }
}

bool StopsAtRemoved(const CBattleActor& user, const SkillTypeInfo& record) {
  const CBattleActor* aimed = user.m_target;
  if (aimed == nullptr || aimed->m_actionCode != kActRemoved) return false;
  const bool spared = user.m_battleId[1] == 1 && aimed->m_battleId[1] == 1 &&
                      std::strcmp(record.name.c_str(), kBloodletting) == 0;
  return !spared;
}

}  // namespace skilloutcome
}  // namespace

int CSession::ApplySkillEffect(int user, bool userIsParty, int target, bool targetIsParty, int skill,
                               CBattleObject* object, int status) {
  if (status != 0) return status;
  ApplySkillOutcome(user, userIsParty, target, targetIsParty, skill, object);
  return 0;
}

void CSession::ApplySkillOutcome(int user, bool userIsParty, int target, bool targetIsParty, int skill,
                                 CBattleObject* object) {
  const CSkillMgr& table = CSkillMgr::GetInstance();
  if (skill < 0 || skill >= table.GetCount()) return;
  const SkillTypeInfo& record = *table.GetSkillTypeInfo(skill);
  auto* userActor = dynamic_cast<CBattleActor*>(GetBattleActor(user, userIsParty));
  auto* targetActor = dynamic_cast<CBattleActor*>(GetBattleActor(target, targetIsParty));
  if (userActor == nullptr || targetActor == nullptr) return;
  if (skilloutcome::StopsAtRemoved(*userActor, record)) return;
  const Fighter userSide = FighterAt(*this, user, userIsParty);
  const Fighter targetSide = FighterAt(*this, target, targetIsParty);
  if (!userSide.Exists() || !targetSide.Exists() || targetActor->m_hitGuardTicks != 0) return;
  const bool wasUndead = (targetSide.Conditions() & kUndead) != 0;
  const int attackAttribute = GetAttackAttribute(user, userIsParty);
  const skilloutcome::SkillUse use{*this, *userActor, userSide, user, userIsParty, target, targetIsParty, *targetActor, targetSide, skill, object};
  if (record.classType != skilloutcome::kNoDamageClass) {
    const int n = ComputeSkillDamage(user, userIsParty, target, targetIsParty, skill);
    RaiseSkillAttackHook(targetSide.Name(), record.name);
    skilloutcome::ApplyHit(use, n);
  }
  skilloutcome::ApplyOutcome(use);
  if (wasUndead && std::find(std::begin(skilloutcome::kRestoring), std::end(skilloutcome::kRestoring), skill) != std::end(skilloutcome::kRestoring)) {
    SetConditions(*this, targetSide, kDying, true);
  }
  if (wasUndead && attackAttribute == skilloutcome::kHolyAttribute) targetActor->OnMessage(object, kMsgKill, 0, 0, 0);
}
