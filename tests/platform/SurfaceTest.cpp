#include <gtest/gtest.h>

#include <cmath>

#include "platform/Surface.h"

namespace {

using namespace platform;

constexpr uint16_t kPad = 0xA5A5;

// A surface whose rows carry padding, filled with kPad, and whose pixels hold
// their own coordinates.
Surface PaddedSurface(int width, int height, PixelFormat format = PixelFormat::RGB565) {
  Surface s(width, height, format, width * 2 + 6);
  for (int y = 0; y < height; ++y) {
    uint16_t* row = s.Row(y);
    for (int x = 0; x < width + 3; ++x) row[x] = kPad;
    for (int x = 0; x < width; ++x) row[x] = static_cast<uint16_t>(x + width * y);
  }
  return s;
}

void ExpectPaddingKept(const Surface& s) {
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = s.Width(); x < s.Pitch() / 2; ++x) {
      ASSERT_EQ(s.Row(y)[x], kPad) << "padding written at row " << y;
    }
  }
}

TEST(Surface, LockGivesTheBitsAndTheWidePitchUntilUnlocked) {
  Surface s(5, 3, PixelFormat::RGB565, 16);
  LockedBits bits;
  ASSERT_EQ(s.Lock(&bits), S_OK);
  EXPECT_TRUE(s.IsLocked());
  EXPECT_EQ(bits.pitch, 16);
  // Pixel (4, 2) through the pitch is the last pixel of the last row.
  reinterpret_cast<uint16_t*>(bits.bits + 2 * bits.pitch)[4] = 0x1234;
  EXPECT_EQ(s.Row(2)[4], 0x1234);
  LockedBits again;
  EXPECT_EQ(s.Lock(&again), DDERR_SURFACEBUSY);
  EXPECT_EQ(s.Unlock(), S_OK);
  EXPECT_FALSE(s.IsLocked());
  EXPECT_EQ(s.Unlock(), DDERR_NOTLOCKED);
}

TEST(Surface, ALostSurfaceRefusesWorkUntilRestoredWithoutItsContents) {
  Surface s = PaddedSurface(4, 2);
  Surface other = PaddedSurface(4, 2);
  s.MarkLost();
  LockedBits bits;
  EXPECT_EQ(s.Lock(&bits), DDERR_SURFACELOST);
  EXPECT_EQ(s.Blt(nullptr, other, nullptr), DDERR_SURFACELOST);
  EXPECT_EQ(other.Blt(nullptr, s, nullptr), DDERR_SURFACELOST);
  EXPECT_EQ(s.Flip(other), DDERR_SURFACELOST);
  EXPECT_EQ(s.Restore(), S_OK);
  EXPECT_FALSE(s.IsLost());
  EXPECT_EQ(s.Row(1)[3], 0);
  EXPECT_EQ(s.Lock(&bits), S_OK);
}

TEST(Surface, StretchToTheThumbnailSizeTakesTheNearestPixel) {
  const Surface src = PaddedSurface(640, 480);
  Surface thumb = PaddedSurface(220, 180);
  ASSERT_EQ(thumb.Blt(nullptr, src, nullptr), S_OK);
  for (int y = 0; y < 180; ++y) {
    const int sy = static_cast<int>(std::floor((y + 0.5) * 480 / 180));
    for (int x = 0; x < 220; ++x) {
      const int sx = static_cast<int>(std::floor((x + 0.5) * 640 / 220));
      ASSERT_EQ(thumb.Row(y)[x], src.Row(sy)[sx]) << x << "," << y;
    }
  }
  ExpectPaddingKept(thumb);
}

TEST(Surface, StretchUpRepeatsPixelsAndClipsAtTheEdges) {
  const Surface src = PaddedSurface(2, 2);
  Surface dst = PaddedSurface(3, 3);
  // Four times the source, placed so that only its middle 3 x 3 lands:
  // destination x is step x + 3 of 8, and steps 0..3 take source pixel 0.
  const Rect to{-3, -3, 5, 5};
  ASSERT_EQ(dst.Blt(&to, src, nullptr), S_OK);
  const uint16_t expected[3][3] = {{0, 1, 1}, {2, 3, 3}, {2, 3, 3}};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(dst.Row(y)[x], expected[y][x]) << x << "," << y;
  }
  ExpectPaddingKept(dst);
}

