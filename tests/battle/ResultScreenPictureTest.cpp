// The result screen over the dimmed village with the sample party (sizz and
// maria): the wheel spinning, the counted panels with the MVP's pose, the
// level-up panel and a drop's message, each against a golden picture.
#include <string>

#include "battle/ResultScreen.h"
#include "engine/Controller.h"
#include "engine/Mouse.h"
#include "field/SelvarinActor.h"
#include "render/Font.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/battle/BattleVillageTest.h"

namespace {

namespace resultscreenpicturetest {
// The drop's message is text: the fonts are read as the game reads them.
void PrepareParty() {
  EXPECT_TRUE(LoadHangulFont("font\\slvfont1.dat"));
  EXPECT_TRUE(LoadAsciiFont("slvfonte.dat"));
  EXPECT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
  EXPECT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
  EXPECT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
  CSession::GetInstance().Init();
}
}  // namespace resultscreenpicturetest

class ResultScreenPictureTest : public BattleVillageTest {
 protected:
  ResultScreenPictureTest() : BattleVillageTest("ResultScreenPicture", resultscreenpicturetest::PrepareParty) {}
  ~ResultScreenPictureTest() override {
    g_resultScreen = ResultScreenState{};
    CMouse::GetInstance().m_mouseButtons[0] = kStateUp;
    CItemMgr::GetInstance().Free();
    CMagicMgr::GetInstance().Free();
    CSkillMgr::GetInstance().Free();
  }

  // The village as the battle left it, dimmed and kept as the mode's entry
  // does.
  void EnterResultMode() {
    Vec3 spot;
    ASSERT_TRUE(SceneSpot(&spot));
    m_standIn.m_pos = spot;
    m_standIn.m_pos.y = Context().GetStandHeight(spot);
    View().m_pFollow = &m_standIn;
    View().TickCamera();
    CRC& rc = Rc();
    rc.Clear(true);
    ASSERT_TRUE(rc.BeginScene());
    View().RenderBattleScene(rc);
    rc.EndScene();
    m_frame.m_prevMode = kModeField;
    m_frame.m_mode = kModeBattleResult;
    m_frame.DimScreen();
  }
  // Passes of the screen, pressing on the last when asked.
  void Pass(int n, bool pressLast = false) {
    for (int i = 0; i < n; ++i) {
      CMouse::GetInstance().m_mouseButtons[0] = pressLast && i == n - 1 ? kStatePressed : kStateUp;
      m_frame.ShowBattleResult();
      ++m_frame.m_modeTick;
    }
    CMouse::GetInstance().m_mouseButtons[0] = kStateUp;
  }
  std::string Picture(const std::string& golden) {
    m_frame.DrawBattleResult();
    return testsupport::CompareWithGolden(golden, testsupport::PresentedImage(), "tests/battle/golden");
  }
};

TEST_F(ResultScreenPictureTest, TheWheelTheCountedPanelsTheLevelUpAndADrop) {
  CSession& session = CSession::GetInstance();
  ASSERT_EQ(session.partyCount, 2);
  BattleResult& result = m_frame.m_battleResult;
  result.totalExp = 180;
  result.battleLevel = 5;
  result.money = 12;
  result.memberCount = 2;
  result.memberIds = {0, 2, 0, 0};
  result.mvpId = 0;
  result.items[0] = CItemMgr::GetInstance().Find("회복약");
  result.itemCount = 1;
  EnterResultMode();
  Pass(5);
  EXPECT_EQ(Picture("result_wheel_spinning"), "");
  // The wheel is made to stop on the MVP's segment.
  g_resultScreen.roulette = Roulette{4, 0, 0, 9};
  Pass(30);
  EXPECT_EQ(g_resultScreen.phase, kResultCounting);
  EXPECT_EQ(Picture("result_counting"), "");
  for (int i = 0; i < 300 && g_resultScreen.phase == kResultCounting; ++i) Pass(1);
  ASSERT_EQ(g_resultScreen.phase, kResultLevelUp);
  EXPECT_EQ(session.players[0].lvl, 4);
  Pass(60);
  EXPECT_EQ(g_resultScreen.valuesShown, 1);
  EXPECT_EQ(Picture("result_level_up"), "");
  Pass(1, true);
  ASSERT_EQ(g_resultScreen.phase, kResultItems);
  EXPECT_EQ(Picture("result_item"), "");
  Pass(1, true);
  ASSERT_EQ(g_resultScreen.phase, kResultMoney);
  Pass(1, true);
  Pass(1, true);
  EXPECT_EQ(m_frame.m_pendingMode, kModeField);
}

}  // namespace
