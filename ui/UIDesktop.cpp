#include "ui/UIDesktop.h"

UIDesktop* g_pCurrentDesktop = nullptr;

namespace {

template <class Op>
void ForEachChild(UIObject& parent, Op op) {
  for (UIObject* child : parent.m_children) op(*child);
}

}  // namespace

UIDesktop::UIDesktop() { g_pCurrentDesktop = this; }

UIDesktop::~UIDesktop() {
  if (g_pCurrentDesktop == this) g_pCurrentDesktop = nullptr;
}

void UIDesktop::DrawLocked(CRC* rc) {
  ForEachChild(*this, [rc](UIObject& w) { w.DrawLocked(rc); });
}
void UIDesktop::Draw(CRC* rc) {
  ForEachChild(*this, [rc](UIObject& w) { w.Draw(rc); });
}
void UIDesktop::OnLButtonDown() {
  ForEachChild(*this, [](UIObject& w) { w.OnLButtonDown(); });
}
void UIDesktop::OnRButtonDown() {
  ForEachChild(*this, [](UIObject& w) { w.OnRButtonDown(); });
}
void UIDesktop::OnLButtonUp() {
  ForEachChild(*this, [](UIObject& w) { w.OnLButtonUp(); });
}
void UIDesktop::OnRButtonUp() {
  ForEachChild(*this, [](UIObject& w) { w.OnRButtonUp(); });
}
void UIDesktop::OnMouseMove() {
  ForEachChild(*this, [](UIObject& w) { w.OnMouseMove(); });
}

void UIDesktop::Notify(UIObject* sender, int code, int a, int b) {
  if (code >= 0 && code <= 2) m_lastChoice = code;
  ForEachChild(*this, [&](UIObject& w) { w.Notify(sender, code, a, b); });
}
