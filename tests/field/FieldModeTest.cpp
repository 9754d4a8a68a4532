// The field mode and the game view on a small display: the party keys, the
// mouse cursor and its picking, the choice list, message confirmation, the
// camera steps and the order of the scene's passes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "engine/AppShell.h"
#include "engine/Controller.h"
#include "engine/FileStream.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "engine/TextRes.h"
#include "field/PickRegionList.h"
#include "field/PlayerStart.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/Keys.h"
#include "platform/Window.h"
#include "render/3dDevice.h"
#include "render/AviTexture.h"
#include "render/RC.h"
#include "session/Session.h"
#include "tests/support/GoldenImage.h"
#include "tests/support/MovieFixture.h"
#include "tests/support/TestSupport.h"
#include "render/TextureMgr.h"
#include "tools/lib/TextureImages.h"

namespace {

// Counts its ticks and the messages it hears; optionally queues triangles.
class CProbeActor : public CSelvarinActor {
 public:
  bool OnProcess() override {
    ++ticks;
    return true;
  }
  void OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) override { codes.push_back(code); }
  void Render(CRC& rc, const Matrix& view) override {
    if (draw) draw(rc);
  }
  int ticks = 0;
  std::vector<int> codes;
  std::function<void(CRC&)> draw;
};

class FieldModeTest : public ::testing::Test {
 protected:
  FieldModeTest() : m_previous(std::filesystem::current_path()), m_clock(0, 1), m_clockGuard(&m_clock) {
    ::setenv("SLV_LOCK_DIR", m_dir.Path().c_str(), 1);
    m_window = platform::CreateAppWindow({"FieldTest", "Field", nullptr, 0, 0, 64, 48});
    EXPECT_EQ(g_3dDevice.Create(m_window, nullptr, &platform::kRasterizerGuid, nullptr, kDevDoubleBuffer),
              platform::S_OK);
    m_dir.Write("game/data/map.ini", "set sky nosuchsky.bmp\n");
    m_dir.Write("game/data/nomap.ini", "set nomap 1\n");
    m_dir.Write("game/data/norotate.ini", "set norotate 1\n");
    m_dir.Write("game/data/talk.scr",
                "elder::Talk\n"          // 0
                "choose yes no\n"        // 1
                "case 1\n"               // 2
                "unknown one\n"          // 3: ends the run
                "choose a b\n"           // 4
                "case 2\n"               // 5: nested, passed over
                "endchoose\n"            // 6
                "case 2\n"               // 7
                "unknown two\n"          // 8
                "endchoose\n"            // 9
                "case 3\n"               // 10: after the block
                "choose c\n");           // 11: never closed
    std::filesystem::current_path(m_dir / "game");
    SetResDirectory("\\");
    g_appActive = 1;
    m_keyPad.m_buttons.fill(kStateUp);
    m_savedPad = g_pMainKeyPad;
    g_pMainKeyPad = &m_keyPad;
    m_frame.m_pView = new CSelvarinView;
    m_frame.m_pContext = new CSelvarinContext;
    g_pCurrentFrame = &m_frame;
    CMouse::GetInstance().m_mouseButtons = {kStateUp, kStateUp};
    CMouse::GetInstance().m_dx = 0;
  }
  ~FieldModeTest() override {
    platform::ClearScriptedKeys();
    if (m_frame.m_pRC != nullptr) m_frame.Exit();
    g_pCurrentFrame = nullptr;
    g_pMainKeyPad = m_savedPad;
    g_uiRequest = 0;
    g_quitRequested = 0;
    g_playerStart = PlayerStart{};
    g_pickRegionList.Clear();
    g_leaderAnchor = ScreenAnchor{};
    CMouse::GetInstance().m_mouseButtons = {kStateUp, kStateUp};
    CResMgr::GetInstance().UnloadResources();
    std::filesystem::current_path(m_previous);
    g_3dDevice.Release();
    platform::DestroyAppWindow(m_window);
    g_appActive = 0;
  }

