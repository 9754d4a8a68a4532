// Field enemies: the battle request and what holds it back, wandering,
// chasing and returning home, arming codes and the frame chosen.
#include "field/FieldEnemy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "platform/Random.h"
#include "tests/field/FieldActorFixture.h"
#include "tests/field/RecordingFrame.h"
#include "tools/lib/ActWriter.h"

namespace {

class FieldEnemyTest : public FieldActorTestOf<CRecordingFrame> {
 protected:
  FieldEnemyTest() {
    m_enemy.Init();
    m_enemy.m_name = "wolf";
    m_enemy.m_inAir = 0;
    m_enemy.m_speed = 1.0f;
    m_enemy.m_battleLine = 40;
    m_enemy.m_eventLine = 50;
    m_player.m_pos = Vec3{60.0f, 0.0f, 0.0f};
    Context().m_player = &m_player;
    Frame().m_transKind = 0;  // the frame's fade-in is over
    Frame().m_pendingMode = -1;
  }
  ~FieldEnemyTest() override { Context().m_player = nullptr; }

  CFieldEnemy m_enemy;  // at home at the origin
  CSelvarinActor m_player;
};

TEST_F(FieldEnemyTest, ThePlayerWithinReachStartsTheBattleOnce) {
  m_player.m_pos = Vec3{10.0f, 0.0f, 0.0f};
  EXPECT_TRUE(m_enemy.OnProcess());
  EXPECT_TRUE(Frame().messages.empty());
  EXPECT_EQ(m_enemy.m_triggered, 0);

  m_player.m_pos.x = 9.99f;
  EXPECT_TRUE(m_enemy.OnProcess());
  ASSERT_EQ(Frame().messages.size(), 1u);
  const FrameMessage& m = Frame().messages[0];
  EXPECT_EQ(m.sender, &m_enemy);
  EXPECT_EQ(m.code, 0);
  EXPECT_EQ(m.a, 0);
  EXPECT_EQ(m.b, 40);
  EXPECT_EQ(m.c, 50);
  EXPECT_EQ(m_enemy.m_triggered, 1);
  EXPECT_EQ(m_enemy.m_visible, 0);

  // Triggered, it stands still: no tick, no second request.
  const int32_t tick = m_enemy.m_tickCount;
  m_enemy.m_velocity = Vec3{1.0f, 0.0f, 0.0f};
  EXPECT_TRUE(m_enemy.OnProcess());
  EXPECT_EQ(m_enemy.m_tickCount, tick);
  EXPECT_FLOAT_EQ(m_enemy.m_pos.x, 0.0f);
  EXPECT_EQ(Frame().messages.size(), 1u);

  // Code 2 keeps it so; code 1 shows and re-arms it.
  m_enemy.OnMessage(nullptr, 2, 0, 0, 0);
  EXPECT_EQ(m_enemy.m_triggered, 1);
  m_enemy.OnMessage(nullptr, 1, 0, 0, 0);
  EXPECT_EQ(m_enemy.m_triggered, 0);
  EXPECT_EQ(m_enemy.m_visible, 1);
  m_enemy.OnMessage(nullptr, 2, 0, 0, 0);
  EXPECT_EQ(m_enemy.m_triggered, 1);
  EXPECT_EQ(m_enemy.m_visible, 0);
  m_enemy.OnMessage(nullptr, 5, 123, 0, 0);  // the base's
  EXPECT_FLOAT_EQ(m_enemy.m_angle, 123.0f);
}

TEST_F(FieldEnemyTest, WhatHoldsTheRequestBackKeepsTheEnemyWanderingArmed) {
  using Setup = std::function<void(CSelvarinFrame&, CSelvarinActor&, CSelvarinContext&)>;
  struct Case {
    const char* what;
    Setup setup;
    bool triggers = false;
  };
  const Case cases[] = {
      {"nothing", [](CSelvarinFrame&, CSelvarinActor&, CSelvarinContext&) {}, true},
      {"a transition runs", [](CSelvarinFrame& f, CSelvarinActor&, CSelvarinContext&) { f.m_transKind = 1; }},
      {"the player falls", [](CSelvarinFrame&, CSelvarinActor& p, CSelvarinContext&) { p.m_inAir = 1; }},
      {"the player's grace", [](CSelvarinFrame&, CSelvarinActor& p, CSelvarinContext&) { p.m_graceTicks = 5; }},
      {"a message shows", [](CSelvarinFrame& f, CSelvarinActor&, CSelvarinContext&) { f.m_messageState = 2; }},
      {"a choice is open", [](CSelvarinFrame& f, CSelvarinActor&, CSelvarinContext&) { f.m_choiceCount = 1; }},
      {"a script is busy", [](CSelvarinFrame& f, CSelvarinActor&, CSelvarinContext&) { f.m_scriptBusy = 1; }},
      {"a battle is asked for", [](CSelvarinFrame& f, CSelvarinActor&, CSelvarinContext&) { f.m_pendingMode = 2; }},
      {"no player", [](CSelvarinFrame&, CSelvarinActor&, CSelvarinContext& c) { c.m_player = nullptr; }},
  };
  for (const Case& c : cases) {
    CRecordingFrame& frame = Frame();
    CSelvarinActor player;
    player.m_pos = Vec3{5.0f, 0.0f, 0.0f};
    Context().m_player = &player;
    frame.m_transKind = frame.m_messageState = frame.m_choiceCount = frame.m_scriptBusy = 0;
    frame.m_pendingMode = -1;
    c.setup(frame, player, Context());
    CFieldEnemy enemy;
    enemy.Init();
    enemy.m_inAir = 0;
    enemy.m_speed = 1.0f;
    enemy.m_state = CFieldEnemy::kWalk;
    enemy.m_angle = 180.0f;
    for (int i = 0; i < 5; ++i) enemy.OnProcess();
    EXPECT_EQ(frame.messages.size(), c.triggers ? 1u : 0u) << c.what;
    EXPECT_EQ(enemy.m_triggered, c.triggers ? 1 : 0) << c.what;
    if (!c.triggers) {
      EXPECT_EQ(enemy.m_visible, 1) << c.what;
      EXPECT_EQ(enemy.m_tickCount, 5) << c.what;
      EXPECT_NEAR(enemy.m_pos.z, 4.0f, 1e-4f) << c.what;  // walking on, one unit a tick
    }
    frame.messages.clear();
    Context().m_player = &m_player;
  }
}

TEST_F(FieldEnemyTest, StandingItTurnsToAWalkAfter100TicksOrTowardANearPlayerAfter20) {
  // Past 100 ticks the heading is drawn; the tick then starts again, so the
  // player, near as it is, changes nothing more in this call.
  m_player.m_pos = Vec3{0.0f, 0.0f, 20.0f};
  platform::Srand(3);
  const int heading = platform::Rand() % 360;
  platform::Srand(3);
  m_enemy.m_tickCount = 101;
  m_enemy.UpdateAction(CFieldEnemy::kStand);
  EXPECT_EQ(m_enemy.m_state, CFieldEnemy::kWalk);
  EXPECT_EQ(m_enemy.m_tickCount, 0);
  EXPECT_FLOAT_EQ(m_enemy.m_angle, static_cast<float>(heading));

  m_enemy.m_state = CFieldEnemy::kStand;
  m_enemy.m_tickCount = 20;
  m_enemy.UpdateAction(CFieldEnemy::kStand);
  EXPECT_EQ(m_enemy.m_state, CFieldEnemy::kStand);
  m_enemy.m_tickCount = 21;
  m_enemy.UpdateAction(CFieldEnemy::kStand);
  EXPECT_EQ(m_enemy.m_state, CFieldEnemy::kWalk);
  EXPECT_FLOAT_EQ(m_enemy.m_angle, 180.0f);  // toward +z

  // 30 away is not near.
  m_player.m_pos.z = 30.0f;
  m_enemy.m_state = CFieldEnemy::kStand;
  m_enemy.m_tickCount = 21;
  m_enemy.UpdateAction(CFieldEnemy::kStand);
  EXPECT_EQ(m_enemy.m_state, CFieldEnemy::kStand);
}

TEST_F(FieldEnemyTest, FarFromHomeItWalksBackFasterUntilUnder30) {
  // Home at x -60; the sum of whole differences is what counts.
  Context().m_player = nullptr;
  m_enemy.m_targetX = -60.0f;
  m_enemy.m_targetZ = 0.0f;
  m_enemy.m_state = CFieldEnemy::kWalk;
  m_enemy.m_angle = 90.0f;
  m_enemy.m_pos = Vec3{60.9f, 0.0f, 0.0f};  // 120.9: not over 120
  m_enemy.UpdateAction(CFieldEnemy::kWalk);
  EXPECT_EQ(m_enemy.m_state, CFieldEnemy::kWalk);
  m_enemy.m_pos.x = 61.0f;
  m_enemy.UpdateAction(CFieldEnemy::kWalk);
  ASSERT_EQ(m_enemy.m_state, CFieldEnemy::kReturnHome);
  EXPECT_FLOAT_EQ(m_enemy.m_angle, 270.0f);
  EXPECT_EQ(m_enemy.m_tickCount, 0);

  float lastX = m_enemy.m_pos.x;
  int ticks = 0;
  while (m_enemy.m_state == CFieldEnemy::kReturnHome && ticks < 200) {
    m_enemy.OnProcess();
    if (m_enemy.m_state == CFieldEnemy::kReturnHome && ticks > 0) {
      EXPECT_NEAR(lastX - m_enemy.m_pos.x, 1.4285715f, 1e-4f);
    }
    lastX = m_enemy.m_pos.x;
    ++ticks;
  }
  EXPECT_EQ(m_enemy.m_state, CFieldEnemy::kStand);
  EXPECT_LT(m_enemy.m_pos.x, -30.0f);
  EXPECT_GT(m_enemy.m_pos.x, -31.5f);
}

TEST_F(FieldEnemyTest, AWalkEndsAfter100TicksAndANearPlayerTurnsItAfter20) {
  m_enemy.m_state = CFieldEnemy::kWalk;
  m_enemy.m_angle = 90.0f;
  m_enemy.m_tickCount = 101;
  m_enemy.UpdateAction(CFieldEnemy::kWalk);
  EXPECT_EQ(m_enemy.m_state, CFieldEnemy::kStand);
  EXPECT_NEAR(m_enemy.m_velocity.x, 1.0f, 1e-5f);  // the speed is set first

  m_player.m_pos = Vec3{0.0f, 0.0f, -25.0f};
  m_enemy.m_state = CFieldEnemy::kWalk;
  m_enemy.m_tickCount = 21;
  m_enemy.UpdateAction(CFieldEnemy::kWalk);
  EXPECT_EQ(m_enemy.m_state, CFieldEnemy::kWalk);
  EXPECT_EQ(m_enemy.m_tickCount, 0);
  EXPECT_NEAR(m_enemy.m_angle, 0.0f, 1e-4f);
}

TEST_F(FieldEnemyTest, FrameStoresTheActionAsComputedAndCountsFramesOfOneThatExists) {
  // Four actions: standing ones only. Walking actions 4 to 7 take their
  // frame count from action 3.
  const ActMotion m;
  Write("data/sprite/wolf.act",
        slvtools::BuildAct(0x200, {ActAction{{m}}, ActAction{{m, m}}, ActAction{{m, m}}, ActAction{{m, m, m}}}));
  m_enemy.m_actName = "wolf.act";
  struct Case {
    int mode;
    float heading;
    int tick, action, base, motion;
  };
  const Case cases[] = {
      {0, 0.0f, 8, 0, 0, 0},    // one frame
      {0, 100.0f, 4, 2, 0, 1},  // view 260: quadrant 2
      {1, 100.0f, 20, 6, 4, 2},  // (20 / 4) mod 3
      {2, 0.0f, 4, 4, 4, 1},
      {3, 0.0f, 4, 4, 4, 1},  // other modes keep what was there
  };
  for (const Case& c : cases) {
    m_enemy.m_state = c.mode;
    m_enemy.m_angle = c.heading;
    m_enemy.m_tickCount = c.tick;
    m_enemy.UpdateFrame();
    EXPECT_EQ(m_enemy.m_action, c.action) << c.mode << " " << c.heading;
    EXPECT_EQ(m_enemy.m_actionBase, c.base) << c.mode << " " << c.heading;
    EXPECT_EQ(m_enemy.m_motion, c.motion) << c.mode << " " << c.heading;
    EXPECT_EQ(m_enemy.m_tickCount, c.tick + 1);
    EXPECT_EQ(m_enemy.m_lastActionBase, c.base);
    EXPECT_EQ(m_enemy.m_lastFrame, c.motion);
  }
}

TEST_F(FieldEnemyTest, WithoutFramesToShowItKeepsWhatItShows) {
  Write("data/sprite/none.act", slvtools::BuildAct(0x200, {}));
  Write("data/sprite/hollow.act", slvtools::BuildAct(0x200, {ActAction{}}));
  for (const char* name : {"missing.act", "none.act", "hollow.act"}) {
    m_enemy.m_actName = name;
    m_enemy.m_state = CFieldEnemy::kWalk;
    m_enemy.m_action = 2;
    m_enemy.m_motion = 1;
    m_enemy.m_tickCount = 9;
    m_enemy.UpdateFrame();
    EXPECT_EQ(m_enemy.m_action, 2) << name;
    EXPECT_EQ(m_enemy.m_motion, 1) << name;
    EXPECT_EQ(m_enemy.m_tickCount, 10) << name;
  }
}

}  // namespace
