// The special actions the tactics choose: an enemy's entries at random or by
// type, the target a magic or skill is aimed at, the support choice, the
// strongest attack special and the restoring item.
#include <array>
#include <cstdint>

#include "rules/Condition.h"
#include "rules/TacticHelpers.h"
#include "session/ITM.h"
#include "session/ItemMgr.h"

using tactics::AsBattle;
using tactics::CoinOdd;
using tactics::EntryNumber;
using tactics::LiveEnemyActor;
using tactics::LiveMemberActor;
using tactics::SpecialRecord;

namespace {
namespace tacticactions {

constexpr int kMagicKind = 9;
constexpr int kSkillKind = 10;
constexpr int kItemKind = 3;
constexpr int kEntries = 5;
constexpr int kTypeTries = 100;
// A grenade's damage: the second value of its list.
constexpr int kGrenadeDamageAttr = 18;

bool ValidSlot(int slot) { return slot >= 0 && slot < CSession::kMaxEnemies; }

bool EntryIsMagic(const EnemySlot& slot, int entry) { return slot.abilityIsMagic[static_cast<size_t>(entry)] != 0; }

// A candidate of the attack-special choice.
struct Place {
  int32_t index = -1;
  int32_t kind = -1;
  CBattleActor* target = nullptr;
};

void TakePlace(CSession::TacticDecision& d, const Place& place) {
  if (place.index < 0) return;
  d.kind = place.kind;
  d.index = place.index;
  d.target = place.target;
}

// Whether an entry fits PickSpecialOfType's mode.
bool Fits(const tactics::Special& s, int value, int mode) {
  switch (mode) {
    case 0: return s.targetType == value;
    case 1: return s.isMagic ? s.Afflicting() : s.useType == 1;
    case 2: return s.useType == 2;
    default: return false;
  }
}

}  // namespace tacticactions
}  // namespace

void CSession::SetSpecialKind(int slot, int entry) {
  if (!tacticactions::ValidSlot(slot) || entry < 0 || entry >= tacticactions::kEntries) return;
  tacticDecision.kind = tacticactions::EntryIsMagic(enemies[static_cast<size_t>(slot)], entry) ? tacticactions::kMagicKind : tacticactions::kSkillKind;
}

void CSession::PickRandomSpecial(int slot, int tries) {
  if (!tacticactions::ValidSlot(slot)) return;
  const EnemySlot& enemy = enemies[static_cast<size_t>(slot)];
  for (int t = 0; t < tries; ++t) {
    const int entry = platform::Rand() % tacticactions::kEntries;
    const int number = EntryNumber(enemy, entry);
    if (number < 0) continue;
    SetSpecialKind(slot, entry);
    tacticDecision.index = number;
    return;
  }
}

void CSession::PickSpecialOfType(int slot, int value, int mode) {
  if (!tacticactions::ValidSlot(slot)) return;
  const EnemySlot& enemy = enemies[static_cast<size_t>(slot)];
  for (int t = 0; t < tacticactions::kTypeTries; ++t) {
    const int entry = platform::Rand() % tacticactions::kEntries;
    const int number = EntryNumber(enemy, entry);
    if (number < 0 || !tacticactions::Fits(SpecialRecord(tacticactions::EntryIsMagic(enemy, entry), number), value, mode)) continue;
    SetSpecialKind(slot, entry);
    tacticDecision.index = number;
    ChooseSpecialTarget(slot, false);
    return;
  }
}

void CSession::ChooseSpecialTarget(int position, bool isParty) {
  TacticDecision& d = tacticDecision;
  if (d.kind != tacticactions::kMagicKind && d.kind != tacticactions::kSkillKind) return;
  const tactics::Special s = SpecialRecord(d.kind == tacticactions::kMagicKind, d.index);
  if (!s.found) return;
  if (s.SelfSide()) {
    CBattleActor* hurt = FindHurtMember(isParty);
    d.target = hurt != nullptr ? hurt : AsBattle(GetBattleActor(position, isParty));
  } else if (s.targetType == 0) {
    d.target = isParty ? LiveMemberActor(PickRandomPartyMember()) : PickAnyEnemy();
  } else if (s.targetType == 2) {
    d.target = isParty ? PickAnyEnemy() : LiveMemberActor(PickRandomPartyMember());
  } else {
    d.target = isParty ? FindNearestEnemy(position, true) : FindNearestPartyMember(position, false);
  }
}

