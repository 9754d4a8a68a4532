#pragma once
// A counter from 1 to its maximum between a down arrow and an up arrow,
// wrapping both ways; it tells its parent each change (Notify 15).
#include <cstdint>

#include "ui/UIObject.h"

class UISpin : public UIObject {
 public:
  // The arrows' line lies 8 pixels below y.
  void Setup(int x, int y, int width, int maximum);

  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  void OnMouseMove() override;

  bool OnDownArrow() const;
  bool OnUpArrow() const;

  int32_t m_x = 0, m_y = 0;
  int32_t m_width = 0;
  int32_t m_maximum = 1;
  int32_t m_value = 1;  // 1..maximum
  int32_t m_hoverDown = 0, m_hoverUp = 0;
};