  CSelvarinContext& Context() { return *m_frame.GetContext(); }
  CSelvarinView& View() { return *m_frame.GetView(); }
  void Start(const char* name) {
    m_frame.m_name = name;
    m_frame.Init();
  }
  CProbeActor* AddActor(Vec3 pos) {
    auto* actor = new CProbeActor;
    actor->m_pos = pos;
    Context().m_liveActors.push_back(actor);
    return actor;
  }
  CProbeActor* AddPlayer(Vec3 pos) {
    CProbeActor* player = AddActor(pos);
    Context().m_player = player;
    return player;
  }
  void Mouse(int x, int y, int left = kStateUp, int right = kStateUp) {
    CMouse& mouse = CMouse::GetInstance();
    mouse.m_x = x;
    mouse.m_y = y;
    mouse.m_mouseButtons = {left, right};
  }
  void Key(int key, bool down) { platform::SetScriptedKey(key, down); }
  void LoadScript() {
    Context().m_script = dynamic_cast<CTextRes*>(CResMgr::GetInstance().GetRes("talk.scr"));
    ASSERT_NE(Context().m_script, nullptr);
  }

  testsupport::TempDir m_dir;
  std::filesystem::path m_previous;
  platform::FakeClock m_clock;
  platform::ScopedClockSource m_clockGuard;
  platform::WindowHandle m_window = nullptr;
  CKeyPad m_keyPad;
  CKeyPad* m_savedPad = nullptr;
  CSelvarinFrame m_frame;
};

TEST_F(FieldModeTest, F3AndF4StepThroughTheSelectableMembersOncePerPress) {
  Start("map");
  m_frame.m_compassCount = 2;
  std::vector<int> seen;
  for (int i = 0; i < 4; ++i) {
    Key(platform::VK_F3, true);
    m_frame.RunFieldMode();
    Key(platform::VK_F3, false);
    m_frame.RunFieldMode();
    seen.push_back(m_frame.m_selectedMember);
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 1, -1, 0}));
  m_frame.m_selectedMember = -1;
  Key(platform::VK_F4, true);
  m_frame.RunFieldMode();
  EXPECT_EQ(m_frame.m_selectedMember, 1);
  // Held, it moves no further.
  m_frame.RunFieldMode();
  m_frame.RunFieldMode();
  EXPECT_EQ(m_frame.m_selectedMember, 1);
  Key(platform::VK_F4, false);

  // A selection past the count reads as none; with nothing to select it
  // stays none.
  m_frame.m_selectedMember = 5;
  Key(platform::VK_F3, true);
  m_frame.RunFieldMode();
  EXPECT_EQ(m_frame.m_selectedMember, 0);
  Key(platform::VK_F3, false);
  m_frame.RunFieldMode();
  m_frame.m_compassCount = 0;
  for (int key : {platform::VK_F3, platform::VK_F4}) {
    Key(key, true);
    m_frame.RunFieldMode();
    Key(key, false);
    m_frame.RunFieldMode();
    EXPECT_EQ(m_frame.m_selectedMember, -1);
  }
  // The party box: a right click steps back.
  m_frame.m_compassCount = 3;
  Mouse(60, 140, kStateUp, kStatePressed);
  m_frame.UpdateMouseCursor();
  EXPECT_EQ(m_frame.m_selectedMember, 2);
  EXPECT_EQ(m_frame.m_cursorKind, 7);
}

TEST_F(FieldModeTest, TheMapButtonOpensTheMapViewOnTheNextTickUnlessTheMapHasNone) {
  Start("map");
  Mouse(60, 60);
  m_frame.RunFieldMode();
  EXPECT_EQ(m_frame.m_cursorKind, 7);
  EXPECT_EQ(g_uiRequest, 0);
  Mouse(60, 60, kStatePressed);
  m_frame.RunFieldMode();
  EXPECT_EQ(g_uiRequest, 8);
  EXPECT_EQ(m_frame.m_mode, kModeField);
  Mouse(60, 60);
  m_frame.RunFieldMode();
  EXPECT_EQ(g_uiRequest, 0);
  EXPECT_EQ(m_frame.m_mode, kModeMapView);
  // The view rises and waits.
  m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_mode, kModeMapView);

  m_frame.Exit();
  Start("nomap");
  Mouse(60, 60, kStatePressed);
  m_frame.RunFieldMode();
  EXPECT_NE(m_frame.m_cursorKind, 7);
  EXPECT_EQ(g_uiRequest, 0);
}

