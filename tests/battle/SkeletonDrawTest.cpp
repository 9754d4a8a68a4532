// The skeleton of the sample game set up for battle on the sample village:
// after its fade-in with its shadow, and red and grown on the fortieth tick
// of dying, each against a golden picture; and its figure on the
// time-gauge bar at two zooms, current or not.
#include <algorithm>
#include <string>

#include "battle/enemy/BattleSkeleton.h"
#include "platform/Surface.h"
#include "session/Session.h"
#include "tests/battle/BattleTestSheets.h"
#include "tests/battle/BattleVillageTest.h"

namespace {

using battletest::Band;
using battletest::Measure;

class SkeletonDrawTest : public BattleVillageTest {
 protected:
  SkeletonDrawTest() : BattleVillageTest("SkeletonDraw") {}

  // The sample's skeleton set up for battle south of the village square,
  // the camera on it.
  CBattleSkeleton* SetUpBattle() { return dynamic_cast<CBattleSkeleton*>(SetUpLoneEnemyInView("스켈레톤")); }
  void Tick(int n) {
    for (int i = 0; i < n; ++i) Context().UpdateBattleObjects();
  }
};

TEST_F(SkeletonDrawTest, FadedInWithItsShadowThenRedAndGrownWhileItDies) {
  CBattleSkeleton* skeleton = SetUpBattle();
  ASSERT_NE(skeleton, nullptr);
  EXPECT_EQ(skeleton->m_barZoom, 1.2f);
  EXPECT_EQ(skeleton->m_shadowScale, 0.9f);
  EXPECT_EQ(skeleton->m_radius, 0.7f);
  EXPECT_FLOAT_EQ(CSession::GetInstance().GetAttackReach(0, false), 20.0f);
  Tick(66);
  ASSERT_EQ(skeleton->m_actionCode, kActIdle);
  EXPECT_EQ(skeleton->m_tint, 0xFFFFFFFFu);
  EXPECT_EQ(Shot("skeleton_faded_in"), "");

  skeleton->SetAction(kActDying);
  Tick(40);
  ASSERT_EQ(skeleton->m_tickCount, 40);
  EXPECT_EQ(Shot("skeleton_dying"), "");
}

TEST_F(SkeletonDrawTest, ItsBarFigureIsItsIdleFrameAtTheBarZoomLargerAndRedWhenCurrent) {
  CBattleSkeleton* skeleton = SetUpBattle();
  ASSERT_NE(skeleton, nullptr);
  CRC& rc = Rc();
  struct Case {
    float zoom;
    bool current;
    int x;
  };
  const Case cases[] = {{1.0f, false, 100}, {1.0f, true, 200}, {1.3f, false, 300}, {1.3f, true, 400}};
  rc.Clear(true);
  ASSERT_TRUE(rc.BeginScene());
  for (const Case& c : cases) {
    skeleton->m_barZoom = c.zoom;
    skeleton->DrawBattleChar(rc, c.x, 200, c.current);
  }
  rc.EndScene();
  rc.Flip();
  const testsupport::RgbImage image = testsupport::PresentedImage();
  Band bands[4];
  for (int i = 0; i < 4; ++i) bands[i] = Measure(image, cases[i].x - 50, cases[i].x + 50);
  const int base = bands[0].bottom - bands[0].top + 1;
  EXPECT_EQ(base, 24);  // the idle frame, unscaled
  const float expected[4] = {1.0f, 1.5f, 1.3f, 1.95f};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(bands[i].bottom - bands[i].top + 1, base * expected[i], 1.5f);
    EXPECT_EQ(bands[i].green, !cases[i].current);  // red multiplied in
  }
}

}  // namespace
