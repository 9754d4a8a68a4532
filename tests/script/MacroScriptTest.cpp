// The cut-scene runner on macros our writer builds: the end past twelve
// tenths of the length, a command a tick, the channel's actor as the
// target of every word, the pauses, and the cut-scene actor's own steps.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "engine/AppShell.h"
#include "engine/Controller.h"
#include "engine/FrameClock.h"
#include "engine/FrameMgr.h"
#include "engine/MacroRes.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/Keys.h"
#include "script/MacroActor.h"
#include "session/Session.h"
#include "tests/script/ScriptFixture.h"
#include "tools/lib/MacroWriter.h"

namespace {

using RecordingMacroActor = Recording<CMacroActor>;
using slvtools::RsaTrack;

class MacroRunTest : public ScriptTest {
 protected:
  ~MacroRunTest() override { CMouse::GetInstance().m_mouseButtons = {}; }

  // Plays the macro in the script mode, with a recording actor for every
  // channel named in `actors`.
  void Play(int32_t length, const std::vector<RsaTrack>& tracks, const std::vector<std::string>& actors) {
    const std::string name = "m" + std::to_string(m_macros++) + ".rsa";
    Write("data/" + name, slvtools::BuildRsa(1, 1, length, tracks));
    Frame().m_pMacro = dynamic_cast<CMacroRes*>(CResMgr::GetInstance().GetResStr(name));
    ASSERT_NE(Frame().m_pMacro, nullptr);
    Frame().ChangeMode(kModeScript);
    for (const std::string& actor : actors) {
      auto* bound = new RecordingMacroActor;
      bound->m_name = actor;
      Context().m_macroActors.push_back(bound);
      m_actors.push_back(bound);
    }
  }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) Frame().RunMacroScript();
  }
  // Plays one command on the channel "hero" at frame 0 and runs it.
  void RunOne(const std::string& text) {
    Play(100, {RsaTrack{"hero", 0, 0, "", {{0, 0, text, {}}}}}, {"hero"});
    Tick();
  }
  RecordingMacroActor& Hero() { return *m_actors.front(); }

  std::vector<RecordingMacroActor*> m_actors;  // the context owns them
  int m_macros = 0;
};

TEST_F(MacroRunTest, ALengthOf100EndsWhenTheCounterPasses120AndReleasesTheActors) {
  Play(100, {RsaTrack{"hero", 0, 0, "", {{0, 0, "setcameraspeed 9 9 9 9", {}}}}}, {"hero"});
  Tick(122);
  EXPECT_EQ(Frame().m_mode, kModeScript);
  EXPECT_EQ(Frame().m_macroFrame, 121);
  Tick();
  EXPECT_EQ(Frame().m_mode, kModeField);
  EXPECT_TRUE(Context().m_macroActors.empty());
  EXPECT_FLOAT_EQ(View().m_yawStep, 9.0f);  // the scene's follow speeds stay
}

TEST_F(MacroRunTest, AnEndBeyondTheCounterRangeIsKeptWithinIt) {
  Play(INT32_MAX, {}, {});
  Tick();
  EXPECT_EQ(Frame().m_macroPauseLimit, INT32_MAX - 1);
  Play(-100, {}, {});
  Tick();
  EXPECT_EQ(Frame().m_mode, kModeField);
}

// Equal keys run in channel order, one a tick, with the counter held; a
// channel without an actor costs its tick and is skipped.
TEST_F(MacroRunTest, CommandsOfOneKeyRunOnConsecutiveTicksAndAMissingActorIsSkipped) {
  testsupport::DebugLogCapture log;
  Play(100,
       {RsaTrack{"hero", 0, 0, "", {{10, 0, "dir 90", {}}, {11, 0, "dir 270", {}}, {10, 0, "dir 180", {}}}},
        RsaTrack{"ghost", 0, 0, "", {{10, 0, "dir 45", {}}}}},
       {"hero"});
  Tick(10);
  EXPECT_EQ(Frame().m_macroFrame, 10);
  EXPECT_TRUE(Hero().messages.empty());
  Tick(2);
  EXPECT_EQ(Hero().messages, (std::vector<RecordedMessage>{{5, 90, 0, 0}, {5, 180, 0, 0}}));
  EXPECT_EQ(Frame().m_macroFrame, 10);
  Tick();
  EXPECT_TRUE(log.Contains("dir : 현재 채널의 액터가 NULL 임"));
  EXPECT_EQ(Hero().messages.size(), 2u);
  Tick(2);
  EXPECT_EQ(Frame().m_macroFrame, 11);
  ASSERT_EQ(Hero().messages.size(), 3u);
  EXPECT_EQ(Hero().messages[2].a, 270);
}

