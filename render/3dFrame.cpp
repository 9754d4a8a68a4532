#include "render/3dFrame.h"

#include "engine/AppShell.h"
#include "engine/Controller.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "platform/Keys.h"
#include "render/3dContext.h"
#include "render/3dDevice.h"
#include "render/3dView.h"
#include "render/RC.h"

SLV_REGISTER_CLASS(C3dFrame);

C3dFrame::~C3dFrame() { g_3dDevice.FreeRC(m_pRC); }

void C3dFrame::Init() {
  CFrame::Init();
  m_pRC = g_3dDevice.GetRC();
  if (m_pRC != nullptr) CMouse::GetInstance().SetViewSize(m_pRC->ViewWidth(), m_pRC->ViewHeight());
}

void C3dFrame::Run() {
  while (m_running != 0 && g_quitRequested == 0) RunPass();
}

void C3dFrame::RunPass() {
  PumpMessages();
  // The pass still completes after Escape.
  if ((platform::GetKeyState(platform::VK_ESCAPE) & 0xFF00) != 0) CFrameMgr::GetInstance().Quit();
  CControllerList::GetInstance().Update();
  if (auto* context = dynamic_cast<C3dContext*>(m_pContext)) context->Update();
  auto* view = dynamic_cast<C3dView*>(m_pView);
  if (view != nullptr) view->Update();
  if (m_pRC == nullptr) return;
  m_pRC->Clear(false);
  if (m_pRC->BeginScene()) {
    if (view != nullptr) view->Render(*m_pRC);
    m_pRC->EndScene();
  }
  m_pRC->Flip();
}

void C3dFrame::Exit() {
  CFrame::Exit();
  g_3dDevice.FreeRC(m_pRC);
  m_pRC = nullptr;
}
