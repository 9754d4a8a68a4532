#include "render/3dFrame.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "engine/AppShell.h"
#include "engine/Actor.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "platform/Keys.h"
#include "render/3dContext.h"
#include "render/3dDevice.h"
#include "render/3dView.h"
#include "render/RC.h"
#include "tests/support/TestSupport.h"

namespace {

int g_ticks = 0;
int g_flips = -1;

// Holds Escape down from its third tick on; closes the window should the
// loop miss it.
class EscapeActor : public CActor {
 public:
  bool OnProcess() override {
    if (++g_ticks == 3) platform::SetScriptedKey(platform::VK_ESCAPE, true);
    if (g_ticks == 100) g_quitRequested = 1;
    return true;
  }
};

class CEscapeContext : public C3dContext {
  SLV_OBJECT(CEscapeContext)
 public:
  void Init() override { m_liveActors.push_back(new EscapeActor); }
};
SLV_REGISTER_CLASS(CEscapeContext);

// Notes how many frames its render context showed before letting it go.
class CCountingFrame : public C3dFrame {
  SLV_OBJECT(CCountingFrame)
 public:
  void Exit() override {
    g_flips = m_pRC != nullptr ? m_pRC->m_frameCount : -1;
    C3dFrame::Exit();
  }
};
SLV_REGISTER_CLASS(CCountingFrame);

// Quitting cannot be undone in a process: the run happens in a child, which
// reports what it saw on standard error.
void RunUntilEscape(const std::string& lockDir) {
  ::setenv("SLV_LOCK_DIR", lockDir.c_str(), 1);
  if (!CreateMainWindow(nullptr, platform::SW_SHOWNORMAL) ||
      g_3dDevice.Create(g_hWnd, nullptr, &platform::kRasterizerGuid, nullptr, kDevDoubleBuffer) < 0) {
    std::exit(2);
  }
  CMouse::GetInstance().SetViewSize(1, 1);
  CFrameMgr& frames = CFrameMgr::GetInstance();
  frames.RegisterFrame<CCountingFrame, C3dView, CEscapeContext>("std3d");
  frames.SetDefaultFrameType("std3d");
  frames.Run("title");
  const auto* view = dynamic_cast<const C3dView*>(frames.FindFrame("title")->m_pView);
  std::fprintf(stderr, "ticks=%d flips=%d running=%d mouse=%dx%d eye=%.0f\n", g_ticks, g_flips,
               frames.IsRunning() ? 1 : 0, CMouse::GetInstance().m_viewWidth,
               CMouse::GetInstance().m_viewHeight, view->m_eye.y);
  frames.DestroyAll();
  g_3dDevice.Release();
  DestroyMainWindow();
  std::exit(0);
}

TEST(C3dFrameLoop, EscapeEndsTheFrameManagerAfterThePassCompletes) {
  testsupport::TempDir dir;
  // Escape is seen on the fourth pass, which still ticks, draws and flips;
  // the frame is exited and no other frame runs.
  EXPECT_EXIT(RunUntilEscape(dir.Path().string()), ::testing::ExitedWithCode(0),
              "ticks=4 flips=4 running=0 mouse=640x480 eye=-212");
}

}  // namespace
