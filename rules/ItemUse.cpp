// Items used outside battle.
#include "session/Session.h"

// The effects by kind come with the item rules; until then a use changes
// nobody, and the caller still takes the item.
void CSession::UseItemPartyToParty(int from, int to, int item) {
  static_cast<void>(from);
  static_cast<void>(to);
  static_cast<void>(item);
}
