#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Display.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace platform;

class DisplayTest : public ::testing::Test {
 protected:
  DisplayTest() {
    ::setenv("SLV_LOCK_DIR", m_dir.Path().c_str(), 1);
    WindowDesc desc{"DisplayTest", "Display", nullptr, 10, 20, 640, 480};
    m_window = CreateAppWindow(desc);
    EXPECT_NE(m_window, nullptr);
    EXPECT_EQ(Display::Create(nullptr, &m_display), S_OK);
    EXPECT_EQ(m_display->SetCooperativeLevel(m_window, DDSCL_NORMAL), S_OK);
  }
  ~DisplayTest() override {
    m_display.reset();
    DestroyAppWindow(m_window);
    SetDesktopFormat(DesktopFormat::Rgb565);
    ClearDisplayFaults();
  }
  std::shared_ptr<Surface> Primary() {
    SurfaceDesc desc;
    desc.caps = DDSCAPS_PRIMARYSURFACE;
    std::shared_ptr<Surface> primary;
    EXPECT_EQ(m_display->CreateSurface(desc, &primary), S_OK);
    return primary;
  }

  testsupport::TempDir m_dir;
  WindowHandle m_window = nullptr;
  std::shared_ptr<Display> m_display;
};

TEST_F(DisplayTest, TheDeviceOffersTableAndWFogOneDepthFormatAndNoCompressedTextures) {
  DeviceDesc hardware, software;
  EXPECT_EQ(m_display->FindDevice(kRasterizerGuid, &hardware, &software), DDERR_INVALIDOBJECT);
  ASSERT_EQ(m_display->QueryDirect3D(), S_OK);
  ASSERT_EQ(m_display->FindDevice(kRasterizerGuid, &hardware, &software), S_OK);
  EXPECT_NE(hardware.colorModel, 0u);
  EXPECT_EQ(hardware.rasterCaps & (kRasterFogTable | kRasterWFog), kRasterFogTable | kRasterWFog);
  EXPECT_EQ(hardware.rasterCaps & D3DPRASTERCAPS_ZBUFFERLESSHSR, 0u);
  EXPECT_EQ(m_display->FindDevice(Guid{}, &hardware, &software), DDERR_NOTFOUND);

  const auto depth = m_display->EnumZBufferFormats(kRasterizerGuid);
  ASSERT_EQ(depth.size(), 1u);
  EXPECT_EQ(depth[0].flags, DDPF_ZBUFFER);
  EXPECT_EQ(depth[0].bitCount, 16u);
  EXPECT_TRUE(m_display->EnumZBufferFormats(Guid{}).empty());

  std::vector<PixelFormat> textures;
  for (const PixelFormatDesc& f : m_display->EnumTextureFormats()) {
    EXPECT_EQ(f.flags & (DDPF_FOURCC | DDPF_LUMINANCE | DDPF_BUMPDUDV | DDPF_BUMPLUMINANCE), 0u);
    ASSERT_TRUE(FormatOf(f).has_value());
    textures.push_back(*FormatOf(f));
  }
  EXPECT_EQ(textures, (std::vector<PixelFormat>{PixelFormat::RGB565, PixelFormat::XRGB1555,
                                                PixelFormat::ARGB1555, PixelFormat::ARGB4444}));
}

TEST_F(DisplayTest, ModesIncludeTheGameModeAndOnlyListedModesCanBeSet) {
  const auto modes = m_display->EnumDisplayModes();
  EXPECT_TRUE(std::any_of(modes.begin(), modes.end(), [](const DisplayMode& m) {
    return m.width == 640 && m.height == 480 && m.bitCount == 16 && m.format.red == 0xF800;
  }));
  EXPECT_EQ(m_display->SetDisplayMode(641, 480, 16, 0, 0), DDERR_INVALIDMODE);
  ASSERT_EQ(m_display->SetDisplayMode(800, 600, 16, 0, 0), S_OK);
  DisplayMode current;
  ASSERT_EQ(m_display->GetDisplayMode(&current), S_OK);
  EXPECT_EQ(current.width, 800);
  EXPECT_EQ(current.bitCount, 16);
  EXPECT_EQ(Primary()->Width(), 800);  // full screen: the primary is the mode's size
  ASSERT_EQ(m_display->SetCooperativeLevel(m_window, DDSCL_NORMAL), S_OK);
  ASSERT_EQ(m_display->GetDisplayMode(&current), S_OK);
  EXPECT_NE(current.width, 800);  // back to the desktop
}

TEST_F(DisplayTest, TheDesktopFormatDecidesThePrimaryFormat) {
  struct Case {
    DesktopFormat desktop;
    uint32_t bits, red;
    PixelFormat surface;
  };
  const Case cases[] = {
      {DesktopFormat::Rgb565, 16, 0xF800, PixelFormat::RGB565},
      {DesktopFormat::Xrgb1555, 16, 0x7C00, PixelFormat::XRGB1555},
      {DesktopFormat::Bgr565, 16, 0x001F, PixelFormat::RGB565},
      {DesktopFormat::Indexed8, 8, 0, PixelFormat::RGB565},
      {DesktopFormat::Xrgb8888, 32, 0xFF0000, PixelFormat::RGB565},
  };
  for (const Case& c : cases) {
    SetDesktopFormat(c.desktop);
    DisplayMode mode;
    ASSERT_EQ(m_display->GetDisplayMode(&mode), S_OK);
    EXPECT_EQ(mode.bitCount, static_cast<int>(c.bits));
    const auto primary = Primary();
    ASSERT_NE(primary, nullptr);
    EXPECT_EQ(primary->Format(), c.surface);
    EXPECT_EQ(primary->Width(), 640);
    EXPECT_GT(primary->Pitch(), 640 * 2);
    PixelFormatDesc described;
    ASSERT_EQ(m_display->DescribeSurface(*primary, &described), S_OK);
    EXPECT_EQ(described.bitCount, c.bits);
    EXPECT_EQ(described.red, c.red);
    // Other surfaces describe what they hold.
    SurfaceDesc offscreen;
    offscreen.caps = DDSCAPS_OFFSCREENPLAIN;
    offscreen.width = 33;
    offscreen.height = 5;
    std::shared_ptr<Surface> plain;
    ASSERT_EQ(m_display->CreateSurface(offscreen, &plain), S_OK);
    EXPECT_EQ(plain->Format(), c.surface);
    ASSERT_EQ(m_display->DescribeSurface(*plain, &described), S_OK);
    EXPECT_EQ(described, DescOf(c.surface));
  }
}

