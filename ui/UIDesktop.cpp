#include "ui/UIDesktop.h"

#include <algorithm>
#include <array>

#include "engine/Controller.h"
#include "engine/Mouse.h"
#include "render/RC.h"

UIDesktop* g_pCurrentDesktop = nullptr;

UIDesktop::UIDesktop() { g_pCurrentDesktop = this; }

// The members (the overlays) go after this body, the tree with the base.
UIDesktop::~UIDesktop() {
  m_modalStack.clear();
  m_capture = nullptr;
  if (g_pCurrentDesktop == this) g_pCurrentDesktop = nullptr;
}

template <class Op>
void UIDesktop::Route(Op op) {
  if (m_capture != nullptr) {
    op(*m_capture);
    return;
  }
  for (UIObject* child : m_children) op(*child);
}

void UIDesktop::DrawLocked(CRC* rc) {
  for (UIObject* child : m_children) child->DrawLocked(rc);
}
void UIDesktop::Draw(CRC* rc) {
  for (UIObject* child : m_children) child->Draw(rc);
}
void UIDesktop::OnLButtonDown() {
  Route([](UIObject& w) { w.OnLButtonDown(); });
}
void UIDesktop::OnRButtonDown() {
  Route([](UIObject& w) { w.OnRButtonDown(); });
}
void UIDesktop::OnLButtonUp() {
  Route([](UIObject& w) { w.OnLButtonUp(); });
}
void UIDesktop::OnRButtonUp() {
  Route([](UIObject& w) { w.OnRButtonUp(); });
}
void UIDesktop::OnMouseMove() {
  Route([](UIObject& w) { w.OnMouseMove(); });
}
void UIDesktop::OnWheel() {
  Route([](UIObject& w) { w.OnWheel(); });
}

void UIDesktop::Notify(UIObject* sender, int code, int a, int b) {
  if (code >= 0 && code <= 2) m_lastChoice = code;
  for (UIObject* child : m_children) child->Notify(sender, code, a, b);
}

bool UIDesktop::HasPopupLayers() const {
  return m_popupMenu.IsShown() || m_playerMenu.IsShown() || m_tacticsMenu.IsShown() || m_messageBox.IsShown();
}

// The pop-up menu, the picker and the grid, then the message box on top.
void UIDesktop::DrawPopupLayers(CRC* rc) {
  if (rc == nullptr) return;
  const std::array<UIObject*, 4> layers = {&m_popupMenu, &m_playerMenu, &m_tacticsMenu, &m_messageBox};
  if (rc->BeginScene()) {
    for (UIObject* w : layers) w->Draw(rc);
    rc->EndScene();
  }
  if (rc->LockBackBuffer()) {
    for (UIObject* w : layers) w->DrawLocked(rc);
    rc->UnlockBackBuffer();
  }
}

void UIDesktop::TakeMouse(const CMouse& mouse) {
  OnMouseMove();
  if (mouse.m_mouseButtons[0] == kStatePressed) OnLButtonDown();
  if (mouse.m_mouseButtons[0] == kStateReleased) OnLButtonUp();
  if (mouse.m_mouseButtons[1] == kStatePressed) OnRButtonDown();
  if (mouse.m_mouseButtons[1] == kStateReleased) OnRButtonUp();
  if (mouse.m_wheel != 0) OnWheel();
}

int UIDesktop::PushModal(UIObject* w) {
  UIDesktop* d = g_pCurrentDesktop;
  if (d == nullptr) return 0;
  d->m_capture = w;
  d->m_modalStack.push_back(w);
  return static_cast<int>(d->m_modalStack.size());
}

void UIDesktop::PopModal() {
  UIDesktop* d = g_pCurrentDesktop;
  if (d == nullptr) return;
  if (!d->m_modalStack.empty()) d->m_modalStack.pop_back();
  d->m_capture = d->m_modalStack.empty() ? nullptr : d->m_modalStack.back();
}

void UIDesktop::RemoveModal(UIObject* w) {
  UIDesktop* d = g_pCurrentDesktop;
  if (d == nullptr) return;
  std::deque<UIObject*>& stack = d->m_modalStack;
  const auto newest = std::find(stack.rbegin(), stack.rend(), w);
  if (newest != stack.rend()) stack.erase(std::next(newest).base());
  d->m_capture = stack.empty() ? nullptr : stack.back();
}

void UIDesktop::ShowModal(UIObject* w, int32_t& shown, int show) {
  if ((show != 0) == (shown != 0)) return;
  shown = show != 0 ? 1 : 0;
  if (shown != 0) {
    PushModal(w);
  } else {
    RemoveModal(w);
  }
}

void UIDesktop::Close() {
  if (g_pCurrentDesktop != nullptr) g_pCurrentDesktop->m_open = 0;
}
