// The 2-D drawing helpers: their layouts, and what they draw through the
// render context from the interface sprites.
#include "ui/Draw2d.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/RC.h"
#include "tests/render/TextureTestSupport.h"
#include "tools/lib/ActWriter.h"
#include "tools/lib/SprWriter.h"

namespace {

using Places = std::vector<std::tuple<int, int, int>>;  // id, x, y

Places PlacesOf(const GlyphRun& run) {
  Places out;
  for (const GlyphPlace& g : run.glyphs) out.emplace_back(g.id, g.x, g.y);
  return out;
}

TEST(Draw2dLayout, SpriteFontText) {
  struct Case {
    const char* text;
    int bank;
    Places glyphs;
    int end;
  };
  const Case cases[] = {
      // 'a' (36: 8 wide, 3 down), a space of 5, 'b' (37: 7 wide, 0 down).
      {"a b", 0, {{36, 0, -8}, {37, 13, -11}}, 20},
      {"A1", 1, {{72, 0, -11}, {63, 9, -10}}, 14},
      {"/%.()-+", 1, {{124, 0, -10}, {125, 5, -10}, {126, 14, -3}, {127, 17, -11}, {128, 22, -11}, {129, 27, -7}, {130, 32, -9}}, 37},
      {"x?y", 0, {{59, 0, -8}, {60, 8, -8}}, 16},  // '?' is no glyph
      {"", 0, {}, 0},
  };
  for (const Case& c : cases) {
    const GlyphRun run = LayOutFontText(c.text, c.bank);
    EXPECT_EQ(PlacesOf(run), c.glyphs) << c.text;
    EXPECT_EQ(run.end, c.end) << c.text;
  }
  EXPECT_EQ(FontTextWidth("a b"), 20);
  EXPECT_EQ(LayOutFontText(nullptr, 0).end, 0);
}

TEST(Draw2dLayout, GlyphMetricsOutsideTheFontAreZero) {
  for (int id : {-1, kFontGlyphCount}) {
    EXPECT_EQ(FontGlyphMetrics(id).advance, 0) << id;
    EXPECT_EQ(FontGlyphMetrics(id).offset, 0) << id;
  }
  EXPECT_EQ(FontGlyphMetrics(0).advance, 6);
  EXPECT_EQ(FontGlyphMetrics(130).offset, 2);
  EXPECT_EQ(FontGlyphMetrics(62 + 48).advance, FontGlyphMetrics(48).advance);  // the banks share widths
}

TEST(Draw2dLayout, Numbers) {
  struct Case {
    const char* what;
    GlyphRun run;
    Places glyphs;
    int end;
  };
  const Case cases[] = {
      // On the font's line: a digit's offset 1 less 11.
      {"font digits of the second bank, minus 4 lower", LayOutFontNumber(-42, 1),
       {{129, 0, -6}, {66, 6, -10}, {64, 12, -10}}, 18},
      {"font zero", LayOutFontNumber(0, 0), {{0, 0, -10}}, 6},
      // 13 - 2: the digit 1 advances 11 before the trailing spark.
      {"battle 1", LayOutBattleNumber(1, 2), {{1, 0, 0}}, 11},
      {"battle -10 styled", LayOutBattleNumber(-10, 5), {{49, 0, 0}, {1, 2, 0}, {0, 10, 0}}, 22},
      {"battle minimum", LayOutBattleNumber(-2147483647 - 1, 5), {}, 2 + 11 + 8 + 13 + 10 + 13 + 11 + 11 + 11 + 13 + 11},
      {"system", LayOutSystemNumber("12/3%.- x!", 1),
       {{11, 0, 0}, {12, 8, 0}, {57, 16, 0}, {13, 24, 0}, {54, 32, 0}, {55, 39, 0}, {56, 46, 0}, {54, 60, 0}}, 67},
  };
  for (const Case& c : cases) {
    if (!c.glyphs.empty()) {
      EXPECT_EQ(PlacesOf(c.run), c.glyphs) << c.what;
    }
    EXPECT_EQ(c.run.end, c.end) << c.what;
  }
}

TEST(Draw2dLayout, TitleGlowBrightensOverHalfASecond) {
  const std::pair<uint32_t, int> cases[] = {{0, 0}, {250, 102}, {499, 203}, {500, 204}, {60000, 204}, {0xFFFFFFFF, 204}};
  for (const auto& [elapsed, alpha] : cases) EXPECT_EQ(TitleGlowAlpha(elapsed), alpha) << elapsed;
}

TEST(Draw2dState, TheSpinningCursorTurnsTwoDegreesACallAndWraps) {
  g_draw2d.cursorAngle = 356;
  DrawSpinningCursor(nullptr, 0, 0);
  DrawSpinningCursor(nullptr, 0, 0);
  EXPECT_EQ(g_draw2d.cursorAngle, 360);
  DrawSpinningCursor(nullptr, 0, 0);
  EXPECT_EQ(g_draw2d.cursorAngle, 2);
}

constexpr uint16_t kGrey = 0x4208;  // the background

// Interface sprites of the test's own in data\sprite\system\, each piece a
// single pixel of its own colour, drawn through the game's render context.
class Draw2dDrawTest : public TextureDeviceTest {
 protected:
  Draw2dDrawTest() : m_rc(g_3dDevice.GetRC()) {
    EXPECT_NE(m_rc, nullptr);
    Background();
  }
  ~Draw2dDrawTest() override {
    if (m_inScene) m_rc->EndScene();
    CResMgr::GetInstance().UnloadResources();
    g_3dDevice.FreeRC(m_rc);
  }
  void Background() {
    if (m_inScene) m_rc->EndScene();
    g_3dDevice.RenderTarget()->Fill(nullptr, kGrey);
    m_inScene = m_rc->BeginScene();
  }
  uint16_t Pixel(int x, int y) const { return g_3dDevice.RenderTarget()->Row(y)[x]; }
  // Where the screen is no longer the background.
  std::map<std::pair<int, int>, uint16_t> Drawn() const {
    std::map<std::pair<int, int>, uint16_t> out;
    const platform::Surface& s = *g_3dDevice.RenderTarget();
    for (int y = 0; y < s.Height(); ++y) {
      for (int x = 0; x < s.Width(); ++x) {
        if (s.Row(y)[x] != kGrey) out[{x, y}] = s.Row(y)[x];
      }
    }
    return out;
  }

