#pragma once
// What the tactic sources share: who is still in the fight, the party's
// battle positions, and the few fields of a magic or skill record that the
// tactics read.
#include <algorithm>

#include "battle/ActionCode.h"
#include "battle/BattleObject.h"
#include "platform/Random.h"
#include "session/MagicMgr.h"
#include "session/PlayerData.h"
#include "session/Session.h"
#include "session/SkillMgr.h"

namespace tactics {

inline CBattleActor* AsBattle(CSelvarinActor* actor) { return dynamic_cast<CBattleActor*>(actor); }

// A party member's actor, there and not removed.
inline CBattleActor* LiveMemberActor(const PlayerData* member) {
  CBattleActor* actor = member != nullptr ? AsBattle(member->battlePtr) : nullptr;
  return actor != nullptr && actor->m_actionCode != kActRemoved ? actor : nullptr;
}

// An enemy's actor, there and neither dying, removed nor defeated.
inline CBattleActor* LiveEnemyActor(const EnemySlot& slot) {
  CBattleActor* actor = AsBattle(slot.actor);
  return actor != nullptr && !IsSkippedByTargetPicker(actor->m_actionCode) ? actor : nullptr;
}

// The party positions that take part in the battle.
inline int BattlePositions(const CSession& session) {
  return std::max(0, std::min({session.battlePartyCount, session.partyCount, CSession::kMaxParty}));
}

// A fresh roll, 0 to m - 1.
inline int Roll(int m) { return platform::Rand() % m; }
inline bool CoinOdd() { return platform::Rand() % 2 == 1; }

// The fields of a magic or skill record that the tactics read.
struct Special {
  bool found = false;
  bool isMagic = false;
  int useType = 0;     // a magic's target mode, a skill's kind
  int targetType = 0;
  int stateMask = 0;   // the conditions it inflicts
  // Aimed at the caster's own side: a magic of target mode 1, a skill of
  // kind 2.
  bool SelfSide() const { return useType == (isMagic ? 1 : 2); }
  bool Afflicting() const { return stateMask != 0; }
};

inline Special SpecialRecord(bool isMagic, int number) {
  Special s;
  s.isMagic = isMagic;
  if (isMagic) {
    const CMagicMgr& table = CMagicMgr::GetInstance();
    if (number < 0 || number >= table.GetCount()) return s;
    const MagicTypeInfo* r = table.GetMagicTypeInfo(number);
    s.found = true;
    s.useType = r->useType;
    s.targetType = r->targetType;
    s.stateMask = r->stateMask;
    return s;
  }
  const CSkillMgr& table = CSkillMgr::GetInstance();
  if (number < 0 || number >= table.GetCount()) return s;
  const SkillTypeInfo* r = table.GetSkillTypeInfo(number);
  s.found = true;
  s.useType = r->useType;
  s.targetType = r->targetType;
  s.stateMask = r->stateMask;
  return s;
}

// The number of an enemy's special entry, -1 when the entry is empty or
// names no record.
inline int EntryNumber(const EnemySlot& slot, int entry) {
  if (entry < 0 || entry >= static_cast<int>(slot.ability.size())) return -1;
  const int number = slot.ability[static_cast<size_t>(entry)];
  return SpecialRecord(slot.abilityIsMagic[static_cast<size_t>(entry)] != 0, number).found ? number : -1;
}

// How many numbers a member's learned flags cover in the table it reads.
inline int LearnedRange(bool magicUser) {
  const int count = magicUser ? CMagicMgr::GetInstance().GetCount() : CSkillMgr::GetInstance().GetCount();
  return std::min(count, kMaxMagicFlags);
}

}  // namespace tactics
