#include "ui/UIObject.h"

int32_t g_uiOriginX = 0;
int32_t g_uiOriginY = 0;

UIObject::~UIObject() { DestroyChildren(); }

void UIObject::OnWheel() {
  for (UIObject* child : m_children) child->OnWheel();
}

int UIObject::AddChild(UIObject* child) {
  m_children.push_back(child);
  child->m_parent = this;
  return static_cast<int>(m_children.size());
}

void UIObject::DestroyChildren() {
  for (UIObject* child : m_children) {
    child->DestroyChildren();
    delete child;
  }
  m_children.clear();
}
