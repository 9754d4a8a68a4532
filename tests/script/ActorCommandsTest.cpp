// The actor and camera words: the message each sends to whom, and whether
// the run goes on; the warps and the camera angles.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "engine/FrameMgr.h"
#include "field/PlayerStart.h"
#include "script/ActorCommands.h"
#include "tests/script/ScriptFixture.h"

namespace {

using Messages = std::vector<RecordedMessage>;

class ActorCommandsTest : public ScriptTest {
 protected:
  ActorCommandsTest()
      : m_elder(AddActor("elder")), m_guard(AddActor("guard")), m_door(AddModel("door")), m_player(AddPlayer()) {
    m_guard.m_pos = Vec3{12.7f, 0.0f, -30.2f};
  }

  // Runs the line as the elder's; true when the run went on after it.
  bool RunLine(const std::string& line) {
    for (auto* r : {&m_elder, &m_guard, &m_player}) r->messages.clear(), r->senders.clear();
    m_door.messages.clear();
    return Run(line + "\nerror #next\n") == std::vector<std::string>{"#next"};
  }

  RecordingActor& m_elder;
  RecordingActor& m_guard;
  RecordingModel& m_door;
  RecordingActor& m_player;
};

TEST_F(ActorCommandsTest, EachWordSendsItsMessageToItsTarget) {
  const struct {
    const char* line;
    const char* target;  // "" for nobody
    RecordedMessage message;
    bool goesOn;
  } cases[] = {
      {"step", "elder", {47, 1, 0, 0}, false},
      {"step guard", "guard", {47, 1, 0, 0}, false},
      {"step guard elder", "", {}, false},
      {"move 10.9 -20.5", "elder", {4, 10, -20, 1}, false},
      {"move guard 1.5 2", "guard", {4, 1, 2, 1}, false},
      {"move 1", "", {}, false},
      {"move guard 1 2 3", "", {}, false},
      {"move nobody 1 2", "", {}, false},
      {"move2 guard", "elder", {4, 12, -30, 1}, false},
      {"move2 guard elder", "guard", {4, 0, 0, 1}, false},
      {"move2 nobody", "", {}, false},
      {"moveparty 5 6", "player", {4, 5, 6, 1}, false},
      {"moveparty 5", "", {}, false},
      {"warp 3 4", "elder", {3, 3, 4, -1}, true},
      {"warp 3.9 4 90.7", "elder", {3, 3, 4, 90}, true},
      {"dir 270", "elder", {5, 270, 0, 0}, true},
      {"show", "elder", {1, 0, 0, 0}, true},
      {"show guard", "guard", {1, 0, 0, 0}, true},
      {"show nobody", "", {}, true},
      {"hide", "elder", {2, 0, 0, 0}, true},
      {"action guard 3", "guard", {19, 3, 0, 0}, true},
      {"actionrepeat guard 3", "guard", {19, 3, 1, 0}, true},
      {"motion guard 2 5", "guard", {20, 2, 5, 0}, true},
      {"stand guard", "guard", {26, 0, 0, 0}, true},
      {"blur 1 20.5 300 128 -4", "elder", {43, 1, 20, 0xFF8000}, true},
      {"blur 0.5 2 1 2 3 guard", "guard", {43, 0, 2, 0x010203}, true},
      {"jump guard 1.5 2.7 -3.2", "guard", {27, 100, 2, -3}, true},
      {"jump guard 0.5", "guard", {27, 0, 0, 0}, true},
      {"shadow 0", "elder", {23, 0, 0, 0}, true},
      {"opendoor door 5", "door", {7, 5, 0, 0}, true},
      {"closedoor door", "door", {8, 0, 0, 0}, true},
      {"opendoor elder", "", {}, true},  // doors only by resource name
      {"setspeed 1.5", "elder", {15, 100, 0, 0}, true},
      {"setspeed 1e30", "elder", {15, INT_MAX, 0, 0}, true},
      {"setspeed nan", "elder", {15, 0, 0, 0}, true},
      {"setactspeed 3", "elder", {16, 3, 0, 0}, true},
      {"setnosee", "elder", {30, 0, 0, 0}, true},
      {"emotion 4", "elder", {21, 4, 0, 0}, true},
      {"emotion 4 50", "elder", {21, 4, 50, 0}, true},
      {"emotion2 guard 2", "guard", {21, 2, 0, 0}, true},
      {"setmovetype 2", "elder", {28, 2, 0, 0}, true},
      {"rotateforever guard", "guard", {39, 0, 0, 0}, true},
      {"rotateforever", "", {}, true},
      {"stoprotate guard", "guard", {38, 0, 0, 0}, true},
      {"setanglespeed 1 2 guard", "", {}, true},
      {"addaction 1 2 3", "elder", {40, 1, 2, 3}, true},
      {"addaction 1 2 3 guard", "guard", {40, 1, 2, 3}, true},
      {"addaction 1 2", "", {}, true},
      {"setaction 7", "elder", {19, 7, 0, 0}, true},
      {"setaction 7 guard", "guard", {19, 7, 0, 0}, true},
      {"setaction 7 guard x", "", {}, true},
      {"SetFrame 2 GUARD", "guard", {48, 2, 0, 0}, true},
      {"setactionspeed 3", "elder", {41, 3, 0, 0}, true},
      {"setrepeattype 1", "elder", {50, 1, 0, 0}, true},
      {"stopaction 1", "elder", {49, 1, 0, 0}, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunLine(c.line), c.goesOn) << c.line;
    const std::string target = c.target;
    const Messages expected = target.empty() ? Messages{} : Messages{c.message};
    EXPECT_EQ(m_elder.messages, target == "elder" ? expected : Messages{}) << c.line;
    EXPECT_EQ(m_guard.messages, target == "guard" ? expected : Messages{}) << c.line;
    EXPECT_EQ(m_door.messages, target == "door" ? expected : Messages{}) << c.line;
    EXPECT_EQ(m_player.messages, target == "player" ? expected : Messages{}) << c.line;
  }
}

TEST_F(ActorCommandsTest, ExactCountsAreLoggedAndSendNothing) {
  for (const char* line : {"moveaccel 1 2 3 4 5", "setanglespeed 1 2 guard", "moveangle 1 guard", "stoprotate",
                           "moveparty 1 2 3", "setaction", "addaction 1 2 3 4 5 6"}) {
    EXPECT_TRUE(RunLine(line) || std::strncmp(line, "moveparty", 9) == 0) << line;
    EXPECT_TRUE(Logged("Syntax Error in")) << line;
    EXPECT_TRUE(m_guard.messages.empty() && m_elder.messages.empty() && m_player.messages.empty()) << line;
  }
}

TEST_F(ActorCommandsTest, SeeSendsTheLookedAtActorAsTheSender) {
  RunLine("see guard");
  ASSERT_EQ(m_elder.messages, (Messages{{6, 0, 0, 0}}));
  EXPECT_EQ(m_elder.senders[0], &m_guard);
  RunLine("see2 guard elder");
  ASSERT_EQ(m_guard.messages, (Messages{{6, 0, 0, 0}}));
  EXPECT_EQ(m_guard.senders[0], &m_elder);
  RunLine("see nobody");
  EXPECT_TRUE(m_elder.messages.empty());
}

TEST_F(ActorCommandsTest, RealsAndTextsTravelByAddressDuringTheCall) {
  std::vector<float> reals;
  std::string text;
  m_guard.answer = [&](int code, intptr_t a) {
    if (code == 34) reals.assign(reinterpret_cast<const float*>(a), reinterpret_cast<const float*>(a) + 5);
    if (code == 36) reals.assign(reinterpret_cast<const float*>(a), reinterpret_cast<const float*>(a) + 3);
    if (code == 25) text = reinterpret_cast<const char*>(a);
  };
  EXPECT_TRUE(RunLine("moveaccel 1.5 -2.5 3 4 5e30 guard"));
  EXPECT_EQ(reals, (std::vector<float>{1, -2, 3, 4, static_cast<float>(INT_MAX)}));
  EXPECT_TRUE(RunLine("setanglespeed 0.5 7 1e40 guard"));
  EXPECT_EQ(reals, (std::vector<float>{0, 7, 0}));  // past the float range: 0
  EXPECT_TRUE(RunLine("setspr guard Knight.spr"));
  EXPECT_EQ(text, "knight.spr");
  EXPECT_EQ(m_guard.messages[0].b, 0);
  EXPECT_EQ(m_guard.messages[0].c, 0);
  EXPECT_TRUE(RunLine("setspr guard knight.spr 3 4"));
  EXPECT_EQ(m_guard.messages[0].b, 3);
  EXPECT_EQ(m_guard.messages[0].c, 4);
}

TEST_F(ActorCommandsTest, DirpadTurnsTheKeyAroundTheCameraAngle) {
  const struct {
    int camera, key, angle;  // -1: nothing sent
  } cases[] = {
      {200, 8, 20}, {30, 4, 300}, {30, 5, -1}, {30, 0, -1}, {225, 9, 360}, {0, 1, 315}, {90, 2, 90}, {350, 6, 80},
  };
  for (const auto& c : cases) {
    int angle = -1;
    EXPECT_EQ(DirPadAngle(c.camera, c.key, &angle), c.angle != -1) << c.camera << " " << c.key;
    if (c.angle != -1) {
      EXPECT_EQ(angle, c.angle) << c.camera << " " << c.key;
    }
  }
  View().m_yaw = 200.0f;
  RunLine("dirpad guard 8");
  EXPECT_EQ(m_guard.messages, (Messages{{5, 20, 0, 0}}));
  RunLine("dirpad guard 5");
  EXPECT_TRUE(m_guard.messages.empty());
}

TEST_F(ActorCommandsTest, CameraAnglesAndThePartyWarp) {
  CSelvarinFrame& frame = Frame();
  RunLine("setangle 90");
  EXPECT_EQ(frame.m_warpYaw, 90.0f);
  EXPECT_EQ(frame.m_transYaw, 90.0f);
  RunLine("nextangle 45");
  EXPECT_EQ(frame.m_warpYaw, 45.0f);
  EXPECT_EQ(frame.m_transYaw, 90.0f);
  EXPECT_FALSE(RunLine("warpparty 10.5 -20"));
  EXPECT_EQ(frame.m_transKind, 1);
  EXPECT_EQ(frame.m_transStep, 0);
  EXPECT_EQ(frame.m_transYaw, 45.0f);
  EXPECT_EQ(frame.m_warpPos.x, 10.0f);
  EXPECT_EQ(frame.m_warpPos.y, -1.0f);  // no facing
  EXPECT_EQ(frame.m_warpPos.z, -20.0f);
  RunLine("warpparty 1 2 180");
  EXPECT_EQ(frame.m_warpPos.y, 180.0f);

  const struct {
    float yaw;
    const char* line;
    float angle;
  } adds[] = {{350, "addangle 20", 10}, {10, "addangle -40", 330}, {0, "addangle 2147483647", 127}, {359.9f, "addangle 0", 359}};
  for (const auto& a : adds) {
    View().m_yaw = a.yaw;
    RunLine(a.line);
    EXPECT_EQ(frame.m_warpYaw, a.angle) << a.line;
    EXPECT_EQ(frame.m_transYaw, a.angle) << a.line;
  }
}

TEST_F(ActorCommandsTest, MoveToFadesToTheMapOrChangesAtOnce) {
  CSelvarinFrame& frame = Frame();
  frame.m_transKind = 0;
  EXPECT_FALSE(RunLine("moveto castle 30.7 -40 90"));
  EXPECT_EQ(frame.m_transKind, 2);
  EXPECT_EQ(frame.m_transFrame, "castle");
  EXPECT_EQ(g_playerStart.x, 30.0f);
  EXPECT_EQ(g_playerStart.z, -40.0f);
  EXPECT_EQ(g_playerStart.heading, 90.0f);
  // Without coordinates, the last destination again.
  frame.m_transKind = 1;
  RunLine("moveto tower");
  EXPECT_EQ(frame.m_transKind, 2);
  EXPECT_EQ(frame.m_transFrame, "tower");
  EXPECT_EQ(g_playerStart.x, 30.0f);
  EXPECT_EQ(frame.m_warpPos.z, -40.0f);
  // Past the warps, at once.
  frame.m_transKind = 3;
  frame.m_transFrame.clear();
  EXPECT_FALSE(RunLine("moveto cellar"));
  EXPECT_EQ(frame.m_transKind, 3);
  EXPECT_TRUE(frame.m_transFrame.empty());
  EXPECT_FALSE(RunLine("moveto"));
  EXPECT_TRUE(Logged("moveto: no map"));
  frame.m_transKind = 0;
  g_playerStart = PlayerStart{};
}

TEST_F(ActorCommandsTest, PlayLockAndTheSavedCamera) {
  RunLine("lockplay");
  EXPECT_EQ(Frame().m_playLock, 1);
  View().m_yaw = 30.0f;
  View().m_distance = 80.0f;
  RunLine("pushcamera");
  View().m_yaw = 200.0f;
  View().m_distance = 10.0f;
  EXPECT_TRUE(RunLine("popcamera"));
  EXPECT_EQ(View().m_yaw, 30.0f);
  EXPECT_EQ(View().m_distance, 80.0f);
  RunLine("unlockplay");
  EXPECT_EQ(Frame().m_playLock, 0);
}

}  // namespace
