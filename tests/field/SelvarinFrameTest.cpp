// The game frame: its pass order, mode changes, script picture, transitions
// and its start and end, on a small display and a game folder of our own.
#include "field/SelvarinFrame.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "battle/BattlePlayer.h"
#include "engine/AppShell.h"
#include "engine/CdAudio.h"
#include "engine/Tokenizer.h"
#include "engine/FileStream.h"
#include "engine/FrameMgr.h"
#include "engine/ResMgr.h"
#include "engine/TextRes.h"
#include "field/PlayerStart.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinView.h"
#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/Music.h"
#include "platform/Window.h"
#include "render/3dDevice.h"
#include "render/DispBmp.h"
#include "render/RC.h"
#include "render/Texture.h"
#include "script/ScriptPosition.h"
#include "session/ClockSeconds.h"
#include "session/Session.h"
#include "engine/BitmapRes.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/MacroWriter.h"
#include "tools/lib/TextureImages.h"
#include "ui/UIDesktop.h"

namespace {

struct Message {
  int code;
  intptr_t a, b, c;
};

class CRecordingPlayer : public CSelvarinActor {
 public:
  void OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) override {
    messages.push_back({code, a, b, c});
  }
  std::vector<Message> messages;
};

// A party member's battle actor that the battle's set-up makes.
class CBattleStandIn : public CBattlePlayer {
  SLV_OBJECT(CBattleStandIn)
 public:
  bool OnProcess() override { return true; }
};

namespace selvarinframetest {
// A disc in one drive whose device can be lost.
class CdStandIn : public platform::CdPlayer {
 public:
  std::vector<platform::DiscDrive> ListDrives() override { return {{"/cd", "SLV_DISC1"}}; }
  platform::CdDeviceId Open(const std::string& root) override {
    log.push_back("open");
    return ++lastId;
  }
  bool Play(platform::CdDeviceId id, int from, int to) override {
    log.push_back("play " + std::to_string(from));
    return true;
  }
  bool QueryMode(platform::CdDeviceId id, platform::CdMode* mode) override {
    *mode = playing ? platform::CdMode::Playing : platform::CdMode::Stopped;
    return deviceWorks;
  }
  bool Stop(platform::CdDeviceId id) override { return true; }
  bool Close(platform::CdDeviceId id) override {
    log.push_back("close");
    return true;
  }
  std::vector<std::string> log;
  platform::CdDeviceId lastId = 0;
  bool deviceWorks = true;
  bool playing = true;
};
}  // namespace selvarinframetest

// The shown screen's middle pixel, as 8-bit grey from its green channel.
int ShownGrey() {
  const platform::PresentedFrame& f = platform::LastPresentedFrame();
  const uint16_t p = f.pixels.at(static_cast<size_t>(f.height / 2) * f.width + f.width / 2);
  return ((p >> 5) & 0x3F) << 2;
}

