#include "render/Decal.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "tests/render/TextureTestSupport.h"

namespace {

using namespace platform;

using DecalTest = TextureDeviceTest;

constexpr uint16_t kMark = 0xAAAA;

// The whole staging buffer, row padding included, set to a marker.
void MarkStaging(CDecal& d) {
  Surface& s = *d.m_staging;
  std::fill_n(reinterpret_cast<uint16_t*>(s.Bits()), static_cast<size_t>(s.Pitch()) / 2 * s.Height(), kMark);
}

// What the staging row holds, padding included.
std::vector<uint16_t> StagingRow(const CDecal& d, int y) {
  const uint16_t* row = d.m_staging->Row(y);
  return std::vector<uint16_t>(row, row + d.m_staging->Pitch() / 2);
}

TEST_F(DecalTest, SidesArePowersOfTwoAboveTheImage) {
  struct Case {
    int w, h, halve, lowResSprite, wantW, wantH;
  };
  const Case cases[] = {
      {100, 40, 0, 0, 128, 64}, {15, 16, 0, 0, 16, 32},   {127, 128, 0, 0, 128, 256},
      {256, 300, 0, 0, 256, 256}, {0, 1, 0, 0, 16, 16},   {100, 40, 1, 0, 64, 32},
      {100, 40, -1, 1, 64, 32},   {100, 40, -1, 0, 128, 64}, {100, 40, 0, 1, 128, 64},
  };
  for (const Case& c : cases) {
    g_isLowResSprite = c.lowResSprite;
    CDecal d;
    ASSERT_EQ(d.Create(c.w, c.h, c.halve), S_OK);
    EXPECT_EQ(d.m_width, c.wantW) << c.w << "x" << c.h << " halve " << c.halve;
    EXPECT_EQ(d.m_height, c.wantH) << c.w << "x" << c.h << " halve " << c.halve;
    EXPECT_EQ(d.m_surface->Width(), c.wantW);
    EXPECT_EQ(d.m_surface->Height(), c.wantH);
    EXPECT_EQ(d.m_surface->Format(), PixelFormat::ARGB1555);
    EXPECT_EQ(d.m_staging->Format(), PixelFormat::ARGB1555);
    EXPECT_EQ(d.m_texture, d.m_surface.get());
  }
}

// Full size: the rows are copied, then the column and the row after them
// cleared; the rest of the staging surface keeps what it held.
TEST_F(DecalTest, UpdateCopiesRowsAndClearsTheSpareColumnAndRow) {
  g_singleDecal = 1;  // keeps the staging surface to look at
  CDecal d;
  ASSERT_EQ(d.Create(100, 40, 0), S_OK);
  MarkStaging(d);
  std::vector<uint16_t> pixels(100 * 40);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint16_t>(0x8000 | i);
  d.Update(100, 40, pixels.data(), 0);
  EXPECT_EQ(d.m_staging->Row(0)[0], 0x8000);
  EXPECT_EQ(d.m_staging->Row(39)[99], 0x8000 | (39 * 100 + 99));
  for (int y = 0; y < 40; ++y) EXPECT_EQ(d.m_staging->Row(y)[100], 0) << y;
  for (int x = 0; x <= 100; ++x) EXPECT_EQ(d.m_staging->Row(40)[x], 0) << x;
  EXPECT_EQ(d.m_staging->Row(40)[101], kMark);
  EXPECT_EQ(d.m_staging->Row(41)[0], kMark);
  EXPECT_EQ(d.m_staging->Row(0)[101], kMark);
  // Uploaded to the texture surface.
  EXPECT_EQ(d.m_surface->Row(39)[99], 0x8000 | (39 * 100 + 99));
  EXPECT_EQ(d.m_surface->Row(40)[50], 0);
}

TEST_F(DecalTest, HalfUpdateTakesEveryOtherPixelOfEveryOtherRow) {
  g_singleDecal = 1;
  CDecal d;
  ASSERT_EQ(d.Create(100, 40, 1), S_OK);
  ASSERT_EQ(d.m_width, 64);
  MarkStaging(d);
  std::vector<uint16_t> pixels(100 * 40);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 100; ++x) pixels[y * 100 + x] = static_cast<uint16_t>(y << 8 | x);
  }
  d.Update(100, 40, pixels.data(), 1);
  EXPECT_EQ(d.m_staging->Row(0)[1], 2);
  EXPECT_EQ(d.m_staging->Row(3)[49], 6 << 8 | 98);
  EXPECT_EQ(d.m_staging->Row(19)[0], 38 << 8);
  for (int y = 0; y < 20; ++y) EXPECT_EQ(d.m_staging->Row(y)[50], 0) << y;
  for (int x = 0; x <= 50; ++x) EXPECT_EQ(d.m_staging->Row(20)[x], 0) << x;
  EXPECT_EQ(d.m_staging->Row(20)[51], kMark);
  EXPECT_EQ(d.m_staging->Row(21)[0], kMark);
}

// A 256-wide, 300-row source fills 254 rows and clears row 254; the spare
// column lies outside the decal and is not written, nor is anything in the
// row padding or past the last row.
TEST_F(DecalTest, WritesStayInsideAFullDecal) {
  g_singleDecal = 1;
  CDecal d;
  ASSERT_EQ(d.Create(256, 300, 0), S_OK);
  ASSERT_EQ(d.m_width, 256);
  MarkStaging(d);
  std::vector<uint16_t> want = StagingRow(d, 0);
  const std::vector<uint16_t> pixels(300 * 300, 0x1234);
  d.Update(256, 300, pixels.data(), 0);
  std::fill_n(want.begin(), 256, uint16_t{0x1234});
  EXPECT_EQ(StagingRow(d, 0), want);
  EXPECT_EQ(StagingRow(d, 253), want);
  std::fill_n(want.begin(), 256, uint16_t{0});
  EXPECT_EQ(StagingRow(d, 254), want);
  EXPECT_EQ(d.m_staging->Row(255)[0], kMark);

  MarkStaging(d);
  const std::vector<uint16_t> wide(300 * 10, 0x1234);
  d.Update(300, 10, wide.data(), 0);  // wider than the decal: cut
  EXPECT_EQ(d.m_staging->Row(0)[255], 0x1234);
  EXPECT_EQ(d.m_staging->Row(10)[255], 0);
  EXPECT_EQ(StagingRow(d, 0).back(), kMark);
}