TEST_F(FieldModeTest, ARightClickOnThePlayerOpensTheMenuAndARightDragTurnsTheCamera) {
  Start("map");
  AddPlayer({0.0f, 0.0f, 0.0f});
  g_leaderAnchor = ScreenAnchor{30, 40};
  g_pickRegionList.Add(20, 40, 20, 45, 1, Context().m_player);
  Mouse(30, 30);
  m_frame.UpdateMouseCursor();
  EXPECT_EQ(m_frame.m_cursorKind, 4);
  Mouse(30, 30, kStateUp, kStatePressed);
  m_frame.UpdateMouseCursor();
  EXPECT_EQ(g_uiRequest, 1);
  EXPECT_EQ(m_frame.m_cameraRotating, 0);
  m_frame.RunFieldMode();
  EXPECT_EQ(m_frame.m_mode, kModeFieldMenu);
  m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_mode, kModeFieldMenu);
  m_frame.ChangeMode(kModeField);

  // Held elsewhere, the button drags the camera round.
  View().m_targetYaw = 90.0f;
  Mouse(300, 200, kStateUp, kStateHeld);
  CMouse::GetInstance().m_dx = 30;
  m_frame.UpdateMouseCursor();
  EXPECT_EQ(m_frame.m_cameraRotating, 1);
  EXPECT_EQ(m_frame.m_cursorKind, 5);
  EXPECT_FLOAT_EQ(View().m_targetYaw, 60.0f);
  CMouse::GetInstance().m_dx = 0;
  m_frame.m_cameraRotating = 0;  // as every field tick begins
  // Without a player the distance counts from the screen's middle (32, 24
  // here): 20 pixels of a 64-pixel screen are far.
  Context().m_liveActors.remove(Context().m_player);
  delete Context().m_player;
  Context().m_player = nullptr;
  g_pickRegionList.Clear();
  Mouse(32 + 21, 24);
  m_frame.UpdateMouseCursor();
  EXPECT_EQ(m_frame.m_cursorKind, 3);
  Mouse(32 + 19, 24);
  m_frame.UpdateMouseCursor();
  EXPECT_EQ(m_frame.m_cursorKind, 0);
}

// Every transition but none and the two warps, the map's opening fade (3)
// among them, shows the plain cursor; so does an open choice list.
TEST_F(FieldModeTest, TheCursorIsPlainWhileATransitionRunsSaveNoneAndTheWarps) {
  Start("map");
  m_frame.m_cursorKind = 3;
  for (int kind = 0; kind <= 11; ++kind) {
    m_frame.m_transKind = kind;
    int angle = -1;
    const int action = m_frame.MouseCursorAction(320, 340, &angle);
    const bool byKind = kind == 0 || kind == 10 || kind == 11;
    EXPECT_EQ(action, byKind ? 3 : 0) << kind;
    EXPECT_EQ(angle, byKind ? 90 : 0) << kind;
  }
  m_frame.m_transKind = 0;
  m_frame.m_choiceCount = 2;
  int angle = -1;
  EXPECT_EQ(m_frame.MouseCursorAction(320, 340, &angle), 0);
  EXPECT_EQ(angle, 0);
}

TEST_F(FieldModeTest, DuringAFadeOutActorsStandStillButTheCameraFollows) {
  Start("map");
  CProbeActor* player = AddPlayer({10.0f, 0.0f, 20.0f});
  View().m_pFollow = player;
  m_frame.m_transKind = 2;
  m_frame.m_transStep = 0;
  m_frame.m_transFrame = "elsewhere";
  m_frame.RunFieldMode();
  EXPECT_EQ(player->ticks, 0);
  EXPECT_FLOAT_EQ(View().m_lookAt.x, 10.0f);
  m_frame.m_transKind = 0;
  player->m_pos.x = 30.0f;
  m_frame.RunFieldMode();
  EXPECT_EQ(player->ticks, 1);
  EXPECT_FLOAT_EQ(View().m_lookAt.x, 30.0f);
}

