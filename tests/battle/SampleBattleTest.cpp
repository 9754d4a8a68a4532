// The sample village's wolf battle, two skeletons, fought in process with
// both members on tactics: the skeletons fall, the battle closes by itself
// and pays.
#include <gtest/gtest.h>

#include "engine/Controller.h"
#include "engine/FileStream.h"
#include "engine/Mouse.h"
#include "field/FieldEnemy.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/MonsterMgr.h"
#include "session/SkillMgr.h"
#include "session/Session.h"
#include "tests/support/SampleMapFrame.h"
#include "tests/support/TestSupport.h"

namespace {

class SampleBattleTest : public ::testing::Test {
 protected:
  SampleBattleTest() {
    EXPECT_TRUE(m_map.Registered());
    CResMgr::GetInstance().LoadGlobalIni("global.ini");
    CMagicMgr::GetInstance().Load("diary/magic.txt");
    CSkillMgr::GetInstance().Load("diary/skill.txt");
    CMonsterMgr::GetInstance().Load("diary/monster.txt");
    CItemMgr::GetInstance().Load("diary/item.txt");
    session.Init();
  }
  ~SampleBattleTest() override {
    CItemMgr::GetInstance().Free();
    CMonsterMgr::GetInstance().Free();
    CSkillMgr::GetInstance().Free();
    CMagicMgr::GetInstance().Free();
    session.Init();
  }

  // Starts the wolf's battle and passes until the battle mode is left.
  int FightWolfBattle(int limit) {
    auto* wolf = dynamic_cast<CFieldEnemy*>(m_map.Context().FindActorByName("wolf"));
    EXPECT_NE(wolf, nullptr);
    if (wolf == nullptr) return -1;
    m_frame.OnMessage(wolf, 0, 0, wolf->m_battleLine, wolf->m_eventLine);
    EXPECT_EQ(m_frame.m_battleSet.itemCount, 2);
    int passes = 0;
    m_frame.RunGamePass();
    while (m_frame.m_mode == kModeBattle && passes < limit) {
      // The dialogue's key is pressed whenever it waits.
      CMouse::GetInstance().m_mouseButtons[0] = m_frame.m_messageState == 5 ? kStatePressed : kStateUp;
      m_frame.RunBattle();
      m_frame.m_battleControl = 0;  // the key was for the dialogue, not a manual command
      ++m_frame.m_modeTick;
      ++passes;
    }
    return passes;
  }

  CSession& session = CSession::GetInstance();
  testsupport::SampleMapFrame<CSelvarinFrame> m_map{"newgame"};
  CSelvarinFrame& m_frame = m_map.frame;
};

TEST_F(SampleBattleTest, MembersOnTacticsWinTheWolfBattleAndItPays) {
  for (int n = 0; n < session.partyCount; ++n) session.GetPartyMember(n)->tacticsId = 1;
  const int32_t gold = session.gold;
  const int passes = FightWolfBattle(6000);
  ASSERT_EQ(m_frame.m_mode, kModeBattleResult) << passes;
  EXPECT_EQ(session.gold, gold + m_frame.m_battleResult.money);
  EXPECT_GT(m_frame.m_battleResult.money, 0);
  EXPECT_GT(m_frame.m_battleResult.totalExp, 0);
  EXPECT_LE(m_frame.m_battleResult.itemCount, 2);
  for (int i = 0; i < m_frame.m_battleResult.itemCount; ++i) EXPECT_GE(m_frame.m_battleResult.items[static_cast<size_t>(i)], 7);
  // Won, not escaped: the result is shown.
  EXPECT_EQ(m_frame.m_battleResult.skipResult, 0);
  EXPECT_GE(m_frame.m_battleResult.memberCount, 1);
  // The result mode goes back to the field on the next pass.
  m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_mode, kModeField);
  EXPECT_TRUE(m_map.Context().m_battleObjects.empty());
}

}  // namespace
