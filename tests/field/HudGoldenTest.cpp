// One drawn field pass with the whole HUD up at once, against a golden
// picture: a message half laid out, a caption and an anchored one, a speech
// caption, a picture slot, rain and the compass, in the sample's sprites
// and fonts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/AppShell.h"
#include "engine/FileStream.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "engine/PackFile.h"
#include "engine/ResMgr.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "field/SysexCrowd.h"
#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/Random.h"
#include "platform/Surface.h"
#include "platform/Window.h"
#include "render/3dDevice.h"
#include "render/Font.h"
#include "render/RC.h"
#include "render/TextProbe.h"
#include "session/Session.h"
#include "tests/support/GoldenImage.h"
#include "tests/support/ScreenTexts.h"
#include "tests/support/TestSupport.h"

namespace {

class HudGoldenTest : public ::testing::Test {
 protected:
  HudGoldenTest() : m_previous(std::filesystem::current_path()), m_clock(0, 1), m_clockGuard(&m_clock) {
    ::setenv("SLV_LOCK_DIR", m_lockDir.Path().c_str(), 1);
    m_window = platform::CreateAppWindow({"HudGolden", "Hud", nullptr, 0, 0, 640, 480});
    EXPECT_EQ(g_3dDevice.Create(m_window, nullptr, &platform::kRasterizerGuid, nullptr, kDevDoubleBuffer),
              platform::S_OK);
    std::filesystem::current_path(testsupport::BinaryDir() / "game");
    SetResDirectory("\\");
    m_savedTexturePath = g_texturePath;
    g_texturePath = "\\texture\\";
    EXPECT_TRUE(RegisterPack("data.pak"));
    EXPECT_TRUE(LoadHangulFont("font\\slvfont1.dat"));
    EXPECT_TRUE(LoadHanjaFont("slvfonth.dat"));
    EXPECT_TRUE(LoadAsciiFont("slvfonte.dat"));
    m_frame.m_pView = new CSelvarinView;
    m_frame.m_pContext = new CSelvarinContext;
    g_pCurrentFrame = &m_frame;
    m_frame.m_name = "hud";
    m_frame.Init();
  }
  ~HudGoldenTest() override {
    m_crowd.reset();
    m_frame.GetContext()->m_player = nullptr;
    if (m_frame.m_pRC != nullptr) m_frame.Exit();
    g_pCurrentFrame = nullptr;
    CResMgr::GetInstance().UnloadResources();
    FreePacks();
    g_texturePath = m_savedTexturePath;
    std::filesystem::current_path(m_previous);
    g_3dDevice.Release();
    platform::DestroyAppWindow(m_window);
  }

  // The pixels about the compass label's place after the field HUD texts,
  // drawn over a plain target.
  std::vector<uint16_t> LabelArea(float fade) {
    platform::Surface& target = *g_3dDevice.RenderTarget();
    target.Fill(nullptr, 0x4208);
    m_frame.m_compassFade = fade;
    std::vector<uint16_t> pixels;
    if (!m_frame.m_pRC->LockBackBuffer()) return pixels;
    m_frame.DrawFieldHud();
    m_frame.m_pRC->UnlockBackBuffer();
    for (int y = 120; y < 160; ++y) pixels.insert(pixels.end(), target.Row(y), target.Row(y) + 128);
    return pixels;
  }

  // The texts of the next frame the game frame shows, within `passes`
  // passes.
  std::vector<testsupport::TextKept> NextFrameTexts(int passes) {
    std::vector<testsupport::TextKept> kept;
    bool shown = false;
    CTextProbe& probe = CTextProbe::GetInstance();
    probe.Start([&](const std::vector<TextSeen>& seen) {
      for (const TextSeen& t : seen) kept.push_back({t.text, t.pixels, t.kept, t.onText, t.onWidget, t.bare});
      shown = true;
    });
    g_appActive = 1;  // the passes read no window messages
    for (int i = 0; i < passes && !shown; ++i) m_frame.RunGamePass();
    g_appActive = 0;
    EXPECT_TRUE(shown) << "no frame shown in " << passes << " passes";
    if (!shown) probe.Present();  // ends the recording all the same
    return kept;
  }

