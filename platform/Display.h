#pragma once
// The display: what the game asks of the graphics system to get a screen and
// a 3-D device. One object per device set-up; it makes the screen surfaces
// (in memory), tells the display's formats and modes, makes the 3-D device
// and shows the screen surface in the window (under SDL's dummy driver into a
// frame buffer that tests read).
#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Device3D.h"
#include "platform/Result.h"
#include "platform/Surface.h"
#include "platform/Window.h"

namespace platform {

struct Guid {
  std::array<uint8_t, 16> bytes{};
  bool operator==(const Guid&) const = default;
};

// The one 3-D device: the software rasterizer.
inline constexpr Guid kRasterizerGuid{{0x53, 0x4C, 0x56, 0x52, 0x61, 0x73, 0x74, 0x65, 0x72, 0x69,
                                       0x7A, 0x65, 0x72, 0x00, 0x00, 0x01}};

// Pixel-format flags.
inline constexpr uint32_t DDPF_ALPHAPIXELS = 0x1;
inline constexpr uint32_t DDPF_FOURCC = 0x4;
inline constexpr uint32_t DDPF_PALETTEINDEXED8 = 0x20;
inline constexpr uint32_t DDPF_RGB = 0x40;
inline constexpr uint32_t DDPF_ZBUFFER = 0x400;
inline constexpr uint32_t DDPF_STENCILBUFFER = 0x4000;
inline constexpr uint32_t DDPF_LUMINANCE = 0x20000;
inline constexpr uint32_t DDPF_BUMPLUMINANCE = 0x40000;
inline constexpr uint32_t DDPF_BUMPDUDV = 0x80000;

// Surface capabilities.
inline constexpr uint32_t DDSCAPS_BACKBUFFER = 0x4;
inline constexpr uint32_t DDSCAPS_COMPLEX = 0x8;
inline constexpr uint32_t DDSCAPS_FLIP = 0x10;
inline constexpr uint32_t DDSCAPS_OFFSCREENPLAIN = 0x40;
inline constexpr uint32_t DDSCAPS_PRIMARYSURFACE = 0x200;
inline constexpr uint32_t DDSCAPS_SYSTEMMEMORY = 0x800;
inline constexpr uint32_t DDSCAPS_TEXTURE = 0x1000;
inline constexpr uint32_t DDSCAPS_3DDEVICE = 0x2000;
inline constexpr uint32_t DDSCAPS_VIDEOMEMORY = 0x4000;
inline constexpr uint32_t DDSCAPS_ZBUFFER = 0x20000;
inline constexpr uint32_t DDSCAPS2_TEXTUREMANAGE = 0x10;

// Cooperative levels.
inline constexpr uint32_t DDSCL_FULLSCREEN = 0x1;
inline constexpr uint32_t DDSCL_ALLOWREBOOT = 0x2;
inline constexpr uint32_t DDSCL_NORMAL = 0x8;
inline constexpr uint32_t DDSCL_EXCLUSIVE = 0x10;
inline constexpr uint32_t DDSCL_FPUSETUP = 0x800;

// Display-mode flag.
inline constexpr uint32_t DDSDM_STANDARDVGAMODE = 0x1;

// Raster capability: hidden-surface removal without a depth buffer.
inline constexpr uint32_t D3DPRASTERCAPS_ZBUFFERLESSHSR = 0x8000;

struct PixelFormatDesc {
  uint32_t flags = 0;  // DDPF_*
  uint32_t fourCC = 0;
  uint32_t bitCount = 0;  // colour bits, or the depth of a depth format
  uint32_t red = 0, green = 0, blue = 0, alpha = 0;
  bool operator==(const PixelFormatDesc&) const = default;
};
PixelFormatDesc DescOf(PixelFormat format);
// The surface format of a described one; none for formats surfaces lack.
std::optional<PixelFormat> FormatOf(const PixelFormatDesc& desc);

struct DisplayMode {
  int width = 0, height = 0, bitCount = 0, refreshRate = 0;
  PixelFormatDesc format;  // filled by the display
};

// A description of the 3-D device; a non-zero colour model marks the
// hardware description.
struct DeviceDesc {
  uint32_t colorModel = 0;
  uint32_t rasterCaps = 0;       // kRaster* of Device3D.h, D3DPRASTERCAPS_*
  uint32_t renderBitDepths = 0;  // bit 0x400: renders to 16-bit surfaces
  uint32_t alphaCmpCaps = 0;     // D3DPCMPCAPS_*: the alpha test's comparisons
};

// Comparisons a device can test with (its alpha test among them).
inline constexpr uint32_t D3DPCMPCAPS_NEVER = 0x1;
inline constexpr uint32_t D3DPCMPCAPS_ALWAYS = 0x80;
inline constexpr uint32_t D3DPCMPCAPS_ALL = 0xFF;
// Bit of DeviceDesc::renderBitDepths: renders to 16-bit surfaces.
inline constexpr uint32_t DDBD_16 = 0x400;

struct DeviceInfo {
  Guid guid;
  const char* name;
  DeviceDesc hardware, software;
};

struct SurfaceDesc {
  uint32_t caps = 0;          // DDSCAPS_*
  uint32_t caps2 = 0;         // DDSCAPS2_*
  int width = 0, height = 0;  // the primary takes the screen's
  int backBufferCount = 0;
  std::optional<PixelFormatDesc> format;  // none: the display's
};

// The desktop's format in a window; tests reach the other depths with it.
enum class DesktopFormat : uint8_t { Rgb565, Xrgb1555, Bgr565, Indexed8, Xrgb8888 };
void SetDesktopFormat(DesktopFormat format);

// Tests make one step of the set-up fail with a result, until cleared.
enum class DisplayStep : uint8_t {
  Create,
  CooperativeLevel,
  QueryDirect3D,
  FindDevice,
  SetDisplayMode,
  PrimarySurface,
  BackBuffer,
  OffscreenSurface,
  DepthSurface,
  TextureSurface,
  DescribeSurface,
  Clipper,
  AttachDepth,
  GetDisplayMode,
  CreateDevice,
  Viewport,
};
void InjectDisplayFault(DisplayStep step, Result result);
void ClearDisplayFaults();

// What the window last showed: the screen surface's pixels, row by row
// without padding, and where on the screen the window's client area was.
struct PresentedFrame {
  int width = 0, height = 0;
  PixelFormat format = PixelFormat::RGB565;
  std::vector<uint16_t> pixels;
  // A window showing 24-bit images: red, green and blue bytes, in place of
  // the 16-bit pixels.
  std::vector<uint8_t> rgb;
  uint64_t count = 0;  // frames shown so far
};
const PresentedFrame& LastPresentedFrame();
// Copying every frame costs a busy screen little but an idle one much: the
// pixels are kept only while screenshots or tests ask for them (the count and
// size always).
void KeepPresentedFrames(bool keep);
bool PresentedFramesKept();
// The window keeps each 24-bit image it shows.
void RecordPresentedRgb(int width, int height, std::vector<uint8_t> rgb);

class Display {
 public:
  // Null or zero driver: the primary display. DDERR_NOTFOUND for another.
  static Result Create(const Guid* driver, std::shared_ptr<Display>* out);
  ~Display();
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;

