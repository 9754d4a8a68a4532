// Battle sets read from a map script by the frame's message 0, and the
// frame messages the battle's actors and widgets send.
#include <gtest/gtest.h>

#include <string>

#include "battle/BattlePlayer.h"
#include "engine/CdAudio.h"
#include "engine/Controller.h"
#include "engine/Mouse.h"
#include "field/BattleSet.h"
#include "platform/Music.h"
#include "tests/field/BattleFixture.h"
#include "tests/session/MenuListFixture.h"
#include "ui/BICaptionDeskTop.h"
#include "ui/BIEquipStatusBox.h"
#include "ui/BattleMenuSet.h"

namespace {

using battletest::BattleFixture;
using battletest::CTestBattlePlayer;
using battletest::CTestEnemy;

// Each set begins on the line after its label; the script's last set runs
// into the end of the script.
const char* kScript =
    "Part::Battle\n"  // 1
    "enemy TestWolf Left\nEnemy testwolf right\nbattletype 1\n"
    "position 1 2\nposition 3 4\nposition 5 6\nposition 7 8\nposition 9 10\n"
    "position 11 12\nposition 13 14\nposition 15 16\nposition 17 18\nposition 19 20\nreturn\n"
    "Music::Battle\n"  // 16
    "enemy testwolf a\nBtlMusic 0\nreturn\n"
    "Item::Battle\n"  // 20
    "enemy testwolf a\nitem potion\nitem ether 30\nbattletype 0 30\nreturn\n"
    "Other::Battle\n"  // 26
    "enemy testwolf a\n\nrandomenemy testwolf\nrandomenemy testwolf 3\nsay hello\nenemy testwolf b\n"
    "Ghost::Battle\n"  // 33
    "enemy ghost g\nreturn\n"
    "Seven::Battle\n"  // 36
    "enemy a 1\nenemy b 2\nenemy c 3\nenemy d 4\nenemy e 5\nenemy f 6\nenemy g 7\n"
    "neverfleemsg Can't \"run away\" !\nbattleregion 55.5\nintrudeenemy x y\n"
    "item 1\nitem 2\nitem 3\nitem 4\nitem 5\nitem 6\nitem 7\nitem 8\nitem 9\nitem 10\nitem 11\n";

class BattleSetTest : public BattleFixture {
 protected:
  BattleSetTest() : BattleFixture(kScript) {}
  int Line(const char* label) { return Context().m_script->FindLine(label) + 1; }
};

struct SetCase {
  const char* label;
  int enemies, positions, items, type, music;
  const char* log;  // a text the reading must log, or null
};

TEST_F(BattleSetTest, ReadsEachSetUpToItsEnd) {
  const SetCase cases[] = {
      {"Part::Battle", 2, 10, 0, 1, -1, nullptr},
      {"Music::Battle", 1, 0, 0, -1, 0, "battletype을 정하시오"},
      {"Item::Battle", 1, 0, 2, 0, -1, "문법오류 battletype"},
      {"Other::Battle", 1, 0, 0, -1, -1, "unknown battle set say hello"},
      {"Seven::Battle", 6, 0, 10, -1, -1, "아이템 갯수 초과"},
  };
  for (const SetCase& c : cases) {
    SCOPED_TRACE(c.label);
    testsupport::DebugLogCapture log;
    BattleSet set;
    set.Reset(0, -1);
    ReadBattleSet(*Context().m_script, Line(c.label), set);
    EXPECT_EQ(set.enemyCount, c.enemies);
    EXPECT_EQ(set.positionCount, c.positions);
    EXPECT_EQ(set.itemCount, c.items);
    EXPECT_EQ(set.battleType, c.type);
    EXPECT_EQ(set.music, c.music);
    if (c.log != nullptr) {
      EXPECT_TRUE(log.Contains(c.log)) << c.log;
    }
    EXPECT_FALSE(log.Contains("배틀액터위치"));
  }
}

TEST_F(BattleSetTest, TokensAreLowerCasedAndCountedFromTheKeyword) {
  BattleSet set;
  set.Reset(0, -1);
  ReadBattleSet(*Context().m_script, Line("Part::Battle"), set);
  EXPECT_EQ(set.enemies[0].name, "testwolf");
  EXPECT_EQ(set.enemies[0].label, "left");
  EXPECT_EQ(set.positions[9].x, 19.0f);
  EXPECT_EQ(set.positions[9].z, 20.0f);

  set.Reset(0, -1);
  ReadBattleSet(*Context().m_script, Line("Item::Battle"), set);
  EXPECT_EQ(set.items[0].name, "potion");
  EXPECT_EQ(set.items[0].value, 100);
  EXPECT_EQ(set.items[1].value, 30);

  set.Reset(0, -1);
  testsupport::DebugLogCapture log;
  ReadBattleSet(*Context().m_script, Line("Other::Battle"), set);
  EXPECT_TRUE(log.Contains("문법오류 randomenemy"));
  ASSERT_EQ(set.randomEnemyCount, 1);
  EXPECT_EQ(set.randomEnemies[0].value, 3);

  set.Reset(0, -1);
  const BattleSetRead read = ReadBattleSet(*Context().m_script, Line("Seven::Battle"), set);
  EXPECT_EQ(set.enemies[5].name, "f");
  EXPECT_EQ(read.itemLines, 11);
  ASSERT_EQ(set.fleeRefusals.size(), 1u);
  EXPECT_EQ(set.fleeRefusals[0], "can'trun away!");
  EXPECT_FLOAT_EQ(set.regionRadius, 55.5f);
  EXPECT_EQ(set.intruderCount, 1);
  EXPECT_EQ(set.enemyCount, 6);  // intruders are not counted with them
}

// A disc whose tracks play.
class CdStandIn : public platform::CdPlayer {
 public:
  std::vector<platform::DiscDrive> ListDrives() override { return {{"/cd", "SLV_DISC1"}}; }
  platform::CdDeviceId Open(const std::string&) override { return 1; }
  bool Play(platform::CdDeviceId, int from, int) override {
    played.push_back(from);
    return true;
  }
  bool QueryMode(platform::CdDeviceId, platform::CdMode* mode) override {
    *mode = platform::CdMode::Playing;
    return true;
  }
  bool Stop(platform::CdDeviceId) override { return true; }
  bool Close(platform::CdDeviceId) override { return true; }
  std::vector<int> played;
};

TEST_F(BattleSetTest, MessageZeroCentresOnTheEnemysHomeAndAsksForBattleModeOnce) {
  CdStandIn cd;
  platform::SetCdPlayer(&cd);
  g_cdAudio = CdAudioState{};
  CSelvarinActor enemy;
  enemy.m_pos = Vec3{50.0f, 0.0f, 60.0f};
  enemy.m_targetX = 5.0f;
  enemy.m_targetZ = -7.0f;
  m_frame.OnMessage(&enemy, 0, 9, Line("Part::Battle"), 44);
  EXPECT_EQ(m_frame.m_mode, kModeField);
  EXPECT_EQ(m_frame.m_pendingMode, kModeBattle);
  EXPECT_FLOAT_EQ(m_frame.m_battleCenterX, 5.0f);
  EXPECT_FLOAT_EQ(m_frame.m_battleCenterZ, -7.0f);
  EXPECT_EQ(m_frame.m_battleFirstValue, 9);
  EXPECT_EQ(m_frame.m_battleEventLine, 44);
  EXPECT_EQ(m_frame.m_firstTurn, 1);
  EXPECT_EQ(m_frame.m_battleSet.enemyCount, 2);
  EXPECT_EQ(g_cdAudio.m_track, 8);  // the default battle music

  // A second request before the battle starts keeps the set.
  testsupport::DebugLogCapture log;
  m_frame.OnMessage(&enemy, 0, 0, Line("Music::Battle"), 0);
  EXPECT_EQ(m_frame.m_battleSet.enemyCount, 2);
  EXPECT_TRUE(log.Contains("under way"));
  platform::SetCdPlayer(nullptr);
  g_cdAudio = CdAudioState{};
}

TEST_F(BattleSetTest, MessageZeroWithoutASetChangesNothingAndMusicZeroKeepsTheField) {
  testsupport::DebugLogCapture log;
  m_frame.OnMessage(nullptr, 0, 0, -1, 0);
  EXPECT_EQ(m_frame.m_pendingMode, -1);
  EXPECT_TRUE(log.Contains("Battle Set Not Defined"));
  g_cdAudio.m_track = 3;
  m_frame.OnMessage(nullptr, 0, 0, Line("Music::Battle"), 0);
  EXPECT_EQ(m_frame.m_pendingMode, kModeBattle);
  EXPECT_EQ(m_frame.m_battleMusic, 0);
  EXPECT_EQ(g_cdAudio.m_track, 3);
  EXPECT_EQ(m_frame.m_battleSet.restoreTrack, 3);
  g_cdAudio = CdAudioState{};
}

TEST_F(BattleSetTest, ATurnRequestOpensTheMembersMenuWithItsAttackEntry) {
  CBattleMenuSet& menus = CBattleMenuSet::GetInstance();
  menus.Build();
  CSession& session = CSession::GetInstance();
  CTestEnemy enemy;
  enemy.m_actionCode = 10000;
  CTestBattlePlayer member;
  member.m_record = &session.players[1];
  member.m_menuIndex = 1;
  member.m_battleId[0] = 1;
  const auto attackName = [&] {
    for (const BattleMenuEntry& e : menus.GetRecord(menus.FindRecord(1))->entries) {
      if (e.index == 0) return e.name;
    }
    return std::string();
  };
  // No living enemy: no menu.
  BICaptionDeskTop::GetInstance().Close();
  m_frame.OnMessage(&member, 9, 1, 1, 0);
  EXPECT_EQ(BICaptionDeskTop::GetInstance().ActingPosition(), -1);

  session.enemies[0].actor = &enemy;
  for (int gauge : {100, 40}) {
    session.players[1].cp = gauge;
    m_frame.OnMessage(&member, 9, 1, 1, 0);
    EXPECT_EQ(attackName(), gauge == 100 ? "필살공격(A)" : "공격(A)");
    EXPECT_EQ(BICaptionDeskTop::GetInstance().ActingPosition(), 1);
    EXPECT_EQ(m_frame.m_pCurrentBattleActor, &member);
    EXPECT_EQ(m_frame.m_commandActor, &member);
    EXPECT_EQ(m_frame.m_battlePhase, 1);
  }
  // A panicked member acts on its own; a locked turn is not taken at all.
  BICaptionDeskTop::GetInstance().Close();
  m_frame.m_battlePhase = 0;
  session.players[1].stateid = 0x08;
  m_frame.OnMessage(&member, 9, 1, 1, 0);
  EXPECT_EQ(BICaptionDeskTop::GetInstance().ActingPosition(), -1);
  EXPECT_EQ(m_frame.m_lookTarget, &member);
  m_frame.m_turnLock = 1;
  m_frame.m_pCurrentBattleActor = nullptr;
  m_frame.OnMessage(&member, 9, 1, 1, 0);
  EXPECT_EQ(m_frame.m_pCurrentBattleActor, nullptr);
  session.enemies[0].actor = nullptr;
  menus.Destroy();
}

TEST_F(BattleSetTest, AJoiningMemberPassesOverOneFallenAndComesInAtTheCentre) {
  SetParty({0, 1, 2, 3});
  CSession& session = CSession::GetInstance();
  session.players[1].stateid = 0x80;
  m_frame.m_battleCenterX = 20.0f;
  m_frame.m_battleCenterZ = 25.0f;
  ASSERT_NE(Context().MakePartyBattleActor("sizz"), nullptr);
  m_frame.OnMessage(nullptr, 11, 0, 0, 0);
  auto* joined = dynamic_cast<CBattlePlayer*>(session.players[2].battlePtr);
  ASSERT_NE(joined, nullptr);
  EXPECT_FLOAT_EQ(joined->m_pos.x, 20.0f);
  EXPECT_FLOAT_EQ(joined->m_pos.z, 25.0f);
  EXPECT_FLOAT_EQ(joined->m_timeGauge, 100.0f);
  EXPECT_EQ(m_frame.m_caption, "Nmaria 난입!!");
  EXPECT_EQ(m_frame.m_captionTimer, 120);
  EXPECT_EQ(m_frame.GetView()->m_pFocus, joined);
  // The next after maria falls too: nobody more joins.
  session.players[3].stateid = 0x80;
  m_frame.m_caption.clear();
  m_frame.OnMessage(nullptr, 11, 0, 0, 0);
  EXPECT_EQ(session.players[3].battlePtr, nullptr);
  EXPECT_EQ(m_frame.m_caption, "");
}

TEST_F(BattleSetTest, ScreenFlashesOverlapInTwoSlotsWithTheirColours) {
  m_frame.OnMessage(nullptr, 13, 5, 30, 1);
  EXPECT_EQ(m_frame.m_flashes[0].colour, 0x30AF1418u);
  EXPECT_EQ(m_frame.m_flashes[0].length, 30);
  m_frame.OnMessage(nullptr, 13, 6, 10, 3);
  EXPECT_EQ(m_frame.m_flashes[1].colour, 0x1012246Du);
  EXPECT_EQ(m_frame.m_flashes[1].value, 6);
  EXPECT_EQ(m_frame.m_flashes[0].value, 5);
  m_frame.m_flashes[0].on = 0;
  m_frame.OnMessage(nullptr, 13, 7, 10, 9);
  EXPECT_EQ(m_frame.m_flashes[0].colour, 0x30FFFFFFu);
}

}  // namespace

