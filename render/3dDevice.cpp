#include "render/3dDevice.h"

#include <cstdio>

#include "engine/AppShell.h"
#include "engine/BitmapRes.h"
#include "platform/DebugLog.h"
#include "platform/MessageBox.h"
#include "render/RC.h"

using namespace platform;

C3dDevice g_3dDevice;
PixelFormatDesc g_primaryPixelFormat;
int32_t g_depthBufferOn = 0;
int32_t g_texturePointSampling = 0;
int32_t g_spritePointSampling = 0;

namespace {

// The device the window procedure presents while the game sleeps.
C3dDevice* g_shellDevice = nullptr;

void ConnectShell(C3dDevice* device) {
  g_shellDevice = device;
  g_shellDisplay.isFullScreen = [] {
    return g_shellDevice != nullptr && g_shellDevice->IsFullScreen();
  };
  g_shellDisplay.present = [] {
    if (g_shellDevice != nullptr) g_shellDevice->Present();
  };
}

void DisconnectShell(const C3dDevice* device) {
  if (g_shellDevice != device) return;
  g_shellDevice = nullptr;
  g_shellDisplay = ShellDisplayHooks{};
}

// A surface that could not be made: out of video memory says so, anything
// else is the step's own code.
Result SurfaceFailure(Result r, Result stepCode) {
  return r == DDERR_OUTOFVIDEOMEMORY ? r : stepCode;
}

void ReportStillReferenced(const char* what, long count) {
  char text[96];
  std::snprintf(text, sizeof text, " : %s object is still referenced %ld times", what, count);
  ShowMessageBox(text, "Error");
}

}  // namespace

Result C3dDevice::Create(WindowHandle window, const Guid* driver, const Guid* device,
                         const DisplayMode* mode, uint32_t flags) {
  m_window = window;
  if (window == nullptr || device == nullptr ||
      ((flags & kDevFullScreen) != 0 && mode == nullptr)) {
    return E_INVALIDARG;
  }
  m_fullScreen = (flags & kDevFullScreen) != 0;
  Result r = CreateDirectDraw(driver, flags);
  if (!Failed(r)) r = CreateDirect3D(*device, flags);
  if (!Failed(r)) r = CreateSurfaces(mode, flags);
  if (!Failed(r)) r = CreateDepthBuffer();
  if (!Failed(r)) r = Create3dDevice(*device);
  if (!Failed(r)) r = CreateViewport();
  if (Failed(r)) {
    Release();
    return r == E_FAIL ? kDevErrFail : r;
  }
  SetDefaultStates();
  ConnectShell(this);
  return S_OK;
}

Result C3dDevice::CreateDirectDraw(const Guid* driver, uint32_t flags) {
  if (Failed(Display::Create(driver, &m_directDraw))) return kDevErrDirectDraw;
  uint32_t level =
      m_fullScreen ? (DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE) : DDSCL_NORMAL;
  if ((flags & kDevNoFpuSetup) == 0) level |= DDSCL_FPUSETUP;
  if (Failed(m_directDraw->SetCooperativeLevel(m_window, level))) return kDevErrCooperativeLevel;
  return S_OK;
}

Result C3dDevice::CreateDirect3D(const Guid& device, uint32_t flags) {
  if (Failed(m_directDraw->QueryDirect3D())) return kDevErrDirect3D;
  m_direct3D = m_directDraw;
  DeviceDesc hardware, software;
  if (Failed(m_direct3D->FindDevice(device, &hardware, &software))) return kDevErrDirect3D;
  const bool isHardware = hardware.colorModel != 0;
  m_deviceDesc = isHardware ? hardware : software;
  m_depthMemoryCaps = isHardware ? DDSCAPS_VIDEOMEMORY : DDSCAPS_SYSTEMMEMORY;
  const uint32_t wanted =
      (flags & kDevStencil) != 0 ? (DDPF_ZBUFFER | DDPF_STENCILBUFFER) : DDPF_ZBUFFER;
  bool found = false;
  for (const PixelFormatDesc& format : m_direct3D->EnumZBufferFormats(device)) {
    if (format.flags != wanted) continue;
    m_depthFormat = format;
    found = true;
    if (format.bitCount == 16) break;
  }
  return found ? S_OK : kDevErrDepthBuffer;
}

