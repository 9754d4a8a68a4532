#include "ui/UICloseSession.h"

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/RC.h"
#include "render/TextProbe.h"
#include "ui/UIDesktop.h"
#include "ui/UIIcon.h"

void UICloseSession::Setup(int x0, int y0, int x1, int y1, bool shown) {
  m_x0 = x0;
  m_y0 = y0;
  m_x1 = x1;
  m_y1 = y1;
  m_shown = shown ? 1 : 0;
}

bool UICloseSession::UnderPointer() const { return UIInside(UIPointer(), m_x0, m_y0, m_x1, m_y1); }

// Motion 1 at rest, 0 under the pointer, 2 pressed under it.
void UICloseSession::Draw(CRC* rc) {
  if (rc == nullptr || m_shown == 0) return;
  const WidgetProbeScope probe;
  const int motion = !UnderPointer() ? 1 : m_pressed != 0 ? 2 : 0;
  CResMgr& res = CResMgr::GetInstance();
  const auto* act = dynamic_cast<const CActRes*>(res.GetRes("system\\closeBtn.act"));
  const auto* spr = dynamic_cast<const CSprRes*>(res.GetRes("system\\closeBtn.spr"));
  rc->DrawAction(m_x0, m_y0, act, spr, 0, motion, 1.0f, 0, 0xFFFFFFFF, true);
}

void UICloseSession::OnLButtonDown() {
  if (!UnderPointer()) return;
  m_pressed = 1;
  UIDesktop::PushModal(this);
}

void UICloseSession::OnLButtonUp() {
  m_pressed = 0;
  if (g_pCurrentDesktop != nullptr && g_pCurrentDesktop->m_capture == this) UIDesktop::PopModal();
  if (!UnderPointer()) return;
  NotifyParent(23, 5, 0);
  UIDesktop::Close();
}

void AddCloseIcon(UIObject& parent, int x, int y) {
  auto* icon = new UIZoomIcon;
  icon->Setup(x, y, "system\\ok_shop.act", "system\\ok_shop.spr", 0, 2, "Close", -1);
  parent.AddChild(icon);
  auto* close = new UICloseSession;
  close->Setup(x - 25, y - 20, x + 30, y + 10, false);
  parent.AddChild(close);
}
