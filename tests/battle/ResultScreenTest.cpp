// The battle result screen's rules: the experience by level gap, the
// shares by the roulette's segment, the level skills, the number layout,
// and walks through the screen's phases on a small session.
#include "battle/ResultScreen.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <limits>
#include <string>

#include "engine/Controller.h"
#include "engine/Mouse.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/Random.h"
#include "script/ScriptVariables.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/support/GameFolder.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(ResultScreenRulesTest, ExperienceScalesByTheGapUpToTheBattleLevel) {
  struct Case {
    int32_t gap, exp, expected;
  };
  const Case cases[] = {
      {-40, 1, 1}, {-11, 100, 6}, {-10, 100, 11}, {-4, 90, 63}, {-2, 100, 91}, {-1, 100, 100},
      {0, 100, 100}, {1, 100, 100}, {2, 100, 125}, {3, 100, 155}, {4, 100, 175}, {5, 100, 200}, {30, 100, 200},
  };
  for (const Case& c : cases) EXPECT_EQ(ScaleExpByLevelGap(50, 50 + c.gap, c.exp), c.expected) << c.gap;
  EXPECT_EQ(ScaleExpByLevelGap(1, 99, std::numeric_limits<int32_t>::max()), std::numeric_limits<int32_t>::max());
}

TEST(ResultScreenRulesTest, SharesFollowTheSegmentTheWheelStoppedOn) {
  struct Case {
    const char* name;
    ShareQuestion q;
    int64_t amount;
    bool paid, mvp;
  };
  // q: segment, n, T, battle level, member level, leader, mvp, earring.
  const Case cases[] = {
      {"even split", {0, 2, 100, 10, 10, false, false, false}, 50, true, false},
      {"even split, earring", {8, 2, 100, 10, 10, false, false, true}, 150, true, false},
      {"even split scales before dividing", {0, 2, 1000, 10, 30, false, false, false}, 25, true, false},
      {"alone, even split", {8, 1, 100, 10, 10, false, false, false}, 100, true, false},
      {"leader takes all", {12, 2, 100, 10, 10, true, false, false}, 100, true, false},
      {"leader takes all, earring", {12, 2, 100, 10, 10, true, false, true}, 200, true, false},
      {"not the leader", {12, 2, 100, 10, 10, false, true, true}, 0, false, false},
      {"mvp alone", {4, 1, 100, 10, 10, false, true, false}, 100, true, true},
      {"mvp of three", {4, 3, 100, 10, 10, false, true, false}, 50, true, true},
      {"mvp of three, earring", {4, 3, 100, 10, 10, false, true, true}, 150, true, true},
      {"other of three", {4, 3, 100, 10, 10, false, false, false}, 25, true, false},
      {"other of three, earring", {4, 3, 100, 10, 10, false, false, true}, 50, true, false},
      {"other of three scales after dividing", {4, 3, 1000, 10, 30, false, false, false}, 13, true, false},
      {"other of three, far below", {4, 3, 100, 15, 10, false, false, false}, 50, true, false},
      {"alone and not the mvp", {4, 1, 100, 10, 10, false, false, true}, 200, true, false},
      {"nobody shown", {0, 0, 100, 10, 10, false, false, false}, 100, true, false},
      {"clamped", {0, 1, std::numeric_limits<int32_t>::max(), 20, 10, false, false, true}, 999999, true, false},
  };
  for (const Case& c : cases) {
    const ResultShare share = ShareFor(c.q);
    EXPECT_EQ(share.amount, c.amount) << c.name;
    EXPECT_EQ(share.paid, c.paid) << c.name;
    EXPECT_EQ(share.isMvp, c.mvp) << c.name;
  }
}

TEST(ResultScreenRulesTest, LevelSkillsAreListedByExactLevel) {
  struct Case {
    int32_t id, level, skill;
  };
  const Case cases[] = {{0, 3, 17}, {9, 50, 56}, {0, 4, 0},   {10, 8, 97}, {1, 55, 99}, {11, 25, 102}, {3, 44, 1},
                        {4, 63, 105}, {5, 21, 108}, {6, 1, 124}, {6, 50, 119}, {7, 23, 126}, {8, 50, 110}, {12, 3, 0}};
  for (const Case& c : cases) EXPECT_EQ(LevelSkillFor(c.id, c.level), c.skill) << c.id << " " << c.level;
}

