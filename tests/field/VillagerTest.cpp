// Villagers: the idle gate, wandering in the box, the messages of talks and
// walk scripts, and the frame chosen by pattern and state. Script runs are
// recorded by the frame.
#include "field/Villager.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/Random.h"
#include "tests/field/FieldActorFixture.h"
#include "tests/field/RecordingFrame.h"
#include "tools/lib/ActWriter.h"

namespace {

using Lines = std::vector<int>;

class VillagerTest : public FieldActorTestOf<CRecordingFrame> {
 protected:
  VillagerTest() {
    // Sixteen actions of three frames each: eight standing, eight walking.
    const ActAction three{{ActMotion{}, ActMotion{}, ActMotion{}}};
    Write("data/sprite/v.act", slvtools::BuildAct(0x200, std::vector<ActAction>(16, three)));
    m_villager.m_name = "baker";
    m_villager.m_actName = "v.act";
    m_villager.m_talkLine = 10;
    m_villager.m_walkLine = -1;
    m_villager.Init();
    m_villager.m_inAir = 0;
    m_talker.m_pos = Vec3{10.0f, 0.0f, 0.0f};
  }
  ~VillagerTest() override { g_scriptObjectName.clear(); }

  void Send(int code, intptr_t a = 0, intptr_t b = 0, intptr_t c = 0) {
    m_villager.OnMessage(code == 0 ? &m_talker : nullptr, code, a, b, c);
  }

