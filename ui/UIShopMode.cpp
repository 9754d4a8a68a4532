#include "ui/UIShopMode.h"

#include <algorithm>

#include "platform/Surface.h"
#include "render/RC.h"
#include "render/TgaTextureMgr.h"
#include "ui/UIDesktop.h"

void UIShopMode::Draw(CRC* rc) {
  for (UIObject* child : m_children) child->Draw(rc);
  if (rc == nullptr || BackdropLeft() == nullptr || m_noBackdrop) return;
  const int cx = rc->ViewWidth() / 2, cy = rc->ViewHeight() / 2;
  CTgaTextureMgr& textures = CTgaTextureMgr::GetInstance();
  CTexture* left = textures.GetTexture(BackdropLeft());
  CTexture* right = textures.GetTexture(BackdropRight());
  // A missing picture is reported once, not on every pass.
  m_noBackdrop = left == nullptr && right == nullptr;
  if (left != nullptr) rc->DrawQuad(platform::Rect{cx - 220, cy - 230, cx + 36, cy - 102}, left, 1.0f, 0xFFFFFF, 1, 1);
  if (right != nullptr) {
    rc->DrawQuad(platform::Rect{cx + 36, cy - 230, cx + 292, cy - 102}, right, 1.0f, 0xFFFFFF, 1, 1);
  }
}

void UIShopMode::DrawLocked(CRC* rc) {
  for (UIObject* child : m_children) child->DrawLocked(rc);
}
void UIShopMode::OnLButtonDown() {
  for (UIObject* child : m_children) child->OnLButtonDown();
}
void UIShopMode::OnRButtonDown() {
  for (UIObject* child : m_children) child->OnRButtonDown();
}
void UIShopMode::OnLButtonUp() {
  for (UIObject* child : m_children) child->OnLButtonUp();
}
void UIShopMode::OnRButtonUp() {
  for (UIObject* child : m_children) child->OnRButtonUp();
}
void UIShopMode::OnMouseMove() {
  for (UIObject* child : m_children) child->OnMouseMove();
}

void UIShopMode::Notify(UIObject* sender, int code, int a, int b) {
  for (UIObject* child : m_children) child->Notify(sender, code, a, b);
}

void ShowScreenMessage(const char* text, bool yesNo, UIObject* owner, int code) {
  if (g_pCurrentDesktop == nullptr) return;
  UIMessage& box = g_pCurrentDesktop->m_messageBox;
  box.SetText(text, owner, code, 0, 0);
  box.Popup(owner, yesNo ? UIMessage::kYesNo : UIMessage::kOk, 230, 150);
}

void OpenScreenMenu(UIObject* owner, std::initializer_list<ScreenMenuEntry> entries) {
  if (g_pCurrentDesktop == nullptr) return;
  UIMenu& menu = g_pCurrentDesktop->m_popupMenu;
  menu.Clear();
  for (const ScreenMenuEntry& e : entries) menu.AddItem(e.text, e.code, e.a, e.b, 1);
  menu.OpenAtPointer(owner);
}

bool IsChildOf(const UIObject* parent, const UIObject* widget) {
  return widget != nullptr && std::find(parent->m_children.begin(), parent->m_children.end(), widget) !=
                                  parent->m_children.end();
}
