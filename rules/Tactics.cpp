// A participant's tactics: its tactic number by hit-point band, and the
// eight tactic bodies, small trees of rolls over the participant's level and
// its special actions.
#include <array>
#include <cstdint>
#include <string>

#include "platform/DebugLog.h"
#include "rules/Condition.h"
#include "rules/TacticHelpers.h"

using tactics::CoinOdd;
using tactics::Roll;

namespace {
namespace tacticsrules {

constexpr int kBandCount = 4;
constexpr int kPanicTactic = 5;
constexpr int kStandFastTactic = 6;
constexpr int kBossTactic = 7;
constexpr int kFullGauge = 100;
constexpr int kBusyRange = 30;

// 3 from a share of 76, 2 from 51, 1 from 26, else 0. Empty maxima give 0.
int Band(int64_t hp, int64_t shp, int64_t maxhp, int64_t maxshp) {
  const int64_t total = maxhp + maxshp;
  if (total <= 0) return 0;
  const int64_t share = (hp + shp) * 100 / total;
  return share >= 76 ? 3 : share >= 51 ? 2 : share >= 26 ? 1 : 0;
}

using Body = void (CSession::*)(int, bool);
constexpr std::array<Body, 8> kBodies = {
    &CSession::TacticBalanced, &CSession::TacticAggressive, &CSession::TacticGuarded, &CSession::TacticSupport,
    &CSession::TacticRetreat,  &CSession::TacticPanic,      &CSession::TacticStandFast, &CSession::TacticBoss,
};

}  // namespace tacticsrules
}  // namespace

int CSession::ChooseTactic(int position, bool isParty) const {
  if (isParty) {
    const PlayerData* member = GetPartyMember(position);
    if (member == nullptr) return -1;
    const bool panic = (member->stateid & kPanic) != 0;
    const int id = member->tacticsId;
    bool hasWord = true;
    uint32_t word = 0;
    if (id >= 1 && id <= 4) {
      word = static_cast<uint32_t>(tactics[static_cast<size_t>(id - 1)]);
    } else if (id == 5) {
      word = static_cast<uint32_t>(member->customTactic);
    } else {
      hasWord = false;
      if (id != 0) DebugLog("Invalid tacticsId 라네");
      if (id == 0 && !panic) DebugLog("이런..");
    }
    if (panic) return tacticsrules::kPanicTactic;
    if (!hasWord) return -1;
    const int band = tacticsrules::Band(member->hp, member->shp, member->maxhp, member->maxshp);
    const int number = static_cast<int>((word >> (8 * band)) & 0xFFu);
    if (number > tacticsrules::kPanicTactic) {
      DebugLog("Invalid Tactics.............");
      return -1;
    }
    return number;
  }
  if (position < 0 || position >= kMaxEnemies) return -1;
  const EnemySlot& slot = enemies[static_cast<size_t>(position)];
  // The numbers run from the highest band down.
  int number = slot.tactics[static_cast<size_t>(tacticsrules::kBandCount - 1 - tacticsrules::Band(slot.hp, slot.shp, slot.maxhp, slot.maxshp))];
  if (slot.name == "쿠스코_에밀") number = tacticsrules::kStandFastTactic;
  if ((slot.stateid & kPanic) != 0) number = tacticsrules::kPanicTactic;
  if (IsBossEnemy(position)) number = tacticsrules::kBossTactic;
  if (number < 0 || number > tacticsrules::kBossTactic) {
    DebugLog("Invalid enemy Tactics.............");
    return -1;
  }
  return number;
}

