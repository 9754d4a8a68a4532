// Teaching characters magic and skills.
#include "platform/DebugLog.h"
#include "session/MagicMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"

// A magic's learner flags are its four costs, in the record's order: a cost
// of an MP kind the character lacks leaves it to a partner. "sizz" cannot
// learn a magic only the first flag allows, "ai" one only the third allows.
bool CSession::CanLearnMagic(int id, int magic) const {
  if (id < 0 || id >= kPlayerCount || magic < 0 || magic >= kMaxMagicFlags) return false;
  const MagicTypeInfo* info = CMagicMgr::GetInstance().GetMagicTypeInfo(magic);
  if (info == nullptr) return false;
  const auto onlyFlag = [&](int k) {
    for (int i = 0; i < 4; ++i) {
      if ((info->cost[i] != 0) != (i == k)) return false;
    }
    return true;
  };
  const std::string& engname = players[static_cast<size_t>(id)].engname;
  if ((engname == "sizz" || engname == "sizz2") && onlyFlag(0)) return false;
  return !(engname == "ai" && onlyFlag(2));
}

namespace {

// The magic user of that id, or null, said why.
PlayerData* MagicUser(CSession& session, int id) {
  if (id < 0 || id >= CSession::kPlayerCount) {
    DebugLogf("Learning: no player %d", id);
    return nullptr;
  }
  PlayerData& player = session.players[static_cast<size_t>(id)];
  if (player.ismagicman == 1) return &player;
  DebugLog("매직맨이 아닙니다");
  return nullptr;
}

}  // namespace

void CSession::AddMagic(int id, const std::string& name) {
  PlayerData* player = MagicUser(*this, id);
  if (player == nullptr) return;
  const int magic = CMagicMgr::GetInstance().Find(name);
  if (magic < 0) {
    DebugLog("이플레이어가 가질수있는 마법이 아닙니다.");
    return;
  }
  if (CanLearnMagic(id, magic)) player->magicFlags[static_cast<size_t>(magic)] = 1;
}

void CSession::RemoveMagic(int id, const std::string& name) {
  PlayerData* player = MagicUser(*this, id);
  const int magic = player != nullptr ? CMagicMgr::GetInstance().Find(name) : -1;
  if (magic >= 0 && magic < kMaxMagicFlags) player->magicFlags[static_cast<size_t>(magic)] = 0;
}

int CSession::GetPlayerValue(int id, bool isParty, int number) const {
  if (!isParty || id < 0 || id >= kPlayerCount || number < 0 || number >= kMaxMagicFlags) return 0;
  return players[static_cast<size_t>(id)].magicFlags[static_cast<size_t>(number)];
}

void CSession::AddSkill(int id, const std::string& name) {
  if (!ValidId(id, "CSession::AddSkill")) return;
  PlayerData& player = players[static_cast<size_t>(id)];
  if (player.ismagicman != 0) return;  // a magic user holds no skills
  const int skill = CSkillMgr::GetInstance().Find(name);
  if (skill < 0 || skill >= kMaxMagicFlags) {
    DebugLog("이플레이어가 가질수있는 스킬이 아닙니다.");
    return;
  }
  player.magicFlags[static_cast<size_t>(skill)] = 1;
}

void CSession::RemoveSkill(int id, const std::string& name) {
  if (!ValidId(id, "CSession::RemoveSkill")) return;
  PlayerData& player = players[static_cast<size_t>(id)];
  if (player.ismagicman != 0) {
    DebugLog("스킬맨이 아닙니다");
    return;
  }
  const int skill = CSkillMgr::GetInstance().Find(name);
  if (skill >= 0 && skill < kMaxMagicFlags) player.magicFlags[static_cast<size_t>(skill)] = 0;
}
