#include "ui/UIDeskPane.h"

#include "ui/Draw2d.h"

void UIDeskPane::DrawLocked(CRC* rc) {
  if (m_tab != nullptr) DrawBitmap(rc, g_uiOriginX + 154, g_uiOriginY + 4, m_tab, 0, 0xFFFFFF);
  if (m_desk != nullptr) DrawBitmap(rc, g_uiOriginX + 154, g_uiOriginY + 38, m_desk, m_deskFlag, 0xFFFFFF);
  for (UIObject* child : m_children) child->DrawLocked(rc);
}

void UIDeskPane::Draw(CRC* rc) {
  for (UIObject* child : m_children) child->Draw(rc);
}
void UIDeskPane::OnLButtonDown() {
  for (UIObject* child : m_children) child->OnLButtonDown();
}
void UIDeskPane::OnRButtonDown() {
  for (UIObject* child : m_children) child->OnRButtonDown();
}
void UIDeskPane::OnLButtonUp() {
  for (UIObject* child : m_children) child->OnLButtonUp();
}
void UIDeskPane::OnRButtonUp() {
  for (UIObject* child : m_children) child->OnRButtonUp();
}
void UIDeskPane::OnMouseMove() {
  for (UIObject* child : m_children) child->OnMouseMove();
}
void UIDeskPane::Notify(UIObject* sender, int code, int a, int b) {
  for (UIObject* child : m_children) child->Notify(sender, code, a, b);
}
