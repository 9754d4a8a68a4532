#pragma once
// The program's one window, the two process-wide flags every frame loop reads,
// and the message pump each loop runs once a pass.
#include <cstdint>
#include <string>

#include "platform/Window.h"

extern platform::WindowHandle g_hWnd;
extern void* g_hInstance;
extern int32_t g_appActive;      // 1 while the window is active
extern int32_t g_quitRequested;  // set once, by closing the window
extern std::string g_resRoot;
extern std::string g_texturePath;
extern std::string g_dataPath;

// The opening movie's stream, paused and resumed with the window's activation.
class IMovieStreamState {
 public:
  virtual ~IMovieStreamState() = default;
  virtual void SetState(int running) = 0;  // 1 run, 0 stop
};
extern IMovieStreamState* g_pMovieStream;

// The display device lives above the engine; it tells the shell whether it is
// full screen and how to show the back buffer again.
struct ShellDisplayHooks {
  bool (*isFullScreen)() = nullptr;
  void (*present)() = nullptr;
};
extern ShellDisplayHooks g_shellDisplay;

// The window's class and title; the launcher tests for them too.
inline constexpr const char* kMainWindowClass = "GfxApp";
inline constexpr const char* kMainWindowTitle = "Selvarin";

// False when another copy runs (silently) or the window cannot be made.
bool CreateMainWindow(void* instance, int showCommand);
void DestroyMainWindow();
// Empties the message queue once; blocks while the window is inactive.
void PumpMessages();
intptr_t MainWndProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                     intptr_t lParam);
