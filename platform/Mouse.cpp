#include "platform/Mouse.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <string>

#include "platform/DebugLog.h"
#include "platform/InputScript.h"
#include "platform/SdlEvents.h"

struct platform::MouseDevice {
  size_t capacity = 0;
  bool acquired = false;
  std::deque<MouseRecord> records;
  // In a window: the position the next motion steps from.
  bool placed = false;
  int32_t x = 0, y = 0;
};

namespace platform {
namespace {

MouseDevice* g_mouse = nullptr;  // the system has one mouse
bool g_fullScreen = false;
bool g_captureAsked = false;

// Scripted values are bounded so that sums of a buffer's worth stay in range.
constexpr long kScriptLimit = 1000000;

void SetCapture(bool on) {
  g_captureAsked = on;
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  // Drivers without relative motion (the headless one) still report deltas.
  if (SDL_SetRelativeMouseMode(on ? SDL_TRUE : SDL_FALSE) != 0) {
    DebugLogf("mouse capture unavailable: %s", SDL_GetError());
  }
}

// Exclusive use of the pointer fits a full-screen game only; in a window the
// player's pointer must move in and out freely.
void UpdateCapture() {
  const bool wanted = g_fullScreen && g_mouse != nullptr && g_mouse->acquired;
  if (wanted != g_captureAsked) SetCapture(wanted);
}

// Positions outside the view (a drag leaving the window) count as its edge,
// where the game's cursor stops too.
void ClampToView(uint32_t windowId, int* x, int* y) {
  SDL_Window* window = SDL_GetWindowFromID(windowId);
  if (window == nullptr) return;
  int width = 0, height = 0;
  if (SDL_Renderer* renderer = SDL_GetRenderer(window)) SDL_RenderGetLogicalSize(renderer, &width, &height);
  if (width <= 0 || height <= 0) SDL_GetWindowSize(window, &width, &height);
  if (width <= 0 || height <= 0) return;
  *x = std::clamp(*x, 0, width - 1);
  *y = std::clamp(*y, 0, height - 1);
}

void QueueMotion(const SDL_MouseMotionEvent& motion) {
  if (g_mouse == nullptr) return;
  int32_t dx = motion.xrel, dy = motion.yrel;
  if (!g_captureAsked) {
    int x = motion.x, y = motion.y;
    ClampToView(motion.windowID, &x, &y);
    if (g_mouse->placed) {
      dx = x - g_mouse->x;
      dy = y - g_mouse->y;
    }
    g_mouse->placed = true;
    g_mouse->x = x;
    g_mouse->y = y;
  }
  if (dx != 0) QueueMouseRecord(MOUSE_X, dx);
  if (dy != 0) QueueMouseRecord(MOUSE_Y, dy);
}

bool ParseScriptNumber(const std::string& text, long* out) {
  char* end = nullptr;
  *out = std::strtol(text.c_str(), &end, 10);
  return !text.empty() && *end == '\0' && *out >= -kScriptLimit && *out <= kScriptLimit;
}

bool QueueScriptedMouse(const std::vector<std::string>& a) {
  long x = 0, y = 0;
  if (a.size() == 3 && a[0] == "move" && ParseScriptNumber(a[1], &x) &&
      ParseScriptNumber(a[2], &y)) {
    if (x != 0) QueueMouseRecord(MOUSE_X, static_cast<int32_t>(x));
    if (y != 0) QueueMouseRecord(MOUSE_Y, static_cast<int32_t>(y));
    return true;
  }
  if (a.size() == 2 && a[0] == "wheel" && ParseScriptNumber(a[1], &x) && x != 0) {
    QueueMouseRecord(MOUSE_WHEEL, static_cast<int32_t>(x) * MOUSE_WHEEL_NOTCH);
    return true;
  }
  if (a.size() == 2 && (a[0] == "left" || a[0] == "right") && (a[1] == "down" || a[1] == "up")) {
    QueueMouseRecord(a[0] == "left" ? MOUSE_LEFT : MOUSE_RIGHT, a[1] == "down" ? MOUSE_BUTTON_DOWN : 0);
    return true;
  }
  return false;
}

bool HandleScriptedEvent(const ScriptedEvent& event) {
  if (event.kind != "mouse") return false;
  if (!QueueScriptedMouse(event.args)) {
    DebugLogf("input script: bad mouse event at pass %llu",
              static_cast<unsigned long long>(event.pass));
  }
  return true;
}

void OnSdlEvent(const SDL_Event& event) { TranslateMouseEvent(event); }

void ListenOnce() {
  static bool listening = false;
  if (listening) return;
  listening = true;
  AddSdlEventObserver(OnSdlEvent);
  AddScriptedEventHandler(HandleScriptedEvent);
}

}  // namespace

MouseDevice* OpenMouse(size_t bufferSize) {
  if (g_mouse != nullptr || bufferSize == 0) return nullptr;
  ListenOnce();
  g_mouse = new MouseDevice{};
  g_mouse->capacity = bufferSize;
  return g_mouse;
}

void CloseMouse(MouseDevice* device) {
  if (device == nullptr || device != g_mouse) return;
  AcquireMouse(device, false);
  delete g_mouse;
  g_mouse = nullptr;
}

void AcquireMouse(MouseDevice* device, bool acquire) {
  if (device == nullptr || device->acquired == acquire) return;
  device->acquired = acquire;
  if (!acquire) device->records.clear();
  UpdateCapture();
}

void SetMouseFullScreen(bool fullScreen) {
  g_fullScreen = fullScreen;
  UpdateCapture();
}

bool IsMouseCaptureAsked() { return g_captureAsked; }

void SetMousePosition(MouseDevice* device, int32_t x, int32_t y) {
  if (device == nullptr) return;
  device->placed = true;
  device->x = x;
  device->y = y;
}

bool ReadMouseRecord(MouseDevice* device, MouseRecord* out) {
  if (device == nullptr || !device->acquired || device->records.empty()) return false;
  *out = device->records.front();
  device->records.pop_front();
  return true;
}

void QueueMouseRecord(uint32_t object, int32_t value) {
  if (g_mouse == nullptr || !g_mouse->acquired || g_mouse->records.size() >= g_mouse->capacity) {
    return;
  }
  g_mouse->records.push_back(MouseRecord{object, value});
}

void TranslateMouseEvent(const SDL_Event& e) {
  switch (e.type) {
    case SDL_MOUSEMOTION:
      QueueMotion(e.motion);
      break;
    case SDL_MOUSEWHEEL: {
      const int notches = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
      if (notches != 0) QueueMouseRecord(MOUSE_WHEEL, notches * MOUSE_WHEEL_NOTCH);
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const int32_t value = e.type == SDL_MOUSEBUTTONDOWN ? MOUSE_BUTTON_DOWN : 0;
      if (e.button.button == SDL_BUTTON_LEFT) QueueMouseRecord(MOUSE_LEFT, value);
      if (e.button.button == SDL_BUTTON_RIGHT) QueueMouseRecord(MOUSE_RIGHT, value);
      break;
    }
    default:
      break;
  }
}

}  // namespace platform
