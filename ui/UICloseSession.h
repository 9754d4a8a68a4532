#pragma once
// The button that ends a screen session: a press on it takes all input
// until the release, and a release on it tells the parent (Notify 23, 5)
// and closes the desktop.
#include <cstdint>

#include "ui/UIObject.h"

class UICloseSession : public UIObject {
 public:
  // A button that is not shown still works: another icon stands in its
  // place.
  void Setup(int x0, int y0, int x1, int y1, bool shown);

  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  void OnLButtonUp() override;

  bool UnderPointer() const;

  int32_t m_shown = 1;
  int32_t m_x0 = 0, m_y0 = 0, m_x1 = 0, m_y1 = 0;
  int32_t m_pressed = 0;
};

// The screens' "Close" icon at (x, y), with a close button that is not
// shown behind it. The button reaches over the icon's whole plate, as far
// as an answer button of the message box does: a press on any part of what
// the player sees as the button ends the screen.
void AddCloseIcon(UIObject& parent, int x, int y);
