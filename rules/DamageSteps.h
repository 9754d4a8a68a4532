#pragma once
// The steps the weapon, magic and skill damage formulas share
// (rules/Damage.cpp).
#include <cstdint>

class CSession;

namespace damage_steps {

// The two sides of a blow: (position, is-party) each.
struct DamageSides {
  int a;
  bool aIsParty;
  int t;
  bool tIsParty;
};

int ClampInt(int64_t v);
// An increase that ends at the value's maximum: a value above it comes down
// to it, and a negative amount still applies.
void RaiseCapped(int32_t& value, int64_t amount, int32_t maximum);
// 100 + the level-gap table's entry for a gap of at least 1.
int64_t GapFactor(const CSession& session, int64_t gap);
// The height of the blow, the spread, the final factor and an enemy's
// third; at least 1.
int FinishDamage(CSession& session, int64_t d, const DamageSides& sides, int64_t finalFactor);

}  // namespace damage_steps
