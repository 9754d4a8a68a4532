#include "ui/UIBitmap.h"

#include "ui/Draw2d.h"

void UIBitmap::DrawLocked(CRC* rc) {
  if (!m_file.empty()) DrawBitmap(rc, m_x, m_y, m_file.c_str(), m_flag, m_color);
}
