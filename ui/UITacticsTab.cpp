#include "ui/UITacticsTab.h"

#include "ui/Draw2d.h"
#include "ui/UIDesktop.h"

void UITacticsTab::DrawLocked(CRC* rc) {
  m_pane.DrawLocked(rc);
  DrawBitmap(rc, g_uiOriginX + 9, g_uiOriginY + 37, "UserInterface\\ltab-03.bmp", 0, 0xFFFFFF);
}
void UITacticsTab::Draw(CRC* rc) { m_pane.Draw(rc); }
void UITacticsTab::OnLButtonDown() { m_pane.OnLButtonDown(); }
void UITacticsTab::OnRButtonDown() { m_pane.OnRButtonDown(); }
void UITacticsTab::OnLButtonUp() { m_pane.OnLButtonUp(); }
void UITacticsTab::OnRButtonUp() { m_pane.OnRButtonUp(); }
void UITacticsTab::OnMouseMove() { m_pane.OnMouseMove(); }
void UITacticsTab::OnWheel() { m_pane.OnWheel(); }

void UITacticsTab::Notify(UIObject* sender, int code, int a, int b) {
  if (code == kUiOpen) {
    for (UIObject* child : m_children) child->Notify(sender, code, a, b);
  }
  m_pane.Notify(sender, code, a, b);
}
