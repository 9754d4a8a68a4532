#include "ui/UIPanel.h"

#include "render/RC.h"
#include "ui/Draw2d.h"

namespace {
namespace uipanel {

constexpr int kTile = 20;
constexpr int kOpeningSteps = 8;
constexpr uint32_t kFrameColor = 0xEEFFFFFF;

}  // namespace uipanel
}  // namespace

void UIPanel::Setup(int x0, int y0, int x1, int y1, bool titled, bool bottomBar, int bottomRows, const char* title,
                    bool animate) {
  m_x0 = x0;
  m_y0 = y0;
  m_x1 = x1;
  m_y1 = y1;
  m_titled = titled ? 1 : 0;
  m_bottomBar = bottomBar ? 1 : 0;
  m_bottomRows = bottomRows;
  m_title = title != nullptr ? title : "";
  m_animate = animate ? 1 : 0;
  m_step = uipanel::kOpeningSteps;
  m_opened = 1;
}

UIRect UIPanel::GetClientRect() const {
  return UIRect{m_x0, m_titled != 0 ? m_y0 + uipanel::kTile : m_y0, m_x1,
                m_bottomBar != 0 ? m_y1 - uipanel::kTile - uipanel::kTile * m_bottomRows : m_y1 - uipanel::kTile};
}

int UIPanel::FrameStyle() const {
  if (m_titled != 0) return 2;
  return m_bottomBar != 0 ? 1 : 0;
}

void UIPanel::Draw(CRC* rc) {
  const int tiles = (m_x1 - m_x0) / uipanel::kTile;
  const int rows = (m_y1 - m_y0) / uipanel::kTile;
  if (m_animate == 0 || m_opened != 0) {
    DrawListFrame(rc, m_x0, m_y0, tiles, rows, FrameStyle(), m_bottomRows, uipanel::kFrameColor);
  } else if (m_step <= uipanel::kOpeningSteps) {
    DrawListFrame(rc, m_x0, m_y0, tiles * m_step / uipanel::kOpeningSteps, rows * m_step / uipanel::kOpeningSteps, 0, m_bottomRows,
                  uipanel::kFrameColor);
    if (++m_step > uipanel::kOpeningSteps) m_opened = 1;
  }
  for (UIObject* child : m_children) child->Draw(rc);
}

void UIPanel::DrawLocked(CRC* rc) {
  for (UIObject* child : m_children) child->DrawLocked(rc);
  if (rc != nullptr && m_titled != 0) rc->DrawText(m_x0, m_y0 - 5, m_title.c_str(), false, 149, 109, 54);
}

void UIPanel::OnLButtonDown() {
  for (UIObject* child : m_children) child->OnLButtonDown();
}
void UIPanel::OnRButtonDown() {
  for (UIObject* child : m_children) child->OnRButtonDown();
}
void UIPanel::OnLButtonUp() {
  for (UIObject* child : m_children) child->OnLButtonUp();
}
void UIPanel::OnRButtonUp() {
  for (UIObject* child : m_children) child->OnRButtonUp();
}
void UIPanel::OnMouseMove() {
  for (UIObject* child : m_children) child->OnMouseMove();
}

// Children pass their notices up to the panel, which would send them down
// again without end: a notice that arrives while one is being passed down
// stops here.
void UIPanel::Notify(UIObject* sender, int code, int a, int b) {
  if (m_forwarding) return;
  m_forwarding = true;
  for (UIObject* child : m_children) child->Notify(sender, code, a, b);
  m_forwarding = false;
}
