#include "ui/UITitle.h"

#include "render/RC.h"
#include "ui/Draw2d.h"

namespace {

constexpr uint32_t kTextColor = 0x57290F;

}  // namespace

void UITitle::DrawLocked(CRC* rc) {
  if (!m_text.empty()) DrawBitmapFontText(rc, m_x, m_y, m_text.c_str(), kTextColor);
  if (rc == nullptr || (m_part1.empty() && m_part2.empty())) return;
  rc->DrawText(m_x + 59, m_y + 29, (m_part1 + " " + m_part2).c_str(), false, 87, 41, 15);
}