  std::filesystem::path m_previous;
  std::string m_savedTexturePath;
  testsupport::TempDir m_lockDir;
  platform::FakeClock m_clock;
  platform::ScopedClockSource m_clockGuard;
  platform::WindowHandle m_window{};
  CSelvarinFrame m_frame;
  CSelvarinActor m_player;
  std::unique_ptr<CSysexCrowd> m_crowd;  // goes before the frame
};

TEST_F(HudGoldenTest, MessageCaptionsPictureSlotRainAndCompass) {
  m_frame.m_transKind = 0;
  m_frame.m_mode = kModeField;
  CSelvarinView& view = *m_frame.GetView();
  view.m_yaw = 30.0f;
  view.m_sky = "sky.bmp";  // something behind the texts
  m_player.m_pos = Vec3{0.0f, 0.0f, 0.0f};
  m_player.m_angle = 75.0f;
  m_frame.GetContext()->m_player = &m_player;
  m_frame.m_compassFade = 1.0f;  // faded in: the label shows
  CMouse::GetInstance().m_x = 470;
  CMouse::GetInstance().m_y = 250;

  // A message in the middle of its page: two lines laid out, the third
  // half way.
  m_frame.m_messageText =
      "마을 북쪽의 우물은 오래전에 말랐다. 사람들은 이제 샘터까지 물을 길으러 간다. "
      "Nobody draws water from the old well now; they say something lives down there at night, "
      "and the children are told to stay away from it after dark.";
  m_frame.m_messageState = 1;
  m_frame.m_messageTick = 3;
  for (int i = 0; i < 1000 && (m_frame.m_messageLine < 2 || m_frame.m_messageLines[2].size() < 24); ++i) {
    m_frame.UpdateFieldMessage();
  }
  ASSERT_EQ(m_frame.m_messageState, 2);

  m_frame.m_caption = "북쪽 길";
  m_frame.m_captionTimer = 40;
  m_frame.m_captionTexts[3] = "3일째 아침";
  m_frame.m_captionTimers[3] = 40;
  m_crowd = std::make_unique<CSysexCrowd>();
  m_crowd->Init("도와줘!", 420, 200, nullptr, 0);
  m_frame.m_speechCaptions.push_back(m_crowd.get());
  m_frame.m_pictureSlotNames[1] = "접시-파랑.tga";
  m_frame.m_pictureSlotCounters[1] = m_frame.m_pictureSlotPeriods[1] + 5;  // holding, whole

  m_frame.SetWeather(1);
  m_frame.MakeRain(40, 8, 20, 0);
  platform::Srand(3);
  for (int i = 0; i < 6; ++i) m_frame.UpdateWeather();

  m_frame.ComposeField();
  m_frame.m_pRC->Flip();
  const testsupport::RgbImage image = testsupport::PresentedImage();
  ASSERT_EQ(image.width, 640);
  EXPECT_EQ(testsupport::CompareWithGolden("hud_message_captions_rain_compass", image), "");
}

// Each HUD frame, drawn alone in the sample's art over a dark target, lies
// light under the whole of its texts' rows, a little beyond them too.
TEST_F(HudGoldenTest, FramesLieLightUnderTheirTexts) {
  m_frame.m_transKind = 0;
  m_frame.m_mode = kModeField;
  CRC& rc = *m_frame.m_pRC;
  const int cx = 320, h = 480;
  const std::string caption = "3일째 아침";
  const int tw = rc.GetTextWidth(caption.c_str());
  struct Box {
    int x0, y0, x1, y1;
  };
  struct Case {
    const char* what;
    std::function<void()> open;
    Box text;  // where the texts are drawn
  };
  const auto reset = [this] {
    m_frame.m_messageState = 0;
    m_frame.m_choiceCount = 0;
    m_frame.m_captionTimer = 0;
    m_frame.m_messagePending = 0;
    m_frame.m_captionTimers.fill(0);
    m_frame.m_speechCaptions.clear();
  };
  m_crowd = std::make_unique<CSysexCrowd>();
  m_crowd->Init(caption.c_str(), 300, 200, nullptr, 0);
  const Case cases[] = {
      // Five lines of up to 580 pixels.
      {"message window", [this] { m_frame.m_messageState = 3; }, {cx - 289, h - 116, cx - 289 + 580, h - 20}},
      // A line laid out whole, then kept for the player's key ("wait").
      {"finished message", [this] { m_frame.m_messageState = 7; }, {cx - 289, h - 116, cx - 289 + 580, h - 20}},
      {"message waiting for the key", [this] { m_frame.m_messageState = 5; }, {cx - 289, h - 116, cx - 289 + 580, h - 20}},
      {"choice box of three",
       [&] {
         m_frame.m_choiceCount = 3;
         m_frame.m_choiceTexts = {"예", caption, "아니오"};
       },
       {330 + 10, 250 + 5, 330 + 10 + tw, 250 + 5 + 2 * 20 + 16}},
      {"caption line 1",
       [&] {
         m_frame.m_caption = caption;
         m_frame.m_captionLine = 1;
         m_frame.m_captionTimer = 40;
       },
       {cx - tw / 2, 140, cx + tw / 2, 156}},
      {"pending text",
       [&] {
         m_frame.m_messageText = caption + " 그리고";
         m_frame.m_messagePending = static_cast<int>(caption.size());
       },
       {cx + 15 - tw / 2, 135, cx + 15 + tw / 2, 151}},
      {"caption slot 0",
       [&] {
         m_frame.m_captionTexts[0] = caption;
         m_frame.m_captionTimers[0] = 40;
       },
       {50 + 20, 50 - 19, 50 + 20 + tw, 50 - 3}},
      {"caption slot 5",
       [&] {
         m_frame.m_captionTexts[5] = caption;
         m_frame.m_captionTimers[5] = 40;
       },
       {640 - 50 - tw - 20, 350 - 19, 640 - 50 - 20, 350 - 3}},
      {"speech caption", [this] { m_frame.m_speechCaptions.push_back(m_crowd.get()); },
       {300 - (tw + 40) / 2 + 20, 200 - 19, 300 - (tw + 40) / 2 + 20 + tw, 200 - 3}},
  };
  platform::Surface& target = *g_3dDevice.RenderTarget();
  for (const Case& c : cases) {
    reset();
    c.open();
    target.Fill(nullptr, 0x4208);
    ASSERT_TRUE(rc.BeginScene());
    m_frame.DrawScreenOverlay();
    m_frame.DrawDebugOverlay();
    rc.EndScene();
    int dark = 0;
    for (int y = c.text.y0 - 2; y < c.text.y1 + 2; ++y) {
      for (int x = c.text.x0 - 2; x < c.text.x1 + 2; ++x) {
        const uint16_t p = target.Row(y)[x];
        const int sum = ((p >> 11) << 3) + (((p >> 5) & 0x3F) << 2) + ((p & 0x1F) << 3);
        if (sum < 450) ++dark;
      }
    }
    EXPECT_EQ(dark, 0) << c.what;
  }
  reset();
}

// The label shows once the compass has faded in past 0.8; a selection that
// is no longer below the count labels as none.
TEST_F(HudGoldenTest, TheCompassLabelShowsAboveFadePointEight) {
  m_frame.m_transKind = 0;
  m_frame.m_mode = kModeField;
  const std::vector<uint16_t> blank = LabelArea(0.0f);
  ASSERT_FALSE(blank.empty());
  EXPECT_EQ(LabelArea(0.8f), blank);
  const std::vector<uint16_t> walking = LabelArea(0.85f);
  EXPECT_NE(walking, blank);

  m_frame.m_compassPoints[0] = CompassPoint{10, 10, "우물"};
  m_frame.m_compassCount = 1;
  m_frame.m_selectedMember = 0;
  const std::vector<uint16_t> named = LabelArea(0.85f);
  EXPECT_NE(named, walking);
  m_frame.m_compassCount = 0;  // the point went away
  EXPECT_EQ(LabelArea(0.85f), walking);
  // Off the field modes there is no label at any fade.
  m_frame.m_mode = kModeBattle;
  EXPECT_EQ(LabelArea(1.0f), blank);
}

// The game-over screen once its white has faded: the darkened still, its
// picture and the menu of three ways on; and the scenario selection, a
// screen of pictures. Both against the screen table.
TEST_F(HudGoldenTest, TheGameOverMenuAndTheScenarioScreenRead) {
  m_frame.m_transKind = 0;
  m_frame.ChangeMode(kModeGameOver);
  m_frame.m_modeTick = 240;
  EXPECT_EQ(testsupport::UnreadTexts("game_over", NextFrameTexts(5)), "");
  m_frame.ChangeMode(kModeScenario);
  EXPECT_EQ(testsupport::UnreadTexts("scenario", NextFrameTexts(1000)), "");
}

// The speaker's portrait stands on the message window's top edge above the
// first letters: a party character's under its English name, anyone else's
// under the speaker line itself; a speaker without a picture shows none.
TEST_F(HudGoldenTest, TheSpeakerPortraitStandsOnTheWindowsTopEdge) {
  PlayerData& sizz = CSession::GetInstance().players[0];
  const PlayerData saved = sizz;
  sizz.name = "시즈";
  sizz.engname = "sizz";
  m_frame.m_messageState = 5;
  m_frame.m_messageLine = 0;
  platform::Surface& target = *g_3dDevice.RenderTarget();
  const auto portraitArea = [&](const char* speaker) {
    m_frame.m_messageSpeaker = speaker;
    target.Fill(nullptr, 0x4208);
    std::vector<uint16_t> pixels;
    if (!m_frame.m_pRC->LockBackBuffer()) return pixels;
    m_frame.DrawFieldHud();
    m_frame.m_pRC->UnlockBackBuffer();
    for (int y = 480 - 128 - 48; y < 480 - 128; ++y) pixels.insert(pixels.end(), target.Row(y) + 31, target.Row(y) + 31 + 48);
    return pixels;
  };
  const std::vector<uint16_t> bare(48 * 48, 0x4208);
  const std::vector<uint16_t> byName = portraitArea("시즈");
  EXPECT_EQ(std::count(byName.begin(), byName.end(), 0x4208), 0);
  EXPECT_EQ(byName, portraitArea("sizz"));
  const std::vector<uint16_t> farmer = portraitArea("농부");
  EXPECT_NE(farmer, bare);
  EXPECT_NE(farmer, byName);
  EXPECT_EQ(portraitArea("나그네"), bare);
  EXPECT_EQ(portraitArea(""), bare);
  sizz = saved;
}

}  // namespace
