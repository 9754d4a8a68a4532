// Picture sources and the interface sprites drawn by program: what the
// builders write, what they refuse, and that the game reads it back in the
// shapes its 2-D helpers use.
#include "tools/lib/PictureSource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "tests/support/GameFolder.h"
#include "tools/lib/InterfaceSprites.h"

namespace {

using slvtools::DataFile;

uint32_t Le(const std::string& b, size_t at, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(b[at + i]);
  return v;
}

// Pixel (x, y) from the top of a 24-bit bitmap, as red, green, blue.
std::vector<int> BmpPixel(const std::string& bmp, int x, int y) {
  const uint32_t width = Le(bmp, 18, 4), height = Le(bmp, 22, 4), stride = (width * 3 + 3) & ~3u;
  const size_t at = Le(bmp, 10, 4) + (height - 1 - y) * stride + x * 3;
  return {static_cast<uint8_t>(bmp[at + 2]), static_cast<uint8_t>(bmp[at + 1]), static_cast<uint8_t>(bmp[at])};
}

std::vector<DataFile> Build(const std::string& text) {
  std::vector<DataFile> files;
  std::string error;
  EXPECT_TRUE(slvtools::BuildPictureSource(text, slvtools::SampleFontFolder(), &files, &error)) << error;
  return files;
}

TEST(PictureSource, ShapesPaintAndSave) {
  const std::vector<DataFile> files = Build(
      "canvas 8 4\n"
      "rect 0 0 8 4   # the whole picture\n"
      "paint 255 0 0 255\n"
      "rect 4 0 4 4\n"
      "gradient 0 3  0 0 248 255  0 248 0 255\n"
      "rect 0 3 1 1\n"
      "paint 255 0 255 255\n"
      "bmp bmp/sample.bmp\n"
      "tga texture/sample.tga 4 0 4 2\n"
      "canvas 8 8\n"
      "circle 2 2 2\n"
      "paint 255 255 255 128\n"
      "bmp bmp/round.bmp alpha\n");
  ASSERT_EQ(files.size(), 4u);
  EXPECT_EQ(files[0].name, "bmp/sample.bmp");
  // Five bits a channel after dithering: 255 becomes 248.
  EXPECT_EQ(BmpPixel(files[0].bytes, 0, 0), (std::vector<int>{248, 0, 0}));
  EXPECT_EQ(BmpPixel(files[0].bytes, 5, 0), (std::vector<int>{0, 0, 248}));
  EXPECT_EQ(BmpPixel(files[0].bytes, 5, 3), (std::vector<int>{0, 248, 0}));
  // The textures' transparent magenta stays exact.
  EXPECT_EQ(BmpPixel(files[0].bytes, 0, 3), (std::vector<int>{255, 0, 255}));
  EXPECT_EQ(files[1].name, "texture/sample.tga");
  EXPECT_EQ(Le(files[1].bytes, 12, 2), 4u);  // the part's width and height
  EXPECT_EQ(Le(files[1].bytes, 14, 2), 2u);
  // With alpha, the opacity goes to the companion (rows from the bottom):
  // the half-opaque paint inside the circle, nothing far from it.
  EXPECT_EQ(files[3].name, "bmp/a_round.bmp");
  const std::string& alpha = files[3].bytes;
  const uint32_t pixels = Le(alpha, 10, 4);
  EXPECT_EQ(static_cast<uint8_t>(alpha[pixels + 0]), 0);                  // (0, 7)
  EXPECT_NEAR(static_cast<uint8_t>(alpha[pixels + 5 * 8 + 2]), 128, 1);  // (2, 2)
}

TEST(PictureSource, TextInksAroundItsAnchor) {
  const std::vector<DataFile> files = Build(
      "canvas 64 32\n"
      "font NanumGothic.ttf 20\n"
      "text 32 24 center 가\n"
      "paint 255 255 255 255\n"
      "bmp bmp/text.bmp\n");
  ASSERT_EQ(files.size(), 1u);
  int left = 64, right = -1;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 64; ++x) {
      if (BmpPixel(files[0].bytes, x, y)[0] > 128) left = std::min(left, x), right = std::max(right, x);
    }
  }
  ASSERT_GE(right, left);
  EXPECT_NEAR((left + right) / 2.0, 32.0, 3.0);
  EXPECT_LT(right - left, 24);
}

