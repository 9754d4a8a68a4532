#include "engine/BitmapRes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ResMgr.h"
#include "tests/support/GameFolder.h"
#include "tools/lib/TextureImages.h"

namespace {

using slvtools::Rgba;
using slvtools::RgbaImage;
using Bytes = std::vector<uint8_t>;

constexpr Rgba kMagenta{255, 0, 255};
constexpr Rgba kRed{255, 0, 0};
constexpr Rgba kWhite{255, 255, 255};

// A picture folder "data\bmp\" as the resource directory, the display in
// 5-6-5 unless a test says otherwise.
class BitmapResTest : public GameFolderTest {
 protected:
  BitmapResTest() {
    SetResDirectory("\\bmp\\");
    CBitmapRes::SetDisplayGreenMask(kGreenMask565);
  }
  ~BitmapResTest() override { CBitmapRes::SetDisplayGreenMask(m_savedMask); }

  void Put(const std::string& name, const std::string& bytes) { Write("data/bmp/" + name, bytes); }
  bool Load(const std::string& name) { return m_res.Load(name); }
  Bytes Row(int i) const { return m_res.GetRows().at(static_cast<size_t>(i)); }

  uint32_t m_savedMask = CBitmapRes::GetDisplayGreenMask();
  CBitmapRes m_res;
};

RgbaImage Strip(std::vector<Rgba> pixels) {
  RgbaImage image(static_cast<int>(pixels.size()), 1);
  image.pixels = std::move(pixels);
  return image;
}

std::string Gray8(int width, int height, const std::vector<uint8_t>& indices) {
  return slvtools::WriteBmp8(width, height, indices, std::vector<Rgba>(256));
}

TEST_F(BitmapResTest, MagentaKeyedRowCodesSkipCopySkip) {
  struct Case {
    uint32_t mask;
    uint16_t red, white;
  };
  // 5-6-5 keeps the lowest green bit clear: white is 0xFFDF there.
  for (const Case c : {Case{kGreenMask565, 0xF800, 0xFFDF}, Case{kGreenMask555, 0x7C00, 0x7FFF}}) {
    CBitmapRes::SetDisplayGreenMask(c.mask);
    Put("row.bmp", slvtools::WriteBmp24(Strip({kMagenta, kMagenta, kRed, kWhite, kMagenta, kMagenta, kMagenta,
                                               kMagenta})));
    ASSERT_TRUE(Load("row.bmp"));
    EXPECT_EQ(m_res.GetWidth(), 8);
    EXPECT_EQ(m_res.GetHeight(), 1);
    const Bytes want{kRleSkip,
                     2,
                     0,
                     kRleCopy,
                     2,
                     0,
                     static_cast<uint8_t>(c.red),
                     static_cast<uint8_t>(c.red >> 8),
                     static_cast<uint8_t>(c.white),
                     static_cast<uint8_t>(c.white >> 8),
                     kRleSkip,
                     4,
                     0};
    EXPECT_EQ(Row(0), want) << std::hex << c.mask;
  }
}

TEST_F(BitmapResTest, RowsAreHeldTopRowFirst) {
  RgbaImage image(4, 2, kMagenta);
  image.At(0, 0) = kRed;  // top row
  Put("two.bmp", slvtools::WriteBmp24(image));
  ASSERT_TRUE(Load("two.bmp"));
  EXPECT_EQ(Row(0), (Bytes{kRleCopy, 1, 0, 0x00, 0xF8, kRleSkip, 3, 0}));
  EXPECT_EQ(Row(1), (Bytes{kRleSkip, 4, 0}));
}

TEST_F(BitmapResTest, EightBitRowsCodeIndexesAndTakeThePaddingAsPixels) {
  // 5 wide is held 8 wide; the file's row padding (zeros) becomes a skip.
  Put("pal.bmp", Gray8(5, 1, {0, 7, 9, 0, 4}));
  ASSERT_TRUE(Load("pal.bmp"));
  EXPECT_EQ(m_res.GetWidth(), 8);
  EXPECT_EQ(Row(0), (Bytes{kRleSkip, 1, 0, kRleShade, 2, 0, 7, 9, kRleSkip, 1, 0, kRleShade, 1, 0, 4, kRleSkip, 3, 0}));
}

TEST_F(BitmapResTest, TrueColourWidthOffTheGridKeepsItsPixelsAndPadsTransparent) {
  RgbaImage image(5, 2, kWhite);
  image.At(4, 0) = kRed;
  Put("five.bmp", slvtools::WriteBmp24(image));
  ASSERT_TRUE(Load("five.bmp"));
  EXPECT_EQ(m_res.GetWidth(), 8);
  EXPECT_EQ(Row(0), (Bytes{kRleCopy, 5, 0, 0xDF, 0xFF, 0xDF, 0xFF, 0xDF, 0xFF, 0xDF, 0xFF, 0x00, 0xF8, kRleSkip, 3, 0}));
  EXPECT_EQ(Row(1).size(), 3u + 10u + 3u);
}

TEST_F(BitmapResTest, AlphaCompanionMakesSkipCopyAndBlendRuns) {
  RgbaImage image(4, 1);
  image.pixels = {kMagenta, Rgba{8, 16, 24}, Rgba{1, 2, 3}, Rgba{1, 2, 3}};
  Put("glow.bmp", slvtools::WriteBmp24(image));
  Put("a_glow.bmp", Gray8(4, 1, {0, 255, 128, 128}));
  ASSERT_TRUE(Load("glow.bmp"));
  // Magenta under alpha 0 skips by its alpha, not by its colour.
  const uint16_t copy = PackBitmapColor(8, 16, 24, kGreenMask565);
  EXPECT_EQ(Row(0), (Bytes{kRleSkip, 1, 0, kRleCopy, 1, 0, static_cast<uint8_t>(copy), static_cast<uint8_t>(copy >> 8),
                           kRleBlend, 2, 0, 128, 3, 2, 1, 128, 3, 2, 1}));
}

TEST_F(BitmapResTest, UnfitAlphaCompanionFallsBackToTheMagentaKey) {
  const std::string picture = slvtools::WriteBmp24(Strip({kMagenta, kRed, kRed, kMagenta}));
  const Bytes keyed{kRleSkip, 1, 0, kRleCopy, 2, 0, 0x00, 0xF8, 0x00, 0xF8, kRleSkip, 1, 0};
  const std::vector<std::string> companions = {
      slvtools::WriteBmp24(Strip({kWhite, kWhite, kWhite, kWhite})),  // not 8-bit
      Gray8(8, 1, std::vector<uint8_t>(8, 128)),                       // other width
      Gray8(4, 2, std::vector<uint8_t>(8, 128)),                       // other height
      "BM broken",
  };
  for (const std::string& companion : companions) {
    Put("key.bmp", picture);
    Put("a_key.bmp", companion);
    ASSERT_TRUE(Load("key.bmp"));
    EXPECT_EQ(Row(0), keyed);
  }
}

// A well-formed 2 x 2 24-bit file with one header field replaced.
std::string Patched(size_t offset, uint32_t value, int bytes) {
  std::string file = slvtools::WriteBmp24(RgbaImage(2, 2, kRed));
  for (int i = 0; i < bytes; ++i) file[offset + i] = static_cast<char>(value >> (8 * i));
  return file;
}

TEST_F(BitmapResTest, BadFilesFailAndLeaveTheResourceEmpty) {
  const std::string good = slvtools::WriteBmp24(RgbaImage(2, 2, kRed));
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"not BM", Patched(0, 0x5842, 2)},
      {"16 bits", Patched(28, 16, 2)},
      {"32 bits", Patched(28, 32, 2)},
      {"zero width", Patched(18, 0, 4)},
      {"negative height", Patched(22, static_cast<uint32_t>(-2), 4)},
      {"width above 65535", Patched(18, 65536, 4)},
      {"huge height", Patched(22, 0x7FFFFFFF, 4)},
      {"data offset past the end", Patched(10, 0xFFFFFFF0u, 4)},
      {"truncated pixels", good.substr(0, good.size() - 1)},
      {"truncated header", good.substr(0, 20)},
  };
  for (const auto& [what, bytes] : cases) {
    Put("good.bmp", good);
    ASSERT_TRUE(Load("good.bmp"));
    Put("bad.bmp", bytes);
    testsupport::DebugLogCapture log;
    EXPECT_FALSE(Load("bad.bmp")) << what;
    EXPECT_EQ(m_res.GetWidth(), 0) << what;
    EXPECT_EQ(m_res.GetHeight(), 0) << what;
    EXPECT_TRUE(m_res.GetRows().empty()) << what;
    EXPECT_FALSE(log.Lines().empty()) << what;
  }
}