class SelvarinFrameTest : public ::testing::Test {
 protected:
  SelvarinFrameTest() : m_previous(std::filesystem::current_path()), m_clock(0, 1), m_clockGuard(&m_clock) {
    ::setenv("SLV_LOCK_DIR", m_dir.Path().c_str(), 1);
    m_window = platform::CreateAppWindow({"FrameTest", "Frame", nullptr, 0, 0, 64, 48});
    EXPECT_EQ(g_3dDevice.Create(m_window, nullptr, &platform::kRasterizerGuid, nullptr, kDevDoubleBuffer),
              platform::S_OK);
    m_dir.Write("game/data/map.ini",
                "set norotate 1\nset nomap 2\nset waterset 3\nset wavewater 4\nset extendclip 5\n"
                "set sky sky.bmp\nset news 90\n");
    m_dir.Write("game/data/movie.ini", "set startmacro intro.rsa\n");
    m_dir.Write("game/data/notmacro.ini", "set startmacro map.scr\n");
    m_dir.Write("game/data/map.scr", "// the map\nvillager::Talk\nreturn\nFrame::Init\nsay hello\nreturn\n");
    std::vector<slvtools::RsaTrack> tracks(3);
    tracks[0].name = "hero";
    tracks[0].entries = {{30, 0, "say hi", {}}, {12, 0, "walk", {}}};
    tracks[2].name = "guard";
    m_dir.Write("game/data/intro.rsa", slvtools::BuildRsa(1, 1, 100, tracks));
    m_dir.Write("game/data/bmp/black.bmp", slvtools::WriteBmp24(slvtools::RgbaImage(8, 8, {0, 0, 0, 255})));
    std::filesystem::current_path(m_dir / "game");
    SetResDirectory("\\");
    g_appActive = 1;
    m_frame.m_pView = new CSelvarinView;
    m_frame.m_pContext = new CSelvarinContext;
    g_pCurrentFrame = &m_frame;
  }
  ~SelvarinFrameTest() override {
    if (m_frame.m_pRC != nullptr) m_frame.Exit();
    g_pCurrentFrame = nullptr;
    g_dispBmp.Release();
    g_timeAttack = TimeAttack{};
    g_carriedYaw = 0.0f;
    g_playerStart = PlayerStart{};
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
  // A player owned by the context.
  CRecordingPlayer* AddPlayer(Vec3 pos) {
    auto* player = new CRecordingPlayer;
    player->m_pos = pos;
    Context().m_liveActors.push_back(player);
    Context().m_player = player;
    return player;
  }

  testsupport::TempDir m_dir;
  std::filesystem::path m_previous;
  platform::FakeClock m_clock;
  platform::ScopedClockSource m_clockGuard;
  platform::WindowHandle m_window = nullptr;
  CSelvarinFrame m_frame;
};

TEST_F(SelvarinFrameTest, InitFadesInFromBlackAndReadsTheFrameKeys) {
  g_carriedYaw = 135.0f;
  Start("map");
  EXPECT_EQ(m_frame.m_transKind, 3);
  EXPECT_EQ(m_frame.m_transStep, 0);
  EXPECT_EQ(m_frame.m_transColor, 0u);
  EXPECT_EQ(m_frame.m_mode, kModeField);
  EXPECT_EQ(View().m_noRotate, 1);
  EXPECT_EQ(View().m_noMap, 2);
  EXPECT_EQ(View().m_waterSet, 3);
  EXPECT_EQ(View().m_waveWater, 4);
  EXPECT_EQ(View().m_extendClip, 5);
  EXPECT_EQ(View().m_sky, "sky.bmp");
  EXPECT_EQ(m_frame.m_northAngle, 90);
  EXPECT_FLOAT_EQ(View().m_yaw, 135.0f);
  EXPECT_FLOAT_EQ(View().m_targetYaw, 135.0f);
  EXPECT_EQ(m_frame.m_choiceX, 330);
  EXPECT_EQ(m_frame.m_choiceY, 250);
  EXPECT_EQ(m_frame.m_selectedMember, -1);
  EXPECT_EQ(m_frame.m_pictureSlotPeriods[4], 50);
  EXPECT_EQ(GetGameFrame(), &m_frame);
  EXPECT_EQ(GetFieldContext(), &Context());
}

TEST_F(SelvarinFrameTest, WithoutAPlayerTheCameraLooksAtTheStartAndFollowsNobody) {
  g_playerStart = PlayerStart{4.0f, -1.0f, 75.0f, 0.0f};
  Start("nokeys");
  EXPECT_EQ(View().m_pFollow, nullptr);
  EXPECT_FLOAT_EQ(View().m_lookAt.x, 4.0f);
  EXPECT_FLOAT_EQ(View().m_lookAt.z, 75.0f);
  EXPECT_EQ(View().m_noRotate, 0);
  EXPECT_EQ(View().m_sky, "");
  EXPECT_EQ(m_frame.m_northAngle, 0);
  // The warp then moves the camera but sends nothing.
  m_frame.m_transKind = 1;
  m_frame.m_transStep = 24;
  m_frame.DrawTransition();
  EXPECT_EQ(m_frame.m_transKind, 3);
}

TEST_F(SelvarinFrameTest, APendingModeSetTwiceAppliesTheLastOnceAtTheNextPass) {
  Start("map");
  m_frame.m_pendingMode = kModeMapView;
  m_frame.m_pendingMode = kModeNone;
  EXPECT_EQ(m_frame.m_mode, kModeField);
  m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_mode, kModeNone);
  EXPECT_EQ(m_frame.m_prevMode, kModeField);
  EXPECT_EQ(m_frame.m_pendingMode, -1);
  m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_prevMode, kModeField);
  EXPECT_EQ(m_frame.m_modeTick, 2);
}

