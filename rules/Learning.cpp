// Teaching characters magic and skills.
#include "platform/DebugLog.h"
#include "session/MagicMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"

// Which characters a magic's learner flags exclude comes with the magic rules.
bool CSession::CanLearnMagic(int id, int magic) const {
  return id >= 0 && id < kPlayerCount && magic >= 0 && magic < kMaxMagicFlags;
}

void CSession::AddMagic(int id, const std::string& name) {
  if (!ValidId(id, "CSession::AddMagic")) return;
  PlayerData& player = players[static_cast<size_t>(id)];
  if (player.ismagicman != 1) {
    DebugLog("매직맨이 아닙니다");
    return;
  }
  const int magic = CMagicMgr::GetInstance().Find(name);
  if (magic < 0) {
    DebugLog("이플레이어가 가질수있는 마법이 아닙니다.");
    return;
  }
  if (CanLearnMagic(id, magic)) player.magicFlags[static_cast<size_t>(magic)] = 1;
}

void CSession::AddSkill(int id, const std::string& name) {
  if (!ValidId(id, "CSession::AddSkill")) return;
  PlayerData& player = players[static_cast<size_t>(id)];
  if (player.ismagicman == 1) return;  // a magic user holds no skills
  const int skill = CSkillMgr::GetInstance().Find(name);
  if (skill < 0 || skill >= kMaxMagicFlags) {
    DebugLog("이플레이어가 가질수있는 스킬이 아닙니다.");
    return;
  }
  player.magicFlags[static_cast<size_t>(skill)] = 1;
}
