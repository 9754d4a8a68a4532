#include "ui/UIMessage.h"

#include <algorithm>

#include "render/RC.h"
#include "ui/Draw2d.h"
#include "ui/UIDesktop.h"

namespace {

constexpr int kMaxWidthCells = 12;

}  // namespace

void UIMessage::SetUpButton(int index, int x, int y, const char* label) {
  m_buttons[static_cast<size_t>(index)].Setup(x, y, "system\\ok_shop.act", "system\\ok_shop.spr", 0, 0, label,
                                              index);
  m_buttons[static_cast<size_t>(index)].Deselect();
}

void UIMessage::Popup(UIObject* owner, int kind, int x, int y) {
  const int textWidth = UITextWidth(m_text.c_str());
  const int cells = textWidth > 20 ? (textWidth - 1) / 20 : 0;
  m_width = std::min(cells, kMaxWidthCells);
  m_height = cells / 12 + 3;
  m_x = g_uiOriginX + x;
  m_y = g_uiOriginY + y;
  m_textBox.Setup(m_x, m_y, m_x + m_width * 20 + 30, m_y + cells / 12 * 20 + 60);
  m_textBox.AddText(m_text.c_str());
  // A text that wraps would put its last line under the buttons (a
  // character advances 17 pixels, so about half of all texts wrap in a box
  // sized to their width): the box grows by the lines it shows.
  m_height = std::max(m_height, std::min(m_textBox.m_count, m_textBox.m_visibleLines) + 2);
  m_kind = std::clamp(kind, 0, 2);
  const int buttonY = m_y + m_height * 20 - 20;
  const int twoButtons = m_x + m_width * 20 / 3;
  if (m_kind == kOk) {
    SetUpButton(0, m_x + m_width * 20 / 2, buttonY, "OK");
  } else {
    SetUpButton(0, twoButtons, buttonY, "YES");
  }
  SetUpButton(1, twoButtons + 70, buttonY, "NO");
  SetUpButton(2, twoButtons + 70, buttonY, "CANCEL");
  m_answer = -1;
  m_owner = owner;
  Show(1);
}

void UIMessage::PopupLong(UIObject* owner) {
  m_width = 27;
  m_height = 20;
  m_x = g_uiOriginX + 40;
  m_y = g_uiOriginY + 40;
  m_textBox.Setup(m_x, m_y, g_uiOriginX + 600, g_uiOriginY + 400);
  SetUpButton(0, g_uiOriginX + 320, g_uiOriginY + 427, "OK");
  m_kind = kOk;
  m_answer = -1;
  m_owner = owner;
  Show(1);
}

void UIMessage::AddText(const char* text) { m_textBox.AddRawText(text); }

void UIMessage::SetText(const char* text, UIObject* owner, int code, int a, int b) {
  m_text = text != nullptr ? text : "";
  m_owner = owner;
  m_forward = Forward{code, a, b};
}

void UIMessage::Show(int shown) { UIDesktop::ShowModal(this, m_shown, shown); }

int UIMessage::TakeConfirmed() {
  const int confirmed = m_confirmed;
  m_confirmed = 0;
  return confirmed;
}

int UIMessage::ButtonUnderPointer() const {
  if (m_buttons[0].UnderPointerAsButton()) return 0;
  if (m_kind != kOk && m_buttons[1].UnderPointerAsButton()) return 1;
  return -1;
}

void UIMessage::SendAnswer() {
  if (m_answer == 0) {
    Notify(this, 28, 0, 0);
  } else if (m_answer == 1) {
    Notify(this, m_kind == kYesNo ? 29 : 30, 0, 0);
  }
}

// A hidden box answers nothing: an answer reaches the owner once.
void UIMessage::OnLButtonDown() {
  if (m_shown == 0) return;
  m_answer = ButtonUnderPointer();
  if (m_answer >= 0) Show(0);
  m_textBox.OnLButtonDown();
  SendAnswer();
}

// Beside a two-button box a right press answers with the second button.
void UIMessage::OnRButtonDown() {
  if (m_shown == 0 || m_kind == kOk || ButtonUnderPointer() >= 0) return;
  m_answer = 1;
  SecondButton().StartZoom(true);
  Show(0);
  SendAnswer();
}

void UIMessage::OnMouseMove() {
  if (m_shown == 0) return;
  const int hovered = ButtonUnderPointer();
  UIZoomIcon* hot = hovered == 0 ? &m_buttons[0] : hovered == 1 ? &SecondButton() : nullptr;
  for (UIZoomIcon& button : m_buttons) {
    if (&button != hot) {
      button.Deselect();
    } else if (button.m_selected == 0) {
      button.Select();
      button.StartZoom(false);
    }
  }
}

void UIMessage::OnWheel() { m_textBox.OnWheel(); }

void UIMessage::Notify(UIObject* sender, int code, int a, int b) {
  if (code == 28) {
    m_confirmed = 1;
    if (m_owner != nullptr) m_owner->Notify(this, m_forward.code, m_forward.a, m_forward.b);
  } else if (code == 29 || code == 30) {
    m_confirmed = 0;
  }
}

void UIMessage::Draw(CRC* rc) {
  if (m_shown == 0) return;
  DrawDialogFrame(rc, m_x, m_y, m_width, m_height, 1, 0xFFFFFFFF, true);
  m_buttons[0].Draw(rc);
  if (m_kind != kOk) SecondButton().Draw(rc);
  m_textBox.Draw(rc);
}

void UIMessage::DrawLocked(CRC* rc) {
  if (m_shown != 0) m_textBox.DrawLocked(rc);
}