TEST(ResultScreenRulesTest, NumbersAreRightAlignedAndBadTextDrawsNothing) {
  EXPECT_TRUE(LayOutResultNumber(0, "1234567").empty());
  const std::vector<ResultDigit> digits = LayOutResultNumber(10, "12a3");
  ASSERT_EQ(digits.size(), 3u);
  // Four characters start at 102 - 68; the letter takes no room.
  EXPECT_EQ(digits[0].digit, 1);
  EXPECT_EQ(digits[0].x, 10 + 34);
  EXPECT_EQ(digits[1].x, 10 + 51);
  EXPECT_EQ(digits[2].digit, 3);
  EXPECT_EQ(digits[2].x, 10 + 68);
  const std::vector<ResultDigit> six = LayOutResultNumber(0, "999999");
  ASSERT_EQ(six.size(), 6u);
  EXPECT_EQ(six.back().x + 17, 102);
  EXPECT_STREQ(StatChangeMark(99, 100), "%");
  EXPECT_STREQ(StatChangeMark(1234, 1235), "-");
  EXPECT_STREQ(StatChangeMark(12, 12), "-");
}

TEST(ResultScreenRulesTest, TheWheelSlowsDownAndStopsOnAQuarter) {
  Roulette wheel;
  int tick = 0;
  for (; tick < 6; ++tick) TurnRoulette(wheel, tick);
  EXPECT_EQ(wheel.segment, 6);
  StopRoulette(wheel);
  while (wheel.stopping != 0 && tick < 200) TurnRoulette(wheel, tick++);
  EXPECT_EQ(wheel.segment, 0);
  EXPECT_EQ(tick, 34);
  EXPECT_EQ(wheel.spinning, 0);
  TurnRoulette(wheel, tick);
  EXPECT_EQ(wheel.segment, 0);
}

TEST(ResultScreenRulesTest, VictoryPosesGoByNameVariantAndWeaponClass) {
  EXPECT_EQ(VictoryPoseSheet("sizz", 2, -1), "주연급\\승리포즈\\시즈1_2");
  EXPECT_EQ(VictoryPoseSheet("maria", 1, -1), "주연급\\승리포즈\\마리아1_1");
  EXPECT_EQ(VictoryPoseSheet("kreutzer", 0, -1), "주연급\\승리포즈\\크로이체르_1");
  EXPECT_EQ(VictoryPoseSheet("tenzi", 0, 8), "주연급\\승리포즈\\텐지_봉");
  EXPECT_EQ(VictoryPoseSheet("tenzi", 0, 3), "");
  EXPECT_EQ(VictoryPoseSheet("nobody", 1, 7), "");
}

// A session of two: the leader sizz (id 0) and a skill user (id 3) who
// wears the tail ring. Every level takes 100 experience.
class ResultWalkTest : public GameFolderTest {
 protected:
  void SetUp() override {
    std::string items;
    for (int i = 0; i < 7; ++i) items += Block("empty" + std::to_string(i), i == 2 ? 0 : 5);
    items += Block("테일핑", 0) + Block("스톤이어링", 5) + Block("회복약", 7) + Block("가죽장화", 4);
    Write("data/diary/item.txt", items);
    Write("data/diary/skill.txt", "#skill < 강타 > < >\n#end\n#skill < 회전베기 > < >\n#end\n");
    Write("data/diary/magic.txt", "#magic < 파이어볼 > < >\n#end\n#magic < 힐링 > < >\n#end\n");
    ASSERT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    ASSERT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
    ASSERT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
    session.Init();
    session.nextlevel.fill(100);
    session.hpmax.fill(100);
    session.partyCount = 0;
    Player(0).engname = "sizz";
    Player(0).name = "시즈";
    Player(0).exp = 150;
    Player(3).engname = "tester";
    Player(3).name = "테스터";
    Player(3).exp = 4250;
    Player(3).ismagicman = 0;
    Player(3).weapon = CItemMgr::GetInstance().Find("테일핑");
    for (int id : {0, 3}) {
      ASSERT_EQ(session.JoinPlayer(id), 1);
      Player(id).UpdateLevel();
    }
    result.totalExp = 200;
    result.battleLevel = 43;
    result.memberCount = 2;
    result.memberIds = {0, 3, 0, 0};
    result.mvpId = 3;
    platform::ClearQueuedRand();
  }
  void TearDown() override {
    platform::ClearQueuedRand();
    g_resultScreen = ResultScreenState{};
    session.Init();
    CItemMgr::GetInstance().Free();
    CSkillMgr::GetInstance().Free();
    CMagicMgr::GetInstance().Free();
  }
  static std::string Block(const std::string& name, int kind) {
    return "#item < " + name + " > < > 0 " + name + "\n#type " + std::to_string(kind) + "\n#param 0\n#sprname icon\\" + name + ".bmp\n#end\n";
  }
  static int Item(const char* name) { return CItemMgr::GetInstance().Find(name); }
  PlayerData& Player(int id) { return session.players[static_cast<size_t>(id)]; }

