// Magic and skills used on the party outside battle.
#include "rules/Condition.h"
#include "rules/Fighter.h"
#include "session/Session.h"

// What each magic and skill does comes with the magic and skill rules;
// until then a use changes nobody, and the caller has paid already.
void CSession::UseMagicOnParty(int casterPosition, int casterIsParty, int magic, int targetIsParty, int targetSlot) {
  static_cast<void>(casterPosition);
  static_cast<void>(casterIsParty);
  static_cast<void>(magic);
  static_cast<void>(targetIsParty);
  static_cast<void>(targetSlot);
}

namespace {

struct Cure {
  int code;
  uint32_t clears;
};

constexpr Cure kCures[] = {
    {113, kPoison1 | kPoison2 | kPoison3}, {116, kStone}, {117, kPanic}, {118, kCurse}, {121, kUndead},
};

}  // namespace

void CSession::UseSkillOnParty(int position, bool isParty, int code) {
  const Fighter f = FighterAt(*this, position, isParty);
  if (!f.Exists()) return;
  for (const Cure& cure : kCures) {
    if (cure.code == code) SetConditions(*this, f, cure.clears, false);
  }
  if (code == 123 && f.IsParty()) SetConditions(*this, f, kDying, false);
  if (code != 119) return;
  f.Hp() = f.MaxHp();
  if (f.player != nullptr) f.player->shp = f.player->maxshp;
  if (f.enemy != nullptr) f.enemy->shp = f.enemy->maxshp;
  if ((f.Conditions() & kUndead) != 0) SetConditions(*this, f, kDying, true);
}
