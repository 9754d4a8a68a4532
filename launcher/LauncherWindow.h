#pragma once
// The launcher program: its start-up, its borderless menu window and the
// window's procedure. The window shows a top-down 24-bit back buffer that
// the menu items draw into; it repaints without pause while a fade runs and
// the launcher is active, and sleeps otherwise.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "launcher/MenuItem.h"
#include "platform/Window.h"

inline constexpr const char* kLauncherClass = "Selvarin Launcher";
inline constexpr const char* kLauncherTitle = "Selvarin";

// What the window keeps while it lives.
struct LauncherState {
  platform::WindowHandle window = nullptr;
  std::vector<std::unique_ptr<MenuItem>> items;  // in script order
  int hover = -1;                                // the item under the pointer
  std::vector<uint8_t> backBuffer;
  int width = 0, height = 0;
  int stride = 0;  // width x 3, padded to a multiple of 4
  bool active = false;
  bool animating = false;
  uint32_t lastPaint = 0;  // milliseconds
};
LauncherState& GetLauncherState();

// The program's own path: the first word of its command line, or the text
// between its first two double quotes when it starts with one.
std::string ProgramPathFromCommandLine(const std::string& commandLine);

// The whole program: -1 when the game or another launcher runs or the
// window cannot be made, 1 when the menu's pictures are missing, else the
// quit code.
int LauncherWinMain(void* instance, const std::string& commandLine);

intptr_t LauncherWndProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
