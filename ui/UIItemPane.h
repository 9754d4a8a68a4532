#pragma once
// The party's inventory page of the field menu. So far it shows its desk.
#include "ui/UIDeskPane.h"

class UIItemPane : public UIDeskPane {
 public:
  UIItemPane() : UIDeskPane("UserInterface\\tab2-5.bmp", "UserInterface\\item_desk.bmp") {}
};
