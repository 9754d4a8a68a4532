#pragma once
// The sample village (or another sample map) with the game's tables loaded,
// for battles fought in process: the wolf's battle (its set holds two
// skeletons) entered by the message the wolf's touch sends, the game's
// `rand` from its seed.
#include <gtest/gtest.h>

#include "battle/ActionCode.h"
#include "battle/BattleObject.h"
#include "engine/Controller.h"
#include "engine/FileStream.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "field/3dFieldModel.h"
#include "field/FieldEnemy.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "platform/Random.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/MonsterMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/support/SampleMapFrame.h"

namespace testsupport {

class SampleBattleFixture : public ::testing::Test {
 protected:
  explicit SampleBattleFixture(const char* map = "newgame") : m_map{map} {
    EXPECT_TRUE(m_map.Registered());
    CResMgr::GetInstance().LoadGlobalIni("global.ini");
    CMagicMgr::GetInstance().Load("diary/magic.txt");
    CSkillMgr::GetInstance().Load("diary/skill.txt");
    CMonsterMgr::GetInstance().Load("diary/monster.txt");
    CItemMgr::GetInstance().Load("diary/item.txt");
    session.Init();
  }
  ~SampleBattleFixture() override {
    CItemMgr::GetInstance().Free();
    CMonsterMgr::GetInstance().Free();
    CSkillMgr::GetInstance().Free();
    CMagicMgr::GetInstance().Free();
    session.Init();
  }

  // The wolf's battle started and the pass that enters it run.
  bool EnterWolfBattle() { return EnterFieldBattle("wolf"); }
  // The battle of the map's field enemy `name` (a figure or a model), as
  // its touch starts it.
  bool EnterFieldBattle(const char* name) {
    CActor* actor = m_map.Context().FindActorByName(name);
    int32_t battleLine = -1, eventLine = -1;
    if (auto* enemy = dynamic_cast<CFieldEnemy*>(actor)) {
      battleLine = enemy->m_battleLine;
      eventLine = enemy->m_eventLine;
    } else if (auto* model = dynamic_cast<C3dFieldEnemy*>(actor)) {
      battleLine = model->m_battleLine;
      eventLine = model->m_eventLine;
    } else {
      ADD_FAILURE() << "no field enemy " << name;
      return false;
    }
    m_frame.OnMessage(actor, 0, 0, battleLine, eventLine);
    m_frame.RunGamePass();
    return m_frame.m_mode == kModeBattle;
  }

  // One battle pass; the dialogue's key is pressed whenever it waits.
  void RunBattlePass() {
    CMouse::GetInstance().m_mouseButtons[0] = m_frame.m_messageState == 5 ? kStatePressed : kStateUp;
    m_frame.RunBattle();
    m_frame.m_battleControl = 0;  // the key was for the dialogue, not a manual command
    ++m_frame.m_modeTick;
  }

  // Every fighter on the field idle.
  bool AllIdle() {
    for (const CActor* actor : m_map.Context().m_battleObjects) {
      const auto* fighter = dynamic_cast<const CBattleActor*>(actor);
      if (fighter != nullptr && fighter->m_actionCode != kActIdle) return false;
    }
    return true;
  }
  // One tick of the battle's objects and effects; the members never ask
  // for a turn.
  void Tick() {
    for (int p = 0; p < session.battlePartyCount; ++p) Member(p).m_timeGauge = 0.0f;
    m_map.Context().UpdateBattleObjects();
    m_map.Context().UpdateEffects();
  }
  CBattleActor& Member(int position) { return *static_cast<CBattleActor*>(session.GetPartyMember(position)->battlePtr); }

  // Seeded before the village is made, as the game does at its start,
  // whatever ran before in this process.
  bool m_seeded = (platform::Srand(1), true);
  CSession& session = CSession::GetInstance();
  SampleMapFrame<CSelvarinFrame> m_map;
  CSelvarinFrame& m_frame = m_map.frame;
};

}  // namespace testsupport