  // `count` one-pixel images, image i in colour i (ten colours repeat).
  static std::string Dots(int count) {
    slvtools::SprWriter spr(0x200);
    const uint8_t colors[10][3] = {{248, 0, 0},   {0, 248, 0},   {0, 0, 248}, {248, 248, 0}, {248, 0, 248},
                                   {0, 248, 248}, {128, 0, 0}, {0, 128, 0}, {0, 0, 128},   {128, 128, 0}};
    for (int i = 0; i < 10; ++i) spr.SetColor(i + 1, colors[i][0], colors[i][1], colors[i][2]);
    for (int i = 0; i < count; ++i) spr.AddImage(1, 1, {static_cast<uint8_t>(i % 10 + 1)});
    return spr.Build();
  }
  // Actions whose motion m shows image m at the action's point; the others
  // are empty.
  static std::string Actions(int actionCount, const std::vector<int>& withDots, int motions) {
    std::vector<ActAction> actions(static_cast<size_t>(actionCount));
    for (int a : withDots) {
      for (int m = 0; m < motions; ++m) {
        ActLayer layer;
        layer.sprite = m;
        layer.x = 1;  // the centre of a one-pixel image
        layer.y = 1;
        ActMotion motion;
        motion.layers.push_back(layer);
        actions[static_cast<size_t>(a)].motions.push_back(motion);
      }
    }
    return slvtools::BuildAct(0x201, actions);
  }
  void WriteSprites(const std::string& name, const std::string& spr, const std::string& act) {
    CResMgr::GetInstance().UnloadResources();
    WriteData("sprite/system/" + name + ".spr", spr);
    if (!act.empty()) WriteData("sprite/system/" + name + ".act", act);
  }
  // The colour each image of Dots() shows on the screen.
  std::vector<uint16_t> DotColors(const std::string& sprName) {
    std::vector<uint16_t> colors;
    const auto* spr = dynamic_cast<const CSprRes*>(CResMgr::GetInstance().GetRes(sprName.c_str()));
    for (int i = 0; i < 10; ++i) {
      m_rc->DrawSprite(i, 0, spr, i, 0xFFFFFFFF);
      colors.push_back(Pixel(i, 0));
    }
    Background();
    return colors;
  }

