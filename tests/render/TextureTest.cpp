#include "render/Texture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Clock.h"
#include "tests/render/TextureTestSupport.h"
#include "tools/lib/TextureImages.h"

namespace {

using namespace platform;
using slvtools::Rgba;
using slvtools::RgbaImage;

uint16_t Texel(const CTexture& t, int x, int y) { return t.m_surface->Row(y)[x]; }

void PutU32(std::string& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(v >> (8 * i));
}

TEST(TextureGammaTest, MapsChannelsUpward) {
  const std::pair<int, int> cases[] = {{0, 0}, {1, 3}, {16, 30}, {128, 150}, {255, 255}};
  for (const auto& [in, out] : cases) EXPECT_EQ(g_textureGamma[in], out) << in;
}

using TextureTest = TextureDeviceTest;

TEST_F(TextureTest, FormatsAreColourKeyAndAlphaPairsWithoutCompression) {
  g_useCompressedTexture = 1;  // no compressed format is offered: the plain ones serve
  CTexture keyed, alpha;
  keyed.m_width = keyed.m_height = alpha.m_width = alpha.m_height = 16;
  ASSERT_EQ(keyed.CreateTexture(), S_OK);
  ASSERT_EQ(alpha.CreateTextureWithAlpha(), S_OK);
  EXPECT_EQ(g_colorKeyFormat, DescOf(PixelFormat::ARGB1555));
  EXPECT_EQ(g_compressedColorKeyFormat, g_colorKeyFormat);
  EXPECT_EQ(g_alphaFormat, DescOf(PixelFormat::ARGB4444));
  EXPECT_EQ(g_compressedAlphaFormat, g_alphaFormat);
  EXPECT_EQ(keyed.m_surface->Format(), PixelFormat::ARGB1555);
  EXPECT_EQ(alpha.m_surface->Format(), PixelFormat::ARGB4444);
  EXPECT_EQ(keyed.m_texture, keyed.m_surface.get());
}

TEST_F(TextureTest, Bmp24AppliesColourKeyAndGammaBottomUp) {
  FakeClock clock(5000);
  ScopedClockSource source(&clock);
  // Top row: the colour-key table; the rest opaque grey.
  const Rgba top[] = {{255, 3, 254}, {254, 0, 255}, {255, 4, 255}, {253, 0, 255},
                      {255, 255, 255}, {0, 0, 0}, {128, 16, 1}, {255, 0, 253}};
  const uint16_t want[] = {0, 0, 0xFC3F, 0xFC1F, 0xFFFF, 0x8000, 0xC860, 0xFC1F};
  RgbaImage image(8, 8, Rgba{128, 128, 128});
  for (int x = 0; x < 8; ++x) image.At(x, 0) = top[x];
  WriteData("wall.bmp", slvtools::WriteBmp24(image));

  CTexture t;
  ASSERT_EQ(t.LoadTextureImage("wall.bmp"), S_OK);
  EXPECT_EQ(t.m_name, "wall.bmp");
  EXPECT_EQ(t.m_width, 8u);
  EXPECT_EQ(t.m_height, 8u);
  EXPECT_EQ(t.m_bitsPerPixel, 32u);
  EXPECT_EQ(t.m_hasTransparency, 1);
  EXPECT_EQ(t.m_alphaFormat, 0);
  EXPECT_EQ(t.m_lastUse, 5000u);
  EXPECT_EQ(t.m_staging, nullptr);
  ASSERT_NE(t.m_texture, nullptr);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(Texel(t, x, 0), want[x]) << x;
  EXPECT_EQ(Texel(t, 3, 7), 0xCA52);

  image.At(0, 0) = image.At(1, 0) = Rgba{1, 2, 3};
  WriteData("plain.bmp", slvtools::WriteBmp24(image));
  ASSERT_EQ(t.LoadTextureImage("plain.bmp"), S_OK);
  EXPECT_EQ(t.m_hasTransparency, 0);
}

// 12 wide: rows padded to 12 bytes, and the size is warned about but loaded.
TEST_F(TextureTest, Bmp8ReadsItsPaletteAndPaddedRows) {
  const std::vector<Rgba> palette = {{0, 0, 0}, {255, 255, 255}, {255, 0, 255}};
  std::vector<uint8_t> indices(12 * 8, 0);
  indices[0] = 1;           // top-left
  indices[11] = 2;          // top-right, colour key
  indices[7 * 12 + 5] = 1;  // bottom row
  WriteData("pal.bmp", slvtools::WriteBmp8(12, 8, indices, palette));
  testsupport::DebugLogCapture log;
  CTexture t;
  ASSERT_EQ(t.LoadTextureImage("pal.bmp"), S_OK);
  EXPECT_TRUE(log.Contains("텍스쳐 가로크기가 부적절합니다.(적절한크기(256,128,64,32,16,8)"));
  EXPECT_FALSE(log.Contains("텍스쳐 세로 크기가"));
  EXPECT_EQ(t.m_width, 12u);
  EXPECT_EQ(Texel(t, 0, 0), 0xFFFF);
  EXPECT_EQ(Texel(t, 11, 0), 0);
  EXPECT_EQ(Texel(t, 1, 0), 0x8000);
  EXPECT_EQ(Texel(t, 5, 7), 0xFFFF);
  EXPECT_EQ(t.m_hasTransparency, 1);
}

TEST_F(TextureTest, LowResolutionHalvesFromTheTopLeft) {
  g_isLowResTexture = 1;
  RgbaImage image(16, 8, Rgba{0, 0, 0});
  image.At(2, 0) = Rgba{255, 255, 255};  // kept: (1, 0)
  image.At(3, 0) = Rgba{255, 0, 0};      // skipped
  image.At(4, 6) = Rgba{255, 255, 255};  // kept: (2, 3)
  image.At(4, 7) = Rgba{255, 0, 0};      // skipped
  WriteData("half.bmp", slvtools::WriteBmp24(image));
  CTexture t;
  ASSERT_EQ(t.LoadTextureImage("half.bmp"), S_OK);
  EXPECT_EQ(t.m_width, 8u);
  EXPECT_EQ(t.m_height, 4u);
  EXPECT_EQ(t.m_surface->Width(), 8);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool white = (x == 1 && y == 0) || (x == 2 && y == 3);
      EXPECT_EQ(Texel(t, x, y), white ? 0xFFFF : 0x8000) << x << "," << y;
    }
  }
}