void CSession::RunTactics(int position, bool isParty) {
  // A turn never hands on an earlier turn's target: that actor may be gone.
  tacticDecision.target = nullptr;
  tacticDecision.index = -1;
  const int number = ChooseTactic(position, isParty);
  if (number >= 0) (this->*tacticsrules::kBodies[static_cast<size_t>(number)])(position, isParty);
  // An item, magic or skill decision left without its index is stale: it
  // becomes an attack.
  TacticDecision& d = tacticDecision;
  if ((d.kind == 3 || d.kind == 9 || d.kind == 10) && d.index < 0) {
    d.kind = 0;
    if (d.target == nullptr) {
      d.target = isParty ? FindNearestEnemy(position, true) : tactics::LiveMemberActor(PickRandomPartyMember());
    }
  }
}

namespace {
namespace tacticsrules {

// What every body does first.
void ClearChoice(CSession::TacticDecision& d) {
  d.target = nullptr;
  d.index = -1;
}

// The enemy's first special entry is empty.
bool NoSpecial(const CSession& session, int slot) {
  return tactics::EntryNumber(session.enemies[static_cast<size_t>(slot)], 0) < 0;
}

// The member's special gauge is full.
bool GaugeFull(const CSession& session, int position) {
  const PlayerData* member = session.GetPartyMember(position);
  return member != nullptr && member->cp >= kFullGauge;
}

bool ValidSlot(int slot) { return slot >= 0 && slot < CSession::kMaxEnemies; }

// An attack on the target chosen so far, or on the special that `tries`
// random entries find.
void Special(CSession& session, int slot, int tries) {
  session.tacticDecision.kind = 0;
  session.PickRandomSpecial(slot, tries);
  if (session.tacticDecision.index >= 0) session.ChooseSpecialTarget(slot, false);
}

// Kind 0 on the most exposed member, when there is one.
void AttackMostExposed(CSession& session) {
  if (CBattleActor* exposed = session.FindMostExposedPartyMember()) session.tacticDecision.target = exposed;
  session.tacticDecision.kind = 0;
}

}  // namespace tacticsrules
}  // namespace

void CSession::TacticBalanced(int position, bool isParty) {
  TacticDecision& d = tacticDecision;
  tacticsrules::ClearChoice(d);
  if (isParty) {
    d.target = FindLowestDefenceEnemy();
    d.kind = 0;
    PickAttackSpecial(position, true);
    return;
  }
  if (!tacticsrules::ValidSlot(position)) return;
  d.target = platform::Rand() % 2 == 0 ? FindNearestPartyMember(position, false)
                                       : tactics::LiveMemberActor(PickRandomPartyMember());
  d.kind = 0;
  const int level = enemies[static_cast<size_t>(position)].level;
  const bool none = tacticsrules::NoSpecial(*this, position);
  // Each level row: the attack roll's bar and, below it, the Pick roll's.
  struct Row {
    int lastLevel, attackBar, pickBar;
    bool exposed;
  };
  static constexpr Row kRows[] = {
      {14, 7, -1, false}, {29, 15, -1, false}, {44, 20, 2, false}, {59, 30, 4, true}, {74, 35, 6, true},
  };
  for (const Row& row : kRows) {
    if (level > row.lastLevel) continue;
    if (Roll(99) >= row.attackBar || none) {
      if (row.exposed) tacticsrules::AttackMostExposed(*this);
    } else if (row.pickBar >= 0 && Roll(9) >= row.pickBar) {
      PickAttackSpecial(position, false);
    } else {
      tacticsrules::Special(*this, position, 5);
    }
    return;
  }
  if (level <= 89) {
    if (Roll(99) >= 45 || none) {
      tacticsrules::AttackMostExposed(*this);
    } else if (Roll(9) != 8) {
      tacticsrules::Special(*this, position, 100);
    } else {
      PickAttackSpecial(position, false);
    }
    return;
  }
  if (none) {
    tacticsrules::AttackMostExposed(*this);
  } else {
    PickAttackSpecial(position, false);
  }
}

