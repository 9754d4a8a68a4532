#pragma once
// The load screen, from the title or a script: the save screen's slot list
// without its new row, and a chosen slot read into the session.
#include "ui/UISaveMode.h"

class UILoadInfoPanel : public UISaveInfoPanel {};

class UILoadListPanel : public UISaveListPanel {
 protected:
  int FirstSlotRow() const override { return 0; }
  const char* ButtonLabel() const override { return "Load"; }
  const char* MenuLabel() const override { return "읽 기"; }
  void AskFirst() override;
  // The save is read before the screen closes: a refused one keeps the
  // screen and the session.
  void DoFirst(int confirmed) override;
};

class UILoadMode : public UISaveMode {
 public:
  UILoadMode();

 protected:
  const char* BackdropLeft() const override { return "load-l.tga"; }
  const char* BackdropRight() const override { return "load-r.tga"; }
};