TEST_F(FieldModeTest, AChoiceListOfThreeAtTop250IsPointedRowByRow) {
  Start("map");
  m_frame.m_choiceCount = 3;
  m_frame.m_choiceWidth = 100;
  Mouse(350, 256);
  m_frame.UpdateChoiceBox();
  EXPECT_EQ(m_frame.m_choiceSelected, 0);
  EXPECT_EQ(m_frame.m_choiceMouseOver, 1);
  Mouse(350, 275);
  m_frame.UpdateChoiceBox();
  EXPECT_EQ(m_frame.m_choiceSelected, 1);
  Mouse(350, 313);
  m_frame.UpdateChoiceBox();
  EXPECT_EQ(m_frame.m_choiceMouseOver, 0);
  // The keys wrap round.
  m_keyPad.m_buttons[kPadUp] = kStatePressed;
  m_frame.m_choiceSelected = 0;
  m_frame.UpdateChoiceBox();
  EXPECT_EQ(m_frame.m_choiceSelected, 2);
  m_keyPad.m_buttons[kPadUp] = kStateUp;
  m_keyPad.m_buttons[kPadDown] = kStatePressedAgain;
  m_frame.UpdateChoiceBox();
  EXPECT_EQ(m_frame.m_choiceSelected, 0);
  EXPECT_EQ(m_frame.m_choiceCount, 3);
}

TEST_F(FieldModeTest, AConfirmedChoiceResumesAtItsCasePastNestedBlocks) {
  Start("map");
  LoadScript();
  CProbeActor* player = AddPlayer({0.0f, 0.0f, 0.0f});
  CProbeActor* elder = AddActor({5.0f, 0.0f, 5.0f});
  elder->m_name = "elder";
  m_frame.m_pMessageVillager = elder;
  m_frame.m_choiceCount = 2;
  m_frame.m_choiceLine = 30001;  // its line, modulo 10000
  m_frame.m_choiceSelected = 1;
  m_keyPad.m_buttons[4] = kStatePressed;
  m_frame.UpdateChoiceBox();
  EXPECT_EQ(m_frame.m_choiceCount, 0);
  EXPECT_EQ(m_keyPad.m_buttons[4], kStateHeld);
  EXPECT_EQ(elder->m_scriptStack.m_line, 7);
  EXPECT_EQ(elder->m_scriptStack.m_name, "elder");
  EXPECT_TRUE(player->codes.empty()) << "a villager's choice leaves the player alone";

  // A case past the block's end, or a block never closed, resumes nothing.
  struct Case {
    int line, selected;
  };
  for (const Case c : {Case{1, 2}, Case{11, 0}}) {
    elder->m_scriptStack.m_line = -1;
    m_frame.m_choiceCount = 3;
    m_frame.m_choiceLine = c.line;
    m_frame.m_choiceSelected = c.selected;
    m_keyPad.m_buttons[5] = kStatePressedAgain;  // a quick second tap confirms too
    m_frame.UpdateChoiceBox();
    EXPECT_EQ(m_frame.m_choiceCount, 0);
    EXPECT_EQ(m_keyPad.m_buttons[5], kStateHeld);
    EXPECT_EQ(elder->m_scriptStack.m_line, -1) << c.line;
  }

  // Without a subject the frame's own script goes on, and says so.
  testsupport::DebugLogCapture log;
  m_frame.m_pMessageVillager = nullptr;
  m_frame.m_choiceWidth = 100;
  m_frame.m_choiceCount = 2;
  m_frame.m_choiceLine = 1;
  m_frame.m_choiceSelected = 0;
  Mouse(340, 260, kStatePressed);
  m_frame.UpdateChoiceBox();
  EXPECT_EQ(m_frame.m_scriptPosition.m_line, 2);
  EXPECT_TRUE(log.Contains("No Saying Actor"));
  EXPECT_EQ(player->codes, std::vector<int>{13});
}