Result C3dDevice::CreateSurfaces(const DisplayMode* mode, uint32_t flags) {
  const bool doubleBuffer = (flags & kDevDoubleBuffer) != 0;
  const Result r = m_fullScreen ? CreateFullScreenSurfaces(*mode, doubleBuffer)
                                : CreateWindowSurfaces(doubleBuffer);
  if (Failed(r)) return r;
  m_renderTarget = doubleBuffer ? m_backBuffer : m_primary;
  return S_OK;
}

Result C3dDevice::CreateFullScreenSurfaces(const DisplayMode& mode, bool doubleBuffer) {
  m_viewWidth = mode.width;
  m_viewHeight = mode.height;
  const bool standardVga = mode.width == 320 && mode.height == 200 && mode.bitCount == 8;
  if (Failed(m_directDraw->SetDisplayMode(mode.width, mode.height, mode.bitCount, mode.refreshRate,
                                          standardVga ? DDSDM_STANDARDVGAMODE : 0))) {
    return kDevErrDisplayMode;
  }
  SurfaceDesc desc;
  desc.caps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_3DDEVICE;
  if (doubleBuffer) {
    desc.caps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    desc.backBufferCount = 1;
  }
  if (const Result r = m_directDraw->CreateSurface(desc, &m_primary); Failed(r)) {
    return SurfaceFailure(r, kDevErrPrimary);
  }
  if (const Result r = PublishPrimaryFormat(); Failed(r)) return r;
  if (doubleBuffer && Failed(m_directDraw->GetAttachedBackBuffer(*m_primary, &m_backBuffer))) {
    return kDevErrBackBuffer;
  }
  return S_OK;
}

Result C3dDevice::CreateWindowSurfaces(bool doubleBuffer) {
  int width = 0, height = 0;
  GetClientSize(m_window, &width, &height);
  m_viewWidth = width;
  m_viewHeight = height;
  m_clientRect = Rect{0, 0, width, height};
  m_windowRect = ClientRectOnScreen();
  SurfaceDesc desc;
  desc.caps = DDSCAPS_PRIMARYSURFACE | (doubleBuffer ? 0u : DDSCAPS_3DDEVICE);
  if (const Result r = m_directDraw->CreateSurface(desc, &m_primary); Failed(r)) {
    return SurfaceFailure(r, kDevErrPrimary);
  }
  if (const Result r = PublishPrimaryFormat(); Failed(r)) return r;
  if (Failed(m_directDraw->SetClipper(*m_primary, m_window))) return kDevErrClipper;
  if (doubleBuffer) {
    SurfaceDesc back;
    back.caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE;
    back.width = width;
    back.height = height;
    if (const Result r = m_directDraw->CreateSurface(back, &m_backBuffer); Failed(r)) {
      return SurfaceFailure(r, kDevErrBackBuffer);
    }
  } else {
    m_clientRect = m_windowRect;
  }
  return S_OK;
}

// The step has no code of its own: its failure is passed up.
Result C3dDevice::PublishPrimaryFormat() {
  const Result r = m_directDraw->DescribeSurface(*m_primary, &g_primaryPixelFormat);
  CBitmapRes::SetDisplayGreenMask(g_primaryPixelFormat.green);  // pictures load in the screen's layout
  return r;
}

Result C3dDevice::CreateDepthBuffer() {
  if ((m_deviceDesc.rasterCaps & D3DPRASTERCAPS_ZBUFFERLESSHSR) != 0) return S_OK;
  g_depthBufferOn = 1;
  SurfaceDesc desc;
  desc.caps = DDSCAPS_ZBUFFER | m_depthMemoryCaps;
  desc.width = m_viewWidth;
  desc.height = m_viewHeight;
  desc.format = m_depthFormat;
  if (const Result r = m_directDraw->CreateSurface(desc, &m_depth); Failed(r)) {
    return SurfaceFailure(r, kDevErrDepthBuffer);
  }
  if (Failed(m_directDraw->AttachDepth(*m_renderTarget, m_depth))) return kDevErrDepthBuffer;
  return S_OK;
}

Result C3dDevice::Create3dDevice(const Guid& device) {
  DisplayMode current;
  if (const Result r = m_directDraw->GetDisplayMode(&current); Failed(r)) return r;
  if (current.bitCount <= 8) return kDevErrPaletteMode;
  if (Failed(m_direct3D->CreateDevice(device, m_renderTarget, &m_device)))
    return kDevErrCreateDevice;
  return S_OK;
}

Result C3dDevice::CreateViewport() {
  if (Failed(m_direct3D->CreateViewport(*m_device, Viewport{0, 0, m_viewWidth, m_viewHeight}))) {
    return kDevErrViewport;
  }
  m_viewport = true;
  return S_OK;
}

