#include "platform/Window.h"

#include <SDL.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <deque>
#include <vector>

#include "platform/Clock.h"
#include "platform/DebugLog.h"
#include "platform/Display.h"
#include "platform/InputScript.h"
#include "platform/Keys.h"
#include "platform/SdlEvents.h"

struct platform::WindowImpl {
  SDL_Window* sdl = nullptr;
  WindowProc proc = nullptr;
  int lockFd = -1;
  bool focused = false;
  // What shows 24-bit images, made on first use.
  SDL_Renderer* imageRenderer = nullptr;
  SDL_Texture* imageTexture = nullptr;
  int imageWidth = 0, imageHeight = 0;
};

namespace platform {
namespace {

WindowImpl* g_window = nullptr;  // the program has one window
std::deque<Message> g_queue;
uint64_t g_pass = 0;
std::vector<SdlEventObserver> g_observers;

constexpr intptr_t kAltContext = intptr_t{1} << 29;

// The pointer as the window last saw it, in client coordinates; scripted
// button presses happen there.
int g_pointerX = 0, g_pointerY = 0;
bool g_leftDown = false;
bool g_captured = false;
CursorShape g_cursorShape = CursorShape::Arrow;

std::string LockDir() {
  const char* dir = std::getenv("SLV_LOCK_DIR");
  if (dir == nullptr || *dir == '\0') dir = std::getenv("XDG_RUNTIME_DIR");
  if (dir == nullptr || *dir == '\0') dir = "/tmp";
  return dir;
}

std::string LockName(const std::string& className, const std::string& title) {
  std::string name = className + "." + title + ".lock";
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  return name;
}

std::string LockPath(const std::string& className, const std::string& title) {
  return LockDir() + "/" + LockName(className, title);
}

// Takes the lock; -1 when another process (or another open of it) holds it.
int TakeLock(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    DebugLogf("lock file %s cannot be opened", path.c_str());
    return -1;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

bool InitVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) return true;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    DebugLogf("SDL video init failed: %s", SDL_GetError());
    return false;
  }
  return true;
}

void Post(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  g_queue.push_back(Message{g_window, message, wParam, lParam});
}

// Activation of the application, then of the window, as the system sends them.
void PostActivation(uintptr_t wParam) {
  Post(WM_ACTIVATEAPP, (wParam & 0xFFFF) != WA_INACTIVE ? 1 : 0, 0);
  Post(WM_ACTIVATE, wParam, 0);
}

void PostPointer(uint32_t message) {
  Post(message, g_leftDown ? MK_LBUTTON : 0, MakePointParam(g_pointerX, g_pointerY));
}

void PointerMoved(int x, int y) {
  g_pointerX = x;
  g_pointerY = y;
  PostPointer(WM_MOUSEMOVE);
}

void LeftButton(bool down) {
  g_leftDown = down;
  PostPointer(down ? WM_LBUTTONDOWN : WM_LBUTTONUP);
}

void PostKey(int vk, bool down, bool alt) {
  const bool sys = alt || vk == VK_F10 || vk == VK_MENU;
  const uint32_t msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
  Post(msg, static_cast<uintptr_t>(vk), alt ? kAltContext : 0);
}

void TranslateWindowEvent(const SDL_WindowEvent& w) {
  switch (w.event) {
    case SDL_WINDOWEVENT_CLOSE:
      Post(WM_CLOSE, 0, 0);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (g_window != nullptr) g_window->focused = true;
      PostActivation(WA_ACTIVE);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      if (g_window != nullptr) g_window->focused = false;
      PostActivation(WA_INACTIVE);
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      PostActivation(WA_INACTIVE | (1u << 16));
      break;
    case SDL_WINDOWEVENT_RESTORED:
      if (g_window != nullptr && g_window->focused) PostActivation(WA_ACTIVE);
      break;
    case SDL_WINDOWEVENT_MOVED:
      Post(WM_MOVE, 0, 0);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      Post(WM_PAINT, 0, 0);
      break;
    default:
      break;
  }
}

void Translate(const SDL_Event& e) {
  for (SdlEventObserver observer : g_observers) observer(e);
  switch (e.type) {
    case SDL_QUIT:
      Post(WM_CLOSE, 0, 0);
      break;
    case SDL_WINDOWEVENT:
      TranslateWindowEvent(e.window);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const int vk = VirtualKeyFromScancode(e.key.keysym.scancode);
      if (vk != 0) PostKey(vk, e.type == SDL_KEYDOWN, (e.key.keysym.mod & KMOD_ALT) != 0);
      break;
    }
    case SDL_MOUSEMOTION:
      PointerMoved(e.motion.x, e.motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (e.button.button == SDL_BUTTON_LEFT) {
        g_pointerX = e.button.x;
        g_pointerY = e.button.y;
        LeftButton(e.type == SDL_MOUSEBUTTONDOWN);
      }
      break;
    default:
      break;
  }
}

