#include "ui/UIObject.h"

#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "engine/Wave.h"
#include "render/3dFrame.h"
#include "render/RC.h"

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

void UIObject::NotifyParent(int code, int a, int b) {
  if (m_parent != nullptr) m_parent->Notify(this, code, a, b);
}

UIPoint UIPointer() {
  const CMouse& mouse = CMouse::GetInstance();
  return UIPoint{mouse.m_x, mouse.m_y};
}

bool UIPointerOverPageList() {
  const UIPoint p = UIPointer();
  const int x = p.x - g_uiOriginX, y = p.y - g_uiOriginY;
  return x > 154 && x < 540 && y > 38;
}

void UIPlayRowClick() { PlayWave("아이템,스킬,매직 클릭시나는소리.wav"); }

bool UIRepeatedRowPress(int row, int32_t& lastRow) {
  if (row < 0) return false;
  UIPlayRowClick();
  if (row == lastRow && UIPointerOverPageList()) return true;
  lastRow = row;
  return false;
}

CRC* UICurrentRC() {
  const auto* frame = dynamic_cast<const C3dFrame*>(g_pCurrentFrame);
  return frame != nullptr ? frame->m_pRC : nullptr;
}

// Without a render context there is no text to measure.
int UITextWidth(const char* text) {
  CRC* rc = UICurrentRC();
  return rc != nullptr ? rc->GetTextWidth(text) : 0;
}

int UIViewWidth() {
  const CRC* rc = UICurrentRC();
  return rc != nullptr ? rc->ViewWidth() : 640;
}
