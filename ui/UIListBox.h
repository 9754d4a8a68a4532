#pragma once
// A list of rows in one or more columns with its own scroll bar. Rows run
// left to right within a line, then line by line. A first click selects a
// row (Notify 14 to the parent); a second left click on the same row
// activates it (Notify 18).
#include <cstdint>
#include <string>
#include <vector>

#include "ui/UIObject.h"

class UIScrollBar;

// Whole characters while fewer than n - 3 bytes are kept, then "...".
std::string TruncateText(const char* text, int n);

class UIListBox : public UIObject {
 public:
  // The rows lie 7 pixels inside the rectangle; the bar stands at its right
  // edge.
  void Setup(int x0, int y0, int x1, int y1, int columns, int iconDx, bool showNumbers, bool showIcons);
  void AddItem(const char* text, const char* icon, int enabled, int number);
  void Clear();
  // Never past the last screenful, never below 0.
  void SetTop(int n);
  int GetTop() const { return m_top; }
  // The row under the pointer; -1 for none; the selection when the pointer
  // is outside the rows.
  int HitIndex() const;
  // The row under the pointer inside the rows' rectangle, or -1.
  int RowUnderPointer() const { return PointerInRows() ? HitIndex() : -1; }
  // A row's text as drawn: cut to fit when the box has columns, after the
  // colour code of its state ("&b" chosen, "&r" chosen but disabled, "&e"
  // at rest); a disabled row at rest has none and is drawn with the second
  // glyph set.
  std::string RowText(int index) const;

  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  void OnRButtonDown() override;
  void OnLButtonUp() override;
  void OnMouseMove() override;
  void OnWheel() override;
  // 2 scrolls to line a; 13 re-ranges the bar; 14 selects row a and tells
  // the parent; every other code goes to the parent.
  void Notify(UIObject* sender, int code, int a, int b) override;

  int32_t m_x0 = 0, m_y0 = 0;
  int32_t m_columns = 1;
  int32_t m_rowHeight = 20;
  int32_t m_showNumbers = 0;
  int32_t m_showIcons = 0;
  int32_t m_iconDx = 0;
  UIScrollBar* m_bar = nullptr;  // a child
  int32_t m_innerX0 = 0, m_innerY0 = 0, m_innerX1 = 0, m_innerY1 = 0;
  int32_t m_count = 0;
  int32_t m_top = 0;
  int32_t m_capacity = 0;
  int32_t m_selection = -1;
  int32_t m_hover = -1;
  std::vector<std::string> m_texts;
  std::vector<std::string> m_icons;
  std::vector<int32_t> m_enabled;
  std::vector<int32_t> m_numbers;  // -1: none

 private:
  bool PointerInRows() const;
  int Lines() const;  // lines of rows that one screen shows
  void RangeBar();
  void DrawRow(CRC* rc, int index, int line, int column);

 protected:
  int CellWidth() const { return (m_innerX1 - m_innerX0) / m_columns; }
};
