// Choosing participants of a battle.
#include <algorithm>

#include "field/SelvarinActor.h"
#include "platform/Random.h"
#include "session/Session.h"

PlayerData* CSession::PickRandomPartyMember() {
  const int r = battlePartyCount > 0 ? platform::Rand() % battlePartyCount : 0;
  PlayerData* first = nullptr;
  int live = 0;
  for (int p = 0; p < std::min<int>(partyCount, kMaxParty); ++p) {
    PlayerData* member = GetPartyMember(p);
    if (member == nullptr || member->battlePtr == nullptr || IsFallen(member->battlePtr)) continue;
    if (live == r) return member;
    if (first == nullptr) first = member;
    ++live;
  }
  return first;
}
