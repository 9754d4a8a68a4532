// The player's battle commands on a small map with stand-in participants:
// every command row with its refusals, the target lists, the target and
// ground cursors, and the phases that aim and confirm.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "battle/ActionCode.h"
#include "engine/Controller.h"
#include "engine/Mouse.h"
#include "engine/SoundDevice.h"
#include "field/BattleSet.h"
#include "field/PickRegionList.h"
#include "platform/Random.h"
#include "render/3dGround.h"
#include "rules/Condition.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/MenuList.h"
#include "session/SkillMgr.h"
#include "tests/field/BattleFixture.h"
#include "tests/session/MenuListFixture.h"

namespace {

using battletest::BattleFixture;
using battletest::CTestBattlePlayer;
using battletest::CTestEnemy;
using battletest::Finishing;

constexpr const char* kMenuSound = "전투 메뉴 선택시 나는 소리.wav";
constexpr const char* kWarning = "쓸수없는메뉴선택시나는경고음.wav";
constexpr const char* kAimSound = "전투메뉴 선택 후 공격하거나 마법 걸 캐릭터를 선택할 때의 소리.wav";

// Magic of sizz by row and skills of kreutzer by row.
enum MagicRow { kHeal, kResurrection, kFire, kMeteor, kShield, kCostly, kJoint };
enum SkillRow { kSlash, kBloodletting, kFocus, kDear };

namespace battlecommandstest {

// Battle items by row of the item list: the revival item, an ally potion,
// a bomb, a smoke pot aimed at the ground, incense on oneself, a curse of
// a kind not used in battle, and bread nobody wears; then a dagger and the
// catalyst heal asks for, neither in the battle list. In a namespace: kCurse
// also names a condition.
enum ItemRow { kSage, kPotion, kBomb, kSmoke, kIncense, kCurse, kBread, kDagger, kDismal };
std::string Item(const std::string& name, int kind, const std::string& params) {
  return menulists::ItemText(name, 0, name, kind, params);
}
}  // namespace battlecommandstest

std::string MagicText(const std::string& name, int target, const std::string& cost) {
  return "#magic < " + name + " > < >\n#targettype " + std::to_string(target) + "\n#cost " + cost + "\n#end\n";
}

std::string SkillText(const std::string& name, int target, const std::string& cost) {
  return "#skill < " + name + " > < >\n#targettype " + std::to_string(target) + "\n#cost " + cost + "\n#end\n";
}

class BattleCommandsTest : public BattleFixture {
 protected:
  BattleCommandsTest() : BattleFixture("map\n") {
    std::string items;
    for (int i = 0; i < 7; ++i) items += battlecommandstest::Item("e" + std::to_string(i), 14, "0");
    items += battlecommandstest::Item("세이지", 8, "0") + battlecommandstest::Item("포션", 8, "0") +
             battlecommandstest::Item("폭탄", 9, "2") + battlecommandstest::Item("연막", 9, "4") +
             battlecommandstest::Item("향", 8, "1") + battlecommandstest::Item("저주", 12, "0") +
             battlecommandstest::Item("빵", 7, "0") + battlecommandstest::Item("단검", 0, "0") +
             battlecommandstest::Item("디스말", 14, "0");
    m_dir.Write("game/data/diary/item.txt", items);
    m_dir.Write("game/data/diary/magic.txt", MagicText("힐", 0, "0 0 4 0") + MagicText("리저렉션", 0, "0 0 0 0") +
                                                 MagicText("파이어", 2, "0 0 0 0") + MagicText("메테오", 4, "0 0 4 0") +
                                                 MagicText("실드", 1, "0 0 4 0") + MagicText("비싼", 2, "0 0 99 0") +
                                                 MagicText("협력", 2, "2 0 0 2"));
    m_dir.Write("game/data/diary/skill.txt", SkillText("베기", 2, "0 0 0") +
                                                 SkillText("사혈_삼릉침술(瀉血_三稜針術)", 0, "0 0 0") +
                                                 SkillText("기합", 1, "5 0 0") + SkillText("비싼기술", 2, "99 0 0"));
    EXPECT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    EXPECT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
    EXPECT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    CSession& session = CSession::GetInstance();
    for (int i = 7; i < 7 + battlecommandstest::kDismal + 1; ++i) session.SetItemCount(i, 1);
    PlayerData& sizz = session.players[0];
    sizz.ismagicman = 1;
    sizz.mp1 = sizz.mp2 = sizz.mp3 = 50;
    PlayerData& kreutzer = session.players[1];
    kreutzer.ismagicman = 0;
    kreutzer.mp1 = kreutzer.mp2 = kreutzer.mp3 = 50;
    for (size_t m = 0; m < 8; ++m) sizz.magicFlags[m] = kreutzer.magicFlags[m] = 1;
    m_savedSound = g_soundEnabled;
    g_soundEnabled = 1;
    m_savedPad = g_pMainKeyPad;
    g_pMainKeyPad = &m_pad;
  }
  ~BattleCommandsTest() override {
    g_soundEnabled = m_savedSound;
    g_pickRegionList.Clear();
    CMouse::GetInstance().m_dx = CMouse::GetInstance().m_dy = 0;
    CMouse::GetInstance().m_mouseButtons = {};
    g_pMainKeyPad = m_savedPad;
    platform::ClearQueuedRand();
    Context().m_pGround = nullptr;
    CItemMgr::GetInstance().Free();
    CMagicMgr::GetInstance().Free();
    CSkillMgr::GetInstance().Free();
  }

