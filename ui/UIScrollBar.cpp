#include "ui/UIScrollBar.h"

#include <algorithm>

#include "engine/ActRes.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/RC.h"
#include "ui/UIDesktop.h"
#include "render/TextProbe.h"

namespace {
namespace uiscrollbar {

constexpr int kPart = 20;       // every part is one step long
constexpr int kHalfWidth = 10;  // how far across the bar a press reaches
constexpr int kWheelStep = 3;

// Actions of "system\widget".
struct PartActions {
  int endArrow, track, firstArrow, thumb;
};
constexpr PartActions kVertical{0, 1, 2, 3};
constexpr PartActions kHorizontal{7, 6, 5, 8};

void DrawPart(CRC* rc, int x, int y, int action, int motion) {
  CResMgr& res = CResMgr::GetInstance();
  const auto* act = dynamic_cast<const CActRes*>(res.GetRes("system\\widget.act"));
  const auto* spr = dynamic_cast<const CSprRes*>(res.GetRes("system\\widget.spr"));
  rc->DrawAction(x, y, act, spr, action, motion, 1.0f, 0, 0xFFFFFFFF, true);
}

}  // namespace uiscrollbar
}  // namespace

void UIScrollBar::Setup(int x, int y, int length, bool horizontal, bool alwaysShown) {
  m_x = horizontal ? x : x + uiscrollbar::kHalfWidth;
  m_y = horizontal ? y + uiscrollbar::kHalfWidth : y;
  m_length = length;
  m_horizontal = horizontal ? 1 : 0;
  m_alwaysShown = alwaysShown ? 1 : 0;
  m_position = 0;
}

void UIScrollBar::SetRange(int rows) { m_largest = std::max(0, rows - (m_length / uiscrollbar::kPart + 1)); }

// A bar with nothing to scroll keeps its thumb at the start.
int UIScrollBar::ThumbOffset() const {
  if (m_largest <= 0) return 0;
  return static_cast<int>(static_cast<float>(m_position) / static_cast<float>(m_largest) *
                          static_cast<float>(m_length - uiscrollbar::kPart));
}

// A bar no longer than its thumb has no room to drag in.
int UIScrollBar::PositionFromOffset(int offset) const {
  if (m_length <= uiscrollbar::kPart) return 0;
  return static_cast<int>(static_cast<float>(offset) / static_cast<float>(m_length - uiscrollbar::kPart) *
                          static_cast<float>(m_largest));
}

bool UIScrollBar::IsDragging() const { return g_pCurrentDesktop != nullptr && g_pCurrentDesktop->m_capture == this; }

void UIScrollBar::SetPosition(int position) {
  m_position = std::clamp(position, 0, std::max(m_largest, 0));
  NotifyParent(2, m_position, 0);
}

int UIScrollBar::PageStep() const {
  if (m_largest < 100) return 1;
  return std::max(1, static_cast<int>(static_cast<float>(m_largest) * 0.05f));
}

void UIScrollBar::Draw(CRC* rc) {
  if (rc == nullptr || (m_largest == 0 && m_alwaysShown == 0)) return;
  const WidgetProbeScope probe;
  const int thumb = ThumbOffset();
  const int thumbState = IsDragging() ? 2 : m_hoverThumb;
  if (m_horizontal == 0) {
    for (int t = 0; t < m_length; t += uiscrollbar::kPart) uiscrollbar::DrawPart(rc, m_x, m_y + t, uiscrollbar::kVertical.track, 0);
    uiscrollbar::DrawPart(rc, m_x, m_y, uiscrollbar::kVertical.firstArrow, m_hoverFirst);
    uiscrollbar::DrawPart(rc, m_x, m_y + m_length, uiscrollbar::kVertical.endArrow, m_hoverSecond);
    uiscrollbar::DrawPart(rc, m_x, m_y + thumb, uiscrollbar::kVertical.thumb, thumbState);
    return;
  }
  for (int t = 0; t < m_length; t += uiscrollbar::kPart) uiscrollbar::DrawPart(rc, m_x + t, m_y, uiscrollbar::kHorizontal.track, t < thumb ? 1 : 0);
  uiscrollbar::DrawPart(rc, m_x, m_y, uiscrollbar::kHorizontal.firstArrow, m_hoverFirst);
  uiscrollbar::DrawPart(rc, m_x + m_length, m_y, uiscrollbar::kHorizontal.endArrow, m_hoverSecond);
  uiscrollbar::DrawPart(rc, m_x + thumb, m_y, uiscrollbar::kHorizontal.thumb, thumbState);
}