TEST_F(FieldModeTest, ConfirmingAMessageClosesItsPageOrGoesBackALineNeverBelowTheFirst) {
  Start("map");
  CProbeActor* player = AddPlayer({0.0f, 0.0f, 0.0f});
  CProbeActor* villager = AddActor({0.0f, 0.0f, 0.0f});
  m_frame.m_messageState = 5;
  m_frame.m_messageLine = 0;
  m_frame.m_messageText = "abc";  // still being laid out after the confirm
  m_keyPad.m_buttons[5] = kStatePressedAgain;  // a quick second tap
  m_frame.RunFieldMode();
  EXPECT_EQ(m_frame.m_messageState, 2);
  EXPECT_EQ(m_frame.m_messageLine, 0);

  m_frame.m_messageState = 5;
  m_frame.m_messageText = "abcdef";
  m_frame.m_messagePending = 4;
  m_frame.m_pMessageVillager = villager;
  m_frame.m_choiceSelected = 2;
  Mouse(10, 10, kStatePressed);
  m_frame.RunFieldMode();
  EXPECT_EQ(m_frame.m_messageState, 0);
  EXPECT_EQ(m_frame.m_messageText, "ef");
  EXPECT_EQ(m_frame.m_choiceSelected, 0);
  EXPECT_EQ(villager->codes, std::vector<int>{13});
  EXPECT_EQ(player->codes, std::vector<int>{13});
  EXPECT_EQ(m_frame.m_pMessageVillager, nullptr);
}

// The picked actor dies between two drawn frames: neither the list nor the
// frame may hand it out again.
TEST_F(FieldModeTest, APickedActorThatDiesIsForgotten) {
  Start("map");
  CProbeActor* villager = AddActor({0.0f, 0.0f, 0.0f});
  villager->AddPickRegion(20.0f, 10.0f, 40.0f, 40.0f, 0);
  m_frame.m_pMessageVillager = villager;
  Mouse(33, 25);
  m_frame.UpdateMouseCursor();
  EXPECT_EQ(m_frame.m_cursorKind, 1);
  EXPECT_EQ(m_frame.m_pPickedActor, villager);
  Context().RemoveActor(villager);
  EXPECT_EQ(m_frame.m_pPickedActor, nullptr);
  EXPECT_EQ(m_frame.m_pMessageVillager, nullptr);
  m_frame.UpdateMouseCursor();
  EXPECT_EQ(m_frame.m_cursorKind, 0);
  // A map that goes leaves nothing to pick.
  g_pickRegionList.Add(0, 10, 0, 10, 2, static_cast<CSelvarinActor*>(nullptr));
  Context().Clear();
  EXPECT_EQ(g_pickRegionList.Count(), 0);
}

TEST_F(FieldModeTest, WithoutAPlayerEscapeStillReachesTheTitleAndThePlaceIsKept) {
  Start("map");
  CSession& session = CSession::GetInstance();
  session.placeName = "before";
  session.startClock = 10;
  session.playTime = 100;
  m_clock.Set(70000);
  m_frame.RememberPlace();
  EXPECT_EQ(session.placeName, "before");
  EXPECT_EQ(session.playTime, 60);
  EXPECT_EQ(session.startClock, 10);

  CProbeActor* player = AddPlayer({12.5f, 0.0f, -7.5f});
  View().m_yaw = 271.8f;
  m_frame.RememberPlace();
  EXPECT_EQ(session.placeName, "map");
  EXPECT_FLOAT_EQ(session.posX, 12.5f);
  EXPECT_FLOAT_EQ(session.posZ, -7.5f);
  EXPECT_EQ(session.facing, 271);
  Context().m_liveActors.remove(player);
  delete player;
  Context().m_player = nullptr;

  // The program is closing: the question counts as answered yes.
  g_quitRequested = 1;
  m_frame.m_pRC->SetFog(true);
  Key(platform::VK_ESCAPE, true);
  m_frame.RunFieldMode();
  EXPECT_EQ(CFrameMgr::GetInstance().NextName(), "title");
  EXPECT_EQ(CRC::s_fogOn, 0);
}

// ---- The game view ----

