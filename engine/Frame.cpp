#include "engine/Frame.h"

#include "engine/Actor.h"
#include "engine/FrameMgr.h"
#include "engine/ResMgr.h"

SLV_REGISTER_CLASS(CView);
SLV_REGISTER_CLASS(CContext);
SLV_REGISTER_CLASS(CFrame);

void CView::Init() {
  m_param0 = 0;
  m_param1 = 0;
}

void CView::OnMessage(CObject* sender, int code, intptr_t value, intptr_t value1, intptr_t value2) {
  if (code == 0) {
    m_param0 = static_cast<int32_t>(value);
  } else if (code == 1) {
    m_param1 = static_cast<int32_t>(value);
  }
}

CContext::~CContext() { Clear(); }

void CContext::Clear() {
  for (CActor* actor : m_actors) delete actor;
  m_actors.clear();
}

CFrame::~CFrame() {
  delete m_pView;
  delete m_pContext;
}

void CFrame::Init() {
  CResMgr::GetInstance().LoadIni(m_name);
  if (m_pContext != nullptr) m_pContext->Init();
  if (m_pView != nullptr) m_pView->Init();
  m_running = 1;
}

void CFrame::Run() { CFrameMgr::GetInstance().Quit(); }

void CFrame::Exit() {
  if (m_pView != nullptr) m_pView->Exit();
  if (m_pContext != nullptr) m_pContext->Clear();
}
