#include "ui/UIRadioBtn.h"

#include <iterator>

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "platform/DebugLog.h"
#include "render/RC.h"
#include "render/TextProbe.h"

namespace {
namespace uiradiobtn {

constexpr int kWidth = 60;
constexpr int kHeight = 20;
constexpr int kMarkAction = 4;

}  // namespace uiradiobtn
}  // namespace

void UIRadioBtn::Setup(int x, int y, const char* label, int id, int second) {
  m_x = x;
  m_y = y;
  m_label = label != nullptr ? label : "";
  m_id = id;
  m_second = second;
}

void UIRadioBtn::OnLButtonDown() {
  const UIPoint p = UIPointer();
  if (UIInside(p, m_x, m_y, m_x + uiradiobtn::kWidth, m_y + uiradiobtn::kHeight)) Notify(this, 14, p.x, p.y);
}

void UIRadioBtn::Notify(UIObject* sender, int code, int a, int b) {
  if (code == 4) {
    m_checked = 0;
    return;
  }
  if (code != 14) return;
  const bool onButton = a >= m_x && a <= m_x + uiradiobtn::kWidth && b >= m_y && b <= m_y + uiradiobtn::kHeight;
  if (!onButton && (a != 0 || b != 0)) return;
  NotifyParent(3, m_id, m_second);
  m_checked = 1;
}

void UIRadioBtn::Draw(CRC* rc) {
  if (rc == nullptr) return;
  const WidgetProbeScope probe;
  CResMgr& res = CResMgr::GetInstance();
  const auto* act = dynamic_cast<const CActRes*>(res.GetRes("system\\Widget.act"));
  const auto* spr = dynamic_cast<const CSprRes*>(res.GetRes("system\\Widget.spr"));
  rc->DrawAction(m_x, m_y, act, spr, uiradiobtn::kMarkAction, m_checked, 1.0f, 0, 0xFFFFFFFF, true);
}

void UIRadioBtn::DrawLocked(CRC* rc) {
  if (rc != nullptr) rc->DrawText(m_x + 20, m_y, m_label.c_str(), false, 149, 109, 54);
}

void UIGroupBox::Setup(int x, int y, int width, int height) {
  m_x = x;
  m_y = y;
  m_width = width;
  m_height = height;
}

// The options page hands this a value a save carries, so it is checked.
void UIGroupBox::Select(int index) {
  if (index < 0 || index >= static_cast<int>(m_children.size())) {
    DebugLogf("UIGroupBox::Select : no button %d of %zu", index, m_children.size());
    return;
  }
  m_chosen = index;
  (*std::next(m_children.begin(), index))->Notify(this, 14, 0, 0);
}

void UIGroupBox::Notify(UIObject* sender, int code, int a, int b) {
  if (code != 3) {
    NotifyParent(code, a, b);
    return;
  }
  int index = 0;
  int found = -1;
  for (UIObject* child : m_children) {
    child->Notify(this, 4, 0, 0);
    if (child == sender) found = index;
    ++index;
  }
  if (found != -1) m_chosen = found;
  NotifyParent(15, 0, 0);
}

void UIGroupBox::DrawLocked(CRC* rc) {
  for (UIObject* child : m_children) child->DrawLocked(rc);
}
void UIGroupBox::Draw(CRC* rc) {
  for (UIObject* child : m_children) child->Draw(rc);
}
void UIGroupBox::OnLButtonDown() {
  for (UIObject* child : m_children) child->OnLButtonDown();
}
void UIGroupBox::OnRButtonDown() {
  for (UIObject* child : m_children) child->OnRButtonDown();
}
void UIGroupBox::OnLButtonUp() {
  for (UIObject* child : m_children) child->OnLButtonUp();
}
void UIGroupBox::OnRButtonUp() {
  for (UIObject* child : m_children) child->OnRButtonUp();
}
void UIGroupBox::OnMouseMove() {
  for (UIObject* child : m_children) child->OnMouseMove();
}
