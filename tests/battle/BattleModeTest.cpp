// The battle mode on a small map with stand-in participants: its timing,
// its ends (victory with money and drops, defeat, escape) and the answers to
// turn requests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "battle/ActionCode.h"
#include "engine/Controller.h"
#include "engine/Mouse.h"
#include "field/SelvarinView.h"
#include "field/BattleSet.h"
#include "platform/Random.h"
#include "rules/Condition.h"
#include "session/ItemMgr.h"
#include "tests/field/BattleFixture.h"
#include "tests/session/MenuListFixture.h"
#include "ui/BICaptionDeskTop.h"

namespace {

using battletest::BattleFixture;
using battletest::CTestBattlePlayer;
using battletest::CTestEnemy;

constexpr int kTigerMask = menulists::kItemCount;  // appended after the menu lists' items

class BattleModeTest : public BattleFixture {
 protected:
  BattleModeTest() : BattleFixture("map\n") {
    m_dir.Write("game/data/diary/item.txt",
                menulists::Items() + menulists::ItemText("Tiger", 0, "타이거마스크", 3));
    EXPECT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
  }
  ~BattleModeTest() override { CItemMgr::GetInstance().Free(); }

  // Enters the battle with one wolf; the party is sizz and kreutzer.
  void Enter(int wolves = 1) {
    BattleSet& set = m_frame.m_battleSet;
    set.Reset(0, -1);
    set.battleType = 0;
    set.typeValues = {40, 40};
    for (int i = 0; i < wolves; ++i) set.enemies[static_cast<size_t>(set.enemyCount++)] = {"testwolf", "w"};
    m_frame.m_mode = kModeField;
    m_frame.ChangeMode(kModeBattle);
    ASSERT_EQ(m_frame.m_mode, kModeBattle);
  }
  // One tick as the frame's pass gives it, without the drawing.
  void Tick(int n = 1) {
    for (int i = 0; i < n && m_frame.m_mode == kModeBattle; ++i) {
      m_frame.RunBattle();
      ++m_frame.m_modeTick;
    }
  }
  CTestBattlePlayer& Member(int id) {
    return dynamic_cast<CTestBattlePlayer&>(*CSession::GetInstance().players[static_cast<size_t>(id)].battlePtr);
  }
  CTestEnemy& Wolf(int slot = 0) {
    return dynamic_cast<CTestEnemy&>(*CSession::GetInstance().enemies[static_cast<size_t>(slot)].actor);
  }
  // The enemy leaves the battle on its next tick.
  void Fell(int slot = 0) {
    Wolf(slot).SetAction(kActDying);
    Wolf(slot).finishing.falseTicks = 1;
  }
  static int Count(const std::vector<int>& codes, int code) {
    return static_cast<int>(std::count(codes.begin(), codes.end(), code));
  }
};

TEST_F(BattleModeTest, TheOpeningPauseAndAPauseLastTheirTicks) {
  Enter();
  EXPECT_EQ(m_frame.m_battlePhase, 5);
  Tick(65);  // mode ticks 0 to 64
  EXPECT_EQ(m_frame.m_battlePhase, 5);
  Tick();
  EXPECT_EQ(m_frame.m_battlePhase, 0);

  // A pause of P lasts P + 1 ticks, with the world standing still.
  m_frame.OnMessage(&Wolf(), 10, 3, 0, 0);
  EXPECT_EQ(m_frame.m_battlePhase, 7);
  EXPECT_EQ(m_frame.m_pCurrentBattleActor, &Wolf());
  const int before = Member(0).finishing.ticks;
  Tick(3);
  EXPECT_EQ(m_frame.m_battlePhase, 7);
  Tick();
  EXPECT_EQ(m_frame.m_battlePhase, 0);
  EXPECT_EQ(Member(0).finishing.ticks, before);
}

TEST_F(BattleModeTest, AWonBattleClosesInSlowMotionCheersAndPaysTheMoneyAndDrops) {
  Enter();
  CSession& session = CSession::GetInstance();
  session.players[1].helmet = kTigerMask;
  BattleSet& set = m_frame.m_battleSet;
  set.itemCount = 3;
  set.items[0] = {"단검", 50};  // certain with the mask
  set.items[1] = {"없는물건", 100};
  set.items[2] = {"kind3", 0};
  Tick(66);
  m_frame.m_battleResult.money = 25;
  m_frame.m_battleResult.mvpId = 1;
  const int32_t gold = session.gold;
  Fell();
  Tick();  // the wolf leaves
  ASSERT_TRUE(Context().m_battleEnemies.empty());
  EXPECT_EQ(m_frame.m_battleTick, 1);
  const int ticks = Member(0).finishing.ticks;
  Tick(119);
  EXPECT_EQ(Member(0).finishing.ticks - ticks, 119 - 40);  // closing ticks 2-120 skip 3, 6, ..., 120
  Tick(29);
  EXPECT_EQ(Count(Member(1).finishing.messages, kMsgVictory), 0);
  Tick();  // 150
  EXPECT_EQ(Count(Member(1).finishing.messages, kMsgVictory), 1);
  EXPECT_EQ(Count(Member(0).finishing.messages, kMsgVictory), 0);
  EXPECT_EQ(m_frame.m_pCurrentBattleActor, &Member(1));
  testsupport::DebugLogCapture log;
  Tick(151);  // 301
  EXPECT_EQ(m_frame.m_mode, kModeBattle);
  Tick();
  EXPECT_EQ(m_frame.m_mode, kModeBattleResult);
  EXPECT_EQ(m_frame.m_prevMode, kModeField);  // where the result goes back to
  const BattleResult& result = m_frame.m_battleResult;
  EXPECT_EQ(session.gold, gold + 25);
  EXPECT_EQ(result.memberCount, 2);
  EXPECT_EQ(result.memberIds[0], 0);
  EXPECT_EQ(result.memberIds[1], 1);
  ASSERT_EQ(result.itemCount, 1);
  EXPECT_EQ(result.items[0], menulists::kFirstOfKind);
  EXPECT_EQ(result.skipResult, 0);
  EXPECT_TRUE(log.Contains("없는물건"));
}

TEST_F(BattleModeTest, DropsStopAtTheResultsTenSlots) {
  Enter();
  BattleSet& set = m_frame.m_battleSet;
  set.itemCount = BattleSet::kMaxItems;
  for (auto& drop : set.items) drop = {"단검", 100};
  m_frame.m_battlePhase = 6;
  Tick();
  EXPECT_EQ(m_frame.m_battleResult.itemCount, 10);
}

TEST_F(BattleModeTest, AHugeDropChanceDoubledByTheMaskStillDrops) {
  Enter();
  CSession::GetInstance().players[1].helmet = kTigerMask;
  BattleSet& set = m_frame.m_battleSet;
  set.itemCount = 1;
  set.items[0] = {"단검", 2000000000};
  m_frame.m_battlePhase = 6;
  Tick();
  EXPECT_EQ(m_frame.m_battleResult.itemCount, 1);
}

TEST_F(BattleModeTest, TheDefeatCheckRunsOnlyOnMultiplesOf240) {
  Enter();
  Tick();  // mode tick 0
  CSession& session = CSession::GetInstance();
  for (int id : {0, 1}) session.players[static_cast<size_t>(id)].stateid = kDying;
  Tick(239);  // 1 to 239
  EXPECT_EQ(m_frame.m_mode, kModeBattle);
  Tick();
  EXPECT_EQ(m_frame.m_mode, kModeGameOver);
}

TEST_F(BattleModeTest, AnEmptyPartyListEndsTheBattleAtOnce) {
  Enter();
  Tick(3);
  Context().m_battleParty.clear();
  m_frame.m_modeTick = 7;
  m_frame.RunBattle();
  EXPECT_EQ(m_frame.m_mode, kModeGameOver);
}

TEST_F(BattleModeTest, AGrantedEscapeRunsAwayAndSkipsTheResult) {
  Enter();
  Tick(66);
  m_frame.m_command = 4;
  Tick();
  EXPECT_EQ(m_frame.m_battlePhase, 8);
  Tick();
  EXPECT_EQ(Count(Member(0).finishing.messages, kMsgWalkToPoint), 1);
  Tick(34);
  EXPECT_EQ(m_frame.m_battlePhase, 9);
  Tick();
  EXPECT_EQ(m_frame.m_mode, kModeBattleResult);
  EXPECT_EQ(m_frame.m_battleResult.skipResult, 1);
}

TEST_F(BattleModeTest, TurnRequestsAreAnsweredByOrdersOrTheMenu) {
  Enter();
  Tick(66);
  CSession& session = CSession::GetInstance();
  PlayerData& sizz = session.players[0];
  const struct {
    const char* what;
    int tactics;
    int32_t condition;
    int manualFlag;
    bool enemyLives;
    bool ordered;  // else the menu opens, or nothing happens without a live enemy
  } cases[] = {
      {"manual", 0, 0, 0, true, false},        {"tactics", 2, 0, 0, true, true},
      {"panic", 0, kPanic, 0, true, true},     {"manual flag", 2, 0, 1, true, false},
      {"no live enemy", 0, 0, 0, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Member(0).finishing.messages.clear();
    BICaptionDeskTop::GetInstance().Close();
    m_frame.m_battlePhase = 0;
    sizz.tacticsId = c.tactics;
    sizz.stateid = c.condition;
    m_frame.m_battleControl = c.manualFlag;
    Wolf().m_actionCode = c.enemyLives ? kActIdle : kActDying;
    m_frame.OnMessage(&Member(0), 9, 0, 1, 0);
    const std::vector<int>& got = Member(0).finishing.messages;
    if (c.ordered) {
      ASSERT_EQ(got.size(), 3u);
      EXPECT_EQ(got[0], kMsgChosenIndex);
      EXPECT_EQ(got[1], kMsgWalkPoint);
      EXPECT_EQ(got[2], kMsgOrder);
      EXPECT_EQ(m_frame.m_lookTarget, &Wolf());
    } else {
      EXPECT_TRUE(got.empty());
    }
    EXPECT_EQ(m_frame.m_battlePhase, !c.ordered && c.enemyLives ? 1 : 0);
    if (c.manualFlag != 0) {
      EXPECT_EQ(sizz.tacticsId, 0);
    }
  }
  BICaptionDeskTop::GetInstance().Close();
}

// On a fixed rand: an enemy aims at its target's decoy when rand() % 3 is
// 0, and draws nothing where there is neither a decoy nor a spot.
TEST_F(BattleModeTest, AnEnemyAimsAtADecoyOneTimeInThree) {
  Enter();
  Tick(66);
  // The panic tactic strikes the nearest and draws nothing itself.
  CSession::GetInstance().enemies[0].tactics.fill(5);
  CTestEnemy decoy;
  Member(0).m_decoy = Member(1).m_decoy = &decoy;
  platform::Srand(7);
  std::vector<bool> expected;
  for (int i = 0; i < 12; ++i) expected.push_back(platform::Rand() % 3 == 0);
  platform::Srand(7);
  for (int i = 0; i < 12; ++i) {
    m_frame.IssueBattleOrder(0, 0);
    EXPECT_EQ(Wolf().m_target == &decoy, expected[static_cast<size_t>(i)]) << i;
  }
  Member(0).m_decoy = Member(1).m_decoy = nullptr;
  platform::Srand(11);
  const int next = platform::Rand();
  platform::Srand(11);
  m_frame.IssueBattleOrder(0, 0);
  EXPECT_EQ(platform::Rand(), next);
  EXPECT_NE(Wolf().m_target, nullptr);
}

// Choosing a target, the camera looks between the chooser and the
// highlighted target: keypad buttons 8 and 9 pull it back and in, and the
// pointer at a screen edge shifts it until it is back in the middle.
TEST_F(BattleModeTest, TheSelectionCameraAnswersTheKeypadAndTheScreenEdges) {
  Enter();
  Tick(66);
  CKeyPad pad;
  CKeyPad* saved = g_pMainKeyPad;
  g_pMainKeyPad = &pad;
  CMouse& mouse = CMouse::GetInstance();
  mouse.m_x = 320;
  mouse.m_y = 240;
  Member(0).m_pos = Vec3{0.0f, 0.0f, 0.0f};
  Wolf().m_pos = Vec3{100.0f, 0.0f, 0.0f};
  m_frame.m_commandActor = &Member(0);
  m_frame.m_targetList[0] = &Wolf();
  m_frame.m_targetCount = 1;
  m_frame.m_targetCursor = 0;
  CSelvarinView& view = *m_frame.GetView();
  const struct {
    int32_t phase;
    size_t button;  // 0: none held
    float distance;
  } cases[] = {{2, 0, 486.0f}, {2, 8, 636.0f}, {3, 9, 336.0f}, {4, 0, 250.0f}, {4, 8, 400.0f}, {4, 9, 100.0f}};
  for (const auto& c : cases) {
    pad.m_buttons = {};
    if (c.button != 0) pad.m_buttons[c.button] = kStateHeld;
    m_frame.m_battlePhase = c.phase;
    m_frame.SetBattleCamera();
    EXPECT_FLOAT_EQ(view.m_targetDistance, c.distance) << c.phase << " " << c.button;
    EXPECT_FLOAT_EQ(view.m_targetLookAt.x, 50.0f);
  }
  pad.m_buttons = {};
  m_frame.m_battlePhase = 2;
  const auto shifted = [&] {
    m_frame.SetBattleCamera();
    return std::hypot(view.m_targetLookAt.x - 50.0f, view.m_targetLookAt.z);
  };
  mouse.m_x = 1;
  EXPECT_NEAR(shifted(), 486.0f * 0.092f, 0.01f);
  mouse.m_x = 200;  // not yet back in the middle
  EXPECT_NEAR(shifted(), 486.0f * 0.092f, 0.01f);
  mouse.m_x = 320;
  EXPECT_NEAR(shifted(), 0.0f, 0.01f);
  g_pMainKeyPad = saved;
}

// Choosing a target or a point, a left press or a double press with the
// right button down goes back to the menu; a held left button does not.
TEST_F(BattleModeTest, TheCancelTakesALeftPressOrADoublePress) {
  Enter();
  Tick(66);
  CMouse& mouse = CMouse::GetInstance();
  const std::pair<ButtonState, int32_t> cases[] = {
      {kStatePressed, 1}, {kStatePressedAgain, 1}, {kStateHeld, 2}};
  for (const auto& [left, phase] : cases) {
    m_frame.m_battlePhase = 2;
    mouse.m_mouseButtons = {};
    mouse.m_mouseButtons[0] = left;
    mouse.m_mouseButtons[1] = kStateHeld;
    m_frame.RunBattle();
    EXPECT_EQ(m_frame.m_battlePhase, phase) << left;
  }
  mouse.m_mouseButtons = {};
}

// While the battle runs, a script's focus holds the camera at 190; without
// one the camera looks between the current actor and its look target.
TEST_F(BattleModeTest, TheRunningCameraLooksAtTheScriptsFocus) {
  Enter();
  Tick(66);
  Member(0).m_pos = Vec3{0.0f, 0.0f, 0.0f};
  Wolf().m_pos = Vec3{30.0f, -20.0f, 20.0f};
  m_frame.m_pCurrentBattleActor = &Member(0);
  m_frame.m_lookTarget = &Member(0);
  CSelvarinView& view = *m_frame.GetView();
  view.m_pFocus = &Wolf();
  m_frame.m_battlePhase = 0;
  m_frame.SetBattleCamera();
  EXPECT_FLOAT_EQ(view.m_targetDistance, 190.0f);
  EXPECT_FLOAT_EQ(view.m_targetLookAt.x, 30.0f);
  EXPECT_FLOAT_EQ(view.m_targetLookAt.z, 20.0f);
  view.m_pFocus = nullptr;
  m_frame.SetBattleCamera();
  EXPECT_FLOAT_EQ(view.m_targetDistance, 350.0f);
  EXPECT_FLOAT_EQ(view.m_targetLookAt.x, 0.0f);
}

// The target panel names attack attributes from 1; 0 and the rest are none.
TEST(BattleElementNameTest, AttributesCountFromOne) {
  const std::pair<int, std::string> cases[] = {{0, "None"}, {1, "Water"}, {4, "Wind"},  {5, "Holy"},
                                               {8, "Iron"}, {9, "None"},  {-1, "None"}};
  for (const auto& [attr, name] : cases) EXPECT_EQ(CSelvarinFrame::BattleElementName(attr), name) << attr;
}

TEST_F(BattleModeTest, ARightDragWithTheLeftButtonUpTurnsTheCamera) {
  Enter();
  CMouse& mouse = CMouse::GetInstance();
  CSelvarinView& view = *m_frame.GetView();
  view.m_targetYaw = 100.0f;
  const float yaw = view.m_targetYaw;
  mouse.m_dx = 7;
  mouse.m_mouseButtons = {};
  mouse.m_mouseButtons[1] = kStateHeld;
  m_frame.RunBattle();
  EXPECT_FLOAT_EQ(view.m_targetYaw, yaw - 7.0f);
  mouse.m_mouseButtons[0] = kStateHeld;  // both held: no turn
  m_frame.RunBattle();
  EXPECT_FLOAT_EQ(view.m_targetYaw, yaw - 7.0f);
  mouse.m_mouseButtons = {};
  mouse.m_dx = 0;
}

// A click raises the manual flag whatever the message window shows; the
// script's delay counts down and then resumes the script.
TEST_F(BattleModeTest, AClickRaisesTheManualFlagAndTheDelayResumesTheScript) {
  Enter();
  Tick(66);
  CMouse& mouse = CMouse::GetInstance();
  for (const int32_t window : {5, 0}) {
    m_frame.m_messageState = window;
    m_frame.m_battleControl = 0;
    mouse.m_mouseButtons[0] = kStatePressed;
    m_frame.BattleMenuInput();
    EXPECT_EQ(m_frame.m_battleControl, 1) << window;
  }
  mouse.m_mouseButtons[0] = kStateUp;

  m_frame.m_battleScriptRunning = 1;
  m_frame.m_battleScriptLine = -1;  // resuming there ends the run
  m_frame.m_battleScriptDelay = 2;
  m_frame.TickDelay();
  EXPECT_EQ(m_frame.m_battleScriptRunning, 1);
  m_frame.TickDelay();
  EXPECT_EQ(m_frame.m_battleScriptDelay, 0);
  EXPECT_EQ(m_frame.m_battleScriptRunning, 0);
}

}  // namespace