  // Passes without a press until the phase changes or the limit runs out;
  // the passes taken.
  int RunUntilPhaseLeaves(int phase, int limit) {
    int passes = 0;
    while (s.phase == phase && passes < limit) {
      EXPECT_FALSE(StepResultScreen(s, result, false, tick++));
      ++passes;
    }
    return passes;
  }
  bool Press() { return StepResultScreen(s, result, true, tick++); }

  CSession& session = CSession::GetInstance();
  BattleResult result;
  ResultScreenState s;
  int32_t tick = 0;
};

TEST_F(ResultWalkTest, ASeededWalkThroughEveryPhase) {
  ASSERT_EQ(Player(0).lvl, 2);
  ASSERT_EQ(Player(3).lvl, 43);
  SetScriptVariable(2, "테일핑사용횟수");
  result.items = {Item("회복약"), 3, Item("가죽장화")};
  result.itemCount = 3;
  platform::QueueRand({7});  // sizz's pose: odd, the first variant
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(StepResultScreen(s, result, false, tick++));
  EXPECT_EQ(s.roulette.segment, 5);
  EXPECT_FALSE(Press());
  EXPECT_EQ(s.roulette.stopping, 1);
  while (s.distributed == 0 && tick < 100) EXPECT_FALSE(StepResultScreen(s, result, false, tick++));
  EXPECT_EQ(s.roulette.segment, 0);

  // Segment 0 splits evenly: sizz, 41 levels below, gets 2 x 200 / 2 and
  // jumps from 2 over 3 to 4, announcing nothing (level 4 names no spell);
  // the other gets 100 and reaches 44 exactly, which names one.
  EXPECT_EQ(s.positions[0].poseVariant, 1);
  EXPECT_EQ(s.positions[0].share, 200);
  EXPECT_EQ(Player(0).exp, 350);
  EXPECT_EQ(Player(0).lvl, 4);
  EXPECT_EQ(s.positions[0].learnedId, 0);
  EXPECT_EQ(s.positions[1].share, 100);
  EXPECT_EQ(Player(3).lvl, 44);
  EXPECT_EQ(s.positions[1].learnedId, 1);
  EXPECT_EQ(s.positions[1].isMvp, 0);
  EXPECT_EQ(s.countStep, 1);
  // The third use takes the ring away; the table has no "(무기없음)".
  EXPECT_EQ(GetFieldScriptValue("테일핑사용횟수"), 3);
  EXPECT_EQ(Player(3).weapon, kEmptyWeapon);
  EXPECT_EQ(session.CountItemOwned(Item("회복약")), 1);

  // The level-up effect starts with the distribution, while counting runs.
  EXPECT_EQ(s.effectOn, 1);
  EXPECT_EQ(s.phase, kResultCounting);
  EXPECT_FALSE(StepResultScreen(s, result, false, tick++));
  EXPECT_EQ(s.zoomCountdown, 38);
  // Counting ends by itself when the smaller share is counted; the effect
  // then starts again.
  RunUntilPhaseLeaves(kResultCounting, 200);
  EXPECT_EQ(s.zoomCountdown, 39);
  EXPECT_EQ(s.phase, kResultLevelUp);
  EXPECT_EQ(s.positions[1].counter, 4350);
  EXPECT_LT(s.positions[0].counter, 350);
  for (int i = 0; i < 40; ++i) EXPECT_FALSE(StepResultScreen(s, result, false, tick++));
  EXPECT_EQ(s.whiteFlash, 1);
  EXPECT_NEAR(s.zoomAlpha, 1.0f, 1e-5f);
  for (int i = 0; i < 16; ++i) EXPECT_FALSE(StepResultScreen(s, result, false, tick++));
  EXPECT_EQ(s.valuesShown, 1);
  EXPECT_EQ(s.whiteFlash, 0);
  // 150 passes in all, then the learned skill.
  EXPECT_EQ(RunUntilPhaseLeaves(kResultLevelUp, 200), 150 - 56);
  ASSERT_EQ(s.phase, kResultSkills);
  EXPECT_EQ(CurrentResultMessage(s, result).text, "테스터 회전베기 습득");
  EXPECT_FALSE(Press());
  ASSERT_EQ(s.phase, kResultItems);
  EXPECT_EQ(CurrentResultMessage(s, result).text, "회복약 획득");
  EXPECT_EQ(CurrentResultMessage(s, result).icon, "icon\\회복약.bmp");
  // The empty item 3 ends the list; money 0 is not announced.
  EXPECT_EQ(RunUntilPhaseLeaves(kResultItems, 200), 150);
  ASSERT_EQ(s.phase, kResultTailRing);
  EXPECT_EQ(s.itemShown[2], 0);
  EXPECT_EQ(CurrentResultMessage(s, result).text, "테일핑이 사라졌습니다.");
  EXPECT_EQ(RunUntilPhaseLeaves(kResultTailRing, 300), 300);
  EXPECT_FALSE(Press());
  EXPECT_EQ(s.phase, kResultLastKey);
  EXPECT_TRUE(CurrentResultMessage(s, result).text.empty());
  EXPECT_TRUE(Press());
  EXPECT_EQ(s.phase, 0);
  EXPECT_EQ(s.roulette.spinning, 1);
  EXPECT_EQ(s.positions[1].pending, 1);
}

