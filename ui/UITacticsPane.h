#pragma once
// The party's tactics page of the field menu. So far it shows its desk.
#include "ui/UIDeskPane.h"

class UITacticsPane : public UIDeskPane {
 public:
  UITacticsPane() : UIDeskPane("UserInterface\\tab1-5.bmp", "UserInterface\\tactics_desk.bmp") {}
};