TEST(PictureSource, RefusesMalformedSources) {
  const std::pair<const char*, const char*> cases[] = {
      {"wobble 1", "line 1: unknown word wobble"},
      {"canvas 0 4", "line 1: bad number 0"},
      {"paint 1 2 3 4", "line 1: no canvas yet"},
      {"canvas 4 4\n\npaint 1 2 3 4", "line 3: no shape to work on"},
      {"canvas 4 4\nrect 0 0 4", "line 2: rect needs 4 numbers"},
      {"canvas 4 4\npolygon 0 0 1 1", "line 2: polygon needs three points or more"},
      {"canvas 4 4\ntext 0 0 left x", "line 2: no font yet"},
      {"canvas 4 4\nfont Missing.ttf 12\ntext 0 9 left x", "line 3: cannot open the font"},
      {"canvas 4 4\nfont NanumGothic.ttf 12\ntext 0 9 middle x", "line 3: bad alignment middle"},
      {"canvas 4 4\ntga t.tga 2 2 4 4", "line 2: the area lies outside the canvas"},
      {"canvas 4 4\nbmp b.bmp opaque", "line 2: bmp needs a name and maybe \"alpha\""},
  };
  for (const auto& [text, message] : cases) {
    std::vector<DataFile> files;
    std::string error;
    EXPECT_FALSE(slvtools::BuildPictureSource(text, slvtools::SampleFontFolder(), &files, &error)) << text;
    EXPECT_EQ(error.rfind(message, 0), 0u) << text << " gave " << error;
  }
}

class InterfaceSpritesTest : public GameFolderTest {
 protected:
  ~InterfaceSpritesTest() override { CResMgr::GetInstance().UnloadResources(); }
  template <class T>
  const T* Get(const char* name) {
    return dynamic_cast<const T*>(CResMgr::GetInstance().GetRes(name));
  }
};

// Every action, motion and image the 2-D helpers draw is there.
TEST_F(InterfaceSpritesTest, TheGameReadsThemInTheHelpersShapes) {
  std::vector<DataFile> files;
  std::string error;
  ASSERT_TRUE(slvtools::BuildInterfaceSprites(slvtools::SampleFontFolder(), &files, &error)) << error;
  for (const DataFile& file : files) Write("data/" + file.name, file.bytes);

  const auto* frameAct = Get<CActRes>("system/dlgFrame.act");
  const auto* frameSpr = Get<CSprRes>("system/dlgFrame.spr");
  ASSERT_NE(frameAct, nullptr);
  ASSERT_NE(frameSpr, nullptr);
  ASSERT_EQ(frameAct->GetActionCount(), 14);
  for (int action = 0; action <= 10; ++action) {
    for (int motion = 0; motion < 9; ++motion) {
      const ActMotion* m = frameAct->GetMotion(action, motion);
      ASSERT_NE(m, nullptr) << action << "/" << motion;
      ASSERT_EQ(m->layers.size(), 1u);
      EXPECT_NE(frameSpr->GetImage(m->layers[0].sprite), nullptr) << action << "/" << motion;
    }
  }
  EXPECT_NE(frameAct->GetMotion(3, 9), nullptr);   // the corner ornament
  EXPECT_NE(frameAct->GetMotion(11, 2), nullptr);  // the bar's end
  const ActMotion* glow = frameAct->GetMotion(13, 0);
  ASSERT_NE(glow, nullptr);
  EXPECT_NE(glow->layers.at(0).kind, 0);  // soft edges: a true-colour image
  // The small frames' pieces lie a tile up and left of their places, so a
  // frame drawn at a menu's text origin surrounds the text.
  EXPECT_EQ(frameAct->GetMotion(7, 4)->layers[0].x, -20);
  EXPECT_EQ(frameAct->GetMotion(7, 4)->layers[0].y, -20);

  const auto* font = Get<CSprRes>("system/font.spr");
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->GetImageCount(), 131);
  EXPECT_EQ(font->GetImage(36)->height, 13);  // 'a': from 3 below the cap line to 4 below the baseline

  const auto* system = Get<CSprRes>("system/system.spr");
  ASSERT_NE(system, nullptr);
  EXPECT_EQ(system->GetImageCount(), 61);  // the digits and signs, the money mark, the shop's two marks
  EXPECT_EQ(system->GetImage(58)->width, 16);
  EXPECT_EQ(system->GetImage(60)->width, 16);

  const auto* digits = Get<CActRes>("system/battletext.act");
  ASSERT_NE(digits, nullptr);
  ASSERT_NE(Get<CSprRes>("system/battletext.spr"), nullptr);
  for (int action : {9, 10, 11, 12}) {
    for (int motion : {0, 9, 49}) {
      const ActMotion* m = digits->GetMotion(action, motion);
      ASSERT_NE(m, nullptr) << action << "/" << motion;
      EXPECT_EQ(m->layers.size(), 1u) << action << "/" << motion;
    }
  }
  ASSERT_NE(digits->GetMotion(2, 0), nullptr);  // the spark after a number
  EXPECT_EQ(digits->GetMotion(2, 0)->layers.size(), 1u);
  // The digits and texts that float over the participants.
  for (int action : {0, 1}) EXPECT_EQ(MotionCount(digits, action), 10) << action;
  for (int action = 3; action <= 8; ++action) {
    const ActMotion* m = digits->GetMotion(action, 0);
    ASSERT_NE(m, nullptr) << action;
    EXPECT_EQ(m->layers.size(), 1u) << action;
  }
}

}  // namespace
