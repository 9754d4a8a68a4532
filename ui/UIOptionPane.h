#pragma once
// The options page of the field menu's diary tab. So far it shows its desk.
#include "ui/UIDeskPane.h"

class UIOptionPane : public UIDeskPane {
 public:
  UIOptionPane() : UIDeskPane("UserInterface\\tab1-5.bmp", "UserInterface\\option_desk.bmp") {}
};