void CSession::ChooseSupportAction(int position, bool isParty) {
  TacticDecision& d = tacticDecision;
  if (!isParty) {
    if (!tacticactions::ValidSlot(position)) return;
    const EnemySlot& enemy = enemies[static_cast<size_t>(position)];
    int healEntry = -1;
    bool type3 = false, type5 = false, afflicting = false;
    for (int e = 0; e < tacticactions::kEntries; ++e) {
      const int number = EntryNumber(enemy, e);
      if (number < 0) break;
      const tactics::Special s = SpecialRecord(tacticactions::EntryIsMagic(enemy, e), number);
      if (s.SelfSide()) healEntry = e;
      type3 = type3 || s.targetType == 3;
      type5 = type5 || s.targetType == 5;
      afflicting = afflicting || s.Afflicting();
    }
    const auto heal = [&](CBattleActor* target) {
      SetSpecialKind(position, healEntry);
      d.index = EntryNumber(enemy, healEntry);
      d.target = target;
    };
    CBattleActor* found = nullptr;
    if ((found = FindUndeadPartyMember()) != nullptr && healEntry >= 0) {
      heal(found);
    } else if ((found = FindHurtMember(false)) != nullptr && healEntry >= 0) {
      heal(found);
    } else if (CoinOdd() && type3) {
      PickSpecialOfType(position, 3, 0);
    } else if (CoinOdd() && type5) {
      PickSpecialOfType(position, 5, 0);
    } else if ((found = FindHealthyPartyMember()) != nullptr && afflicting) {
      PickSpecialOfType(position, 0, 1);
      d.target = found;
    } else {
      PickSpecialOfType(position, 0, 2);
    }
    return;
  }
  const PlayerData* member = GetPartyMember(position);
  if (member == nullptr) return;
  const bool magicUser = member->ismagicman != 0;
  int heal = -1, afflict = -1, type3 = -1, type5 = -1;
  for (int n = 0; n < tactics::LearnedRange(magicUser); ++n) {
    if (member->magicFlags[static_cast<size_t>(n)] == 0) continue;
    const tactics::Special s = SpecialRecord(magicUser, n);
    if (magicUser) {
      // The first class the magic meets, when the member can pay for it.
      int* cls = s.SelfSide() ? &heal : s.Afflicting() ? &afflict : s.targetType == 3 ? &type3
                                                                  : s.targetType == 5 ? &type5
                                                                                      : nullptr;
      int reason = 0;
      if (cls != nullptr && CanCastMagic(position, n, &reason)) *cls = n;
      continue;
    }
    if (!CanPaySkillCost(position, n)) continue;
    if (s.useType == 2) heal = n;
    if (s.Afflicting()) afflict = n;
  }
  const int kind = magicUser ? tacticactions::kMagicKind : tacticactions::kSkillKind;
  const auto cast = [&](int number, CBattleActor* target) {
    d.kind = kind;
    d.index = number;
    if (target != nullptr) d.target = target;
  };
  CBattleActor* found = nullptr;
  if ((found = FindHurtMember(true)) != nullptr && heal >= 0) {
    cast(heal, found);
  } else if ((found = FindHealthyEnemy()) != nullptr && afflict >= 0) {
    cast(afflict, found);
  } else if (CoinOdd() && type3 >= 0) {
    cast(type3, nullptr);
  } else if (CoinOdd() && type5 >= 0) {
    cast(type5, nullptr);
  } else {
    PickAttackSpecial(position, true);
  }
}

