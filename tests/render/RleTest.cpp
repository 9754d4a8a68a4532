#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <vector>

#include "engine/BitmapRes.h"
#include "render/PixelRC.h"
#include "tests/render/PixelTarget.h"
#include "tests/support/TestSupport.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes RunOf(uint8_t code, int count, std::initializer_list<int> data = {}) {
  Bytes run{code, static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8)};
  for (const int b : data) run.push_back(static_cast<uint8_t>(b));
  return run;
}

Bytes Row(std::initializer_list<Bytes> runs) {
  Bytes row;
  for (const Bytes& r : runs) row.insert(row.end(), r.begin(), r.end());
  return row;
}

CBitmapRes Image(int width, std::vector<Bytes> rows) {
  CBitmapRes image;
  image.m_width = width;
  image.m_height = static_cast<int>(rows.size());
  image.m_rows = std::move(rows);
  return image;
}

Bytes Copy(std::initializer_list<uint16_t> pixels) {
  Bytes run = RunOf(kRleCopy, static_cast<int>(pixels.size()));
  for (const uint16_t p : pixels) run.insert(run.end(), {static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 8)});
  return run;
}

Rgb8 Blend(Rgb8 k, Rgb8 g, int a) {
  return {(k.red * a + g.red * (255 - a)) / 255, (k.green * a + g.green * (255 - a)) / 255,
          (k.blue * a + g.blue * (255 - a)) / 255};
}

const PixelLayout kLayouts[] = {kLayout565, kLayout555};

TEST(RleImage, EachRunCodeDrawsAtActualSize) {
  for (const PixelLayout& layout : kLayouts) {
    PixelTarget t(layout, 8, 3);
    const uint16_t fill = t.Pack(40, 80, 120);
    for (int x = 0; x < 8; ++x) t.At(x, 0) = fill;
    const Rgb8 e = layout.Expand(fill);
    const uint16_t a = 0x1234, q = 0x0F0F;
    // The unknown code 9 counts one pixel, carries no data and moves nothing:
    // the copy after it lands on column 6.
    const CBitmapRes image = Image(8, {Row({RunOf(kRleSkip, 1), Copy({a}),
                                            RunOf(kRleBlend, 2, {128, 10, 20, 200, 255, 30, 60, 90}),
                                            RunOf(kRleShade, 2, {255, 0}), RunOf(9, 1), Copy({q})})});
    t.rc.DrawRleImage(0, 0, &image, 1);
    const Rgb8 blended = Blend({200, 20, 10}, e, 128);
    const std::vector<uint16_t> want{fill,
                                     a,
                                     layout.Pack(blended.red, blended.green, blended.blue),
                                     layout.Pack(90, 60, 30),
                                     layout.Pack(90, 60, 30),  // the run colour the blend run left
                                     fill,                     // opacity 0: the background it left
                                     q,
                                     fill};
    for (int x = 0; x < 8; ++x) EXPECT_EQ(t.At(x, 0), want[x]) << "column " << x;
    EXPECT_TRUE(t.GuardsIntact());
  }
}

TEST(RleImage, ShadeBeforeAnyBlendIsBlackOverTheImageCentre) {
  PixelTarget t(kLayout565, 6, 4, 0xFFFF);
  const uint16_t centre = t.Pack(200, 100, 40);
  t.At(1 + 2, 1 + 1) = centre;  // (x + width / 2, y + height / 2)
  const CBitmapRes image = Image(4, {Row({RunOf(kRleShade, 4, {255, 128, 0, 64})}), Row({RunOf(kRleSkip, 4)}),
                                     Row({RunOf(kRleSkip, 4)})});
  t.rc.DrawRleImage(1, 1, &image, 1);
  const Rgb8 c = kLayout565.Expand(centre);
  const Rgb8 half = Blend({0, 0, 0}, c, 128), quarter = Blend({0, 0, 0}, c, 64);
  EXPECT_EQ(t.At(1, 1), 0x0000);
  EXPECT_EQ(t.At(2, 1), kLayout565.Pack(half.red, half.green, half.blue));
  EXPECT_EQ(t.At(3, 1), centre);
  EXPECT_EQ(t.At(4, 1), kLayout565.Pack(quarter.red, quarter.green, quarter.blue));
}

