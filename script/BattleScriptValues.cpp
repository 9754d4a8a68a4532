#include "script/BattleScriptValues.h"

#include <algorithm>

#include "battle/ActionCode.h"
#include "field/SelvarinActor.h"
#include "platform/DebugLog.h"
#include "session/ItemMgr.h"
#include "session/Session.h"

namespace {
namespace battlescriptvalues {

int32_t g_battleExprTokenValue = 0;

// The sub-words of "@" words, tested in this order by "contains"; the name
// starts a fixed number of bytes in, whatever comes before the sub-word.
enum AtWord { kItemNumber, kAllDead, kActorMaxHp, kActorHp, kActorBp, kEnemyNumber, kStatic, kPartyName };

struct AtRow {
  const char* sub;
  AtWord kind;
  size_t nameAt;
};

const AtRow kAtWords[] = {
    {"itemnumber", kItemNumber, 11}, {"alldead", kAllDead, 0},         {"actormaxhp", kActorMaxHp, 11},
    {"actorhp", kActorHp, 8},        {"actorbp", kActorBp, 8},         {"enemynumber", kEnemyNumber, 0},
    {"static", kStatic, 7},
};

struct AtMatch {
  AtWord kind = kPartyName;
  std::string name;
};

AtMatch MatchAt(const std::string& word) {
  for (const AtRow& row : kAtWords) {
    if (word.find(row.sub) == std::string::npos) continue;
    return AtMatch{row.kind, row.nameAt < word.size() ? word.substr(row.nameAt) : std::string()};
  }
  return AtMatch{kPartyName, word.substr(1)};
}

CSession& Session() { return CSession::GetInstance(); }

int ItemIndex(const std::string& name) { return CItemMgr::GetInstance().Find(name); }

PlayerData* Character(const std::string& engname) {
  const int id = Session().FindPlayer(engname);
  return id >= 0 && id < CSession::kPlayerCount ? &Session().players[static_cast<size_t>(id)] : nullptr;
}

EnemySlot* EnemyNamed(const std::string& name) {
  for (EnemySlot& slot : Session().enemies) {
    if (slot.actor != nullptr && slot.name == name) return &slot;
  }
  return nullptr;
}

// The party member's or enemy's points of the kind; the character decides
// when both go by the name.
int32_t* Points(AtWord kind, const std::string& name) {
  if (PlayerData* player = Character(name)) {
    return kind == kActorMaxHp ? &player->maxhp : kind == kActorHp ? &player->hp : &player->shp;
  }
  if (EnemySlot* enemy = EnemyNamed(name)) {
    return kind == kActorMaxHp ? &enemy->maxhp : kind == kActorHp ? &enemy->hp : &enemy->shp;
  }
  DebugLog(name + " 이없음");
  return nullptr;
}

bool AllEnemiesGone() {
  for (const EnemySlot& slot : Session().enemies) {
    if (slot.actor == nullptr) continue;
    const int32_t action = slot.actor->m_actionCode;
    if (action != kActDying && action != kActDefeated) return false;
  }
  return true;
}

bool IsPartyMemberNamed(const std::string& engname) {
  const CSession& session = Session();
  for (int n = 0; n < std::min<int>(session.partyCount, CSession::kMaxParty); ++n) {
    const PlayerData* member = session.GetPartyMember(n);
    if (member != nullptr && member->engname == engname) return true;
  }
  return false;
}

// Reading creates what it reads, unlike the field's copy.
int32_t ReadCreating(NameValueMap& map, const std::string& name) {
  if (!map.Contains(name)) map.Set(name, 0);
  return map.Get(name);
}

int32_t GetAt(const std::string& word) {
  const AtMatch at = MatchAt(word);
  switch (at.kind) {
    case kItemNumber: {
      const int item = ItemIndex(at.name);
      return item < 0 ? 0 : Session().GetItemCount(item);
    }
    case kAllDead:
      return AllEnemiesGone() ? 1 : 0;
    case kActorMaxHp:
    case kActorHp:
    case kActorBp: {
      const int32_t* points = Points(at.kind, at.name);
      return points != nullptr ? *points : -1;
    }
    case kEnemyNumber:
      return Session().enemyCount;
    case kStatic:
      return ReadCreating(Session().scriptVariables, at.name);
    default:
      return IsPartyMemberNamed(at.name) ? 1 : 0;
  }
}

void SetAt(const std::string& word, int32_t value) {
  const AtMatch at = MatchAt(word);
  switch (at.kind) {
    case kItemNumber: {
      const int item = ItemIndex(at.name);
      if (item >= 0) Session().SetItemCount(item, value);
      break;
    }
    case kAllDead:
    case kEnemyNumber:
      DebugLog("cannot set value enemynumber");
      break;
    case kActorMaxHp:
    case kActorHp:
    case kActorBp:
      if (int32_t* points = Points(at.kind, at.name)) *points = value;
      break;
    case kStatic:
      Session().scriptVariables.Set(at.name, value);
      break;
    default:
      DebugLog("cannot set value partyname");
      break;
  }
}

}  // namespace battlescriptvalues
}  // namespace

const ExprDialect kBattleExpr{false, GetBattleScriptValue, &battlescriptvalues::g_battleExprTokenValue};

int32_t GetBattleScriptValue(const std::string& word) {
  CSession& session = battlescriptvalues::Session();
  if (word == "#gold") return session.gold;
  if (word.empty()) return battlescriptvalues::ReadCreating(session.battleVariables, word);
  const std::string rest = word.substr(1);
  switch (word[0]) {
    case '#': {
      const int item = battlescriptvalues::ItemIndex(rest);
      return item < 0 ? 0 : session.GetItemCount(item);
    }
    case '%': {
      const PlayerData* player = battlescriptvalues::Character(rest);
      return player != nullptr ? player->lvl : 0;
    }
    case '@':
      return battlescriptvalues::GetAt(word);
    default:
      return battlescriptvalues::ReadCreating(session.battleVariables, word);
  }
}

void SetBattleScriptValue(const std::string& word, int32_t value) {
  CSession& session = battlescriptvalues::Session();
  if (word == "#gold") {
    session.gold = value;
    return;
  }
  const std::string rest = word.empty() ? std::string() : word.substr(1);
  switch (word.empty() ? '\0' : word[0]) {
    case '#': {
      const int item = battlescriptvalues::ItemIndex(rest);
      if (item >= 0) session.SetItemCount(item, value);
      break;
    }
    case '%':
      if (PlayerData* player = battlescriptvalues::Character(rest)) player->lvl = value;
      break;
    case '@':
      battlescriptvalues::SetAt(word, value);
      break;
    default:
      session.battleVariables.Set(word, value);
      break;
  }
}

void IncBattleScriptValue(const std::string& word) { AddBattleScriptValue(1, word); }

void DecBattleScriptValue(const std::string& word) { SubBattleScriptValue(1, word); }

void AddBattleScriptValue(int32_t value, const std::string& word) {
  SetBattleScriptValue(word, WrappedSum(GetBattleScriptValue(word), value));
}

void SubBattleScriptValue(int32_t value, const std::string& word) {
  SetBattleScriptValue(word, WrappedDifference(GetBattleScriptValue(word), value));
}

int32_t EvalBattleCondition(const std::string& line) { return EvalCondition(line.c_str(), kBattleExpr); }
