// Whether a weapon blow hits: both sides' accuracy, the deciding weapons and
// the target's dodging gear.
#include <cstdint>
#include <limits>

#include "platform/Random.h"
#include "rules/Condition.h"
#include "rules/Fighter.h"
#include "rules/WornItemRules.h"
#include "session/Session.h"

namespace {

// One band of the accuracy gap: up to `upTo`, a draw below `missBelow` misses
// and one below `critBelow` is critical; neither draws and hits.
struct HitBand {
  int64_t upTo;
  int missBelow;
  int critBelow;
};

constexpr int64_t kAbove = std::numeric_limits<int64_t>::max();

constexpr HitBand kPartyBands[] = {
    {-21, 20, 0}, {-16, 15, 0}, {-11, 10, 0}, {-6, 5, 0}, {-1, 0, 0},     {0, 0, 5},
    {5, 0, 10},   {10, 0, 15},  {15, 0, 20},  {20, 0, 30}, {kAbove, 0, 40},
};
constexpr HitBand kEnemyBands[] = {
    {-21, 40, 0}, {-16, 30, 0}, {-11, 20, 0}, {-6, 15, 0}, {-1, 10, 0},    {0, 5, 0},
    {5, 0, 0},    {10, 0, 5},   {15, 0, 10},  {20, 0, 15}, {kAbove, 0, 20},
};

int RollBand(const HitBand (&bands)[11], int64_t diff) {
  for (const HitBand& band : bands) {
    if (diff > band.upTo) continue;
    if (band.missBelow > 0) return platform::Rand() % 100 >= band.missBelow ? 1 : 0;
    if (band.critBelow > 0) return platform::Rand() % 100 < band.critBelow ? 2 : 1;
    return 1;
  }
  return 1;
}

// Level plus accuracy (a member's weapon bonus on the attacking side only),
// halved under CURSE.
int64_t Accuracy(const Fighter& f, bool attacking) {
  int64_t value = f.Level();
  if (f.IsParty()) {
    value += int64_t{f.player->agility} + f.player->luck;
    if (attacking) value += ItemAttr(f.player->weapon, 5);
  } else {
    value += f.enemy->luck;
  }
  return (f.Conditions() & kCurse) != 0 ? value / 2 : value;
}

// A party attacker's weapon that decides the roll at once, or -1.
int DecidingWeapon(const PlayerData& attacker) {
  for (const DecidingWeaponRow& row : weapon_rules::kDecidingWeapons) {
    if (!Wears(attacker, WornSlot::kWeapon, row.name)) continue;
    const bool zero = platform::Rand() % row.modulus == 0;
    if (zero == row.onZero) return row.result;
  }
  return -1;
}

bool Dodges(const Fighter& defender, const Fighter& attacker) {
  bool dodged = false;
  for (const DodgeRow& row : weapon_rules::kDodges) {
    if (!RowTestHolds(row.when, defender, attacker)) continue;
    // Each place wearing it draws once.
    for (int n = CountWorn(*defender.player, row.slot, row.name); n > 0; --n) {
      if (platform::Rand() % row.odds == 0) dodged = true;
    }
  }
  return dodged;
}

}  // namespace

int CSession::RollHit(int attacker, bool attackerIsParty, int target, bool targetIsParty) {
  const Fighter a = FighterAt(*this, attacker, attackerIsParty);
  const Fighter t = FighterAt(*this, target, targetIsParty);
  if (!a.Exists() || !t.Exists()) return 0;
  if (a.IsParty()) {
    const int decided = DecidingWeapon(*a.player);
    if (decided >= 0) return decided;
    if (a.player->cp == PlayerData::kFullCombatPoints) a.player->cp = 0;
  }
  const int64_t diff = Accuracy(a, true) - Accuracy(t, false);
  int result = RollBand(a.IsParty() ? kPartyBands : kEnemyBands, diff);
  if (!a.IsParty() && t.IsParty() && result != 0 && Dodges(t, a)) result = 0;
  return result;
}
