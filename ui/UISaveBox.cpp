#include "ui/UISaveBox.h"

#include <cstdio>

#include "render/RC.h"

std::string PlayTimeText(int seconds) {
  const int s = seconds < 0 ? 0 : seconds;
  char text[48];
  if (s >= 3600) {
    std::snprintf(text, sizeof text, "%d시간%2d분", s / 3600, s / 60 % 60);
  } else if (s >= 60) {
    std::snprintf(text, sizeof text, "%d분%2d초", s / 60, s % 60);
  } else {
    std::snprintf(text, sizeof text, "%2d초", s);
  }
  return text;
}

void UISaveBox::AddSlot(const std::string& text, int seconds) {
  AddItem(text.c_str(), nullptr, 1, -1);
  m_times.push_back(seconds);
}

void UISaveBox::ClearSlots() {
  Clear();
  m_times.clear();
  m_selection = -1;
}

void UISaveBox::DrawLocked(CRC* rc) {
  UIListBox::DrawLocked(rc);
  if (rc == nullptr) return;
  const int lines = m_capacity / (m_columns > 0 ? m_columns : 1);
  for (int line = 0; line < lines; ++line) {
    const int index = m_top + line;
    if (index < 0 || index >= static_cast<int>(m_times.size())) break;
    if (m_times[static_cast<size_t>(index)] < 0) continue;
    const std::string time = PlayTimeText(m_times[static_cast<size_t>(index)]);
    rc->DrawText2Right(m_innerX1 - 20, m_innerY0 + m_rowHeight * line, time.c_str(), false, 255, 255, 255);
  }
}
