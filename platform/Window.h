#pragma once
// The program's window and its message queue: SDL events are turned into the
// few window messages the game's window procedure handles.
#include <cstdint>
#include <string>

struct SDL_Window;

namespace platform {

// Message numbers, as the window procedure tests them.
enum : uint32_t {
  WM_CREATE = 0x0001,
  WM_DESTROY = 0x0002,
  WM_MOVE = 0x0003,
  WM_SIZE = 0x0005,
  WM_ACTIVATE = 0x0006,
  WM_PAINT = 0x000F,
  WM_CLOSE = 0x0010,
  WM_QUIT = 0x0012,
  WM_ACTIVATEAPP = 0x001C,
  WM_KEYDOWN = 0x0100,
  WM_KEYUP = 0x0101,
  WM_SYSKEYDOWN = 0x0104,
  WM_SYSKEYUP = 0x0105,
  WM_MOUSEMOVE = 0x0200,
  WM_LBUTTONDOWN = 0x0201,
  WM_LBUTTONUP = 0x0202,
  WM_ENTERMENULOOP = 0x0211,
  WM_EXITMENULOOP = 0x0212,
  WM_ENTERSIZEMOVE = 0x0231,
  WM_EXITSIZEMOVE = 0x0232,
};

// Low word of an activation's wParam; the high word is non-zero when the
// window is minimised.
enum : uint32_t { WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2 };

// Mouse messages: wParam holds the buttons down, lParam the pointer in client
// coordinates (x in the low word, y in the high word, each signed 16 bits).
// WM_SIZE's lParam holds the client width and height the same way.
inline constexpr uintptr_t MK_LBUTTON = 0x1;
constexpr intptr_t MakePointParam(int x, int y) {
  return static_cast<intptr_t>((static_cast<uint32_t>(x) & 0xFFFF) | (static_cast<uint32_t>(y) & 0xFFFF) << 16);
}
constexpr int PointParamX(intptr_t lParam) { return static_cast<int16_t>(lParam & 0xFFFF); }
constexpr int PointParamY(intptr_t lParam) { return static_cast<int16_t>(lParam >> 16 & 0xFFFF); }

// Show commands.
enum : int { SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_SHOWMINIMIZED = 2, SW_SHOWMAXIMIZED = 3 };

struct WindowImpl;
using WindowHandle = WindowImpl*;
using WindowProc = intptr_t (*)(WindowHandle, uint32_t message, uintptr_t wParam, intptr_t lParam);

struct Message {
  WindowHandle window = nullptr;
  uint32_t message = 0;
  uintptr_t wParam = 0;
  intptr_t lParam = 0;
};

struct WindowDesc {
  std::string className;
  std::string title;
  WindowProc proc = nullptr;
  int x = 0, y = 0;                   // top-left of the client area
  int clientWidth = 0, clientHeight = 0;
  bool borderless = false;            // no frame or title bar
};

// Whether a window of this class and title exists: another copy of the
// program holds the advisory lock named after them. Folder of the lock files:
// SLV_LOCK_DIR, else XDG_RUNTIME_DIR, else /tmp.
bool FindAppWindow(const std::string& className, const std::string& title);

// Whether a window of this class runs, whatever its title.
bool FindAppWindowOfClass(const std::string& className);

// Creates the window (hidden) and takes the lock; null on failure. The
// procedure receives WM_CREATE (-1 from it fails the creation) and then
// WM_SIZE with the client size before this returns.
WindowHandle CreateAppWindow(const WindowDesc& desc);
// Sends WM_DESTROY, then closes the window and drops its queued messages
// (a quit message stays).
void DestroyAppWindow(WindowHandle window);
// Showing a window activates it, as on the original system; a window that is
// active already (shown, not minimised) gets no second activation.
void ShowAppWindow(WindowHandle window, int showCommand);
bool IsAppWindowMinimized(WindowHandle window);
bool IsActiveAppWindow(WindowHandle window);
// The client area's top-left on the screen (it follows moves).
void GetClientOrigin(WindowHandle window, int* x, int* y);
void GetClientSize(WindowHandle window, int* width, int* height);
// The SDL window behind a handle, for the display code of platform/.
SDL_Window* SdlWindowOf(WindowHandle window);

// Shows or hides the system's mouse pointer over the window.
void ShowSystemCursor(bool show);
// Raises the window and gives it the keyboard.
void FocusAppWindow(WindowHandle window);

// The desktop's size in pixels (640 x 480 when no display is known).
void GetScreenSize(int* width, int* height);
// The desktop without its panels and docks (the whole screen when the
// system does not tell).
void GetWorkArea(int* x, int* y, int* width, int* height);

// The mouse keeps reporting to the window while captured, also outside it.
void SetMouseCapture(WindowHandle window, bool capture);
bool IsMouseCaptured();

// The pointer's look over the window.
enum class CursorShape : uint8_t { Arrow, Hand };
void SetCursorShape(CursorShape shape);
CursorShape CurrentCursorShape();

// Shows a top-down image of 24-bit pixels (blue, green, red bytes; rows
// `stride` bytes apart) in the window's client area, and keeps it as the
// last presented frame. A window shows either these images or a display's
// surfaces, not both.
void ShowBgrImage(WindowHandle window, const uint8_t* pixels, int width, int height, int stride);

// Starts a new pass of a frame loop: advances scripted input and moves
// pending SDL events into the queue.
void PollEvents();
// Takes the next message without waiting; false when the queue is empty.
bool PeekAppMessage(Message* out);
// Takes the next message, waiting for one; false for the quit message.
bool GetAppMessage(Message* out);
bool HasAppMessage();
void PostAppMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
// Posts WM_QUIT with the code as its wParam: GetAppMessage then ends.
void PostQuitMessage(int code);
// Calls the window's procedure with the message.
intptr_t DispatchAppMessage(const Message& message);
// The system's default handling: Alt+F4 closes the window; closing destroys
// it.
intptr_t DefaultWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// Number of passes (PollEvents calls) so far.
uint64_t PassCount();

}  // namespace platform
