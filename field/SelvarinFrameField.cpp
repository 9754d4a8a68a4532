// The field mode's tick: the world and the camera advance every pass; the
// scene is drawn when the frame clock allows.
#include "engine/FrameClock.h"
#include "engine/FrameMgr.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/Keys.h"
#include "render/RC.h"

void CSelvarinFrame::RunFieldMode() {
  // Until the field asks whether to quit, Escape ends the game.
  if ((platform::GetKeyState(platform::VK_ESCAPE) & 0xFF00) != 0) {
    CFrameMgr::GetInstance().Quit();
    return;
  }
  if (CSelvarinContext* context = GetContext()) context->Update();
  CSelvarinView* view = GetView();
  if (view != nullptr) view->Update();
  if (!WaitNextFrame() || m_pRC == nullptr) return;
  m_pRC->Clear(true);
  if (m_pRC->BeginScene()) {
    if (view != nullptr) view->Render(*m_pRC);
    DrawTransition();
    m_pRC->EndScene();
  }
  m_pRC->Flip();
}
