#pragma once
// A scroll bar of 20-pixel parts: two arrows, a track and a thumb. It tells
// its parent the new position (Notify 2) after every change.
#include <cstdint>

#include "ui/UIObject.h"

class UIScrollBar : public UIObject {
 public:
  // A vertical bar lies 10 pixels right of x, a horizontal one 10 below y.
  void Setup(int x, int y, int length, bool horizontal, bool alwaysShown);
  // The largest position shows the last `rows` rows in a bar's length.
  void SetRange(int rows);
  int ThumbOffset() const;
  int PositionFromOffset(int offset) const;

  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  void OnLButtonUp() override;
  void OnMouseMove() override;
  void OnWheel() override;

  // Clamps to 0..largest and tells the parent.
  void SetPosition(int position);
  bool IsDragging() const;

  int32_t m_step = 20;
  int32_t m_alwaysShown = 0;
  int32_t m_x = 0, m_y = 0;
  int32_t m_length = 0;
  int32_t m_hoverFirst = 0, m_hoverSecond = 0, m_hoverThumb = 0;  // 0 normal, 1 hovered, 2 pressed
  int32_t m_horizontal = 0;
  int32_t m_position = 0;
  int32_t m_largest = 0;

 private:
  int PageStep() const;
  void PressVertical(const UIPoint& p);
  void PressHorizontal(const UIPoint& p);
};
