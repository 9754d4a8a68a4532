// Map-event boxes: entering and leaving fire once per crossing, the height
// band is fixed, and a countdown runs its line once (set below zero, on
// every test).
#include "field/MapEvent.h"

#include <gtest/gtest.h>

#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinView.h"
#include "tests/field/RecordingFrame.h"

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
    m_frame.GetContext()->m_player = nullptr;
    m_frame.Exit();
    g_scriptObjectName.clear();
  }

  // The lines the box ran at this test.
  std::vector<int> TestAt(float x, float y, float z) {
    m_player.m_pos = Vec3{x, y, z};
    m_frame.runs.clear();
    m_box.Test(m_player);
    return m_frame.Lines();
  }

  CRecordingFrame m_frame;
  CSelvarinActor m_player;
  MapEvent m_box;
};

using Lines = std::vector<int>;

TEST_F(MapEventTest, EnteringAndLeavingRunTheirLinesOncePerCrossing) {
  struct Step {
    Vec3 at;
    Lines lines;
  };
  const Step steps[] = {
      {{15.0f, 0.0f, 20.0f}, {}},   // on the face: outside
      {{14.9f, 0.0f, 20.0f}, {7}},  // in
      {{12.0f, 9.9f, 22.9f}, {}},   // still in
      {{12.0f, 10.0f, 22.9f}, {9}},  // 10 below the centre: out
      {{10.0f, -9.0f, 20.0f}, {7}},  // the next tick in again
      {{10.0f, 0.0f, 17.0f}, {9}},
      {{10.0f, -10.0f, 20.0f}, {}},  // 10 above: out
  };
  for (const Step& s : steps) EXPECT_EQ(TestAt(s.at.x, s.at.y, s.at.z), s.lines) << s.at.x << " " << s.at.y;
  EXPECT_EQ(m_frame.runs.size(), 0u);
  TestAt(10.0f, 0.0f, 20.0f);
  ASSERT_EQ(m_frame.runs.size(), 1u);
  EXPECT_EQ(m_frame.runs[0].subject, "gate");
  EXPECT_EQ(m_frame.runs[0].objectName, "gate");
}

TEST_F(MapEventTest, WithoutAnEnterLabelTheBoxStillKnowsItIsInside) {
  m_box.m_enterLine = -1;
  EXPECT_EQ(TestAt(10.0f, 0.0f, 20.0f), Lines{});
  EXPECT_EQ(m_box.m_inside, 1);
  EXPECT_EQ(TestAt(30.0f, 0.0f, 20.0f), Lines{9});
}

TEST_F(MapEventTest, ACountdownRunsItsLineAtItsEndAndBelowZeroOnEveryTest) {
  m_box.m_enterLine = -1;
  m_box.m_leaveLine = -1;
  m_box.SetTarget(1, 42);
  EXPECT_EQ(TestAt(50.0f, 0.0f, 50.0f), Lines{42});
  EXPECT_EQ(m_box.m_countdown, 0);
  EXPECT_EQ(TestAt(50.0f, 0.0f, 50.0f), Lines{});
  m_box.SetTarget(3, 5);
  EXPECT_EQ(TestAt(50.0f, 0.0f, 50.0f), Lines{});
  EXPECT_EQ(TestAt(50.0f, 0.0f, 50.0f), Lines{});
  EXPECT_EQ(TestAt(50.0f, 0.0f, 50.0f), Lines{5});
  // Counting from below zero, it runs on every test while it stays so.
  m_box.SetTarget(-4, 6);
  EXPECT_EQ(TestAt(50.0f, 0.0f, 50.0f), Lines{6});
  EXPECT_EQ(m_box.m_countdown, -5);
  EXPECT_EQ(TestAt(50.0f, 0.0f, 50.0f), Lines{6});
  EXPECT_EQ(m_box.m_countdown, -6);
}

TEST_F(MapEventTest, EnteringAndTheCountdownRunInOneTestInThatOrder) {
  m_box.SetTarget(1, 42);
  EXPECT_EQ(TestAt(10.0f, 0.0f, 20.0f), (Lines{7, 42}));
}

TEST_F(MapEventTest, ARequestedLineRunsOnRequestAndLineMinusOneRunsNothing) {
  m_box.SetData(12);
  m_box.RunRequested();
  EXPECT_EQ(m_frame.Lines(), Lines{12});
  m_box.SetTarget(1, -1);
  EXPECT_EQ(TestAt(50.0f, 0.0f, 50.0f), Lines{});
  m_box.SetData(-1);
  m_box.RunRequested();
  EXPECT_EQ(m_frame.Lines(), Lines{});
}

TEST_F(MapEventTest, TheContextTestsEveryBoxAgainstThePlayerAndNothingWithoutOne) {
  CSelvarinContext& context = *m_frame.GetContext();
  context.m_mapEvents.push_back(m_box);
  context.m_mapEvents.push_back(m_box);
  context.m_mapEvents.back().m_enterLine = 8;
  m_player.m_pos = Vec3{10.0f, 0.0f, 20.0f};
  context.CheckMapEvents();
  EXPECT_EQ(m_frame.Lines(), Lines{});
  context.m_player = &m_player;
  context.CheckMapEvents();
  EXPECT_EQ(m_frame.Lines(), (Lines{7, 8}));
}

}  // namespace
