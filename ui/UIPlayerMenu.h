#pragma once
// The party member picker: the party's icons side by side with their hit
// points, 60 pixels a member. A pick tells the owner the code and value set
// beforehand and the member's party slot.
#include <cstdint>

#include "ui/UIMenu.h"

class UIPlayerMenu : public UIMenu {
 public:
  // x is ignored: the picker stands at the UI origin's x + 200.
  void Open(int x, int y, UIObject* owner) override;
  // The party slot under the pointer, or -1.
  int HitTest() override;
  void SetNotify(int code, int value) {
    m_notifyCode = code;
    m_notifyValue = value;
  }

  void Draw(CRC* rc) override;
  void DrawLocked(CRC* rc) override {}
  void OnLButtonDown() override;

  int32_t m_notifyCode = -1;
  int32_t m_notifyValue = -1;
};