  void Enter(int wolves = 1) {
    BattleSet& set = m_frame.m_battleSet;
    set.Reset(0, -1);
    set.typeValues = {40, 40};
    for (int i = 0; i < wolves; ++i) set.enemies[static_cast<size_t>(set.enemyCount++)] = {"testwolf", "w"};
    m_frame.m_mode = kModeField;
    m_frame.ChangeMode(kModeBattle);
    ASSERT_EQ(m_frame.m_mode, kModeBattle);
  }
  CTestBattlePlayer& Member(int id) {
    return dynamic_cast<CTestBattlePlayer&>(*CSession::GetInstance().players[static_cast<size_t>(id)].battlePtr);
  }
  CTestEnemy& Wolf(int slot = 0) {
    return dynamic_cast<CTestEnemy&>(*CSession::GetInstance().enemies[static_cast<size_t>(slot)].actor);
  }
  // The member's turn under the player's command, the menu open.
  void TurnOf(int id) {
    m_frame.m_pCurrentBattleActor = m_frame.m_commandActor = &Member(id);
    m_frame.m_battlePhase = 1;
    m_frame.m_command = -1;
    m_frame.m_caption.clear();
    m_frame.m_groundSelect = 0;
    Member(id).finishing.messages.clear();
    Member(id).finishing.values.clear();
  }
  static intptr_t Ptr(CActor* actor) { return reinterpret_cast<intptr_t>(static_cast<CObject*>(actor)); }
  static void Press(int button) { g_pMainKeyPad->m_buttons[static_cast<size_t>(button)] = kStatePressed; }

