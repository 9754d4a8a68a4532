// The screen bitmap: run-coded pictures decoded into an off-screen surface
// and stretched over the back buffer.
#include "render/DispBmp.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "engine/BitmapRes.h"
#include "tests/render/TextureTestSupport.h"

namespace {

using namespace platform;

namespace dispbmptest {
constexpr uint16_t kRed = 0xF800, kGreen = 0x07E0, kBlue = 0x001F, kWhite = 0xFFFF;
}  // namespace dispbmptest

// Row data: runs of a kind and a pixel count, each followed by its bytes.
struct RowBuilder {
  std::vector<uint8_t> bytes;
  RowBuilder& Run(uint8_t kind, int n, std::initializer_list<uint8_t> data = {}) {
    bytes.insert(bytes.end(), {kind, static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8)});
    bytes.insert(bytes.end(), data);
    return *this;
  }
  RowBuilder& Copy(std::initializer_list<uint16_t> pixels) {
    Run(kRleCopy, static_cast<int>(pixels.size()));
    for (uint16_t p : pixels) bytes.insert(bytes.end(), {static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 8)});
    return *this;
  }
  RowBuilder& Raw(std::initializer_list<uint8_t> data) {
    bytes.insert(bytes.end(), data);
    return *this;
  }
  RowBuilder& CopyRepeated(int n, uint16_t pixel) {
    Run(kRleCopy, n);
    for (int i = 0; i < n; ++i) bytes.insert(bytes.end(), {static_cast<uint8_t>(pixel), static_cast<uint8_t>(pixel >> 8)});
    return *this;
  }
};

CBitmapRes Picture(int width, std::vector<RowBuilder> rows) {
  CBitmapRes bitmap;
  bitmap.m_width = width;
  bitmap.m_height = static_cast<int32_t>(rows.size());
  for (RowBuilder& row : rows) bitmap.m_rows.push_back(std::move(row.bytes));
  return bitmap;
}

namespace dispbmptest {
std::vector<uint16_t> Row(const Surface& s, int y, int n) { return {s.Row(y), s.Row(y) + n}; }
}  // namespace dispbmptest

class DispBmpTest : public TextureDeviceTest {
 protected:
  ~DispBmpTest() override { m_bitmap.Release(); }
  // Decodes the picture and returns its surface.
  const Surface& Decode(const CBitmapRes& picture) {
    EXPECT_EQ(m_bitmap.Create(&picture), S_OK);
    EXPECT_NE(m_bitmap.GetSurface(), nullptr);
    return *m_bitmap.GetSurface();
  }
  CDispBmp m_bitmap;
};

TEST_F(DispBmpTest, EachRunKindWritesItsPixels) {
  struct Case {
    const char* what;
    RowBuilder row;
    std::vector<uint16_t> pixels;  // the row's first four
  };
  const Case cases[] = {
      {"copied pixels", RowBuilder().Copy({dispbmptest::kRed, dispbmptest::kGreen, dispbmptest::kBlue, dispbmptest::kWhite}), {dispbmptest::kRed, dispbmptest::kGreen, dispbmptest::kBlue, dispbmptest::kWhite}},
      {"a skip leaves the surface black", RowBuilder().Run(kRleSkip, 2).Copy({dispbmptest::kRed, dispbmptest::kGreen}), {0, 0, dispbmptest::kRed, dispbmptest::kGreen}},
      // Opacity 128 of white over black: 128 in each channel.
      {"blended pixels", RowBuilder().Run(kRleBlend, 2, {255, 0, 0, 255, 128, 255, 255, 255}).Copy({dispbmptest::kGreen, dispbmptest::kBlue}),
       {dispbmptest::kRed, 0x8410, dispbmptest::kGreen, dispbmptest::kBlue}},
      // The shade mixes the last blended pixel's colour over what it replaced.
      {"shades of the working colours", RowBuilder().Run(kRleBlend, 1, {255, 255, 0, 0}).Run(kRleShade, 3, {255, 0, 128}),
       {dispbmptest::kBlue, dispbmptest::kBlue, 0, 0x0010}},
      {"a shade first blends black over the centre", RowBuilder().Run(kRleShade, 1, {200}).Copy({dispbmptest::kRed, dispbmptest::kRed, dispbmptest::kRed}),
       {0, dispbmptest::kRed, dispbmptest::kRed, dispbmptest::kRed}},
      {"an unknown kind only counts", RowBuilder().Run(9, 3).Copy({dispbmptest::kGreen}), {0, 0, 0, dispbmptest::kGreen}},
      {"a run its row lacks ends the row", RowBuilder().Copy({dispbmptest::kRed}).Run(kRleCopy, 3, {1, 2}), {dispbmptest::kRed, 0, 0, 0}},
      {"a run cut inside its header ends the row", RowBuilder().Copy({dispbmptest::kRed, dispbmptest::kGreen}).Raw({kRleCopy, 2}),
       {dispbmptest::kRed, dispbmptest::kGreen, 0, 0}},
  };
  for (const Case& c : cases) {
    const CBitmapRes picture = Picture(4, {c.row});
    EXPECT_EQ(dispbmptest::Row(Decode(picture), 0, 4), c.pixels) << c.what;
  }
}