TEST_F(SelvarinFrameTest, TheScriptModeRequestSkipsTheModeEntry) {
  Start("map");
  m_frame.m_macroFrame = 7;
  m_frame.m_scriptModeRequest = 1;
  m_frame.RunGamePass();
  // The runner's tick ran (and ended the mode, the counter past the end of
  // no macro); the entry, which starts the counter at 0, never did.
  EXPECT_EQ(m_frame.m_prevMode, kModeScript);
  EXPECT_EQ(m_frame.m_mode, kModeField);
  EXPECT_EQ(m_frame.m_macroFrame, 7);
  EXPECT_EQ(m_frame.m_scriptModeRequest, 0);
}

TEST_F(SelvarinFrameTest, WithoutAStartMacroFrameInitRunsFromTheLineAfterItsLabel) {
  Start("map");
  Context().m_script = dynamic_cast<CTextRes*>(CResMgr::GetInstance().GetRes("map.scr"));
  ASSERT_NE(Context().m_script, nullptr);
  m_frame.StartRun();
  EXPECT_EQ(m_frame.m_scriptPosition.m_line, 4);
  EXPECT_EQ(m_frame.m_scriptPosition.m_name, "");
  EXPECT_EQ(m_frame.m_pendingMode, -1);
}

TEST_F(SelvarinFrameTest, AStartMacroRunsInsteadOfFrameInitWithItsCommandsByKey) {
  Start("movie");
  Context().m_script = dynamic_cast<CTextRes*>(CResMgr::GetInstance().GetRes("map.scr"));
  m_frame.StartRun();
  EXPECT_EQ(m_frame.m_scriptPosition.m_line, -1);
  ASSERT_NE(m_frame.m_pMacro, nullptr);
  EXPECT_EQ(m_frame.m_pendingMode, kModeScript);
  m_frame.m_macroFrame = 9;
  m_frame.RunGamePass();
  // Entered (the counter from 0 and the commands by key), then one tick
  // without a command at 0.
  EXPECT_EQ(m_frame.m_mode, kModeScript);
  EXPECT_EQ(m_frame.m_macroFrame, 1);
  ASSERT_EQ(m_frame.m_macroCommands.size(), 2u);
  EXPECT_EQ(m_frame.m_macroCommands[0].m_key, 12);
  EXPECT_EQ(m_frame.m_macroCommands[0].m_channel, 0);
  EXPECT_EQ(m_frame.m_macroCommands[0].m_text, "walk");
  EXPECT_EQ(m_frame.m_macroCommands[1].m_key, 30);
  EXPECT_EQ(m_frame.m_macroCommands[1].m_text, "say hi");
  EXPECT_EQ(m_frame.m_macroCommand, 0u);
  EXPECT_EQ(m_frame.m_macroPauseLimit, 120);
}

TEST_F(SelvarinFrameTest, AStartMacroThatIsNoMacroEntersTheScriptModeAndLeavesIt) {
  testsupport::DebugLogCapture log;
  Start("notmacro");
  Context().m_script = dynamic_cast<CTextRes*>(CResMgr::GetInstance().GetRes("map.scr"));
  m_frame.StartRun();
  EXPECT_EQ(m_frame.m_pMacro, nullptr);
  EXPECT_EQ(m_frame.m_scriptPosition.m_line, -1);
  m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_prevMode, kModeScript);
  EXPECT_EQ(m_frame.m_mode, kModeField);
  EXPECT_TRUE(m_frame.m_macroCommands.empty());
  EXPECT_TRUE(log.Contains("no macro"));
}

