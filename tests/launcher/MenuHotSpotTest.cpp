#include <gtest/gtest.h>

#include "launcher/MenuHotSpot.h"
#include "launcher/MenuWallpaper.h"
#include "tests/launcher/LauncherFolder.h"

namespace {

using launchertest::Bgr;
using launchertest::kHeight;
using launchertest::kWidth;
using launchertest::LauncherFolderTest;

constexpr uint8_t kUntouched = 0xEE;

// A back buffer as the window keeps it.
struct BackBuffer {
  BackBuffer(int w, int h) : width(w), height(h), stride((w * 3 + 3) & ~3), bytes(size_t(stride) * h, kUntouched) {}
  std::vector<uint8_t> At(int x, int y) const {
    const auto* p = bytes.data() + size_t(y) * stride + size_t(x) * 3;
    return {p[0], p[1], p[2]};
  }
  bool Draw(MenuItem& item, float seconds) { return item.Draw(bytes.data(), stride, height, seconds); }
  int width, height, stride;
  std::vector<uint8_t> bytes;
};

class MenuHotSpotTest : public LauncherFolderTest {};

TEST_F(MenuHotSpotTest, TheRectangleTakesItsLeftAndTopEdgesOnly) {
  MenuHotSpot spot(10, 5, 20, 15, "exit", true);
  struct Case {
    int x, y;
    bool inside;
  };
  const Case cases[] = {{10, 5, true},   {19, 14, true}, {20, 5, false}, {9, 5, false},
                        {10, 15, false}, {10, 4, false}, {15, 10, true}};
  for (const Case& c : cases) EXPECT_EQ(spot.HitTest(c.x, c.y), c.inside) << c.x << "," << c.y;
  MenuHotSpot off(10, 5, 20, 15, "", false);
  EXPECT_FALSE(off.HitTest(15, 10));
}

TEST_F(MenuHotSpotTest, FadesFromNormalToSelectedAndBack) {
  MenuHotSpot spot(2, 3, 12, 9, "exit", true);
  BackBuffer buffer(kWidth, kHeight);
  EXPECT_FALSE(buffer.Draw(spot, 0.1f));  // at rest: normal, no fade
  EXPECT_EQ(buffer.At(2, 3), Bgr(0, 2, 3));

  spot.HitTest(5, 5);
  EXPECT_TRUE(buffer.Draw(spot, 0.25f));
  EXPECT_FLOAT_EQ(spot.FadeLevel(), 0.5f);
  for (const auto& [x, y] : {std::pair{2, 3}, std::pair{11, 8}, std::pair{6, 6}}) {
    const std::vector<uint8_t> n = Bgr(0, x, y), s = Bgr(1, x, y), got = buffer.At(x, y);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(got[i], (n[i] * 128 + s[i] * 127) >> 8);
  }
  EXPECT_EQ(buffer.At(12, 3), std::vector<uint8_t>(3, kUntouched));  // right edge is outside
  EXPECT_EQ(buffer.At(2, 9), std::vector<uint8_t>(3, kUntouched));

  EXPECT_FALSE(buffer.Draw(spot, 0.3f));  // reaches 1: selected, unchanged
  EXPECT_EQ(buffer.At(11, 8), Bgr(1, 11, 8));

  spot.HitTest(0, 0);
  EXPECT_TRUE(buffer.Draw(spot, 0.15f));
  EXPECT_FALSE(buffer.Draw(spot, 1.0f));
  EXPECT_EQ(spot.FadeLevel(), 0.0f);
  EXPECT_EQ(buffer.At(11, 8), Bgr(0, 11, 8));
}

TEST_F(MenuHotSpotTest, ADisabledSpotShowsTheHidePicture) {
  MenuHotSpot spot(0, 0, 4, 4, "", false);
  BackBuffer buffer(kWidth, kHeight);
  spot.HitTest(1, 1);
  buffer.Draw(spot, 0.25f);
  EXPECT_EQ(buffer.At(3, 3), Bgr(2, 3, 3));
}

TEST_F(MenuHotSpotTest, DrawingIsClippedToThePicturesAndTheBuffer) {
  MenuHotSpot spot(-5, -5, 500, 500, "exit", true);
  BackBuffer small(kWidth - 5, kHeight - 7);
  small.Draw(spot, 0.0f);
  EXPECT_EQ(small.At(0, 0), Bgr(0, 0, 0));
  EXPECT_EQ(small.At(small.width - 1, small.height - 1), Bgr(0, small.width - 1, small.height - 1));
  BackBuffer large(kWidth + 9, kHeight + 4);
  large.Draw(spot, 0.0f);
  EXPECT_EQ(large.At(kWidth - 1, kHeight - 1), Bgr(0, kWidth - 1, kHeight - 1));
  EXPECT_EQ(large.At(kWidth, 0), std::vector<uint8_t>(3, kUntouched));
  EXPECT_EQ(large.At(0, kHeight), std::vector<uint8_t>(3, kUntouched));

  MenuWallpaper wallpaper("images/hide.bmp");
  small.Draw(wallpaper, 0.0f);
  EXPECT_EQ(small.At(small.width - 1, small.height - 1), Bgr(2, 0, 0));
  large.Draw(wallpaper, 0.0f);
  EXPECT_EQ(large.At(kWidth, 0), std::vector<uint8_t>(3, kUntouched));
}

TEST_F(MenuHotSpotTest, APictureOfAnotherSizeCountsAsMissing) {
  Write("images/normal.bmp", slvtools::WriteBmp24(slvtools::RgbaImage(kWidth + 1, kHeight)));
  MenuHotSpot spot(0, 0, 4, 4, "exit", true);
  BackBuffer buffer(kWidth, kHeight);
  buffer.Draw(spot, 0.0f);
  EXPECT_EQ(buffer.At(1, 1), std::vector<uint8_t>(3, kUntouched));
  spot.HitTest(1, 1);
  buffer.Draw(spot, 0.25f);  // a blend needs both
  EXPECT_EQ(buffer.At(1, 1), std::vector<uint8_t>(3, kUntouched));
  buffer.Draw(spot, 1.0f);
  EXPECT_EQ(buffer.At(1, 1), Bgr(1, 1, 1));
}

TEST_F(MenuHotSpotTest, ThePicturesLiveWithTheHotSpots) {
  auto first = std::make_unique<MenuHotSpot>(0, 0, 4, 4, "exit", true);
  Write("images/normal.bmp", slvtools::WriteBmp24(launchertest::Picture(2)));
  // A picture changed on disk is not seen while a hot spot lives...
  auto second = std::make_unique<MenuHotSpot>(0, 0, 4, 4, "exit", true);
  BackBuffer buffer(kWidth, kHeight);
  buffer.Draw(*second, 0.0f);
  EXPECT_EQ(buffer.At(1, 1), Bgr(0, 1, 1));
  // ...and is read again by a first hot spot after the last has gone.
  first.reset();
  second.reset();
  MenuHotSpot third(0, 0, 4, 4, "exit", true);
  buffer.Draw(third, 0.0f);
  EXPECT_EQ(buffer.At(1, 1), Bgr(2, 1, 1));
}

}  // namespace