void UIScrollBar::OnLButtonDown() {
  if (m_largest <= 0) return;
  const UIPoint p = UIPointer();
  if (m_horizontal == 0) {
    PressVertical(p);
  } else {
    PressHorizontal(p);
  }
}

void UIScrollBar::PressVertical(const UIPoint& p) {
  if (!UIInside(p, m_x - uiscrollbar::kHalfWidth, m_y - uiscrollbar::kPart, m_x + uiscrollbar::kHalfWidth, m_y + m_length + uiscrollbar::kPart)) return;
  const int thumb = m_y + ThumbOffset();
  if (p.y < m_y) {
    SetPosition(m_position - 1);
  } else if (p.y < thumb) {
    SetPosition(m_position - PageStep());
  } else if (p.y < thumb + uiscrollbar::kPart) {
    UIDesktop::PushModal(this);
  } else if (p.y < m_y + m_length) {
    SetPosition(m_position + PageStep());
  } else {
    SetPosition(m_position + 1);
  }
}

void UIScrollBar::PressHorizontal(const UIPoint& p) {
  if (!UIInside(p, m_x - uiscrollbar::kPart, m_y - uiscrollbar::kHalfWidth, m_x + m_length + uiscrollbar::kPart, m_y + uiscrollbar::kHalfWidth)) return;
  const int thumb = m_x + ThumbOffset();
  const int small = std::max(1, static_cast<int>(static_cast<float>(m_largest) * 0.01f));
  if (p.x >= thumb && p.x < thumb + uiscrollbar::kPart) {
    UIDesktop::PushModal(this);
  } else if (p.x < m_x) {
    SetPosition(m_position - small);
  } else if (p.x > m_x + m_length) {
    SetPosition(m_position + small);
  } else if (p.x < thumb) {
    SetPosition(m_position - PageStep());
  } else if (p.x > thumb + uiscrollbar::kPart) {
    SetPosition(m_position + PageStep());
  }
}

// Only a drag pushed the bar, so only a drag pops it.
void UIScrollBar::OnLButtonUp() {
  if (IsDragging()) UIDesktop::PopModal();
}

void UIScrollBar::OnMouseMove() {
  const UIPoint p = UIPointer();
  const int thumb = ThumbOffset();
  if (m_horizontal == 0) {
    const auto across = [&](int top, int bottom) {
      return UIInside(p, m_x - uiscrollbar::kHalfWidth, top, m_x + uiscrollbar::kHalfWidth, bottom) ? 1 : 0;
    };
    m_hoverFirst = across(m_y - uiscrollbar::kPart, m_y);
    m_hoverSecond = across(m_y + m_length, m_y + m_length + uiscrollbar::kPart);
    m_hoverThumb = across(m_y + thumb, m_y + thumb + uiscrollbar::kPart);
  } else {
    const auto along = [&](int left, int right) {
      return UIInside(p, left, m_y - uiscrollbar::kHalfWidth, right, m_y + uiscrollbar::kHalfWidth) ? 1 : 0;
    };
    m_hoverFirst = along(m_x - uiscrollbar::kPart, m_x);
    m_hoverSecond = along(m_x + m_length, m_x + m_length + uiscrollbar::kPart);
    m_hoverThumb = along(m_x + thumb, m_x + thumb + uiscrollbar::kPart);
  }
  if (!IsDragging()) return;
  m_hoverFirst = m_hoverSecond = 2;
  const int position = PositionFromOffset(m_horizontal == 0 ? p.y - m_y : p.x - m_x);
  const int clamped = std::clamp(position, 0, std::max(m_largest, 0));
  if (clamped != m_position) SetPosition(clamped);
}

void UIScrollBar::OnWheel() {
  const int wheel = CMouse::GetInstance().m_wheel;
  if (wheel < 0) {
    SetPosition(m_position + uiscrollbar::kWheelStep);
  } else if (wheel > 0) {
    SetPosition(m_position - uiscrollbar::kWheelStep);
  }
}
