#include "engine/SprRes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "engine/FileStream.h"
#include "tests/support/GameFolder.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/SprWriter.h"

namespace {

using slvtools::SprWriter;

// Sprites in data\sprite\, loaded as the resource manager would.
class SprResTest : public GameFolderTest {
 protected:
  SprResTest() { SetResDirectory("\\sprite\\"); }

  bool Load(CSprRes& spr, const std::string& name, const std::string& bytes) {
    Write("data/sprite/" + name, bytes);
    return spr.Load(name);
  }
};

// Index 0 transparent, 1 white, 2 black, 3 a colour whose low bits drop, 4
// a near-black that drops to black.
SprWriter PaletteWriter(uint16_t version) {
  SprWriter w(version);
  w.SetColor(0, 255, 0, 0);
  w.SetColor(1, 255, 255, 255);
  w.SetColor(2, 0, 0, 0);
  w.SetColor(3, 15, 23, 255);
  w.SetColor(4, 7, 7, 7);
  return w;
}

TEST_F(SprResTest, ConvertsIndexesToOpaque1555AndKeepsTrueColour) {
  SprWriter w = PaletteWriter(0x200);
  w.AddImage(3, 2, {0, 1, 2, 3, 4, 1});
  w.AddImage(1, 1, {3});
  w.AddArgbImage(2, 1, {0x11223344, 0xFF0000FF});
  CSprRes spr;
  ASSERT_TRUE(Load(spr, "hero.spr", w.Build()));
  ASSERT_EQ(spr.GetImageCount(), 2);
  const SprImage* image = spr.GetImage(0);
  EXPECT_EQ(image->width, 3);
  EXPECT_EQ(image->height, 2);
  EXPECT_FALSE(image->fullSize);
  const uint16_t color3 = 0x8000 | 1 << 10 | 2 << 5 | 31;
  EXPECT_EQ(image->pixels, (std::vector<uint16_t>{0, 0xFFFF, 0x8001, color3, 0x8001, 0xFFFF}));
  EXPECT_EQ(spr.GetImage(1)->pixels, std::vector<uint16_t>{color3});
  ASSERT_EQ(spr.GetArgbImageCount(), 1);
  EXPECT_EQ(spr.GetArgbImage(0)->pixels, (std::vector<uint32_t>{0x11223344, 0xFF0000FF}));
  int32_t width = 0, height = 0;
  EXPECT_TRUE(spr.GetImageSize(1, 0, &width, &height));
  EXPECT_EQ(width, 2);
  EXPECT_EQ(height, 1);
  for (int bad : {-1, 2}) {
    EXPECT_EQ(spr.GetImage(bad), nullptr) << bad;
    EXPECT_FALSE(spr.GetImageSize(0, bad, &width, &height)) << bad;
  }
  EXPECT_FALSE(spr.GetImageSize(5, 1, &width, &height));
}

TEST_F(SprResTest, OldFilesUseTheSharedPalette) {
  SprWriter old(0x100);
  old.AddImage(2, 1, {0, 1});
  const std::string oldFile = old.Build();

  // First in the run: the table is still all zeros, so 1 is opaque black.
  std::memset(CSprRes::s_palette, 0, sizeof CSprRes::s_palette);
  CSprRes first;
  ASSERT_TRUE(Load(first, "old.spr", oldFile));
  EXPECT_EQ(first.GetImage(0)->pixels, (std::vector<uint16_t>{0, 0x8001}));

  // After a sprite with a palette: that palette.
  SprWriter withPalette = PaletteWriter(0x101);
  withPalette.AddImage(1, 1, {2});
  CSprRes other, second;
  ASSERT_TRUE(Load(other, "other.spr", withPalette.Build()));
  ASSERT_TRUE(Load(second, "old.spr", oldFile));
  EXPECT_EQ(second.GetImage(0)->pixels, (std::vector<uint16_t>{0, 0xFFFF}));
}

TEST_F(SprResTest, Version101HasAPaletteButNoTrueColourCount) {
  SprWriter w = PaletteWriter(0x101);
  w.AddImage(1, 2, {1, 2});
  w.AddArgbImage(1, 1, {0xFFFFFFFF});  // not written
  const std::string file = w.Build();
  EXPECT_EQ(file.size(), 6u + 4 + 2 + 1024);
  CSprRes spr;
  ASSERT_TRUE(Load(spr, "v101.spr", file));
  EXPECT_EQ(spr.GetImage(0)->pixels, (std::vector<uint16_t>{0xFFFF, 0x8001}));
  EXPECT_EQ(spr.GetArgbImageCount(), 0);
}

TEST_F(SprResTest, SystemSpritesAreFullSize) {
  SprWriter w = PaletteWriter(0x200);
  w.AddImage(1, 1, {1});
  for (const char* name : {"system.spr", "mysystemx.spr", "sys.spr"}) {
    CSprRes spr;
    ASSERT_TRUE(Load(spr, name, w.Build()));
    EXPECT_EQ(spr.GetImage(0)->fullSize, std::string(name) != "sys.spr") << name;
  }
}

TEST_F(SprResTest, BadFilesFailEmpty) {
  SprWriter good = PaletteWriter(0x200);
  good.AddImage(2, 2, {1, 1, 1, 1});
  good.AddArgbImage(1, 1, {0xFFFFFFFF});
  const std::string goodFile = good.Build();
  SprWriter huge(0x100);
  huge.AddImage(257, 256, std::vector<uint8_t>(257 * 256, 1));
  struct Case {
    const char* what;
    std::string file;
    const char* log;
  };
  const Case cases[] = {
      {"wrong magic", "PS" + goodFile.substr(2), "Not a sprite file"},
      {"header cut", goodFile.substr(0, 5), "Cannot load File : bad.spr"},
      {"shorter than its palette", goodFile.substr(0, 1000), "Cannot load File"},
      {"over 65536 pixels", huge.Build(), "too large"},
  };
  for (const Case& c : cases) {
    testsupport::DebugLogCapture log;
    CSprRes spr;
    EXPECT_FALSE(Load(spr, "bad.spr", c.file)) << c.what;
    EXPECT_TRUE(log.Contains(c.log)) << c.what;
    EXPECT_EQ(spr.GetImageCount(), 0) << c.what;
    EXPECT_EQ(spr.GetArgbImageCount(), 0) << c.what;
  }
  // A cut shorter than the palette fails; a longer one loads what it holds.
  for (size_t size = 0; size < goodFile.size(); size += 7) {
    CSprRes spr;
    EXPECT_EQ(Load(spr, "cut.spr", goodFile.substr(0, size)), size >= 1024) << size;
  }
  testsupport::DebugLogCapture log;
  CSprRes spr;
  EXPECT_FALSE(spr.Load("missing.spr"));
  EXPECT_TRUE(log.Contains("Spr :: Cannot find File : missing.spr"));
}

// Pixels the data does not hold read as 0; the sprite loads with every
// image, those after the end empty.
TEST_F(SprResTest, AnImagePastTheEndLoadsWithItsUnreadPixelsZero) {
  SprWriter w = PaletteWriter(0x200);
  w.AddImage(1, 1, {1});
  w.AddImage(2, 2, {1, 1});  // two of its four pixels
  std::string file = w.Build();
  file[4] = 3;  // and a third image that is not there
  CSprRes spr;
  testsupport::DebugLogCapture log;
  ASSERT_TRUE(Load(spr, "short.spr", file));
  EXPECT_TRUE(log.Contains("runs past the end"));
  ASSERT_EQ(spr.GetImageCount(), 3);
  EXPECT_EQ(spr.GetImage(0)->pixels, std::vector<uint16_t>{0xFFFF});
  EXPECT_EQ(spr.GetImage(1)->pixels, (std::vector<uint16_t>{0xFFFF, 0xFFFF, 0, 0}));
  EXPECT_EQ(spr.GetImage(2)->width, 0);
  EXPECT_TRUE(spr.GetImage(2)->pixels.empty());

  SprWriter argb(0x200);
  argb.AddArgbImage(255, 255, {0xFF102030});
  ASSERT_TRUE(Load(spr, "shortargb.spr", argb.Build()));
  ASSERT_EQ(spr.GetArgbImageCount(), 1);
  const std::vector<uint32_t>& pixels = spr.GetArgbImage(0)->pixels;
  ASSERT_EQ(pixels.size(), 255u * 255u);
  EXPECT_EQ(pixels[0], 0xFF102030u);
  EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0u), 255 * 255 - 1);
}

