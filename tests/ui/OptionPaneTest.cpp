// The options page: the skin list from the game folder, the spins' ranges
// and wrapping, and each choice taking effect at once: the mixer line, the
// Hangul glyphs, the frame skip and the keypad.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "engine/Controller.h"
#include "engine/Mouse.h"
#include "engine/FrameClock.h"
#include "engine/Mixer.h"
#include "platform/Clock.h"
#include "platform/Keys.h"
#include "platform/MixerVolume.h"
#include "render/Font.h"
#include "session/Session.h"
#include "tests/support/GameFolder.h"
#include "ui/SkinList.h"
#include "ui/UIDesktop.h"
#include "ui/UIItemMode.h"
#include "ui/UIOptionPane.h"
#include "ui/UIRadioBtn.h"
#include "ui/UIScrollBar.h"
#include "ui/UISpin.h"

namespace {

using Strings = std::vector<std::string>;

class OptionPaneTest : public GameFolderTest {
 protected:
  OptionPaneTest() : m_clock(0, 1), m_clockGuard(&m_clock) {
    g_uiOriginX = g_uiOriginY = 0;
    m_savedPad = g_pMainKeyPad;
    g_pMainKeyPad = &m_pad;
    m_savedOptions = m_session.options;
    m_session.options = {0, 0, 1, 1, 0, 0, 0, 1};
  }
  ~OptionPaneTest() override {
    m_mouse.m_x = m_savedMouse[0];
    m_mouse.m_y = m_savedMouse[1];
    g_pMainKeyPad = m_savedPad;
    m_session.options = m_savedOptions;
    SetFrameSkip(0);
    SetLine(platform::kMixerLineCompactDisc, 1, 1);
    SetLine(platform::kMixerLineWaveOut, 1, 1);
    BuildSkinList();
  }
  static void SetLine(uint32_t line, uint32_t numerator, uint32_t denominator) {
    CMixer mixer;
    ASSERT_TRUE(mixer.Open(line));
    mixer.SetVolume(numerator, denominator);
  }
  static uint32_t LineValue(uint32_t line) {
    CMixer mixer;
    return mixer.Open(line) ? mixer.GetVolume() : 0;
  }
  // Opens a pane as the menu does.
  UIOptionPane& Open() {
    m_pane = std::make_unique<UIOptionPane>();
    m_pane->Notify(m_pane.get(), kUiOpen, 0, 0);
    return *m_pane;
  }
  // A click on one of the spin's arrows, through the pane.
  void Step(UISpin* spin, bool up) {
    m_mouse.m_x = spin->m_x + (up ? spin->m_width : 0);
    m_mouse.m_y = spin->m_y - (up ? 5 : 0);  // the up arrow takes the pixels above its point
    m_pane->OnLButtonDown();
  }
  static UIRadioBtn* FrameRateButton(UIOptionPane& pane, int k) {
    return dynamic_cast<UIRadioBtn*>(*std::next(pane.m_frameRate->m_children.begin(), k));
  }