  int32_t m_savedSound = 0;
  CKeyPad m_pad;
  CKeyPad* m_savedPad = nullptr;
};

TEST_F(BattleCommandsTest, EveryCommandRowChecksAndAimsOrRefuses) {
  Enter();
  CSession& session = CSession::GetInstance();
  session.players[1].weapon = 7 + battlecommandstest::kDagger;
  CItemList::GetInstance().Build(-1, 0);
  ASSERT_TRUE(CMagicList::GetInstance().Build(4, 0));
  ASSERT_TRUE(CSkillList::GetInstance().Build(3, 1));
  struct Case {
    const char* what;
    int member, command, index;
    int phase;
    const char* caption;  // "" none
    const char* sound;    // the one sound, null for none
    int chosen;           // 10046's value, -1 none sent
    int orderKind;        // 10023's kind to itself, -1 none sent
  };
  const Case cases[] = {
      {"attack without weapon", 0, 0, 0, 1, "장착된 무기가 없습니다", kMenuSound, -1, -1},
      {"attack", 1, 0, 0, 2, "", kMenuSound, -1, -1},
      {"defend", 0, 1, 0, 0, "", kMenuSound, -1, 1},
      {"move", 0, 2, 0, 4, "", kMenuSound, -1, -1},
      {"revival item, nobody fallen", 1, 3, battlecommandstest::kSage, 1, "치료할 대상이 없습니다", kMenuSound, 7 + battlecommandstest::kSage, -1},
      {"potion", 0, 3, battlecommandstest::kPotion, 3, "", kMenuSound, 7 + battlecommandstest::kPotion, -1},
      {"bomb", 0, 3, battlecommandstest::kBomb, 2, "", kMenuSound, 7 + battlecommandstest::kBomb, -1},
      {"smoke on the ground", 0, 3, battlecommandstest::kSmoke, 4, "", kMenuSound, 7 + battlecommandstest::kSmoke, -1},
      {"incense on oneself", 0, 3, battlecommandstest::kIncense, 0, "", kMenuSound, 7 + battlecommandstest::kIncense, 3},
      {"a kind not for battle", 0, 3, battlecommandstest::kCurse, 1, "", nullptr, -1, -1},
      {"a row past the list", 0, 3, 40, 1, "", kMenuSound, -1, -1},
      {"pass", 0, 7, 0, 1, "", kWarning, -1, -1},
      {"auto past the tactics rows", 0, 5, 5, 1, "", kMenuSound, -1, -1},
      {"equip what nobody wears", 0, 8, battlecommandstest::kBread, 1, "빵 장착할 수 없습니다", kMenuSound, -1, -1},
      {"heal", 0, 9, kHeal, 3, "", kMenuSound, kHeal, -1},
      {"fire", 0, 9, kFire, 2, "", kMenuSound, kFire, -1},
      {"meteor", 0, 9, kMeteor, 4, "", kMenuSound, kMeteor, -1},
      {"magic beyond the MP", 0, 9, kCostly, 1, "매직포인트가 부족합니다", kMenuSound, -1, -1},
      {"resurrection, nobody fallen", 0, 9, kResurrection, 1, "치료할 대상이 없습니다", kMenuSound, kResurrection, -1},
      {"slash", 1, 10, kSlash, 2, "", kMenuSound, kSlash, -1},
      {"skill beyond the points", 1, 10, kDear, 1, "스킬포인트가 부족합니다", kMenuSound, -1, -1},
      {"skill without weapon", 0, 10, kSlash, 1, "장착된 무기가 없습니다", kMenuSound, -1, -1},
      {"bloodletting, nobody fallen", 1, 10, kBloodletting, 1, "치료할 대상이 없습니다", kMenuSound, kBloodletting, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TurnOf(c.member);
    testsupport::DebugLogCapture log;
    m_frame.OnMessage(nullptr, 6, c.command, c.index, 0);
    EXPECT_EQ(m_frame.m_command, c.command);
    EXPECT_EQ(m_frame.m_battlePhase, c.phase);
    EXPECT_EQ(m_frame.m_caption, c.caption);
    for (const char* sound : {kMenuSound, kWarning}) EXPECT_EQ(log.Contains(sound), sound == c.sound) << sound;
    const Finishing& heard = Member(c.member).finishing;
    const auto sent = [&](int code) { return std::find(heard.messages.begin(), heard.messages.end(), code); };
    if (c.chosen < 0) {
      EXPECT_EQ(sent(kMsgChosenIndex), heard.messages.end());
    } else {
      ASSERT_NE(sent(kMsgChosenIndex), heard.messages.end());
      EXPECT_EQ(heard.values[static_cast<size_t>(sent(kMsgChosenIndex) - heard.messages.begin())][0], c.chosen);
    }
    if (c.orderKind < 0) {
      EXPECT_EQ(sent(kMsgOrder), heard.messages.end());
    } else {
      ASSERT_NE(sent(kMsgOrder), heard.messages.end());
      const auto& v = heard.values[static_cast<size_t>(sent(kMsgOrder) - heard.messages.begin())];
      EXPECT_EQ(v[0], Ptr(&Member(c.member)));
      EXPECT_EQ(v[1], c.orderKind);
    }
    EXPECT_EQ(m_frame.m_groundSelect, c.phase == 4 ? 1 : 0);
    EXPECT_EQ(log.Contains("Invalid Item Type"), c.command == 3 && c.index == battlecommandstest::kCurse);
  }

  // Heal without its catalyst is refused with the catalyst's words.
  session.SetItemCount(7 + battlecommandstest::kDismal, 0);
  TurnOf(0);
  m_frame.OnMessage(nullptr, 6, 9, kHeal, 0);
  EXPECT_EQ(m_frame.m_battlePhase, 1);
  EXPECT_EQ(m_frame.m_caption, "디스말이 없습니다");
  session.SetItemCount(7 + battlecommandstest::kDismal, 1);

  // A self-aimed skill pays at once; a self-aimed magic too.
  TurnOf(1);
  m_frame.OnMessage(nullptr, 6, 10, kFocus, 0);
  EXPECT_EQ(m_frame.m_battlePhase, 0);
  EXPECT_LT(session.players[1].mp1, 50);
  TurnOf(0);
  m_frame.OnMessage(nullptr, 6, 9, kShield, 0);
  EXPECT_EQ(m_frame.m_battlePhase, 0);
  EXPECT_LT(session.players[0].mp1 + session.players[0].mp2 + session.players[0].mp3, 150);

  // Auto: the tactics chosen by row, and the order at once.
  TurnOf(0);
  m_frame.OnMessage(nullptr, 6, 5, 2, 0);
  EXPECT_EQ(session.players[0].tacticsId, 3);
  EXPECT_EQ(m_frame.m_battlePhase, 0);
  EXPECT_NE(std::find(Member(0).finishing.messages.begin(), Member(0).finishing.messages.end(), kMsgOrder),
            Member(0).finishing.messages.end());
}

TEST_F(BattleCommandsTest, FleeingFailsWithTheSetsWordsOrTheRollAndSucceedsOnlyByTheRoll) {
  Enter();
  CSession& session = CSession::GetInstance();
  session.players[0].luck = 500;  // the roll cannot fail
  m_frame.m_battleSet.fleeRefusals = {"못 도망간다", "길이 막혔다"};
  TurnOf(0);
  Member(0).m_timeGauge = 100.0f;
  platform::QueueRand({1});
  m_frame.OnMessage(nullptr, 6, 4, 0, 0);
  EXPECT_EQ(m_frame.m_command, 7);
  EXPECT_EQ(m_frame.m_battlePhase, 0);
  EXPECT_EQ(Member(0).m_timeGauge, 0.0f);
  EXPECT_EQ(m_frame.m_caption, "길이 막혔다");

  m_frame.m_battleSet.fleeRefusals.clear();
  session.players[0].luck = 0;  // nor succeed
  TurnOf(0);
  m_frame.OnMessage(nullptr, 6, 4, 0, 0);
  EXPECT_EQ(m_frame.m_command, 7);
  EXPECT_EQ(m_frame.m_caption, "도주 실패");

  session.players[0].luck = 500;
  TurnOf(0);
  m_frame.OnMessage(nullptr, 6, 4, 0, 0);
  EXPECT_EQ(m_frame.m_command, 4);  // the battle mode runs away
  EXPECT_EQ(m_frame.m_caption, "");
}

TEST_F(BattleCommandsTest, AJointMagicCallsItsPartnerBeforeTheCastIsChecked) {
  SetParty({0, 1, 2});
  Enter();
  CSession& session = CSession::GetInstance();
  ASSERT_TRUE(CMagicList::GetInstance().Build(4, 0));
  TurnOf(0);
  m_frame.OnMessage(nullptr, 6, 9, kJoint, 0);  // no "ai" in the party
  EXPECT_EQ(m_frame.m_caption, "협력 마법입니다");
  EXPECT_EQ(m_frame.m_partner, nullptr);

  PlayerData& ai = session.players[2];
  ai.engname = "ai";
  ai.ismagicman = 1;
  ai.mp1 = ai.mp2 = ai.mp3 = 50;
  Member(2).finishing.messages.clear();
  TurnOf(0);
  m_frame.OnMessage(nullptr, 6, 9, kJoint, 0);
  EXPECT_EQ(m_frame.m_caption, "");
  EXPECT_EQ(m_frame.m_battlePhase, 2);
  EXPECT_EQ(m_frame.m_partner, &Member(2));
  EXPECT_EQ(Member(2).finishing.messages, std::vector<int>{kMsgPartnerCast});
  // A cast refused for the caster's points has called the partner all the same.
  PlayerData& sizz = session.players[0];
  const std::array<int32_t, 3> mp{sizz.mp1, sizz.mp2, sizz.mp3};
  sizz.mp1 = sizz.mp2 = sizz.mp3 = 0;
  Member(2).finishing.messages.clear();
  m_frame.m_partner = nullptr;
  TurnOf(0);
  m_frame.OnMessage(nullptr, 6, 9, kJoint, 0);
  EXPECT_EQ(m_frame.m_caption, "매직포인트가 부족합니다");
  EXPECT_EQ(m_frame.m_partner, &Member(2));
  EXPECT_EQ(Member(2).finishing.messages, std::vector<int>{kMsgPartnerCast});
  sizz.mp1 = mp[0];
  sizz.mp2 = mp[1];
  sizz.mp3 = mp[2];
}

TEST_F(BattleCommandsTest, RevivalIsRefusedWhileFourStandAndOffersTheFallen) {
  SetParty({0, 1, 2, 3});
  Enter();
  CItemList::GetInstance().Build(-1, 0);
  TurnOf(0);
  m_frame.OnMessage(nullptr, 6, 3, battlecommandstest::kSage, 0);
  EXPECT_EQ(m_frame.m_caption, "사용할 수 없습니다");
  EXPECT_EQ(m_frame.m_battlePhase, 1);

  Member(3).m_actionCode = kActRemoved;  // fallen
  TurnOf(0);
  m_frame.OnMessage(nullptr, 6, 3, battlecommandstest::kSage, 0);
  EXPECT_EQ(m_frame.m_caption, "");
  EXPECT_EQ(m_frame.m_battlePhase, 3);
  ASSERT_EQ(m_frame.m_targetCount, 1);
  EXPECT_EQ(m_frame.m_targetList[0], &Member(3));
}

TEST_F(BattleCommandsTest, ListsOfferPanickedAndPetrifiedAlliesAndTheCursorWrapsOntoItself) {
  SetParty({0, 1, 2});
  Enter();
  CSession& session = CSession::GetInstance();
  session.players[1].stateid = kPanic;
  session.players[2].stateid = kStone;
  session.players[0].stateid = kPanic;  // the current member is never its own target
  m_frame.m_pCurrentBattleActor = &Member(0);
  m_frame.BuildTargetList(0);
  ASSERT_EQ(m_frame.m_targetCount, 3);
  EXPECT_EQ(m_frame.m_targetList[0], &Wolf());
  EXPECT_EQ(m_frame.m_targetList[1], &Member(1));
  EXPECT_EQ(m_frame.m_targetList[2], &Member(2));
  EXPECT_EQ(m_frame.m_lastEnemyTarget, &Wolf());

  // The remembered ally holds the cursor.
  m_frame.m_lastAllyTarget = &Member(2);
  m_frame.BuildTargetList(1);
  EXPECT_EQ(m_frame.m_targetCount, 3);
  EXPECT_EQ(m_frame.m_targetCursor, 2);
  Press(kPadDown);
  m_frame.MoveTargetCursor();
  EXPECT_EQ(m_frame.m_targetCursor, 0);
  g_pMainKeyPad->m_buttons = {};
  Press(kPadUp);
  m_frame.MoveTargetCursor();
  EXPECT_EQ(m_frame.m_targetCursor, 2);

  // One enemy: back and forth keep it.
  session.players[1].stateid = session.players[2].stateid = 0;
  m_frame.BuildTargetList(0);
  ASSERT_EQ(m_frame.m_targetCount, 1);
  for (int button : {kPadUp, kPadDown}) {
    g_pMainKeyPad->m_buttons = {};
    Press(button);
    m_frame.MoveTargetCursor();
    EXPECT_EQ(m_frame.m_targetCursor, 0);
  }

  // The mouse moving over a participant's rectangle puts the cursor there.
  m_frame.BuildTargetList(1);
  g_pMainKeyPad->m_buttons = {};
  g_pickRegionList.Add(100, 140, 50, 120, 5, &Member(1));
  CMouse& mouse = CMouse::GetInstance();
  mouse.m_x = 120, mouse.m_y = 80;
  EXPECT_TRUE(m_frame.MoveTargetCursor());
  EXPECT_EQ(m_frame.m_targetCursor, 2);  // still: the mouse has not moved
  mouse.m_dx = 3;
  EXPECT_TRUE(m_frame.MoveTargetCursor());
  EXPECT_EQ(m_frame.m_targetCursor, 1);
  mouse.m_x = 200;
  EXPECT_FALSE(m_frame.MoveTargetCursor());
}

TEST_F(BattleCommandsTest, AnEmptyListRefusesWithTheWarningAndKeepsTheMenu) {
  Enter();
  CSession::GetInstance().players[0].weapon = 7 + battlecommandstest::kDagger;
  Wolf().m_actionCode = kActDying;
  TurnOf(0);
  testsupport::DebugLogCapture log;
  m_frame.OnMessage(nullptr, 6, 0, 0, 0);
  EXPECT_EQ(m_frame.m_battlePhase, 1);
  EXPECT_TRUE(log.Contains(kWarning));
  EXPECT_FALSE(log.Contains(kMenuSound));
}

TEST_F(BattleCommandsTest, ConfirmingATargetOrdersTheMemberAndPaysTheCost) {
  SetParty({0, 1, 2});
  Enter(2);
  CSession& session = CSession::GetInstance();
  session.players[1].weapon = 7 + battlecommandstest::kDagger;
  session.players[1].cp = 100;
  TurnOf(1);
  m_frame.OnMessage(nullptr, 6, 0, 0, 0);
  ASSERT_EQ(m_frame.m_battlePhase, 2);
  EXPECT_EQ(m_frame.m_targetCursor, 0);
  Press(kPadDown);
  m_frame.BattleMenuInput();  // the cursor steps onto the second wolf
  EXPECT_EQ(m_frame.m_lookTarget, &Wolf(1));
  EXPECT_EQ(m_frame.m_battlePhase, 2);
  g_pMainKeyPad->m_buttons = {};
  Press(4);
  testsupport::DebugLogCapture log;
  m_frame.BattleMenuInput();
  EXPECT_TRUE(log.Contains(kAimSound));
  EXPECT_EQ(m_frame.m_battlePhase, 0);
  EXPECT_EQ(m_frame.m_lastEnemyTarget, &Wolf(1));
  const Finishing& heard = Member(1).finishing;
  ASSERT_EQ(heard.messages.back(), kMsgOrder);
  EXPECT_EQ(heard.values.back(), (std::array<intptr_t, 3>{Ptr(&Wolf(1)), 0, 1}));  // special at 100 points

  // A magic at an ally pays when it is confirmed.
  g_pMainKeyPad->m_buttons = {};
  ASSERT_TRUE(CMagicList::GetInstance().Build(4, 0));
  TurnOf(0);
  m_frame.OnMessage(nullptr, 6, 9, kHeal, 0);
  ASSERT_EQ(m_frame.m_battlePhase, 3);
  const PlayerData& sizz = session.players[0];
  EXPECT_EQ(sizz.mp1 + sizz.mp2 + sizz.mp3, 150);
  Press(5);
  m_frame.BattleMenuInput();
  EXPECT_LT(sizz.mp1 + sizz.mp2 + sizz.mp3, 150);
  EXPECT_EQ(session.GetItemCount(7 + battlecommandstest::kDismal), 0);  // heal's catalyst
  EXPECT_EQ(m_frame.m_battlePhase, 0);
  EXPECT_EQ(Member(0).finishing.messages.back(), kMsgOrder);
  EXPECT_EQ(Member(0).finishing.values.back()[1], 9);
  EXPECT_EQ(m_frame.m_lastAllyTarget, &Member(0));
}

class GroundCursorTest : public BattleCommandsTest {
 protected:
  GroundCursorTest() {
    m_ground.Allocate(21, 15);  // odd both ways
    Context().m_pGround = &m_ground;
  }
  // A triangle over the whole screen names the cell.
  void GroundUnderEverything(int column, int row) {
    CGroundPickList& picks = m_frame.GetView()->m_groundPicks;
    picks.Clear();
    picks.Add(new C3dGroundPickInfo(column, row, {-10.0f, -10.0f, 1.0f}, {2000.0f, -10.0f, 1.0f},
                                    {-10.0f, 2000.0f, 1.0f}));
    if (picks.At(0)->HitTest(320.0f, 240.0f)) return;
    picks.Clear();
    picks.Add(new C3dGroundPickInfo(column, row, {-10.0f, -10.0f, 1.0f}, {-10.0f, 2000.0f, 1.0f},
                                    {2000.0f, -10.0f, 1.0f}));
  }

  C3dGround m_ground;
};

TEST_F(GroundCursorTest, KeysStepByTheCameraSectorAndTheMouseTakesItsCell) {
  CSelvarinView& view = *m_frame.GetView();
  GroundUnderEverything(10, 7);
  float x = 0.0f, z = 0.0f;
  // The mouse's cell; its centre with integer halves.
  m_frame.MoveGroundCursor(&x, &z);
  EXPECT_EQ(m_frame.m_groundCursor.cellX, 10);
  EXPECT_EQ(m_frame.m_groundCursor.cellZ, 7);
  EXPECT_FLOAT_EQ(x, 10.0f * (10 - 10) + 5.0f);
  EXPECT_FLOAT_EQ(z, 10.0f * (7 - 7) + 5.0f);

  struct Case {
    float heading;
    int button;
    int dx, dz;
  };
  // Buttons 3, 4, 2 and 5 name the screen directions 2, 6, 4 and 0, turned
  // by the camera's sector.
  const Case cases[] = {
      {0.0f, 5, 0, -1},   {0.0f, 3, -1, 0},  {0.0f, 4, 1, 0},    {22.5f, 5, -1, -1}, {45.0f, 2, 1, 1},
      {90.0f, 5, -1, 0},  {90.0f, 2, 1, 0},  {180.0f, 5, 0, 1},  {180.0f, 3, 1, 0},  {337.5f, 5, 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.heading << " " << c.button);
    m_frame.m_groundCursor = {};
    view.m_yaw = c.heading;
    g_pMainKeyPad->m_buttons = {};
    Press(c.button);
    m_frame.MoveGroundCursor(&x, &z);
    EXPECT_EQ(m_frame.m_groundCursor.dx, c.dx);
    EXPECT_EQ(m_frame.m_groundCursor.dz, c.dz);
    EXPECT_EQ(m_frame.m_groundCursor.cellX, 10 + c.dx);
    EXPECT_EQ(m_frame.m_groundCursor.cellZ, 7 + c.dz);
  }

  // Offsets stop at 13 cells around the centre's cell.
  m_frame.m_groundCursor = {};
  view.m_yaw = 0.0f;
  for (int i = 0; i < 20; ++i) {
    g_pMainKeyPad->m_buttons = {};
    Press(4);
    m_frame.MoveGroundCursor(&x, &z);
  }
  EXPECT_EQ(m_frame.m_groundCursor.dx, 13);
  EXPECT_EQ(m_frame.m_groundCursor.cellX, 23);

  // Back to the mouse: no cell under it keeps the cell before.
  g_pMainKeyPad->m_buttons = {};
  CMouse::GetInstance().m_dx = 2;
  m_frame.GetView()->m_groundPicks.Clear();
  m_frame.MoveGroundCursor(&x, &z);
  EXPECT_EQ(m_frame.m_groundCursor.dx, 0);
  EXPECT_EQ(m_frame.m_groundCursor.cellX, 23);
  EXPECT_FLOAT_EQ(x, 10.0f * (23 - 10) + 5.0f);
}

TEST_F(GroundCursorTest, ConfirmingTheGroundSendsThePointThenTheOrder) {
  Enter();
  GroundUnderEverything(4, 3);
  TurnOf(0);
  m_frame.OnMessage(nullptr, 6, 2, 0, 0);
  ASSERT_EQ(m_frame.m_battlePhase, 4);
  Press(4);
  m_frame.BattleMenuInput();
  EXPECT_EQ(m_frame.m_battlePhase, 0);
  EXPECT_EQ(m_frame.m_groundSelect, 0);
  const Finishing& heard = Member(0).finishing;
  ASSERT_GE(heard.messages.size(), 2u);
  EXPECT_EQ(heard.messages[heard.messages.size() - 2], kMsgWalkPoint);
  EXPECT_EQ(heard.messages.back(), kMsgOrder);
  EXPECT_EQ(heard.values.back()[1], 2);

  // A magic at the ground pays when the point is confirmed.
  ASSERT_TRUE(CMagicList::GetInstance().Build(4, 0));
  TurnOf(0);
  m_frame.OnMessage(nullptr, 6, 9, kMeteor, 0);
  ASSERT_EQ(m_frame.m_battlePhase, 4);
  const PlayerData& sizz = CSession::GetInstance().players[0];
  EXPECT_EQ(sizz.mp1 + sizz.mp2 + sizz.mp3, 150);
  g_pMainKeyPad->m_buttons = {};
  Press(4);
  m_frame.BattleMenuInput();
  EXPECT_EQ(m_frame.m_battlePhase, 0);
  EXPECT_LT(sizz.mp1 + sizz.mp2 + sizz.mp3, 150);

  // An item of the area kind is thrown at the point, and the battle runs on.
  CItemList::GetInstance().Build(-1, 0);
  TurnOf(0);
  m_frame.OnMessage(nullptr, 6, 3, battlecommandstest::kSmoke, 0);
  ASSERT_EQ(m_frame.m_battlePhase, 4);
  g_pMainKeyPad->m_buttons = {};
  Press(4);
  m_frame.BattleMenuInput();
  EXPECT_EQ(m_frame.m_battlePhase, 0);
  EXPECT_EQ(heard.messages[heard.messages.size() - 2], kMsgWalkPoint);
  EXPECT_EQ(heard.messages.back(), kMsgOrder);
  EXPECT_EQ(heard.values.back()[1], 3);

  // Any other command at the ground only logs.
  TurnOf(0);
  m_frame.OnMessage(nullptr, 6, 2, 0, 0);
  ASSERT_EQ(m_frame.m_battlePhase, 4);
  m_frame.m_command = 0;
  g_pMainKeyPad->m_buttons = {};
  Press(4);
  testsupport::DebugLogCapture log;
  m_frame.BattleMenuInput();
  EXPECT_TRUE(log.Contains("Error In\t( case BM_SELECT_GROUND )"));
  EXPECT_EQ(Member(0).finishing.messages.back(), kMsgWalkPoint);
}

}  // namespace
