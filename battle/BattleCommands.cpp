// The player's battle commands: the answer to a chosen command and the
// lists its target is chosen from.
#include <string>

#include "battle/ActionCode.h"
#include "battle/BattleObject.h"
#include "battle/BattlePlayer.h"
#include "engine/Wave.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "platform/DebugLog.h"
#include "rules/Condition.h"
#include "session/Session.h"
#include "ui/BICaptionDeskTop.h"

namespace {

enum BattlePhase : int32_t {
  kPhaseRunning = 0,
};

constexpr int32_t kFullCombatPoints = 100;

const CSelvarinActor* Placed(const CActor* actor) { return dynamic_cast<const CSelvarinActor*>(actor); }

intptr_t AsValue(CActor* actor) { return reinterpret_cast<intptr_t>(static_cast<CObject*>(actor)); }

}  // namespace

int CSelvarinFrame::BuildTargetList(int kind) {
  m_targetList.fill(nullptr);
  m_targetCount = 0;
  m_targetCursor = 0;
  CSelvarinContext* context = GetContext();
  if (context == nullptr) return kind == 3 ? 0 : 1;
  const auto add = [this](CActor* actor) {
    if (m_targetCount < kTargetSlots) m_targetList[static_cast<size_t>(m_targetCount++)] = actor;
  };
  const auto standing = [](const CActor* actor) {
    const CSelvarinActor* placed = Placed(actor);
    return placed != nullptr && placed->m_actionCode != kActDying && placed->m_actionCode != kActRemoved;
  };
  if (kind == 0) {
    for (CActor* enemy : context->m_battleEnemies) {
      if (standing(enemy)) add(enemy);
    }
    for (CActor* object : context->m_battleParty) {
      const auto* member = dynamic_cast<const CBattlePlayer*>(object);
      if (member == nullptr || object == m_pCurrentBattleActor || !standing(object) || member->m_record == nullptr) continue;
      if ((static_cast<uint32_t>(member->m_record->stateid) & (kPanic | kStone)) != 0) add(object);
    }
    if (m_lastEnemyTarget == nullptr && m_targetCount > 0) m_lastEnemyTarget = m_targetList[0];
    for (int i = 0; i < m_targetCount; ++i) {
      if (m_targetList[static_cast<size_t>(i)] == m_lastEnemyTarget) m_targetCursor = i;
    }
    return 1;
  }
  if (kind == 1) {
    for (CActor* object : context->m_battleParty) {
      if (standing(object)) add(object);
    }
    for (int i = 0; i < m_targetCount; ++i) {
      if (m_targetList[static_cast<size_t>(i)] == m_lastAllyTarget) m_targetCursor = i;
    }
    return 1;
  }
  if (kind == 3) {
    for (CActor* object : context->m_battleRoster) {
      if (Placed(object) != nullptr && Placed(object)->m_actionCode == kActRemoved) add(object);
    }
    return m_targetCount > 0 ? 1 : 0;
  }
  return 1;
}

// For now attack, defend, auto and pass are checked; other commands keep
// the menu open.
void CSelvarinFrame::ValidateBattleCommand(int command, int index) {
  m_command = command;
  CSession& session = CSession::GetInstance();
  auto* member = dynamic_cast<CBattlePlayer*>(m_pCurrentBattleActor);
  if (member == nullptr) {
    DebugLog("CSelvarinFrame : a battle command without a current member");
    return;
  }
  const int position = member->m_battleId[0];
  switch (command) {
    case 0: {
      if (!session.HasWeaponEquipped(position)) {
        m_caption = "장착된 무기가 없습니다";
        m_captionTimer = 120;
        break;
      }
      BuildTargetList(0);
      m_battlePhase = kPhaseRunning;
      m_phaseTick = 0;
      CActor* target = m_targetCount > 0 ? m_targetList[static_cast<size_t>(m_targetCursor)] : nullptr;
      if (target != nullptr && dynamic_cast<CBattlePlayer*>(target) == nullptr) m_lastEnemyTarget = target;
      const int32_t special = member->m_record != nullptr && member->m_record->cp == kFullCombatPoints ? 1 : 0;
      BICaptionDeskTop::GetInstance().Close();
      member->OnMessage(this, kMsgOrder, AsValue(target), 0, special);
      break;
    }
    case 1:
      m_battlePhase = kPhaseRunning;
      m_phaseTick = 0;
      BICaptionDeskTop::GetInstance().Close();
      member->OnMessage(this, kMsgOrder, AsValue(member), 1, 0);
      break;
    case 5:
      if (member->m_record != nullptr) member->m_record->tacticsId = index + 1;
      m_battlePhase = kPhaseRunning;
      m_phaseTick = 0;
      BICaptionDeskTop::GetInstance().Close();
      IssueBattleOrder(position, 1);
      return;
    case 7:
      PlayWave("쓸수없는메뉴선택시나는경고음.wav");
      return;
    default:
      DebugLog("CSelvarinFrame : the battle command " + std::to_string(command) + " is not played yet");
      return;
  }
  PlayWave("전투 메뉴 선택시 나는 소리.wav");
}