  platform::FakeClock m_clock;
  platform::ScopedClockSource m_clockGuard;
  CMouse& m_mouse = CMouse::GetInstance();
  int32_t m_savedMouse[2] = {m_mouse.m_x, m_mouse.m_y};
  CKeyPad m_pad;
  CKeyPad* m_savedPad = nullptr;
  CSession& m_session = CSession::GetInstance();
  std::array<int32_t, 8> m_savedOptions{};
  std::unique_ptr<UIOptionPane> m_pane;
};

TEST_F(OptionPaneTest, TheSkinSpinReachesTheSkinFolderInNameOrder) {
  EXPECT_EQ(Open().m_skin->m_maximum, 23);  // no folder
  EXPECT_TRUE(SkinList().empty());

  for (const char* name : {"moss.BMP", "Amber.bmp", "dune.bmp", "notes.txt"}) Write("data/bmp/skin/" + std::string(name), "x");
  std::filesystem::create_directories(m_dir / "game/data/bmp/skin/folder.bmp");
  EXPECT_EQ(Open().m_skin->m_maximum, 26);
  EXPECT_EQ(SkinList(), (Strings{"skin\\Amber.bmp", "skin\\dune.bmp", "skin\\moss.BMP"}));

  // The field menu's desktop: skins from 24 on are the list's; one past it
  // (another machine's save) falls back to the first desktop.
  EXPECT_EQ(DesktopPictureName(25), "skin\\dune.bmp");
  for (int skin : {27, 99}) EXPECT_EQ(DesktopPictureName(skin), "UserInterface\\desktop1.bmp") << skin;
}

TEST_F(OptionPaneTest, OpeningTakesTheCurrentValues) {
  m_session.options = {0, 0, 3, 5, 0, 0, 2, 4};
  SetLine(platform::kMixerLineCompactDisc, 1, 2);
  SetLine(platform::kMixerLineWaveOut, 1, 4);
  UIOptionPane& pane = Open();
  EXPECT_EQ(pane.m_font->m_value, 3);
  EXPECT_EQ(pane.m_font->m_maximum, 33);
  EXPECT_EQ(pane.m_skin->m_value, 5);
  EXPECT_EQ(pane.m_keys->m_value, 4);
  EXPECT_EQ(pane.m_frameRate->m_chosen, 2);
  EXPECT_EQ(pane.m_musicBar->m_largest, 100);
  EXPECT_EQ(pane.m_musicBar->m_position, 50);
  EXPECT_EQ(pane.m_effectsBar->m_position, 25);
  EXPECT_EQ(pane.m_musicBar->m_length, 280);
  EXPECT_EQ(pane.m_musicBar->m_alwaysShown, 1);
}

TEST_F(OptionPaneTest, MovingABarSetsItsLineAndTheOption) {
  UIOptionPane& pane = Open();
  pane.m_effectsBar->SetPosition(100);
  pane.m_musicBar->SetPosition(30);
  const uint32_t music = LineValue(platform::kMixerLineCompactDisc);
  EXPECT_EQ(music, 65535u * 30 / 100);
  EXPECT_EQ(LineValue(platform::kMixerLineWaveOut), 65535u);
  EXPECT_EQ(m_session.options[CSession::kOptionMusicVolume], static_cast<int32_t>(music));
  EXPECT_EQ(m_session.options[CSession::kOptionEffectsVolume], 65535);
  EXPECT_EQ(VolumePosition(music, 0, 65535, 100), 30);
}

TEST_F(OptionPaneTest, TheFontSpinReloadsTheHangulGlyphs) {
  std::vector<uint8_t> saved(&HangulGlyphs[0][0], &HangulGlyphs[0][0] + kHangulFontBytes);
  Write("data/font/slvfont2.dat", std::string(kHangulFontBytes, '\x5A'));
  UIOptionPane& pane = Open();
  HangulGlyphs[0][0] = 0;
  Step(pane.m_font, true);
  EXPECT_EQ(m_session.options[CSession::kOptionFont], 2);
  EXPECT_EQ(HangulGlyphs[0][0], 0x5A);
  EXPECT_EQ(HangulGlyphs[kHangulGlyphCount - 1][kWideGlyphBytes - 1], 0x5A);

  // No file for 3: the glyphs stay, the number is kept.
  Step(pane.m_font, true);
  EXPECT_EQ(m_session.options[CSession::kOptionFont], 3);
  EXPECT_EQ(HangulGlyphs[0][0], 0x5A);
  // The spin stops at 33 and wraps to 1.
  pane.m_font->m_value = 33;
  Step(pane.m_font, true);
  EXPECT_EQ(m_session.options[CSession::kOptionFont], 1);
  std::copy(saved.begin(), saved.end(), &HangulGlyphs[0][0]);
}

TEST_F(OptionPaneTest, EachFrameRateChoiceIsTheFrameSkipLimit) {
  UIOptionPane& pane = Open();
  for (int k : {3, 1, 4, 0}) {
    FrameRateButton(pane, k)->Notify(nullptr, 14, 0, 0);
    EXPECT_EQ(g_frameClock.m_skipLimit, static_cast<uint32_t>(k));
    EXPECT_EQ(m_session.options[CSession::kOptionFrameSkip], k);
  }
}

TEST_F(OptionPaneTest, TheKeySpinWrapsAndRebindsTheKeypad) {
  m_session.options[CSession::kOptionKeyLayout] = 6;
  UIOptionPane& pane = Open();
  Step(pane.m_keys, true);
  EXPECT_EQ(m_session.options[CSession::kOptionKeyLayout], 1);
  EXPECT_EQ(m_pad.m_keys[4], platform::VK_RETURN);
  Step(pane.m_keys, true);
  EXPECT_EQ(m_pad.m_keys[4], platform::VK_SPACE);  // layout 2 jumps with the space bar
  Step(pane.m_keys, false);
  Step(pane.m_keys, false);
  EXPECT_EQ(m_session.options[CSession::kOptionKeyLayout], 6);
  EXPECT_EQ(m_pad.m_keys[6], platform::VK_INSERT);
  EXPECT_EQ(KeyName(CSession::LayoutKey(6, 7)), "PageUp");
  EXPECT_EQ(KeyName(CSession::LayoutKey(3, 6)), "F3");
  EXPECT_EQ(KeyName(CSession::LayoutKey(1, 8)), "A");
}

TEST_F(OptionPaneTest, TheKeyTableNamesEightActions) {
  using Row = std::pair<std::string, std::string>;
  const std::vector<Row> expected = {{"회  전", "F3  F4"},      {"확  대", "Home  End"},    {"행  동", "Space"},
                                     {"점  프", "Enter"},        {"게임모드", "F1"},         {"도감모드", "F2"},
                                     {"추적대상변경", "F3 F4"}, {"주변지도보기", "F5"}};
  EXPECT_EQ(KeyTable(3), expected);
}

}  // namespace
