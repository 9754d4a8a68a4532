// The sample's ghost spear knight and Midian the water elf set up for
// battle on the sample village against a stand-in member, against golden
// pictures: the knight at the top of its wind leap, the elf in her cast
// with the water orb above her head.
#include "battle/enemy/ModelKnightKinds.h"
#include "battle/enemy/ModelPlainKinds.h"
#include "session/MagicMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "tests/battle/BattleVillageTest.h"

namespace {

class GhostKnightElfDrawTest : public BattleVillageTest {
 protected:
  GhostKnightElfDrawTest()
      : BattleVillageTest("GhostKnightElfDraw", [] {
          EXPECT_TRUE(CSkillMgr::GetInstance().Load("diary/skill.txt"));
          EXPECT_TRUE(CMagicMgr::GetInstance().Load("diary/magic.txt"));
        }) {}
  ~GhostKnightElfDrawTest() override {
    CMagicMgr::GetInstance().Free();
    CSkillMgr::GetInstance().Free();
  }

  // The monster alone in view, faded in, the member `distance` ahead of it
  // on the camera's side.
  CBattleEnemy3d* SetUp(const char* monster, float distance) {
    auto* enemy = dynamic_cast<CBattleEnemy3d*>(SetUpLoneEnemyInView(monster));
    if (enemy == nullptr) return nullptr;
    CStandInMember* member = AddStandInMember(Vec3{enemy->m_pos.x, 0.0f, enemy->m_pos.z + distance});
    member->m_actionCode = kActIdle;
    Tick(66);  // faded in
    m_member = member;
    return enemy;
  }
  void Order(CBattleEnemy& enemy, int32_t index, intptr_t kind) {
    enemy.OnMessage(nullptr, kMsgChosenIndex, index, 0, 0);
    enemy.OnMessage(nullptr, kMsgOrder, reinterpret_cast<intptr_t>(m_member), kind, 1);
  }
  void Tick(int n) {
    for (int i = 0; i < n; ++i) Context().UpdateBattleObjects();
  }
  // The camera turned round to their front and drawn in, on `at`.
  void FrontView(const Vec3& at) {
    m_standIn.m_pos = at;
    View().m_yaw += 180.0f;
    View().m_targetYaw = View().m_yaw;
    View().m_distance = View().m_targetDistance = 150.0f;
    View().TickCamera();
  }

  CStandInMember* m_member = nullptr;  // the context's
};

// The tick its rise ends: in the air, no longer going up.
TEST_F(GhostKnightElfDrawTest, TheKnightAtTheTopOfItsLeap) {
  CBattleEnemy3d* knight = SetUp("유령기사_창", 30.0f);
  ASSERT_NE(knight, nullptr);
  ASSERT_TRUE(knight->IsKindOf(typeid(CBattleGhostSpearKnight3d)));
  Order(*knight, CSkillMgr::GetInstance().Find("바람_몰아치기"), 10);
  bool top = false;
  for (int t = 0; t < 300 && !top; ++t) {
    const bool rising = knight->m_inAir != 0 && knight->m_velocity.y < 0.0f;
    Tick(1);
    top = rising && knight->m_inAir != 0 && knight->m_velocity.y >= 0.0f;
  }
  ASSERT_TRUE(top);
  EXPECT_EQ(knight->m_actionCode, 10066);  // the leap
  EXPECT_EQ(knight->m_action, 3);
  const float ground = Context().GetStandHeight(knight->m_pos);
  EXPECT_LT(knight->m_pos.y, ground - 20.0f);
  FrontView(Vec3{knight->m_pos.x, knight->m_pos.y - 4.0f, knight->m_pos.z});
  EXPECT_EQ(Shot("ghost_spear_knight_leap_top"), "");
}

// Model action 3, the orb at its highest as the cast's first blow nears.
TEST_F(GhostKnightElfDrawTest, TheElfsCast) {
  CBattleEnemy3d* elf = SetUp("미디안", 30.0f);
  ASSERT_NE(elf, nullptr);
  ASSERT_TRUE(elf->IsKindOf(typeid(CBattleWaterElf)));
  Order(*elf, CMagicMgr::GetInstance().Find("노바_스톰"), 9);
  for (int t = 0; t < 200 && elf->m_modelFrame != 112; ++t) Tick(1);
  ASSERT_EQ(elf->m_modelFrame, 112);
  EXPECT_EQ(elf->m_actionCode, 10065);  // the cast's strike
  EXPECT_EQ(elf->m_action, 3);
  FrontView(elf->m_pos);
  EXPECT_EQ(Shot("water_elf_cast"), "");
}

}  // namespace
