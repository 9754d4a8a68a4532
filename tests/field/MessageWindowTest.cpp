// The message window's paging, the HUD timers, the compass fade and the
// rain, on a small display.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <list>
#include <string>
#include <vector>

#include "engine/Controller.h"
#include "engine/FileStream.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "field/MapEvent.h"
#include "field/Selvarin3dActor.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/ParticleEffect.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/Random.h"
#include "platform/Window.h"
#include "render/3dActor.h"
#include "render/3dDevice.h"
#include "render/Font.h"
#include "render/RC.h"
#include "tests/support/TestSupport.h"

namespace {

class CBattleScriptFrame : public CSelvarinFrame {
 public:
  void RunBattleEventScript(int line) override { resumed.push_back(line); }
  void RunEventScript(int line, const std::string& name, ScriptPosition&) override {
    runs.push_back(name + " " + std::to_string(line));
  }
  std::vector<int> resumed;
  std::vector<std::string> runs;
};

// A listener of the message window: the codes it hears.
template <class Base>
class CListening : public Base {
 public:
  void OnMessage(CObject*, int code, intptr_t, intptr_t, intptr_t) override { codes.push_back(code); }
  std::vector<int> codes;
};

class MessageWindowTest : public ::testing::Test {
 protected:
  MessageWindowTest() : m_previous(std::filesystem::current_path()), m_clock(0, 1), m_clockGuard(&m_clock) {
    ::setenv("SLV_LOCK_DIR", m_dir.Path().c_str(), 1);
    m_window = platform::CreateAppWindow({"HudTest", "Hud", nullptr, 0, 0, 64, 48});
    EXPECT_EQ(g_3dDevice.Create(m_window, nullptr, &platform::kRasterizerGuid, nullptr, kDevDoubleBuffer),
              platform::S_OK);
    m_dir.Write("game/data/map.ini", "\n");
    std::filesystem::current_path(m_dir / "game");
    SetResDirectory("\\");
    m_keyPad.m_buttons.fill(kStateUp);
    m_savedPad = g_pMainKeyPad;
    g_pMainKeyPad = &m_keyPad;
    CMouse::GetInstance().m_mouseButtons = {kStateUp, kStateUp};
    m_frame.m_pView = new CSelvarinView;
    m_frame.m_pContext = new CSelvarinContext;
    g_pCurrentFrame = &m_frame;
    m_frame.m_name = "map";
    m_frame.Init();
    // Every ASCII glyph 8 pixels wide, as if a font were loaded.
    std::copy(AsciiWidths, AsciiWidths + kAsciiGlyphCount, m_savedWidths);
    std::fill(AsciiWidths, AsciiWidths + kAsciiGlyphCount, 8);
  }
  ~MessageWindowTest() override {
    std::copy(m_savedWidths, m_savedWidths + kAsciiGlyphCount, AsciiWidths);
    if (m_frame.m_pRC != nullptr) m_frame.Exit();
    g_pCurrentFrame = nullptr;
    g_pMainKeyPad = m_savedPad;
    CMouse::GetInstance().m_mouseButtons = {kStateUp, kStateUp};
    CResMgr::GetInstance().UnloadResources();
    std::filesystem::current_path(m_previous);
    g_3dDevice.Release();
    platform::DestroyAppWindow(m_window);
  }

  // A word no other word fits beside on a line of the window.
  std::string LongWord(char c, int over) {
    std::string word;
    while (word.size() < 2000 && m_frame.m_pRC->GetTextWidth(word.c_str()) <= over) word += c;
    return word;
  }
  void StartLayout(const std::string& text) {
    m_frame.m_messageText = text;
    m_frame.m_messageState = 2;
    m_frame.m_messagePos = 0;
    m_frame.m_messageTick = 0;
    m_frame.ClearMessageLines();
  }
  int FieldTicksUntil(int state) {
    for (int i = 1; i <= 10000; ++i) {
      m_frame.UpdateFieldMessage();
      if (m_frame.m_messageState == state) return i;
    }
    return -1;
  }

