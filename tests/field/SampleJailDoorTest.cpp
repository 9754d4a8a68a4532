// The sample village's props under the real script runner: the jail door's
// "::Action" opens it, and it slides aside; the chest's runs for the chest.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "engine/Controller.h"
#include "engine/FileStream.h"
#include "engine/Mouse.h"
#include "engine/FrameMgr.h"
#include "engine/PackFile.h"
#include "engine/ResMgr.h"
#include "field/MovingDoor1.h"
#include "field/PickRegionList.h"
#include "field/Player.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "session/Session.h"
#include "tests/support/SampleMapFrame.h"
#include "tests/support/TestSupport.h"

namespace {

class SampleJailDoorTest : public ::testing::Test {
 protected:
  SampleJailDoorTest() {
    EXPECT_TRUE(m_map.Registered());
  }

  CSelvarinContext& Context() { return m_map.Context(); }

  testsupport::SampleMapFrame<CSelvarinFrame> m_map{"newgame"};
  CSelvarinFrame& m_frame = m_map.frame;
};

TEST_F(SampleJailDoorTest, UsingTheJailDoorSlidesItOpen) {
  auto* door = dynamic_cast<CMovingDoor1*>(Context().FindActorByResName("jaildoor"));
  ASSERT_NE(door, nullptr);
  ASSERT_NE(door->m_actionLine, -1);
  const float closed = door->m_pos.x;
  door->OnMessage(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(g_scriptObjectName, "jaildoor");
  EXPECT_EQ(door->m_doorState, CSelvarin3dActor::kOpening);
  for (int tick = 0; tick < 60; ++tick) Context().ProcessExtraActors();
  EXPECT_FLOAT_EQ(door->m_pos.x, closed - 24.5f);
  EXPECT_EQ(door->m_doorState, CSelvarin3dActor::kOpen);
  // The way through the gap is free; the wall still stands.
  EXPECT_FALSE(door->IsInsideBox(Vec3{closed, -3.0f, door->m_pos.z}));
  EXPECT_EQ(Context().CheckMove(closed, -3.0f, door->m_pos.z), 0);
  EXPECT_EQ(Context().CheckMove(closed - 24.0f, -3.0f, 40.0f), 2);

  auto* chest = dynamic_cast<CSelvarin3dActor*>(Context().FindActorByResName("chest"));
  ASSERT_NE(chest, nullptr);
  ASSERT_NE(chest->m_actionLine, -1);
  chest->OnMessage(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(g_scriptObjectName, "chest");
}

// The leader uses the props itself: the action button before the chest,
// then a click with the use cursor on the jail door.
TEST_F(SampleJailDoorTest, TheLeaderUsesTheChestByTheButtonAndTheDoorByAClick) {
  CSession::GetInstance().Init();
  Context().MakePlayerActors();
  auto* leader = dynamic_cast<CPlayer*>(Context().GetPlayer());
  ASSERT_NE(leader, nullptr);
  auto* chest = dynamic_cast<CSelvarin3dActor*>(Context().FindActorByResName("chest"));
  auto* door = dynamic_cast<CMovingDoor1*>(Context().FindActorByResName("jaildoor"));
  ASSERT_NE(chest, nullptr);
  ASSERT_NE(door, nullptr);
  CKeyPad pad;
  pad.m_buttons.fill(kStateUp);
  CKeyPad* const savedPad = g_pMainKeyPad;
  g_pMainKeyPad = &pad;
  CMouse& mouse = CMouse::GetInstance();
  mouse.m_mouseButtons = {kStateUp, kStateUp};

  // Seven units short of the chest, heading for it (north, towards -z).
  leader->m_pos = Vec3{chest->m_pos.x + 2.0f, chest->m_pos.y, chest->m_pos.z + 7.0f};
  leader->m_angle = 0.0f;
  ASSERT_EQ(Context().FindPropInFront(*leader), chest);
  g_scriptObjectName.clear();
  pad.m_buttons[5] = kStatePressed;
  EXPECT_TRUE(leader->OnProcess());
  EXPECT_EQ(g_scriptObjectName, "chest");
  // The chest's text holds the leader before its tick wraps the heading.
  EXPECT_NEAR(std::fmod(leader->m_targetHeading + 360.0f, 360.0f), 360.0f - std::atan2(2.0f, 7.0f) * 57.29579f, 1e-2f);
  pad.m_buttons[5] = kStateUp;
  m_frame.m_messageState = 0;  // whatever the chest said

  // The door, clicked from afar with the use cursor over its rectangle.
  g_pickRegionList.Clear();
  g_pickRegionList.Add(10, 50, 10, 50, 3, door);
  m_frame.m_cursorKind = 2;
  mouse.m_x = mouse.m_y = 30;
  mouse.m_mouseButtons[0] = kStatePressed;
  EXPECT_TRUE(leader->OnProcess());
  EXPECT_EQ(door->m_doorState, CSelvarin3dActor::kOpening);
  mouse.m_mouseButtons[0] = kStateUp;
  g_pickRegionList.Clear();
  g_pMainKeyPad = savedPad;
}

}  // namespace
