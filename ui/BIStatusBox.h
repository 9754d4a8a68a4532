#pragma once
// The help line at the foot of the battle screen: one or two lines about
// the highlighted entry, shown for a while after each change.
#include <string>

#include "ui/BICaption.h"

class BIStatusBox : public BICaption {
 public:
  static constexpr int kShowFrames = 340;

  BIStatusBox();
  void Draw(CRC* rc) override;
  // To the drag handle.
  void OnClick() override;
  // The help line never holds the keys: the pointer resting on it, at the
  // foot of the screen, would take Enter from the menu's highlighted row.
  void OnPointerIdle() override {}
  // The lines of the desk top's help notice; an empty first line hides
  // the box.
  void Show(const std::string& line1, const std::string& line2);

  std::string m_lines[2];
  int m_framesLeft = 0;
};
