// The field mode's tick: the world and the camera advance every pass; the
// scene is drawn when the frame clock allows.
#include <cmath>

#include "engine/FrameClock.h"
#include "engine/FrameMgr.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/Keys.h"
#include "render/RC.h"
#include "session/ClockSeconds.h"
#include "session/Session.h"

void CSelvarinFrame::RunFieldMode() {
  // Until the field asks whether to quit, Escape ends the game.
  if ((platform::GetKeyState(platform::VK_ESCAPE) & 0xFF00) != 0) {
    CFrameMgr::GetInstance().Quit();
    return;
  }
  if (CSelvarinContext* context = GetContext()) {
    context->Update();
    KeepPlayerPlace(context->GetPlayer());
  }
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

// The session keeps where the player stands and how long the game has been
// played, for saves and the menus.
void CSelvarinFrame::KeepPlayerPlace(const CSelvarinActor* player) {
  CSession& session = CSession::GetInstance();
  if (player != nullptr) {
    session.posX = player->m_pos.x;
    session.posZ = player->m_pos.z;
    const float facing = player->m_angle;
    session.facing = std::isfinite(facing) && std::fabs(facing) < 2.0e9f ? static_cast<int32_t>(facing) : 0;
  }
  session.playTime = ClockSecondsSince(session.startClock);
}
