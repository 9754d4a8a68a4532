// The special gauge, filled by blows and parries.
#include <algorithm>

#include "rules/Fighter.h"
#include "session/Session.h"

void CSession::AddSpecialGauge(int position, int n) {
  PlayerData* member = position >= 0 && position < partyCount ? GetPartyMember(position) : nullptr;
  if (member == nullptr) return;
  const int64_t add = Wears(*member, WornSlot::kArmor, "P-셔츠") ? 2 * int64_t{n} : n;
  member->cp = static_cast<int32_t>(std::clamp<int64_t>(member->cp + add, INT32_MIN, 100));
}
