#pragma once
// The tactics grid of one party member: four rows of five actions, one
// chosen in each row. A click changes the member's custom tactics at once
// and the grid stays open until a press outside it.
#include <array>
#include <cstdint>

#include "ui/UIMenu.h"

class UITacticsMenu : public UIMenu {
 public:
  // Reads the member's tactics word (row 0 from the top byte) and shows.
  void OpenFor(int x, int y, int member, UIObject* owner);
  // The row under the pointer, or -1 (also outside columns 0-4).
  int HitTest() override;

  void Draw(CRC* rc) override;
  void DrawLocked(CRC* rc) override;
  void OnLButtonDown() override;

  // The frames every tactics grid has drawn; the chosen icons blink by it.
  static int32_t s_blinkFrames;

  int32_t m_member = 0;
  std::array<uint8_t, 4> m_choices{};

 private:
  int ColumnUnderPointer() const;
};