void CSession::PickAttackSpecial(int position, bool isParty) {
  std::array<tacticactions::Place, 5> places;
  if (isParty) {
    const PlayerData* member = GetPartyMember(position);
    if (member == nullptr) return;
    const bool magicUser = member->ismagicman != 0;
    const int kind = magicUser ? tacticactions::kMagicKind : tacticactions::kSkillKind;
    for (size_t pass = 0; pass < 3; ++pass) {
      int best = 0;
      bool kill = false;
      for (int n = 0; n < tactics::LearnedRange(magicUser); ++n) {
        if (n == places[0].index || n == places[1].index || member->magicFlags[static_cast<size_t>(n)] == 0) continue;
        const tactics::Special s = SpecialRecord(magicUser, n);
        int reason = 0;
        if (s.useType != 0) continue;
        if (magicUser ? !CanCastMagic(position, n, &reason) : !CanPaySkillCost(position, n)) continue;
        if (s.targetType == 4) continue;
        for (int slot = 0; slot < kMaxEnemies; ++slot) {
          CBattleActor* enemy = LiveEnemyActor(enemies[static_cast<size_t>(slot)]);
          if (enemy == nullptr) continue;
          const int estimate = magicUser ? ComputeMagicDamage(position, true, slot, false, n)
                                         : ComputeSkillDamage(position, true, slot, false, n);
          if (estimate > enemies[static_cast<size_t>(slot)].hp) {
            places[pass] = {n, kind, enemy};
            kill = true;
            break;
          }
          if (estimate > best) {
            places[pass] = {n, kind, enemy};
            best = estimate;
          }
        }
      }
      if (kill) break;
    }
    const CItemMgr& items = CItemMgr::GetInstance();
    for (size_t pass = 3; pass < 5; ++pass) {
      int best = 0;
      bool done = false;
      for (int item = 0; item < std::min(items.GetCount(), kItemSlots) && !done; ++item) {
        if (pass == 4 && item == places[3].index) continue;
        const ITM* record = items.GetItem(item);
        if (record == nullptr || record->kind != kItemGrenade || GetItemCount(item) <= 0) continue;
        const int power = record->GetAttr(tacticactions::kGrenadeDamageAttr);
        for (int slot = 0; slot < kMaxEnemies; ++slot) {
          CBattleActor* enemy = LiveEnemyActor(enemies[static_cast<size_t>(slot)]);
          if (enemy == nullptr) continue;
          if (power > enemies[static_cast<size_t>(slot)].hp) {
            places[pass] = {item, tacticactions::kItemKind, enemy};
            done = true;
            break;
          }
          if (power > best) {
            places[pass] = {item, tacticactions::kItemKind, enemy};
            best = power;
          }
        }
      }
    }
    tacticactions::TakePlace(tacticDecision, places[static_cast<size_t>(platform::Rand() % 5)]);
    return;
  }
  if (!tacticactions::ValidSlot(position)) return;
  const EnemySlot& enemy = enemies[static_cast<size_t>(position)];
  // The kill mark stays set across the passes: once set, each pass ends
  // after its first entry.
  bool kill = false;
  int lastLooked = -1;
  for (size_t pass = 0; pass < 3; ++pass) {
    int best = 0;
    for (int e = 0; e < tacticactions::kEntries; ++e) {
      const int number = EntryNumber(enemy, e);
      if (number < 0) break;
      lastLooked = e;
      const bool skipped = number == places[0].index || number == places[1].index;
      const bool isMagic = tacticactions::EntryIsMagic(enemy, e);
      const tactics::Special s = SpecialRecord(isMagic, number);
      const bool tried = isMagic ? s.useType == 0 && s.targetType != 4 : s.useType == 0 || s.useType == 1;
      for (int p = 0; p < tactics::BattlePositions(*this) && !skipped && tried; ++p) {
        const PlayerData* member = GetPartyMember(p);
        CBattleActor* actor = LiveMemberActor(member);
        if (actor == nullptr) continue;
        const int estimate = isMagic ? ComputeMagicDamage(position, false, p, true, number)
                                     : ComputeSkillDamage(position, false, p, true, number);
        const int kind = isMagic ? tacticactions::kMagicKind : tacticactions::kSkillKind;
        if (estimate >= member->hp) {
          places[pass] = {number, kind, actor};
          kill = true;
        } else if (estimate >= best) {
          places[pass] = {number, kind, actor};
          best = estimate;
        }
      }
      if (kill) break;
    }
  }
  const int n = lastLooked + 1;
  const int r = n > 0 ? platform::Rand() % n : 0;
  tacticactions::TakePlace(tacticDecision, places[static_cast<size_t>(r)]);
}

void CSession::TryRestoreItem(int position, bool isParty) {
  if (!isParty) return;
  const PlayerData* member = GetPartyMember(position);
  CBattleActor* self = LiveMemberActor(member);
  if (self == nullptr || !(static_cast<double>(member->hp) < 0.6 * member->maxhp)) return;
  const CItemMgr& items = CItemMgr::GetInstance();
  for (int item = 0; item < std::min(items.GetCount(), kItemSlots); ++item) {
    const ITM* record = items.GetItem(item);
    if (record == nullptr || record->kind != kItemFood || GetItemCount(item) <= 0) continue;
    tacticDecision.kind = tacticactions::kItemKind;
    tacticDecision.index = item;
    tacticDecision.target = self;
  }
}