TEST(Surface, SameSizeCopiesKeepRowsApartByTheirPitches) {
  const Surface src = PaddedSurface(6, 5);
  Surface dst(8, 7, PixelFormat::RGB565, 8 * 2 + 10);
  const Rect part{1, 2, 5, 5};
  ASSERT_EQ(dst.BltFast(3, 4, src, &part), S_OK);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.Row(4 + y)[3 + x], src.Row(2 + y)[1 + x]);
  }
  EXPECT_EQ(dst.Row(3)[3], 0);
  EXPECT_EQ(dst.Row(4)[7], 0);
  // A same-size Blt takes the same path and gives the same pixels.
  Surface viaBlt(8, 7, PixelFormat::RGB565, 8 * 2 + 10);
  const Rect to{3, 4, 7, 7};
  ASSERT_EQ(viaBlt.Blt(&to, src, &part), S_OK);
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 8; ++x) EXPECT_EQ(viaBlt.Row(y)[x], dst.Row(y)[x]);
  }
}

TEST(Surface, CopiesThatCannotBeDoneAreRefused) {
  Surface dst = PaddedSurface(4, 4);
  const Surface src = PaddedSurface(4, 4);
  const Surface texture = PaddedSurface(4, 4, PixelFormat::ARGB4444);
  const Rect outside{2, 2, 5, 4};
  const Rect empty{1, 1, 1, 3};
  EXPECT_EQ(dst.BltFast(1, 0, src, nullptr), DDERR_INVALIDRECT);
  EXPECT_EQ(dst.BltFast(0, 0, src, &outside), DDERR_INVALIDRECT);
  EXPECT_EQ(dst.Blt(nullptr, src, &outside), DDERR_INVALIDRECT);
  EXPECT_EQ(dst.Blt(&empty, src, nullptr), DDERR_INVALIDRECT);
  EXPECT_EQ(dst.Blt(nullptr, texture, nullptr), DDERR_INVALIDPIXELFORMAT);
  EXPECT_EQ(dst.BltFast(0, 0, texture, nullptr), DDERR_INVALIDPIXELFORMAT);
  LockedBits bits;
  ASSERT_EQ(dst.Lock(&bits), S_OK);
  EXPECT_EQ(dst.Blt(nullptr, src, nullptr), DDERR_SURFACEBUSY);
  EXPECT_EQ(dst.Fill(nullptr, 0), DDERR_SURFACEBUSY);
  dst.Unlock();
  const Surface untouched = PaddedSurface(4, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) ASSERT_EQ(dst.Row(y)[x], untouched.Row(y)[x]);
  }
}

TEST(Surface, ABlitOntoItselfReadsTheSourceBeforeWriting) {
  Surface s = PaddedSurface(4, 1);
  const Rect from{0, 0, 3, 1};
  const Rect to{1, 0, 4, 1};
  ASSERT_EQ(s.Blt(&to, s, &from), S_OK);
  const uint16_t expected[4] = {0, 0, 1, 2};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(s.Row(0)[x], expected[x]);
}

TEST(Surface, FlipTradesThePixelsOfTheTwoBuffers) {
  Surface front(3, 2, PixelFormat::RGB565, 10);
  Surface back = PaddedSurface(3, 2);
  front.Fill(nullptr, 0x7777);
  ASSERT_EQ(front.Flip(back), S_OK);
  EXPECT_EQ(front.Row(1)[2], 5);
  EXPECT_EQ(back.Row(1)[2], 0x7777);
  Surface other(4, 2, PixelFormat::RGB565);
  EXPECT_EQ(front.Flip(other), DDERR_INVALIDPARAMS);
}

}  // namespace
