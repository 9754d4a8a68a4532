#include <SDL.h>
#include <gtest/gtest.h>

#include "engine/AppShell.h"
#include "render/3dDevice.h"
#include "render/RC.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace platform;

constexpr uint32_t kWindowed = kDevDoubleBuffer | kDevUnused04;  // as the settings loader
constexpr uint32_t kFullScreen = kWindowed | kDevFullScreen;

DisplayMode Mode(int width, int height, int bits) {
  DisplayMode mode;
  mode.width = width;
  mode.height = height;
  mode.bitCount = bits;
  return mode;
}

void FillPattern(Surface& s, uint16_t seed) {
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) s.Row(y)[x] = static_cast<uint16_t>(seed + x * 7 + y * 640);
  }
}

bool Shows(const Surface& s) {
  const PresentedFrame& f = LastPresentedFrame();
  if (f.width != s.Width() || f.height != s.Height()) return false;
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) {
      if (f.pixels[static_cast<size_t>(y) * s.Width() + x] != s.Row(y)[x]) return false;
    }
  }
  return true;
}

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

bool IsFullScreenWindow(WindowHandle w) {
  return (SDL_GetWindowFlags(SdlWindowOf(w)) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

class DeviceTest : public ::testing::Test {
 protected:
  DeviceTest() {
    ::setenv("SLV_LOCK_DIR", m_dir.Path().c_str(), 1);
    WindowDesc desc{"DeviceTest", "Device", nullptr, 100, 50, 640, 480};
    m_window = CreateAppWindow(desc);
    EXPECT_NE(m_window, nullptr);
  }
  ~DeviceTest() override {
    m_device.Release();
    DestroyAppWindow(m_window);
    SetDesktopFormat(DesktopFormat::Rgb565);
    ClearDisplayFaults();
    g_texturePointSampling = 0;
    CRC::s_fogOn = 0;
  }
  Result Create(uint32_t flags, const DisplayMode* mode = nullptr) {
    return m_device.Create(m_window, nullptr, &kRasterizerGuid, mode, flags);
  }
  void ExpectNothingHeld() {
    EXPECT_EQ(m_device.Primary(), nullptr);
    EXPECT_EQ(m_device.BackBuffer(), nullptr);
    EXPECT_EQ(m_device.RenderTarget(), nullptr);
    EXPECT_EQ(m_device.DepthSurface(), nullptr);
    EXPECT_EQ(m_device.Device(), nullptr);
    EXPECT_EQ(m_device.DirectDraw(), nullptr);
    EXPECT_EQ(g_shellDisplay.present, nullptr);
    EXPECT_FALSE(IsFullScreenWindow(m_window));
  }

  testsupport::TempDir m_dir;
  WindowHandle m_window = nullptr;
  C3dDevice m_device;
};

TEST_F(DeviceTest, InAWindowTheBackBufferIsOffScreenWithADepthBuffer) {
  ASSERT_EQ(Create(kWindowed), S_OK);
  EXPECT_FALSE(m_device.IsFullScreen());
  EXPECT_EQ(m_device.ViewWidth(), 640);
  EXPECT_EQ(m_device.ViewHeight(), 480);
  ASSERT_NE(m_device.BackBuffer(), nullptr);
  EXPECT_NE(m_device.BackBuffer(), m_device.Primary());
  EXPECT_EQ(m_device.RenderTarget(), m_device.BackBuffer());
  EXPECT_GT(m_device.BackBuffer()->Pitch(), 640 * 2);
  ASSERT_NE(m_device.DepthSurface(), nullptr);
  EXPECT_EQ(m_device.DepthSurface()->Format(), PixelFormat::Depth16);
  EXPECT_EQ(g_depthBufferOn, 1);
  EXPECT_EQ(g_primaryPixelFormat.bitCount, 16u);
  EXPECT_EQ(g_primaryPixelFormat.red, 0xF800u);
  EXPECT_NE(m_device.GetDeviceDesc().rasterCaps & kRasterFogTable, 0u);
  EXPECT_EQ(m_device.Primary()->ClipWindow(), m_window);
  EXPECT_FALSE(IsFullScreenWindow(m_window));
  ASSERT_NE(g_shellDisplay.isFullScreen, nullptr);
  EXPECT_FALSE(g_shellDisplay.isFullScreen());
}

TEST_F(DeviceTest, FullScreenFlipsAChainOfTheModesSize) {
  const DisplayMode mode = Mode(800, 600, 16);
  ASSERT_EQ(Create(kFullScreen, &mode), S_OK);
  EXPECT_TRUE(m_device.IsFullScreen());
  EXPECT_TRUE(g_shellDisplay.isFullScreen());
  EXPECT_TRUE(IsFullScreenWindow(m_window));
  EXPECT_EQ(m_device.ViewWidth(), 800);
  EXPECT_EQ(m_device.Primary()->Width(), 800);
  EXPECT_EQ(m_device.RenderTarget(), m_device.BackBuffer());
  FillPattern(*m_device.BackBuffer(), 3);
  const Surface drawn = *m_device.BackBuffer();
  ASSERT_EQ(m_device.Present(), S_OK);
  EXPECT_TRUE(Shows(drawn));
  EXPECT_TRUE(Shows(*m_device.Primary()));
  EXPECT_EQ(m_device.Release(), S_OK);
  ExpectNothingHeld();  // the window is back from full screen
}

TEST_F(DeviceTest, DefaultStatesAreSetOnTheDevice) {
  for (int32_t pointSampling : {0, 1}) {
    g_texturePointSampling = pointSampling;
    ASSERT_EQ(Create(kWindowed), S_OK);
    const Device3D& d = *m_device.Device();
    const std::pair<RenderState, uint32_t> renderStates[] = {
        {RenderState::CullMode, static_cast<uint32_t>(Cull::None)},
        {RenderState::ZFunc, static_cast<uint32_t>(Compare::LessEqual)},
        {RenderState::TexturePerspective, 1},
        {RenderState::AlphaBlendEnable, 1},
        {RenderState::AlphaTestEnable, 1},
        {RenderState::AlphaFunc, static_cast<uint32_t>(Compare::GreaterEqual)},
        {RenderState::AlphaRef, 240},
        {RenderState::ColorKeyEnable, 1},
        {RenderState::SrcBlend, static_cast<uint32_t>(Blend::SrcAlpha)},
        {RenderState::DestBlend, static_cast<uint32_t>(Blend::InvSrcAlpha)},
    };
    for (const auto& [state, value] : renderStates) {
      EXPECT_EQ(d.GetRenderState(state), value) << static_cast<int>(state);
    }
    const uint32_t filter =
        static_cast<uint32_t>(pointSampling != 0 ? Filter::Point : Filter::Linear);
    const std::pair<StageState, uint32_t> stageStates[] = {
        {StageState::ColorArg1, static_cast<uint32_t>(TextureArg::Texture)},
        {StageState::ColorArg2, static_cast<uint32_t>(TextureArg::Diffuse)},
        {StageState::ColorOp, static_cast<uint32_t>(TextureOp::Modulate)},
        {StageState::AlphaOp, static_cast<uint32_t>(TextureOp::Modulate)},
        {StageState::AlphaArg1, static_cast<uint32_t>(TextureArg::Texture)},
        {StageState::AlphaArg2, static_cast<uint32_t>(TextureArg::Diffuse)},
        {StageState::MinFilter, filter},
        {StageState::MagFilter, filter},
        {StageState::Address, static_cast<uint32_t>(TextureAddress::Clamp)},
    };
    for (const auto& [state, value] : stageStates) {
      EXPECT_EQ(d.GetStageState(state), value) << static_cast<int>(state);
    }
    const Viewport vp = d.GetViewport();
    EXPECT_EQ(vp.width, 640);
    EXPECT_EQ(vp.height, 480);
    m_device.Release();
  }
}

TEST_F(DeviceTest, EachFailingStepGivesItsCodeAndReleasesWhatWasMade) {
  struct Case {
    const char* what;
    std::optional<DisplayStep> step;
    Result injected;
    uint32_t flags;
    Result expected;
  };
  const Case cases[] = {
      {"display", DisplayStep::Create, E_FAIL, kWindowed, kDevErrDirectDraw},
      {"cooperative level", DisplayStep::CooperativeLevel, E_FAIL, kWindowed,
       kDevErrCooperativeLevel},
      {"3-D query", DisplayStep::QueryDirect3D, E_FAIL, kWindowed, kDevErrDirect3D},
      {"find device", DisplayStep::FindDevice, E_FAIL, kWindowed, kDevErrDirect3D},
      {"stencil wanted", std::nullopt, S_OK, kWindowed | kDevStencil, kDevErrDepthBuffer},
      {"display mode", DisplayStep::SetDisplayMode, E_FAIL, kFullScreen, kDevErrDisplayMode},
      {"primary", DisplayStep::PrimarySurface, E_FAIL, kWindowed, kDevErrPrimary},
      {"primary, no video memory", DisplayStep::PrimarySurface, DDERR_OUTOFVIDEOMEMORY, kFullScreen,
       DDERR_OUTOFVIDEOMEMORY},
      {"primary format read", DisplayStep::DescribeSurface, E_FAIL, kWindowed, kDevErrFail},
      {"primary format read, other error", DisplayStep::DescribeSurface, DDERR_INVALIDOBJECT,
       kWindowed, DDERR_INVALIDOBJECT},
      {"clipper", DisplayStep::Clipper, E_FAIL, kWindowed, kDevErrClipper},
      {"back buffer", DisplayStep::BackBuffer, E_FAIL, kWindowed, kDevErrBackBuffer},
      {"back buffer, no video memory", DisplayStep::BackBuffer, DDERR_OUTOFVIDEOMEMORY, kWindowed,
       DDERR_OUTOFVIDEOMEMORY},
      {"flip chain's back buffer", DisplayStep::BackBuffer, E_FAIL, kFullScreen, kDevErrBackBuffer},
      {"depth surface", DisplayStep::DepthSurface, E_FAIL, kWindowed, kDevErrDepthBuffer},
      {"depth, no video memory", DisplayStep::DepthSurface, DDERR_OUTOFVIDEOMEMORY, kFullScreen,
       DDERR_OUTOFVIDEOMEMORY},
      {"depth attach", DisplayStep::AttachDepth, E_FAIL, kWindowed, kDevErrDepthBuffer},
      {"mode read", DisplayStep::GetDisplayMode, E_FAIL, kWindowed, kDevErrFail},
      {"3-D device", DisplayStep::CreateDevice, E_FAIL, kFullScreen, kDevErrCreateDevice},
      {"viewport", DisplayStep::Viewport, E_FAIL, kWindowed, kDevErrViewport},
  };
  const DisplayMode mode = Mode(640, 480, 16);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ClearDisplayFaults();
    if (c.step) InjectDisplayFault(*c.step, c.injected);
    EXPECT_EQ(Create(c.flags, &mode), c.expected);
    ExpectNothingHeld();
    EXPECT_EQ(m_device.Release(), S_OK);
    ClearDisplayFaults();
    ASSERT_EQ(Create(c.flags & ~kDevStencil, &mode), S_OK);  // nothing was left behind
    m_device.Release();
  }
}

TEST_F(DeviceTest, BadArgumentsAndUnknownDevicesAreRefused) {
  const DisplayMode odd = Mode(641, 480, 16);
  const Guid unknown{{1, 2, 3}};
  EXPECT_EQ(m_device.Create(nullptr, nullptr, &kRasterizerGuid, nullptr, kWindowed), E_INVALIDARG);
  EXPECT_EQ(m_device.Create(m_window, nullptr, nullptr, nullptr, kWindowed), E_INVALIDARG);
  EXPECT_EQ(m_device.Create(m_window, nullptr, &kRasterizerGuid, nullptr, kFullScreen),
            E_INVALIDARG);
  EXPECT_EQ(m_device.Create(m_window, &unknown, &kRasterizerGuid, nullptr, kWindowed),
            kDevErrDirectDraw);
  EXPECT_EQ(m_device.Create(m_window, nullptr, &unknown, nullptr, kWindowed), kDevErrDirect3D);
  EXPECT_EQ(Create(kFullScreen, &odd), kDevErrDisplayMode);
  ExpectNothingHeld();
  const Guid primaryDriver{};  // as the settings store the primary driver
  EXPECT_EQ(m_device.Create(m_window, &primaryDriver, &kRasterizerGuid, nullptr, kWindowed), S_OK);
}

TEST_F(DeviceTest, AnEightBitDisplayFailsAfterTheSurfacesWereMade) {
  struct Case {
    const char* what;
    uint32_t flags;
    DesktopFormat desktop;
  };
  const Case cases[] = {
      {"8-bit desktop", kWindowed, DesktopFormat::Indexed8},
      {"8-bit full-screen mode", kFullScreen, DesktopFormat::Rgb565},
  };
  const DisplayMode mode = Mode(640, 480, 8);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetDesktopFormat(c.desktop);
    g_primaryPixelFormat = PixelFormatDesc{};
    g_depthBufferOn = 0;
    EXPECT_EQ(Create(c.flags, &mode), kDevErrPaletteMode);
    EXPECT_EQ(g_primaryPixelFormat.bitCount, 8u);  // the primary was made and read
    EXPECT_EQ(g_depthBufferOn, 1);                 // and the depth buffer
    ExpectNothingHeld();
  }
}