  Result SetCooperativeLevel(WindowHandle window, uint32_t level);

  // The 3-D side: the device by its GUID and its formats.
  Result QueryDirect3D();
  static std::vector<DeviceInfo> EnumDevices();
  Result FindDevice(const Guid& device, DeviceDesc* hardware, DeviceDesc* software);
  std::vector<PixelFormatDesc> EnumZBufferFormats(const Guid& device) const;
  std::vector<PixelFormatDesc> EnumTextureFormats() const;

  std::vector<DisplayMode> EnumDisplayModes() const;
  Result GetDisplayMode(DisplayMode* out);
  // Full screen: SDL's desktop full screen showing the mode's image scaled.
  Result SetDisplayMode(int width, int height, int bitCount, int refreshRate, uint32_t flags);

  Result CreateSurface(const SurfaceDesc& desc, std::shared_ptr<Surface>* out);
  Result GetAttachedBackBuffer(const Surface& primary, std::shared_ptr<Surface>* out);
  Result DescribeSurface(const Surface& surface, PixelFormatDesc* out);
  // A clipper bound to the window, set on the surface.
  Result SetClipper(Surface& surface, WindowHandle window);
  Result AttachDepth(Surface& target, const std::shared_ptr<Surface>& depth);

  // The device draws into the target and its attached depth surface; it
  // keeps both alive.
  Result CreateDevice(const Guid& device, const std::shared_ptr<Surface>& target,
                      std::shared_ptr<Device3D>* out);
  Result CreateViewport(Device3D& device, const Viewport& viewport);

  // Shows the primary surface in the window.
  Result UpdateWindow();

  // Every surface made here is lost, as when another program takes the
  // display.
  void LoseSurfaces();

 private:
  Display() = default;
  struct Attachment {
    std::weak_ptr<Surface> parent;
    std::shared_ptr<Surface> child;
  };
  struct Presenter;

  static int RefreshRateOf(SDL_Window* window);
  void WaitForRefresh(int refreshHz);

  DisplayMode CurrentMode() const;
  PixelFormat ScreenFormat() const;
  std::shared_ptr<Surface> MakeSurface(int width, int height, PixelFormat format);
  std::shared_ptr<Surface> Attached(const Surface& parent, PixelFormat format) const;

  WindowHandle m_window = nullptr;
  bool m_direct3D = false;
  std::optional<DisplayMode> m_setMode;  // while full screen
  bool m_exclusive = false;               // the pointer is the game's alone
  std::weak_ptr<Surface> m_primary;
  std::vector<std::weak_ptr<Surface>> m_surfaces;
  std::vector<Attachment> m_attachments;
  std::unique_ptr<Presenter> m_presenter;
  std::chrono::steady_clock::time_point m_lastPresent{};
};

}  // namespace platform