TEST_F(FieldModeTest, TheCameraKeepsInsideTheMapAndTakesTheKeysUnlessNoRotate) {
  Start("map");
  CProbeActor* player = AddPlayer({-480.0f, 3.0f, 490.0f});
  View().m_pFollow = player;
  View().TickCamera();
  EXPECT_FLOAT_EQ(View().m_lookAt.x, -450.0f);
  EXPECT_FLOAT_EQ(View().m_lookAt.y, 3.0f);
  EXPECT_FLOAT_EQ(View().m_lookAt.z, 450.0f);
  EXPECT_FLOAT_EQ(View().m_targetLookAt.x, -450.0f);

  View().m_targetYaw = 100.0f;
  m_keyPad.m_buttons[6] = kStatePressed;
  View().TickCamera();
  EXPECT_FLOAT_EQ(View().m_targetYaw, 145.0f);
  m_keyPad.m_buttons[6] = kStateHeld;  // turns once a press
  m_keyPad.m_buttons[7] = kStatePressedAgain;
  View().TickCamera();
  EXPECT_FLOAT_EQ(View().m_targetYaw, 100.0f);

  m_frame.Exit();
  Start("norotate");
  View().m_pFollow = nullptr;
  View().m_lookAt = View().m_targetLookAt = Vec3{7.0f, 0.0f, 9.0f};
  const float yaw = View().m_targetYaw;
  const float distance = View().m_distance;
  m_keyPad.m_buttons[6] = kStatePressed;
  m_keyPad.m_buttons[8] = kStateHeld;
  View().TickCamera();
  EXPECT_FLOAT_EQ(View().m_targetYaw, yaw);
  EXPECT_FLOAT_EQ(View().m_distance, distance);
  EXPECT_FLOAT_EQ(View().m_lookAt.x, 7.0f) << "without anyone to follow the look-at stays";
}

// Each step is followed by the base easing of a tenth of the way.
TEST_F(FieldModeTest, FollowTargetTurnsAndZoomsOnlyPastItsThresholds) {
  Start("map");
  View().m_pFollow = nullptr;
  struct Case {
    float yaw, targetYaw, expectYaw;
    float distance, targetDistance, expectDistance;
  };
  const Case cases[] = {
      {350.0f, 10.0f, 356.5f, 300.0f, 300.5f, 300.05f},  // +5, then a tenth of the 15 left
      {100.0f, 103.0f, 100.3f, 300.0f, 303.0f, 301.2f},  // no turn; +1, then a tenth of 2
      {10.0f, 350.0f, 3.5f, 300.0f, 298.0f, 298.9f},     // -5; the whole part 2 > 1: -1
  };
  for (const Case& c : cases) {
    View().m_yaw = c.yaw;
    View().m_targetYaw = c.targetYaw;
    View().m_distance = c.distance;
    View().m_targetDistance = c.targetDistance;
    View().m_pitch = View().m_targetPitch = -45.0f;
    View().FollowTarget();
    EXPECT_NEAR(View().m_yaw, c.expectYaw, 1e-3f) << c.yaw;
    EXPECT_NEAR(View().m_distance, c.expectDistance, 1e-3f) << c.distance;
  }
  View().m_lookAt = Vec3{0.0f, 0.0f, 0.0f};
  View().m_targetLookAt = Vec3{0.0f, 0.0f, 10.0f};
  View().FollowTargetWide();
  EXPECT_NEAR(View().m_lookAt.z, 2.8f, 1e-4f);  // 2 units, then a tenth of the 8 left
}

TEST_F(FieldModeTest, SavedCameraComesBackWhole) {
  Start("map");
  View().m_pitch = -30.0f;
  View().m_targetYaw = 77.0f;
  View().m_lookAt = Vec3{1.0f, 2.0f, 3.0f};
  View().m_targetDistance = 250.0f;
  View().SaveCamera();
  View().m_pitch = 0.0f;
  View().m_targetYaw = 0.0f;
  View().m_lookAt = Vec3{};
  View().m_targetDistance = 0.0f;
  View().RestoreCamera();
  EXPECT_FLOAT_EQ(View().m_pitch, -30.0f);
  EXPECT_FLOAT_EQ(View().m_targetYaw, 77.0f);
  EXPECT_FLOAT_EQ(View().m_lookAt.z, 3.0f);
  EXPECT_FLOAT_EQ(View().m_targetDistance, 250.0f);
  // Without a followed actor the given point counts, clamped from above only.
  View().ClampCamera(900.0f, 4.0f, -900.0f, 120.0f);
  EXPECT_FLOAT_EQ(View().m_targetLookAt.x, 450.0f);
  EXPECT_FLOAT_EQ(View().m_targetLookAt.y, 4.0f);
  EXPECT_FLOAT_EQ(View().m_targetLookAt.z, -900.0f);
  EXPECT_FLOAT_EQ(View().m_targetDistance, 120.0f);
}