TEST_F(DecalTest, SingleDecalSkipsAnUnchangedBuffer) {
  g_singleDecal = 1;
  CDecal d;
  ASSERT_EQ(d.Create(16, 16, 0), S_OK);
  std::vector<uint16_t> a(16 * 16, 0x1111), b(16 * 16, 0x2222);
  d.Update(8, 8, a.data(), 0);
  a[0] = 0x3333;
  d.Update(8, 8, a.data(), 0);
  EXPECT_EQ(d.m_surface->Row(0)[0], 0x1111);
  d.Update(8, 8, b.data(), 0);
  EXPECT_EQ(d.m_surface->Row(0)[0], 0x2222);
  d.Update(8, 8, a.data(), 0);
  EXPECT_EQ(d.m_surface->Row(0)[0], 0x3333);
}

// Without the single decal the staging surface goes after the first update:
// one fill per Create.
TEST_F(DecalTest, OrdinaryDecalIsFilledOncePerCreate) {
  CDecal d;
  ASSERT_EQ(d.Create(16, 16, 0), S_OK);
  std::vector<uint16_t> a(16 * 16, 0x1111), b(16 * 16, 0x2222);
  d.Update(8, 8, a.data(), 0);
  EXPECT_EQ(d.m_staging, nullptr);
  d.Update(8, 8, b.data(), 0);
  d.Upload();
  EXPECT_EQ(d.m_surface->Row(0)[0], 0x1111);
  ASSERT_EQ(d.Create(16, 16, 0), S_OK);
  d.Update(8, 8, b.data(), 0);
  EXPECT_EQ(d.m_surface->Row(0)[0], 0x2222);
}

// The shared decal sends up only what each fill wrote; the texture then
// still matches the staging surface everywhere, whatever came before.
TEST_F(DecalTest, SharedDecalTextureFollowsItsStagingSurface) {
  g_singleDecal = 1;
  CDecal d;
  ASSERT_EQ(d.Create(32, 32, 0), S_OK);
  const std::vector<uint16_t> large(40 * 40, 0x8111), small(5 * 3, 0x8222);
  for (const auto& [pixels, w, h, halve] : {std::tuple{&large, 40, 40, 0}, std::tuple{&small, 5, 3, 0},
                                            std::tuple{&large, 40, 40, 1}, std::tuple{&small, 5, 3, 1}}) {
    d.Update(w, h, pixels->data(), halve);
    for (int y = 0; y < d.m_height; ++y) {
      for (int x = 0; x < d.m_width; ++x) {
        ASSERT_EQ(d.m_surface->Row(y)[x], d.m_staging->Row(y)[x]) << w << " x " << h << " at " << x << ", " << y;
      }
    }
  }
  EXPECT_EQ(d.m_surface->Row(0)[0], 0x8222);
  EXPECT_EQ(d.m_surface->Row(2)[10], 0x8111);  // left from the large image
}

TEST_F(DecalTest, UploadCopiesAndSetTextureBinds) {
  g_singleDecal = 1;
  CDecal d;
  ASSERT_EQ(d.Create(16, 16, 0), S_OK);
  d.m_staging->Row(3)[4] = 0x8421;
  d.Upload();
  EXPECT_EQ(d.m_surface->Row(3)[4], 0x8421);
  d.SetTexture();
  EXPECT_EQ(g_3dDevice.Device()->Texture(), d.m_surface.get());
  d.Release();
  EXPECT_EQ(d.m_texture, nullptr);
  d.SetTexture();
  EXPECT_EQ(g_3dDevice.Device()->Texture(), nullptr);
  d.Update(8, 8, std::vector<uint16_t>(64).data(), 0);  // released: nothing to fill
  d.Upload();
}

TEST_F(DecalTest, AviDecalIsPlainRgbOfTheGivenSize) {
  CDecal d;
  ASSERT_EQ(d.CreateForAvi(320, 240), S_OK);
  EXPECT_EQ(d.m_width, 320);
  EXPECT_EQ(d.m_height, 240);
  EXPECT_EQ(d.m_surface->Format(), PixelFormat::RGB565);
  EXPECT_EQ(d.m_staging->Format(), PixelFormat::RGB565);
  EXPECT_EQ(d.m_surface->Width(), 320);
}

TEST_F(DecalTest, SurfaceFailuresAreLogged) {
  InjectDisplayFault(DisplayStep::TextureSurface, DDERR_OUTOFVIDEOMEMORY);
  testsupport::DebugLogCapture log;
  CDecal d, avi;
  EXPECT_EQ(d.Create(16, 16, 0), E_FAIL);
  EXPECT_EQ(avi.CreateForAvi(16, 16), E_FAIL);
  EXPECT_EQ(d.m_surface, nullptr);
  EXPECT_EQ(d.m_staging, nullptr);
  const std::vector<std::string> want = {"Decal Create tmp Surface Failed",
                                         "Decal Create tmp Surface Failed"};
  EXPECT_EQ(log.Lines(), want);
}

}  // namespace