  std::filesystem::path m_previous;
  testsupport::TempDir m_dir;
  platform::FakeClock m_clock;
  platform::ScopedClockSource m_clockGuard;
  platform::WindowHandle m_window{};
  CKeyPad m_keyPad;
  CKeyPad* m_savedPad = nullptr;
  CBattleScriptFrame m_frame;
  int32_t m_savedWidths[kAsciiGlyphCount] = {};
};

TEST_F(MessageWindowTest, SixLinesFillThePageWaitScrollTwoAndGoOnAtLineTwo) {
  std::vector<std::string> words;
  for (char c : std::string("abcdef")) words.push_back(LongWord(c, 300));
  std::string text;
  for (const std::string& w : words) text += w + " ";
  text.pop_back();
  StartLayout(text);
  ASSERT_GT(FieldTicksUntil(3), 0);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(m_frame.m_messageLines[static_cast<size_t>(i)], words[static_cast<size_t>(i)] + " ");
  for (int i = 0; i < 19; ++i) m_frame.UpdateFieldMessage();
  EXPECT_EQ(m_frame.m_messageState, 3);
  m_frame.UpdateFieldMessage();
  EXPECT_EQ(m_frame.m_messageState, 2);
  EXPECT_EQ(m_frame.m_messageLine, 2);
  EXPECT_EQ(m_frame.m_messageLines[0], words[2] + " ");
  EXPECT_EQ(m_frame.m_messageLines[2], words[4] + " ");
  EXPECT_EQ(m_frame.m_messageLines[3], "");
  ASSERT_GT(FieldTicksUntil(7), 0);
  EXPECT_EQ(m_frame.m_messageLines[3], words[5]);
  EXPECT_EQ(m_frame.m_messageLine, 4);
}

TEST_F(MessageWindowTest, ConfirmDuringTheLayoutShowsTheRestOfThePageAtOnce) {
  StartLayout("one two three");
  m_frame.UpdateFieldMessage();
  EXPECT_EQ(m_frame.m_messageLines[0], "o");
  CMouse::GetInstance().m_mouseButtons = {kStatePressed, kStateUp};
  m_frame.UpdateFieldMessage();
  EXPECT_EQ(m_frame.m_messageState, 7);
  EXPECT_EQ(m_frame.m_messageLines[0], "one two three");

  // A keypad confirm does the same, a quick second tap too; the flag then
  // holds for the message.
  CMouse::GetInstance().m_mouseButtons = {kStateUp, kStateUp};
  StartLayout("four five");
  m_keyPad.m_buttons[4] = kStatePressedAgain;
  m_frame.UpdateFieldMessage();
  EXPECT_EQ(m_frame.m_messageLines[0], "four five");
}

TEST_F(MessageWindowTest, PairsNeverSplitAndALoneLastLeadByteIsDropped) {
  struct Case {
    std::string text;
    std::vector<std::string> perTick;
  };
  const std::vector<Case> cases = {
      {"a&rb", {"a", "a&r", "a&rb"}},
      {"x가", {"x", "x가"}},
      {"ab\xB0", {"a", "ab", "ab"}},
      {"ab&", {"a", "ab", "ab"}},
  };
  for (const Case& c : cases) {
    StartLayout(c.text);
    for (const std::string& expected : c.perTick) {
      m_frame.UpdateFieldMessage();
      EXPECT_EQ(m_frame.m_messageLines[0], expected) << c.text;
    }
    m_frame.UpdateFieldMessage();
    EXPECT_EQ(m_frame.m_messageState, 7) << c.text;
  }
  // A pair whose word wraps moves whole to the next line.
  const std::string word = LongWord('w', 560);
  StartLayout(word + " &r가z");
  ASSERT_GT(FieldTicksUntil(7), 0);
  EXPECT_EQ(m_frame.m_messageLines[1], "&r가z");
}

// The end of the text tells each listener once: the villager and the prop
// hear 13, the map event runs its requested line.
TEST_F(MessageWindowTest, TheEndOfTheTextTellsItsListeners) {
  CListening<CSelvarinActor> villager;
  CListening<C3dActor> prop;
  MapEvent gate;
  gate.m_name = "gate";
  gate.SetData(9);
  m_frame.m_pMessageVillager = &villager;
  m_frame.m_pMessage3dActor = &prop;
  m_frame.m_pMessageEvent = &gate;
  StartLayout("hello");
  ASSERT_GT(FieldTicksUntil(7), 0);
  for (int i = 0; i < 5; ++i) m_frame.UpdateFieldMessage();
  EXPECT_EQ(villager.codes, std::vector<int>{13});
  EXPECT_EQ(prop.codes, std::vector<int>{13});
  EXPECT_EQ(m_frame.runs, std::vector<std::string>{"gate 9"});
  m_frame.m_pMessageVillager = nullptr;
  m_frame.m_pMessage3dActor = nullptr;
  m_frame.m_pMessageEvent = nullptr;

  // A prop that goes while its text is laid out is not called at the end.
  auto* chest = new CSelvarin3dActor;
  m_frame.m_pMessage3dActor = chest;
  StartLayout("bye");
  m_frame.UpdateFieldMessage();
  delete chest;
  EXPECT_EQ(m_frame.m_pMessage3dActor, nullptr);
  EXPECT_GT(FieldTicksUntil(7), 0);
}

TEST_F(MessageWindowTest, BattleWindowWrapsAt570PagesAtLineFiveAndResumesTheScript) {
  const std::string row = LongWord('m', 570);
  std::string text;
  for (int i = 0; i < 6; ++i) text += row;
  m_frame.m_battleScriptLine = 42;
  StartLayout(text);
  m_keyPad.m_buttons[5] = kStatePressed;
  m_frame.UpdateBattleMessage();
  EXPECT_EQ(m_frame.m_messageState, 3);
  EXPECT_EQ(m_frame.m_messageLine, 4);
  EXPECT_EQ(m_frame.m_messageLines[0], row);
  m_keyPad.m_buttons[5] = kStateHeld;
  for (int i = 0; i < 10; ++i) m_frame.UpdateBattleMessage();
  EXPECT_EQ(m_frame.m_messageState, 3);
  m_frame.UpdateBattleMessage();
  EXPECT_EQ(m_frame.m_messageState, 2);
  EXPECT_EQ(m_frame.m_messageLine, 3);
  EXPECT_EQ(m_frame.m_messageLines[0], row.substr(1) + "m");
  EXPECT_TRUE(m_frame.resumed.empty());
  for (int i = 0; i < 10000 && m_frame.m_messageState != 7; ++i) m_frame.UpdateBattleMessage();
  EXPECT_EQ(m_frame.resumed, std::vector<int>{42});
}

TEST_F(MessageWindowTest, EndlessShakeRunsUntilReplacedAndTheOffsetThenResets) {
  CSelvarinView& view = *m_frame.GetView();
  m_frame.m_overlayState = 4;
  m_frame.m_overlayTick = 0;
  m_frame.m_shakeLimit = -1;
  m_frame.m_shakeAxis = 1;
  m_frame.m_shakeAmplitude = 2.0f;
  std::vector<float> seen;
  for (int i = 0; i < 400; ++i) {
    EXPECT_EQ(m_frame.TickHudTimers(), 4);
    if (i < 4) seen.push_back(view.m_offset.y);
  }
  EXPECT_EQ(seen, (std::vector<float>{-2.0f, -2.0f, 2.0f, 2.0f}));
  EXPECT_EQ(view.m_offset.x, 0.0f);
  m_frame.m_overlayState = 1;
  m_frame.m_overlayTick = 0;
  m_frame.TickHudTimers();
  EXPECT_EQ(view.m_offset.y, 0.0f);

  // A limited shake ends by itself and leaves the camera still.
  m_frame.m_overlayState = 4;
  m_frame.m_overlayTick = 0;
  m_frame.m_shakeLimit = 5;
  m_frame.m_shakeAxis = 0;
  int ticks = 0;
  while (m_frame.TickHudTimers() == 4) ++ticks;
  EXPECT_EQ(ticks, 6);
  EXPECT_EQ(view.m_offset.x, 0.0f);
}

TEST_F(MessageWindowTest, TimersCountAndPictureSlotsWrapAtThreePeriods) {
  m_frame.m_pictureSlotCounters[0] = 1;
  m_frame.m_captionTimers[3] = 2;
  m_frame.m_overlayState = 1;
  m_frame.m_overlayTick = 0;
  m_frame.m_captionTimer = 1;
  int flashTicks = 0;
  for (int i = 1; i <= 149; ++i) {
    if (m_frame.TickHudTimers() == 1) ++flashTicks;
    m_frame.TickCaptionTimer();
    if (i == 148) {
      EXPECT_EQ(m_frame.m_pictureSlotCounters[0], 149);
    }
  }
  EXPECT_EQ(m_frame.m_pictureSlotCounters[0], 0);
  EXPECT_EQ(m_frame.m_captionTimers[3], 0);
  EXPECT_EQ(m_frame.m_captionTimer, 0);
  EXPECT_EQ(flashTicks, 6);
  EXPECT_FLOAT_EQ(CSelvarinFrame::OverlayAlpha(1, 2), 1.0f);
  EXPECT_FLOAT_EQ(CSelvarinFrame::OverlayAlpha(3, 30), 0.3f);
}

TEST_F(MessageWindowTest, HudIsActiveForEachOfItsConditions) {
  struct Case {
    const char* name;
    void (*set)(CSelvarinFrame&);
    bool active;
  };
  const Case cases[] = {
      {"nothing", [](CSelvarinFrame&) {}, false},
      {"overlay", [](CSelvarinFrame& f) { f.m_overlayState = 3; }, true},
      {"caption slot", [](CSelvarinFrame& f) { f.m_captionTimers[5] = 1; }, true},
      {"caption", [](CSelvarinFrame& f) { f.m_captionTimer = 1; }, true},
      {"pending", [](CSelvarinFrame& f) { f.m_messagePending = 3; }, true},
      {"starting", [](CSelvarinFrame& f) { f.m_messageState = 1; }, false},
      {"laying out", [](CSelvarinFrame& f) { f.m_messageState = 2; }, true},
      {"closing", [](CSelvarinFrame& f) { f.m_messageState = 4; }, false},
      {"finished", [](CSelvarinFrame& f) { f.m_messageState = 7; }, true},
      {"choices", [](CSelvarinFrame& f) { f.m_choiceCount = 2; }, true},
      {"hud on", [](CSelvarinFrame& f) { f.m_compassOn = 1; }, true},
  };
  for (const Case& c : cases) {
    CSelvarinFrame frame;
    frame.m_compassOn = 0;
    c.set(frame);
    EXPECT_EQ(frame.IsHudActive(), c.active) << c.name;
  }
}

TEST_F(MessageWindowTest, CompassFadesByAStepACallWithinItsBounds) {
  m_frame.m_transKind = 0;
  m_frame.m_mode = kModeField;
  ASSERT_TRUE(m_frame.m_pRC->BeginScene());
  for (int i = 0; i < 10; ++i) m_frame.DrawDebugOverlay();
  EXPECT_NEAR(m_frame.m_compassFade, 0.5f, 1e-4f);
  for (int i = 0; i < 20; ++i) m_frame.DrawDebugOverlay();
  EXPECT_EQ(m_frame.m_compassFade, 1.0f);
  m_frame.GetView()->m_noRotate = 1;
  m_frame.DrawDebugOverlay();
  EXPECT_NEAR(m_frame.m_compassFade, 0.95f, 1e-4f);
  for (int i = 0; i < 30; ++i) m_frame.DrawDebugOverlay();
  EXPECT_EQ(m_frame.m_compassFade, 0.0f);
  m_frame.m_pRC->EndScene();
}

TEST_F(MessageWindowTest, RainPlacesFallsDriftsWithTheWindAndRestarts) {
  const int width = m_frame.m_pRC->ViewWidth();
  const int band = m_frame.m_pRC->ViewHeight() / 5;
  m_frame.SetWeather(1);
  m_frame.MakeRain(1, 8, 90, 0);
  platform::Srand(7);
  const int r = platform::Rand() % 5;
  const int x = platform::Rand() % (width + 60) - 30;
  const int stop = platform::Rand() % band + r * band;
  platform::Srand(7);
  m_frame.UpdateWeather();
  const RainDrop& drop = m_frame.m_rainDrops[0];
  EXPECT_EQ(drop.x, x);
  EXPECT_EQ(drop.y, 1);
  EXPECT_EQ(drop.stop, stop);

  // Wind along the view: the drop moves sideways a pixel per pixel fallen.
  m_frame.GetView()->m_yaw = 0.0f;
  int before = drop.y;
  int beforeX = drop.x;
  m_frame.UpdateWeather();
  EXPECT_EQ(drop.x - beforeX, drop.y - before);
  EXPECT_EQ(drop.prevY, before);
  // Wind across the view: straight down.
  m_frame.GetView()->m_yaw = 90.0f;
  before = drop.y;
  beforeX = drop.x;
  m_frame.UpdateWeather();
  EXPECT_GT(drop.y, before);
  EXPECT_EQ(drop.x, beforeX);

  // At its stop height it rests a tick, then starts again from the top.
  for (int i = 0; i < 1000 && drop.y < drop.stop; ++i) m_frame.UpdateWeather();
  m_frame.UpdateWeather();
  EXPECT_EQ(drop.y, drop.prevY);
  m_frame.UpdateWeather();
  EXPECT_EQ(drop.y, 1);
  EXPECT_EQ(drop.prevY, 0);
}

// Snow makes its flakes each tick over a 400-unit square about the player
// (or the camera's look-at), 150 above, falling at a tenth of its speed.
TEST_F(MessageWindowTest, SnowMakesItsFlakesAboutThePlayerOrTheCamera) {
  CSelvarinActor player;
  player.m_pos = Vec3{100.0f, 0.0f, 50.0f};
  m_frame.GetContext()->m_player = &player;
  m_frame.SetWeather(2);
  m_frame.m_snowPerTick = 3;
  m_frame.m_snowSpeed = 7;
  std::list<CSelvarinActor*>& effects = m_frame.GetContext()->m_effects;
  const size_t before = effects.size();
  platform::Srand(5);
  const int x0 = platform::Rand() % 400, z0 = platform::Rand() % 400;
  platform::Srand(5);
  m_frame.UpdateWeather();
  ASSERT_EQ(effects.size(), before + 3);
  const auto* first = dynamic_cast<const CParticleEffect*>(*std::next(effects.begin(), static_cast<long>(before)));
  ASSERT_NE(first, nullptr);
  EXPECT_FLOAT_EQ(first->m_pos.x, static_cast<float>(x0) + 100.0f - 200.0f);
  EXPECT_FLOAT_EQ(first->m_pos.z, static_cast<float>(z0) + 50.0f - 200.0f);
  EXPECT_FLOAT_EQ(first->m_pos.y, -150.0f);
  EXPECT_FLOAT_EQ(first->m_velocity.y, 0.7f);
  EXPECT_EQ(first->m_type, 5);
  // About the camera's look-at instead.
  m_frame.m_snowAtCamera = 1;
  m_frame.GetView()->m_lookAt = Vec3{-1000.0f, 0.0f, -1000.0f};
  m_frame.m_snowPerTick = 1;
  m_frame.UpdateWeather();
  EXPECT_LT(effects.back()->m_pos.x, -1000.0f + 200.0f);
  m_frame.GetContext()->m_player = nullptr;
}

}  // namespace