platform::TexturedVertex Corner(float x, float y, float rhw, uint32_t color) {
  return platform::TexturedVertex{x, y, 0.0f, rhw, color, 0, 0.0f, 0.0f};
}

// An actor queues a half-clear blue triangle for the blended pass and a
// red one behind it for the depth-tested pass; an effect queues a green
// one for the unsorted overlay pass. Blue must blend over red, and green
// lie over both.
TEST_F(FieldModeTest, TheSceneDrainsItsPassesInTheirOrder) {
  Start("map");
  m_dir.Write("game/data/white.bmp", slvtools::WriteBmp24(slvtools::RgbaImage(8, 8, {255, 255, 255, 255})));
  const std::string savedPath = g_texturePath;
  g_texturePath = "\\";
  static CTexture* white = nullptr;
  white = CTextureMgr::GetInstance().GetTexture("white.bmp", 0);
  g_texturePath = savedPath;
  ASSERT_NE(white, nullptr);
  CProbeActor* actor = AddActor({0.0f, 0.0f, 0.0f});
  actor->draw = [](CRC& rc) {
    rc.m_blendTris[white].push_back(
        QueuedTriangle{{Corner(0, 0, 0.1f, 0x800000FF), Corner(48, 0, 0.1f, 0x800000FF), Corner(0, 48, 0.1f, 0x800000FF)}});
    rc.m_zLessTris[white].push_back(
        QueuedTriangle{{Corner(8, 0, 0.05f, 0xFFFF0000), Corner(64, 0, 0.05f, 0xFFFF0000), Corner(64, 48, 0.05f, 0xFFFF0000)}});
  };
  auto* effect = new CProbeActor;
  effect->draw = [](CRC& rc) {
    rc.m_noDepthTris[white].push_back(
        QueuedTriangle{{Corner(20, 30, 0.02f, 0xFF00FF00), Corner(44, 30, 0.02f, 0xFF00FF00), Corner(32, 48, 0.02f, 0xFF00FF00)}});
  };
  Context().m_effects.push_back(effect);
  CRC& rc = *m_frame.m_pRC;
  rc.Clear(true);
  ASSERT_TRUE(rc.BeginScene());
  View().Render(rc);
  rc.EndScene();
  rc.Flip();
  const testsupport::RgbImage image = testsupport::PresentedImage();
  EXPECT_EQ(testsupport::CompareWithGolden("field_pass_order", image), "");
  // Each queue is drained.
  EXPECT_TRUE(rc.m_blendTris.empty() || rc.m_blendTris.begin()->second.empty());
  CTextureMgr::GetInstance().Destroy(white);
}

// A movie of the frame stands in for the scene until its last frame; the
// pass that reaches it closes the movie, and the scene comes back after.
TEST_F(FieldModeTest, AMovieInTheSceneShowsInsteadOfTheSceneToItsEnd) {
  Start("map");
  int drawn = 0;
  AddActor({0.0f, 0.0f, 0.0f})->draw = [&drawn](CRC&) { ++drawn; };
  std::filesystem::create_directories(m_dir / "game/movie");
  ASSERT_TRUE(testsupport::WriteMovieClip(m_dir / "game/movie/clip.avi", testsupport::MovieClip{}));
  m_frame.PlayAvi("clip.avi");
  ASSERT_EQ(m_frame.m_aviOpen, 1);
  m_frame.m_transKind = 0;  // no fade over it
  m_frame.ComposeField();
  EXPECT_EQ(drawn, 0);
  // The clip's first frame reaches the screen, opaque.
  m_frame.m_pRC->Flip();
  const platform::PresentedFrame& shown = platform::LastPresentedFrame();
  EXPECT_GT(std::count_if(shown.pixels.begin(), shown.pixels.end(), [](uint16_t p) { return p != 0; }), 0);
  m_frame.m_pAvi->m_frameIndex = m_frame.m_pAvi->FrameCount();
  m_frame.ComposeField();
  EXPECT_EQ(m_frame.m_aviOpen, 0);
  EXPECT_FALSE(m_frame.m_pAvi->IsPlaying());
  EXPECT_EQ(drawn, 0);  // nor on the pass that closes it
  m_frame.ComposeField();
  EXPECT_GT(drawn, 0);
}

}  // namespace
