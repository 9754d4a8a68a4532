#include "ui/UIListBox.h"

#include <algorithm>

#include "platform/DebugLog.h"
#include "render/RC.h"
#include "ui/Draw2d.h"
#include "ui/UIScrollBar.h"

namespace {
namespace uilistbox {

constexpr int kInset = 7;
constexpr int kRow = 20;
constexpr int kTextLimit = 24;
constexpr int kTextLimitWithNumber = 16;

bool IsLead(char c) { return (static_cast<unsigned char>(c) & 0x80) != 0; }

}  // namespace uilistbox
}  // namespace

// A lead byte with nothing after it is no character and is dropped.
std::string TruncateText(const char* text, int n) {
  std::string kept;
  if (text != nullptr) {
    const size_t limit = static_cast<size_t>(std::max(0, n - 3));
    for (const char* p = text; *p != '\0' && kept.size() < limit;) {
      if (uilistbox::IsLead(*p)) {
        if (p[1] == '\0') break;
        kept.append(p, 2);
        p += 2;
      } else {
        kept += *p++;
      }
    }
  }
  return kept + "...";
}

void UIListBox::Setup(int x0, int y0, int x1, int y1, int columns, int iconDx, bool showNumbers, bool showIcons) {
  if (columns < 1) DebugLogf("UIListBox::Setup : %d columns, taken as 1", columns);
  m_x0 = x0;
  m_y0 = y0;
  m_columns = std::max(1, columns);
  m_iconDx = iconDx;
  m_showNumbers = showNumbers ? 1 : 0;
  m_showIcons = showIcons ? 1 : 0;
  m_innerX0 = x0 + uilistbox::kInset;
  m_innerY0 = y0 + uilistbox::kInset;
  m_innerX1 = x1 - uilistbox::kInset;
  m_innerY1 = y1 - uilistbox::kInset;
  m_capacity = m_columns * ((y1 - y0 - 2 * uilistbox::kInset) / uilistbox::kRow);
  Clear();
  DestroyChildren();
  m_bar = new UIScrollBar;
  m_bar->Setup(x1, m_innerY0 + 10, m_innerY1 - m_innerY0 - 20, false, false);
  AddChild(m_bar);
  RangeBar();
}

void UIListBox::RangeBar() {
  if (m_bar != nullptr) m_bar->SetRange((m_count + m_columns - 1) / m_columns);
}

void UIListBox::AddItem(const char* text, const char* icon, int enabled, int number) {
  m_texts.emplace_back(text != nullptr ? text : "");
  m_icons.emplace_back(icon != nullptr ? icon : "");
  m_enabled.push_back(enabled);
  m_numbers.push_back(number);
  m_count = static_cast<int32_t>(m_texts.size());
  RangeBar();
}

// The bar is re-ranged too, so an emptied box shows no bar to scroll.
void UIListBox::Clear() {
  m_texts.clear();
  m_icons.clear();
  m_enabled.clear();
  m_numbers.clear();
  m_top = 0;
  m_count = 0;
  m_hover = -1;
  m_selection = -1;
  if (m_bar != nullptr) m_bar->m_position = 0;
}

void UIListBox::SetTop(int n) {
  m_top = std::max(0, std::min(n, m_count - m_capacity));
  RangeBar();
  if (m_bar != nullptr) m_bar->m_position = std::min(m_top / m_columns, m_bar->m_largest);
}

int UIListBox::Lines() const { return m_capacity / m_columns; }

bool UIListBox::PointerInRows() const {
  const UIPoint p = UIPointer();
  return p.x >= m_innerX0 && p.x <= m_innerX1 && p.y >= m_innerY0 && p.y <= m_innerY1;
}

// On the left edge the pointer is in the first column; below the last line
// a screen shows it is on no row.
int UIListBox::HitIndex() const {
  if (!PointerInRows()) return m_selection;
  const UIPoint p = UIPointer();
  int starts = 0;
  for (int k = 0; k < m_columns; ++k) {
    if (m_innerX0 + k * CellWidth() < p.x) ++starts;
  }
  const int column = std::max(0, starts - 1);
  const int line = (p.y - m_innerY0) / uilistbox::kRow;
  if (line >= Lines()) return -1;
  const int index = m_top + m_columns * line + column;
  return index < m_count ? index : -1;
}

