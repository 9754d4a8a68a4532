#include "ui/UISpin.h"

#include <string>

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/RC.h"
#include "render/TextProbe.h"

namespace {
namespace uispin {

constexpr int kReach = 10;
constexpr int kParts = 9;         // down arrow, middle, up arrow
constexpr int kLitArrows = 10;    // the arrows hovered

void DrawPart(CRC* rc, int x, int y, int action, int motion) {
  CResMgr& res = CResMgr::GetInstance();
  const auto* act = dynamic_cast<const CActRes*>(res.GetRes("system\\widget.act"));
  const auto* spr = dynamic_cast<const CSprRes*>(res.GetRes("system\\widget.spr"));
  rc->DrawAction(x, y, act, spr, action, motion, 1.0f, 0, 0xFFFFFFFF, true);
}

bool Near(const UIPoint& p, int x, int y) { return UIInside(p, x - kReach, y - kReach, x + kReach, y + kReach); }

}  // namespace uispin
}  // namespace

void UISpin::Setup(int x, int y, int width, int maximum) {
  m_x = x;
  m_y = y + 8;
  m_width = width;
  m_maximum = maximum;
  m_value = 1;
}

bool UISpin::OnDownArrow() const { return uispin::Near(UIPointer(), m_x, m_y); }
// The up arrow takes only the 10 pixels above its point.
bool UISpin::OnUpArrow() const {
  return UIInside(UIPointer(), m_x + m_width - uispin::kReach, m_y - uispin::kReach, m_x + m_width + uispin::kReach, m_y);
}

void UISpin::OnLButtonDown() {
  if (OnDownArrow()) {
    if (--m_value < 1) m_value = m_maximum;
  } else if (OnUpArrow()) {
    if (++m_value > m_maximum) m_value = 1;
  } else {
    return;
  }
  NotifyParent(15, m_value, 0);
}

void UISpin::OnMouseMove() {
  m_hoverDown = OnDownArrow() ? 1 : 0;
  m_hoverUp = OnUpArrow() ? 1 : 0;
}

void UISpin::Draw(CRC* rc) {
  if (rc == nullptr) return;
  const WidgetProbeScope probe;
  uispin::DrawPart(rc, m_x, m_y, m_hoverDown != 0 ? uispin::kLitArrows : uispin::kParts, 0);
  uispin::DrawPart(rc, m_x + m_width / 2, m_y, uispin::kParts, 1);
  uispin::DrawPart(rc, m_x + m_width, m_y, m_hoverUp != 0 ? uispin::kLitArrows : uispin::kParts, 2);
}

void UISpin::DrawLocked(CRC* rc) {
  if (rc == nullptr) return;
  const int middle = m_x + m_width / 2;
  rc->DrawText2Right(middle + 30, m_y - 8, std::to_string(m_maximum).c_str(), false, 255, 255, 255);
  rc->DrawText2Right(middle - 10, m_y - 8, std::to_string(m_value).c_str(), false, 255, 255, 255);
}
