#include "script/ScriptVariables.h"

#include <algorithm>

#include "session/ItemMgr.h"
#include "session/Session.h"

namespace {
namespace scriptvariables {

ScriptVariables& Variables() { return CSession::GetInstance().scriptVariables; }

int32_t ItemsOwned(const std::string& itemName) {
  const int item = CItemMgr::GetInstance().Find(itemName);
  return item < 0 ? 0 : CSession::GetInstance().CountItemOwned(item);
}

bool IsPartyMemberNamed(const std::string& engname) {
  const CSession& session = CSession::GetInstance();
  for (int p = 0; p < std::min<int>(session.partyCount, CSession::kMaxParty); ++p) {
    const PlayerData* member = session.GetPartyMember(p);
    if (member != nullptr && member->engname == engname) return true;
  }
  return false;
}

int32_t LevelOf(const std::string& engname) {
  const CSession& session = CSession::GetInstance();
  const int id = session.GetPlayerId(engname);
  return id < 0 || id >= CSession::kPlayerCount ? 0 : session.players[static_cast<size_t>(id)].lvl;
}

}  // namespace scriptvariables
}  // namespace

int32_t WrappedSum(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

int32_t WrappedDifference(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

void SetScriptVariable(int32_t value, const std::string& name) { scriptvariables::Variables().Set(name, value); }

int32_t GetFieldScriptValue(const std::string& name) {
  if (name == "#gold") return CSession::GetInstance().gold;
  const std::string rest = name.empty() ? std::string() : name.substr(1);
  if (!name.empty() && name[0] == '#') return scriptvariables::ItemsOwned(rest);
  if (!name.empty() && name[0] == '@') {
    if (name.find("partynumber") != std::string::npos) return CSession::GetInstance().partyCount;
    return scriptvariables::IsPartyMemberNamed(rest) ? 1 : 0;
  }
  if (!name.empty() && name[0] == '%') return scriptvariables::LevelOf(rest);
  return scriptvariables::Variables().Get(name);
}

void IncScriptVariable(const std::string& name) { AddScriptVariable(1, name); }

void DecScriptVariable(const std::string& name) { SubScriptVariable(1, name); }

void AddScriptVariable(int32_t amount, const std::string& name) {
  SetScriptVariable(WrappedSum(GetFieldScriptValue(name), amount), name);
}

void SubScriptVariable(int32_t amount, const std::string& name) {
  SetScriptVariable(WrappedDifference(GetFieldScriptValue(name), amount), name);
}
