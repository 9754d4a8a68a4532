// Magic and skills used on the party outside battle.
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

void CSession::UseSkillOnParty(int userPosition, int skill, int targetSlot) {
  static_cast<void>(userPosition);
  static_cast<void>(skill);
  static_cast<void>(targetSlot);
}