TEST_F(MacroRunTest, ACommandKeyedBehindTheCounterIsSkippedRatherThanBlockingTheRest) {
  testsupport::DebugLogCapture log;
  Play(100, {RsaTrack{"hero", 0, 0, "", {{-5, 0, "dir 1", {}}, {2, 0, "dir 2", {}}}}}, {"hero"});
  Tick(5);
  EXPECT_TRUE(log.Contains("behind the frame"));
  EXPECT_EQ(Hero().messages, (std::vector<RecordedMessage>{{5, 2, 0, 0}}));
}

// The talk that started the scene waits for its window; the scene's own
// line must not end that wait, or the talk runs again from where it asked.
TEST_F(MacroRunTest, ASceneLineEndsNoWaitOfTheFieldsTalk) {
  RecordingActor& elder = AddActor("elder");
  Frame().m_pMessageVillager = &elder;
  Play(100, {RsaTrack{"hero", 0, 0, "", {{0, 0, "say hero 안녕", {}}}}}, {"hero"});
  Tick(100);
  EXPECT_EQ(Frame().m_messageText, "안녕");
  EXPECT_EQ(Frame().m_pMessageVillager, nullptr);
  EXPECT_TRUE(elder.messages.empty());
}

// The limit is the end frame: below it a pause lasts one tick; at it a
// line holds the scene until the window closes, and a key wait until a
// confirm.
TEST_F(MacroRunTest, PausesHoldTheSceneOnlyAtTheLimit) {
  Play(10,
       {RsaTrack{"hero", 0, 0, "", {{2, 0, "say hero 안녕", {}}, {12, 0, "say hero 오늘은마을에손님이많이왔구나", {}}, {12, 0, "wait", {}}}}},
       {"hero"});
  Tick(3);
  EXPECT_EQ(Frame().m_macroPause, 1);
  EXPECT_EQ(Frame().m_messageText, "안녕");
  EXPECT_EQ(Frame().m_pBattleSpeaker, &Hero());
  Tick();
  EXPECT_EQ(Frame().m_macroPause, 0);
  Tick(11);
  EXPECT_EQ(Frame().m_macroFrame, 12);
  EXPECT_EQ(Frame().m_macroPause, 1);
  Tick();
  EXPECT_EQ(Frame().m_macroPause, 1);
  // Held until the line is all shown.
  int held = 0;
  for (; held < 200 && Frame().m_macroPause == 1; ++held) Tick();
  EXPECT_GE(held, 1);
  EXPECT_EQ(Frame().m_macroFrame, 12);
  Tick();
  EXPECT_EQ(Frame().m_macroPause, 2);
  Tick(5);
  EXPECT_EQ(Frame().m_mode, kModeScript);
  CMouse::GetInstance().m_mouseButtons[1] = kStatePressed;
  Tick();
  EXPECT_EQ(Frame().m_macroPause, 0);
  Tick(2);
  EXPECT_EQ(Frame().m_mode, kModeField);
  EXPECT_EQ(Frame().m_pBattleSpeaker, nullptr);
}

// A key wait below the limit lasts one tick and takes its notice down.
TEST_F(MacroRunTest, AKeyWaitBelowTheLimitClearsItsText) {
  Play(10, {RsaTrack{"hero", 0, 0, "", {{2, 0, "getgold 100", {}}}}}, {"hero"});
  Tick(3);
  EXPECT_EQ(Frame().m_macroPause, 2);
  EXPECT_FALSE(Frame().m_messageText.empty());
  Tick();
  EXPECT_EQ(Frame().m_macroPause, 0);
  EXPECT_TRUE(Frame().m_messageText.empty());
}

