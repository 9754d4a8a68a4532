// Enemies and members that a battle script brings into a running battle:
// made by the context, stood at the battle centre, holding still while the
// script runs, the enemy facing a member and the member in the view.
#include <gtest/gtest.h>

#include "field/SelvarinView.h"
#include "tests/field/BattleFixture.h"

namespace {

class BattleScriptIntruderTest : public battletest::BattleFixture {
 protected:
  BattleScriptIntruderTest()
      : BattleFixture("intrudeenemy 늑대 testwolf\nintrudeplayer maria\nintrudeplayer maria\nmsg 조심\nreturn\n") {}
};

TEST_F(BattleScriptIntruderTest, IntrudersStandAtTheCentreAndWaitForTheScript) {
  CSession& session = CSession::GetInstance();
  m_frame.m_battleCenterX = kCx;
  m_frame.m_battleCenterZ = kCz;
  CBattlePlayer* sizz = Context().MakePartyBattleActor("sizz");
  ASSERT_NE(sizz, nullptr);
  sizz->m_pos = Vec3{kCx, 0.0f, kCz + 40.0f};

  m_frame.m_battleScriptRunning = 1;
  m_frame.RunBattleEventScript(0);
  ASSERT_EQ(Context().m_battleEnemies.size(), 1u);
  auto* wolf = dynamic_cast<CBattleEnemy*>(Context().m_battleEnemies.front());
  ASSERT_NE(wolf, nullptr);
  EXPECT_EQ(session.enemies[0].label, "늑대");
  EXPECT_EQ(wolf->m_pos.x, kCx);
  EXPECT_EQ(wolf->m_pos.z, kCz);
  EXPECT_NEAR(wolf->m_angle, 180.0f, 1e-3f);  // toward sizz

  // Maria joins the party once and has one battle actor, in the view.
  EXPECT_TRUE(session.IsInParty("maria"));
  EXPECT_EQ(session.partyCount, 3);
  ASSERT_EQ(Context().m_battleParty.size(), 2u);
  auto* maria = dynamic_cast<CBattlePlayer*>(Context().m_battleParty.back());
  ASSERT_NE(maria, nullptr);
  EXPECT_EQ(session.players[2].battlePtr, maria);
  EXPECT_EQ(maria->m_pos.x, kCx);
  EXPECT_EQ(maria->m_pos.z, kCz);
  EXPECT_EQ(m_frame.GetView()->m_pFocus, maria);
  // Both hold still while the script runs; its return lets them go.
  for (const CBattleActor* actor : {static_cast<CBattleActor*>(wolf), static_cast<CBattleActor*>(maria)}) {
    EXPECT_EQ(actor->m_gaugeRunning, 0);
  }
  m_frame.RunBattleEventScript(m_frame.m_battleScriptLine);
  EXPECT_EQ(wolf->m_gaugeRunning, 1);
  auto* recorded = dynamic_cast<battletest::CTestBattlePlayer*>(maria);
  ASSERT_NE(recorded, nullptr);
  EXPECT_EQ(recorded->finishing.messages.back(), kMsgRunGauge);
  EXPECT_EQ(m_frame.m_battleScriptRunning, 0);
}

}  // namespace
