// The restorative magics, from the diary and in battle, and skills used on
// the party outside battle.
#include <algorithm>

#include "platform/DebugLog.h"
#include "rules/Condition.h"
#include "rules/Fighter.h"
#include "session/MagicMgr.h"
#include "session/Session.h"

namespace {
namespace partycasting {

bool IsHealing(int magic) { return (magic >= 0 && magic <= 2) || (magic >= 8 && magic <= 10); }

void Heal(int32_t& hp, int32_t maxhp, int magic) {
  const int64_t raised = magic % 8 == 0 ? int64_t{hp} + maxhp / 4 : magic % 8 == 1 ? int64_t{hp} + maxhp / 2 : maxhp;
  hp = static_cast<int32_t>(std::min<int64_t>(raised, maxhp));
}

void Restore(CSession& session, const Fighter& t, int magic) {
  switch (magic) {
    case 5:
      for (const uint32_t bit : {kPanic, kStone, kUndead, kDying}) SetConditions(session, t, bit, false);
      break;
    case 6:
      SetConditions(session, t, kCurse, false);
      break;
    case 7:
      SetConditions(session, t, kDying, false);
      break;
    default:
      if (!IsHealing(magic)) {
        DebugLog("다이어리에서는 쓸 수 없는 마법입니다.");
        break;
      }
      if (t.player != nullptr) Heal(t.player->hp, t.player->maxhp, magic);
      if (t.enemy != nullptr) Heal(t.enemy->hp, t.enemy->maxhp, magic);
      break;
  }
}

}  // namespace partycasting
}  // namespace

void CSession::UseMagicOnParty(int caster, bool casterIsParty, int target, bool targetIsParty, int magic) {
  const Fighter t = FighterAt(*this, target, targetIsParty);
  if (!t.Exists()) return;
  const bool wasUndead = (t.Conditions() & kUndead) != 0;
  if (const MagicTypeInfo* record = CMagicMgr::GetInstance().GetMagicTypeInfo(magic)) {
    ChangeConditions(*this, t, static_cast<uint32_t>(record->stateMask), static_cast<uint32_t>(record->restoreStateMask));
  }
  // Surgical gloves make a member's spell work twice.
  const Fighter c = casterIsParty ? FighterAt(*this, caster, true) : Fighter{};
  const int repeats = c.player != nullptr && Wears(*c.player, WornSlot::kAcc2, "수술장갑") ? 2 : 1;
  for (int i = 0; i < repeats; ++i) partycasting::Restore(*this, t, magic);
  if (partycasting::IsHealing(magic) && wasUndead) SetConditions(*this, t, kDying, true);
}

namespace {
namespace partycasting {

struct Cure {
  int code;
  uint32_t clears;
};

constexpr Cure kCures[] = {
    {113, kPoison1 | kPoison2 | kPoison3}, {116, kStone}, {117, kPanic}, {118, kCurse}, {121, kUndead},
};

}  // namespace partycasting
}  // namespace

void CSession::UseSkillOnParty(int position, bool isParty, int code) {
  const Fighter f = FighterAt(*this, position, isParty);
  if (!f.Exists()) return;
  for (const partycasting::Cure& cure : partycasting::kCures) {
    if (cure.code == code) SetConditions(*this, f, cure.clears, false);
  }
  if (code == 123 && f.IsParty()) SetConditions(*this, f, kDying, false);
  if (code != 119) return;
  f.Hp() = f.MaxHp();
  if (f.player != nullptr) f.player->shp = f.player->maxshp;
  if (f.enemy != nullptr) f.enemy->shp = f.enemy->maxshp;
  if ((f.Conditions() & kUndead) != 0) SetConditions(*this, f, kDying, true);
}