void UIListBox::OnLButtonDown() {
  if (m_bar != nullptr) m_bar->OnLButtonDown();
  if (!PointerInRows()) return;
  const int index = HitIndex();
  if (index == -1) return;
  const int before = m_selection;
  m_selection = index;
  Notify(this, 14, index, 0);
  if (index == before) NotifyParent(18, index, 0);
}

void UIListBox::OnRButtonDown() {
  if (!PointerInRows()) {
    m_selection = -1;
    return;
  }
  const int index = HitIndex();
  if (index == -1 || index == m_selection) return;
  m_selection = index;
  Notify(this, 14, index, 0);
}

void UIListBox::OnLButtonUp() {
  if (m_bar != nullptr) m_bar->OnLButtonUp();
}

void UIListBox::OnMouseMove() {
  m_hover = PointerInRows() ? HitIndex() : -1;
  if (m_bar != nullptr) m_bar->OnMouseMove();
}

void UIListBox::OnWheel() {
  if (m_bar != nullptr && PointerInRows()) m_bar->OnWheel();
}

void UIListBox::Notify(UIObject* sender, int code, int a, int b) {
  switch (code) {
    case 2:
      m_top = std::max(0, std::min(a * m_columns, m_count - 1));
      if (a == 0 && m_bar != nullptr) m_bar->m_position = 0;
      return;
    case 13:
      RangeBar();
      return;
    case 14:
      // Panels pass every notice to every child, so a row number may come
      // from another list: only one of this list's rows is taken.
      if (a >= -1 && a < m_count) m_selection = a;
      NotifyParent(14, a, 0);
      return;
    default:
      NotifyParent(code, a, b);
  }
}

std::string UIListBox::RowText(int index) const {
  if (index < 0 || index >= m_count) return "";
  const size_t row = static_cast<size_t>(index);
  std::string text = m_texts[row];
  const int limit = m_showNumbers != 0 && m_numbers[row] != -1 ? uilistbox::kTextLimitWithNumber : uilistbox::kTextLimit;
  if (m_columns > 1 && static_cast<int>(text.size()) > limit) text = TruncateText(text.c_str(), limit);
  const bool enabled = m_enabled[row] != 0;
  if (index == m_hover || index == m_selection) return (enabled ? "&b" : "&r") + text;
  return enabled ? "&e" + text : text;
}

void UIListBox::DrawRow(CRC* rc, int index, int line, int column) {
  const size_t row = static_cast<size_t>(index);
  const int w = CellWidth();
  const int x = m_innerX0 + column * w + m_iconDx;
  const int y = m_innerY0 + uilistbox::kRow * line;
  if (m_showIcons != 0 && !m_icons[row].empty()) DrawBitmap(rc, x - m_iconDx, y - 3, m_icons[row].c_str(), 0, 0xFFFFFF);
  const bool numbered = m_showNumbers != 0 && m_numbers[row] != -1;
  if (numbered) {
    rc->DrawText2Right(m_innerX0 + w * (column + 1) - 20, y, std::to_string(m_numbers[row]).c_str(), false, 255, 255,
                       255);
  }
  const std::string text = RowText(index);
  if (m_enabled[row] == 0 && index != m_hover && index != m_selection) {
    rc->DrawText2(x, y, text.c_str(), false, 255, 255, 255);
  } else {
    rc->DrawText(x, y, text.c_str(), false, 255, 255, 255);
  }
}

void UIListBox::DrawLocked(CRC* rc) {
  if (rc == nullptr) return;
  for (int line = 0; line < Lines(); ++line) {
    for (int column = 0; column < m_columns; ++column) {
      const int index = m_top + m_columns * line + column;
      if (index < m_count) DrawRow(rc, index, line, column);
    }
  }
}

// The selected row's highlight is the 2-D bar, drawn stronger than its default.
void UIListBox::Draw(CRC* rc) {
  const int shown = m_selection - m_top;
  if (rc != nullptr && m_selection >= 0 && m_selection < m_count && shown >= 0 && shown < m_capacity) {
    const int w = CellWidth();
    DrawBar(rc, m_innerX0 + (shown % m_columns) * w, m_innerY0 + uilistbox::kRow * (shown / m_columns) + uilistbox::kRow, w / 20,
            0xDDFFFFFF);
  }
  if (m_bar != nullptr) m_bar->Draw(rc);
}
