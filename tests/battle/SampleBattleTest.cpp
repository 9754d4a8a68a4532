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
#include "tests/support/SampleBattleFixture.h"
#include "tests/support/TestSupport.h"

namespace {

class SampleBattleTest : public testsupport::SampleBattleFixture {
 protected:
  // Starts the wolf's battle and passes until the battle mode is left.
  int FightWolfBattle(int limit) {
    if (!EnterWolfBattle()) return -1;
    EXPECT_EQ(m_frame.m_battleSet.itemCount, 2);
    int passes = 0;
    for (; m_frame.m_mode == kModeBattle && passes < limit; ++passes) RunBattlePass();
    return passes;
  }
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
  // A click every pass stops the wheel and moves the result screen on to
  // its end; the pass after it asked for the field enters it.
  for (int pass = 0; pass < 400 && m_frame.m_mode == kModeBattleResult; ++pass) {
    CMouse::GetInstance().m_mouseButtons[0] = pass % 2 == 0 ? kStatePressed : kStateUp;
    m_frame.RunGamePass();
  }
  CMouse::GetInstance().m_mouseButtons[0] = kStateUp;
  EXPECT_EQ(m_frame.m_mode, kModeField);
  EXPECT_TRUE(m_map.Context().m_battleObjects.empty());
}

}  // namespace
