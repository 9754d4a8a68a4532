// Map-event boxes: entering and leaving fire once per crossing, the height
// band is fixed, and a countdown runs its line once.
#include "field/MapEvent.h"

#include <gtest/gtest.h>

#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"

namespace {

class MapEventTest : public ::testing::Test {
 protected:
  MapEventTest() {
    m_frame.m_pView = new CSelvarinView;
    m_frame.m_pContext = new CSelvarinContext;
    m_frame.Init();  // the game frame the box's scripts run in
    m_box.m_centre = Vec3{10.0f, 0.0f, 20.0f};
    m_box.m_halfX = 5.0f;
    m_box.m_halfZ = 3.0f;
    m_box.m_name = "gate";
    m_box.m_enterLine = 7;
    m_box.m_leaveLine = 9;
  }
  ~MapEventTest() override {
    m_frame.Exit();
    g_scriptObjectName.clear();
  }

  // The line the box ran at this test, or -1.
  int TestAt(float x, float y, float z) {
    m_player.m_pos = Vec3{x, y, z};
    m_box.m_script.m_line = -1;
    m_box.Test(m_player);
    return m_box.m_script.m_line;
  }

  CSelvarinFrame m_frame;
  CSelvarinActor m_player;
  MapEvent m_box;
};

TEST_F(MapEventTest, EnteringAndLeavingRunTheirLinesOncePerCrossing) {
  struct Step {
    Vec3 at;
    int line;
  };
  const Step steps[] = {
      {{15.0f, 0.0f, 20.0f}, -1},  // on the face: outside
      {{14.9f, 0.0f, 20.0f}, 7},   // in
      {{12.0f, 9.9f, 22.9f}, -1},  // still in
      {{12.0f, 10.0f, 22.9f}, 9},  // 10 below the centre: out
      {{10.0f, -9.0f, 20.0f}, 7},  // the next tick in again
      {{10.0f, 0.0f, 17.0f}, 9},
  };
  for (const Step& s : steps) EXPECT_EQ(TestAt(s.at.x, s.at.y, s.at.z), s.line) << s.at.x << " " << s.at.y;
  EXPECT_EQ(m_box.m_script.m_name, "gate");
  EXPECT_EQ(g_scriptObjectName, "gate");
}

TEST_F(MapEventTest, WithoutAnEnterLabelTheBoxStillKnowsItIsInside) {
  m_box.m_enterLine = -1;
  EXPECT_EQ(TestAt(10.0f, 0.0f, 20.0f), -1);
  EXPECT_EQ(m_box.m_inside, 1);
  EXPECT_EQ(TestAt(30.0f, 0.0f, 20.0f), 9);
}

TEST_F(MapEventTest, ACountdownRunsItsLineOnceAtItsEnd) {
  m_box.m_enterLine = -1;
  m_box.m_leaveLine = -1;
  m_box.SetTarget(1, 42);
  EXPECT_EQ(TestAt(50.0f, 0.0f, 50.0f), 42);
  EXPECT_EQ(m_box.m_countdown, 0);
  EXPECT_EQ(TestAt(50.0f, 0.0f, 50.0f), -1);
  m_box.SetTarget(3, 5);
  EXPECT_EQ(TestAt(50.0f, 0.0f, 50.0f), -1);
  EXPECT_EQ(TestAt(50.0f, 0.0f, 50.0f), -1);
  EXPECT_EQ(TestAt(50.0f, 0.0f, 50.0f), 5);
}

}  // namespace
