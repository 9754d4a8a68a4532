#include "ui/UIMenu.h"

#include <algorithm>

#include "platform/DebugLog.h"
#include "render/RC.h"
#include "ui/Draw2d.h"
#include "ui/UIDesktop.h"

void UIMenu::AddItem(const char* text, int code, int a, int b, int enabled) {
  if (m_count >= kCapacity) {
    DebugLogf("UIMenu::AddItem : no room for %s", text != nullptr ? text : "(null)");
    return;
  }
  m_entries[static_cast<size_t>(m_count++)] = Entry{text != nullptr ? text : "", code, a, b, enabled};
}

void UIMenu::Open(int x, int y, UIObject* owner) {
  int widest = 0;
  for (int i = 0; i < m_count; ++i) {
    widest = std::max(widest, UITextWidth(m_entries[static_cast<size_t>(i)].text.c_str()) - 20);
  }
  m_rows = m_count;
  m_cells = (widest + 19) / 20;
  m_x = UIViewWidth() < widest + x + 19 ? x - widest - 19 : x;
  m_y = y;
  m_owner = owner;
  Show(1);
}

void UIMenu::OpenAtPointer(UIObject* owner) {
  const UIPoint p = UIPointer();
  Open(p.x + 15, p.y + 10, owner);
}

bool UIMenu::InRectangle(const UIPoint& p) const {
  return p.x >= m_x && p.y >= m_y && p.x <= m_x + m_cells * 20 + 20 && p.y < m_y + m_rows * 20;
}

int UIMenu::HitTest() {
  const UIPoint p = UIPointer();
  return InRectangle(p) ? (p.y - m_y) / 20 : -1;
}

void UIMenu::Show(int shown) { UIDesktop::ShowModal(this, m_shown, shown); }

void UIMenu::Tell(int code, int a, int b) {
  if (m_owner != nullptr) m_owner->Notify(this, code, a, b);
}

void UIMenu::Draw(CRC* rc) {
  if (m_shown != 0) DrawDialogFrameSmall(rc, m_x, m_y, m_cells, m_rows);
}

void UIMenu::DrawLocked(CRC* rc) {
  if (m_shown == 0 || rc == nullptr) return;
  const int hovered = HitTest();
  for (int i = 0; i < m_count; ++i) {
    const Entry& e = m_entries[static_cast<size_t>(i)];
    const int y = m_y + 20 * i - 2;
    if (e.enabled == 0) {
      rc->DrawText(m_x, y, e.text.c_str(), false, 170, 170, 170);
    } else if (i == hovered) {
      rc->DrawText(m_x, y, e.text.c_str(), false, 255, 0, 0);
    } else {
      rc->DrawText2(m_x, y, e.text.c_str(), false, 255, 255, 255);
    }
  }
}

void UIMenu::OnLButtonDown() {
  if (m_shown == 0) return;
  const int hit = HitTest();
  if (hit < 0 || hit >= m_count) {
    Show(0);
    return;
  }
  const Entry& e = m_entries[static_cast<size_t>(hit)];
  if (e.enabled == 0) return;
  Show(0);
  Tell(e.code, e.a, e.b);
}

void UIMenu::OnRButtonDown() {
  if (m_shown != 0 && HitTest() < 0) Show(0);
}
