// A model enemy set up for battle on the sample village from a record of
// the test's own monster table that names the sample's sphinx model text:
// lit once idle, with the target marker above its pick rectangle, and on
// the fortieth tick of its dying fade, each against a golden picture.
#include <string>

#include "battle/BattlePhase.h"
#include "battle/enemy/BattleGroundEnemy3d.h"
#include "engine/RmaRes.h"
#include "field/PickRegionList.h"
#include "render/3dAnimModelRes.h"
#include "tests/battle/BattleVillageTest.h"
#include "tools/lib/PackWriter.h"

namespace {

// The sphinx's actions as a model kind would bind them.
class CModelTestKind : public CBattleGroundEnemy3d {
  SLV_OBJECT(CModelTestKind)
 public:
  CModelTestKind() { m_speed = 0.8f; }
  void SetAction(int32_t code) override {
    struct Binding {
      int32_t code, action, delay, mode;
    };
    static constexpr Binding kBindings[] = {
        {kActIdle, 0, 4, kPlayLoop},        {kActApproach, 1, 3, kPlayLoop},  {kActWalkBack, 1, 3, kPlayLoop},
        {kActAttack, 2, 4, kPlayOnce},      {kActDamageLight, 4, 4, kPlayOnce}, {kActDamage, 5, 4, kPlayOnce},
        {kActDying, 6, 6, kPlayOnce},
    };
    for (const Binding& b : kBindings) {
      if (b.code == code) SetModelAction(b.action, b.delay, b.mode);
    }
    CBattleGroundEnemy3d::SetAction(code);
  }
};
SLV_REGISTER_ACTOR(CModelTestKind, "모형시험");

std::string OwnMonsterTable() {
  const std::string table = R"(#monster < 모형시험 > < Model test > 0 모형시험
#type 0
#level 1
#is3d 1
#rmaname monster\sphinx.rma
#hp 60
#duration 1.5
#shadowZoom 1.2
#radius 1.0
#end
)";
  slvtools::PackWriter pack;
  pack.AddStored("data/diary/monster.txt", table);
  return pack.Build();
}

class ModelEnemyDrawTest : public BattleVillageTest {
 protected:
  ModelEnemyDrawTest() : BattleVillageTest("ModelEnemyDraw", {}, OwnMonsterTable()) {}

  CBattleGroundEnemy3d* SetUpBattle() {
    return dynamic_cast<CBattleGroundEnemy3d*>(SetUpLoneEnemyInView("모형시험"));
  }
  void Tick(int n) {
    for (int i = 0; i < n; ++i) Context().UpdateBattleObjects();
  }
};

TEST_F(ModelEnemyDrawTest, LitWhenIdleMarkedAboveItsPickRectangleAndFadingAsItDies) {
  CBattleGroundEnemy3d* enemy = SetUpBattle();
  ASSERT_NE(enemy, nullptr);
  EXPECT_TRUE(enemy->m_sprName.empty());  // no sprite for a model enemy
  ASSERT_NE(enemy->m_actionTable, nullptr);
  const CRmaRes& table = *enemy->m_actionTable;
  EXPECT_EQ(table.GetActionCount(), 7);
  EXPECT_TRUE(table.IsActionEventFrame(2, 18));
  EXPECT_TRUE(table.IsActionEventFrame(3, 26));
  Tick(66);
  ASSERT_EQ(enemy->m_actionCode, kActIdle);
  ASSERT_NE(enemy->Model(), nullptr);
  EXPECT_EQ(Shot("model_enemy_lit"), "");
  EXPECT_EQ(enemy->Model()->m_lit, 1);

  m_frame.m_battlePhase = kPhaseAttackTarget;
  m_frame.m_targetList[0] = enemy;
  m_frame.m_targetCount = 1;
  m_frame.m_targetCursor = 0;
  m_frame.m_modeTick = 0;
  CRC& rc = Rc();
  rc.Clear(true);
  ASSERT_TRUE(rc.BeginScene());
  g_pickRegionList.Clear();
  View().RenderBattleScene(rc);
  rc.EndScene();
  int picks = 0;
  for (const PickRegion& region : g_pickRegionList.Regions()) {
    if (region.actor2d == enemy) picks += region.kind == 5 ? 1 : 100;
  }
  EXPECT_EQ(picks, 1);
  ASSERT_TRUE(rc.BeginScene());
  m_frame.DrawTargetMarker();
  rc.EndScene();
  rc.Flip();
  EXPECT_EQ(testsupport::CompareWithGolden("model_enemy_target_marker", testsupport::PresentedImage(),
                                           "tests/battle/golden"),
            "");
  g_pickRegionList.Clear();
  m_frame.m_battlePhase = 0;

  enemy->SetAction(kActDying);
  Tick(40);
  ASSERT_EQ(enemy->m_tickCount, 40);
  EXPECT_EQ(enemy->m_alpha, 255 - 3 * 40);
  EXPECT_EQ(Shot("model_enemy_dying"), "");
}

}  // namespace