void DrainSdlEvents() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  SDL_Event e;
  while (SDL_PollEvent(&e) != 0) Translate(e);
}

bool ParseCoordinate(const std::string& text, int* out) {
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value < INT16_MIN || value > INT16_MAX) return false;
  *out = static_cast<int>(value);
  return true;
}

// "mouse at X Y" moves the window's pointer; "mouse left down|up" presses
// there, and also reaches the buffered mouse. True when the event is done.
bool DeliverScriptedPointer(const ScriptedEvent& ev) {
  if (ev.args.empty()) return false;
  if (ev.args[0] == "at") {
    int x = 0, y = 0;
    if (ev.args.size() != 3 || !ParseCoordinate(ev.args[1], &x) || !ParseCoordinate(ev.args[2], &y)) {
      DebugLogf("input script: bad mouse position at pass %llu", static_cast<unsigned long long>(ev.pass));
      return true;
    }
    PointerMoved(x, y);
    return true;
  }
  if (ev.args.size() == 2 && ev.args[0] == "left" && (ev.args[1] == "down" || ev.args[1] == "up")) {
    LeftButton(ev.args[1] == "down");
    DispatchScriptedEventToHandlers(ev);
    return true;
  }
  return false;
}

void DeliverScriptedEvents(uint64_t pass) {
  for (const ScriptedEvent& ev : TakeScriptedEvents(pass)) {
    if (ev.kind == "mouse" && DeliverScriptedPointer(ev)) continue;
    if (ev.kind == "close") {
      Post(WM_CLOSE, 0, 0);
    } else if (ev.kind == "key" && ev.args.size() == 2) {
      const int vk = ParseVirtualKeyName(ev.args[0]);
      const bool down = ev.args[1] == "down";
      if (vk == 0 || (!down && ev.args[1] != "up")) {
        DebugLogf("input script: bad key event at pass %llu", static_cast<unsigned long long>(pass));
        continue;
      }
      SetScriptedKey(vk, down);
      PostKey(vk, down, GetKeyState(VK_MENU) != 0);
    } else if (ev.kind == "activate" && ev.args.size() == 1) {
      PostActivation(static_cast<uintptr_t>(std::strtoul(ev.args[0].c_str(), nullptr, 0)));
    } else if (!DispatchScriptedEventToHandlers(ev)) {
      DebugLogf("input script: unknown event \"%s\"", ev.kind.c_str());
    }
  }
}

bool LockIsHeld(const std::string& path) {
  const int fd = TakeLock(path);
  if (fd < 0) return true;
  ::flock(fd, LOCK_UN);
  ::close(fd);
  return false;
}

void FreeImagePresenter(WindowImpl& window) {
  if (window.imageTexture != nullptr) SDL_DestroyTexture(window.imageTexture);
  if (window.imageRenderer != nullptr) SDL_DestroyRenderer(window.imageRenderer);
  window.imageTexture = nullptr;
  window.imageRenderer = nullptr;
}

bool PrepareImagePresenter(WindowImpl& window, int width, int height) {
  if (window.imageRenderer == nullptr) {
    window.imageRenderer = SDL_CreateRenderer(window.sdl, -1, 0);
    if (window.imageRenderer == nullptr) {
      DebugLogf("window: no renderer for images: %s", SDL_GetError());
      return false;
    }
  }
  if (window.imageTexture != nullptr && window.imageWidth == width && window.imageHeight == height) return true;
  if (window.imageTexture != nullptr) SDL_DestroyTexture(window.imageTexture);
  window.imageTexture =
      SDL_CreateTexture(window.imageRenderer, SDL_PIXELFORMAT_BGR24, SDL_TEXTUREACCESS_STREAMING, width, height);
  window.imageWidth = width;
  window.imageHeight = height;
  if (window.imageTexture == nullptr) DebugLogf("window: no image texture: %s", SDL_GetError());
  return window.imageTexture != nullptr;
}

// The image as red, green, blue bytes without padding.
std::vector<uint8_t> RgbRows(const uint8_t* pixels, int width, int height, int stride) {
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  uint8_t* out = rgb.data();
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = pixels + static_cast<size_t>(y) * stride;
    for (int x = 0; x < width; ++x, out += 3) {
      out[0] = row[x * 3 + 2];
      out[1] = row[x * 3 + 1];
      out[2] = row[x * 3];
    }
  }
  return rgb;
}

}  // namespace

