#include "render/3dView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "render/3dContext.h"
#include "render/3dGround.h"
#include "render/RC.h"
#include "tests/render/BoxActor.h"

namespace {

void ExpectVec(const Vec3& v, float x, float y, float z, float tolerance = 1e-3f) {
  EXPECT_NEAR(v.x, x, tolerance);
  EXPECT_NEAR(v.y, y, tolerance);
  EXPECT_NEAR(v.z, z, tolerance);
}

TEST(C3dViewCamera, EasesATenthOfTheWayTheShortWayRound) {
  struct Case {
    float yaw, targetYaw, yawAfter, targetAfter;
  };
  const Case cases[] = {
      {350, 10, 352, 10},   // through 0
      {10, 350, 8, 350},
      {0, -30, 357, 330},   // the target is wrapped first
      {90, 725, 81.5f, 5},
      {0, 180, 342, 180},   // half a turn goes the negative way
      {180, 0, 162, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.yaw << " to " << c.targetYaw);
    C3dView view;
    view.Init();
    view.m_yaw = c.yaw;
    view.m_targetYaw = c.targetYaw;
    view.NormalizeAngles();
    EXPECT_NEAR(view.m_yaw, c.yawAfter, 1e-4f);
    EXPECT_NEAR(view.m_targetYaw, c.targetAfter, 1e-4f);
  }

  C3dView view;
  view.Init();
  view.m_yaw = 350;
  view.m_targetYaw = 10;
  for (int i = 0; i < 30; ++i) {
    view.NormalizeAngles();
    EXPECT_TRUE(view.m_yaw >= 350 || view.m_yaw <= 10) << i << ": " << view.m_yaw;
  }
  view.m_targetPitch = -30;
  view.m_targetDistance = 200;
  view.m_targetLookAt = {10, 20, -30};
  view.NormalizeAngles();
  EXPECT_FLOAT_EQ(view.m_pitch, -43.5f);
  EXPECT_FLOAT_EQ(view.m_distance, 290.0f);
  ExpectVec(view.m_lookAt, 1, 2, -3, 1e-5f);
}

TEST(C3dViewCamera, TheEyeOrbitsTheLookAtPointInXAndZOnly) {
  C3dView view;
  view.Init();
  view.Update();
  ExpectVec(view.m_eye, 0, -212.132f, -212.132f);
  ExpectVec(view.m_viewMatrix.TransformPoint(Vec3{}), 0, 0, 300);

  // The look-at height is not added to the eye; the offset moves the view.
  const Vec3 target{10, 50, 20};
  view.m_lookAt = view.m_targetLookAt = target;
  view.m_offset = {1, 2, 3};
  view.m_yaw = view.m_targetYaw = 90;
  view.Update();
  ExpectVec(view.m_eye, 10 + 212.132f, -212.132f, 20);
  const float range = (target - view.m_eye).Length();
  ExpectVec(view.m_viewMatrix.TransformPoint(target), 1, 2, range + 3);
}

// A map 640 units wide (leaves of 20) seen by the camera of Init.
class ViewMapTest : public ::testing::Test {
 protected:
  ViewMapTest() {
    m_ground.Allocate(64, 64);
    m_context.m_pGround = &m_ground;
    m_rc.SetViewSize(640, 480);
    m_view.Init();
    m_view.Update();
  }
  BoxActor* AddBox(Vec3 lo, Vec3 hi) {
    auto* actor = new BoxActor(lo, hi);
    m_context.m_modelActors.push_back(actor);
    return actor;
  }

  C3dGround m_ground;
  C3dContext m_context;
  CPixelRC m_rc;
  C3dView m_view;
};

TEST_F(ViewMapTest, CullingKeepsTheLeavesInsideTheViewVolume) {
  BoxActor* seen = AddBox({-1, -2, -1}, {1, 0, 1});    // four leaves around the look-at point
  AddBox({200, -2, 0}, {202, 0, 2});                   // far to the right
  AddBox({1, -2, -299}, {3, 0, -297});                 // behind the eye; one leaf
  m_context.InitBucketGrid();
  m_view.CullNodes(m_rc, m_context.m_tree);
  ASSERT_EQ(m_view.m_visibleNodes.size(), 4u);
  for (const QuadNode* leaf : m_view.m_visibleNodes) {
    EXPECT_EQ(leaf->m_objects, std::vector<C3dActor*>{seen});
  }
  // Turned half round, the camera sees the box behind it and not the first.
  m_view.m_visibleNodes.clear();
  m_view.m_yaw = 180;
  m_view.m_lookAt = {0, 0, -300};
  m_view.UpdateCamera();
  m_view.CullNodes(m_rc, m_context.m_tree);
  ASSERT_EQ(m_view.m_visibleNodes.size(), 1u);
  EXPECT_EQ(m_view.m_visibleNodes[0]->m_objects.size(), 1u);
  EXPECT_EQ(m_view.m_visibleNodes[0]->m_objects[0]->m_worldMin.z, -299.0f);
}

TEST_F(ViewMapTest, EachActorIsDrawnOnceAFrameInItsPass) {
  BoxActor* opaque = AddBox({18, -1, 1}, {22, 0, 2});  // spans two leaves
  BoxActor* glass = AddBox({1, -1, 1}, {2, 0, 2});
  glass->m_modelAlpha = 128;
  m_context.InitBucketGrid();
  for (float x : {1.5f, 19.0f, 21.0f}) m_view.m_visibleNodes.push_back(m_context.m_tree.FindLeaf(x, 1.5f));
  ASSERT_EQ(std::count(m_view.m_visibleNodes.begin(), m_view.m_visibleNodes.end(), nullptr), 0);

  // A fresh context's first frame (counter 0) draws them too.
  ASSERT_EQ(m_rc.m_frameCount, 0);
  m_view.FlushDrawList(m_rc, 0);
  EXPECT_EQ(opaque->m_draws.size(), 1u);
  EXPECT_EQ(glass->m_draws.size(), 0u);
  m_view.FlushDrawList(m_rc, 1);
  m_view.FlushDrawList(m_rc, 0);
  EXPECT_EQ(opaque->m_draws.size(), 1u);
  EXPECT_EQ(glass->m_draws.size(), 1u);
  EXPECT_TRUE(std::equal(std::begin(opaque->m_draws[0].m), std::end(opaque->m_draws[0].m),
                         std::begin(m_view.m_viewMatrix.m)));
  m_rc.m_frameCount = 1;
  m_view.FlushDrawList(m_rc, 0);
  m_view.FlushDrawList(m_rc, 1);
  EXPECT_EQ(opaque->m_draws.size(), 2u);
  EXPECT_EQ(glass->m_draws.size(), 2u);
  EXPECT_EQ(opaque->m_drawStamp, 1);
}

TEST_F(ViewMapTest, TheBaseRenderHandsTheCameraToTheRenderContext) {
  m_view.m_pitch = -60;
  m_view.m_distance = 250;
  m_view.Render(m_rc);
  EXPECT_EQ(m_rc.m_cameraPitch, -60.0f);
  EXPECT_EQ(m_rc.m_cameraDistance, 250.0f);
}

}  // namespace