TEST(RleImage, ScaleRepeatsPixelsAcrossAndRowsDown) {
  PixelTarget t(kLayout565, 8, 6, 0x0001);
  const uint16_t a = 0xAAAA, b = 0xBBBB;
  const CBitmapRes image = Image(2, {Row({Copy({a, b})}), Row({RunOf(kRleShade, 1, {255}), RunOf(kRleSkip, 1)})});
  t.rc.DrawRleImage(1, 1, &image, 2);
  const std::vector<std::vector<uint16_t>> want = {
      {1, 1, 1, 1, 1, 1, 1, 1},
      {1, a, a, b, b, 1, 1, 1},
      {1, a, a, b, b, 1, 1, 1},
      // Shaded pixels are written once per group; the row copy takes them down.
      {1, 0, 1, 1, 1, 1, 1, 1},
      {1, 0, 1, 1, 1, 1, 1, 1},
      {1, 1, 1, 1, 1, 1, 1, 1},
  };
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) EXPECT_EQ(t.At(x, y), want[y][x]) << x << "," << y;
  }
}

TEST(RleImage, ClippedCopyRunsDrawAtActualSizeInsideTheClipColumns) {
  PixelTarget t(kLayout565, 10, 3, 0);
  t.rc.m_clipEnabled = 1;
  t.rc.m_clipLeft = 3;
  t.rc.m_clipRight = 5;
  const CBitmapRes image = Image(8, {Row({Copy({1, 2, 3, 4}), Copy({5, 6, 7, 8})})});
  t.rc.DrawRleImage(1, 0, &image, 2);
  // Source pixel k of a run lands on column (run start + k); the second run
  // starts at 1 + 4 * 2 and lies wholly right of the clip.
  const std::vector<uint16_t> row{0, 0, 0, 3, 4, 0, 0, 0, 0, 0};
  for (int x = 0; x < 10; ++x) {
    EXPECT_EQ(t.At(x, 0), row[x]) << x;
    EXPECT_EQ(t.At(x, 1), row[x]) << x;  // the repeated row
    EXPECT_EQ(t.At(x, 2), 0) << x;
  }
}

TEST(RleImage, StopsAtTheFirstRowThatWouldReachTheBottom) {
  struct Case {
    int y, scale;
    std::vector<uint16_t> column;  // column 0 from the top after drawing
  };
  const Case cases[] = {
      {3, 1, {0, 0, 0, 7, 7}},
      {4, 1, {0, 0, 0, 0, 7}},
      {0, 2, {7, 7, 7, 7, 0}},  // the third row's repeat would be row 5
      {-1, 2, {7, 7, 7, 7, 7}},  // the first row half above the top
      {-3, 1, {7, 7, 7, 0, 0}},  // three rows above the top are dropped
  };
  for (const Case& c : cases) {
    PixelTarget t(kLayout565, 2, 5, 0);
    std::vector<Bytes> rows(6, Row({Copy({7, 7})}));
    const CBitmapRes image = Image(2, rows);
    t.rc.DrawRleImage(0, c.y, &image, c.scale);
    std::vector<uint16_t> column;
    for (int y = 0; y < 5; ++y) column.push_back(t.At(0, y));
    EXPECT_EQ(column, c.column) << "y " << c.y << " scale " << c.scale;
  }
}

TEST(RleImage, NothingOutsideTheSurfaceIsTouchedWherever) {
  const CBitmapRes image =
      Image(8, {Row({RunOf(kRleBlend, 2, {128, 1, 2, 3, 255, 4, 5, 6}), Copy({9, 9}), RunOf(kRleShade, 2, {200, 100}),
                     RunOf(kRleSkip, 2)}),
                Row({Copy({1, 2, 3, 4, 5, 6, 7, 8})}), Row({RunOf(kRleShade, 8, {1, 2, 3, 4, 5, 6, 7, 8})})});
  const int positions[][2] = {{-3, -1},    {6, 0},        {-7, 2},      {5, 4},      {-100000, 1},
                              {100000, 1}, {0, -100000},  {INT_MIN / 2, 0}, {INT_MAX / 2, 0}, {0, INT_MIN / 2}};
  for (const auto& [x, y] : positions) {
    for (const int scale : {1, 3, 0, -2, 1 << 20}) {
      for (const bool clip : {false, true}) {
        PixelTarget t(kLayout555, 8, 6, 0x1111);
        t.rc.m_clipEnabled = clip ? 1 : 0;
        t.rc.m_clipLeft = -50;
        t.rc.m_clipRight = 50;
        t.rc.DrawRleImage(x, y, &image, scale);
        t.rc.DrawRleImageAlpha(x, y, &image, 0xFFFFFF, scale);
        EXPECT_TRUE(t.GuardsIntact()) << x << "," << y << " scale " << scale;
      }
    }
  }
}