// A press while the wheel slows down moves on as the end of counting does:
// no level-up is known yet, so the drops come next.
TEST_F(ResultWalkTest, APressWhileTheWheelSlowsMovesOnAsCountingsEnd) {
  result.items = {Item("회복약")};
  result.itemCount = 1;
  EXPECT_FALSE(Press());
  ASSERT_EQ(s.roulette.stopping, 1);
  EXPECT_FALSE(Press());
  EXPECT_EQ(s.distributed, 0);
  ASSERT_EQ(s.phase, kResultItems);
  EXPECT_EQ(CurrentResultMessage(s, result).text, "회복약 획득");
}

TEST_F(ResultWalkTest, SegmentFourCrownsTheMvpAndMoneyIsAnnounced) {
  Player(3).weapon = 2;
  result.money = 35;
  s.roulette = Roulette{4, 0, 0, 9};
  EXPECT_FALSE(StepResultScreen(s, result, false, tick++));
  EXPECT_EQ(s.positions[1].isMvp, 1);
  EXPECT_EQ(s.positions[0].isMvp, 0);
  EXPECT_EQ(s.positions[1].share, 100);  // S(T / 2), the levels even
  EXPECT_EQ(s.positions[0].share, 200);  // S(T / 2 / 1), doubled for the gap
  EXPECT_EQ(s.tailUsed, 0);
  EXPECT_FALSE(Press());  // counting ends: to the level-up
  EXPECT_FALSE(Press());  // to the skill
  EXPECT_FALSE(Press());  // no drops: to the money
  ASSERT_EQ(s.phase, kResultMoney);
  EXPECT_EQ(CurrentResultMessage(s, result).text, "35 길드 획득");
  EXPECT_FALSE(Press());
  EXPECT_EQ(s.phase, kResultLastKey);
}

TEST_F(ResultWalkTest, TheTailRingCountsItsFirstTwoUses) {
  for (const char* expected : {"테일핑을 첫번째 사용했습니다.", "테일핑을 두번째 사용했습니다."}) {
    s = ResultScreenState{};
    result.totalExp = 1;
    EXPECT_FALSE(Press());
    while (s.distributed == 0 && tick < 1000) EXPECT_FALSE(StepResultScreen(s, result, false, tick++));
    while (s.phase != kResultTailRing && s.phase != kResultLastKey) EXPECT_FALSE(Press());
    ASSERT_EQ(s.phase, kResultTailRing);
    EXPECT_EQ(CurrentResultMessage(s, result).text, expected);
    EXPECT_NE(Player(3).weapon, kEmptyWeapon);
  }
}

