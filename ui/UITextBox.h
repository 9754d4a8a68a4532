#pragma once
// A scrolling box of text lines with its own scroll bar. Texts wrap where a
// line reaches the box's width less 18 pixels; "&n" ends a line and colour
// codes stay in the lines.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/UIObject.h"

class UIScrollBar;

class UITextBox : public UIObject {
 public:
  void Setup(int x0, int y0, int x1, int y1);
  // Wraps at word boundaries; a text after earlier ones starts below an
  // empty "&n" line.
  void AddText(const char* text);
  // Wraps wherever a line grows too wide, spaces kept.
  void AddRawText(const char* text);
  void Clear();
  bool HasLines() const { return m_count > 0; }

  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  void OnLButtonUp() override;
  void OnMouseMove() override;
  void OnWheel() override;
  // 2 scrolls to line a; 13 re-ranges the bar.
  void Notify(UIObject* sender, int code, int a, int b) override;

  UIScrollBar* m_bar = nullptr;  // a child
  int32_t m_x0 = 0, m_y0 = 0, m_x1 = 0, m_y1 = 0;
  int32_t m_lineHeight = 20;
  int32_t m_visibleLines = 0;
  int32_t m_count = 0;
  int32_t m_first = 0;
  std::vector<std::string> m_lines;

 private:
  void AppendLine(std::string* line);
  // Appends the line once it is as wide as the box allows.
  void WrapIfFull(std::string* line);
  void Walk(const char* text, bool lookAhead);
  int WrapWidth() const { return m_x1 - m_x0 - 18; }
};
