#include "ui/UITextBox.h"

#include <algorithm>

#include "engine/Mouse.h"
#include "render/RC.h"
#include "ui/UIScrollBar.h"

namespace {
namespace uitextbox {

bool IsLineEnd(const char* p) { return p[0] == '&' && p[1] == 'n'; }
bool IsLead(char c) { return (static_cast<unsigned char>(c) & 0x80) != 0; }

// The end of the word that starts after the space at `p`: the next space,
// "&n" or the terminator.
const char* WordEnd(const char* p) {
  const char* end = p + 1;
  while (*end != '\0' && *end != ' ' && !IsLineEnd(end)) end += IsLead(*end) && end[1] != '\0' ? 2 : 1;
  return end;
}

}  // namespace uitextbox
}  // namespace

void UITextBox::Setup(int x0, int y0, int x1, int y1) {
  m_x0 = x0;
  m_y0 = y0;
  m_x1 = x1;
  m_y1 = y1;
  m_lineHeight = 20;
  m_visibleLines = (y1 - y0) / m_lineHeight;
  Clear();
  DestroyChildren();
  m_bar = new UIScrollBar;
  m_bar->Setup(x1, y0 + 20, y1 - y0 - 40, false, false);
  AddChild(m_bar);
  m_bar->SetRange(m_count);
}

void UITextBox::Clear() {
  m_lines.clear();
  m_first = 0;
  m_count = 0;
}

void UITextBox::AppendLine(std::string* line) {
  m_lines.push_back(*line);
  m_count = static_cast<int32_t>(m_lines.size());
  line->clear();
}

void UITextBox::WrapIfFull(std::string* line) {
  if (!line->empty() && UITextWidth(line->c_str()) >= WrapWidth()) AppendLine(line);
}

void UITextBox::AddText(const char* text) {
  if (m_count > 0) {
    std::string separator = "&n";
    AppendLine(&separator);
  }
  Walk(text, true);
}

void UITextBox::AddRawText(const char* text) { Walk(text, false); }

// Characters are copied whole: a two-byte character or a colour code whose
// second byte is the terminator is dropped.
void UITextBox::Walk(const char* text, bool lookAhead) {
  if (text == nullptr) return;
  std::string line;
  const char* p = text;
  if (!lookAhead && *p == '\r') {
    AppendLine(&line);
    ++p;
  }
  while (*p != '\0') {
    if (uitextbox::IsLineEnd(p)) {
      line += "&n";
      AppendLine(&line);
      p += 2;
      continue;
    }
    if (*p == '&' || uitextbox::IsLead(*p)) {
      if (p[1] == '\0') break;
      line.append(p, 2);
      p += 2;
    } else {
      if (lookAhead && *p == ' ' && (p == text || p[-1] != ' ')) {
        const std::string probe = line + std::string(p, uitextbox::WordEnd(p));
        if (UITextWidth(probe.c_str()) >= WrapWidth()) AppendLine(&line);
      }
      line += *p++;
    }
    WrapIfFull(&line);
  }
  if (!line.empty()) AppendLine(&line);
  if (m_bar != nullptr) m_bar->SetRange(m_count);
}

void UITextBox::DrawLocked(CRC* rc) {
  if (rc == nullptr) return;
  for (int i = 0; i < m_visibleLines && m_first + i < m_count; ++i) {
    rc->DrawText2(m_x0, m_y0 + m_lineHeight * i, m_lines[static_cast<size_t>(m_first + i)].c_str(), false, 255,
                  255, 255);
  }
}

void UITextBox::Draw(CRC* rc) {
  if (m_bar != nullptr) m_bar->Draw(rc);
}

void UITextBox::OnLButtonDown() {
  if (m_bar != nullptr) m_bar->OnLButtonDown();
}
void UITextBox::OnLButtonUp() {
  if (m_bar != nullptr) m_bar->OnLButtonUp();
}
void UITextBox::OnMouseMove() {
  if (m_bar != nullptr) m_bar->OnMouseMove();
}

void UITextBox::OnWheel() {
  if (m_bar != nullptr && UIInside(UIPointer(), m_x0, m_y0, m_x1, m_y1)) m_bar->OnWheel();
}

void UITextBox::Notify(UIObject* sender, int code, int a, int b) {
  if (code == 2) {
    m_first = std::max(0, std::min(a, m_count - 1));
    if (a == 0 && m_bar != nullptr) m_bar->m_position = 0;
  } else if (code == 13 && m_bar != nullptr) {
    m_bar->SetRange(m_count);
  }
}
