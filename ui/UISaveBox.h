#pragma once
// The save slot list: each row's place name with its play time at the
// right.
#include <string>
#include <vector>

#include "ui/UIListBox.h"

// "%d시간%2d분" with hours, else "%d분%2d초" with minutes, else "%2d초".
std::string PlayTimeText(int seconds);

class UISaveBox : public UIListBox {
 public:
  // A row; a negative time shows none.
  void AddSlot(const std::string& text, int seconds);
  void ClearSlots();
  void DrawLocked(CRC* rc) override;

  std::vector<int> m_times;
};