// The picture fades in from white, holds, and fades back out; the mode
// (here the shop, whose tick goes back to the field) runs only from 2.
TEST_F(SelvarinFrameTest, AScriptPictureShowsUnderItsWhiteVeilFrom300DownTo3) {
  Start("map");
  const auto* black = dynamic_cast<const CBitmapRes*>(CResMgr::GetInstance().GetRes("black.bmp"));
  ASSERT_NE(black, nullptr);
  g_dispBmp.Create(black);
  m_frame.m_pPicture = black;
  m_frame.m_mode = kModeShop;
  m_frame.m_pictureCounter = 300;
  struct Expect {
    int counter;
    int grey;
  };
  // White veil of alpha (1 - v) x 255 over black.
  const Expect expects[] = {{300, 252}, {250, 0}, {40, 51}, {3, 239}};
  size_t next = 0;
  while (m_frame.m_pictureCounter > 2) {
    const int counter = m_frame.m_pictureCounter;
    m_frame.RunGamePass();
    EXPECT_EQ(m_frame.m_mode, kModeShop) << counter;
    if (next < std::size(expects) && expects[next].counter == counter) {
      EXPECT_NEAR(ShownGrey(), expects[next].grey, 5) << counter;
      ++next;
    }
    EXPECT_EQ(m_frame.m_pPicture == nullptr, counter <= 3) << counter;
  }
  EXPECT_EQ(next, std::size(expects));
  EXPECT_EQ(m_frame.m_pictureCounter, 2);
  m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_mode, kModeField);
  EXPECT_EQ(m_frame.m_pictureCounter, 2);
  EXPECT_NE(g_dispBmp.GetSurface(), nullptr);

  m_frame.m_pictureCounter = 1;
  m_frame.m_mode = kModeShop;
  m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_pictureCounter, 0);
  EXPECT_EQ(m_frame.m_mode, kModeShop);
  EXPECT_EQ(g_dispBmp.GetSurface(), nullptr);
  EXPECT_NEAR(ShownGrey(), 252, 5);
}

// "showbmp" keeps its picture over the whole field, pass after pass, the
// field mode running on, until "closebmp" gives the field back. Each pass
// comes a second after the last, so each one draws.
TEST_F(SelvarinFrameTest, AShowbmpPictureStandsOverTheFieldUntilClosebmp) {
  m_dir.Write("game/data/bmp/white.bmp", slvtools::WriteBmp24(slvtools::RgbaImage(8, 8, {255, 255, 255, 255})));
  Start("map");
  m_frame.m_transKind = 0;  // no fade-in over it
  const auto command = [this](const char* line) {
    CTokenizer tokens;
    tokens.Tokenize(line);
    CSelvarinFrame::ExecSystemCommand(&m_frame, tokens, 0);
  };
  uint32_t now = 0;
  const auto pass = [&] {
    m_clock.Set(now += 2000);
    m_frame.RunGamePass();
  };
  command("showbmp white.bmp");
  for (int n = 0; n < 3; ++n) {
    pass();
    EXPECT_EQ(m_frame.m_mode, kModeField);
    EXPECT_NEAR(ShownGrey(), 252, 5) << n;
  }
  command("closebmp");
  pass();
  EXPECT_LT(ShownGrey(), 128);
}

