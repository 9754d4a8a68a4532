// A skill's damage on one participant: the weapon blow's formula with the
// user's skill power, and its own spread.
#include <algorithm>
#include <cstdint>

#include "rules/DamageSteps.h"
#include "rules/Fighter.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "platform/Random.h"

using damage_steps::ClampInt;
using damage_steps::DamageSides;
using damage_steps::GapFactor;

namespace {

const SkillTypeInfo* SkillRecord(int skill) {
  const CSkillMgr& table = CSkillMgr::GetInstance();
  return skill >= 0 && skill < table.GetCount() ? table.GetSkillTypeInfo(skill) : nullptr;
}

}  // namespace

// The skill strength value is the attack value: a member's strength, an
// enemy's attack.
int CSession::GetSkillPower(int position, bool isParty, int skill) const {
  const Fighter f = FighterAt(*this, position, isParty);
  const SkillTypeInfo* record = SkillRecord(skill);
  if (!f.Exists() || record == nullptr) return 0;
  const int64_t base = f.IsParty() ? f.player->strength : f.enemy->phyAtk;
  return ClampInt(record->powerAbsolute != 0 ? base * record->power / 100 : base + record->power);
}

namespace {

// The steps both skill damages share: attribute, height, the attribute-3
// guard, an enemy user's share and the spread; at least 1.
int FinishSkillDamage(CSession& session, int64_t d, const DamageSides& s, const SkillTypeInfo& record) {
  d = CSession::ApplyAttributeFactor(ClampInt(std::max<int64_t>(d, 0)), record.attr,
                                     session.GetDefenceAttribute(s.t, s.tIsParty));
  d = CSession::ApplyHeightFactor(ClampInt(d), session.GetActorHeight(s.a, s.aIsParty),
                                  session.GetActorHeight(s.t, s.tIsParty));
  const Fighter t = FighterAt(session, s.t, s.tIsParty);
  if (t.IsParty() && record.attr == 3 && t.player->battleValues[0] != 0) d /= 2;
  if (!s.aIsParty) {
    d /= 3;
    if (!t.IsParty()) d *= 3;
  }
  const int64_t u = d;
  if (u / 10 > 0) d += platform::Rand() % (u / 10);
  d -= u / 5;
  return ClampInt(std::max<int64_t>(d, 1));
}

}  // namespace

int CSession::ComputeSkillDamage(int user, bool userIsParty, int target, bool targetIsParty, int skill) {
  const Fighter a = FighterAt(*this, user, userIsParty);
  const Fighter t = FighterAt(*this, target, targetIsParty);
  const SkillTypeInfo* record = SkillRecord(skill);
  if (!a.Exists() || !t.Exists() || record == nullptr) return 1;
  const int64_t lu = a.Level(), lt = t.Level();
  const int64_t h = a.IsParty() && !t.IsParty() && lt > lu ? GapFactor(*this, lt - lu) : 100;
  const int64_t defence = h * GetDefence(target, targetIsParty) / 100;
  const int64_t d = BaseDamage(GetSkillPower(user, userIsParty, skill), a.Level(), ClampInt(defence), t.Level(),
                               a.IsParty(), t.IsParty());
  return FinishSkillDamage(*this, d, {user, a.IsParty(), target, targetIsParty}, *record);
}

int CSession::ComputeSkillDamagePlain(int user, bool userIsParty, int target, bool targetIsParty, int skill) {
  const Fighter a = FighterAt(*this, user, userIsParty);
  const Fighter t = FighterAt(*this, target, targetIsParty);
  const SkillTypeInfo* record = SkillRecord(skill);
  if (!a.Exists() || !t.Exists() || record == nullptr) return 1;
  return FinishSkillDamage(*this, GetSkillPower(user, userIsParty, skill), {user, a.IsParty(), target, targetIsParty},
                           *record);
}
