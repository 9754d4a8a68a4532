// The sample's wild boar and guru set up for battle on the sample village
// and ordered their special against a stand-in member: the boar charging
// with its after-image, and the guru striking on its special sheet, each
// against a golden picture.
#include <algorithm>
#include <string>

#include "battle/BattlePhase.h"
#include "battle/enemy/BattleEarthElementel.h"
#include "battle/enemy/BattleSlime.h"
#include "battle/enemy/BattleNinJa.h"
#include "battle/enemy/BattleWildBoar.h"
#include "battle/enemy/EnemyKinds.h"
#include "battle/enemy/MultiRouteKinds.h"
#include "battle/enemy/PlainInPlaceKinds.h"
#include "battle/enemy/SingleStrikeKinds.h"
#include "render/TextureMgr.h"
#include "session/EnemySlot.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/battle/BattleVillageTest.h"

namespace {

class EnemyKindsDrawTest : public BattleVillageTest {
 protected:
  EnemyKindsDrawTest() : BattleVillageTest("EnemyKindsDraw", [] {
    EXPECT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
  }) {}
  ~EnemyKindsDrawTest() override { CSkillMgr::GetInstance().Free(); }

  // The monster set up alone south-east of the elder, the member 30 units
  // east of it, the camera between them, faded in.
  CBattleEnemy* SetUpScene(const char* monster) {
    Vec3 spot;
    if (!SceneSpot(&spot)) return nullptr;
    CBattleEnemy* enemy = SetUpLoneEnemy(monster, spot, Vec3{spot.x - 15.0f, 0.0f, spot.z});
    if (enemy == nullptr) return nullptr;
    CStandInMember* member = AddStandInMember(Vec3{spot.x + 15.0f, 0.0f, spot.z});
    member->m_sprName = enemy->m_sprName;
    member->m_actName = enemy->m_actName;
    m_standIn.m_pos = Vec3{spot.x, spot.y, spot.z - 10.0f};
    View().m_pFollow = &m_standIn;
    View().TickCamera();
    Tick(66);  // faded in
    m_member = member;
    return enemy;
  }
  // ...and ordered its charge at the member.
  CBattleEnemy* SetUpBattle(const char* monster) {
    CBattleEnemy* enemy = SetUpScene(monster);
    if (enemy == nullptr) return nullptr;
    enemy->OnMessage(nullptr, kMsgChosenIndex, CSkillMgr::GetInstance().Find("돌진"), 0, 0);
    enemy->OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(m_member), 10, 1);
    return enemy;
  }
  void Tick(int n) {
    for (int i = 0; i < n; ++i) Context().UpdateBattleObjects();
  }
  int TickUntil(const CBattleEnemy& enemy, int32_t code, int limit) {
    for (int t = 1; t <= limit; ++t) {
      Tick(1);
      if (enemy.m_actionCode == code) return t;
    }
    return -1;
  }

  CStandInMember* m_member = nullptr;  // the context's
};

TEST_F(EnemyKindsDrawTest, TheBoarChargesWithItsAfterImage) {
  CBattleEnemy* boar = SetUpBattle("멧돼지");
  ASSERT_NE(boar, nullptr);
  EXPECT_TRUE(boar->IsKindOf(typeid(CBattleWildBoar)));
  ASSERT_GT(TickUntil(*boar, kActCharge, 400), 0);
  Tick(11);  // a copy left every fifth tick
  EXPECT_EQ(boar->m_afterimage, 1);
  EXPECT_EQ(Shot("boar_charging"), "");
}

TEST_F(EnemyKindsDrawTest, TheGuruStrikesOnItsSpecialSheet) {
  CBattleEnemy* guru = SetUpBattle("구루");
  ASSERT_NE(guru, nullptr);
  EXPECT_TRUE(guru->IsKindOf(typeid(CBattleGuru)));
  EXPECT_EQ(guru->m_barZoom, 1.3f);
  ASSERT_GT(TickUntil(*guru, kActSpecialHit, 400), 0);
  EXPECT_EQ(guru->m_actName, "몬스터\\괴물형\\전투\\구루_특수.act");
  Tick(16);
  EXPECT_EQ(guru->m_actionCode, kActSpecialHit);
  EXPECT_EQ(Shot("guru_move_strike"), "");
}

// The leader's blow splits the jelly: its clone lands ahead of it.
TEST_F(EnemyKindsDrawTest, TheJellySplitsUnderTheLeadersBlow) {
  CBattleEnemy* jelly = SetUpScene("리퀴드제리");
  ASSERT_NE(jelly, nullptr);
  EXPECT_TRUE(jelly->IsKindOf(typeid(CBattleSlime)));
  jelly->OnMessage(m_member, kMsgHit, 5, 0, 0);
  ASSERT_EQ(jelly->m_actionCode, kActSplit);
  ASSERT_GT(TickUntil(*jelly, kActIdle, 200), 0);
  ASSERT_EQ(Context().m_battleEnemies.size(), 2u);
  const auto* clone = dynamic_cast<const CBattleEnemy*>(Context().m_battleEnemies.back());
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->m_slot->hp, jelly->m_slot->hp);
  Tick(20);  // landed
  EXPECT_EQ(Shot("jelly_split"), "");
}

