// The game program's entry.
#include <cstdio>

#include "engine/AppShell.h"
#include "engine/Frame.h"
#include "engine/FrameClock.h"
#include "engine/FrameMgr.h"
#include "platform/Keys.h"

namespace {

// Until the game's own frames exist: a frame that paces passes at the frame
// rate and ends on Escape or when the window closes.
class CPlaceholderFrame : public CFrame {
  SLV_OBJECT(CPlaceholderFrame)
 public:
  void Run() override {
    while (m_running != 0 && g_quitRequested == 0) {
      PumpMessages();
      if (platform::GetKeyState(platform::VK_ESCAPE) != 0) CFrameMgr::GetInstance().Quit();
      WaitNextFrame();
    }
  }
};
SLV_REGISTER_CLASS(CPlaceholderFrame);

}  // namespace

int main(int argc, char** argv) {
  if (!CreateMainWindow(nullptr, platform::SW_SHOWNORMAL)) {
    std::fprintf(stderr, "slvexe: the game window could not be made (is another copy running?)\n");
    return 1;
  }
  SetFrameRate(60);
  CFrameMgr& frames = CFrameMgr::GetInstance();
  frames.RegisterFrame<CPlaceholderFrame, CView, CContext>("logo");
  frames.SetDefaultFrameType("logo");
  frames.Run("logo");
  frames.DestroyAll();
  DestroyMainWindow();
  return 0;
}