bool FindAppWindow(const std::string& className, const std::string& title) {
  return LockIsHeld(LockPath(className, title));
}

bool FindAppWindowOfClass(const std::string& className) {
  const std::string dir = LockDir();
  const std::string prefix = LockName(className, "");
  const std::string prefixStem = prefix.substr(0, prefix.size() - 5);  // without ".lock"
  DIR* listing = ::opendir(dir.c_str());
  if (listing == nullptr) return false;
  bool found = false;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string name = entry->d_name;
    if (name.size() >= prefix.size() && name.compare(0, prefixStem.size(), prefixStem) == 0 &&
        name.compare(name.size() - 5, 5, ".lock") == 0 && LockIsHeld(dir + "/" + name)) {
      found = true;
      break;
    }
  }
  ::closedir(listing);
  return found;
}

WindowHandle CreateAppWindow(const WindowDesc& desc) {
  if (g_window != nullptr || !InitVideo()) return nullptr;
  const int fd = TakeLock(LockPath(desc.className, desc.title));
  if (fd < 0) return nullptr;
  const uint32_t flags = SDL_WINDOW_HIDDEN | (desc.borderless ? uint32_t{SDL_WINDOW_BORDERLESS} : 0u);
  SDL_Window* sdl = SDL_CreateWindow(desc.title.c_str(), desc.x, desc.y, desc.clientWidth,
                                     desc.clientHeight, flags);
  if (sdl == nullptr) {
    DebugLogf("SDL_CreateWindow failed: %s", SDL_GetError());
    ::close(fd);
    return nullptr;
  }
  g_window = new WindowImpl{sdl, desc.proc, fd, false};
  LoadInputScriptFromEnvironment();
  if (desc.proc != nullptr) {
    if (desc.proc(g_window, WM_CREATE, 0, 0) == -1) {
      DestroyAppWindow(g_window);
      return nullptr;
    }
    desc.proc(g_window, WM_SIZE, 0, MakePointParam(desc.clientWidth, desc.clientHeight));
  }
  return g_window;
}

