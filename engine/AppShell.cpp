#include "engine/AppShell.h"

#include "engine/FileStream.h"
#include "engine/FrameClock.h"
#include "engine/Mouse.h"
#include "platform/FileSystem.h"
#include "platform/Keys.h"
#include "platform/MessageBox.h"

platform::WindowHandle g_hWnd = nullptr;
void* g_hInstance = nullptr;
int32_t g_appActive = 0;
int32_t g_quitRequested = 0;
std::string g_resRoot;
std::string g_texturePath;
std::string g_dataPath;
IMovieStreamState* g_pMovieStream = nullptr;
ShellDisplayHooks g_shellDisplay;

namespace {

constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;

bool IsFullScreen() { return g_shellDisplay.isFullScreen != nullptr && g_shellDisplay.isFullScreen(); }

void OnActivate(platform::WindowHandle window, uintptr_t wParam) {
  if (wParam == platform::WA_ACTIVE || wParam == platform::WA_CLICKACTIVE) {
    if (g_pMovieStream != nullptr) g_pMovieStream->SetState(1);
    g_appActive = 1;
    ResetFrameTimer();
  } else {
    if (g_pMovieStream != nullptr) g_pMovieStream->SetState(0);
    g_appActive = 0;
  }
  if (IsFullScreen()) {
    platform::ShowAppWindow(window, g_appActive != 0 ? platform::SW_SHOWMAXIMIZED
                                                     : platform::SW_SHOWMINIMIZED);
  }
  CMouse::GetInstance().Acquire(g_appActive != 0);
}

}  // namespace

bool CreateMainWindow(void* instance, int showCommand) {
  g_hInstance = instance;
  if (platform::FindAppWindow(kMainWindowClass, kMainWindowTitle)) return false;
  int screenW = 0, screenH = 0;
  platform::GetScreenSize(&screenW, &screenH);
  platform::WindowDesc desc;
  desc.className = kMainWindowClass;
  desc.title = kMainWindowTitle;
  desc.proc = MainWndProc;
  desc.x = (screenW - kClientWidth) / 2;
  desc.y = (screenH - kClientHeight) / 2;
  desc.clientWidth = kClientWidth;
  desc.clientHeight = kClientHeight;
  g_hWnd = platform::CreateAppWindow(desc);
  if (g_hWnd == nullptr) {
    platform::ShowMessageBox("Window Creation Failed", "ERROR");
    return false;
  }
  platform::ShowAppWindow(g_hWnd, showCommand);
  g_resRoot += "\\";
  g_texturePath = g_resRoot + "texture\\";
  SetResDirectory(g_resRoot.c_str());
  g_dataPath = platform::CurrentDirectory() + "\\data\\";
  return true;
}

void DestroyMainWindow() {
  platform::DestroyAppWindow(g_hWnd);
  g_hWnd = nullptr;
}

void PumpMessages() {
  platform::PollEvents();
  platform::Message msg;
  do {
    while (g_appActive == 1 && platform::PeekAppMessage(&msg)) platform::DispatchAppMessage(msg);
    while (g_appActive == 0) {
      if (!platform::GetAppMessage(&msg)) break;
      platform::DispatchAppMessage(msg);
    }
  } while (platform::HasAppMessage());
}

intptr_t MainWndProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                     intptr_t lParam) {
  using namespace platform;
  switch (message) {
    case WM_ACTIVATE:
      OnActivate(window, wParam);
      return 1;
    case WM_CLOSE:
      g_quitRequested = 1;
      return 0;
    case WM_KEYDOWN:
      CMouse::GetInstance().Acquire(true);
      break;
    case WM_SYSKEYDOWN:
      if (g_appActive == 1 && wParam != VK_F4) return 0;
      break;
    case WM_ENTERMENULOOP:
    case WM_ENTERSIZEMOVE:
      g_appActive = 0;
      CMouse::GetInstance().Acquire(false);
      break;
    case WM_EXITMENULOOP:
    case WM_EXITSIZEMOVE:
      g_appActive = (IsActiveAppWindow(window) || !IsAppWindowMinimized(window)) ? 1 : 0;
      CMouse::GetInstance().Acquire(g_appActive != 0);
      break;
    case WM_MOVE:
    case WM_PAINT:
      if (g_appActive == 0 && !IsFullScreen() && g_shellDisplay.present != nullptr) {
        g_shellDisplay.present();
      }
      break;
    default:
      break;
  }
  return DefaultWindowProc(window, message, wParam, lParam);
}