TEST_F(SelvarinFrameTest, TransitionsStepChangeFrameWarpAndHold) {
  Start("map");
  CRecordingPlayer* player = AddPlayer({0.0f, 0.0f, 0.0f});
  // Kind 2 changes frame after 26 drawn steps.
  m_frame.m_transKind = 2;
  m_frame.m_transStep = 0;
  m_frame.m_transFrame = "kind2target";
  m_frame.m_transYaw = 45.0f;
  for (int i = 0; i < 25; ++i) m_frame.DrawTransition();
  EXPECT_NE(CFrameMgr::GetInstance().NextName(), "kind2target");
  EXPECT_EQ(m_frame.m_running, 1);
  m_frame.DrawTransition();
  EXPECT_EQ(CFrameMgr::GetInstance().NextName(), "kind2target");
  EXPECT_EQ(m_frame.m_running, 0);
  EXPECT_FLOAT_EQ(View().m_targetYaw, 45.0f);

  // Kind 1 warps on its 25th step, then fades in as kind 3.
  m_frame.m_transKind = 1;
  m_frame.m_transStep = 0;
  m_frame.m_transYaw = 270.0f;
  m_frame.m_warpPos = Vec3{12.7f, -3.5f, -40.2f};
  for (int i = 0; i < 24; ++i) m_frame.DrawTransition();
  EXPECT_TRUE(player->messages.empty());
  m_frame.DrawTransition();
  ASSERT_EQ(player->messages.size(), 1u);
  EXPECT_EQ(player->messages[0].code, 3);
  EXPECT_EQ(player->messages[0].a, 12);
  EXPECT_EQ(player->messages[0].b, -40);
  EXPECT_EQ(player->messages[0].c, -3);
  EXPECT_FLOAT_EQ(g_carriedYaw, 270.0f);
  EXPECT_FLOAT_EQ(View().m_yaw, 270.0f);
  EXPECT_FLOAT_EQ(View().m_lookAt.z, -40.2f);
  EXPECT_EQ(m_frame.m_transKind, 3);
  EXPECT_EQ(m_frame.m_transStep, 0);
  for (int i = 0; i < 27; ++i) m_frame.DrawTransition();
  EXPECT_EQ(m_frame.m_transKind, 0);

  // Kind 3 in the script mode steps only on even macro counters.
  m_frame.m_transKind = 3;
  m_frame.m_transStep = 10;
  m_frame.m_mode = kModeScript;
  m_frame.m_macroFrame = 3;
  m_frame.DrawTransition();
  EXPECT_EQ(m_frame.m_transStep, 10);
  m_frame.m_macroFrame = 4;
  m_frame.DrawTransition();
  EXPECT_EQ(m_frame.m_transStep, 11);

  // Kind 10 holds at its end; kind 11 clears to nothing.
  m_frame.m_transKind = 10;
  m_frame.m_transStep = 0;
  for (int i = 0; i < 40; ++i) m_frame.DrawTransition();
  EXPECT_EQ(m_frame.m_transKind, 10);
  EXPECT_EQ(m_frame.m_transStep, 25);
  m_frame.m_transKind = 11;
  m_frame.m_transStep = 0;
  m_frame.m_transAlphaStart = 50;
  m_frame.m_transAlphaTarget = 200;
  for (int i = 0; i < 25; ++i) m_frame.DrawTransition();
  EXPECT_EQ(m_frame.m_transKind, 11);
  m_frame.DrawTransition();
  EXPECT_EQ(m_frame.m_transKind, 0);
  EXPECT_EQ(m_frame.m_transAlphaStart, 0);
  EXPECT_EQ(m_frame.m_transAlphaTarget, 0);
}

// The fill of a kind at a step, over a white screen.
TEST_F(SelvarinFrameTest, TransitionFillsFollowTheirStep) {
  Start("map");
  struct Case {
    int kind, step;
    uint8_t start, target;
    int grey;
  };
  const Case cases[] = {
      {2, 0, 0, 0, 252},      {2, 25, 0, 0, 0},       {3, 0, 0, 0, 0},      {3, 25, 0, 0, 252},
      {10, 25, 50, 200, 55},  {10, 0, 50, 200, 205},  {11, 0, 0, 200, 55},  {5, 3, 0, 0, 0},
  };
  for (const Case& c : cases) {
    m_frame.m_transKind = c.kind;
    m_frame.m_transStep = c.step;
    m_frame.m_transAlphaStart = c.start;
    m_frame.m_transAlphaTarget = c.target;
    CRC& rc = *m_frame.m_pRC;
    ASSERT_TRUE(rc.BeginScene());
    rc.FillRect(platform::Rect{0, 0, rc.ViewWidth(), rc.ViewHeight()}, 0xFFFFFFFF, 0xFFFFFFFF);
    m_frame.DrawTransition();
    rc.EndScene();
    rc.Flip();
    EXPECT_NEAR(ShownGrey(), c.grey, 5) << c.kind << " " << c.step;
  }
}

TEST_F(SelvarinFrameTest, EnteringTheFieldDeletesAnOpenMenuAndFollowsThePlayer) {
  Start("map");
  const CRecordingPlayer* player = AddPlayer({1.0f, 0.0f, 1.0f});
  m_frame.m_pFieldMenu = new UIDesktop;
  m_frame.ChangeMode(kModeField);
  EXPECT_EQ(m_frame.m_pFieldMenu, nullptr);
  EXPECT_EQ(View().m_pFollow, player);
}

TEST_F(SelvarinFrameTest, AModeOutsideTheTableOnlyLogs) {
  Start("map");
  testsupport::DebugLogCapture log;
  m_frame.m_mode = 11;
  m_frame.RunGamePass();
  EXPECT_TRUE(log.Contains("oops"));
  EXPECT_EQ(m_frame.m_mode, 11);
  EXPECT_EQ(m_frame.m_modeTick, 1);
}

