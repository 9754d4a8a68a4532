#include "platform/Display.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <thread>
#include <utility>

#include "platform/DebugLog.h"
#include "platform/Mouse.h"

namespace platform {
namespace {

DesktopFormat g_desktopFormat = DesktopFormat::Rgb565;
std::map<DisplayStep, Result> g_faults;
PresentedFrame g_presented;
bool g_keepPresented = false;

constexpr uint32_t kRenders16Bit = 0x400;
constexpr int kDefaultRefreshHz = 60;

// Tests that step many passes turn the refresh wait off.
bool PresentWaitOff() {
  const char* v = std::getenv("SLV_NO_PRESENT_WAIT");
  return v != nullptr && *v != '\0' && std::strcmp(v, "0") != 0;
}
constexpr int kMaxSurfaceSide = 4096;

Result Fault(DisplayStep step) {
  const auto it = g_faults.find(step);
  return it != g_faults.end() ? it->second : S_OK;
}

PixelFormatDesc RgbDesc(uint32_t bits, uint32_t red, uint32_t green, uint32_t blue,
                        uint32_t alpha) {
  PixelFormatDesc d;
  d.flags = DDPF_RGB | (alpha != 0 ? DDPF_ALPHAPIXELS : 0u);
  d.bitCount = bits;
  d.red = red;
  d.green = green;
  d.blue = blue;
  d.alpha = alpha;
  return d;
}

PixelFormatDesc DescOfBitCount(int bitCount) {
  switch (bitCount) {
    case 8: {
      PixelFormatDesc d;
      d.flags = DDPF_RGB | DDPF_PALETTEINDEXED8;
      d.bitCount = 8;
      return d;
    }
    case 16:
      return DescOf(PixelFormat::RGB565);
    case 32:
      return RgbDesc(32, 0xFF0000, 0xFF00, 0xFF, 0);
    default:
      return PixelFormatDesc{};
  }
}

PixelFormatDesc DescOfDesktop(DesktopFormat format) {
  switch (format) {
    case DesktopFormat::Rgb565:
      return DescOf(PixelFormat::RGB565);
    case DesktopFormat::Xrgb1555:
      return DescOf(PixelFormat::XRGB1555);
    case DesktopFormat::Bgr565:
      return RgbDesc(16, 0x001F, 0x07E0, 0xF800, 0);
    case DesktopFormat::Indexed8:
      return DescOfBitCount(8);
    case DesktopFormat::Xrgb8888:
      return DescOfBitCount(32);
  }
  return PixelFormatDesc{};
}

// Video memory rows are aligned, and padded so that code that assumes
// width x 2 shows its fault at once.
int DisplayPitch(int width) { return (width * 2 + 32 + 63) & ~63; }

bool IsHeadless() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver == nullptr || std::strcmp(driver, "dummy") == 0 ||
         std::strcmp(driver, "offscreen") == 0;
}

void RecordFrame(const Surface& screen) {
  g_presented.width = screen.Width();
  g_presented.height = screen.Height();
  g_presented.format = screen.Format();
  g_presented.rgb.clear();
  ++g_presented.count;
  if (!g_keepPresented) {
    g_presented.pixels.clear();
    return;
  }
  g_presented.pixels.resize(static_cast<size_t>(screen.Width()) * screen.Height());
  for (int y = 0; y < screen.Height(); ++y) {
    std::memcpy(&g_presented.pixels[static_cast<size_t>(y) * screen.Width()], screen.Row(y),
                static_cast<size_t>(screen.Width()) * 2);
  }
}

}  // namespace

// The window's renderer and a streaming texture of the screen's format; the
// image is scaled to the window keeping its shape.
struct Display::Presenter {
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  int width = 0, height = 0;
  PixelFormat format = PixelFormat::RGB565;
  bool failed = false;

  ~Presenter() {
    if (texture != nullptr) SDL_DestroyTexture(texture);
    if (renderer != nullptr) SDL_DestroyRenderer(renderer);
  }