void DestroyAppWindow(WindowHandle window) {
  if (window == nullptr || window != g_window) return;
  if (window->proc != nullptr) window->proc(window, WM_DESTROY, 0, 0);
  if (g_captured) SetMouseCapture(window, false);
  FreeImagePresenter(*window);
  SDL_DestroyWindow(window->sdl);
  ::flock(window->lockFd, LOCK_UN);
  ::close(window->lockFd);
  delete window;
  g_window = nullptr;
  std::erase_if(g_queue, [](const Message& m) { return m.message != WM_QUIT; });
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void ShowAppWindow(WindowHandle window, int showCommand) {
  if (window == nullptr) return;
  // Showing activates at once, as the original system sends the activation
  // from inside its show call.
  switch (showCommand) {
    case SW_HIDE:
      SDL_HideWindow(window->sdl);
      break;
    case SW_SHOWMINIMIZED:
      SDL_MinimizeWindow(window->sdl);
      break;
    default: {
      // Only a real change of activation is sent: a window active already
      // (visible, not minimised) hears nothing, so a procedure may show its
      // window from its own activation handler.
      const uint32_t flags = SDL_GetWindowFlags(window->sdl);
      const bool wasActive =
          window->focused && (flags & SDL_WINDOW_SHOWN) != 0 && (flags & SDL_WINDOW_MINIMIZED) == 0;
      SDL_ShowWindow(window->sdl);
      if (showCommand == SW_SHOWMAXIMIZED) SDL_RestoreWindow(window->sdl);
      window->focused = true;
      if (!wasActive && window->proc != nullptr) {
        window->proc(window, WM_ACTIVATEAPP, 1, 0);
        window->proc(window, WM_ACTIVATE, WA_ACTIVE, 0);
      }
      break;
    }
  }
}

bool IsAppWindowMinimized(WindowHandle window) {
  return window != nullptr && (SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_MINIMIZED) != 0;
}

bool IsActiveAppWindow(WindowHandle window) { return window != nullptr && window->focused; }

void GetClientOrigin(WindowHandle window, int* x, int* y) {
  *x = *y = 0;
  if (window != nullptr) SDL_GetWindowPosition(window->sdl, x, y);
}

void GetClientSize(WindowHandle window, int* width, int* height) {
  *width = *height = 0;
  if (window != nullptr) SDL_GetWindowSize(window->sdl, width, height);
}

SDL_Window* SdlWindowOf(WindowHandle window) { return window != nullptr ? window->sdl : nullptr; }

void ShowSystemCursor(bool show) {
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void FocusAppWindow(WindowHandle window) {
  if (window != nullptr) SDL_RaiseWindow(window->sdl);
}

void GetScreenSize(int* width, int* height) {
  *width = 640;
  *height = 480;
  SDL_DisplayMode mode;
  if (InitVideo() && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
    *width = mode.w;
    *height = mode.h;
  }
}

void GetWorkArea(int* x, int* y, int* width, int* height) {
  SDL_Rect area;
  if (InitVideo() && SDL_GetDisplayUsableBounds(0, &area) == 0 && area.w > 0 && area.h > 0) {
    *x = area.x;
    *y = area.y;
    *width = area.w;
    *height = area.h;
    return;
  }
  *x = *y = 0;
  GetScreenSize(width, height);
}

void SetMouseCapture(WindowHandle window, bool capture) {
  g_captured = capture && window != nullptr;
  // Drivers without capture (the headless one) keep the state only.
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_CaptureMouse(g_captured ? SDL_TRUE : SDL_FALSE) != 0) {
    DebugLogf("mouse capture: %s", SDL_GetError());
  }
}

bool IsMouseCaptured() { return g_captured; }

void SetCursorShape(CursorShape shape) {
  g_cursorShape = shape;
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  static SDL_Cursor* cursors[2] = {};
  const auto index = static_cast<size_t>(shape);
  if (cursors[index] == nullptr) {
    cursors[index] =
        SDL_CreateSystemCursor(shape == CursorShape::Hand ? SDL_SYSTEM_CURSOR_HAND : SDL_SYSTEM_CURSOR_ARROW);
  }
  if (cursors[index] != nullptr) SDL_SetCursor(cursors[index]);
}

CursorShape CurrentCursorShape() { return g_cursorShape; }

void ShowBgrImage(WindowHandle window, const uint8_t* pixels, int width, int height, int stride) {
  if (window == nullptr || pixels == nullptr || width <= 0 || height <= 0 || stride < width * 3) return;
  if (PrepareImagePresenter(*window, width, height)) {
    SDL_UpdateTexture(window->imageTexture, nullptr, pixels, stride);
    SDL_RenderClear(window->imageRenderer);
    SDL_RenderCopy(window->imageRenderer, window->imageTexture, nullptr, nullptr);
    SDL_RenderPresent(window->imageRenderer);
  }
  RecordPresentedRgb(width, height,
                     PresentedFramesKept() ? RgbRows(pixels, width, height, stride) : std::vector<uint8_t>{});
}

void PollEvents() {
  ++g_pass;
  ClockPassBegins();
  DeliverScriptedEvents(g_pass);
  DrainSdlEvents();
}

bool PeekAppMessage(Message* out) {
  if (g_queue.empty()) DrainSdlEvents();
  if (g_queue.empty()) return false;
  *out = g_queue.front();
  g_queue.pop_front();
  return true;
}

bool GetAppMessage(Message* out) {
  while (g_queue.empty()) {
    if (HasPendingScriptedEvents()) {
      // A scripted run goes on while the program waits: each wait is a pass.
      ++g_pass;
      ClockPassBegins();
      DeliverScriptedEvents(g_pass);
      continue;
    }
    if (g_window == nullptr) {
      DebugLog("GetAppMessage: no window, nothing can arrive");
      *out = Message{nullptr, WM_QUIT, 0, 0};
      return false;
    }
    SDL_Event e;
    if (SDL_WaitEventTimeout(&e, 100) != 0) Translate(e);
  }
  *out = g_queue.front();
  g_queue.pop_front();
  return out->message != WM_QUIT;
}

bool HasAppMessage() {
  if (g_queue.empty()) DrainSdlEvents();
  return !g_queue.empty();
}

void PostAppMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  g_queue.push_back(Message{window, message, wParam, lParam});
}

void PostQuitMessage(int code) {
  g_queue.push_back(Message{nullptr, WM_QUIT, static_cast<uintptr_t>(static_cast<intptr_t>(code)), 0});
}

intptr_t DispatchAppMessage(const Message& m) {
  WindowHandle target = m.window != nullptr ? m.window : g_window;
  if (target != nullptr && target->proc != nullptr) {
    return target->proc(target, m.message, m.wParam, m.lParam);
  }
  return DefaultWindowProc(target, m.message, m.wParam, m.lParam);
}

intptr_t DefaultWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == WM_SYSKEYDOWN && wParam == VK_F4 && (lParam & kAltContext) != 0) {
    PostAppMessage(window, WM_CLOSE, 0, 0);
  }
  if (message == WM_CLOSE) DestroyAppWindow(window);
  return 0;
}

uint64_t PassCount() { return g_pass; }

void AddSdlEventObserver(SdlEventObserver observer) { g_observers.push_back(observer); }

}  // namespace platform