TEST(RleImage, PartlyVisibleImagesKeepTheirVisiblePart) {
  PixelTarget t(kLayout565, 4, 2, 0);
  const CBitmapRes image = Image(4, {Row({Copy({1, 2, 3, 4})}), Row({Copy({5, 6, 7, 8})})});
  t.rc.DrawRleImage(-1, -1, &image, 1);
  EXPECT_EQ(t.View(), (std::vector<uint16_t>{6, 7, 8, 0, 0, 0, 0, 0}));
  t.rc.DrawRleImage(2, 1, &image, 1);
  EXPECT_EQ(t.View(), (std::vector<uint16_t>{6, 7, 8, 0, 0, 0, 1, 2}));
}

TEST(RleImage, CutRowsEndWhereTheirDataEnds) {
  PixelTarget t(kLayout565, 8, 2, 0);
  Bytes cutCopy = Row({Copy({1, 2, 3})});
  cutCopy.pop_back();
  const CBitmapRes image =
      Image(8, {Row({Copy({5}), RunOf(kRleShade, 0xFFFF, {1, 2})}), cutCopy, Bytes{kRleCopy, 1}});
  t.rc.DrawRleImage(0, 0, &image, 1);
  EXPECT_EQ(t.At(0, 0), 5);
  EXPECT_EQ(t.At(1, 0), 0);
  EXPECT_EQ(t.At(0, 1), 0);
  EXPECT_TRUE(t.GuardsIntact());
}

TEST(RleImageAlpha, ShadesTheColourOverTheFixedCentreAndRefusesColourRuns) {
  PixelTarget t(kLayout565, 4, 3, 0);
  const uint16_t centre = t.Pack(16, 32, 64);
  t.At(2, 1) = centre;
  const CBitmapRes image = Image(4, {Row({RunOf(kRleShade, 3, {255, 128, 0}), RunOf(kRleSkip, 1)}),
                                     Row({RunOf(kRleBlend, 1, {255, 1, 2, 3}), Copy({0x7777}), RunOf(kRleShade, 1, {255}),
                                          RunOf(kRleSkip, 1)}),
                                     Row({RunOf(kRleSkip, 4)})});
  testsupport::DebugLogCapture log;
  t.rc.DrawRleImageAlpha(0, 0, &image, 0xFF8000, 1);
  const Rgb8 half = Blend({255, 128, 0}, kLayout565.Expand(centre), 128);
  EXPECT_EQ(t.At(0, 0), t.Pack(255, 128, 0));
  EXPECT_EQ(t.At(1, 0), t.Pack(half.red, half.green, half.blue));
  EXPECT_EQ(t.At(2, 0), centre);
  EXPECT_EQ(t.At(0, 1), 0);
  EXPECT_EQ(t.At(1, 1), 0);
  EXPECT_EQ(t.At(2, 1), t.Pack(255, 128, 0));
  EXPECT_TRUE(log.Contains("Only 8bit Opacity format supported"));
}

TEST(RleImage, NeedsALockAndAnImage) {
  PixelTarget t(kLayout565, 2, 1, 0);
  const CBitmapRes image = Image(4, {Row({Copy({1, 1, 1, 1})})});
  const CBitmapRes empty;
  t.rc.DrawRleImage(0, 0, nullptr, 1);
  t.rc.DrawRleImage(0, 0, &empty, 1);
  CRC::s_locked = 0;
  t.rc.DrawRleImage(0, 0, &image, 1);
  EXPECT_EQ(t.View(), (std::vector<uint16_t>{0, 0}));
}

}  // namespace