// Idle with the member in reach and 20 in its gauge, the earth elemental
// strikes it without waiting for its turn.
TEST_F(EnemyKindsDrawTest, TheEarthElementalStrikesAMemberInReachFromIdle) {
  CBattleEnemy* elemental = SetUpScene("어스엘레멘탈");
  ASSERT_NE(elemental, nullptr);
  EXPECT_TRUE(elemental->IsKindOf(typeid(CBattleEarthElementel)));
  m_member->m_pos.x = elemental->m_pos.x + 8.0f;
  m_member->SetAction(kActIdle);
  elemental->m_timeGauge = 25.0f;
  ASSERT_GT(TickUntil(*elemental, kActAttack, 10), 0);
  EXPECT_EQ(elemental->m_target, m_member);
  EXPECT_LT(elemental->m_timeGauge, 10.0f);
  Tick(5);  // the blow's frame
  EXPECT_EQ(Shot("earth_elemental_idle_attack"), "");
}

// The sample's ninja ordered its charge skill: the dash with its trail,
// then the finishing strike, which resolves as its last frame holds.
TEST_F(EnemyKindsDrawTest, TheNinjaDashesWithItsTrail) {
  CBattleEnemy* ninja = SetUpBattle("닌자");
  ASSERT_NE(ninja, nullptr);
  EXPECT_TRUE(ninja->IsKindOf(typeid(CBattleNinJa)));
  ASSERT_GT(TickUntil(*ninja, kActSpecialApproach2, 400), 0);
  Tick(8);
  ASSERT_EQ(ninja->m_actionCode, kActSpecialApproach2);
  EXPECT_EQ(ninja->m_afterimage, 1);
  EXPECT_EQ(Shot("ninja_dash"), "");
}

TEST_F(EnemyKindsDrawTest, TheNinjaStrikesToFinish) {
  CBattleEnemy* ninja = SetUpBattle("닌자");
  ASSERT_NE(ninja, nullptr);
  ASSERT_GT(TickUntil(*ninja, kActSpecialHit2, 400), 0);
  Tick(20);
  EXPECT_EQ(ninja->m_actionCode, kActSpecialHit2);
  EXPECT_EQ(ninja->m_afterimage, 1);
  EXPECT_EQ(Shot("ninja_finishing_strike"), "");
}

// The sample's simurgh ordered its feather storm: it strikes where it stood
// on its special sheet and walks back.
TEST_F(EnemyKindsDrawTest, TheSimurghStormsWhereItStandsOnItsSpecialSheet) {
  CBattleEnemy* simurgh = SetUpBattle("시무르그");
  ASSERT_NE(simurgh, nullptr);
  EXPECT_TRUE(simurgh->IsKindOf(typeid(CBattleSimurgh)));
  simurgh->OnMessage(nullptr, kMsgChosenIndex, CSkillMgr::GetInstance().Find("깃털폭풍"), 0, 0);
  ASSERT_EQ(simurgh->m_chosenIndex, 74);
  simurgh->OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(CSession::GetInstance().players[0].battlePtr), 10, 1);
  const Vec3 stood = simurgh->m_pos;
  ASSERT_EQ(TickUntil(*simurgh, kActSpecialHit2, 2), 1);
  EXPECT_EQ(simurgh->m_actName, "몬스터\\괴물형\\전투\\시무르그_특수.act");
  Tick(20);
  EXPECT_EQ(simurgh->m_actionCode, kActSpecialHit2);
  EXPECT_EQ(Shot("simurgh_feather_storm"), "");
  ASSERT_GT(TickUntil(*simurgh, kActWalkBack, 40), 0);
  EXPECT_EQ(simurgh->m_pos.x, stood.x);
  EXPECT_EQ(simurgh->m_pos.z, stood.z);
  EXPECT_EQ(simurgh->m_actName, "simurgh.act");
}

// Any other special: the simurgh walks up with its trail.
TEST_F(EnemyKindsDrawTest, TheSimurghWalksUpToItsChargeWithItsTrail) {
  CBattleEnemy* simurgh = SetUpBattle("시무르그");
  ASSERT_NE(simurgh, nullptr);
  ASSERT_GT(TickUntil(*simurgh, kActSpecialApproach, 2), 0);
  Tick(11);
  EXPECT_EQ(simurgh->m_actionCode, kActSpecialApproach);
  EXPECT_EQ(simurgh->m_afterimage, 1);
  EXPECT_EQ(Shot("simurgh_approach"), "");
}

