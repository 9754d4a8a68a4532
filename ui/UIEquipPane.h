#pragma once
// The member's equipment page of the field menu. So far it shows its desk.
#include "ui/UIDeskPane.h"

class UIEquipPane : public UIDeskPane {
 public:
  UIEquipPane() : UIDeskPane("UserInterface\\tab3-5.bmp", "UserInterface\\equip_desk.bmp") {}
};