void CSession::TacticAggressive(int position, bool isParty) {
  TacticDecision& d = tacticDecision;
  tacticsrules::ClearChoice(d);
  if (isParty) {
    // The body sets no kind of its own: it attacks what it chose.
    d.target = FindBusiestEnemyNear(tacticsrules::kBusyRange, position, true);
    d.kind = 0;
    if (d.target == nullptr) {
      d.target = FindNearestEnemy(position, true);
      PickAttackSpecial(position, true);
    }
    TryRestoreItem(position, true);
    return;
  }
  if (!tacticsrules::ValidSlot(position)) return;
  d.target = FindBusiestPartyMemberNear(tacticsrules::kBusyRange, position, false);
  if (d.target == nullptr) d.target = FindNearestPartyMember(position, false);
  d.kind = 0;
  const int level = enemies[static_cast<size_t>(position)].level;
  const bool none = tacticsrules::NoSpecial(*this, position);
  if (level >= 60) {
    if (CBattleActor* weakest = FindLowestDefencePartyMember()) d.target = weakest;
  }
  // The attack roll's bar by level, and the Pick roll's below it (-1 none).
  int attackBar = 1, pickBar = -1;
  if (level >= 80) {
    attackBar = 5;
  } else if (level >= 60) {
    attackBar = 4, pickBar = 6;
  } else if (level >= 40) {
    attackBar = 3, pickBar = 3;
  } else if (level >= 20) {
    attackBar = 2;
  }
  if (Roll(10) >= attackBar || none) return;
  if (level >= 80) {
    Roll(9);  // drawn, and always passing
    tacticsrules::Special(*this, position, 5);
  } else if (pickBar >= 0 && Roll(9) >= pickBar) {
    PickAttackSpecial(position, false);
  } else {
    tacticsrules::Special(*this, position, 5);
  }
}

void CSession::TacticGuarded(int position, bool isParty) {
  TacticDecision& d = tacticDecision;
  tacticsrules::ClearChoice(d);
  if (isParty) {
    if (tacticsrules::GaugeFull(*this, position)) {
      d.target = FindNearestEnemy(position, true);
      d.kind = 0;
    } else if (IsUnderAttack(position, true)) {
      d.kind = 1;
    } else {
      d.target = FindBusiestEnemyNear(tacticsrules::kBusyRange, position, true);
      if (d.target == nullptr) d.target = FindNearestEnemy(position, true);
      d.kind = 0;
    }
    return;
  }
  if (!tacticsrules::ValidSlot(position)) return;
  const bool guardKind = enemies[static_cast<size_t>(position)].type == 2;
  if (Roll(10) < 6 && guardKind) {
    d.kind = 1;
  } else {
    d.target = FindNearestPartyMember(position, false);
    d.kind = 0;
    if (CoinOdd()) tacticsrules::Special(*this, position, 2);
  }
  // Under attack it guards, whatever it chose.
  if (guardKind && IsUnderAttack(position, false)) d.kind = 1;
}

namespace {
namespace tacticsrules {

// Body 3's rows by the enemies' average level: the attack roll's bar over 7
// (0: no roll), and the special roll's bar over 9 (kAlways: special without
// a roll, 0: support without a roll).
struct SupportRow {
  int lastAverage, attackBar, specialBar;
};
constexpr int kAlways = 10;
constexpr SupportRow kSupportRows[] = {
    {10, 6, kAlways}, {20, 5, 8}, {30, 4, 7}, {40, 3, 6}, {50, 2, 5}, {60, 1, 4}, {70, 0, 3}, {80, 0, 2}, {90, 0, 1},
};

}  // namespace tacticsrules
}  // namespace