TEST_F(DeviceTest, GetRCChoosesTheContextByThePrimaryRedMask) {
  struct Case {
    DesktopFormat desktop;
    bool is555;
    bool message;
    bool bgrLog;
  };
  const Case cases[] = {
      {DesktopFormat::Rgb565, false, false, false},
      {DesktopFormat::Xrgb1555, true, false, false},
      {DesktopFormat::Bgr565, false, false, true},
      {DesktopFormat::Xrgb8888, false, true, false},
  };
  for (const Case& c : cases) {
    SetDesktopFormat(c.desktop);
    ASSERT_EQ(Create(kWindowed), S_OK);
    CRC::s_fogOn = c.is555 ? 1 : 0;
    testsupport::DebugLogCapture log;
    ::testing::internal::CaptureStderr();
    CRC* rc = m_device.GetRC();
    const std::string err = ::testing::internal::GetCapturedStderr();
    ASSERT_NE(rc, nullptr);
    EXPECT_EQ(dynamic_cast<CRC555*>(rc) != nullptr, c.is555);
    EXPECT_EQ(dynamic_cast<CRC565*>(rc) != nullptr, !c.is555);
    EXPECT_EQ(rc->ViewWidth(), 640);
    EXPECT_EQ(rc->ViewHeight(), 480);
    EXPECT_EQ(rc->Device(), m_device.Device().get());
    // A new context starts with fog off, and the device follows it.
    EXPECT_EQ(CRC::s_fogOn, 0);
    EXPECT_EQ(m_device.Device()->GetRenderState(RenderState::FogEnable), 0u);
    // The message box writes UTF-8 when there is no display.
    EXPECT_EQ(err.find(Utf8(u8"16비트 컬러로 바꿔주시기 바랍니다")) != std::string::npos, c.message)
        << err;
    EXPECT_EQ(err.find(Utf8(u8"알림")) != std::string::npos, c.message);
    EXPECT_EQ(log.Contains("BGR 565 MODE. NOT SUPPORTED YET"), c.bgrLog);
    EXPECT_EQ(log.Contains("Error In CRC *   C3dDevice::GetRC()"), c.bgrLog);
    m_device.FreeRC(rc);
    m_device.Release();
  }
  m_device.FreeRC(nullptr);
}