// Every bad file fails with a log and leaves no surface; nothing is read or
// written out of bounds.
TEST_F(TextureTest, BadBmpFilesFail) {
  const std::string good = slvtools::WriteBmp24(RgbaImage(8, 8));
  const std::string good8 = slvtools::WriteBmp8(8, 8, std::vector<uint8_t>(64, 0), {{1, 2, 3}});
  auto with = [](std::string bytes, size_t at, uint32_t v) {
    PutU32(bytes, at, v);
    return bytes;
  };
  struct Case {
    const char* what;
    std::string bytes;
    const char* log;
  };
  const Case cases[] = {
      {"header cut short", good.substr(0, 30), "BMP header cut short"},
      {"pixel data cut short", good.substr(0, good.size() - 1), "BMP pixel data past the end"},
      {"pixel offset past the end", with(good, 10, 0x7FFFFFF0), "BMP pixel data past the end"},
      {"huge palette count", with(good8, 46, 100000), "Bad BMP palette"},
      {"palette past the end", with(good8, 46, 256), "Bad BMP palette"},
      {"zero width", with(good, 18, 0), "Bad BMP size"},
      {"negative height", with(good, 22, static_cast<uint32_t>(-8)), "Bad BMP size"},
      {"huge width", with(good, 18, 1u << 20), "Bad BMP size"},
  };
  for (const Case& c : cases) {
    WriteData("bad.bmp", c.bytes);
    testsupport::DebugLogCapture log;
    CTexture t;
    EXPECT_EQ(t.LoadTextureImage("bad.bmp"), E_FAIL) << c.what;
    EXPECT_TRUE(log.Contains(c.log)) << c.what;
    EXPECT_EQ(t.m_surface, nullptr) << c.what;
  }
  testsupport::DebugLogCapture log;
  CTexture t;
  EXPECT_EQ(t.LoadTextureImage("missing.bmp"), E_FAIL);
  EXPECT_TRUE(log.Contains("File Open Error In HRESULT\tCTexture :: LoadTextureImage(const char *fName)"));
}

