// The sample's sphinx set up for battle on the sample village against a
// stand-in member: its special's close-up in the dimmed scene and its
// strike, and its strike from watching, against golden pictures; then its
// two specials, a name it does not know, its strike from watching and its
// death fought out.
#include <string>

#include "battle/BattlePhase.h"
#include "battle/enemy/ModelBeastKinds.h"
#include "render/TextureMgr.h"
#include "session/EnemySlot.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/battle/BattleVillageTest.h"

namespace {

class SphinxBattleTest : public BattleVillageTest {
 protected:
  SphinxBattleTest()
      : BattleVillageTest("SphinxBattle", [] { EXPECT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt")); }) {}
  ~SphinxBattleTest() override { CSkillMgr::GetInstance().Free(); }

  // The sphinx alone in view, faded in, the member `distance` ahead of it
  // on the camera's side.
  CBattleSphinx3d* SetUpSphinx(float distance) {
    auto* sphinx = dynamic_cast<CBattleSphinx3d*>(SetUpLoneEnemyInView("스핑크스"));
    if (sphinx == nullptr) return nullptr;
    CStandInMember* member = AddStandInMember(Vec3{sphinx->m_pos.x, 0.0f, sphinx->m_pos.z + distance});
    member->m_actionCode = kActIdle;
    Tick(66);  // faded in
    m_member = member;
    return sphinx;
  }
  void Order(CBattleEnemy& enemy, const char* skill) {
    enemy.OnMessage(nullptr, kMsgChosenIndex, CSkillMgr::GetInstance().Find(skill), 0, 0);
    enemy.OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(m_member), 10, 1);
  }
  void Tick(int n) {
    for (int i = 0; i < n; ++i) Context().UpdateBattleObjects();
  }
  // Ticks as the battle mode runs them: none while it holds the world for
  // a flourish.
  void RunBattle(int ticks) {
    for (int t = 0; t < ticks; ++t) {
      m_frame.BattleMenuInput();
      if (m_frame.m_battlePhase == kPhaseRunning) Tick(1);
    }
  }

  CStandInMember* m_member = nullptr;  // the context's
};

TEST_F(SphinxBattleTest, TheSpecialsCloseUpInTheDimmedSceneAndItsStrike) {
  CBattleSphinx3d* sphinx = SetUpSphinx(30.0f);
  ASSERT_NE(sphinx, nullptr);
  Order(*sphinx, "망자의_노래");
  m_frame.m_battlePhase = kPhaseRunning;
  RunBattle(1);
  ASSERT_EQ(sphinx->m_actionCode, kActSpecialHit);
  // The battle mode dims the scene while it holds the world.
  for (int t = 0; t < 60 && g_brightnessFactor >= 0.4f && m_frame.m_battlePhase != kPhaseRunning; ++t) {
    m_frame.BattleMenuInput();
  }
  ASSERT_NE(m_frame.m_battlePhase, kPhaseRunning);
  EXPECT_LT(g_brightnessFactor, 0.4f);
  EXPECT_EQ(Shot("sphinx_move_closeup"), "");
  int event = 0;
  for (int t = 0; t < 200 && event == 0 && sphinx->m_actionCode == kActSpecialHit; ++t) {
    RunBattle(1);
    if (sphinx->m_modelFrame == 18 || sphinx->m_modelFrame == 26) event = sphinx->m_modelFrame;
  }
  ASSERT_NE(event, 0);
  EXPECT_EQ(Shot("sphinx_move_strike"), "");
  g_brightnessFactor = 1.0f;
}

TEST_F(SphinxBattleTest, TheStrikeFromWatching) {
  CBattleSphinx3d* sphinx = SetUpSphinx(8.0f);
  ASSERT_NE(sphinx, nullptr);
  sphinx->m_timeGauge = 40.0f;
  platform::QueueRand({4, 0, 0});
  Tick(1);
  ASSERT_EQ(sphinx->m_actionCode, kActAttack);
  EXPECT_EQ(sphinx->m_action, 2);  // the bite
  EXPECT_EQ(sphinx->m_hitGuardTicks, 5);
  for (int t = 0; t < 40 && sphinx->m_modelFrame != 18; ++t) Tick(1);
  ASSERT_EQ(sphinx->m_modelFrame, 18);
  EXPECT_EQ(Shot("sphinx_watch_strike"), "");
}

// Each name plays the strike and resolves its skill (its name shown); one
// it does not know goes idle after the close-up.
TEST_F(SphinxBattleTest, ItsTwoNamesStrikeAndAnyOtherGoesIdle) {
  struct Course {
    const char* skill;
    const char* expected;
  };
  const Course courses[] = {
      {"망자의_노래", "10018 10065 망자의_노래 10000"},
      {"사신의_미소", "10018 10065 사신의_미소 10000"},
      {"돌진", "10018 10000"},
  };
  for (const Course& c : courses) {
    SCOPED_TRACE(c.skill);
    Context().ReturnFromBattle();
    CBattleSphinx3d* sphinx = SetUpSphinx(30.0f);
    ASSERT_NE(sphinx, nullptr);
    Order(*sphinx, c.skill);
    std::string course = std::to_string(sphinx->m_actionCode);
    m_frame.m_caption.clear();
    m_frame.m_battlePhase = kPhaseRunning;
    for (int t = 0; t < 400; ++t) {
      const int32_t before = sphinx->m_actionCode;
      Tick(1);
      if (!m_frame.m_caption.empty()) course += " " + m_frame.m_caption;
      m_frame.m_caption.clear();
      if (sphinx->m_actionCode != before) course += " " + std::to_string(sphinx->m_actionCode);
      if (sphinx->m_actionCode == kActIdle) break;
    }
    EXPECT_EQ(course, c.expected);
    EXPECT_EQ(m_frame.m_battlePhase, kPhasePause);  // the close-up asked for
    EXPECT_EQ(m_frame.m_pauseLength, 30);
  }
}

// It dies fading 2 a tick, into defeat as its death action ends.
TEST_F(SphinxBattleTest, ItDiesFadingTwoATickIntoDefeat) {
  CBattleSphinx3d* sphinx = SetUpSphinx(30.0f);
  ASSERT_NE(sphinx, nullptr);
  sphinx->SetAction(kActDying);
  EXPECT_EQ(sphinx->m_action, 6);
  int defeatedAt = 0;
  int32_t alpha = 255;
  for (int t = 1; t <= 100 && defeatedAt == 0; ++t) {
    Tick(1);
    if (sphinx->m_actionCode == kActDefeated) {
      defeatedAt = t;
    } else {
      EXPECT_EQ(sphinx->m_alpha, alpha - 2) << t;
      alpha = sphinx->m_alpha;
    }
  }
  EXPECT_GT(defeatedAt, 20);
}

}  // namespace
