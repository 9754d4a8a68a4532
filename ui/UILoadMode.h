#pragma once
// The load screen's widget session. Its save-slot list comes with the save
// screens; until then it shows its frame and caption, and the screen that
// opened it closes it again.
#include "ui/UIObject.h"

class UILoadMode : public UIObject {
 public:
  void Draw(CRC* rc) override;
  void DrawLocked(CRC* rc) override;
  // kUiOpen opens the screen.
  void Notify(UIObject* sender, int code, int a, int b) override;
};