void CSession::TacticSupport(int position, bool isParty) {
  TacticDecision& d = tacticDecision;
  tacticsrules::ClearChoice(d);
  if (isParty) {
    d.target = FindNearestEnemy(position, true);
    d.kind = 0;
    ChooseSupportAction(position, true);
    return;
  }
  if (!tacticsrules::ValidSlot(position)) return;
  d.target = FindNearestPartyMember(position, false);
  d.kind = 0;
  if (Roll(10) <= 2) return;
  const int count = std::min(enemyCount, kMaxEnemies);
  int average = 0;
  if (count > 0) {
    int64_t sum = 0;
    for (int s = 0; s < count; ++s) sum += enemies[static_cast<size_t>(s)].level;
    average = static_cast<int>(sum / count);
  }
  for (const tacticsrules::SupportRow& row : tacticsrules::kSupportRows) {
    if (average > row.lastAverage) continue;
    if (row.attackBar > 0 && Roll(7) < row.attackBar) return;
    if (row.specialBar == tacticsrules::kAlways || Roll(9) < row.specialBar) {
      tacticsrules::Special(*this, position, 5);
    } else {
      ChooseSupportAction(position, false);
    }
    return;
  }
  ChooseSupportAction(position, false);
}

void CSession::TacticRetreat(int position, bool isParty) {
  TacticDecision& d = tacticDecision;
  tacticsrules::ClearChoice(d);
  const CSelvarinActor* self = GetBattleActor(position, isParty);
  if (isParty) {
    CBattleActor* nearest = FindNearestEnemy(position, true);
    if (tacticsrules::GaugeFull(*this, position)) {
      d.target = nearest;
      d.kind = 0;
    } else if (self != nullptr) {
      // Away from the nearest enemy; with none left, where it stands.
      d.kind = 2;
      d.x = self->m_pos.x + (nearest != nullptr ? self->m_pos.x - nearest->m_pos.x : 0.0f);
      d.z = self->m_pos.z + (nearest != nullptr ? self->m_pos.z - nearest->m_pos.z : 0.0f);
    }
    TryRestoreItem(position, true);
    return;
  }
  if (IsAwayFromStation(position)) {
    d.kind = 4;
  } else if (self != nullptr) {
    d.kind = 2;
    d.x = self->m_pos.x;
    d.z = self->m_pos.z;
  }
}

void CSession::TacticPanic(int position, bool isParty) {
  TacticDecision& d = tacticDecision;
  tacticsrules::ClearChoice(d);
  const CSelvarinActor* asker = GetBattleActor(position, isParty);
  if (asker == nullptr) return;
  CBattleActor* nearest = nullptr;
  int best = 100000;
  const auto consider = [&](CBattleActor* actor) {
    if (actor == nullptr || actor == asker) return;
    const int distance = static_cast<int>(asker->Distance3d(actor->m_pos.x, actor->m_pos.y, actor->m_pos.z));
    if (distance < best) {
      best = distance;
      nearest = actor;
    }
  };
  for (const EnemySlot& slot : enemies) consider(tactics::LiveEnemyActor(slot));
  for (int p = 0; p < tactics::BattlePositions(*this); ++p) consider(tactics::LiveMemberActor(GetPartyMember(p)));
  d.target = nearest;
  d.kind = 0;
}

void CSession::TacticStandFast(int position, bool isParty) {
  TacticDecision& d = tacticDecision;
  tacticsrules::ClearChoice(d);
  if (isParty || !tacticsrules::ValidSlot(position)) return;
  PickRandomSpecial(position, 3);
  const CSelvarinActor* self = GetBattleActor(position, false);
  if (self == nullptr) return;
  if (d.index < 0) {
    d.kind = 2;
    d.x = self->m_pos.x;
    d.z = self->m_pos.z;
    return;
  }
  ChooseSpecialTarget(position, false);
}

void CSession::TacticBoss(int position, bool isParty) {
  TacticDecision& d = tacticDecision;
  tacticsrules::ClearChoice(d);
  if (isParty || !tacticsrules::ValidSlot(position)) return;
  PickRandomSpecial(position, 100);
  if (d.index < 0) {
    // Nothing to use: a plain attack on a random member.
    d.kind = 0;
    d.target = tactics::LiveMemberActor(PickRandomPartyMember());
    return;
  }
  ChooseSpecialTarget(position, false);
}