namespace {

TEST_F(BattleSetTest, ABattleWithNobodyToActGivesTheCameraAndTheModeBack) {
  SetParty({});
  CSelvarinView& view = *m_frame.GetView();
  view.m_yaw = 30.0f;
  m_frame.m_mode = kModeNone;
  m_frame.OnMessage(nullptr, 0, 0, Line("Ghost::Battle"), 0);
  view.m_yaw = 200.0f;  // the battle camera sweeps
  m_frame.ChangeMode(m_frame.m_pendingMode);
  EXPECT_EQ(m_frame.m_mode, kModeNone);
  EXPECT_FLOAT_EQ(view.m_yaw, 30.0f);
  EXPECT_EQ(m_frame.m_pCurrentBattleActor, nullptr);
}

// Phase 1 ticks the command menu; an escape ends the battle and takes the
// menu down.
TEST_F(BattleSetTest, TheBattleModeTicksTheCommandMenuInPhaseOneOnly) {
  CBattleMenuSet& menus = CBattleMenuSet::GetInstance();
  menus.Build();
  BICaptionDeskTop& desk = BICaptionDeskTop::GetInstance();
  desk.SetActingPosition(0);
  desk.Build(1);
  ASSERT_FALSE(desk.m_children.empty());
  desk.Defer(desk.m_children.back(), 8);
  CTestBattlePlayer member;
  Context().m_battleParty.push_back(&member);
  m_frame.m_mode = kModeBattle;
  m_frame.m_modeTick = 1;  // off the defeat check's ticks
  m_frame.m_battlePhase = 1;
  m_frame.RunBattle();
  EXPECT_FALSE(desk.HasDeferred());
  EXPECT_EQ(m_frame.m_mode, kModeBattle);
  m_frame.m_battlePhase = 9;
  m_frame.RunBattle();
  EXPECT_EQ(m_frame.m_mode, kModeBattleResult);
  EXPECT_TRUE(desk.m_children.empty());
  EXPECT_EQ(desk.ActingPosition(), -1);
  Context().m_battleParty.clear();
  menus.Destroy();
}

// A member's turn opens its menu; the pad walks it to the equipment page
// through the battle mode's ticks, and a click on the box's helmet slot
// reaches the frame, which takes the helmet off into the inventory.
TEST_F(BattleSetTest, TheCommandMenuWorkedThroughTheBattleModeReachesTheFrame) {
  m_dir.Write("game/data/diary/item.txt", menulists::Items());
  CItemMgr& items = CItemMgr::GetInstance();
  ASSERT_TRUE(items.Load("diary/item.txt"));
  CBattleMenuSet& menus = CBattleMenuSet::GetInstance();
  menus.Build();
  CSession& session = CSession::GetInstance();
  const int helmet = menulists::kFirstOfKind + 3;
  session.players[1].helmet = helmet;
  CTestEnemy enemy;
  enemy.m_actionCode = 10000;
  session.enemies[0].actor = &enemy;
  CTestBattlePlayer member;
  member.m_record = &session.players[1];
  member.m_playerId = 1;
  member.m_menuIndex = 1;
  member.m_battleId[0] = 1;
  CKeyPad pad;
  CKeyPad* savedPad = g_pMainKeyPad;
  g_pMainKeyPad = &pad;
  CMouse& mouse = CMouse::GetInstance();
  const struct {
    int32_t x, y;
  } savedMouse{mouse.m_x, mouse.m_y};

  m_frame.OnMessage(&member, 9, 1, 1, 0);
  m_frame.m_mode = kModeBattle;
  m_frame.m_modeTick = 1;  // off the defeat check's ticks
  Context().m_battleParty.push_back(&member);
  BICaptionDeskTop& desk = BICaptionDeskTop::GetInstance();
  EXPECT_EQ(desk.ActingPosition(), 1);
  for (int i = 0; i < 4; ++i) {
    pad.m_buttons = {};
    pad.m_buttons[3] = kStatePressed;
    m_frame.RunBattle();
  }
  pad.m_buttons = {};
  BIEquipStatusBox* box = nullptr;
  for (BICaption* child : desk.m_children) {
    if (auto* found = dynamic_cast<BIEquipStatusBox*>(child)) box = found;
  }
  ASSERT_NE(box, nullptr);
  mouse.m_x = box->m_x + 20;
  mouse.m_y = box->m_y + 14;
  mouse.m_mouseButtons[0] = kStatePressed;
  mouse.m_dx = 1;
  m_frame.RunBattle();
  mouse.m_mouseButtons[0] = kStateUp;
  mouse.m_dx = 0;
  EXPECT_EQ(session.players[1].helmet, kEmptyHelmet);
  EXPECT_EQ(session.GetItemCount(helmet), 1);
  EXPECT_EQ(m_frame.m_mode, kModeBattle);

  mouse.m_x = savedMouse.x;
  mouse.m_y = savedMouse.y;
  g_pMainKeyPad = savedPad;
  session.enemies[0].actor = nullptr;
  Context().m_battleParty.clear();
  desk.Close();
  menus.Destroy();
  items.Free();
}

}  // namespace