TEST_F(DeviceTest, GetRCFailsOnlyWithoutAClipper) {
  EXPECT_EQ(m_device.GetRC(), nullptr);  // no device made yet
  ASSERT_EQ(Create(kWindowed), S_OK);
  InjectDisplayFault(DisplayStep::Clipper, E_FAIL);
  EXPECT_EQ(m_device.GetRC(), nullptr);
}

TEST_F(DeviceTest, WindowedPresentShowsTheBackBufferWhereverTheWindowIs) {
  ASSERT_EQ(Create(kWindowed), S_OK);
  FillPattern(*m_device.BackBuffer(), 1);
  ASSERT_EQ(m_device.Present(), S_OK);
  EXPECT_TRUE(Shows(*m_device.BackBuffer()));

  int x = 0, y = 0;
  GetClientOrigin(m_window, &x, &y);
  SDL_SetWindowPosition(SdlWindowOf(m_window), x + 37, y + 11);
  int movedX = 0, movedY = 0;
  GetClientOrigin(m_window, &movedX, &movedY);
  ASSERT_EQ(movedX, x + 37);
  FillPattern(*m_device.BackBuffer(), 2);
  const uint64_t before = LastPresentedFrame().count;
  g_shellDisplay.present();  // the window procedure's present while inactive
  EXPECT_EQ(LastPresentedFrame().count, before + 1);
  EXPECT_TRUE(Shows(*m_device.BackBuffer()));
}