TEST_F(BitmapResTest, UnknownDisplayLayoutIsLoggedAndCodedAs565) {
  CBitmapRes::SetDisplayGreenMask(0);
  Put("row.bmp", slvtools::WriteBmp24(Strip({kWhite, kWhite, kWhite, kWhite})));
  testsupport::DebugLogCapture log;
  ASSERT_TRUE(Load("row.bmp"));
  EXPECT_EQ(Row(0)[3], 0xDF);
  EXPECT_TRUE(log.Contains("green mask"));
}

TEST_F(BitmapResTest, BothExtensionsLoadFromTheirFolders) {
  Write("data/bmp/pic.bmp", Gray8(4, 1, {1, 1, 1, 1}));
  Write("data/item/sword.ico", Gray8(4, 3, std::vector<uint8_t>(12, 2)));
  auto* pic = dynamic_cast<CBitmapRes*>(CResMgr::GetInstance().GetRes("Pic.BMP"));
  auto* icon = dynamic_cast<CBitmapRes*>(CResMgr::GetInstance().GetRes("sword.ico"));
  ASSERT_NE(pic, nullptr);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(pic->GetHeight(), 1);
  EXPECT_EQ(icon->GetHeight(), 3);
  CResMgr::GetInstance().ReleaseRes(pic);
  CResMgr::GetInstance().ReleaseRes(icon);
}

}  // namespace
