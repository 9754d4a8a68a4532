// A magic's damage on one participant: the weapon blow's formula with the
// caster's magic power against the target's magic defence.
#include <algorithm>
#include <cstdint>

#include "rules/Condition.h"
#include "rules/DamageSteps.h"
#include "rules/Fighter.h"
#include "session/MagicMgr.h"
#include "session/Session.h"

using damage_steps::ClampInt;
using damage_steps::GapFactor;

namespace {

const MagicTypeInfo* MagicRecord(int magic) {
  const CMagicMgr& table = CMagicMgr::GetInstance();
  return magic >= 0 && magic < table.GetCount() ? table.GetMagicTypeInfo(magic) : nullptr;
}

}  // namespace

int CSession::GetMagicPower(int position, bool isParty, int magic) const {
  const Fighter f = FighterAt(*this, position, isParty);
  const MagicTypeInfo* record = MagicRecord(magic);
  if (!f.Exists() || record == nullptr) return 0;
  const int64_t base = f.IsParty() ? f.player->intelligence : f.enemy->phyAtk;
  int64_t power = record->powerAbsolute != 0 ? base * record->power / 100 : base + record->power;
  if ((f.Conditions() & kCurse) != 0) power /= 2;
  return ClampInt(power);
}

int CSession::GetMagicDefence(int position, bool isParty) const {
  const Fighter f = FighterAt(*this, position, isParty);
  if (!f.Exists()) return 0;
  return f.IsParty() ? f.player->vitality : f.enemy->magDef;
}

int CSession::ComputeMagicDamage(int caster, bool casterIsParty, int target, bool targetIsParty, int magic) {
  const Fighter a = FighterAt(*this, caster, casterIsParty);
  const Fighter t = FighterAt(*this, target, targetIsParty);
  const MagicTypeInfo* record = MagicRecord(magic);
  if (!a.Exists() || !t.Exists() || record == nullptr) return 1;
  const int64_t la = a.Level(), lt = t.Level();
  int64_t l = 100, h = 100;
  if (!a.IsParty() && t.IsParty() && la > lt) l = GapFactor(*this, la - lt);
  if (a.IsParty() && !t.IsParty() && lt > la) h = GapFactor(*this, lt - la);

  int64_t o = GetMagicPower(caster, casterIsParty, magic);
  if (t.IsParty() && Wears(*t.player, WornSlot::kAcc1, "루비네클리스")) o = o * 80 / 100;
  const int64_t defence = h * GetMagicDefence(target, targetIsParty) / 100;
  int64_t d = std::max(BaseDamage(ClampInt(o), a.Level(), ClampInt(defence), t.Level(), a.IsParty(), t.IsParty()), 0);
  d = ApplyAttributeFactor(ClampInt(d), record->attr, GetDefenceAttribute(target, targetIsParty));
  if (t.IsParty() && record->attr == 3 && t.player->battleValues[0] != 0) d /= 2;
  return damage_steps::FinishDamage(*this, d, {caster, casterIsParty, target, targetIsParty}, l);
}