TEST_F(DeviceTest, PresentReportsLostSurfacesUntilTheyAreRestored) {
  EXPECT_EQ(m_device.Present(), kDevErrNoPrimary);
  ASSERT_EQ(Create(kWindowed), S_OK);
  m_device.DirectDraw()->LoseSurfaces();
  EXPECT_EQ(m_device.Present(), DDERR_SURFACELOST);
  EXPECT_EQ(m_device.RestoreSurfaces(), S_OK);
  EXPECT_FALSE(m_device.Primary()->IsLost());
  EXPECT_FALSE(m_device.BackBuffer()->IsLost());
  EXPECT_FALSE(m_device.DepthSurface()->IsLost());
  EXPECT_EQ(m_device.Present(), S_OK);
  EXPECT_EQ(m_device.RestoreSurfaces(), S_OK);
}

TEST_F(DeviceTest, WithoutDoubleBufferingTheDeviceDrawsIntoThePrimary) {
  ASSERT_EQ(Create(kDevUnused04), S_OK);
  EXPECT_EQ(m_device.BackBuffer(), nullptr);
  EXPECT_EQ(m_device.RenderTarget(), m_device.Primary());
  FillPattern(*m_device.Primary(), 5);
  EXPECT_EQ(m_device.Present(), S_OK);
  EXPECT_TRUE(Shows(*m_device.Primary()));
  m_device.DirectDraw()->LoseSurfaces();
  EXPECT_EQ(m_device.Present(), DDERR_SURFACELOST);
}

