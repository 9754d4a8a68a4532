#include "launcher/LauncherWindow.h"

#include <cstdio>

#include "engine/AppShell.h"
#include "engine/PackFile.h"
#include "launcher/BitmapRgb.h"
#include "launcher/LauncherFiles.h"
#include "launcher/MenuScript.h"
#include "platform/Clock.h"
#include "platform/ScriptedScreenshot.h"

namespace {

LauncherState g_launcher;

void ResizeBackBuffer(int width, int height) {
  g_launcher.width = width;
  g_launcher.height = height;
  g_launcher.stride = (width * 3 + 3) & ~3;
  g_launcher.backBuffer.assign(static_cast<size_t>(g_launcher.stride) * static_cast<size_t>(height), 0);
}

void Paint(platform::WindowHandle window) {
  const uint32_t now = platform::NowMs();
  const float seconds = static_cast<float>(now - g_launcher.lastPaint) * 0.001f;
  g_launcher.lastPaint = now;
  g_launcher.animating = false;
  if (g_launcher.backBuffer.empty()) return;
  for (const std::unique_ptr<MenuItem>& item : g_launcher.items) {
    if (item->Draw(g_launcher.backBuffer.data(), g_launcher.stride, g_launcher.height, seconds)) {
      g_launcher.animating = true;
    }
  }
  platform::ShowBgrImage(window, g_launcher.backBuffer.data(), g_launcher.width, g_launcher.height, g_launcher.stride);
}

// The last item that takes the pointer is hovered: later items lie on top.
void MouseMove(platform::WindowHandle window, int x, int y) {
  int hover = -1;
  for (size_t i = 0; i < g_launcher.items.size(); ++i) {
    if (g_launcher.items[i]->HitTest(x, y)) hover = static_cast<int>(i);
  }
  if (hover == g_launcher.hover) return;
  platform::SetCursorShape(hover >= 0 ? platform::CursorShape::Hand : platform::CursorShape::Arrow);
  if (hover < 0) {
    platform::SetMouseCapture(window, false);
  } else if (g_launcher.hover < 0) {
    platform::SetMouseCapture(window, true);
  }
  g_launcher.hover = hover;
  // The first step of the fade is short.
  g_launcher.lastPaint = platform::NowMs();
  Paint(window);
}

void Destroyed() {
  platform::PostQuitMessage(0);
  g_launcher.items.clear();
  g_launcher.hover = -1;
  g_launcher.backBuffer.clear();
  g_launcher.backBuffer.shrink_to_fit();
  g_launcher.window = nullptr;
}

// The launcher's pack appended to its own program file; without it the
// launcher works from loose files.
void RegisterOwnPack(const std::string& self) {
  std::unique_ptr<cFile> own = OpenStream(self, -1);
  if (own != nullptr) ReadPackDirectory(own, self);
}

platform::WindowHandle CreateMenuWindow(int width, int height) {
  int areaX = 0, areaY = 0, areaWidth = 0, areaHeight = 0;
  platform::GetWorkArea(&areaX, &areaY, &areaWidth, &areaHeight);
  platform::WindowDesc desc;
  desc.className = kLauncherClass;
  desc.title = kLauncherTitle;
  desc.proc = LauncherWndProc;
  desc.x = areaX + (areaWidth - width) / 2;
  desc.y = areaY + (areaHeight - height) / 2;
  desc.clientWidth = width;
  desc.clientHeight = height;
  desc.borderless = true;
  return platform::CreateAppWindow(desc);
}

int RunMessageLoop() {
  platform::Message message;
  for (;;) {
    while (g_launcher.window != nullptr && g_launcher.active && g_launcher.animating && !platform::HasAppMessage()) {
      Paint(g_launcher.window);
    }
    if (!platform::GetAppMessage(&message)) break;
    platform::DispatchAppMessage(message);
  }
  return static_cast<int>(static_cast<intptr_t>(message.wParam));
}

}  // namespace

LauncherState& GetLauncherState() { return g_launcher; }

std::string ProgramPathFromCommandLine(const std::string& commandLine) {
  if (!commandLine.empty() && commandLine[0] == '"') {
    const size_t close = commandLine.find('"', 1);
    return commandLine.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  }
  const size_t start = commandLine.find_first_not_of(" \t");
  if (start == std::string::npos) return "";
  return commandLine.substr(start, commandLine.find_first_of(" \t", start) - start);
}

int LauncherWinMain(void* instance, const std::string& commandLine) {
  if (platform::FindAppWindowOfClass(kLauncherClass) || platform::FindAppWindow(kMainWindowClass, kMainWindowTitle)) {
    return -1;
  }
  RegisterOwnPack(ProgramPathFromCommandLine(commandLine));
  int width = 0, height = 0;
  if (LoadBitmapRgb("images/selected.bmp", &width, &height) == nullptr) {
    std::fputs("launcher: the menu picture images/selected.bmp is missing or damaged\n", stderr);
    FreePacks();
    return 1;
  }
  g_launcher = LauncherState{};
  g_launcher.window = CreateMenuWindow(width, height);
  if (g_launcher.window == nullptr) {
    std::fputs("launcher: the window cannot be made\n", stderr);
    FreePacks();
    return -1;
  }
  platform::EnableScriptedScreenshots();
  platform::ShowAppWindow(g_launcher.window, platform::SW_SHOWNORMAL);
  platform::FocusAppWindow(g_launcher.window);
  // A window that appears is painted.
  Paint(g_launcher.window);
  const int code = RunMessageLoop();
  FreePacks();
  return code;
}

intptr_t LauncherWndProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  using namespace platform;
  switch (message) {
    case WM_CREATE:
      g_launcher.window = window;
      g_launcher.items = ReadMenuScript();
      break;
    case WM_SIZE:
      ResizeBackBuffer(static_cast<int>(lParam & 0xFFFF), static_cast<int>(lParam >> 16 & 0xFFFF));
      break;
    case WM_PAINT:
      Paint(window);
      break;
    case WM_ACTIVATEAPP:
      g_launcher.active = wParam != 0;
      break;
    case WM_MOUSEMOVE:
      MouseMove(window, PointParamX(lParam), PointParamY(lParam));
      break;
    case WM_LBUTTONDOWN:
      if (g_launcher.hover >= 0 && g_launcher.items[static_cast<size_t>(g_launcher.hover)]->Click()) {
        DestroyAppWindow(window);
        return 0;
      }
      break;
    case WM_DESTROY:
      Destroyed();
      break;
    default:
      break;
  }
  return DefaultWindowProc(window, message, wParam, lParam);
}
