// The battle's heads-up display over the sample village, drawn as the battle
// mode draws a frame, against a golden picture: a member in a pinch on a
// hidden blink phase, condition icons, the hit counter, a full combat-point
// bar with its marker, and a skeleton in the target panel; the caption of a
// skeleton's theft; and the fire spirit of "무스펠" walking up and hitting.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "battle/BattlePlayer.h"
#include "battle/SpawnedBattleObjects.h"
#include "battle/enemy/BattleWildBoar.h"
#include "battle/enemy/EnemyKinds.h"
#include "field/BattleSet.h"
#include "platform/Surface.h"
#include "render/Font.h"
#include "rules/Condition.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/battle/BattleVillageTest.h"

namespace {

class BattleHudDrawTest : public BattleVillageTest {
 protected:
  BattleHudDrawTest() : BattleVillageTest("BattleHudDraw", PrepareHudParty) {}

  bool SetUpBattle() {
    if (!StartSkeletonBattle(2)) return false;
    for (int i = 0; i < 80; ++i) Context().UpdateBattleObjects();
    return true;
  }
};

TEST_F(BattleHudDrawTest, PinchConditionsHitCounterAndAFullGauge) {
  ASSERT_TRUE(SetUpBattle());
  CSession& session = CSession::GetInstance();
  PlayerData& leader = *session.GetPartyMember(0);
  PlayerData& second = *session.GetPartyMember(1);
  leader.cp = 100;
  second.hp = second.maxhp / 5;  // in a pinch: its number blinks
  second.stateid = kPoison2 | kPanic | kCurse;
  m_frame.m_mode = kModeBattle;
  m_frame.m_battlePhase = 0;
  m_frame.m_modeTick = 72;  // past the fade; the pinch number's hidden phase, the full bar's shown one
  m_frame.m_pCurrentBattleActor = leader.battlePtr;
  m_frame.m_lookTarget = Context().m_battleEnemies.front();
  m_frame.m_battleCounter = m_frame.m_hitShown = 3;
  m_frame.m_hitTicks = 40;
  m_frame.DrawBattle();
  EXPECT_EQ(testsupport::CompareWithGolden("battle_hud", testsupport::PresentedImage(), "tests/battle/golden"), "");
}

// The wild boar and the guru met together: the battle opens with both
// their figures on the time-gauge bar, the boar's from the shared icon
// sheet and the guru's larger.
TEST_F(BattleHudDrawTest, TheBoarAndTheGuruOpenWithTheirFiguresOnTheBar) {
  ASSERT_TRUE(StartBattleOf({{"멧돼지", "boar"}, {"구루", "guru"}}, 2));
  EXPECT_TRUE(Context().m_battleEnemies.front()->IsKindOf(typeid(CBattleWildBoar)));
  EXPECT_TRUE(Context().m_battleEnemies.back()->IsKindOf(typeid(CBattleGuru)));
  for (int i = 0; i < 80; ++i) Context().UpdateBattleObjects();
  // Their gauges come out a point apart; set the guru's back so the two
  // figures stand apart on the bar.
  dynamic_cast<CBattleActor*>(Context().m_battleEnemies.back())->m_timeGauge = 15.0f;
  m_frame.m_mode = kModeBattle;
  m_frame.m_battlePhase = 0;
  m_frame.m_modeTick = 72;  // past the fade
  m_frame.DrawBattle();
  EXPECT_EQ(testsupport::CompareWithGolden("boar_guru_opening", testsupport::PresentedImage(), "tests/battle/golden"),
            "");
}

// A battle line names its speaker as the script does ("시즈"): the window
// shows that member's portrait on its top edge, as the field's does; a
// line without a speaker shows none.
TEST_F(BattleHudDrawTest, ABattleLineShowsItsSpeakersPortrait) {
  m_frame.m_mode = kModeBattle;
  m_frame.m_messageState = 5;
  m_frame.m_messageLine = 0;
  m_frame.m_messageLines[0] = "늑대다! 다들 조심해!";
  platform::Surface& target = *g_3dDevice.RenderTarget();
  const auto portraitArea = [&](const char* speaker) {
    m_frame.m_messageSpeaker = speaker;
    target.Fill(nullptr, 0x4208);
    m_frame.DrawBattleMessage();
    std::vector<uint16_t> pixels;
    for (int y = 480 - 128 - 48; y < 480 - 128; ++y) pixels.insert(pixels.end(), target.Row(y) + 31, target.Row(y) + 31 + 48);
    return pixels;
  };
  const std::vector<uint16_t> bare(48 * 48, 0x4208);
  const std::vector<uint16_t> sizz = portraitArea("시즈");
  EXPECT_EQ(std::count(sizz.begin(), sizz.end(), 0x4208), 0);
  EXPECT_EQ(sizz, portraitArea("sizz"));
  const std::vector<uint16_t> maria = portraitArea("마리아");
  EXPECT_EQ(std::count(maria.begin(), maria.end(), 0x4208), 0);
  EXPECT_NE(maria, sizz);
  EXPECT_EQ(portraitArea(""), bare);
}

// The skeleton's chosen theft reaches the leader as its skill object will
// apply it: the gold drops and the battle caption names the loss.
TEST_F(BattleHudDrawTest, ASkeletonsTheftShowsItsCaption) {
  ASSERT_TRUE(SetUpBattle());
  CSession& session = CSession::GetInstance();
  constexpr int kTheft = 124;
  ASSERT_EQ(CSkillMgr::GetInstance().Find("도둑질"), kTheft);
  session.gold = 5000;
  auto* skeleton = dynamic_cast<CBattleActor*>(session.enemies[0].actor);
  auto* leader = dynamic_cast<CBattleActor*>(session.GetPartyMember(0)->battlePtr);
  ASSERT_NE(skeleton, nullptr);
  ASSERT_NE(leader, nullptr);
  skeleton->m_chosenIndex = kTheft;
  skeleton->m_target = leader;
  CBattleSkill* object = Context().MakeBattleSkill(skeleton, leader, kTheft);
  EXPECT_EQ(session.ApplySkillEffect(0, false, 0, true, kTheft, object, 0), 0);
  EXPECT_LT(session.gold, 5000);
  char expected[96];
  std::snprintf(expected, sizeof expected, "적에게 %d길드를 빼았겼습니다.", 5000 - session.gold);
  EXPECT_EQ(m_frame.m_caption, expected);
  m_frame.m_mode = kModeBattle;
  m_frame.m_battlePhase = 0;
  m_frame.m_modeTick = 72;
  m_frame.m_pCurrentBattleActor = leader;
  m_frame.DrawBattle();
  EXPECT_EQ(testsupport::CompareWithGolden("battle_skill_theft", testsupport::PresentedImage(), "tests/battle/golden"),
            "");
}

// "무스펠" on a ground point past the skeletons: the fire
// spirit walks up to the stronger skeleton, and its blows show their digits.
TEST_F(BattleHudDrawTest, TheFireSpiritWalksUpAndItsBlowsShowTheirDigits) {
  ASSERT_TRUE(SetUpBattle());
  CSession& session = CSession::GetInstance();
  auto* leader = dynamic_cast<CBattleActor*>(session.GetPartyMember(0)->battlePtr);
  auto* skeleton = dynamic_cast<CBattleActor*>(session.enemies[0].actor);
  ASSERT_NE(leader, nullptr);
  ASSERT_NE(skeleton, nullptr);
  leader->m_targetX = skeleton->m_pos.x + 25.0f;
  leader->m_targetZ = skeleton->m_pos.z;
  // The skill as the battle resolves a member's chosen one.
  const int muspel = CSkillMgr::GetInstance().Find("무스펠");
  ASSERT_EQ(muspel, 177);
  leader->m_chosenIndex = muspel;
  leader->m_target = nullptr;
  session.ResolveSkill(0, true);
  CBattleRecall* spirit = nullptr;
  for (CActor* object : Context().m_battleObjects) {
    if (auto* found = dynamic_cast<CBattleRecall*>(object)) spirit = found;
  }
  ASSERT_NE(spirit, nullptr);
  ASSERT_EQ(spirit->m_sprName, "몬스터\\괴물형\\전투\\이프리트_기본.spr");
  m_frame.m_mode = kModeBattle;
  m_frame.m_battlePhase = 0;
  m_frame.m_modeTick = 72;
  m_frame.m_pCurrentBattleActor = leader;
  for (int i = 0; i < 8; ++i) Context().UpdateBattleObjects();
  ASSERT_EQ(spirit->m_actionCode, kActApproach);
  m_frame.DrawBattle();
  EXPECT_EQ(testsupport::CompareWithGolden("summon_walking", testsupport::PresentedImage(), "tests/battle/golden"), "");
  const auto hitPoints = [&session] { return session.enemies[0].hp + session.enemies[1].hp; };
  const int32_t before = hitPoints();
  for (int i = 0; i < 200 && hitPoints() == before; ++i) Context().UpdateBattleObjects();
  ASSERT_LT(hitPoints(), before);
  for (int i = 0; i < 4; ++i) Context().UpdateBattleObjects();
  m_frame.DrawBattle();
  EXPECT_EQ(testsupport::CompareWithGolden("summon_digits", testsupport::PresentedImage(), "tests/battle/golden"), "");
}

}  // namespace
