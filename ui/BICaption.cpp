#include "ui/BICaption.h"

#include <algorithm>

#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "render/3dFrame.h"
#include "render/RC.h"
#include "ui/BICaptionDeskTop.h"

BICaption::~BICaption() {
  DeleteChildren();
  // Nothing may keep pointing at a widget that is gone.
  BICaptionDeskTop::Forget(this);
}

BICaption* BICaption::AddChild(BICaption* child) {
  m_children.push_back(child);
  child->m_parent = this;
  return child;
}

BICaption* BICaption::AddChildFront(BICaption* child) {
  m_children.push_front(child);
  child->m_parent = this;
  return child;
}

void BICaption::RemoveChild(BICaption* child) {
  const auto found = std::find(m_children.begin(), m_children.end(), child);
  if (found == m_children.end()) return;
  m_children.erase(found);
  delete child;
}

// A child's destructor may remove a sibling (a row takes its sub-menu with
// it), so each is unlinked before it goes.
void BICaption::DeleteChildren() { DeleteChildrenExcept(nullptr); }

void BICaption::DeleteChildrenExcept(const BICaption* kept) {
  std::list<BICaption*> doomed;
  for (BICaption* child : m_children) {
    if (child != kept) doomed.push_back(child);
  }
  for (BICaption* child : doomed) RemoveChild(child);
}

void BICaption::GetAbsPos(int* x, int* y) const {
  int ax = 0, ay = 0;
  for (const BICaption* w = this; w != nullptr; w = w->m_parent) {
    ax += w->m_x;
    ay += w->m_y;
  }
  *x = ax;
  *y = ay;
}

void BICaption::NotifyTree(BICaption* sender, int code, int a, int b, int c) {
  const std::list<BICaption*> children = m_children;
  for (BICaption* child : children) {
    if (!HasChild(child)) continue;
    child->Notify(sender, code, a, b, c);
    if (HasChild(child)) child->NotifyTree(sender, code, a, b, c);
  }
}

void BICaption::BlurSiblingsOf(const BICaption* widget) {
  const std::list<BICaption*> children = m_children;
  for (BICaption* child : children) {
    if (child != widget && HasChild(child)) child->OnBlur();
  }
}

void BICaption::SetActive(BICaption* widget) { Root()->m_active = widget; }

void BICaption::DrawTree(CRC* rc) {
  Draw(rc);
  for (BICaption* child : m_children) child->DrawTree(rc);
}

bool BICaption::Holds(int px, int py) const {
  int x = 0, y = 0;
  GetAbsPos(&x, &y);
  return px >= x && px < x + m_width && py >= y && py < y + m_height;
}

BICaption* BICaption::ChildAt(int px, int py) const {
  for (BICaption* child : m_children) {
    if (child->Holds(px, py)) return child;
  }
  return nullptr;
}

BICaption* BICaption::ChildUnderPointer() const {
  const CMouse& mouse = CMouse::GetInstance();
  return ChildAt(mouse.m_x, mouse.m_y);
}

BICaption* BICaption::Root() {
  BICaption* w = this;
  while (w->m_parent != nullptr) w = w->m_parent;
  return w;
}

bool BICaption::HasChild(const BICaption* child) const {
  return std::find(m_children.begin(), m_children.end(), child) != m_children.end();
}

CRC* BICurrentRC() {
  const auto* frame = dynamic_cast<const C3dFrame*>(g_pCurrentFrame);
  return frame != nullptr ? frame->m_pRC : nullptr;
}

int BIViewWidth() {
  const CRC* rc = BICurrentRC();
  return rc != nullptr ? rc->ViewWidth() : 640;
}

int BIViewHeight() {
  const CRC* rc = BICurrentRC();
  return rc != nullptr ? rc->ViewHeight() : 480;
}

void SendFrameMessage(int code, int a, int b) {
  if (g_pCurrentFrame != nullptr) g_pCurrentFrame->OnMessage(nullptr, code, a, b, 0);
}
