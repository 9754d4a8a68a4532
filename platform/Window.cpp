#include "platform/Window.h"

#include <SDL.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <deque>
#include <vector>

#include "platform/DebugLog.h"
#include "platform/InputScript.h"
#include "platform/Keys.h"
#include "platform/SdlEvents.h"

struct platform::WindowImpl {
  SDL_Window* sdl = nullptr;
  WindowProc proc = nullptr;
  int lockFd = -1;
  bool focused = false;
};

namespace platform {
namespace {

WindowImpl* g_window = nullptr;  // the program has one window
std::deque<Message> g_queue;
uint64_t g_pass = 0;
std::vector<SdlEventObserver> g_observers;

constexpr intptr_t kAltContext = intptr_t{1} << 29;

std::string LockPath(const std::string& className, const std::string& title) {
  const char* dir = std::getenv("SLV_LOCK_DIR");
  if (dir == nullptr || *dir == '\0') dir = std::getenv("XDG_RUNTIME_DIR");
  if (dir == nullptr || *dir == '\0') dir = "/tmp";
  std::string name = className + "." + title + ".lock";
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  return std::string(dir) + "/" + name;
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
      Post(WM_ACTIVATE, WA_ACTIVE, 0);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      if (g_window != nullptr) g_window->focused = false;
      Post(WM_ACTIVATE, WA_INACTIVE, 0);
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      Post(WM_ACTIVATE, WA_INACTIVE | (1u << 16), 0);
      break;
    case SDL_WINDOWEVENT_RESTORED:
      if (g_window != nullptr && g_window->focused) Post(WM_ACTIVATE, WA_ACTIVE, 0);
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
    default:
      break;
  }
}

void DrainSdlEvents() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  SDL_Event e;
  while (SDL_PollEvent(&e) != 0) Translate(e);
}

void DeliverScriptedEvents(uint64_t pass) {
  for (const ScriptedEvent& ev : TakeScriptedEvents(pass)) {
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
      Post(WM_ACTIVATE, static_cast<uintptr_t>(std::strtoul(ev.args[0].c_str(), nullptr, 0)), 0);
    } else if (!DispatchScriptedEventToHandlers(ev)) {
      DebugLogf("input script: unknown event \"%s\"", ev.kind.c_str());
    }
  }
}

}  // namespace

bool FindAppWindow(const std::string& className, const std::string& title) {
  const int fd = TakeLock(LockPath(className, title));
  if (fd < 0) return true;
  ::flock(fd, LOCK_UN);
  ::close(fd);
  return false;
}

WindowHandle CreateAppWindow(const WindowDesc& desc) {
  if (g_window != nullptr || !InitVideo()) return nullptr;
  const int fd = TakeLock(LockPath(desc.className, desc.title));
  if (fd < 0) return nullptr;
  SDL_Window* sdl = SDL_CreateWindow(desc.title.c_str(), desc.x, desc.y, desc.clientWidth,
                                     desc.clientHeight, SDL_WINDOW_HIDDEN);
  if (sdl == nullptr) {
    DebugLogf("SDL_CreateWindow failed: %s", SDL_GetError());
    ::close(fd);
    return nullptr;
  }
  g_window = new WindowImpl{sdl, desc.proc, fd, false};
  LoadInputScriptFromEnvironment();
  return g_window;
}

void DestroyAppWindow(WindowHandle window) {
  if (window == nullptr || window != g_window) return;
  SDL_DestroyWindow(window->sdl);
  ::flock(window->lockFd, LOCK_UN);
  ::close(window->lockFd);
  delete window;
  g_window = nullptr;
  g_queue.clear();
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
    default:
      SDL_ShowWindow(window->sdl);
      if (showCommand == SW_SHOWMAXIMIZED) SDL_RestoreWindow(window->sdl);
      window->focused = true;
      if (window->proc != nullptr) window->proc(window, WM_ACTIVATE, WA_ACTIVE, 0);
      break;
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

void PollEvents() {
  ++g_pass;
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
  return 0;
}

uint64_t PassCount() { return g_pass; }

void AddSdlEventObserver(SdlEventObserver observer) { g_observers.push_back(observer); }

}  // namespace platform
