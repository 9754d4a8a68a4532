// Weapon blows: the core damage formula.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/Random.h"
#include "session/Session.h"

namespace {

// Each step is kept within int, so the next product stays inside 64 bits.
int64_t Clamp32(int64_t v) {
  return std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
}

}  // namespace

int CSession::BaseDamage(int attack, int attackerLevel, int defence, int targetLevel, bool attackerIsParty,
                         bool targetIsParty) {
  int64_t a = attack;
  const int64_t b = attackerLevel, c = defence, d = targetLevel;
  if (attackerIsParty == targetIsParty) {
    a = Clamp32(a - c);
  } else if (attackerIsParty) {
    a = Clamp32(a - a * c / 500);
    a = Clamp32(a - (d - b) * a / 22);
  } else {
    a = Clamp32(a - a * c / 900);
    a = Clamp32(a - (b >= d ? (b - d) * a / 33 : (d - b) * a / 40));
    a = static_cast<int64_t>(static_cast<double>(a) * 0.8);
  }
  if (a <= 0) return platform::Rand() % 5 + 1;
  return static_cast<int>(a);
}