// A row's runs go on to its width rounded up to four: a 301-pixel picture
// reads a blended pixel at x 301 (its colour carries to the next row's
// shade), a 300-pixel one stops before it.
TEST_F(DispBmpTest, RowsEndAtTheWidthRoundedUpToFour) {
  for (const auto& [width, carried] : {std::pair{300, uint16_t{0}}, std::pair{301, dispbmptest::kBlue}}) {
    RowBuilder first;
    first.CopyRepeated(width, dispbmptest::kGreen).Run(kRleBlend, 1, {255, 255, 0, 0}).Copy({dispbmptest::kRed});
    RowBuilder second;
    second.Run(kRleShade, 1, {255});
    const Surface& s = Decode(Picture(width, {first, second}));
    ASSERT_EQ(s.Width(), width);
    EXPECT_EQ(dispbmptest::Row(s, 0, width), std::vector<uint16_t>(static_cast<size_t>(width), dispbmptest::kGreen)) << width;
    EXPECT_EQ(s.Row(1)[0], carried) << width;
  }
}

TEST_F(DispBmpTest, CreatingAgainKeepsOnlyTheSecondPicture) {
  const CBitmapRes red = Picture(4, {RowBuilder().Copy({dispbmptest::kRed, dispbmptest::kRed, dispbmptest::kRed, dispbmptest::kRed})});
  const CBitmapRes blue = Picture(8, {RowBuilder().CopyRepeated(8, dispbmptest::kBlue), RowBuilder().CopyRepeated(8, dispbmptest::kBlue)});
  Decode(red);
  const Surface& s = Decode(blue);
  EXPECT_EQ(s.Width(), 8);
  EXPECT_EQ(s.Height(), 2);
  EXPECT_EQ(s.Row(0)[0], dispbmptest::kBlue);
  m_bitmap.Release();
  EXPECT_EQ(m_bitmap.GetSurface(), nullptr);
}

TEST_F(DispBmpTest, DrawStretchesThePictureOverTheWholeBackBuffer) {
  const CBitmapRes quarters = Picture(2, {RowBuilder().Copy({dispbmptest::kRed, dispbmptest::kGreen}), RowBuilder().Copy({dispbmptest::kBlue, dispbmptest::kWhite})});
  Decode(quarters);
  m_bitmap.Draw();
  const Surface& back = *g_3dDevice.RenderTarget();
  EXPECT_EQ(back.Row(0)[0], dispbmptest::kRed);
  EXPECT_EQ(back.Row(239)[319], dispbmptest::kRed);
  EXPECT_EQ(back.Row(0)[639], dispbmptest::kGreen);
  EXPECT_EQ(back.Row(479)[0], dispbmptest::kBlue);
  EXPECT_EQ(back.Row(479)[639], dispbmptest::kWhite);
}

// A missing or empty picture never reaches the screen: it is logged and
// the screen stays as it was (black after the frame's clear).
TEST_F(DispBmpTest, AMissingPictureIsLoggedAndDrawsNothing) {
  g_3dDevice.RenderTarget()->Fill(nullptr, dispbmptest::kGreen);
  const CBitmapRes empty;
  for (const CBitmapRes* picture : {static_cast<const CBitmapRes*>(nullptr), &empty}) {
    testsupport::DebugLogCapture log;
    EXPECT_LT(m_bitmap.Create(picture), 0);
    EXPECT_EQ(m_bitmap.GetSurface(), nullptr);
    m_bitmap.Draw();
    EXPECT_TRUE(log.Contains("dispbmp Error!"));
  }
  EXPECT_EQ(g_3dDevice.RenderTarget()->Row(240)[320], dispbmptest::kGreen);
}

}  // namespace
