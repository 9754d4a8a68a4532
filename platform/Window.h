#pragma once
// The program's window and its message queue: SDL events are turned into the
// few window messages the game's window procedure handles.
#include <cstdint>
#include <string>

struct SDL_Window;

namespace platform {

// Message numbers, as the window procedure tests them.
enum : uint32_t {
  WM_MOVE = 0x0003,
  WM_ACTIVATE = 0x0006,
  WM_PAINT = 0x000F,
  WM_CLOSE = 0x0010,
  WM_QUIT = 0x0012,
  WM_KEYDOWN = 0x0100,
  WM_KEYUP = 0x0101,
  WM_SYSKEYDOWN = 0x0104,
  WM_SYSKEYUP = 0x0105,
  WM_ENTERMENULOOP = 0x0211,
  WM_EXITMENULOOP = 0x0212,
  WM_ENTERSIZEMOVE = 0x0231,
  WM_EXITSIZEMOVE = 0x0232,
};

// Low word of an activation's wParam; the high word is non-zero when the
// window is minimised.
enum : uint32_t { WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2 };

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
};

// Whether a window of this class and title exists: another copy of the
// program holds the advisory lock named after them. Folder of the lock files:
// SLV_LOCK_DIR, else XDG_RUNTIME_DIR, else /tmp.
bool FindAppWindow(const std::string& className, const std::string& title);

// Creates the window (hidden) and takes the lock; null on failure.
WindowHandle CreateAppWindow(const WindowDesc& desc);
void DestroyAppWindow(WindowHandle window);
// Showing a window activates it, as on the original system.
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

// Starts a new pass of a frame loop: advances scripted input and moves
// pending SDL events into the queue.
void PollEvents();
// Takes the next message without waiting; false when the queue is empty.
bool PeekAppMessage(Message* out);
// Takes the next message, waiting for one; false for the quit message.
bool GetAppMessage(Message* out);
bool HasAppMessage();
void PostAppMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
// Calls the window's procedure with the message.
intptr_t DispatchAppMessage(const Message& message);
// The system's default handling: Alt+F4 closes the window.
intptr_t DefaultWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// Number of passes (PollEvents calls) so far.
uint64_t PassCount();

}  // namespace platform
