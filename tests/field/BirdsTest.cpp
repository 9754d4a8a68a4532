// Doves and crows: when they take off, how they fly, when they are gone,
// and that only a crow answers a talk.
#include "field/Birds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "field/PickRegionList.h"
#include "tests/field/FieldActorFixture.h"
#include "tests/field/RecordingFrame.h"
#include "tools/lib/ActWriter.h"

namespace {

class BirdsTest : public FieldActorTestOf<CRecordingFrame> {
 protected:
  BirdsTest() {
    const ActAction two{{ActMotion{}, ActMotion{}}};
    Write("data/sprite/bird.act", slvtools::BuildAct(0x200, std::vector<ActAction>(12, two)));
    m_leader.m_pos = Vec3{0.0f, 0.0f, 0.0f};
    Context().m_player = &m_leader;
  }
  ~BirdsTest() override { Context().m_player = nullptr; }

  template <class Bird>
  void Place(Bird& bird, float x) {
    bird.m_name = "bird";
    bird.m_actName = "bird.act";
    bird.m_pos = Vec3{x, 0.0f, 0.0f};
    bird.Init();
  }
  // Ticks until OnProcess returns false, at most `limit`.
  static int TicksAlive(CSelvarinActor& bird, int limit) {
    int ticks = 0;
    while (ticks < limit && bird.OnProcess()) ++ticks;
    return ticks;
  }

  CSelvarinActor m_leader;
};

TEST_F(BirdsTest, ADoveTakesOffBelowTwentyAndCirclesUpwardsUntilTick501) {
  CDove dove;
  Place(dove, 20.0f);
  for (int k = 0; k < 5; ++k) EXPECT_TRUE(dove.OnProcess());
  EXPECT_EQ(dove.m_state, 0);
  EXPECT_EQ(dove.m_action / 4, 0);
  dove.m_pos.x = 19.9f;
  EXPECT_TRUE(dove.OnProcess());
  ASSERT_EQ(dove.m_state, 1);
  EXPECT_EQ(dove.m_tickCount, 0);
  EXPECT_GE(dove.m_speed, -1.4f - 1e-5f);
  EXPECT_LE(dove.m_speed, -0.5f + 1e-5f);
  const float heading = dove.m_angle;
  const float y = dove.m_pos.y;
  EXPECT_TRUE(dove.OnProcess());
  EXPECT_FLOAT_EQ(dove.m_angle, heading + 1.0f);
  EXPECT_FLOAT_EQ(dove.m_pos.y, y + dove.m_speed);
  EXPECT_EQ(dove.m_action / 4, 1);
  EXPECT_EQ(TicksAlive(dove, 1000), 499);  // gone on the tick that reaches 501
  EXPECT_EQ(dove.m_tickCount, 501);
}

TEST_F(BirdsTest, ACrowTurnsEveryFiftyTicksAtRestAndClimbsSteeplyBelowThirty) {
  CCrow crow;
  Place(crow, 30.0f);
  EXPECT_FLOAT_EQ(crow.m_speed, 2.0f);
  std::set<float> headings;
  for (int k = 0; k < 150; ++k) {
    const float before = crow.m_angle;
    ASSERT_TRUE(crow.OnProcess());
    // Only a tick that is a multiple of 50 once counted up may turn.
    if (crow.m_tickCount % 50 != 0) {
      EXPECT_FLOAT_EQ(crow.m_angle, before) << k;
    }
    headings.insert(crow.m_angle);
  }
  EXPECT_GE(headings.size(), 2u);
  EXPECT_EQ(crow.m_state, 0);
  EXPECT_EQ(crow.m_action / 4, 1);
  crow.m_pos.x = 29.9f;
  ASSERT_TRUE(crow.OnProcess());
  ASSERT_EQ(crow.m_state, 1);
  const float climb = std::atan(-crow.m_velocity.y) / 0.017453289f;
  EXPECT_GE(climb, 49.99f);
  EXPECT_LE(climb, 79.01f);
  EXPECT_FLOAT_EQ(crow.m_speed, 0.5f);
  crow.m_wanderHalfX = crow.m_wanderHalfZ = 1000.0f;
  const Vec3 from = crow.m_pos;
  ASSERT_TRUE(crow.OnProcess());
  EXPECT_EQ(crow.m_action / 4, 2);
  EXPECT_LT(crow.m_pos.y, from.y);
  EXPECT_NEAR(std::hypot(crow.m_velocity.x, crow.m_velocity.z), 0.05f, 1e-5f);
  EXPECT_EQ(TicksAlive(crow, 1000), 499);
}

TEST_F(BirdsTest, BirdsLeaveTheContextForGoodAndStayIdleWithoutALeader) {
  auto* dove = new CDove;
  Place(*dove, 5.0f);
  Context().m_player = nullptr;
  Context().m_liveActors.push_back(dove);
  for (int k = 0; k < 10; ++k) Context().Update();
  EXPECT_EQ(dove->m_state, 0);
  Context().m_player = &m_leader;
  g_pickRegionList.Clear();
  g_pickRegionList.Add(0, 10, 0, 10, 2, dove);  // as drawn on its last pass
  for (int k = 0; k < 502; ++k) Context().Update();
  EXPECT_TRUE(Context().m_liveActors.empty());
  EXPECT_EQ(Context().FindActorByName("bird"), nullptr);
  // The pointer finds nothing where it was.
  CSelvarinActor* picked = nullptr;
  CSelvarin3dActor* model = nullptr;
  EXPECT_EQ(g_pickRegionList.HitTest(5, 5, &picked, &model), 0);
  EXPECT_EQ(picked, nullptr);
}

TEST_F(BirdsTest, ADoveIgnoresATalkAndACrowAnswers) {
  CDove dove;
  CCrow crow;
  Place(dove, 50.0f);
  Place(crow, 50.0f);
  dove.m_talkLine = 10;
  crow.m_talkLine = 20;
  dove.OnMessage(&m_leader, 0, 0, 0, 0);
  EXPECT_TRUE(Frame().runs.empty());
  crow.OnMessage(&m_leader, 0, 0, 0, 0);
  EXPECT_EQ(Frame().Lines(), std::vector<int>{20});
}

TEST_F(BirdsTest, ABirdWithoutFramesKeepsItsActionAtFrameZero) {
  for (const char* animation : {"", "none.act"}) {
    CDove dove;
    Place(dove, 50.0f);
    dove.m_actName = animation;
    dove.m_action = 3;
    dove.m_motion = 1;
    EXPECT_TRUE(dove.OnProcess());
    EXPECT_EQ(dove.m_action, 3);
    EXPECT_EQ(dove.m_motion, 0);
  }
}

}  // namespace
