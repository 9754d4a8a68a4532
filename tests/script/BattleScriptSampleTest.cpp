// The sample village's wolf battle script, run by the battle mode over the
// sample's own map script with participants named as the sample's: the
// leader's first turn talks and the wolf's death pays.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/Controller.h"
#include "engine/FileStream.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "engine/PackFile.h"
#include "engine/ResMgr.h"
#include "field/FieldEnemy.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinView.h"
#include "tests/script/BattleScriptFixture.h"
#include "tests/support/TestSupport.h"

namespace {

class BattleScriptSampleTest : public ::testing::Test {
 protected:
  BattleScriptSampleTest() : m_previous(std::filesystem::current_path()) {
    std::filesystem::current_path(testsupport::BinaryDir() / "game");
    SetResDirectory("\\");
    EXPECT_TRUE(RegisterPack("data.pak"));
    m_frame.m_pView = new CSelvarinView;
    m_frame.m_pContext = new CSelvarinContext;
    m_frame.m_name = "newgame";
    g_pCurrentFrame = &m_frame;
    m_frame.Init();
    session.Init();
  }
  ~BattleScriptSampleTest() override {
    session.Init();
    m_frame.Exit();
    g_pCurrentFrame = nullptr;
    CResMgr::GetInstance().UnloadResources();
    FreePacks();
    std::filesystem::current_path(m_previous);
  }

  CSelvarinContext& Context() { return *m_frame.GetContext(); }
  void Tick(int ticks = 1) {
    for (int i = 0; i < ticks; ++i) {
      testsupport::DebugLogCapture log;
      m_frame.RunBattle();
      for (const std::string& line : log.Lines()) m_log.push_back(line);
    }
  }
  // Ticks until the window asks for more than closing (at most `ticks`);
  // the state it reached.
  int32_t TickUntilOpened(int ticks) {
    for (int i = 0; i < ticks; ++i) {
      Tick();
      if (m_frame.m_messageState != 0 && m_frame.m_messageState != 4) break;
    }
    return m_frame.m_messageState;
  }
  bool StaysClosed(int ticks) {
    const int32_t state = TickUntilOpened(ticks);
    return state == 0 || state == 4;
  }
  // Ticks until the window waits for a key, then confirms it.
  void ConfirmWhenAsked() {
    for (int i = 0; i < 200 && m_frame.m_messageState != 5; ++i) Tick();
    ASSERT_EQ(m_frame.m_messageState, 5);
    CMouse::GetInstance().m_mouseButtons[0] = kStatePressed;
    Tick();
    CMouse::GetInstance().m_mouseButtons[0] = 0;
  }
  bool Logged(const std::string& fragment) const {
    for (const std::string& line : m_log) {
      if (line.find(fragment) != std::string::npos) return true;
    }
    return false;
  }

  CSession& session = CSession::GetInstance();
  std::filesystem::path m_previous;
  CSelvarinFrame m_frame;
  std::vector<std::string> m_log;
};

TEST_F(BattleScriptSampleTest, TheWolfBattleTalksOnTheFirstTurnPaysOnTheDeathAndEndsWhenAllAreGone) {
  const auto* wolf = dynamic_cast<const CFieldEnemy*>(Context().FindActorByName("wolf"));
  ASSERT_NE(wolf, nullptr);
  ASSERT_NE(wolf->m_eventLine, -1);
  const int sizzId = session.FindPlayer("sizz");
  ASSERT_GE(sizzId, 0);
  auto* sizz = new RecordingMember;
  sizz->m_battleId = {session.GetPartyId(sizzId), 1};
  session.players[static_cast<size_t>(sizzId)].battlePtr = sizz;
  auto* enemy = new RecordingEnemy;
  EnemySlot& slot = session.enemies[0];
  slot.actor = enemy;
  slot.name = "wolf.bmp";
  enemy->m_slot = &slot;
  enemy->m_battleId = {0, 0};
  enemy->SetAction(kActIdle);
  session.enemyCount = 1;
  for (CActor* actor : {static_cast<CActor*>(sizz), static_cast<CActor*>(enemy)}) Context().m_battleObjects.push_back(actor);
  Context().m_battleParty.push_back(sizz);
  Context().m_battleEnemies.push_back(enemy);

  m_frame.ResetBattleScript();
  m_frame.m_battleEventLine = wolf->m_eventLine;
  m_frame.m_mode = kModeBattle;
  m_frame.m_battlePhase = 5;
  // Nothing raised: every run passes over both blocks.
  EXPECT_TRUE(StaysClosed(12));

  session.RaiseTurnHook("sizz", 1);
  EXPECT_EQ(TickUntilOpened(8), 1);
  EXPECT_EQ(m_frame.m_pBattleSpeaker, sizz);
  EXPECT_EQ(sizz->m_gaugeRunning, 0);
  ConfirmWhenAsked();  // the "wait" after the text
  EXPECT_EQ(m_frame.m_battleScriptRunning, 0);
  EXPECT_EQ(sizz->m_gaugeRunning, 1);
  EXPECT_TRUE(StaysClosed(12));  // the hook is spent

  const int32_t gold = session.gold;
  enemy->SetAction(kActDying);
  session.RaiseDeathHook("wolf.bmp");
  EXPECT_EQ(TickUntilOpened(8), 5);
  EXPECT_EQ(m_frame.m_messageText, "30길드 획득");
  EXPECT_EQ(session.gold, gold + 30);
  ConfirmWhenAsked();
  // The script no longer ends the battle: the battle mode closes it once
  // the last enemy has gone.
  EXPECT_NE(m_frame.m_battlePhase, 6);
  int stops = 0;
  for (const RecordedMessage& m : sizz->messages) stops += m.code == kMsgStopGauge;
  EXPECT_EQ(stops, 2);  // one per block fired
  Tick();
  EXPECT_EQ(m_frame.m_mode, kModeBattle);
  EXPECT_EQ(session.gold, gold + 30);  // once
  for (const char* fault : {"Unknown Command", "Unknown event", "Unknown Sysex"}) EXPECT_FALSE(Logged(fault)) << fault;
}

}  // namespace