  bool Prepare(SDL_Window* window, const Surface& screen) {
    if (failed) return false;
    if (renderer == nullptr) {
      renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
      if (renderer == nullptr) renderer = SDL_CreateRenderer(window, -1, 0);
      if (renderer == nullptr) {
        DebugLogf("display: no renderer for the window: %s", SDL_GetError());
        failed = true;
        return false;
      }
    }
    if (texture != nullptr && width == screen.Width() && height == screen.Height() &&
        format == screen.Format()) {
      return true;
    }
    if (texture != nullptr) SDL_DestroyTexture(texture);
    width = screen.Width();
    height = screen.Height();
    format = screen.Format();
    const uint32_t sdlFormat =
        format == PixelFormat::XRGB1555 ? SDL_PIXELFORMAT_RGB555 : SDL_PIXELFORMAT_RGB565;
    texture = SDL_CreateTexture(renderer, sdlFormat, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (texture == nullptr) {
      DebugLogf("display: no screen texture: %s", SDL_GetError());
      failed = true;
      return false;
    }
    SDL_RenderSetLogicalSize(renderer, width, height);
    return true;
  }

  bool HasVsync() const {
    SDL_RendererInfo info;
    return renderer != nullptr && SDL_GetRendererInfo(renderer, &info) == 0 &&
           (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
  }

  void Show(SDL_Window* window, const Surface& screen) {
    if (!Prepare(window, screen)) return;
    SDL_UpdateTexture(texture, nullptr, screen.Bits(), screen.Pitch());
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
  }
};

PixelFormatDesc DescOf(PixelFormat format) {
  if (format == PixelFormat::Depth16) {
    PixelFormatDesc d;
    d.flags = DDPF_ZBUFFER;
    d.bitCount = 16;
    d.green = 0xFFFF;  // the depth bits
    return d;
  }
  const PixelMasks m = MasksOf(format);
  return RgbDesc(16, m.red, m.green, m.blue, m.alpha);
}

std::optional<PixelFormat> FormatOf(const PixelFormatDesc& desc) {
  if (desc.flags == DDPF_ZBUFFER && desc.bitCount == 16) return PixelFormat::Depth16;
  if ((desc.flags & DDPF_RGB) == 0 || desc.bitCount != 16 || (desc.flags & DDPF_FOURCC) != 0) {
    return std::nullopt;
  }
  for (PixelFormat f :
       {PixelFormat::RGB565, PixelFormat::XRGB1555, PixelFormat::ARGB1555, PixelFormat::ARGB4444}) {
    const PixelMasks m = MasksOf(f);
    if (desc.red == m.red && desc.green == m.green && desc.blue == m.blue &&
        ((desc.flags & DDPF_ALPHAPIXELS) != 0 ? desc.alpha : 0u) == m.alpha) {
      return f;
    }
  }
  return std::nullopt;
}

void SetDesktopFormat(DesktopFormat format) { g_desktopFormat = format; }

void InjectDisplayFault(DisplayStep step, Result result) { g_faults[step] = result; }
void ClearDisplayFaults() { g_faults.clear(); }

const PresentedFrame& LastPresentedFrame() { return g_presented; }
void KeepPresentedFrames(bool keep) { g_keepPresented = keep; }
bool PresentedFramesKept() { return g_keepPresented; }

void RecordPresentedRgb(int width, int height, std::vector<uint8_t> rgb) {
  g_presented.width = width;
  g_presented.height = height;
  g_presented.pixels.clear();
  g_presented.rgb = std::move(rgb);
  ++g_presented.count;
}

Result Display::Create(const Guid* driver, std::shared_ptr<Display>* out) {
  out->reset();
  if (const Result r = Fault(DisplayStep::Create); Failed(r)) return r;
  // One display: the primary one, named by no GUID or the zero GUID that
  // the settings store for it.
  if (driver != nullptr && *driver != Guid{}) return DDERR_NOTFOUND;
  out->reset(new Display());
  return S_OK;
}

Display::~Display() {
  m_presenter.reset();
  if (m_setMode && m_window != nullptr) SDL_SetWindowFullscreen(SdlWindowOf(m_window), 0);
  if (m_exclusive) SetMouseFullScreen(false);
}

Result Display::SetCooperativeLevel(WindowHandle window, uint32_t level) {
  if (const Result r = Fault(DisplayStep::CooperativeLevel); Failed(r)) return r;
  if ((level & DDSCL_NORMAL) != 0 && m_setMode) {
    if (m_window != nullptr) SDL_SetWindowFullscreen(SdlWindowOf(m_window), 0);
    m_setMode.reset();
  }
  if (window != m_window) m_presenter.reset();
  m_window = window;
  m_exclusive = (level & DDSCL_FULLSCREEN) != 0;
  SetMouseFullScreen(m_exclusive);
  return S_OK;
}

Result Display::QueryDirect3D() {
  if (const Result r = Fault(DisplayStep::QueryDirect3D); Failed(r)) return r;
  m_direct3D = true;
  return S_OK;
}

std::vector<DeviceInfo> Display::EnumDevices() {
  DeviceDesc hardware;
  hardware.colorModel = 1;
  hardware.rasterCaps = Device3D::RasterCaps();
  hardware.renderBitDepths = kRenders16Bit;
  hardware.alphaCmpCaps = D3DPCMPCAPS_ALL;
  return {DeviceInfo{kRasterizerGuid, "Selvarin Rasterizer", hardware, DeviceDesc{}}};
}

Result Display::FindDevice(const Guid& device, DeviceDesc* hardware, DeviceDesc* software) {
  if (const Result r = Fault(DisplayStep::FindDevice); Failed(r)) return r;
  if (!m_direct3D) return DDERR_INVALIDOBJECT;
  for (const DeviceInfo& info : EnumDevices()) {
    if (info.guid == device) {
      *hardware = info.hardware;
      *software = info.software;
      return S_OK;
    }
  }
  return DDERR_NOTFOUND;
}

std::vector<PixelFormatDesc> Display::EnumZBufferFormats(const Guid& device) const {
  if (device != kRasterizerGuid) return {};
  return {DescOf(PixelFormat::Depth16)};
}

std::vector<PixelFormatDesc> Display::EnumTextureFormats() const {
  return {DescOf(PixelFormat::RGB565), DescOf(PixelFormat::XRGB1555), DescOf(PixelFormat::ARGB1555),
          DescOf(PixelFormat::ARGB4444)};
}

std::vector<DisplayMode> Display::EnumDisplayModes() const {
  static constexpr int kSizes[][2] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}};
  std::vector<DisplayMode> modes;
  for (const auto& size : kSizes) {
    for (int bits : {8, 16, 32}) {
      modes.push_back(DisplayMode{size[0], size[1], bits, 60, DescOfBitCount(bits)});
    }
  }
  return modes;
}

