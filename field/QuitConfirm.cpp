#include "field/QuitConfirm.h"

#include "engine/AppShell.h"
#include "engine/BitmapRes.h"
#include "engine/Controller.h"
#include "engine/Frame.h"
#include "engine/FrameClock.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "render/3dFrame.h"
#include "render/DispBmp.h"
#include "render/RC.h"
#include "ui/Draw2d.h"

namespace {

// Hot rectangles of the picture in 640 x 480, edges included.
struct HotRect {
  int left, top, right, bottom;
  int result;
};
constexpr HotRect kHotRects[] = {{446, 361, 489, 394, kQuitYes}, {503, 363, 558, 391, kQuitNo}};

int ChoiceAt(int x, int y) {
  for (const HotRect& r : kHotRects) {
    if (r.left <= x && x <= r.right && r.top <= y && y <= r.bottom) return r.result;
  }
  return 0;
}

bool ConfirmKeyPressed() {
  if (g_pMainKeyPad == nullptr) return false;
  return IsNewlyPressed(g_pMainKeyPad->m_buttons[4]) || IsNewlyPressed(g_pMainKeyPad->m_buttons[5]);
}

void DrawPicture(CRC* rc, const CMouse& mouse) {
  g_dispBmp.Draw();
  if (rc == nullptr) return;
  rc->ApplyFog();
  if (rc->BeginScene()) {
    DrawPointerCursor(rc, mouse.m_x, mouse.m_y);
    rc->EndScene();
  }
  rc->Flip();
}

}  // namespace

int ShowQuitConfirm() {
  const auto* frame = dynamic_cast<const C3dFrame*>(g_pCurrentFrame);
  CRC* rc = frame != nullptr ? frame->m_pRC : nullptr;
  const int width = rc != nullptr && rc->ViewWidth() > 0 ? rc->ViewWidth() : 640;
  const int height = rc != nullptr && rc->ViewHeight() > 0 ? rc->ViewHeight() : 480;
  CResMgr& resources = CResMgr::GetInstance();
  CRes* picture = resources.GetRes("quitgame.bmp");
  g_dispBmp.Create(dynamic_cast<const CBitmapRes*>(picture));
  const bool fog = CRC::s_fogOn != 0;
  if (rc != nullptr) rc->SetFog(false);
  int result = kQuitYes;
  bool firstPass = true;
  bool confirmKeyBefore = false;
  CMouse& mouse = CMouse::GetInstance();
  while (g_quitRequested == 0) {
    PumpMessages();
    mouse.Read();
    CControllerList::GetInstance().Update();
    // A click that came with the key press that opened the picture, or a
    // confirm key just before, must not answer it.
    if (!firstPass && !confirmKeyBefore && mouse.m_mouseButtons[0] == kStatePressed) {
      const int choice = ChoiceAt(mouse.m_x * 640 / width, mouse.m_y * 480 / height);
      if (choice != 0) {
        result = choice;
        resources.ReleaseRes(picture);
        ResetFrameTimer();
        break;
      }
    }
    firstPass = false;
    confirmKeyBefore = ConfirmKeyPressed();
    DrawPicture(rc, mouse);
  }
  if (rc != nullptr) rc->SetFog(fog);
  // The picture goes with its answer, or the field would go on showing it.
  g_dispBmp.Release();
  return result;
}