TEST_F(TextureTest, SurfaceFailureIsLogged) {
  WriteData("ok.bmp", slvtools::WriteBmp24(RgbaImage(8, 8)));
  WriteData("ok.tga", slvtools::WriteTga(RgbaImage(8, 8), 32, false));
  InjectDisplayFault(DisplayStep::TextureSurface, DDERR_OUTOFVIDEOMEMORY);
  testsupport::DebugLogCapture log;
  CTexture bmp, tga, argb;
  const uint32_t pixels[4] = {};
  EXPECT_EQ(bmp.LoadTextureImage("ok.bmp"), E_FAIL);
  EXPECT_EQ(tga.LoadTgaTextureImage("ok.tga"), E_FAIL);
  EXPECT_EQ(argb.CreateFromArgb(pixels, 2, 2), E_FAIL);
  const std::vector<std::string> want = {
      "Create tmp Surface Fail",
      "error Create texture surface",
      "Error Create Tmp Surface in CTexture :: CreateTextureWithAlpha()",
      "Error Create alpha texture surface in CTexture :: LoadTgaTextureImage(const char *strPathname)",
      "Error Create Tmp Surface in CTexture :: CreateTextureWithAlpha()",
      "error Create alpha texture surface",
  };
  EXPECT_EQ(log.Lines(), want);
}

TEST_F(TextureTest, TgaKeepsAlphaAt32BitsAndIsOpaqueAt24) {
  FakeClock clock(77);
  ScopedClockSource source(&clock);
  RgbaImage image(4, 2, Rgba{0x12, 0x34, 0x56, 0x78});
  image.At(0, 0) = Rgba{0xFF, 0, 0, 0x00};
  image.At(3, 1) = Rgba{0, 0, 0xFF, 0xFF};
  for (bool runLength : {false, true}) {
    for (int bits : {32, 24}) {
      const std::string name = "fx" + std::to_string(bits) + (runLength ? "r.tga" : ".tga");
      WriteData(name, slvtools::WriteTga(image, bits, runLength));
      CTexture t;
      ASSERT_EQ(t.LoadTgaTextureImage(name.c_str()), S_OK) << name;
      EXPECT_EQ(t.m_name, name);
      EXPECT_EQ(t.m_bitsPerPixel, static_cast<uint32_t>(bits));
      EXPECT_EQ(t.m_hasTransparency, 1);
      EXPECT_EQ(t.m_alphaFormat, 1);
      EXPECT_EQ(t.m_lastUse, 77u);
      EXPECT_EQ(t.m_surface->Format(), PixelFormat::ARGB4444);
      EXPECT_EQ(Texel(t, 0, 0), bits == 32 ? 0x0F00 : 0xFF00) << name;
      EXPECT_EQ(Texel(t, 1, 0), bits == 32 ? 0x7135 : 0xF135) << name;
      EXPECT_EQ(Texel(t, 3, 1), 0xF00F) << name;
    }
  }
}

// The image id is skipped; the first stored row is the top row whatever the
// descriptor says.
TEST_F(TextureTest, TgaSkipsTheIdAndIgnoresTheDescriptor) {
  RgbaImage image(2, 2, Rgba{0, 0, 0, 255});
  image.At(0, 0) = Rgba{255, 255, 255, 255};
  std::string bytes = slvtools::WriteTga(image, 32, false);
  bytes[0] = 3;
  bytes[17] = 0;  // bottom-left origin
  bytes.insert(18, "abc");
  WriteData("id.tga", bytes);
  CTexture t;
  ASSERT_EQ(t.LoadTgaTextureImage("id.tga"), S_OK);
  EXPECT_EQ(Texel(t, 0, 0), 0xFFFF);
  EXPECT_EQ(Texel(t, 0, 1), 0xF000);
}