void C3dDevice::SetDefaultStates() {
  static constexpr std::pair<RenderState, uint32_t> kRenderStates[] = {
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
  for (const auto& [state, value] : kRenderStates) m_device->SetRenderState(state, value);
  const uint32_t filter =
      static_cast<uint32_t>(g_texturePointSampling != 0 ? Filter::Point : Filter::Linear);
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
  for (const auto& [state, value] : stageStates) m_device->SetStageState(state, value);
}

Result C3dDevice::Release() {
  m_viewport = false;
  long deviceRefs = 0;
  if (m_device != nullptr) {
    deviceRefs = m_device.use_count() - 1;
    m_device.reset();
  }
  m_backBuffer.reset();  // in full screen a part of the flip chain: only forgotten
  m_renderTarget.reset();
  m_depth.reset();
  m_primary.reset();
  m_direct3D.reset();
  long displayRefs = 0;
  if (m_directDraw != nullptr) {
    m_directDraw->SetCooperativeLevel(m_window, DDSCL_NORMAL);
    displayRefs = m_directDraw.use_count() - 1;
    m_directDraw.reset();
  }
  DisconnectShell(this);
  if (deviceRefs > 0) ReportStillReferenced("D3D", deviceRefs);
  if (displayRefs > 0) ReportStillReferenced("DDraw", displayRefs);
  return deviceRefs > 0 || displayRefs > 0 ? kDevErrStillReferenced : S_OK;
}

CRC* C3dDevice::GetRC() {
  if (m_primary == nullptr) return nullptr;  // nothing to draw on yet
  CRC* rc = nullptr;
  switch (g_primaryPixelFormat.red) {
    case 0xF800:
      rc = new CRC565;
      break;
    case 0x7C00:
      rc = new CRC555;
      break;
    case 0x001F:
      DebugLog("BGR 565 MODE. NOT SUPPORTED YET");
      DebugLog("Error In CRC *   C3dDevice::GetRC()");
      rc = new CRC565;
      break;
    default:
      ShowMessageBox(
          "셀바리아를 창모드에서 플레이하시려면 데스크탑의 칼라수를 16비트 컬러로 바꿔주시기 "
          "바랍니다",
          "알림");
      rc = new CRC565;
      break;
  }
  rc->SetViewSize(m_viewWidth, m_viewHeight);
  rc->SetDevice(m_device.get());
  if (m_device != nullptr)
    m_device->SetRenderState(RenderState::FogEnable, CRC::s_fogOn != 0 ? 1 : 0);
  if (Failed(m_directDraw->SetClipper(*m_primary, m_window))) {
    delete rc;
    return nullptr;
  }
  return rc;
}

void C3dDevice::FreeRC(CRC* rc) { delete rc; }

Rect C3dDevice::ClientRectOnScreen() const {
  int x = 0, y = 0, width = 0, height = 0;
  GetClientOrigin(m_window, &x, &y);
  GetClientSize(m_window, &width, &height);
  return Rect{x, y, x + width, y + height};
}

Result C3dDevice::Present() {
  if (m_primary == nullptr) return kDevErrNoPrimary;
  Result r = S_OK;
  if (m_backBuffer == nullptr) {
    r = m_primary->IsLost() ? DDERR_SURFACELOST : S_OK;
  } else if (m_fullScreen) {
    r = m_primary->Flip(*m_backBuffer);
  } else {
    // The window may have moved since the last frame.
    m_windowRect = ClientRectOnScreen();
    r = m_primary->Blt(&m_windowRect, *m_backBuffer, &m_clientRect);
  }
  if (!Failed(r)) m_directDraw->UpdateWindow();
  return r;
}

void C3dDevice::ClearViewport(uint32_t flags) {
  // Nothing to clear without a 3-D device; no depth to clear without its
  // surface.
  if (!m_viewport || m_device == nullptr) return;
  if (m_depth == nullptr) flags &= ~kClearDepth;
  if (flags != 0) m_device->Clear(Rect{0, 0, m_viewWidth, m_viewHeight}, flags, 0, 1.0f);
}

void C3dDevice::ClearAll() { ClearViewport(kClearTarget | kClearDepth); }
void C3dDevice::ClearDepth() { ClearViewport(kClearDepth); }

Result C3dDevice::RestoreSurfaces() {
  for (const auto* surface : {&m_primary, &m_backBuffer, &m_depth}) {
    if (*surface != nullptr && (*surface)->IsLost()) (*surface)->Restore();
  }
  return S_OK;
}
