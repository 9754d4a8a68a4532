// Items used outside battle.
#include "platform/DebugLog.h"
#include "session/Session.h"

// The effects by kind come with the item rules; until then a use changes
// nobody, and the caller still takes the item.
void CSession::UseItemPartyToParty(int from, int to, int item) {
  static_cast<void>(from);
  static_cast<void>(to);
  static_cast<void>(item);
}

// The flying item object comes with the items in battle; until then the
// throw only leaves its trace and the inventory keeps the piece.
void CSession::LaunchItem(int position, bool isParty) {
  DebugLogf("CSession::LaunchItem - %s %d: no item objects yet", isParty ? "party" : "enemy", position);
}