TEST_F(TextureTest, TgaOfOtherKindsFailsWithoutChangingTheTexture) {
  WriteData("ok.tga", slvtools::WriteTga(RgbaImage(8, 4), 32, false));
  const std::string small = slvtools::WriteTga(RgbaImage(2, 2), 32, false);
  auto with = [&](size_t at, char v) {
    std::string b = small;
    b[at] = v;
    return b;
  };
  const std::pair<const char*, std::string> cases[] = {
      {"colour-mapped", with(2, 1)},
      {"grey", with(2, 3)},
      {"colour map present", with(1, 1)},
      {"header cut short", small.substr(0, 17)},
      {"pixels cut short", small.substr(0, small.size() - 1)},
  };
  for (const auto& [what, bytes] : cases) {
    WriteData("bad.tga", bytes);
    CTexture t;
    ASSERT_EQ(t.LoadTgaTextureImage("ok.tga"), S_OK);
    EXPECT_EQ(t.LoadTgaTextureImage("bad.tga"), E_FAIL) << what;
    if (std::string(what) != "pixels cut short") {
      EXPECT_EQ(t.m_width, 8u) << what;
      EXPECT_EQ(t.m_height, 4u) << what;
      EXPECT_NE(t.m_surface, nullptr) << what;
    }
  }
  CTexture t;
  EXPECT_EQ(t.LoadTgaTextureImage("missing.tga"), E_FAIL);
}

// A packet running past the row's end is cut there; the next row starts with
// the next packet, and nothing lands outside the surface (the last row's run
// of 128 would reach far past it).
TEST_F(TextureTest, TgaPacketsAreCutAtTheRowEnd) {
  std::string bytes = slvtools::WriteTga(RgbaImage(3, 3), 24, true);
  bytes.resize(18);
  const auto pixel = [](uint8_t v) { return std::string(3, static_cast<char>(v)); };
  bytes += static_cast<char>(0x80 | 4) + pixel(0xFF);  // run of 5 into a row of 3
  bytes += static_cast<char>(3) + pixel(0x00) + pixel(0x11) + pixel(0x22) + pixel(0x33);  // raw 4
  bytes += static_cast<char>(0x80 | 127) + pixel(0x44);  // run of 128
  bytes += static_cast<char>(0x80 | 127) + pixel(0x55);  // past the image: never read
  WriteData("cut.tga", bytes);
  CTexture t;
  ASSERT_EQ(t.LoadTgaTextureImage("cut.tga"), S_OK);
  const uint16_t want[3][3] = {
      {0xFFFF, 0xFFFF, 0xFFFF}, {0xF000, 0xF111, 0xF222}, {0xF444, 0xF444, 0xF444}};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(Texel(t, x, y), want[y][x]) << x << "," << y;
  }
}

TEST_F(TextureTest, ArgbArraysPackWithoutGammaAndHalveToOddPixels) {
  // alpha in bits 0-7, blue 8-15, green 16-23, red 24-31
  const uint32_t pixels[4 * 2] = {0x12345678, 0xFF000080, 0, 0x00FF00FF,
                                  0, 0x0000FF10, 0, 0xABCDEF01};
  CTexture t;
  ASSERT_EQ(t.CreateFromArgb(pixels, 4, 2), S_OK);
  EXPECT_EQ(t.m_width, 4u);
  EXPECT_EQ(t.m_bitsPerPixel, 32u);
  EXPECT_EQ(t.m_hasTransparency, 1);
  EXPECT_EQ(t.m_alphaFormat, 1);
  EXPECT_EQ(t.m_staging, nullptr);
  EXPECT_EQ(Texel(t, 0, 0), 0x7135);
  EXPECT_EQ(Texel(t, 1, 0), 0x8F00);
  EXPECT_EQ(Texel(t, 3, 0), 0xF0F0);
  EXPECT_EQ(Texel(t, 1, 1), 0x100F);

  g_isLowResSprite = 1;
  ASSERT_EQ(t.CreateFromArgb(pixels, 4, 2), S_OK);
  EXPECT_EQ(t.m_width, 2u);
  EXPECT_EQ(t.m_height, 1u);
  EXPECT_EQ(Texel(t, 0, 0), 0x100F);  // source (1, 1)
  EXPECT_EQ(Texel(t, 1, 0), 0x0ACE);  // source (3, 1)

  EXPECT_EQ(t.CreateFromArgb(nullptr, 4, 2), E_FAIL);
  EXPECT_EQ(t.m_surface, nullptr);
}

TEST(TextureNoDeviceTest, NothingIsMadeWithoutTheDisplayDevice) {
  testsupport::DebugLogCapture log;
  CTexture t;
  t.m_width = t.m_height = 8;
  EXPECT_EQ(t.CreateTexture(), E_FAIL);
  EXPECT_EQ(t.m_texture, nullptr);
  EXPECT_TRUE(log.Contains("Create tmp Surface Fail"));
}

}  // namespace
