// The effects of conditions and worn items that run on a participant's
// battle ticks.
#include "session/Session.h"

void CSession::ProcessException(int /*position*/, bool /*isParty*/) {}