TEST_F(DeviceTest, ClearsFillTheViewWithBlackAndFarDepth) {
  ASSERT_EQ(Create(kWindowed), S_OK);
  Surface& back = *m_device.BackBuffer();
  Surface& depth = *m_device.DepthSurface();
  back.Fill(nullptr, 0x1234);
  depth.Fill(nullptr, 0x0042);
  m_device.ClearDepth();
  EXPECT_EQ(back.Row(479)[639], 0x1234);
  EXPECT_EQ(depth.Row(479)[639], 0xFFFF);
  depth.Fill(nullptr, 0x0042);
  m_device.ClearAll();
  for (int y : {0, 240, 479}) {
    for (int x : {0, 320, 639}) {
      EXPECT_EQ(back.Row(y)[x], 0);
      EXPECT_EQ(depth.Row(y)[x], 0xFFFF);
    }
  }
}

TEST_F(DeviceTest, ReleaseReportsObjectsStillHeldAndASecondReleaseDoesNothing) {
  ASSERT_EQ(Create(kWindowed), S_OK);
  std::shared_ptr<Display> heldDisplay = m_device.DirectDraw();
  std::shared_ptr<Device3D> heldDevice = m_device.Device();
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(m_device.Release(), kDevErrStillReferenced);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find(" : D3D object is still referenced 1 times"), std::string::npos) << err;
  EXPECT_NE(err.find(" : DDraw object is still referenced 1 times"), std::string::npos) << err;
  EXPECT_NE(err.find("Error"), std::string::npos);
  ExpectNothingHeld();
  heldDevice.reset();
  heldDisplay.reset();
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(m_device.Release(), S_OK);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

}  // namespace
