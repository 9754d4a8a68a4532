#pragma once
// The display device: the screen's surfaces, the 3-D device drawing into
// them, and the render contexts over them. Created once from the video
// settings, released at shutdown (and once more at exit).
#include <cstdint>
#include <memory>

#include "platform/Device3D.h"
#include "platform/Display.h"
#include "platform/Result.h"
#include "platform/Surface.h"
#include "platform/Window.h"

class CRC;

// Creation flags.
inline constexpr uint32_t kDevFullScreen = 0x01;
inline constexpr uint32_t kDevDoubleBuffer = 0x02;
inline constexpr uint32_t kDevUnused04 = 0x04;  // passed by the settings loader, not read
inline constexpr uint32_t kDevStencil = 0x08;
inline constexpr uint32_t kDevNoFpuSetup = 0x10;

// Result codes: the step of Create that failed, and the other failures.
inline constexpr platform::Result kDevErrFail = platform::MakeResult(0x82000000u);
inline constexpr platform::Result kDevErrDirectDraw = platform::MakeResult(0x82000001u);
inline constexpr platform::Result kDevErrCooperativeLevel = platform::MakeResult(0x82000002u);
inline constexpr platform::Result kDevErrDirect3D = platform::MakeResult(0x82000003u);
inline constexpr platform::Result kDevErrCreateDevice = platform::MakeResult(0x82000004u);
inline constexpr platform::Result kDevErrDepthBuffer = platform::MakeResult(0x82000005u);
inline constexpr platform::Result kDevErrViewport = platform::MakeResult(0x82000006u);
inline constexpr platform::Result kDevErrPrimary = platform::MakeResult(0x82000007u);
inline constexpr platform::Result kDevErrClipper = platform::MakeResult(0x82000008u);
inline constexpr platform::Result kDevErrDisplayMode = platform::MakeResult(0x82000009u);
inline constexpr platform::Result kDevErrBackBuffer = platform::MakeResult(0x8200000Au);
inline constexpr platform::Result kDevErrStillReferenced = platform::MakeResult(0x8200000Bu);
inline constexpr platform::Result kDevErrPaletteMode = platform::MakeResult(0x8200000Du);
inline constexpr platform::Result kDevErrNoPrimary = platform::MakeResult(0x8200000Eu);

class C3dDevice {
 public:
  C3dDevice() = default;
  ~C3dDevice() { Release(); }  // the game's device is released once more at exit
  C3dDevice(const C3dDevice&) = delete;
  C3dDevice& operator=(const C3dDevice&) = delete;

  // mode: width, height, bit count and refresh rate of the full-screen mode.
  platform::Result Create(platform::WindowHandle window, const platform::Guid* driver,
                          const platform::Guid* device, const platform::DisplayMode* mode,
                          uint32_t flags);
  // 0, or kDevErrStillReferenced after showing which objects were held.
  platform::Result Release();

  CRC* GetRC();
  void FreeRC(CRC* rc);

  platform::Result Present();
  void ClearAll();
  void ClearDepth();
  platform::Result RestoreSurfaces();

  // What the rest of rendering reaches through the device.
  bool IsFullScreen() const { return m_fullScreen; }
  int32_t ViewWidth() const { return m_viewWidth; }
  int32_t ViewHeight() const { return m_viewHeight; }
  // Holders of these count as references at Release.
  const std::shared_ptr<platform::Display>& DirectDraw() const { return m_directDraw; }
  const std::shared_ptr<platform::Device3D>& Device() const { return m_device; }
  platform::Surface* Primary() const { return m_primary.get(); }
  platform::Surface* BackBuffer() const { return m_backBuffer.get(); }
  platform::Surface* RenderTarget() const { return m_renderTarget.get(); }
  platform::Surface* DepthSurface() const { return m_depth.get(); }
  const platform::DeviceDesc& GetDeviceDesc() const { return m_deviceDesc; }

 private:
  platform::Result CreateDirectDraw(const platform::Guid* driver, uint32_t flags);
  platform::Result CreateDirect3D(const platform::Guid& device, uint32_t flags);
  platform::Result CreateSurfaces(const platform::DisplayMode* mode, uint32_t flags);
  platform::Result CreateFullScreenSurfaces(const platform::DisplayMode& mode, bool doubleBuffer);
  platform::Result CreateWindowSurfaces(bool doubleBuffer);
  platform::Result PublishPrimaryFormat();
  platform::Result CreateDepthBuffer();
  platform::Result Create3dDevice(const platform::Guid& device);
  platform::Result CreateViewport();
  void SetDefaultStates();
  platform::Rect ClientRectOnScreen() const;
  void ClearViewport(uint32_t flags);

  platform::WindowHandle m_window = nullptr;
  int32_t m_viewWidth = 0;
  int32_t m_viewHeight = 0;
  platform::Rect m_windowRect;
  platform::Rect m_clientRect;
  std::shared_ptr<platform::Surface> m_primary;
  std::shared_ptr<platform::Surface> m_backBuffer;
  std::shared_ptr<platform::Surface> m_renderTarget;
  std::shared_ptr<platform::Surface> m_depth;
  std::shared_ptr<platform::Device3D> m_device;
  bool m_viewport = false;
  std::shared_ptr<platform::Display> m_directDraw;
  std::shared_ptr<platform::Display> m_direct3D;  // the same object, its 3-D side
  platform::DeviceDesc m_deviceDesc;
  uint32_t m_depthMemoryCaps = 0;
  platform::PixelFormatDesc m_depthFormat;
  bool m_fullScreen = false;
};

// The game's one display device.
extern C3dDevice g_3dDevice;

// Published by the device: the primary surface's pixel format, and whether a
// depth buffer was ever made (never cleared).
extern platform::PixelFormatDesc g_primaryPixelFormat;
extern int32_t g_depthBufferOn;

// Set by the settings loader: textures are point-sampled instead of filtered.
extern int32_t g_texturePointSampling;
// Set by the settings loader: sprites and effects are point-sampled.
extern int32_t g_spritePointSampling;