// The program is closing, so the question counts as answered yes: the
// scene's actors go with it rather than running on.
TEST_F(MacroRunTest, EscapeAnsweredYesGoesToTheTitleAndReleasesTheScene) {
  Play(100, {RsaTrack{"hero", 0, 0, "", {{0, 0, "dir 90", {}}}}}, {"hero"});
  g_quitRequested = 1;
  platform::SetScriptedKey(platform::VK_ESCAPE, true);
  Tick();
  platform::SetScriptedKey(platform::VK_ESCAPE, false);
  g_quitRequested = 0;
  EXPECT_EQ(CFrameMgr::GetInstance().NextName(), "title");
  EXPECT_TRUE(Context().m_macroActors.empty());
  EXPECT_EQ(Frame().m_mode, kModeField);
}

TEST_F(MacroRunTest, ARateOfZeroOrBelowIsRefused) {
  SetFrameRate(25);
  testsupport::DebugLogCapture log;
  RunOne("setframerate 0");
  EXPECT_EQ(g_frameClock.m_interval, 40u);
  EXPECT_TRUE(log.Contains("setframerate"));
  RunOne("setframerate 20");
  EXPECT_EQ(g_frameClock.m_interval, 50u);
}

// One line per group: each reaches the handler of its word with the
// channel's actor in place of any name.
TEST_F(MacroRunTest, EveryWordActsOnTheChannelActor) {
  RunOne("action somebody 3");
  EXPECT_EQ(Hero().messages, (std::vector<RecordedMessage>{{19, 3, 0, 0}}));
  RunOne("focus");
  EXPECT_EQ(View().m_pFollow, &Hero());
  RunOne("setcamera 30 90 200");
  EXPECT_FLOAT_EQ(View().m_pitch, 30.0f);
  EXPECT_FLOAT_EQ(View().m_targetYaw, 90.0f);
  EXPECT_FLOAT_EQ(View().m_distance, 200.0f);
  RunOne("movecamera 10 20 30");
  EXPECT_FLOAT_EQ(View().m_targetDistance, 30.0f);
  EXPECT_GT(View().m_distance, 100.0f);  // one eased step
  RunOne("movecamerapos 1 2 3");
  EXPECT_FLOAT_EQ(View().m_targetLookAt.z, 3.0f);
  EXPECT_EQ(View().m_pFollow, nullptr);
  RunOne("setcameraspeed 1 2 3 4");
  EXPECT_FLOAT_EQ(View().m_lookAtStep, 1.0f);
  EXPECT_FLOAT_EQ(View().m_distanceStep, 4.0f);

  testsupport::DebugLogCapture log;
  RunOne("setcamerapos 1 2");
  EXPECT_TRUE(log.Contains("setcamerapos 문법 잘못 - usage : setcamerapos x y z"));
  RunOne("gravityfactor");
  EXPECT_TRUE(log.Contains("Syntax Error In garvityfactor"));
  RunOne("opendoor nodoor 1");
  EXPECT_TRUE(log.Contains("링크에러"));
  RunOne("macro nothing.rsa");
  EXPECT_TRUE(log.Contains("macro : no macro"));
  EXPECT_NE(Frame().m_pMacro, nullptr);
  RunOne("nosuchword");
  EXPECT_TRUE(log.Contains("Unknown Command nosuchword"));
}

TEST_F(MacroRunTest, FocusLeaderFollowsTheMacroActorOfTheLeadersEnglishName) {
  CSession& session = CSession::GetInstance();
  const auto ids = session.partyIds;
  const int32_t count = session.partyCount;
  const std::string name = session.players[3].engname;
  session.partyIds[0] = 3;
  session.partyCount = 1;
  session.players[3].engname = "leader";
  Play(100, {RsaTrack{"hero", 0, 0, "", {{0, 0, "focusleader", {}}}}}, {"hero", "leader"});
  Tick();
  EXPECT_EQ(View().m_pFollow, m_actors.back());
  session.partyIds = ids;
  session.partyCount = count;
  session.players[3].engname = name;
}

TEST_F(MacroRunTest, AMacroCommandSwapsTheMacroAndKeepsTheCounter) {
  Write("data/next.rsa", slvtools::BuildRsa(1, 1, 50, {RsaTrack{"hero", 0, 0, "", {{5, 0, "dir 7", {}}}}}));
  Play(100, {RsaTrack{"hero", 0, 0, "", {{3, 0, "macro next.rsa", {}}}}}, {"hero"});
  Tick(4);
  EXPECT_EQ(Frame().m_macroPauseLimit, 60);
  Tick(3);
  EXPECT_EQ(Hero().messages, (std::vector<RecordedMessage>{{5, 7, 0, 0}}));
}

