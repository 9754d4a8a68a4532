// Summoning creatures for a magic or a skill.
#include "platform/DebugLog.h"
#include "session/Session.h"

// The summoned creatures come with the skill rules; until then a recall is
// logged and places nothing.
void CSession::LaunchRecall(int position, bool isParty, int recall) {
  DebugLogf("CSession::LaunchRecall - %s %d: recall %d not placed yet", isParty ? "party" : "enemy", position, recall);
}