  CVillager m_villager;
  CSelvarinActor m_talker;  // stands on the villager's east
};

TEST_F(VillagerTest, ConstructionAndInit) {
  CVillager fresh;
  EXPECT_EQ(fresh.m_frameDuration, 9);
  EXPECT_EQ(fresh.m_faceTalker, 1);
  EXPECT_EQ(fresh.m_talkLine, -1);
  EXPECT_EQ(fresh.m_callLine, -1);
  fresh.m_walkLine = 30;
  fresh.m_pattern = 4;
  fresh.m_pos = Vec3{1.0f, -20.0f, 2.0f};
  fresh.Init();
  EXPECT_FLOAT_EQ(fresh.m_speed, 2.0f);
  EXPECT_EQ(fresh.m_inAir, 1);
  EXPECT_EQ(fresh.m_state, CVillager::kLooping);
  EXPECT_EQ(fresh.m_nextLine, 30);
  EXPECT_EQ(fresh.m_resumeLine, 30);
  EXPECT_FLOAT_EQ(fresh.m_pos.y, -20.0f);  // only patterns 0 and 1 are put down
  fresh.m_pattern = 1;
  fresh.Init();
  EXPECT_FLOAT_EQ(fresh.m_pos.y, 0.0f);
  EXPECT_EQ(fresh.m_state, CVillager::kIdle);
}

TEST_F(VillagerTest, AnIdleVillagerWakesOnceInEvery128Ticks) {
  m_villager.m_walkLine = m_villager.m_resumeLine = 20;
  m_villager.m_inAir = 1;
  m_villager.m_pos.y = -30.0f;  // in the air, but idle: it does not even fall
  std::vector<int> woke;
  for (int tick = 0; tick < 300; ++tick) {
    const size_t before = Frame().runs.size();
    EXPECT_TRUE(m_villager.OnProcess());
    if (Frame().runs.size() != before) woke.push_back(tick);
  }
  EXPECT_EQ(woke, (std::vector<int>{0, 128, 256}));
  EXPECT_EQ(m_villager.m_tickCount, 3);
  EXPECT_FLOAT_EQ(m_villager.m_pos.y, -30.0f);
  EXPECT_EQ(Frame().runs[0].subject, "baker");
}

TEST_F(VillagerTest, AWanderStepStartsWhenTheDrawMeetsTheTickAndEndsAtTheBoxEdgeTurnedHome) {
  m_villager.m_pattern = 2;
  m_villager.m_wanderHalfX = 1.0f;
  m_villager.m_wanderHalfZ = 5.0f;
  // The draw that the next gated tick compares, and the heading after it.
  platform::Srand(7);
  const int draw = platform::Rand() % 200;
  const int heading = platform::Rand() % 360;
  ASSERT_GT(draw, 0);
  // One tick short of a match: the villager stays idle, and its tick, past
  // 200, starts again.
  platform::Srand(7);
  m_villager.m_tickCount = draw;
  m_villager.OnProcess();
  EXPECT_EQ(m_villager.m_state, CVillager::kIdle);
  m_villager.m_tickCount = 201;
  m_villager.m_idleCounter = 0;
  m_villager.OnProcess();
  EXPECT_EQ(m_villager.m_tickCount, 0);

  platform::Srand(7);
  m_villager.m_idleCounter = 0;
  m_villager.m_tickCount = draw - 1;  // the frame step counts it up first
  m_villager.m_blocked = 1;
  m_villager.OnProcess();
  ASSERT_EQ(m_villager.m_state, CVillager::kWander);
  EXPECT_EQ(m_villager.m_blocked, 0);
  EXPECT_FLOAT_EQ(m_villager.m_angle, static_cast<float>(heading));

  // Due east at 0.3 a tick, from 0.6 inside a box 1 wide on either side.
  m_villager.m_angle = 90.0f;
  m_villager.m_pos.x = 0.6f;
  m_villager.OnProcess();  // sets the speed
  m_villager.OnProcess();  // 0.9
  EXPECT_NEAR(m_villager.m_pos.x, 0.9f, 1e-5f);
  EXPECT_EQ(m_villager.m_state, CVillager::kWander);
  m_villager.OnProcess();  // 1.2 is past the edge
  EXPECT_FLOAT_EQ(m_villager.m_pos.x, 1.0f);
  EXPECT_FLOAT_EQ(m_villager.m_angle, 270.0f);
  EXPECT_EQ(m_villager.m_state, CVillager::kIdle);
  EXPECT_EQ(m_villager.m_tickCount, 0);
  EXPECT_EQ(m_villager.m_blocked, 1);
}

TEST_F(VillagerTest, AWanderStepEndsAfter150Ticks) {
  m_villager.m_pattern = 2;
  m_villager.m_wanderHalfX = m_villager.m_wanderHalfZ = 100.0f;
  m_villager.m_state = CVillager::kWander;
  int ticks = 0;
  while (m_villager.m_state == CVillager::kWander && ticks < 1000) {
    m_villager.OnProcess();
    ++ticks;
  }
  EXPECT_EQ(ticks, 151);
}

TEST_F(VillagerTest, Messages) {
  using Setup = std::function<void(CVillager&, CSelvarinFrame&)>;
  struct Message {
    int code;
    intptr_t a = 0, b = 0, c = 0;
  };
  struct Case {
    const char* what;
    Setup setup;
    std::vector<Message> messages;
    Lines runs;
    int state, inTalk, nextLine, resumeLine;
    float heading;
  };
  const auto none = [](CVillager&, CSelvarinFrame&) {};
  const Case cases[] = {
      {"talk", none, {{0}}, {10}, 0, 1, 20, 20, 90.0f},
      {"no ::Talk", [](CVillager& v, CSelvarinFrame&) { v.m_talkLine = -1; }, {{0}}, {}, 0, 0, 20, 20, 0.0f},
      {"invisible", [](CVillager& v, CSelvarinFrame&) { v.m_visible = 0; }, {{0}}, {}, 0, 0, 20, 20, 0.0f},
      {"facing off", none, {{30}, {0}}, {10}, 0, 1, 20, 20, 0.0f},
      {"a message shows", [](CVillager&, CSelvarinFrame& f) { f.m_messageState = 2; }, {{0}}, {}, 0, 1, 20, 20, 90.0f},
      {"a choice is open", [](CVillager&, CSelvarinFrame& f) { f.m_choiceCount = 2; }, {{0}}, {}, 0, 1, 20, 20, 90.0f},
      {"14 after 18 swallowed", none, {{18}, {14}}, {}, 12, 0, 20, 20, 0.0f},
      {"the next 14 ends it", none, {{18}, {14}, {14}}, {}, 0, 0, 20, 20, 0.0f},
      {"4 outside a talk", none, {{4, 5, 6, 31}}, {}, 12, 0, 31, 30, 0.0f},
      {"4 in a talk", none, {{0}, {4, 5, 6, 31}}, {10}, 12, 1, 31, 20, 90.0f},
      {"14 ends a talk, the walk goes on", none, {{4, 5, 6, 31}, {0}, {14}}, {10}, 0, 0, 31, 30, 90.0f},
      {"14 restarts the walk script", none, {{4, 5, 6, 31}, {14}}, {}, 0, 0, 20, 20, 0.0f},
      {"14 keeps a script animation", [](CVillager& v, CSelvarinFrame&) { v.m_state = 16; }, {{14}}, {}, 16, 0, 20, 20, 0.0f},
      {"17 waits", none, {{17, 30, 44}}, {}, 4, 0, 44, 20, 0.0f},
      {"47 waits long", none, {{47, 60}}, {}, 13, 0, 60, 59, 0.0f},
      {"13 before 12 runs nothing", none, {{13}}, {}, 0, 0, 20, 20, 0.0f},
      {"12 then 13", none, {{12, 55}, {13}}, {55}, 3, 0, 20, 20, 0.0f},
      {"12 keeps a drop", [](CVillager& v, CSelvarinFrame&) { v.m_state = 5; }, {{12, 55}}, {}, 5, 0, 20, 20, 0.0f},
      {"the base's codes", none, {{5, 45}}, {}, 0, 0, 20, 20, 45.0f},
  };
  for (const Case& c : cases) {
    CVillager v;
    v.m_name = "baker";
    v.m_talkLine = 10;
    v.m_walkLine = 20;
    v.Init();
    Frame().runs.clear();
    Frame().m_messageState = 0;
    Frame().m_choiceCount = 0;
    c.setup(v, Frame());
    for (const Message& m : c.messages) v.OnMessage(m.code == 0 ? &m_talker : nullptr, m.code, m.a, m.b, m.c);
    EXPECT_EQ(Frame().Lines(), c.runs) << c.what;
    EXPECT_EQ(v.m_state, c.state) << c.what;
    EXPECT_EQ(v.m_inTalk, c.inTalk) << c.what;
    EXPECT_EQ(v.m_nextLine, c.nextLine) << c.what;
    EXPECT_EQ(v.m_resumeLine, c.resumeLine) << c.what;
    EXPECT_NEAR(v.m_angle, c.heading, 1e-3f) << c.what;
    for (const ScriptRun& run : Frame().runs) EXPECT_EQ(run.objectName, run.line == 10 ? "baker" : "") << c.what;
    g_scriptObjectName.clear();
  }
}

TEST_F(VillagerTest, WaitsAndWalksRunTheirNextLineWhenTheyEnd) {
  Send(17, 3, 44);
  for (int i = 0; i < 3; ++i) m_villager.OnProcess();
  EXPECT_EQ(Frame().Lines(), Lines{});
  m_villager.OnProcess();
  EXPECT_EQ(Frame().Lines(), Lines{44});
  // Walking 0.3 a tick to a point 2.5 away: there when both whole
  // differences are 0.
  Frame().runs.clear();
  Send(4, 2, 0, 51);
  int ticks = 0;
  while (m_villager.m_state == CVillager::kWalkToTarget && ticks < 100) {
    m_villager.OnProcess();
    ++ticks;
  }
  EXPECT_EQ(ticks, 5);
  EXPECT_GT(m_villager.m_pos.x, 1.0f);
  EXPECT_EQ(Frame().Lines(), Lines{51});
  // A walk whose line is -1 runs nothing at its end.
  Frame().runs.clear();
  Send(4, 0, 0, -1);
  for (int i = 0; i < 10; ++i) m_villager.OnProcess();
  EXPECT_EQ(m_villager.m_state, CVillager::kIdle);
  EXPECT_EQ(Frame().Lines(), Lines{});
}

TEST_F(VillagerTest, APlayedActionReturnsToIdleAtItsLastFrame) {
  Send(19, 2);
  m_villager.m_frameDuration = 2;
  int ticks = 0;
  while (m_villager.m_state == CSelvarinActor::kModePlayOnce && ticks < 100) {
    m_villager.OnProcess();
    ++ticks;
  }
  EXPECT_EQ(ticks, 5);  // frames 0, 0, 1, 1, 2
  EXPECT_EQ(m_villager.m_action, 2);
}

TEST_F(VillagerTest, FrameByPatternAndState) {
  struct Case {
    int pattern, state;
    float heading;
    int tick, action, base, motion;
  };
  // The camera looks along heading 0; the frame is (tick / 9) mod 3.
  const Case cases[] = {
      {0, 0, 0.0f, 20, 0, 0, 2},      {0, 0, 100.0f, 20, 2, 0, 2},  // view 260
      {2, 1, 270.0f, 9, 5, 4, 1},     {2, 12, 270.0f, 9, 5, 4, 1},  // view 90, walking
      {0, 3, 180.0f, 0, 2, 0, 0},     {2, 4, 0.0f, 0, 0, 0, 0},
      {1, 0, 300.0f, 0, 0, 0, 0},     // view 60: octant 0 spans from 0 to 67.5
      {1, 0, 160.0f, 0, 3, 0, 0},     {3, 13, 160.0f, 27, 11, 8, 0},
      {1, 0, 400.0f, 0, 7, 0, 0},     // view -40: the octant -1 masked to 7
      {0, 0, 500.0f, 0, 3, 0, 0},     // view -140: the quadrant -1 likewise
      {5, 0, 160.0f, 20, 3, 0, 0},    // standing still on frame 0
      {5, 1, 160.0f, 20, 11, 8, 2},   {4, 10, 160.0f, 20, 0, 0, 2},
      {0, 5, 0.0f, 20, 6, 0, 2},      // other states keep the action
  };
  for (const Case& c : cases) {
    m_villager.m_pattern = c.pattern;
    m_villager.m_state = c.state;
    m_villager.m_angle = c.heading;
    m_villager.m_tickCount = c.tick;
    m_villager.m_action = 6;
    m_villager.m_actionBase = 0;
    m_villager.UpdateFrame();
    EXPECT_EQ(m_villager.m_action, c.action) << c.pattern << " " << c.state << " " << c.heading;
    EXPECT_EQ(m_villager.m_actionBase, c.base) << c.pattern << " " << c.state << " " << c.heading;
    EXPECT_EQ(m_villager.m_motion, c.motion) << c.pattern << " " << c.state << " " << c.heading;
    EXPECT_EQ(m_villager.m_tickCount, c.tick + 1);
    EXPECT_EQ(m_villager.m_lastFrame, c.motion);
  }
  // Held past the action's end: its last frame.
  Send(20, 4, 9);
  m_villager.UpdateFrame();
  EXPECT_EQ(m_villager.m_action, 4);
  EXPECT_EQ(m_villager.m_motion, 2);
}

TEST_F(VillagerTest, WithoutFramesToShowTheVillagerKeepsWhatItShowsAndItsTickGoesOn) {
  const ActAction three{{ActMotion{}, ActMotion{}, ActMotion{}}};
  Write("data/sprite/holes.act", slvtools::BuildAct(0x200, {three, three, three, three, ActAction{}}));
  for (const char* name : {"missing.act", "holes.act"}) {
    m_villager.m_actName = name;
    m_villager.m_state = CVillager::kWander;  // action 4: none, or without frames
    m_villager.m_action = 1;
    m_villager.m_motion = 2;
    m_villager.m_tickCount = 40;
    m_villager.UpdateFrame();
    EXPECT_EQ(m_villager.m_action, 1) << name;
    EXPECT_EQ(m_villager.m_motion, 2) << name;
    EXPECT_EQ(m_villager.m_tickCount, 41) << name;
  }
  // A wander step still ends on time.
  m_villager.m_wanderHalfX = m_villager.m_wanderHalfZ = 100.0f;
  m_villager.m_tickCount = 0;
  for (int i = 0; i < 151; ++i) m_villager.OnProcess();
  EXPECT_EQ(m_villager.m_state, CVillager::kIdle);
}

}  // namespace