TEST_F(ResultWalkTest, DropsAndLearnedIdsOutsideTheirTablesAreSkipped) {
  Player(3).ismagicman = 1;
  Player(3).exp = 4390;  // reaches 45; LevelSkillFor names nothing there
  result.items = {500, Item("가죽장화")};
  result.itemCount = 2;
  s.roulette.spinning = 0;
  s.roulette.segment = 8;
  EXPECT_FALSE(StepResultScreen(s, result, false, tick++));
  s.positions[1].learnedId = 40;  // outside the two magic
  s.skillsPending = 1;
  EXPECT_FALSE(Press());  // to the level-up
  EXPECT_FALSE(Press());  // the magic is skipped: to the drops
  ASSERT_EQ(s.phase, kResultItems);
  EXPECT_EQ(s.itemIndex, 1);
  EXPECT_EQ(CurrentResultMessage(s, result).text, "가죽장화 획득");
}

TEST_F(ResultWalkTest, NoExperienceOrAnEscapeLeavesAtOnce) {
  result.totalExp = 0;
  EXPECT_TRUE(StepResultScreen(s, result, false, 0));
  result.totalExp = 200;
  result.skipResult = 1;
  EXPECT_TRUE(StepResultScreen(s, result, false, 0));
  EXPECT_EQ(Player(0).exp, 150);
}

TEST_F(ResultWalkTest, ExperienceStopsAtTheLimit) {
  Player(0).exp = 999990;
  result.memberCount = 1;
  s.roulette.spinning = 0;
  s.roulette.segment = 12;
  EXPECT_FALSE(StepResultScreen(s, result, false, 0));
  EXPECT_EQ(Player(0).exp, 999999);
  EXPECT_EQ(Player(0).lvl, 99);
  EXPECT_EQ(NextLevelText(99), "0");
  EXPECT_EQ(NextLevelText(3), "300");
}

TEST_F(ResultWalkTest, NobodyShownPaysNothingAndMovesOn) {
  result.memberCount = 0;
  s.roulette.spinning = 0;
  EXPECT_FALSE(StepResultScreen(s, result, false, 0));
  EXPECT_EQ(s.countStep, 2);
  EXPECT_EQ(s.phase, kResultLastKey);
  EXPECT_EQ(Player(0).exp, 150);
  result.memberCount = 9;  // read as four
  EXPECT_EQ(ResultMemberCount(result), 4);
}

// The frame's side: where the screen goes back to.
class ResultLeavingTest : public ResultWalkTest {};

TEST_F(ResultLeavingTest, PlayGoesBackToTheModeTheBattleLeft) {
  struct Case {
    int32_t previous, pending, scriptRequest;
  };
  const Case cases[] = {{kModeField, kModeField, 0}, {kModeFieldMenu, kModeField, 0}, {kModeShop, kModeField, 0},
                        {kModeStillMenu, kModeField, 0}, {kModeScript, -1, 1}, {kModeMapView, kModeMapView, 0},
                        {kModeBattleResult, kModeField, 0}};
  for (const Case& c : cases) {
    CSelvarinFrame frame;
    frame.m_pView = new CSelvarinView;
    frame.GetView()->SaveCamera();
    frame.GetView()->m_yaw = 33.0f;
    frame.m_mode = kModeBattleResult;
    frame.m_prevMode = c.previous;
    frame.m_battleResult.skipResult = 1;
    frame.m_battleResult.money = 50;
    frame.ShowBattleResult();
    EXPECT_EQ(frame.m_pendingMode, c.pending) << c.previous;
    EXPECT_EQ(frame.m_scriptModeRequest, c.scriptRequest) << c.previous;
    EXPECT_EQ(frame.m_battleResult.money, 0) << c.previous;
    EXPECT_EQ(frame.GetView()->m_yaw != 33.0f, c.previous == kModeScript) << c.previous;
  }
}