TEST_F(SelvarinFrameTest, ABattleWithoutAnActorOrAnEnemyGoesBackAtOnce) {
  Start("map");
  m_frame.m_mode = kModeNone;
  m_frame.m_pendingMode = kModeBattle;
  m_frame.RunGamePass();
  EXPECT_EQ(m_frame.m_mode, kModeNone);
  EXPECT_EQ(m_frame.m_pCurrentBattleActor, nullptr);

  CObjectFactory::GetInstance().Register(new CBattleStandIn);
  RegisterClassName("battlestandin", typeid(CBattleStandIn));
  CSession& session = CSession::GetInstance();
  session.players[0].engname = "standin";
  session.partyIds[0] = 0;
  session.partyCount = 1;
  // A party without an enemy to fight: the battle is over at once.
  m_frame.ChangeMode(kModeBattle);
  EXPECT_EQ(m_frame.m_mode, kModeNone);
  EXPECT_TRUE(Context().m_battleObjects.empty());
  EXPECT_EQ(m_frame.m_pCurrentBattleActor, nullptr);
  session.Init();
}

TEST_F(SelvarinFrameTest, ABattleSetUpAndItsReturnClearTheSessionsBattleState) {
  Start("map");
  CSession& session = CSession::GetInstance();
  session.enemies[2].name = "slime";
  session.enemies[2].actor = reinterpret_cast<CSelvarinActor*>(&session);  // never followed
  session.enemyCount = 3;
  session.battlePartyCount = 2;
  session.hooks.Set("__deathslime", 1);
  session.battleVariables.Set("round", 4);
  session.scriptVariables.Set("kept", 1);
  // No battle can be built: set-up and return run at once.
  m_frame.ChangeMode(kModeBattle);
  EXPECT_EQ(session.enemies[2].actor, nullptr);
  EXPECT_EQ(session.enemies[2].name, "");
  EXPECT_EQ(session.enemyCount, 0);
  EXPECT_EQ(session.battlePartyCount, 0);
  EXPECT_EQ(session.hooks.Size(), 0u);
  EXPECT_EQ(session.battleVariables.Size(), 0u);
  EXPECT_EQ(session.scriptVariables.Get("kept"), 1);
  session.scriptVariables.Clear();
}

TEST_F(SelvarinFrameTest, TheTimeAttackClockStopsAtItsLimit) {
  Start("map");
  m_frame.m_mode = kModeNone;
  g_timeAttack = TimeAttack{1, 10, 0};
  m_clock.Set(5000);
  m_frame.RunGamePass();
  EXPECT_EQ(g_timeAttack.m_current, 5);
  m_clock.Set(12000);
  m_frame.RunGamePass();
  EXPECT_EQ(g_timeAttack.m_current, 12);
  m_clock.Set(20000);
  m_frame.RunGamePass();
  EXPECT_EQ(g_timeAttack.m_current, 12);
}

TEST_F(SelvarinFrameTest, MusicThatStoppedIsStartedAgain) {
  selvarinframetest::CdStandIn player;
  platform::SetCdPlayer(&player);
  g_cdAudio = CdAudioState{};
  ASSERT_TRUE(FindGameDisc(1));
  PlayCdTrack(1, 5);
  Start("map");
  m_frame.m_mode = kModeNone;
  player.deviceWorks = false;
  player.log.clear();
  for (int i = 0; i < 99; ++i) m_frame.RunGamePass();
  EXPECT_TRUE(player.log.empty());
  m_frame.RunGamePass();
  EXPECT_EQ(player.log, (std::vector<std::string>{"close", "open", "play 5"}));
  EXPECT_EQ(g_cdAudio.m_disc, 1);
  EXPECT_EQ(g_cdAudio.m_track, 5);
  StopCdAudio();
  g_cdAudio = CdAudioState{};
  platform::SetCdPlayer(nullptr);
}

// A script line run by the frame's own interpreter groups.
bool RunWord(CSelvarinFrame& frame, const char* line) {
  CTokenizer tokens;
  tokens.Tokenize(line);
  return CSelvarinFrame::ExecSystemCommand(&frame, tokens, 0);
}