TEST_F(SprResTest, NewerVersionIsReportedAndRead) {
  SprWriter w = PaletteWriter(0x2001);
  w.AddImage(1, 1, {1});
  testsupport::DebugLogCapture log;
  CSprRes spr;
  ASSERT_TRUE(Load(spr, "new.spr", w.Build()));
  EXPECT_TRUE(log.Contains("Unsupported Version"));
  EXPECT_EQ(spr.GetImage(0)->pixels, std::vector<uint16_t>{0xFFFF});
}

// Records what the display side was asked to make and what it still holds.
struct FakeMaker : CSprImageMaker {
  struct Image : CSprDeviceImage {
    explicit Image(int* live) : live(live) { ++*live; }
    ~Image() override { --*live; }
    int* live;
  };
  std::unique_ptr<CSprDeviceImage> MakeDecal(const SprImage& image) override {
    decals.push_back(image.pixels);
    fullSize.push_back(image.fullSize);
    return std::make_unique<Image>(&live);
  }
  std::unique_ptr<CSprDeviceImage> MakeTexture(const SprArgbImage& image) override {
    textures.push_back(image.pixels);
    return std::make_unique<Image>(&live);
  }
  std::vector<std::vector<uint16_t>> decals;
  std::vector<bool> fullSize;
  std::vector<std::vector<uint32_t>> textures;
  int live = 0;
};

TEST_F(SprResTest, TheRegisteredMakerGetsEveryImageAndResetReleasesThem) {
  FakeMaker maker;
  SetSprImageMaker(&maker);
  SprWriter w = PaletteWriter(0x200);
  w.AddImage(1, 1, {2});
  w.AddImage(1, 1, {1});
  w.AddArgbImage(1, 1, {0x80FFFFFF});
  CSprRes spr;
  const bool loaded = Load(spr, "system/arrow.spr", w.Build());
  SetSprImageMaker(nullptr);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(maker.decals, (std::vector<std::vector<uint16_t>>{{0x8001}, {0xFFFF}}));
  EXPECT_EQ(maker.fullSize, (std::vector<bool>{true, true}));
  EXPECT_EQ(maker.textures, std::vector<std::vector<uint32_t>>{{0x80FFFFFF}});
  EXPECT_EQ(maker.live, 3);
  EXPECT_NE(spr.GetImage(1)->device, nullptr);
  spr.Reset();
  EXPECT_EQ(maker.live, 0);
  EXPECT_EQ(spr.GetImageCount(), 0);
}

}  // namespace