// The sample's assassin ordered its dash: no trail, and no hit frame to
// wait for; it is shot as it comes up to the member.
TEST_F(EnemyKindsDrawTest, TheAssassinDashesWithoutATrail) {
  CBattleEnemy* assassin = SetUpBattle("어세신");
  ASSERT_NE(assassin, nullptr);
  EXPECT_TRUE(assassin->IsKindOf(typeid(CBattleAssassin)));
  ASSERT_EQ(TickUntil(*assassin, kActSpecialApproach, 2), 1);
  for (int t = 0; t < 60 && assassin->DistanceXZ(m_member->m_pos.x, m_member->m_pos.z) >= 13.0f; ++t) Tick(1);
  ASSERT_EQ(assassin->m_actionCode, kActSpecialApproach);
  EXPECT_EQ(assassin->m_afterimage, 0);
  EXPECT_EQ(Shot("assassin_dash"), "");
}

// The sample's justice of death strikes where it stands while the battle
// mode holds the scene dimmed for its flourish.
TEST_F(EnemyKindsDrawTest, TheJusticeOfDeathStrikesWhereItStandsInTheDimmedScene) {
  CBattleEnemy* justice = SetUpBattle("저스티스오브데스");
  ASSERT_NE(justice, nullptr);
  EXPECT_TRUE(justice->IsKindOf(typeid(CBattleJusticeofDeth)));
  const Vec3 stood = justice->m_pos;
  // The battle mode's phase step, and the world held while it pauses;
  // shot with the scythe raised, before the blow's frame.
  m_frame.m_battlePhase = kPhaseRunning;
  int running = 0;
  for (int t = 0; t < 60 && running < 5; ++t) {
    m_frame.BattleMenuInput();
    if (m_frame.m_battlePhase != kPhaseRunning) continue;
    Tick(1);
    if (t > 0) ++running;
  }
  ASSERT_EQ(justice->m_actionCode, kActSpecialHit);
  EXPECT_EQ(justice->m_tickCount, 5);
  EXPECT_EQ(justice->m_pos.x, stood.x);
  EXPECT_EQ(justice->m_pos.z, stood.z);
  EXPECT_LT(g_brightnessFactor, 0.4f);
  EXPECT_EQ(Shot("justice_of_death_strike"), "");
  g_brightnessFactor = 1.0f;
}

// The sample's assassin ordered each of its routes and the justice of
// death once, fought out with the member standing 30 units off: the codes
// each passes through, the skills it uses (their names shown as it
// resolves them), and what the battle is paid.
TEST_F(EnemyKindsDrawTest, TheSampleAssassinAndJusticeOfDeathRunTheirRoutes) {
  struct Course {
    const char* monster;
    const char* skill;
    const char* expected;
    bool pays;
  };
  const Course courses[] = {
      {"어세신", "돌진", "10018 10073 돌진 10003 10000", false},
      {"어세신", "그림자베기", "10018 10067 그림자베기 10003 10000", false},
      {"어세신", "그림자습격", "10018 10074 10066 그림자습격 10062 gone", false},
      {"어세신", nullptr, "10018 10076 10068 빈자리77 10080 gone", true},
      {"저스티스오브데스", "돌진", "10018 10065 돌진 10003 10000", false},
  };
  for (const Course& c : courses) {
    SCOPED_TRACE(c.expected);
    Context().ReturnFromBattle();
    m_frame.m_battleResult = BattleResult{};
    CBattleEnemy* enemy = SetUpScene(c.monster);
    ASSERT_NE(enemy, nullptr);
    const int32_t exp = enemy->m_slot->exp, money = enemy->m_slot->money;
    const int index = c.skill != nullptr ? CSkillMgr::GetInstance().Find(c.skill) : 77;
    enemy->OnMessage(nullptr, kMsgChosenIndex, index, 0, 0);
    enemy->OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(m_member), 10, 1);
    std::string course = std::to_string(enemy->m_actionCode);
    m_frame.m_caption.clear();
    for (int t = 0; t < 400; ++t) {
      const int32_t before = enemy->m_actionCode;
      Tick(1);
      const auto& live = Context().m_battleEnemies;
      if (std::find(live.begin(), live.end(), enemy) == live.end()) {
        course += " gone";
        break;
      }
      if (!m_frame.m_caption.empty()) course += " " + m_frame.m_caption;
      m_frame.m_caption.clear();
      if (enemy->m_actionCode != before) course += " " + std::to_string(enemy->m_actionCode);
      if (enemy->m_actionCode == kActIdle) break;
    }
    EXPECT_EQ(course, c.expected);
    EXPECT_EQ(m_frame.m_battleResult.totalExp, c.pays ? exp : 0);
    EXPECT_EQ(m_frame.m_battleResult.money, c.pays ? money : 0);
  }
}

}  // namespace