TEST_F(DisplayTest, SurfacesAreMadeInTheFormatAskedOrRefused) {
  struct Case {
    uint32_t caps;
    std::optional<PixelFormatDesc> format;
    int width;
    Result result;
    PixelFormat made;
  };
  PixelFormatDesc dxt1;
  dxt1.flags = DDPF_FOURCC;
  dxt1.fourCC = 0x31545844;
  const Case cases[] = {
      {DDSCAPS_TEXTURE, DescOf(PixelFormat::ARGB4444), 64, S_OK, PixelFormat::ARGB4444},
      {DDSCAPS_TEXTURE, DescOf(PixelFormat::ARGB1555), 16, S_OK, PixelFormat::ARGB1555},
      {DDSCAPS_ZBUFFER, DescOf(PixelFormat::Depth16), 640, S_OK, PixelFormat::Depth16},
      {DDSCAPS_TEXTURE, dxt1, 64, DDERR_INVALIDPIXELFORMAT, PixelFormat::RGB565},
      {DDSCAPS_ZBUFFER, DescOf(PixelFormat::RGB565), 64, DDERR_INVALIDPIXELFORMAT,
       PixelFormat::RGB565},
      {DDSCAPS_TEXTURE, DescOf(PixelFormat::Depth16), 64, DDERR_INVALIDPIXELFORMAT,
       PixelFormat::RGB565},
      {DDSCAPS_OFFSCREENPLAIN, std::nullopt, 0, DDERR_INVALIDPARAMS, PixelFormat::RGB565},
      {DDSCAPS_OFFSCREENPLAIN, std::nullopt, 5000, DDERR_INVALIDPARAMS, PixelFormat::RGB565},
  };
  for (const Case& c : cases) {
    SurfaceDesc desc;
    desc.caps = c.caps;
    desc.format = c.format;
    desc.width = c.width;
    desc.height = 8;
    std::shared_ptr<Surface> s;
    ASSERT_EQ(m_display->CreateSurface(desc, &s), c.result) << c.caps << " " << c.width;
    if (c.result != S_OK) {
      EXPECT_EQ(s, nullptr);
      continue;
    }
    EXPECT_EQ(s->Format(), c.made);
    EXPECT_EQ(s->Width(), c.width);
    EXPECT_GT(s->Pitch(), c.width * 2);
  }
}

TEST_F(DisplayTest, FaultsFailTheirStepAndLostSurfacesReachEverySurfaceMade) {
  InjectDisplayFault(DisplayStep::TextureSurface, DDERR_OUTOFVIDEOMEMORY);
  SurfaceDesc texture;
  texture.caps = DDSCAPS_TEXTURE;
  texture.format = DescOf(PixelFormat::ARGB1555);
  texture.width = texture.height = 16;
  std::shared_ptr<Surface> s;
  EXPECT_EQ(m_display->CreateSurface(texture, &s), DDERR_OUTOFVIDEOMEMORY);
  ClearDisplayFaults();
  ASSERT_EQ(m_display->CreateSurface(texture, &s), S_OK);
  const auto primary = Primary();
  m_display->LoseSurfaces();
  EXPECT_TRUE(s->IsLost());
  EXPECT_TRUE(primary->IsLost());
  EXPECT_EQ(m_display->UpdateWindow(), DDERR_SURFACELOST);
}

TEST_F(DisplayTest, TheWindowShowsThePrimaryRowByRow) {
  const auto primary = Primary();
  for (int y = 0; y < primary->Height(); ++y) {
    for (int x = 0; x < primary->Width(); ++x)
      primary->Row(y)[x] = static_cast<uint16_t>(x * 3 + y);
  }
  const uint64_t before = LastPresentedFrame().count;
  ASSERT_EQ(m_display->UpdateWindow(), S_OK);
  const PresentedFrame& frame = LastPresentedFrame();
  EXPECT_EQ(frame.count, before + 1);
  ASSERT_EQ(frame.width, 640);
  ASSERT_EQ(frame.height, 480);
  EXPECT_EQ(frame.format, PixelFormat::RGB565);
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      ASSERT_EQ(frame.pixels[static_cast<size_t>(y) * 640 + x], static_cast<uint16_t>(x * 3 + y));
    }
  }
  // Unless asked, a present is counted but its pixels are not copied.
  KeepPresentedFrames(false);
  ASSERT_EQ(m_display->UpdateWindow(), S_OK);
  KeepPresentedFrames(true);
  EXPECT_EQ(frame.count, before + 2);
  EXPECT_EQ(frame.width, 640);
  EXPECT_TRUE(frame.pixels.empty());
}

}  // namespace