  CRC* m_rc;
  bool m_inScene = false;
};

TEST_F(Draw2dDrawTest, FontTextAndNumbersDrawTheirGlyphsWhereTheyLieOut) {
  WriteSprites("font", Dots(kFontGlyphCount), "");
  const std::vector<uint16_t> color = DotColors("system/font.spr");
  // "a b" from (10, 20): 'a' (image 36) 3 below the top line at y - 11,
  // 'b' (image 37) 13 further on.
  EXPECT_EQ(DrawFontText(m_rc, 10, 20, "a b", 0), 30);
  EXPECT_EQ(Drawn(), (std::map<std::pair<int, int>, uint16_t>{{{10, 12}, color[6]}, {{23, 9}, color[7]}}));
  Background();
  DrawFontNumberRight(m_rc, 40, 30, -7, 0);  // the digit from 34, the minus 6 before it
  EXPECT_EQ(Drawn(), (std::map<std::pair<int, int>, uint16_t>{{{28, 24}, color[9]}, {{34, 20}, color[7]}}));
}

TEST_F(Draw2dDrawTest, BattleNumberEndsWithItsSpark) {
  WriteSprites("battletext", Dots(50), Actions(13, {2, 12}, 50));
  const std::vector<uint16_t> color = DotColors("system/battletext.spr");
  DrawBattleNumber(m_rc, 100, 50, 1);
  // The digit 1 is motion 1; the spark (action 2, motion 0) follows at
  // 100 + 11 + 5.
  EXPECT_EQ(Drawn(), (std::map<std::pair<int, int>, uint16_t>{{{100, 50}, color[1]}, {{116, 50}, color[0]}}));
}

// Nine-piece frames: motion m of the frame's action where its piece lies.
TEST_F(Draw2dDrawTest, FramesPlaceTheirPieces) {
  using Grid = std::vector<std::tuple<int, int, int>>;  // x, y, motion
  struct Case {
    const char* what;
    std::vector<int> actions;  // that have pieces
    std::function<void(CRC*)> draw;
    Grid pieces;
    bool opaque = true;  // drawn in plain white: each piece shows its own colour
  };
  const auto rows = [](int x, int y, std::vector<int> ys, int step, std::vector<std::vector<int>> motions) {
    Grid grid;
    for (size_t r = 0; r < ys.size(); ++r) {
      for (size_t c = 0; c < motions[r].size(); ++c) grid.emplace_back(x + step * static_cast<int>(c), y + ys[r], motions[r][c]);
    }
    return grid;
  };
  const Case cases[] = {
      {"small, type 1", {7}, [](CRC* rc) { DrawDialogFrame(rc, 100, 100, 2, 1, 1, 0xFFFFFFFF, false); },
       rows(100, 100, {0, 20, 40}, 20, {{0, 1, 1, 2}, {3, 4, 4, 5}, {6, 7, 7, 8}})},
      {"small, type 4", {10}, [](CRC* rc) { DrawDialogFrame(rc, 100, 100, 1, 0, 4, 0xFFFFFFFF, false); },
       rows(100, 100, {0, 20}, 20, {{0, 1, 2}, {6, 7, 8}})},
      // The ornament (action 3 motion 9) lies over the top-left piece.
      {"small, type 0", {3, 7}, [](CRC* rc) { DrawDialogFrame(rc, 100, 100, 1, 0, 0, 0xFFFFFFFF, false); },
       rows(100, 100, {0, 20}, 20, {{9, 1, 2}, {6, 7, 8}})},
      {"small menu frame (the title's)", {3, 7}, [](CRC* rc) { DrawDialogFrameSmall(rc, 100, 100, 1, 0); },
       rows(100, 100, {0, 20}, 20, {{9, 1, 2}, {6, 7, 8}})},
      {"large, bottom 3 below the last row", {5}, [](CRC* rc) { DrawDialogFrameLarge(rc, 50, 60, 1, 2, 5, 0xFFFFFFFF); },
       rows(50, 60, {0, 20, 40, 43}, 40, {{0, 1, 2}, {3, 4, 5}, {3, 4, 5}, {6, 7, 8}})},
      {"strip", {1}, [](CRC* rc) { DrawDialogFrameStrip(rc, 50, 60, 2, 1, 0xFFFFFFFF); },
       rows(50, 60, {0, 16}, 40, {{0, 1, 1, 2}, {6, 7, 7, 8}})},
      {"inner", {10}, [](CRC* rc) { DrawInnerFrame(rc, 10, 10, 0, 1, 0xFFFFFFFF); },
       rows(10, 10, {0, 20, 40}, 20, {{0, 2}, {3, 5}, {6, 8}})},
      // Four pieces in all, as wide as the four tiles asked.
      {"bar", {11}, [](CRC* rc) { DrawBar(rc, 10, 10, 4); }, rows(10, 10, {0}, 20, {{0, 1, 1, 2}}), false},
      // In a given colour: opaque white shows each piece's own colour.
      {"bar in a colour", {11}, [](CRC* rc) { DrawBar(rc, 10, 10, 4, 0xFFFFFFFF); }, rows(10, 10, {0}, 20, {{0, 1, 1, 2}})},
      // Mode 1 with one bottom row: only the last of three rows has its
      // pieces; the inner frame (action 10) starts at (x + 10, y + 20).
      {"list with a separator", {7, 10}, [](CRC* rc) { DrawListFrame(rc, 100, 100, 1, 3, 1, 1, 0xFFFFFFFF); },
       [&] {
         Grid g = rows(100, 100, {0, 60, 80}, 20, {{0, 1, 2}, {3, 4, 5}, {6, 7, 8}});
         const Grid inner = rows(110, 120, {0, 20}, 20, {{0, 2}, {6, 8}});
         g.insert(g.end(), inner.begin(), inner.end());
         return g;
       }(),
       false},
      // Mode 2 (a titled panel) also draws its first row, the title's; the
      // inner frame starts a row lower, at (x + 10, y + 40).
      {"titled list", {7, 10}, [](CRC* rc) { DrawListFrame(rc, 100, 100, 1, 5, 2, 1, 0xFFFFFFFF); },
       [&] {
         Grid g = rows(100, 100, {0, 20, 100, 120}, 20, {{0, 1, 2}, {3, 4, 5}, {3, 4, 5}, {6, 7, 8}});
         const Grid inner = rows(110, 140, {0, 20, 40}, 20, {{0, 2}, {3, 5}, {6, 8}});
         g.insert(g.end(), inner.begin(), inner.end());
         return g;
       }(),
       false},
  };
  for (const Case& c : cases) {
    WriteSprites("dlgFrame", Dots(10), Actions(14, c.actions, 10));
    const std::vector<uint16_t> color = DotColors("system/dlgFrame.spr");
    c.draw(m_rc);
    std::map<std::pair<int, int>, uint16_t> expected;
    for (const auto& [x, y, motion] : c.pieces) expected[{x, y}] = color[static_cast<size_t>(motion)];
    auto drawn = Drawn();
    // Translucent pieces blend with the background: only where they lie counts.
    if (!c.opaque) {
      for (auto& [at, value] : drawn) value = expected.count(at) ? expected.at(at) : value;
    }
    EXPECT_EQ(drawn, expected) << c.what;
    Background();
  }
}

TEST_F(Draw2dDrawTest, ABitmapThatIsNoLoadedPictureIsLoggedAndNotDrawn) {
  testsupport::DebugLogCapture log;
  ASSERT_TRUE(m_rc->LockBackBuffer());
  DrawBitmap(m_rc, 0, 0, "userinterface/none.bmp", 0, 0xFFFFFF);
  m_rc->UnlockBackBuffer();
  EXPECT_TRUE(log.Contains("DrawBitmap : bitmap userinterface/none.bmp not found"));
  EXPECT_TRUE(Drawn().empty());
}

TEST_F(Draw2dDrawTest, ThePointerStepsThroughItsMotionsAndWraps) {
  WriteSprites("cursors", Dots(10), Actions(3, {2}, 3));
  const std::vector<uint16_t> color = DotColors("system/cursors.spr");
  g_draw2d.pointerMotion = 0;
  for (int motion : {0, 1, 2, 0}) {
    DrawPointerCursor(m_rc, 5, 5);
    EXPECT_EQ(Pixel(5, 5), color[static_cast<size_t>(motion)]);
  }
}

}  // namespace