DisplayMode Display::CurrentMode() const {
  if (m_setMode) return *m_setMode;
  DisplayMode mode;
  GetScreenSize(&mode.width, &mode.height);
  mode.format = DescOfDesktop(g_desktopFormat);
  mode.bitCount = static_cast<int>(mode.format.bitCount);
  mode.refreshRate = 60;
  return mode;
}

// The physical format of the screen's surfaces; on a desktop that is not
// 16-bit the game still draws 5-6-5.
PixelFormat Display::ScreenFormat() const {
  return FormatOf(CurrentMode().format) == PixelFormat::XRGB1555 ? PixelFormat::XRGB1555
                                                                 : PixelFormat::RGB565;
}

Result Display::GetDisplayMode(DisplayMode* out) {
  if (const Result r = Fault(DisplayStep::GetDisplayMode); Failed(r)) return r;
  *out = CurrentMode();
  return S_OK;
}

Result Display::SetDisplayMode(int width, int height, int bitCount, int refreshRate,
                               uint32_t flags) {
  if (const Result r = Fault(DisplayStep::SetDisplayMode); Failed(r)) return r;
  for (const DisplayMode& mode : EnumDisplayModes()) {
    if (mode.width != width || mode.height != height || mode.bitCount != bitCount) continue;
    m_setMode = mode;
    m_setMode->refreshRate = refreshRate;
    LoseSurfaces();
    if (m_window != nullptr &&
        SDL_SetWindowFullscreen(SdlWindowOf(m_window), SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
      DebugLogf("display: full screen refused: %s", SDL_GetError());
    }
    return S_OK;
  }
  return DDERR_INVALIDMODE;
}

std::shared_ptr<Surface> Display::MakeSurface(int width, int height, PixelFormat format) {
  auto surface = std::make_shared<Surface>(width, height, format, DisplayPitch(width));
  std::erase_if(m_surfaces, [](const std::weak_ptr<Surface>& s) { return s.expired(); });
  m_surfaces.push_back(surface);
  return surface;
}

std::shared_ptr<Surface> Display::Attached(const Surface& parent, PixelFormat format) const {
  for (const Attachment& a : m_attachments) {
    if (a.parent.lock().get() == &parent && a.child->Format() == format) return a.child;
  }
  return nullptr;
}

Result Display::CreateSurface(const SurfaceDesc& desc, std::shared_ptr<Surface>* out) {
  out->reset();
  std::erase_if(m_attachments, [](const Attachment& a) { return a.parent.expired(); });
  if ((desc.caps & DDSCAPS_PRIMARYSURFACE) != 0) {
    if (const Result r = Fault(DisplayStep::PrimarySurface); Failed(r)) return r;
    int width = 0, height = 0;
    if (m_setMode) {
      width = m_setMode->width;
      height = m_setMode->height;
    } else {
      GetClientSize(m_window, &width, &height);
    }
    if (width <= 0 || height <= 0) return DDERR_INVALIDPARAMS;
    auto primary = MakeSurface(width, height, ScreenFormat());
    if (desc.backBufferCount > 0 && (desc.caps & DDSCAPS_FLIP) != 0) {
      m_attachments.push_back(Attachment{primary, MakeSurface(width, height, ScreenFormat())});
    }
    m_primary = primary;
    *out = primary;
    return S_OK;
  }
  DisplayStep step = DisplayStep::OffscreenSurface;
  if ((desc.caps & DDSCAPS_ZBUFFER) != 0) {
    step = DisplayStep::DepthSurface;
  } else if ((desc.caps & DDSCAPS_TEXTURE) != 0) {
    step = DisplayStep::TextureSurface;
  } else if ((desc.caps & DDSCAPS_3DDEVICE) != 0) {
    step = DisplayStep::BackBuffer;
  }
  if (const Result r = Fault(step); Failed(r)) return r;
  if (desc.width <= 0 || desc.height <= 0 || desc.width > kMaxSurfaceSide ||
      desc.height > kMaxSurfaceSide) {
    return DDERR_INVALIDPARAMS;
  }
  const std::optional<PixelFormat> format =
      desc.format ? FormatOf(*desc.format) : std::optional<PixelFormat>(ScreenFormat());
  const bool wantsDepth = step == DisplayStep::DepthSurface;
  if (!format || (*format == PixelFormat::Depth16) != wantsDepth) return DDERR_INVALIDPIXELFORMAT;
  *out = MakeSurface(desc.width, desc.height, *format);
  return S_OK;
}

Result Display::GetAttachedBackBuffer(const Surface& primary, std::shared_ptr<Surface>* out) {
  out->reset();
  if (const Result r = Fault(DisplayStep::BackBuffer); Failed(r)) return r;
  *out = Attached(primary, primary.Format());
  return *out != nullptr ? S_OK : DDERR_NOTFOUND;
}

Result Display::DescribeSurface(const Surface& surface, PixelFormatDesc* out) {
  if (const Result r = Fault(DisplayStep::DescribeSurface); Failed(r)) return r;
  *out = m_primary.lock().get() == &surface ? CurrentMode().format : DescOf(surface.Format());
  return S_OK;
}

Result Display::SetClipper(Surface& surface, WindowHandle window) {
  if (const Result r = Fault(DisplayStep::Clipper); Failed(r)) return r;
  surface.SetClipWindow(window);
  return S_OK;
}

Result Display::AttachDepth(Surface& target, const std::shared_ptr<Surface>& depth) {
  if (const Result r = Fault(DisplayStep::AttachDepth); Failed(r)) return r;
  if (depth == nullptr || depth->Format() != PixelFormat::Depth16 ||
      depth->Width() < target.Width() || depth->Height() < target.Height()) {
    return DDERR_INVALIDPARAMS;
  }
  for (const auto& s : m_surfaces) {
    if (s.lock().get() == &target) {
      m_attachments.push_back(Attachment{s, depth});
      return S_OK;
    }
  }
  return DDERR_INVALIDOBJECT;
}

Result Display::CreateDevice(const Guid& device, const std::shared_ptr<Surface>& target,
                             std::shared_ptr<Device3D>* out) {
  out->reset();
  if (const Result r = Fault(DisplayStep::CreateDevice); Failed(r)) return r;
  if (device != kRasterizerGuid) return DDERR_NOTFOUND;
  if (target == nullptr ||
      (target->Format() != PixelFormat::RGB565 && target->Format() != PixelFormat::XRGB1555)) {
    return DDERR_INVALIDPIXELFORMAT;
  }
  // The device holds its surfaces as long as anyone holds the device.
  struct Holder {
    std::shared_ptr<Surface> target, depth;
    Device3D device;
    Holder(std::shared_ptr<Surface> t, std::shared_ptr<Surface> d)
        : target(std::move(t)), depth(std::move(d)), device(*target, depth.get()) {}
  };
  auto holder = std::make_shared<Holder>(target, Attached(*target, PixelFormat::Depth16));
  *out = std::shared_ptr<Device3D>(holder, &holder->device);
  return S_OK;
}

Result Display::CreateViewport(Device3D& device, const Viewport& viewport) {
  if (const Result r = Fault(DisplayStep::Viewport); Failed(r)) return r;
  return device.SetViewport(viewport);
}

Result Display::UpdateWindow() {
  const std::shared_ptr<Surface> screen = m_primary.lock();
  if (screen == nullptr) return DDERR_INVALIDOBJECT;
  if (screen->IsLost()) return DDERR_SURFACELOST;
  RecordFrame(*screen);
  if (m_window == nullptr || IsHeadless()) {
    WaitForRefresh(kDefaultRefreshHz);
    return S_OK;
  }
  if (m_presenter == nullptr) m_presenter = std::make_unique<Presenter>();
  SDL_Window* window = SdlWindowOf(m_window);
  m_presenter->Show(window, *screen);
  if (!m_presenter->HasVsync()) WaitForRefresh(RefreshRateOf(window));
  return S_OK;
}

int Display::RefreshRateOf(SDL_Window* window) {
  SDL_DisplayMode mode;
  const int index = SDL_GetWindowDisplayIndex(window);
  if (index < 0 || SDL_GetCurrentDisplayMode(index, &mode) != 0 || mode.refresh_rate <= 0) {
    return kDefaultRefreshHz;
  }
  return mode.refresh_rate;
}

// The original's flip waited for the vertical blank; without a synchronised
// renderer, presents keep one refresh interval apart, so screens that draw
// every pass run at the display's pace rather than the machine's.
void Display::WaitForRefresh(int refreshHz) {
  using Clock = std::chrono::steady_clock;
  if (PresentWaitOff()) return;
  const auto interval = std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(1)) / refreshHz;
  const Clock::time_point now = Clock::now();
  const Clock::time_point due = m_lastPresent + interval;
  if (now < due) {
    std::this_thread::sleep_until(due);
    m_lastPresent = due;
  } else {
    m_lastPresent = now;
  }
}

void Display::LoseSurfaces() {
  for (const auto& s : m_surfaces) {
    if (auto surface = s.lock()) surface->MarkLost();
  }
}

}  // namespace platform