// A sprite set in the scene shows at once and stands through the refresh
// of "macro", whatever the actor wore meanwhile.
TEST_F(MacroRunTest, ASpriteSetInTheSceneStandsThroughTheRefresh) {
  Write("data/next.rsa", slvtools::BuildRsa(1, 1, 50, {}));
  Play(100, {RsaTrack{"", 0, 0, "", {{0, 0, "macro next.rsa", {}}}}}, {});
  auto* actor = new CMacroActor;
  actor->m_name = "hero";
  Context().m_macroActors.push_back(actor);
  actor->OnMessage(nullptr, 25, reinterpret_cast<intptr_t>("guard.spr"), 0, 0);
  EXPECT_EQ(actor->m_actName, "guard.act");
  EXPECT_EQ(actor->m_reload, 1);
  actor->OnMessage(nullptr, 26, 0, 0, 0);  // back to the sprite it was made with
  EXPECT_NE(actor->m_sprName, "guard.spr");
  Tick();
  EXPECT_EQ(actor->m_sprName, "guard.spr");
  EXPECT_EQ(actor->m_actName, "guard.act");
  EXPECT_EQ(actor->m_reload, 0);
}

// ---- The cut-scene actor ----

TEST(MacroActorTest, FiveFacingFramesByTheDegreesOff) {
  const std::pair<int, int> cases[] = {{-45, 2}, {-44, 3}, {-22, 3}, {-21, 0}, {22, 0},
                                       {23, 3},  {45, 3},  {46, 4},  {200, 2}, {-200, 4}};
  for (const auto& [degrees, frame] : cases) EXPECT_EQ(CMacroActor::FacingFrame(degrees), frame) << degrees;
}

TEST(MacroActorTest, LookModeOneTurnsOnlyForASenderFarOff) {
  EXPECT_FLOAT_EQ(CMacroActor::TurnToward(0.0f, 112.0f), 0.0f);
  EXPECT_FLOAT_EQ(CMacroActor::TurnToward(0.0f, 113.0f), 23.0f);
  EXPECT_FLOAT_EQ(CMacroActor::TurnToward(0.0f, -113.0f), 337.0f);
  EXPECT_FLOAT_EQ(CMacroActor::TurnToward(350.0f, 100.0f), 350.0f);

  CMacroActor actor, sender;
  actor.m_lookMode = 1;
  actor.m_state = CSelvarinActor::kModeWalkToTarget;
  actor.m_actionCounter = 9;
  sender.m_pos = Vec3{10.0f, 0.0f, 10.0f};  // bearing 135
  actor.OnMessage(&sender, 6, 0, 0, 0);
  EXPECT_NEAR(actor.m_angle, 45.0f, 1e-3f);
  EXPECT_EQ(actor.m_state, 0);
  EXPECT_EQ(actor.m_actionCounter, 0);
}

class MacroActorWalkTest : public ScriptTest {};

// A step longer than the way left lands on the point: twenty times the
// walk would otherwise pass it back and forth for ever.
TEST_F(MacroActorWalkTest, WalkingEndsAtThePointAtAnySpeed) {
  for (const float factor : {1.0f, 20.0f}) {
    CMacroActor actor;
    actor.m_speedFactor = factor;
    actor.m_targetX = 10.0f;
    actor.m_state = CSelvarinActor::kModeWalkToTarget;
    for (int i = 0; i < 200 && actor.m_state != 0; ++i) actor.OnProcess();
    EXPECT_EQ(actor.m_state, 0) << factor;
    EXPECT_LT(std::fabs(actor.m_pos.x - 10.0f), 1.0f) << factor;
    EXPECT_FLOAT_EQ(actor.m_keptHeading, actor.m_angle);
  }
}

TEST_F(MacroActorWalkTest, PlayOnceEndsInStateThreeAndAFramePastTheCountShowsZero) {
  testsupport::DebugLogCapture log;
  CMacroActor actor;
  actor.m_state = CSelvarinActor::kModePlayOnce;
  actor.UpdateAction(actor.m_state);
  EXPECT_EQ(actor.m_state, 3);
  actor.m_state = CSelvarinActor::kModeScripted;
  actor.m_motion = 5;
  for (int i = 0; i < 4; ++i) actor.UpdateFrame();
  EXPECT_EQ(actor.m_motion, 0);
  EXPECT_TRUE(log.Contains("shows 0"));
}

}  // namespace