TEST_F(SelvarinFrameTest, ATimeAttackRunsItsScriptOnceWhenTimeIsUp) {
  m_dir.Write("game/data/attack.scr", "Frame::TimeAttack\nerror #up\nreturn\n");
  Start("map");
  Context().m_script = dynamic_cast<CTextRes*>(CResMgr::GetInstance().GetRes("attack.scr"));
  ASSERT_NE(Context().m_script, nullptr);
  m_frame.m_mode = kModeField;
  m_clock.Set(100000);
  ASSERT_TRUE(RunWord(m_frame, "begintimeattack 30"));
  testsupport::DebugLogCapture log;
  int runs = 0;
  for (uint64_t ms : {120000, 131000, 131500, 140000, 150000}) {
    m_clock.Set(ms);
    m_frame.RunGamePass();
  }
  for (const std::string& line : log.Lines()) runs += line == "#up" ? 1 : 0;
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(g_timeAttack.m_on, 0);
  Context().m_script = nullptr;
}

// Once a script turned replaying off, a track that ended stays silent.
TEST_F(SelvarinFrameTest, MusicThatEndedStaysStoppedOnceReplayIsOff) {
  selvarinframetest::CdStandIn player;
  platform::SetCdPlayer(&player);
  g_cdAudio = CdAudioState{};
  Start("map");
  m_frame.m_mode = kModeNone;
  ASSERT_TRUE(RunWord(m_frame, "playcd 1 5"));
  EXPECT_EQ(player.log, (std::vector<std::string>{"open", "play 5"}));
  ASSERT_TRUE(RunWord(m_frame, "playcd 1 5"));  // already playing: not restarted
  EXPECT_EQ(player.log.size(), 2u);
  ASSERT_TRUE(RunWord(m_frame, "disablecdreplay"));
  player.playing = false;
  player.log.clear();
  for (int i = 0; i < 150; ++i) m_frame.RunGamePass();
  EXPECT_TRUE(player.log.empty());
  g_cdReplayOff = 0;
  for (int i = 0; i < 100; ++i) m_frame.RunGamePass();
  EXPECT_EQ(player.log, (std::vector<std::string>{"play 5"}));
  ASSERT_TRUE(RunWord(m_frame, "stopcd"));
  EXPECT_EQ(g_cdAudio.m_track, -1);
  g_cdAudio = CdAudioState{};
  platform::SetCdPlayer(nullptr);
}

// What the last visit left must neither fire nor be freed twice.
TEST_F(SelvarinFrameTest, AFrameEnteredTwiceStartsCleanAndFreesEachTextureOnce) {
  Start("map");
  m_frame.m_overlayTextures[0] = new CTexture;
  m_frame.m_overlayTextures[4] = new CTexture;
  m_frame.m_pFieldMenu = new UIDesktop;
  m_frame.m_pendingMode = kModeGameOver;
  m_frame.m_scriptModeRequest = 1;
  m_frame.m_pictureCounter = 120;
  m_frame.Exit();
  for (CTexture* texture : m_frame.m_overlayTextures) EXPECT_EQ(texture, nullptr);
  EXPECT_EQ(m_frame.m_pFieldMenu, nullptr);
  Start("map");
  EXPECT_EQ(m_frame.m_pendingMode, -1);
  EXPECT_EQ(m_frame.m_scriptModeRequest, 0);
  EXPECT_EQ(m_frame.m_pictureCounter, 0);
  m_frame.Exit();
  Start("map");
}

// A map whose actors ask the frame for a macro and a picture while it loads.
class CRequestingContext : public CSelvarinContext {
 public:
  void Init() override {
    CSelvarinContext::Init();
    CSelvarinFrame* frame = GetGameFrame();
    frame->m_pendingMode = kModeScript;
    frame->m_scriptModeRequest = 1;
    frame->m_pictureCounter = CSelvarinFrame::kPictureStart;
  }
};

TEST_F(SelvarinFrameTest, WhatTheMapAsksForWhileItLoadsOutlivesInit) {
  delete m_frame.m_pContext;
  m_frame.m_pContext = new CRequestingContext;
  Start("map");
  EXPECT_EQ(m_frame.m_pendingMode, kModeScript);
  EXPECT_EQ(m_frame.m_scriptModeRequest, 1);
  EXPECT_EQ(m_frame.m_pictureCounter, CSelvarinFrame::kPictureStart);
}

}  // namespace