TEST_F(ResultLeavingTest, TwoWonBattlesEachPayOnlyTheirOwn) {
  CSelvarinFrame frame;
  frame.m_mode = kModeBattleResult;
  frame.m_prevMode = kModeField;
  for (int battle = 0; battle < 2; ++battle) {
    frame.m_battleResult.totalExp += 200;
    frame.m_battleResult.battleLevel = Player(3).lvl;
    frame.m_battleResult.memberCount = 1;
    frame.m_battleResult.memberIds = {3, 0, 0, 0};
    const int32_t before = Player(3).exp;
    g_resultScreen.roulette.spinning = 0;
    g_resultScreen.roulette.segment = 8;
    for (int pass = 0; pass < 20 && frame.m_battleResult.totalExp != 0; ++pass) {
      CMouse::GetInstance().m_mouseButtons[0] = pass > 0 ? kStatePressed : kStateUp;
      frame.ShowBattleResult();
    }
    CMouse::GetInstance().m_mouseButtons[0] = kStateUp;
    EXPECT_EQ(Player(3).exp - before, 200) << battle;
  }
}

}  // namespace

// The sample's own tables: sizz, a magic user at level 3, reaches level 6
// and the screen names the spell that level teaches.
class ResultSampleTest : public ::testing::Test {
 protected:
  ResultSampleTest() : m_previous(std::filesystem::current_path()) {
    std::filesystem::current_path(testsupport::BinaryDir() / "game");
    SetResDirectory("\\");
  }
  ~ResultSampleTest() override {
    CSession::GetInstance().Init();
    CItemMgr::GetInstance().Free();
    CMagicMgr::GetInstance().Free();
    CSkillMgr::GetInstance().Free();
    FreePacks();
    std::filesystem::current_path(m_previous);
  }
  // Sizz alone in a battle of level 5 worth 180 (his share: 1.25 x 180 for
  // the gap of 2), the roulette settled on equal shares; its first step.
  static BattleResult SizzAloneFirstStep(ResultScreenState& s) {
    BattleResult result;
    result.totalExp = 180;
    result.battleLevel = 5;
    result.memberCount = 1;
    result.memberIds = {0, 0, 0, 0};
    s.roulette = Roulette{12, 0, 0, 9};
    EXPECT_FALSE(StepResultScreen(s, result, false, 0));
    return result;
  }
  std::filesystem::path m_previous;
};

TEST_F(ResultSampleTest, SizzAnnouncesTheSpellOfLevelSix) {
  ASSERT_TRUE(RegisterPack("data.pak"));
  EXPECT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
  EXPECT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
  EXPECT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
  CSession& session = CSession::GetInstance();
  session.Init();
  ResultScreenState s;
  const BattleResult result = SizzAloneFirstStep(s);
  EXPECT_EQ(session.players[0].lvl, 6);
  EXPECT_EQ(s.positions[0].learnedId, 18);
  EXPECT_FALSE(StepResultScreen(s, result, true, 1));
  EXPECT_FALSE(StepResultScreen(s, result, true, 2));
  ASSERT_EQ(s.phase, kResultSkills);
  EXPECT_EQ(CurrentResultMessage(s, result).text, "시즈 디크리스_zazu 습득");
}

// The level-up panel tells sizz's five attributes before the distribution
// and after it, not what his worn items make of them.
TEST_F(ResultSampleTest, TheLevelUpPanelShowsTheAttributesBeforeAndAfter) {
  ASSERT_TRUE(RegisterPack("data.pak"));
  EXPECT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
  CSession& session = CSession::GetInstance();
  session.Init();
  PlayerData& sizz = session.players[0];
  const std::array<int32_t, 5> before = sizz.levelStats;
  ResultScreenState s;
  SizzAloneFirstStep(s);
  ASSERT_EQ(s.positions[0].levelUp, 1);
  EXPECT_EQ(s.positions[0].statsBefore, before);
  EXPECT_EQ(s.positions[0].statsAfter, sizz.levelStats);
  EXPECT_NE(sizz.levelStats, before);
  // The worn items part them from the derived values the status page
  // shows beside them.
  bool derivedDiffer = false;
  for (int k = 0; k < PlayerData::kStatCount; ++k) derivedDiffer |= sizz.Stat(k) != sizz.levelStats[static_cast<size_t>(k)];
  EXPECT_TRUE(derivedDiffer);
}
